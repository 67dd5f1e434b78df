// The chart-save dialog as a user meets it: a chart to save, the preview and
// its size, typing and choosing names, the two formats, the questions before
// saving and what ends up on disk.
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <cmath>
#include <memory>
#include <string>

#include "controls/EditEx.h"
#include "controls/ImagEx.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "gui/support/GuiTest.h"
#include "output/Bitmap.h"
#include "output/Metafile.h"
#include "output/gui/GRSVForm.h"
#include "output/gui/WindowCapture.h"
#include "support/TestEnv.h"

using namespace kondra;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* kOverwrite = "上書き保存しますか？";

}  // namespace

class TestGRSVForm : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempFolder> temp;
  std::unique_ptr<QChartView> chart;
  std::unique_ptr<TGRSVForm> dialog;
  std::unique_ptr<test::BoxAnswers> answers;
  QStatusBar bar;

  template <class T>
  T* Find(const char* name) {
    T* w = dialog->findChild<T*>(name);
    if (!w) qFatal("no %s", name);
    return w;
  }
  TEditEx* EDIT1() { return Find<TEditEx>("EDIT1"); }
  QPushButton* Run() { return Find<QPushButton>("BBTN1"); }
  QPushButton* Cancel() { return Find<QPushButton>("BTN1"); }
  QCheckBox* Emf() { return Find<QCheckBox>("CBTN2_1"); }
  QCheckBox* Bmp() { return Find<QCheckBox>("CBTN2_2"); }
  QLabel* Size() { return Find<QLabel>("LBL2"); }
  QLabel* Overwrite() { return Find<QLabel>("LBL3"); }

  // The dialog for the chart and a target in the temporary folder, shown
  // and active.
  void Open(const std::string& target, bool withChart = true) {
    dialog = std::make_unique<TGRSVForm>();
    SetupPictureSave(*dialog, withChart ? chart.get() : nullptr, target);
    QVERIFY(test::ShowActive(dialog.get()));
  }

  void TypeName(const QString& text) {
    test::ClickWidget(EDIT1());
    EDIT1()->selectAll();
    test::TypeText(EDIT1(), text);
    test::PressKey(EDIT1(), Qt::Key_Return);
  }

 private slots:
  void initTestCase() {
    auto* series = new QLineSeries;
    series->setName("月平均気温");
    for (int m = 1; m <= 12; ++m) series->append(m, 15 + 10 * std::sin(m / 2.0));
    auto* c = new QChart;
    c->addSeries(series);
    c->createDefaultAxes();
    c->setTitle("東京 気温");
    chart = std::make_unique<QChartView>(c);
    chart->resize(320, 240);
  }

  void init() {
    temp = std::make_unique<test::TempFolder>();
    answers = std::make_unique<test::BoxAnswers>();
    QtFace().AttachStatusBar(&bar);
    test::ResetEditing();
    RootDir.clear();
  }

  void cleanup() {
    dialog.reset();
    answers.reset();
    temp.reset();
    SetSavePictureDialog(nullptr);
  }

  void opensWithPreviewSizeAndRules() {
    std::string target = temp->path() + "東京(C1).EMF";
    Open(target);
    QCOMPARE(dialog->windowTitle(), QString("チャートの保存（拡張メタファイル）"));
    QCOMPARE(Find<QLabel>("LBL0")->text(), QString("チャートの保存（拡張メタファイル）"));
    QCOMPARE(SaveTarget, target);
    QCOMPARE(SaveOriginal, target);
    QCOMPARE(EDIT1()->text(), Q(target));
    QCOMPARE(EDIT1()->toolTip(), Q(target));
    QCOMPARE(Size()->text(), QString("Size 320 × 240 Pixcel"));
    QVERIFY(!Find<TImageEx>("IMAG1")->Picture().isNull());
    // The preview's picture keeps the chart's proportions.
    QSize shown = Find<TImageEx>("IMAG1")->Picture().size();
    QVERIFY(std::abs(shown.width() * 240 - shown.height() * 320) <= 320);
    QVERIFY(!fs::Exists(ChartPreviewFile()));
    // The chart's format group stands where the first group would.
    QVERIFY(Find<QGroupBox>("GBOX2")->isVisible());
    QVERIFY(!Find<QGroupBox>("GBOX1")->isVisible());
    QCOMPARE(Find<QGroupBox>("GBOX2")->x(), Find<QGroupBox>("GBOX1")->x());
    QVERIFY(Emf()->isChecked());
    QVERIFY(!Bmp()->isChecked());
    QVERIFY(Run()->isEnabled());
    QVERIFY(EDIT1()->isEnabled());
    QVERIFY(Find<QPushButton>("SBTN1")->isEnabled());
    QVERIFY(!Overwrite()->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Run()));
    QCOMPARE(dialog->minimumSize(), QSize(500, 290));
    QVERIFY(!test::GrabPng(dialog.get(), "TGRSVForm").isEmpty());
  }

  void withoutAChartNothingCanBeSaved() {
    Open(temp->path() + "none.EMF", false);
    QCOMPARE(Size()->text(), QString("画像なし"));
    QVERIFY(!Run()->isEnabled());
    QVERIFY(!EDIT1()->isEnabled());
    QVERIFY(!Find<QPushButton>("SBTN1")->isEnabled());
    QVERIFY(Find<QPushButton>("SBTN2")->isEnabled());
    QVERIFY(Cancel()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Cancel()));
  }

  void typedBitmapNameBecomesMetafileName() {
    Open(temp->path() + "東京(C1).EMF");
    QString typed = Q(temp->path() + "sub\\気温グラフ.BMP");
    TypeName(typed);
    std::string expected = temp->path() + "sub\\気温グラフ.EMF";
    QCOMPARE(SaveTarget, expected);
    QCOMPARE(EDIT1()->text(), Q(expected));
    QCOMPARE(EDIT1()->toolTip(), Q(expected));
    QCOMPARE(CurPath, expected);
    QVERIFY(Run()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Run()));
    QVERIFY(answers->boxes.empty());
  }

  void refusedNameIsRevertedWithTheCheckMessage() {
    std::string target = temp->path() + "東京(C1).EMF";
    Open(target);
    TypeName(Q(temp->path() + "a|b.EMF"));
    QCOMPARE(answers->boxes.size(), std::size_t{1});
    QVERIFY(answers->Texts()[0].contains("不正な文字"));
    QCOMPARE(SaveTarget, target);
    QCOMPARE(EDIT1()->text(), Q(target));
  }

  void shortPathShowsTheAbbreviationAndKeepsTheFullHint() {
    RootDir = temp->path().substr(2);  // without the drive
    std::string target = temp->path() + "WCD\\東京(C1).EMF";
    Open(target);
    test::ClickWidget(Find<QCheckBox>("CBTN1"));
    QCOMPARE(EDIT1()->text(), Q(AbbrevPath(target)));
    QVERIFY(EDIT1()->text().startsWith("C:..."));
    QCOMPARE(EDIT1()->toolTip(), Q(target));
    test::ClickWidget(Find<QCheckBox>("CBTN1"));
    QCOMPARE(EDIT1()->text(), Q(target));
  }

  void bothFormatsUncheckedDisableRun() {
    Open(temp->path() + "東京(C1).EMF");
    test::ClickWidget(Emf());
    QVERIFY(!Emf()->isChecked());
    QVERIFY(!Run()->isEnabled());
    test::ClickWidget(Bmp());
    QVERIFY(Run()->isEnabled());
    test::ClickWidget(Bmp());
    QVERIFY(!Run()->isEnabled());
    test::ClickWidget(Emf());
    QVERIFY(Run()->isEnabled());
  }

  void existingTargetAsksBeforeOverwritingAndNoWritesNothing() {
    std::string target = temp->path() + "東京(C1).EMF";
    test::WriteBytes(target, "old chart");
    Open(target);
    QVERIFY(Overwrite()->isVisible());
    for (MsgButton answer : {MsgButton::No, MsgButton::Cancel}) {
      answers->boxes.clear();
      answers->answers = {answer};
      test::ClickWidget(Run());
      QCOMPARE(answers->boxes.size(), std::size_t{1});
      const BoxRequest& box = answers->boxes[0];
      QCOMPARE(box.kind, 3);
      QCOMPARE(box.buttons, 3);
      QCOMPARE(Q(box.text), Q("保存ファイル名 ： " + target + "\r\r保存ファイル形式 ： 拡張メタファイル形式" +
                              "※既に同名のファイルがあります。\r\r" + kOverwrite));
      QCOMPARE(test::ReadBytes(target), std::string("old chart"));
      QVERIFY(dialog->isVisible());
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Cancel()));
    }
    // Yes writes the metafile over it, and the bitmap beside it.
    test::ClickWidget(Bmp());
    answers->boxes.clear();
    answers->answers = {MsgButton::Yes, MsgButton::Ok};
    test::ClickWidget(Run());
    QCOMPARE(answers->boxes.size(), std::size_t{2});
    QCOMPARE(Q(answers->boxes[1].text), QString("〔チャート〕を保存しました。"));
    QCOMPARE(answers->boxes[1].kind, 1);
    QVERIFY(!dialog->isVisible());
    QVERIFY(MsgYes);
    std::optional<EmfHeader> h = ReadEmfHeader(test::ReadBytes(target));
    QVERIFY(h);
    QCOMPARE(h->WidthAt(MetafileScreen().dpiX), 320);
    std::string bmp = test::ReadBytes(temp->path() + "東京(C1).BMP");
    QCOMPARE(BmpBitsPerPixel(bmp), 24);
    QCOMPARE(DecodeBmp(bmp)->width, 320);
  }

  void newTargetAsksToSaveAndMakesItsFolder() {
    std::string target = temp->path() + "new\\deeper\\chart.EMF";
    Open(target);
    QVERIFY(!Overwrite()->isVisible());
    answers->answers = {MsgButton::No};
    test::ClickWidget(Run());
    QCOMPARE(answers->boxes[0].kind, 2);
    QCOMPARE(answers->boxes[0].buttons, 2);
    QVERIFY(answers->Texts()[0].endsWith("\r\r保存しますか？"));
    QVERIFY(!fs::Exists(target));
    QVERIFY(dialog->isVisible());
    answers->answers = {MsgButton::Yes};
    test::ClickWidget(Run());
    QVERIFY(ReadEmfHeader(test::ReadBytes(target)));
    QVERIFY(!fs::Exists(temp->path() + "new\\deeper\\chart.BMP"));
  }

  void restoringTheNameAsksFirst() {
    std::string target = temp->path() + "東京(C1).EMF";
    Open(target);
    TypeName(Q(temp->path() + "other.EMF"));
    QCOMPARE(SaveTarget, temp->path() + "other.EMF");
    answers->answers = {MsgButton::No};
    test::ClickWidget(Find<QPushButton>("SBTN2"));
    QCOMPARE(Q(answers->boxes.back().text), QString("編集前のファイル名に戻しますか？"));
    QCOMPARE(answers->boxes.back().kind, 2);
    QCOMPARE(SaveTarget, temp->path() + "other.EMF");
    answers->answers = {MsgButton::Yes};
    test::ClickWidget(Find<QPushButton>("SBTN2"));
    QCOMPARE(SaveTarget, target);
    QCOMPARE(EDIT1()->text(), Q(target));
  }

  void browsingGivesANameEndingInEmf() {
    std::string target = temp->path() + "東京(C1).EMF";
    Open(target);
    std::string proposed, filter;
    SetSavePictureDialog([&](QWidget*, const std::string& file, const std::string& f) -> std::optional<std::string> {
      proposed = file;
      filter = f;
      return temp->path() + "chosen\\グラフ";
    });
    test::ClickWidget(Find<QPushButton>("SBTN1"));
    QCOMPARE(proposed, target);
    QCOMPARE(filter, std::string("保存ファイル(*.EMF)|*.EMF"));
    QCOMPARE(SaveTarget, temp->path() + "chosen\\グラフ.EMF");
    QCOMPARE(EDIT1()->text(), Q(SaveTarget));
    // Cancelled: nothing changes.
    SetSavePictureDialog([](QWidget*, const std::string&, const std::string&) { return std::optional<std::string>(); });
    test::ClickWidget(Find<QPushButton>("SBTN1"));
    QCOMPARE(SaveTarget, temp->path() + "chosen\\グラフ.EMF");
  }

  void cancelClosesWithoutSaving() {
    std::string target = temp->path() + "東京(C1).EMF";
    Open(target);
    MsgYes = true;
    test::ClickWidget(Cancel());
    QVERIFY(!dialog->isVisible());
    QVERIFY(!MsgYes);
    QVERIFY(!fs::Exists(target));
    QVERIFY(answers->boxes.empty());
  }

  void failedWriteKeepsTheDialogOpen() {
    std::string target = temp->path() + "東京(C1).EMF";
    Open(target);
    fs::SetFaultHook([](fs::Op op, const std::string& path) {
      return op == fs::Op::CreateTemp && path.find("C1") != std::string::npos ? EACCES : 0;
    });
    answers->answers = {MsgButton::Yes};
    test::ClickWidget(Run());
    fs::SetFaultHook(nullptr);
    QCOMPARE(answers->boxes.size(), std::size_t{2});
    QCOMPARE(answers->boxes[1].kind, 4);
    QVERIFY(answers->Texts()[1].contains(Q(target)));
    QVERIFY(dialog->isVisible());
    QVERIFY(!fs::Exists(target));
  }
};

QTEST_MAIN(TestGRSVForm)
#include "tst_GRSVForm.moc"
