// The visual humidity tool, driven as a user would, and the hand-over of its
// room condition to the main window.
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/ImagEx.h"
#include "controls/MemoEx.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "gui/support/GuiTest.h"
#include "gui/tools/ToolTestInstall.h"
#include "psychro/Psychro.h"
#include "tools/Glass.h"
#include "tools/Wkdrp.h"

using namespace kondra;

namespace {

template <typename T>
T* Child(QWidget* form, const char* name) {
  T* w = form->findChild<T*>(QString::fromLatin1(name));
  if (!w) qWarning("no %s", name);
  return w;
}

// What the main window does with a hand-over when it is activated: it takes
// side B's temperature and humidity and lowers the flag.
class MainWindowStandIn : public QWidget {
 public:
  MainWindowStandIn() {
    auto* layout = new QVBoxLayout(this);
    temp = new QLabel(this);
    hum = new QLabel(this);
    layout->addWidget(temp);
    layout->addWidget(hum);
    resize(300, 100);
  }
  QLabel* temp;
  QLabel* hum;

 protected:
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !AdoptIndoor) return;
    float t = 0, h = 0;
    if (ReadHandover(Edit.newText, t, h)) {
      temp->setText(Q(FormatSingle(6, 1, t)));
      hum->setText(Q(FormatSingle(5, 0, h)));
    }
    AdoptIndoor = false;
  }
};

}  // namespace

class HumidityToolTest : public QObject {
  Q_OBJECT

  test::TempFolder temp;
  TDPForm* tool = nullptr;
  GlassPictures pictures;

  QString Text(const char* name) const { return Child<QLabel>(tool, name)->text(); }
  int Bar(const char* name) const { return Child<QSlider>(tool, name)->value(); }
  TImageEx* Glass() const { return Child<TImageEx>(tool, "IMAG_Gage"); }

  // Back to a fresh activation: the room at 20 °C and 50 %, humidity fixed.
  void Reactivate() {
    QWidget other;
    QVERIFY(test::ShowActive(&other));
    other.hide();
    QVERIFY(test::ShowActive(tool));
  }

 private slots:
  void initTestCase() {
    QVERIFY(test::StartOnInstallCopy(temp));
    QVERIFY(pictures.Load());
    tool = ShowHumidityTool(nullptr);
    QVERIFY(test::ShowActive(tool));
  }

  void init() { test::ResetEditing(); }

  void opensAtTwentyDegreesAndFiftyPercent() {
    QCOMPARE(ShowHumidityTool(nullptr), tool);
    QCOMPARE(HumidityTool(), tool);
    QCOMPARE(tool->windowTitle(), QString("目で見る温度と湿度と水蒸気 Ver.1.00"));
    QCOMPARE(tool->size(), QSize(642, TDPForm::kShortHeight));
    QCOMPARE(Bar("TBAR1"), 20);
    QCOMPARE(Bar("TBAR2"), 50);
    QCOMPARE(Bar("TBAR3"), 9);
    QVERIFY(Child<QRadioButton>(tool, "RBTN2")->isChecked());
    QCOMPARE(Text("LBL4"), QString("     20 ℃"));
    QCOMPARE(Text("LBL5"), QString("     50 ％"));
    QCOMPARE(Text("LBL6"), QString("      9 g/m3"));
    QCOMPARE(Text("LBL7"), QString("20 ℃   50 ％"));
    QCOMPARE(Text("LBL9"), QString("露点温度    9 ℃"));
    QVERIFY(!Child<QLabel>(tool, "LBL10")->isVisible());
    QVERIFY(Child<QToolButton>(tool, "SBTN2")->isEnabled());
    QCOMPARE(Glass()->Picture(), pictures.Compose(GlassFor(50)));
    QCOMPARE(Glass()->width(), RoundEven(SatAbsHumidity(20) * 100 / SatAbsHumidity(40)));
    QVERIFY(!AdoptIndoor);
    QVERIFY(!Child<QToolButton>(tool, "SBTN3")->isEnabled());  // no printing services attached
    QVERIFY(!test::GrabPng(tool, "humidity-start").isEmpty());
  }

  void tooMuchVapourOverflows() {
    Reactivate();
    test::MoveBar(tool, "TBAR1", 10);
    QCOMPARE(tool->ActiveBar(), 1);
    QCOMPARE(Bar("TBAR2"), 50);  // humidity held
    QCOMPARE(Bar("TBAR3"), RoundEven(SatAbsHumidity(10) * 0.5));
    test::MoveBar(tool, "TBAR3", 20);
    QVERIFY(Child<QRadioButton>(tool, "RBTN1")->isChecked());  // the vapour bar holds the temperature
    QCOMPARE(Bar("TBAR1"), 10);
    QCOMPARE(Bar("TBAR2"), 101);
    QCOMPARE(Text("LBL5"), QString("    100％＜"));
    QCOMPARE(Glass()->Picture(), pictures.Compose({GlassPicture::Overflowing, 0}));
    QVERIFY(Child<QLabel>(tool, "LBL10")->isVisible());
    QCOMPARE(Text("LBL10"), QString("結露水 11 ｇ"));
    QVERIFY(!Child<QToolButton>(tool, "SBTN2")->isEnabled());
    QVERIFY(!test::GrabPng(tool, "humidity-overflow").isEmpty());
  }

