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
};

QTEST_MAIN(KDRFormTest)
#include "tst_KDRForm.moc"
