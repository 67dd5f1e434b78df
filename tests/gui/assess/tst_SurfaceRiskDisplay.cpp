// The surface condensation and mould display of the real main window: the
// sample calculated and its figures read off the screen in both unit systems,
// wet and mouldy room surfaces shown in red, and the ways in and out of the
// display beside result tables A and B.
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "assess/gui/SurfaceRiskPanel.h"
#include "calc/CalcState.h"
#include "controls/ImagEx.h"
#include "gui/mainwin/MainWindowDriver.h"
#include "mainwin/HJUNITFM.h"
#include "weather/gui/UpDown.h"

using namespace kondra;

namespace {

// Whether a label is drawn with red text somewhere.
bool DrawnRed(QLabel* label) {
  const QImage image = label->grab().toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 90 && c.blue() < 90) return true;
    }
  return false;
}

}  // namespace

class SurfaceRiskDisplayTest : public QObject {
  Q_OBJECT

  test::MainWindowDriver main;
  std::unique_ptr<test::BoxAnswers> boxes;

  QString Text(const char* name) const { return main.Find<QLabel>(name)->text(); }

  void ShowSurfaces() {
    QAction* item = main.Action("MNU_Mode3");
    QVERIFY(item->isEnabled());
    item->trigger();
    QCOMPARE(main.form->DisplayMode(), kSurfaceDisplay);
  }

  // Title, outer wall, the two air conditions and the rows between the air films.
  bool Enter(const QString& title, const QString& outside, const QString& inside,
             const std::vector<std::pair<QString, QString>>& materials) {
    main.Type("EDIT1_1", title);
    if (!test::ChooseFromList(main.Find<QComboBox>("CBOX1_1"), "外壁")) return false;
    main.Type("EDIT1_2", outside.section(',', 0, 0));
    main.Type("EDIT1_3", outside.section(',', 1, 1));
    main.Type("EDIT1_4", inside.section(',', 0, 0));
    main.Type("EDIT1_5", inside.section(',', 1, 1));
    int row = 1;
    if (!main.ChooseMaterial(row++, "外側(αo=20)")) return false;
    for (const auto& [name, thickness] : materials) {
      if (!main.ChooseMaterial(row, name)) return false;
      main.TypeThickness(row++, thickness);
    }
    return main.ChooseMaterial(row, "内側(αi=8)");
  }

  void ChooseUnits(const QString& name) {
    QVERIFY(test::ChooseFromList(main.Find<THJUNITFrame>("HJUNITFM")->CBOX, name));
  }

 private slots:
  void initTestCase() { QVERIFY2(main.Install(), "the installation copy could not be started"); }

  void init() {
    test::ResetEditing();
    SetUnitSystem(kEngineeringUnits);
    boxes = std::make_unique<test::BoxAnswers>();
  }

  void cleanup() {
    main.Discard();
    boxes.reset();
    SetUnitSystem(kEngineeringUnits);
  }

  // The sample wall: both surfaces dry, the room surface's factor enough, in
  // the result grid's place, the section in the picture.
  void sampleFiguresOnScreen() {
    QVERIFY(main.Open(SampleCalcPath()));
    QVERIFY(!main.Action("MNU_Mode3")->isEnabled());  // nothing to show before Calc
    QVERIFY(main.Calculate());
    ShowSurfaces();
    auto* panel = main.Find<TSurfaceRiskPanel>("PNL_Surface");
    auto* grid = main.Find<QWidget>("STRG2_2");
    QVERIFY(panel->isVisible());
    QVERIFY(!grid->isVisible());
    QCOMPARE(panel->geometry(), grid->geometry());
    QCOMPARE(main.Find<QGroupBox>("GBOX2")->title(), QString("【表面結露・カビの判定】"));
    QCOMPARE(main.Find<QGroupBox>("GBOX3")->title(), QString("【層構成図】"));
    QVERIFY(boxes->Panel(0).endsWith("〔表面結露・カビの判定表示〕"));
    QVERIFY(main.Find<QWidget>("PNL1")->isVisible());  // the judgement stays beside it

    struct Shown {
      const char* name;
      const char* text;
    };
    const Shown shown[] = {
        {"SR_NameA", "外側表面"},      {"SR_TempA", "  0.4 ℃"},    {"SR_RelHumA", " 78.0 ％"},
        {"SR_MarginA", "  3.4 K"},     {"SR_VerdictA", "問題なし"}, {"SR_NameB", "内側表面"},
        {"SR_TempB", " 19.1 ℃"},      {"SR_RelHumB", " 63.4 ％"},  {"SR_MarginB", "  7.1 K"},
        {"SR_VerdictB", "問題なし"},
        {"SR_Factor", "0.956（Rsi = 0.125 ㎡h℃/kcal）"},
        {"SR_MouldCheck", "0.903（Rsi = 0.2907 ㎡h℃/kcal）"},
        {"SR_Minimum", "0.772（臨界表面温度 15.4 ℃）"},
        {"SR_FactorVerdict", "必要値以上（カビの危険なし）"},
        {"SR_MouldCheckVerdict", "必要値以上（カビの危険なし）"},
    };
    for (const Shown& s : shown) QCOMPARE(Text(s.name), QString(s.text));
    QVERIFY(!main.Find<QLabel>("SR_Message")->isVisible());
    for (const char* name : {"SR_VerdictA", "SR_VerdictB", "SR_FactorVerdict"}) QVERIFY(!DrawnRed(main.Find<QLabel>(name)));
    test::GrabPng(main.form, "surface-sample");
  }