  void heldVapourWarmedGetsDrier() {
    Reactivate();
    QTest::mouseClick(Child<QRadioButton>(tool, "RBTN3"), Qt::LeftButton);
    const QSize before = Glass()->size();
    test::MoveBar(tool, "TBAR1", 30);
    QVERIFY(Child<QRadioButton>(tool, "RBTN3")->isChecked());
    QCOMPARE(Bar("TBAR3"), 9);
    QCOMPARE(Bar("TBAR2"), RoundEven(RelHumFromAbsHumidity(30, tool->Air().AirAmount)));
    QVERIFY(Bar("TBAR2") < 50);
    QVERIFY(Glass()->width() > before.width());
    QVERIFY(Glass()->height() > before.height());

    // Cooled below its dew point, the same air condenses.
    test::MoveBar(tool, "TBAR1", 5);
    QCOMPARE(Bar("TBAR2"), 101);
    QVERIFY(Child<QLabel>(tool, "LBL10")->isVisible());
  }

  void dryAirAndTheTopOfTheHumidityBar() {
    Reactivate();
    test::MoveBar(tool, "TBAR2", 0);
    QCOMPARE(Text("LBL9"), QString("露点温度     －"));
    QCOMPARE(Glass()->Picture(), pictures.Compose({GlassPicture::Empty, 0}));
    QCOMPARE(Bar("TBAR3"), 0);
    test::MoveBar(tool, "TBAR2", 101);
    QCOMPARE(Glass()->Picture(), pictures.Compose({GlassPicture::Overflowing, 0}));
    QCOMPARE(Text("LBL10"), QString("結露水  0 ｇ"));
    QCOMPARE(Bar("TBAR3"), RoundEven(SatAbsHumidity(20)));
  }

  void activationResetsTheRoom() {
    test::MoveBar(tool, "TBAR1", 33);
    AdoptIndoor = true;
    Reactivate();
    QVERIFY(!AdoptIndoor);
    QCOMPARE(Bar("TBAR1"), 20);
    QCOMPARE(Bar("TBAR2"), 50);
    QCOMPARE(tool->ActiveBar(), 1);
  }

  void explanationAndFont() {
    auto* memo = Child<TMemoEx>(tool, "MEMO1");
    QVERIFY(memo->toPlainText().startsWith("【温度と湿度と水蒸気のはなし】"));
    QCOMPARE(memo->FirstVisibleLine(), 1);
    QCOMPARE(Text("LBL2_1"), QString("解説文"));

    auto* button = Child<QToolButton>(tool, "SBTN1");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(tool->height(), TDPForm::kTallHeight);
    QVERIFY(tool->ExplanationShown());
    QCOMPARE(Bar("TBAR1"), 0);
    QCOMPARE(Bar("TBAR2"), 0);
    QCOMPARE(Bar("TBAR3"), 0);
    QCOMPARE(button->toolTip(), QString("解説文を消す"));
    QVERIFY(!Child<QToolButton>(tool, "SBTN2")->isEnabled());
    QVERIFY(memo->isVisible());
    QVERIFY(!test::GrabPng(tool, "humidity-explanation").isEmpty());

    tool->SetMemoFont(QFont(QStringLiteral("ＭＳ 明朝"), 12));
    QCOMPARE(Child<QWidget>(tool, "BTN1")->toolTip(), QString("フォント<12>"));

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(tool->height(), TDPForm::kShortHeight);
    QCOMPARE(button->toolTip(), QString("解説文を表示する"));
  }

  void adoptingHandsTheRoomToTheMainWindow() {
    MainWindowStandIn main;
    QVERIFY(test::ShowActive(&main));
    QVERIFY(test::ShowActive(tool));
    test::MoveBar(tool, "TBAR1", 24);
    test::MoveBar(tool, "TBAR2", 45);

    test::BoxAnswers boxes;
    boxes.answers = {MsgButton::No};
    QTest::mouseClick(Child<QToolButton>(tool, "SBTN2"), Qt::LeftButton);
    QCOMPARE(boxes.Texts(), QStringList{"温度= 24.0℃、湿度=  45％の室内条件を採用しますか？"});
    QCOMPARE(boxes.boxes[0].kind, 2);
    QVERIFY(!AdoptIndoor);
    QVERIFY(tool->isVisible());

    boxes.answers = {MsgButton::Yes};
    QTest::mouseClick(Child<QToolButton>(tool, "SBTN2"), Qt::LeftButton);
    QCOMPARE(Edit.newText, std::string(" 24.0   45"));
    QVERIFY(AdoptIndoor);
    QTRY_VERIFY(HumidityTool() == nullptr);

    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTRY_COMPARE(main.temp->text(), QString("  24.0"));
    QCOMPARE(main.hum->text(), QString("   45"));
    QVERIFY(!AdoptIndoor);
  }

  void hardCopyGoesToTheAttachedService() {
    QVERIFY(HumidityTool() == nullptr);  // closed by adopting
    QWidget* copied = nullptr;
    SetToolPrintHandlers([&](QWidget* form) { copied = form; }, nullptr);
    tool = ShowHumidityTool(nullptr);
    QVERIFY(test::ShowActive(tool));
    auto* button = Child<QToolButton>(tool, "SBTN3");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    SetToolPrintHandlers(nullptr, nullptr);
    QCOMPARE(copied, tool);
    CloseHumidityTool();
    QTRY_VERIFY(HumidityTool() == nullptr);
  }

  void handoverText() {
    QCOMPARE(HandoverText(24, 45), std::string(" 24.0   45"));
    QCOMPARE(HandoverText(-5.5f, 100), std::string(" -5.5  100"));
    float t = 1, h = 1;
    QVERIFY(ReadHandover(" -5.5  100", t, h));
    QCOMPARE(t, -5.5f);
    QCOMPARE(h, 100.0f);
    t = h = 7;
    QVERIFY(!ReadHandover(" 24.0", t, h));
    QVERIFY(!ReadHandover("          ", t, h));
    QCOMPARE(t, 7.0f);
  }
};

QTEST_MAIN(HumidityToolTest)
#include "tst_HumidityTool.moc"
