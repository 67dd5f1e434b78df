// The main window as a user meets it, on a copy of the factory installation:
// a calculation typed and chosen field by field, calculated, read in both
// result tables and in SI units, saved; the refusals of the input checks;
// the display modes, the row popup, the explanations and the hand-over of
// a room condition.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <filesystem>
#include <memory>

#include "calc/CalcFile.h"
#include "calc/CalcInput.h"
#include "calc/CalcState.h"
#include "calc/LayerRecord.h"
#include "calc/Results.h"
#include "controls/CBoxEx.h"
#include "controls/EditEx.h"
#include "controls/ImagEx.h"
#include "controls/QtText.h"
#include "controls/StrGEx.h"
#include "env/EditState.h"
#include "env/Environment.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "env/Units.h"
#include "gui/support/GuiTest.h"
#include "mainwin/HJUNITFM.h"
#include "mainwin/KDRForm.h"
#include "records/RecordStore.h"
#include "support/TestEnv.h"
#include "tools/Handover.h"
#include "weather/gui/UpDown.h"

using namespace kondra;

namespace {

namespace sfs = std::filesystem;

const QString kExampleTitle = "サンプル計算：木造外壁（合板・グラスウール・石膏板）";
const char* const kOutsideAlpha = "外側(αo=20)";
const char* const kInsideAlpha = "内側(αi=8)";
const char* const kPlywood = "合板(例)";
const char* const kGlassWool = "ｸﾞﾗｽｳｰﾙ(例)";
const char* const kGypsum = "石膏板(例)";

// Chooses `name` from an open or closed list as a user does: the list opens
// (a click when it is closed), the keys walk to the entry and Enter takes it.
bool ChooseFromList(QComboBox* combo, const QString& name, bool alreadyOpen = false) {
  int index = -1;
  for (int i = 0; i < combo->count() && index < 0; ++i)
    if (combo->itemText(i) == name || combo->itemText(i).section(':', 1) == name) index = i;
  if (index < 0) {
    qWarning() << "no" << name << "in" << combo->objectName();
    return false;
  }
  if (!alreadyOpen) test::ClickWidget(combo);
  QAbstractItemView* view = combo->view();
  if (!QTest::qWaitForWindowExposed(view->window())) { qWarning() << "not exposed" << combo->isEnabled() << combo->isVisible(); return false; }
  QTest::keyClick(view, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_Return);
  for (int waited = 0; view->window()->isVisible() && waited < 1000; waited += 10) QTest::qWait(10);
  return !view->window()->isVisible();
}

double Number(const QString& text) { return text.trimmed().toDouble(); }

}  // namespace

class KDRFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempFolder> root;
  std::unique_ptr<test::BoxAnswers> boxes;
  TKDRForm* form = nullptr;
  std::string workDir;

  template <typename T>
  T* Find(const char* name) const {
    T* found = form->findChild<T*>(name);
    if (!found) qWarning() << "no component" << name;
    return found;
  }
  TStrGridEx* Layers() const { return Find<TStrGridEx>("STRG2_1"); }
  TStrGridEx* Properties() const { return Find<TStrGridEx>("STRG2_2"); }
  QAction* Action(const char* name) const { return Find<QAction>(name); }

  // Opens the window on `file` of the work folder (a new calculation when
  // it does not exist).
  void Open(const std::string& file) {
    LastCalcFile = workDir + file;
    form = new TKDRForm;
    form->Startup(false);
    QVERIFY(test::ShowActive(form));
  }

  void Type(const char* field, const QString& text) {
    auto* edit = Find<TEditEx>(field);
    QVERIFY(edit);
    test::ClickWidget(edit);
    edit->selectAll();
    test::TypeText(edit, text);
    test::PressKey(edit, Qt::Key_Return);
  }

  void ChooseMaterial(int row, const QString& name) {
    test::ClickCell(Layers(), 1, row);
    auto* combo = Find<TCBoxEx>("CBOX2_1");
    QVERIFY2(combo->isVisible(), qPrintable(QString("no material list on row %1").arg(row)));
    QVERIFY(ChooseFromList(combo, name, true));
  }

  void TypeInCell(TStrGridEx* grid, const char* editor, int col, int row, const QString& text) {
    test::ClickCell(grid, col, row);
    auto* edit = Find<TEditEx>(editor);
    QVERIFY2(edit->isVisible(), qPrintable(QString("no editor on cell %1,%2").arg(col).arg(row)));
    test::TypeText(edit, text);
    test::PressKey(edit, Qt::Key_Return);
  }

  void EnterConditions(const QString& title, const QString& part, const QString& ta, const QString& ha,
                       const QString& tb, const QString& hb) {
    Type("EDIT1_1", title);
    QVERIFY(ChooseFromList(Find<TCBoxEx>("CBOX1_1"), part));
    Type("EDIT1_2", ta);
    Type("EDIT1_3", ha);
    Type("EDIT1_4", tb);
    Type("EDIT1_5", hb);
  }

  // The worked example: plywood, glass wool and gypsum board between the
  // outer and inner air films; 0 °C / 80 % outside, 20 °C / 60 % inside.
  void EnterWorkedExample(const QString& part = "外壁") {
    EnterConditions(kExampleTitle, part, "0", "80", "20", "60");
    ChooseMaterial(1, kOutsideAlpha);
    ChooseMaterial(2, kPlywood);
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "12");
    ChooseMaterial(3, kGlassWool);
    TypeInCell(Layers(), "EDIT2_1", 2, 3, "100");
    ChooseMaterial(4, kGypsum);
    TypeInCell(Layers(), "EDIT2_1", 2, 4, "12");
    ChooseMaterial(5, kInsideAlpha);
  }

  void Calculate() {
    auto* calc = Find<QToolButton>("SBTN6");
    QVERIFY(calc->isEnabled());
    test::ClickWidget(calc);
  }

  void ChooseUnits(const QString& name) {
    auto* frame = Find<THJUNITFrame>("HJUNITFM");
    QVERIFY(ChooseFromList(frame->CBOX, name));
  }

  QString Grab(const QString& name) const {
    QTest::qWait(20);
    return test::GrabPng(form, name);
  }

  // The background of a cell, away from its text.
  QColor CellColour(TStrGridEx* grid, int col, int row) const {
    const QImage image = grid->viewport()->grab().toImage();
    const QRect r = grid->CellRect(col, row);
    return image.pixelColor(r.left() + 2, r.top() + 2);
  }

 private slots:
  void initTestCase() {
    root = std::make_unique<test::TempFolder>();
    const sfs::path tree(KONDRA_INSTALL_TREE);
    QVERIFY2(sfs::exists(tree / "DATA" / "DAT"), "the installation tree has not been built");
    for (const char* folder : {"DATA", "CAL"})
      sfs::copy(tree / folder, sfs::path(root->native()) / folder, sfs::copy_options::recursive);
    sfs::create_directories(sfs::path(root->native()) / "CAL" / "WORK");
    StartupOptions options;
    options.root = root->path();
    QVERIFY(StartProgram(options));
    workDir = CalcDir + "WORK\\";
  }

  void init() {
    test::ResetEditing();
    boxes = std::make_unique<test::BoxAnswers>();
    SetUnitSystem(kEngineeringUnits);
    AdoptIndoor = false;
  }

  void cleanup() {
    delete form;
    form = nullptr;
    boxes.reset();
    for (const auto& entry : sfs::directory_iterator(sfs::path(root->native()) / "CAL" / "WORK"))
      sfs::remove_all(entry.path());
  }

  void workedExampleTypedCalculatedAndSaved() {
    Open("W1.KDR");
    QVERIFY(Find<QWidget>("PNL_Mask")->isVisible());
    QVERIFY(!Find<QWidget>("GBOX2")->isVisible());
    QCOMPARE(Find<QGroupBox>("GBOX3")->title(), QString("【結露写真】"));
    Grab("mainwin-new");
    EnterWorkedExample();
    QCOMPARE(Calc.LayerCount, 5);
    QVERIFY(!Find<QWidget>("PNL_Mask")->isVisible());
    QCOMPARE(Layers()->Cells(1, 10), QString("  全層数    5 層"));
    QCOMPARE(Layers()->Cells(2, 10), QString(" 全厚 124.0"));
    QCOMPARE(Find<QLabel>("LBL1_1")->text(), QString("   3.67"));
    QCOMPARE(Find<QLabel>("LBL1_3")->text(), QString("  10.53"));
    QCOMPARE(Find<QGroupBox>("GBOX3")->title(), QString("【層構成図】"));
    Grab("mainwin-wall-mode0");

    Calculate();
    QVERIFY(Calc.Calculated);
    QCOMPARE(form->DisplayMode(), 1);
    QVERIFY(boxes->Panel(0).endsWith("〔結露計算完了〕"));
    TStrGridEx* grid = Properties();
    QCOMPARE(grid->Cells(2, 0), QString("計算(mmHg)"));
    const double temps[] = {0.00, 0.35, 0.96, 18.67, 19.11, 20.00};
    const double sats[] = {4.583, 4.702, 4.914, 16.147, 16.605, 17.543};
    for (int k = 1; k <= 6; ++k) {
      QVERIFY2(std::fabs(Number(grid->Cells(0, k)) - temps[k - 1]) <= 0.051, qPrintable(grid->Cells(0, k)));
      QVERIFY2(std::fabs(Number(grid->Cells(1, k)) - sats[k - 1]) <= 0.006, qPrintable(grid->Cells(1, k)));
    }
    QCOMPARE(grid->Cells(3, 3), QString("     4.91"));  // actual pressure held at saturation
    QVERIFY2(Number(grid->Cells(2, 3)) > 8.6, qPrintable(grid->Cells(2, 3)));
    QCOMPARE(grid->Cells(4, 3), QString(" ▲   1.90"));
    QVERIFY(grid->Cells(0, 7).isEmpty());
    QCOMPARE(Find<QLabel>("PNL1")->text(), QString("判定：<ｸﾞﾗｽｳｰﾙ(例)>と<合板(例)>間で内部結露発生"));
    QVERIFY(Find<QLabel>("PNL1")->isVisible());
    QCOMPARE(Find<QGroupBox>("GBOX3")->title(), QString("【結露線図】 厚さ"));
    QCOMPARE(Find<QGroupBox>("GBOX2")->title(), QString("【計算結果Ａ】"));
    QCOMPARE(Find<QLabel>("TXT1")->text(), QString("   1.90g/m2h"));
    QVERIFY(!Find<QLabel>("LBL_SURF")->isVisible());  // an inner plane needs no note
    QCOMPARE(Layers()->y(), 34);  // boundary rows between their layers
    Grab("mainwin-wall-mode1");

    // Table B through the display switch: cumulative sums per layer.
    auto* updown = Find<TUpDown>("UPDN1");
    QVERIFY(updown->isVisible());
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, updown->UpRect().center());
    QCOMPARE(form->DisplayMode(), 2);
    QCOMPARE(grid->Cells(0, 0), QString("Σ厚さ"));
    QCOMPARE(grid->Cells(0, 2), QString("     12.0"));
    QCOMPARE(grid->Cells(0, 3), QString("    112.0"));
    QCOMPARE(grid->Cells(0, 5), QString("    124.0"));
    QVERIFY2(std::fabs(Number(grid->Cells(2, 5)) - 2.8239) < 0.0011, qPrintable(grid->Cells(2, 5)));
    QVERIFY2(std::fabs(Number(grid->Cells(4, 5)) - 10.2163) < 0.0011, qPrintable(grid->Cells(4, 5)));
    QVERIFY(grid->Cells(0, 6).isEmpty());
    QCOMPARE(Find<QGroupBox>("GBOX3")->title(), QString("【結露線図】 透湿抵抗"));
    QCOMPARE(Layers()->y(), 24);
    Grab("mainwin-wall-mode2");

    // SI units (chosen in the input display): pressures in pascals, the
    // result table again from the menu.
    Action("MNU_Mode0")->trigger();
    QVERIFY(boxes->Panel(0).endsWith("〔計算条件表示〕"));
    ChooseUnits("ＳＩ単位");
    QCOMPARE(form->DisplayMode(), 0);
    QCOMPARE(Find<QLabel>("LBL1_1")->text(), QString("    489"));
    QCOMPARE(Find<QLabel>("LBL7")->text(), QString("Pa"));
    QVERIFY(Action("MNU_Mode1")->isEnabled());
    Action("MNU_Mode1")->trigger();
    QCOMPARE(grid->Cells(1, 0), QString("飽和(Pa)"));
    QCOMPARE(grid->Cells(1, 6), QString("     2339"));
    Grab("mainwin-wall-mode1-si");
    QVERIFY(!Find<THJUNITFrame>("HJUNITFM")->CBOX->isEnabled());  // not while results are shown
    test::ClickWidget(Find<QToolButton>("SBTN5"));
    QCOMPARE(form->DisplayMode(), 0);
    ChooseUnits("工学単位");
    QCOMPARE(Find<QLabel>("LBL1_1")->text(), QString("   3.67"));

    // Saved, the file holds the records kondra-cli writes for the same inputs.
    QVERIFY(SaveCalcFile(CalcPath));
    const std::string mine = workDir + "W1.KDR";
    const std::string cli = workDir + "CLI.KDR";
    QProcess process;
    process.start(QString(KONDRA_INSTALL_TREE) + "/kondra-cli",
                  {"--root", QString::fromStdString(root->native()), "new",
                   QString::fromStdString(root->native()) + "/CAL/WORK/CLI.KDR", "--title", kExampleTitle, "--part",
                   "1", "--side-a", "0,80", "--side-b", "20,60", "--layer", kOutsideAlpha, "--layer",
                   QString(kPlywood) + ":12", "--layer", QString(kGlassWool) + ":100", "--layer",
                   QString(kGypsum) + ":12", "--layer", kInsideAlpha});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    std::string a = test::ReadBytes(root->native() + "/CAL/WORK/W1.KDR");
    std::string b = test::ReadBytes(root->native() + "/CAL/WORK/CLI.KDR");
    QVERIFY(!a.empty() && !b.empty());
    // Past the header line (it holds the time of creation).
    QCOMPARE(QByteArray::fromStdString(a.substr(a.find('\n'))), QByteArray::fromStdString(b.substr(b.find('\n'))));
  }

  // A single glass pane in winter: the plane lies on the inner surface. Its
  // amount comes from the conventional rv of the α rows, so the window names
  // it surface condensation and points to the surface figures; the input
  // display shows no note.
  void surfaceCondensationToldAsSuch() {
    Open("G.KDR");
    EnterConditions("単板ガラス", "外壁", "-5", "80", "20", "60");
    ChooseMaterial(1, kOutsideAlpha);
    ChooseMaterial(2, "板ｶﾞﾗｽ");
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "3");
    ChooseMaterial(3, kInsideAlpha);
    QVERIFY(!Find<QLabel>("LBL_SURF")->isVisible());
    Calculate();
    QVERIFY(Calc.Calculated);
    QCOMPARE(Find<QLabel>("PNL1")->text(), QString("判定：<板ｶﾞﾗｽ>の内側で表面結露発生"));
    QVERIFY2(Properties()->Cells(4, 3).startsWith(" ▲"), qPrintable(Properties()->Cells(4, 3)));
    auto* rate = Find<QLabel>("TXT1");
    QVERIFY2(rate->text().startsWith("表面結露") && rate->text().endsWith("g/m2h"), qPrintable(rate->text()));
    QCOMPARE(rate->toolTip(), QString(kSurfaceAmountNote));
    auto* note = Find<QLabel>("LBL_SURF");
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), QString(kSurfaceAmountHint));
    QCOMPARE(note->toolTip(), QString(kSurfaceAmountNote));
    QVERIFY2(note->fontMetrics().horizontalAdvance(note->text()) <= note->width(), "the hint is cut");
    Grab("mainwin-glass-mode1");
    // The judgement clicked: the advice, then what the amount is.
    boxes->boxes.clear();
    test::ClickWidget(Find<QLabel>("PNL1"));
    QCOMPARE(boxes->Texts(), QStringList{QString("【結露防止対策】\r\r壁体の断熱を強化するか、内側（室内）の温度を高めます。\r\r") +
                                         kSurfaceAmountNote});
    auto* updown = Find<TUpDown>("UPDN1");
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, updown->UpRect().center());
    QCOMPARE(form->DisplayMode(), 2);
    QVERIFY(note->isVisible());
    Action("MNU_Mode0")->trigger();
    QVERIFY(!note->isVisible());
    QVERIFY(!rate->isVisible() || !rate->text().startsWith("表面結露"));
  }

  // Conditions beyond the fields' ranges are stored at the limits; text that
  // is no number, an expression, an empty field change nothing and say why.
  void conditionsTypedAsAUserDoes_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("item");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("remark");
    QTest::newRow("cold beyond -50") << "EDIT1_2" << "-80" << "-50.0" << kItemTempA << -50.0 << "";
    QTest::newRow("hot beyond 100") << "EDIT1_4" << "130" << "100.0" << kItemTempB << 100.0 << "";
    QTest::newRow("humidity 100") << "EDIT1_3" << "100" << "99" << kItemHumA << 99.0 << "";
    QTest::newRow("zero degrees") << "EDIT1_4" << "0" << "0" << kItemTempB << 0.0 << "";
    QTest::newRow("decimals rounded") << "EDIT1_2" << "12.34" << "12.3" << kItemTempA << 12.3 << "";
    QTest::newRow("full-width digits") << "EDIT1_4" << "－１２" << "-12.0" << kItemTempB << -12.0 << "";
    QTest::newRow("letters") << "EDIT1_2" << "abc" << "5.0" << kItemTempA << 5.0 << "※「abc」は数値ではありません。";
    QTest::newRow("expression with parenthesis")
        << "EDIT1_4" << "(3+4)" << "22.0" << kItemTempB << 22.0 << "※「(3+4)」は数値ではありません。";
    QTest::newRow("emptied") << "EDIT1_5" << "" << "55" << kItemHumB << 55.0 << "";
  }
  void conditionsTypedAsAUserDoes() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, item);
    QFETCH(double, stored);
    QFETCH(QString, remark);
    Open("C1.KDR");
    Type("EDIT1_1", "条件");
    QVERIFY(ChooseFromList(Find<TCBoxEx>("CBOX1_1"), "外壁"));
    Type("EDIT1_2", "5");
    Type("EDIT1_3", "50");
    Type("EDIT1_4", "22");
    Type("EDIT1_5", "55");
    Type(qPrintable(field), typed);
    QCOMPARE(Find<TEditEx>(qPrintable(field))->text(), shown);
    const TSideCond& side = Calc.SideCond[item <= kItemHumA ? 1 : 2];
    const float value = (item == kItemTempA || item == kItemTempB) ? side.Temp : side.RelHum;
    QVERIFY2(std::fabs(value - stored) < 1e-4, qPrintable(QString::number(value)));
    if (!remark.isEmpty()) QVERIFY2(boxes->Panel(0).contains(remark), qPrintable(boxes->Panel(0)));
    // What is stored is a valid file.
    QVERIFY(SaveCalcFile(CalcPath));
    QVERIFY(ReadCalcFile(CalcPath));
  }

  // The arrows beside a condition step it by whole numbers within its range.
  void conditionArrowsStepTheValue() {
    Open("C2.KDR");
    EnterConditions("矢印", "外壁", "-49.6", "98", "20", "60");
    auto* temp = Find<TUpDown>("UPDN1_2");
    auto* hum = Find<TUpDown>("UPDN1_3");
    QCOMPARE(temp->value(), -50);
    QTest::mouseClick(temp, Qt::LeftButton, Qt::NoModifier, temp->UpRect().center());
    QCOMPARE(Calc.SideCond[1].Temp, -49.0f);
    QCOMPARE(Find<TEditEx>("EDIT1_2")->text(), QString("-49.0"));
    QTest::mouseClick(hum, Qt::LeftButton, Qt::NoModifier, hum->UpRect().center());
    QTest::mouseClick(hum, Qt::LeftButton, Qt::NoModifier, hum->UpRect().center());
    QCOMPARE(Calc.SideCond[1].RelHum, 99.0f);
    QVERIFY(DataModified);
  }

  void titleLimitsAndCharactersShiftJISCannotHold() {
    Open("T1.KDR");
    auto* title = Find<TEditEx>("EDIT1_1");
    // 90 bytes typed: the field takes 80, the file keeps 60.
    test::ClickWidget(title);
    test::TypeText(title, QString(45, QChar(u'壁')));
    QCOMPARE(title->text(), QString(40, QChar(u'壁')));
    test::PressKey(title, Qt::Key_Return);
    QCOMPARE(Calc.Title, S(QString(30, QChar(u'壁'))));
    QCOMPARE(title->text(), QString(30, QChar(u'壁')));
    // A character Shift-JIS cannot hold is refused as it is typed.
    test::ClickWidget(title);
    title->selectAll();
    test::TypeText(title, QString("外壁") + QString::fromUtf8("\xF0\x9F\x98\x80") + "A");
    QTRY_VERIFY2(boxes->Panel(0).contains("Shift-JISにない文字"), qPrintable(boxes->Panel(0)));
    test::PressKey(title, Qt::Key_Return);
    QCOMPARE(Calc.Title, std::string("外壁A"));
    QVERIFY(SaveCalcFile(CalcPath));
    QVERIFY(ReadCalcFile(CalcPath));
    QCOMPARE(Calc.Title, std::string("外壁A"));
  }

  void layerRowsRefusedByTheirChecks() {
    Open("L1.KDR");
    EnterConditions("層", "外壁", "0", "80", "20", "60");
    // A first row that is no surface coefficient.
    ChooseMaterial(1, kPlywood);
    QCOMPARE(boxes->Texts().value(0), QString(kFirstRowNotAlpha));
    QCOMPARE(boxes->boxes.at(0).kind, 3);
    QCOMPARE(Calc.LayerCount, 0);
    QVERIFY(Layers()->Cells(1, 1).isEmpty());
    ChooseMaterial(1, kOutsideAlpha);
    ChooseMaterial(2, kPlywood);
    ChooseMaterial(3, kInsideAlpha);
    // Two surface coefficients in succession.
    ChooseMaterial(4, kOutsideAlpha);
    QCOMPARE(boxes->Texts().value(1), QString(kTwoAlphaRows));
    QCOMPARE(Calc.LayerCount, 3);
    QVERIFY(Layers()->Cells(1, 4).isEmpty());
    // A heading of the list is no material.
    ChooseMaterial(4, "【左官材料】");
    QCOMPARE(Calc.LayerCount, 3);
    QCOMPARE(boxes->boxes.size(), size_t(2));

    // The thickness of a surface row is grey and opens no editor; a material's is white.
    QCOMPARE(CellColour(Layers(), 2, 1), Layers()->FixedColor());
    QCOMPARE(CellColour(Layers(), 2, 2), QColor(Qt::white));
    test::ClickCell(Layers(), 2, 1);
    QVERIFY(!Find<TEditEx>("EDIT2_1")->isVisible());
    QVERIFY(!Edit.editing);
    // A thickness of 0 for a material row is refused.
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "30");
    QCOMPARE(Calc.LayerData[2].Thickness, 30.0f);
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "0");
    QCOMPARE(Calc.LayerData[2].Thickness, 30.0f);
    QCOMPARE(Layers()->Cells(2, 2).trimmed(), QString("30.0"));
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "x1");
    QCOMPARE(Calc.LayerData[2].Thickness, 30.0f);

    // Rows fill from the top: with three rows a click on row 6 only moves up.
    test::ClickCell(Layers(), 1, 6);
    QVERIFY(!Find<TCBoxEx>("CBOX2_1")->isVisible());
    QCOMPARE(Layers()->Row(), 5);
    test::ClickCell(Layers(), 1, 4);
    auto* list = Find<TCBoxEx>("CBOX2_1");
    QVERIFY(list->isVisible());
    QTRY_VERIFY(list->view()->isVisible());
    QTest::keyClick(list->view(), Qt::Key_Escape);
    test::PressKey(list, Qt::Key_Escape);
    test::ClickWidget(Find<TEditEx>("EDIT1_1"));
    QCOMPARE(Calc.LayerCount, 3);
  }

  void calcNeedsCompleteInputs() {
    Open("E1.KDR");
    EnterConditions("等圧", "外壁", "20", "60", "20", "60");
    ChooseMaterial(1, kOutsideAlpha);
    ChooseMaterial(2, kPlywood);
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "12");
    ChooseMaterial(3, kInsideAlpha);
    // Equal vapour pressures: no flow, nothing to calculate.
    QCOMPARE(Find<QLabel>("LBL1_1")->text(), Find<QLabel>("LBL1_3")->text());
    QVERIFY(Find<QLabel>("LBL1_1")->styleSheet().contains("#ff0000"));
    QVERIFY(Find<QLabel>("LBL1_ER")->isVisible());
    QCOMPARE(Find<QLabel>("LBL1_ER")->text(), QString("※未入力あり"));
    QVERIFY(!Find<QToolButton>("SBTN6")->isEnabled());
    QVERIFY(!Action("MNU_Calc")->isEnabled());
    Type("EDIT1_2", "0");
    QVERIFY(!Find<QLabel>("LBL1_ER")->isVisible());
    QVERIFY(!Find<QLabel>("LBL2_ER")->isVisible());
    QVERIFY(Find<QToolButton>("SBTN6")->isEnabled());
    // A material row without its thickness: the layers are incomplete.
    ChooseMaterial(3, kGypsum);
    ChooseMaterial(4, kInsideAlpha);
    QVERIFY(Find<QLabel>("LBL2_ER")->isVisible());
    QVERIFY(!Find<QToolButton>("SBTN6")->isEnabled());
    TypeInCell(Layers(), "EDIT2_1", 2, 3, "9.5");
    QVERIFY(Find<QToolButton>("SBTN6")->isEnabled());
    // The result displays are offered after a calculation only, and any
    // input takes them away again.
    QVERIFY(!Action("MNU_Mode1")->isEnabled());
    // The report pictures of an earlier calculation go; other files stay.
    const std::string folder = root->native() + "/CAL/WORK/";
    for (const char* name : {"E1(0).EMF", "E1(2).EMF", "E10(1).EMF"}) test::WriteBytes(folder + name, "EMF");
    Calculate();
    QVERIFY(!sfs::exists(folder + "E1(0).EMF") && !sfs::exists(folder + "E1(2).EMF"));
    QVERIFY(sfs::exists(folder + "E10(1).EMF"));
    QVERIFY(Action("MNU_Mode1")->isEnabled() && Action("MNU_Mode2")->isEnabled());
    QVERIFY(!Find<QLabel>("PNL1")->text().isEmpty());
    test::ClickWidget(Find<QToolButton>("SBTN5"));
    Type("EDIT1_5", "70");
    QVERIFY(!Calc.Calculated);
    QVERIFY(!Action("MNU_Mode1")->isEnabled() && !Action("MNU_Mode2")->isEnabled());
    QVERIFY(!Find<QWidget>("UPDN1")->isVisible());
  }

  void propertyValuesInSIUnitsAreStoredInEngineeringUnits() {
    Open("S1.KDR");
    EnterConditions("SI", "外壁", "0", "80", "20", "60");
    ChooseMaterial(1, kOutsideAlpha);
    ChooseMaterial(2, kPlywood);
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "12");
    ChooseMaterial(3, kInsideAlpha);
    ChooseUnits("ＳＩ単位");
    QCOMPARE(Find<THJUNITFrame>("HJUNITFM")->CBOX->toolTip(), QString("入力・表示単位系（ＳＩ単位）"));
    // r beside a λ and the cells of the surface rows are not typed in.
    QCOMPARE(CellColour(Properties(), 1, 2), Properties()->FixedColor());
    QCOMPARE(CellColour(Properties(), 0, 1), Properties()->FixedColor());
    test::ClickCell(Properties(), 1, 2);
    QVERIFY(!Find<TEditEx>("EDIT2_2")->isVisible());
    TypeInCell(Properties(), "EDIT2_2", 0, 2, "0.04");
    QVERIFY2(std::fabs(Calc.LayerData[2].Conductivity - 0.0344f) < 0.0006f,
             qPrintable(QString::number(Calc.LayerData[2].Conductivity)));
    Read_NSV5(CalcStore, 2102);
    QVERIFY(std::fabs(SLDT_NSV5.Value[2] - 0.0344f) < 0.0006f);
    // Shown again in SI units: about 0.04 W/(m･K).
    QVERIFY2(std::fabs(Number(Properties()->Cells(0, 2)) - 0.04) < 0.001, qPrintable(Properties()->Cells(0, 2)));
    // The same unit system chosen again changes nothing.
    ChooseUnits("ＳＩ単位");
    QCOMPARE(UnitSystemName, std::string(kSIUnits));
  }

  void rowsInsertedAndDeletedThroughThePopup() {
    Open("P1.KDR");
    EnterConditions("行", "外壁", "0", "80", "20", "60");
    ChooseMaterial(1, kOutsideAlpha);
    ChooseMaterial(2, kPlywood);
    TypeInCell(Layers(), "EDIT2_1", 2, 2, "12");
    ChooseMaterial(3, kInsideAlpha);
    QMenu* popup = form->PopupMenu();
    auto item = [popup](const char* name) { return popup->findChild<QAction*>(name); };

    test::ClickCell(Layers(), 0, 2, Qt::RightButton);
    QVERIFY(boxes->Panel(0).contains("行の挿入、削除ができます。"));
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(item("POP1_Insert")->text(), QString("材料№２＜合板(例)＞の手前に１行挿入する(&I)..."));
    QCOMPARE(item("POP1_Delete")->text(), QString("材料№２＜合板(例)＞を削除する(&D)..."));
    popup->hide();
    boxes->answers = {MsgButton::Yes};
    item("POP1_Insert")->trigger();
    QCOMPARE(Calc.LayerCount, 4);
    QCOMPARE(Layers()->Cells(1, 3), QString(kPlywood));
    QCOMPARE(Layers()->Cells(1, 4), QString(kInsideAlpha));
    QVERIFY(DataModified);

    // Row 1 offers no insertion; a row below the last opens no popup.
    test::ClickCell(Layers(), 0, 1, Qt::RightButton);
    QTRY_VERIFY(popup->isVisible());
    QVERIFY(!item("POP1_Insert")->isVisible());
    popup->hide();
    test::ClickCell(Layers(), 0, 6, Qt::RightButton);
    QTest::qWait(20);
    QVERIFY(!popup->isVisible());

    test::ClickCell(Layers(), 0, 3, Qt::RightButton);
    QTRY_VERIFY(popup->isVisible());
    popup->hide();
    boxes->answers = {MsgButton::No};
    item("POP1_Delete")->trigger();
    QCOMPARE(Calc.LayerCount, 4);
    boxes->answers = {MsgButton::Yes};
    item("POP1_Delete")->trigger();
    QCOMPARE(Calc.LayerCount, 3);
    QCOMPARE(Layers()->Cells(1, 3), QString(kInsideAlpha));
    QVERIFY(Layers()->Cells(1, 4).isEmpty());
  }

  // A floor: the same layers stacked from side A at the top; the picture
  // cycles through the three displays when clicked.
  void floorDisplaysCycledByThePicture() {
    Open("F1.KDR");
    EnterWorkedExample("床(床下に面する)");
    QCOMPARE(Find<QLabel>("LBL1_01")->text(), QString("室内"));
    QCOMPARE(Find<QLabel>("LBL1_02")->text(), QString("床下"));
    QCOMPARE(Find<QPushButton>("SBTN2_1")->text(), QString("※層構成は＜室内から＞熱伝達率αより入力します。"));
    Grab("mainwin-floor-mode0");
    auto* picture = Find<TImageEx>("IMAG");
    const QImage section = picture->Picture();
    test::ClickWidget(picture);  // nothing calculated yet: no switch
    QCOMPARE(form->DisplayMode(), 0);
    Calculate();
    QCOMPARE(form->DisplayMode(), 1);
    QCOMPARE(picture->toolTip(), QString("表示切替"));
    QVERIFY(picture->Picture() != section);
    Grab("mainwin-floor-mode1");
    test::ClickWidget(picture);
    QCOMPARE(form->DisplayMode(), 2);
    QCOMPARE(Find<QGroupBox>("GBOX2")->title(), QString("【計算結果Ｂ】"));
    QVERIFY(boxes->Panel(0).contains("〔計算結果Ｂ表示〕 : Ｘ軸を透湿抵抗分割で表示"));
    Grab("mainwin-floor-mode2");
    test::ClickWidget(picture);
    QCOMPARE(form->DisplayMode(), 0);
    QCOMPARE(Find<QGroupBox>("GBOX3")->title(), QString("【層構成図】"));
    QCOMPARE(picture->Picture(), section);
    // Still calculated: the menu goes straight to table B; the switch steps back.
    Action("MNU_Mode2")->trigger();
    QCOMPARE(form->DisplayMode(), 2);
    auto* updown = Find<TUpDown>("UPDN1");
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, updown->DownRect().center());
    QCOMPARE(form->DisplayMode(), 1);
    QCOMPARE(Find<QPushButton>("SBTN2_1")->text(), QString("※ここでは編集できません。"));
    // Nothing is edited in a result display.
    test::ClickCell(Layers(), 1, 2);
    QVERIFY(!Find<TCBoxEx>("CBOX2_1")->isVisible());
    QVERIFY(!Find<TEditEx>("EDIT1_2")->isEnabled());
  }

  // The explanations behind labels, column titles, the judgement and the hint button.
  void explanationsOnClick() {
    Open("X1.KDR");
    EnterWorkedExample();
    struct Case {
      const char* label;
      QString text;
    };
    const QString head = "ＳＩ単位系への換算係数\r\r";
    const Case labels[] = {
        {"LBL7", head + "水蒸気分圧（mmHg）→ ×133.322（Pa）"},
        {"LBL8", head + "水蒸気分圧（mmHg）→ ×133.322（Pa）"},
        {"LBL5", head + "熱貫流率(Ｋ値)（kcal/㎡h℃）→ ×1.16279（W/㎡Ｋ）"},
        {"LBL10", head + "湿気貫流率(Ｐ値)（g/㎡hmmHg）→ ×2083.6（ng/㎡sPa）"},
    };
    for (const Case& c : labels) {
      boxes->boxes.clear();
      test::ClickWidget(Find<QLabel>(c.label));
      QCOMPARE(boxes->Texts(), QStringList{c.text});
    }
    const QString columns[] = {"熱伝導率(λ)（kcal/mh℃）→ ×1.16279（W/mＫ）", "熱抵抗(r)（㎡h℃/kcal）→ ×0.86（㎡Ｋ/W）",
                               "透湿率(p)（g/mhmmHg）→ ×2084（ng/msPa）", "透湿抵抗(rv)（㎡hmmHg/g）→ ×0.00048（㎡sPa/ng）"};
    for (int c = 0; c < 4; ++c) {
      boxes->boxes.clear();
      test::ClickCell(Properties(), c, 0);
      QCOMPARE(boxes->Texts(), QStringList{head + columns[c]});
    }
    boxes->boxes.clear();
    test::ClickCell(Properties(), 4, 0);  // the spare column explains nothing
    QVERIFY(boxes->boxes.empty());

    test::ClickWidget(Find<QPushButton>("SBTN2_1"));
    QCOMPARE(boxes->boxes.size(), size_t(1));
    QVERIFY(boxes->Texts()[0].startsWith("○層構成の最初と最後には必ず＜表面熱伝達率（α）＞を入力して下さい。\r"));
    QVERIFY(boxes->Texts()[0].endsWith("\r○【１行挿入】や【１行削除】は、左の層番号を右クリックすることで行えます。"));

    Calculate();
    boxes->boxes.clear();
    QCOMPARE(Find<QLabel>("PNL1")->toolTip(), QString("説明文あり"));
    test::ClickWidget(Find<QLabel>("PNL1"));
    QCOMPARE(boxes->Texts(),
             QStringList{"【結露防止対策】\r\r<ｸﾞﾗｽｳｰﾙ(例)>の高温側に防湿層を施工する必要があります。\r\r"
                         "また少量の結露では<合板(例)>に湿気容量があれば実害に至らない場合もあります。"});
  }

  // Back from another window of the program: a room condition handed over
  // becomes side B's, and the window is in the input display again.
  void activationTakesTheHandedOverCondition() {
    Open("H1.KDR");
    EnterWorkedExample();
    Calculate();
    QCOMPARE(form->DisplayMode(), 1);
    QWidget tool;
    tool.setWindowTitle("結露の話");
    tool.resize(200, 100);
    QVERIFY(test::ShowActive(&tool));
    Edit.newText = HandoverText(24.0f, 45.0f);
    AdoptIndoor = true;
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    QTRY_COMPARE(Calc.SideCond[2].Temp, 24.0f);
    QCOMPARE(Calc.SideCond[2].RelHum, 45.0f);
    QVERIFY(!AdoptIndoor);
    QCOMPARE(form->DisplayMode(), 0);
    QCOMPARE(Find<TEditEx>("EDIT1_4")->text(), QString("24.0"));
    QCOMPARE(Find<TEditEx>("EDIT1_5")->text(), QString("45"));
    QVERIFY(boxes->Panel(0).contains("roraridev Ver.8.20"));
    QVERIFY(!Calc.Calculated);
  }

  // The file list opens another calculation of the folder, after asking
  // whether unsaved changes may go.
  void anotherFileChosenFromTheList() {
    Open("A1.KDR");
    EnterConditions("一つ目", "外壁", "0", "80", "20", "60");
    QVERIFY(SaveCalcFile(CalcPath));
    LastCalcFile = workDir + "B1.KDR";
    QVERIFY(ReadCalcFile(workDir + "A1.KDR"));
    NewCalcFile(workDir + "B1.KDR");
    form->RefreshScreen();
    Type("EDIT1_1", "二つ目");
    QVERIFY(DataModified);
    auto* files = Find<TCBoxEx>("CBOX0");
    const QString other = QString::fromStdString(workDir + "A1.KDR");
    boxes->answers = {MsgButton::No};
    QVERIFY(ChooseFromList(files, other));
    QCOMPARE(boxes->Texts().value(0), QString("現在編集中のデータを廃棄してもいいですか？"));
    QCOMPARE(Calc.Title, std::string("二つ目"));
    boxes->answers = {MsgButton::Yes};
    QVERIFY(ChooseFromList(files, other));
    QCOMPARE(CalcPath, workDir + "A1.KDR");
    QCOMPARE(Calc.Title, std::string("一つ目"));
    QCOMPARE(Find<TEditEx>("EDIT1_1")->text(), QString("一つ目"));
    QVERIFY(!DataModified);
  }

  // Commands carried out elsewhere stay disabled until they are given; then
  // they follow the window's state: the sample cannot be saved, a file is
  // saved over only when changed, the file commands only in the input display.
  void commandsFollowTheWindowState() {
    Open("..\\KDR\\TEST_KDR.KDR");
    QVERIFY(Find<QLabel>("TXT_S")->isVisible());
    QCOMPARE(Find<QLabel>("TXT_S")->toolTip(), QString("このファイルは保存することができません"));
    QVERIFY(!Action("MNU_New")->isEnabled() && !Find<QToolButton>("SBTN1")->isEnabled());
    QVERIFY(!Action("MNU_Material")->isEnabled());
    int saves = 0, news = 0;
    form->SetCommand(TKDRForm::Command::New, [&news] { ++news; });
    form->SetCommand(TKDRForm::Command::Save, [&saves] { ++saves; });
    form->SetCommand(TKDRForm::Command::SaveAs, [] {});
    QVERIFY(Action("MNU_New")->isEnabled());
    test::ClickWidget(Find<QToolButton>("SBTN1"));
    QCOMPARE(news, 1);
    Type("EDIT1_5", "65");
    QVERIFY(DataModified);
    QVERIFY(!Action("MNU_Save")->isEnabled() && !Action("MNU_SaveAs")->isEnabled());
    // The sample as it stands calculates; the file commands wait meanwhile.
    Calculate();
    QVERIFY(!Action("MNU_New")->isEnabled() && !Find<QToolButton>("SBTN2")->isEnabled());
    test::ClickWidget(Find<QToolButton>("SBTN5"));
    QVERIFY(Action("MNU_New")->isEnabled());

    // A saved file of the user's own.
    QVERIFY(SaveCalcFile(workDir + "OWN.KDR"));
    form->RefreshScreen();
    QVERIFY(!Find<QLabel>("TXT_S")->isVisible());
    QVERIFY(!Action("MNU_Save")->isEnabled());
    Type("EDIT1_5", "66");
    QVERIFY(Action("MNU_Save")->isEnabled() && Find<QToolButton>("SBTN3")->isEnabled());
    test::ClickWidget(Find<QToolButton>("SBTN3"));
    QCOMPARE(saves, 1);
  }

  // The title as file name: offered for a short title that names no file of
  // the folder yet.
  void titleAsFileNameOffered() {
    Open("N1.KDR");
    auto* check = Find<QCheckBox>("CBTN_Com");
    QVERIFY(!check->isVisible());
    int applied = 0;
    form->SetCommand(TKDRForm::Command::TitleAsFileName, [&applied] { ++applied; });
    struct Case {
      QString title;
      bool enabled;
    };
    QVERIFY(SaveCalcFile(workDir + "壁A.KDR"));
    NewCalcFile(workDir + "N1.KDR");
    form->RefreshScreen();
    const Case cases[] = {
        {"北側外壁", true},
        {QString(20, QChar(u'壁')), true},   // 40 bytes
        {QString(20, QChar(u'壁')) + "1", false},  // 41 bytes
        {"壁A", false},                       // a file of that name exists
        {"壁a", false},
    };
    for (const Case& c : cases) {
      Type("EDIT1_1", c.title);
      QVERIFY(check->isVisible());
      QVERIFY2(check->isEnabled() == c.enabled, qPrintable(c.title));
    }
    Type("EDIT1_1", "北側外壁");
    test::ClickWidget(check);
    QCOMPARE(applied, 1);
    QVERIFY(!check->isChecked());
  }

  void unitSystemExplained() {
    Open("U1.KDR");
    auto* frame = Find<THJUNITFrame>("HJUNITFM");
    QCOMPARE(frame->CBOX->count(), 2);
    QCOMPARE(frame->CBOX->currentText(), QString("工学単位"));
    QCOMPARE(frame->CBOX->toolTip(), QString("入力・表示単位系（工学単位）"));
    test::ClickWidget(frame->SBTN);
    QCOMPARE(boxes->boxes.size(), size_t(1));
    QVERIFY(!boxes->Texts()[0].isEmpty());
  }

  // The components stand where the window's layout puts them.
  void layoutOfTheWindow() {
    Open("G1.KDR");
    QCOMPARE(form->windowTitle(), QString("roraridev Ver.8.20"));
    struct Place {
      const char* name;
      QRect rect;
    };
    const Place places[] = {
        {"COOL", {0, 0, 674, 29}},        {"GBOX1", {13, 40, 497, 161}},   {"GBOX3", {518, 40, 145, 161}},
        {"GBOX2", {13, 208, 650, 267}},   {"PNL1", {278, 447, 379, 22}},   {"IMAG", {2, 15, 140, 142}},
        {"STRG2_1", {20, 24, 230, 211}},  {"STRG2_2", {263, 24, 366, 210}}, {"PNL_Mask", {16, 48, 473, 105}},
        {"TXT_01", {168, 45, 14, 16}},    {"TXT_09", {168, 197, 14, 16}},  {"TXT_Msg", {256, 336, 240, 16}},
    };
    for (const Place& p : places) QCOMPARE(Find<QWidget>(p.name)->geometry(), p.rect);
    QCOMPARE(Find<QWidget>("CBOX0")->geometry().topLeft(), QPoint(276, 2));
    QCOMPARE(Find<QWidget>("CBOX0")->width(), 382);
    QCOMPARE(Find<QWidget>("UPDN1")->pos(), QPoint(623, 448));
    // Each swatch beside its row of the layer grid.
    for (int k = 1; k <= 9; ++k) {
      QWidget* swatch = Find<QWidget>(qPrintable(QString("TXT_0%1").arg(k)));
      const QRect cell = Layers()->CellRect(2, k).translated(Layers()->geometry().topLeft());
      QVERIFY(std::abs(swatch->geometry().center().y() - cell.center().y()) <= 2);
    }
  }
};

QTEST_MAIN(KDRFormTest)
#include "tst_KDRForm.moc"