  // SI units: the resistances in ㎡K/W; the figures themselves are the same.
  void sampleInSIUnits() {
    QVERIFY(main.Open(main.workDir + "S1.KDR"));
    QVERIFY(main.EnterWall("表面SI"));
    ChooseUnits("ＳＩ単位");
    QCOMPARE(UnitSystemName, std::string(kSIUnits));
    QVERIFY(main.Calculate());
    ShowSurfaces();
    QCOMPARE(Text("SR_Factor"), QString("0.956（Rsi = 0.1075 ㎡K/W）"));
    QCOMPARE(Text("SR_MouldCheck"), QString("0.903（Rsi = 0.25 ㎡K/W）"));
    QCOMPARE(Text("SR_TempB"), QString(" 19.1 ℃"));
    test::GrabPng(main.form, "surface-si");
  }

  // Wet and mouldy room surfaces, and an insufficient factor, in red.
  void riskyRoomSurfacesInRed() {
    struct Case {
      const char* file;
      QString inside;
      std::vector<std::pair<QString, QString>> materials;
      const char* verdict;
      const char* relHum;
    };
    const Case cases[] = {
        {"G1.KDR", "20,60", {{"板ｶﾞﾗｽ", "3"}}, "表面結露あり", "150.1 ％"},
        {"M1.KDR", "20,70", {{"普通ｺﾝｸﾘｰﾄ", "150"}, {"ｸﾞﾗｽｳｰﾙ(例)", "25"}}, "カビ発生の危険あり", " 83.1 ％"},
    };
    for (const Case& c : cases) {
      QVERIFY(main.Open(main.workDir + c.file));
      QVERIFY(Enter(c.file, "0,80", c.inside, c.materials));
      QVERIFY(main.Calculate());
      ShowSurfaces();
      QCOMPARE(Text("SR_VerdictB"), QString(c.verdict));
      QCOMPARE(Text("SR_RelHumB"), QString(c.relHum));
      QCOMPARE(Text("SR_VerdictA"), QString("問題なし"));
      QCOMPARE(Text("SR_FactorVerdict"), QString("必要値未満（カビの危険あり）"));
      QVERIFY(DrawnRed(main.Find<QLabel>("SR_VerdictB")));
      QVERIFY(DrawnRed(main.Find<QLabel>("SR_FactorVerdict")));
      QVERIFY(!DrawnRed(main.Find<QLabel>("SR_VerdictA")));
      test::GrabPng(main.form, QString("surface-%1").arg(c.file));
      main.Discard();
    }
  }

  // Out of the display: the picture to the input display, the switch down to
  // table A; the picture's cycle through the tables is unchanged.
  void waysInAndOut() {
    QVERIFY(main.Open(SampleCalcPath()));
    QVERIFY(main.Calculate());
    auto* picture = main.Find<TImageEx>("IMAG");
    auto* panel = main.Find<QWidget>("PNL_Surface");
    ShowSurfaces();
    test::ClickWidget(picture);
    QCOMPARE(main.form->DisplayMode(), 0);
    QVERIFY(!panel->isVisible());
    QVERIFY(main.Find<QWidget>("STRG2_2")->isVisible());

    ShowSurfaces();
    auto* updown = main.Find<TUpDown>("UPDN1");
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, updown->DownRect().center());
    QCOMPARE(main.form->DisplayMode(), 1);
    QVERIFY(!panel->isVisible());
    QCOMPARE(main.Find<QGroupBox>("GBOX2")->title(), QString("【計算結果Ａ】"));
    test::ClickWidget(picture);
    QCOMPARE(main.form->DisplayMode(), 2);
    test::ClickWidget(picture);
    QCOMPARE(main.form->DisplayMode(), 0);

    // Any input change takes the results and the display away.
    ShowSurfaces();
    main.Action("MNU_Mode0")->trigger();
    main.Type("EDIT1_5", "65");
    QVERIFY(!Calc.Calculated);
    QVERIFY(!main.Action("MNU_Mode3")->isEnabled());
  }
};

QTEST_MAIN(SurfaceRiskDisplayTest)
#include "tst_SurfaceRiskDisplay.moc"
