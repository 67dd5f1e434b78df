// The main window under a long run of random but legal user actions, on a
// copy of the factory installation: typing into the condition fields and
// the grid cells, choosing the part class and materials, inserting and
// deleting rows through the popup, Calc, the display switches, the unit
// switch, saving, reopening and choosing another file from the file list.
//
// After every action the window must still stand, every list and popup must
// be closed again, the open store must be a valid calculation file whose
// inputs rebuild to exactly what the window calculates with, the fields must
// show those inputs, and a calculation must lie within physical bounds.
// After every save the file must open again to the same records and inputs.
//
// The run is fixed by a seed: KONDRA_SOAK_SEED (default 1) and
// KONDRA_SOAK_STEPS (default 1000). A failure prints both, the step and the
// last actions, so the run can be replayed; KONDRA_SOAK_VERBOSE=1 prints
// every action as it happens (for a crash, whose own output names no step).
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "calc/Engine.h"
#include "controls/CBoxEx.h"
#include "controls/EditEx.h"
#include "controls/ImagEx.h"
#include "controls/QtText.h"
#include "controls/StrGEx.h"
#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/Environment.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Units.h"
#include "gui/support/GuiTest.h"
#include "mainwin/HJUNITFM.h"
#include "mainwin/KDRForm.h"
#include "materials/MaterialFiles.h"
#include "records/RecordStore.h"
#include "support/TestEnv.h"
#include "weather/gui/UpDown.h"

using namespace kondra;

namespace {

namespace sfs = std::filesystem;

unsigned EnvNumber(const char* name, unsigned fallback) {
  bool ok = false;
  const unsigned value = qEnvironmentVariable(name).toUInt(&ok);
  return ok ? value : fallback;
}

// What a user types into a number field: plain numbers inside and outside
// the field's range, decimals, full-width digits, and text that is no number.
const QStringList kTemperatures = {"0",   "20",  "-5",   "22.5", "-49.6", "100", "130", "-80",
                                   "3.14", "－１２", "１５", "abc", "(3+4)", "",     ".5",  "-0"};
const QStringList kHumidities = {"0", "50", "60", "80", "99", "100", "45.5", "150", "-3", "８５", "x", ""};
const QStringList kTitles = {"外壁",
                             "北側外壁（木造）",
                             "Wall A",
                             "屋根 - 断熱 100mm",
                             "ｶﾀｶﾅ ﾀｲﾄﾙ",
                             QString(45, QChar(u'壁')),
                             "  ",
                             QString("外壁") + QString::fromUtf8("\xF0\x9F\x98\x80") + "B",
                             "a,b;\"c\"",
                             "壁A"};
const QStringList kThicknesses = {"12", "100", "9.5", "0.1", "50", "0", "-3", "x1", "１２", "99999", "3000", ""};
const QStringList kPropertyValues = {"0.04", "0.1", "1.5", "0.0001", "25", "0", "-1", "zz", "９", "1e3", ""};

// The fields of the record of a calculation's inputs compared after a
// rebuild or a reload: everything the engine takes.
bool SameInputs(const CalcState& a, const CalcState& b, QString& what) {
  auto differs = [&what](const QString& name) {
    what = name;
    return false;
  };
  if (a.Title != b.Title) return differs("title");
  if (a.PartIndex != b.PartIndex || a.PartName != b.PartName || a.PartVertical != b.PartVertical)
    return differs("part class");
  if (a.SideNameA != b.SideNameA || a.SideNameB != b.SideNameB) return differs("side names");
  for (int s = 1; s <= 2; ++s) {
    const TSideCond &x = a.SideCond[s], &y = b.SideCond[s];
    if (x.Temp != y.Temp || x.RelHum != y.RelHum || x.VapPress != y.VapPress || x.DewPoint != y.DewPoint)
      return differs(QString("side %1 conditions").arg(s));
  }
  if (a.LayerCount != b.LayerCount) return differs("layer count");
  for (int k = 1; k <= kMaxLayers; ++k) {
    if (a.LayerName[k] != b.LayerName[k]) return differs(QString("layer %1 name").arg(k));
    for (int i = 1; i <= 5; ++i)
      if (a.LayerData[k].Value(i) != b.LayerData[k].Value(i))
        return differs(QString("layer %1 value %2").arg(k).arg(i));
  }
  if (a.LayerKinds != b.LayerKinds || a.TotalThickness != b.TotalThickness ||
      a.TotalThermalRes != b.TotalThermalRes || a.TotalVapourRes != b.TotalVapourRes)
    return differs("sums");
  return true;
}

}  // namespace

class SoakTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempFolder> root;
  std::unique_ptr<test::BoxAnswers> boxes;
  TKDRForm* form = nullptr;
  std::string workDir;
  std::mt19937 rng;
  unsigned seed = 1;
  unsigned steps = 1000;
  unsigned step = 0;
  bool verbose = false;
  std::deque<QString> journal;
  // What each saved file of the work folder holds.
  std::map<std::string, std::vector<std::string>> saved;
  // Counts of the actions that had an effect, printed at the end.
  int calculations = 0, saves = 0, reopenings = 0, rowCommands = 0;

  int Pick(int n) { return n <= 1 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  const QString& PickText(const QStringList& list) { return list[Pick(static_cast<int>(list.size()))]; }

  // Straight to the error output: the test log stops printing messages after
  // its limit of warnings, and a long run's platform warnings reach it.
  static void Say(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
  }

  void Note(const QString& action) {
    const QString line = QString("step %1: %2").arg(step).arg(action);
    if (verbose) Say(line);
    journal.push_back(line);
    if (journal.size() > 16) journal.pop_front();
  }

  template <typename T>
  T* Find(const char* name) const {
    return form->findChild<T*>(name);
  }
  TStrGridEx* Layers() const { return Find<TStrGridEx>("STRG2_1"); }
  TStrGridEx* Properties() const { return Find<TStrGridEx>("STRG2_2"); }

  // A user clicks only what is on screen and not covered by another part of
  // the window: the click lands when the point of `widget` is what the
  // window holds there.
  static bool Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    if (!widget->isVisible()) return false;
    QWidget* top = widget->window();
    QWidget* hit = top->childAt(widget->mapTo(top, at));
    if (hit != widget && !widget->isAncestorOf(hit)) return false;
    QTest::mouseClick(widget, button, Qt::NoModifier, at);
    return true;
  }
  static bool Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
    return Click(widget, widget->rect().center(), button);
  }
  static bool ClickCell(TStrGridEx* grid, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    return Click(grid->viewport(), grid->CellRect(col, row).center(), button);
  }

  void OpenWindow() {
    form = new TKDRForm;
    form->Startup(false);
    QVERIFY(test::ShowActive(form));
  }

  void CloseWindow() {
    delete form;
    form = nullptr;
  }

  // Waits until a dropped list has closed.
  static bool ListClosed(QComboBox* combo) {
    QWidget* popup = combo->view()->window();
    for (int waited = 0; popup->isVisible() && waited < 1000; waited += 5) QTest::qWait(5);
    return !popup->isVisible();
  }

  // Walks an open list to entry `index` with the keys and takes it with
  // Enter, or leaves it with Escape.
  void ChooseInOpenList(QComboBox* combo, int index, bool escape) {
    QAbstractItemView* view = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, escape ? Qt::Key_Escape : Qt::Key_Return);
    QVERIFY2(ListClosed(combo), qPrintable(combo->objectName()));
    if (escape && combo->isVisible()) test::PressKey(combo, Qt::Key_Escape);
  }

  // A closed list: clicked open when it is enabled, then an entry chosen.
  void ChooseInList(QComboBox* combo, int index) {
    if (combo->count() == 0 || !combo->isEnabled() || !Click(combo)) return;
    ChooseInOpenList(combo, index, Chance(5));
  }

  // Ends a field's typing the ways a user does: mostly Enter, sometimes
  // Tab, sometimes Escape.
  void EndTyping(QWidget* edit) {
    const int how = Pick(10);
    test::PressKey(edit, how < 7 ? Qt::Key_Return : how < 9 ? Qt::Key_Tab : Qt::Key_Escape);
  }

  // ------------------------------------------------------------ actions

  void TypeCondition() {
    static const char* const fields[] = {"EDIT1_1", "EDIT1_2", "EDIT1_3", "EDIT1_4", "EDIT1_5"};
    const int f = Pick(5);
    const QString text = f == 0                ? PickText(kTitles)
                         : f == 1 || f == 3 ? PickText(kTemperatures)
                                            : PickText(kHumidities);
    Note(QString("type %1 into %2").arg(text, fields[f]));
    auto* edit = Find<TEditEx>(fields[f]);
    QVERIFY(edit);
    Click(edit);
    if (!edit->hasFocus()) return;  // a field not open to input
    edit->selectAll();
    test::TypeText(edit, text);
    EndTyping(edit);
  }

  void StepCondition() {
    static const char* const arrows[] = {"UPDN1_2", "UPDN1_3", "UPDN1_4", "UPDN1_5"};
    auto* updown = Find<TUpDown>(arrows[Pick(4)]);
    QVERIFY(updown);
    const bool up = Chance(50);
    Note(QString("%1 arrow of %2").arg(up ? "up" : "down", updown->objectName()));
    if (!updown->isEnabled()) return;
    Click(updown, (up ? updown->UpRect() : updown->DownRect()).center());
  }

  void ChoosePart() {
    auto* combo = Find<TCBoxEx>("CBOX1_1");
    const int index = Pick(combo->count());
    Note(QString("part class %1 of %2").arg(index).arg(combo->count()));
    ChooseInList(combo, index);
  }

  // A material for a row: mostly one the row can take (a surface row first
  // and last, materials between), sometimes any entry of the list.
  int MaterialIndex(int row) {
    auto* combo = Find<TCBoxEx>("CBOX2_1");
    const int count = combo->count();
    if (Chance(25)) return Pick(count);
    const bool surface = row == 1 || (row > 2 && Chance(40));
    const std::vector<int> fitting = Materials(surface);
    return fitting.empty() ? Pick(count) : PickOf(fitting);
  }

  void ChooseMaterial() {
    const int row = 1 + Pick(std::min(kMaxLayers, Calc.LayerCount + 2));
    const int index = MaterialIndex(row);
    const bool escape = Chance(5);
    Note(QString("material %1 on row %2%3").arg(index).arg(row).arg(escape ? " (escaped)" : ""));
    auto* combo = Find<TCBoxEx>("CBOX2_1");
    if (!ClickCell(Layers(), 1, row) || !combo->isVisible()) return;
    ChooseInOpenList(combo, index, escape);
    if (escape && combo->isVisible()) test::PressKey(combo, Qt::Key_Escape);
  }

  // Indexes of the material list's entries that are surface rows (α) or
  // materials (not the headings, not the free entries "-<未登録>-").
  std::vector<int> Materials(bool surface) const {
    auto* combo = Find<TCBoxEx>("CBOX2_1");
    std::vector<int> out;
    for (int i = 0; i < combo->count(); ++i) {
      const std::string name = S(combo->itemText(i));
      if (!name.empty() && !IsHeadingMaterial(name) && name.find("未登録") == std::string::npos &&
          IsSurfaceMaterial(name) == surface)
        out.push_back(i);
    }
    return out;
  }
  int PickOf(const std::vector<int>& from) {
    return from.empty() ? 0 : from[static_cast<std::size_t>(Pick(static_cast<int>(from.size())))];
  }

  void TypeField(const char* name, const QString& text) {
    auto* edit = Find<TEditEx>(name);
    if (!Click(edit) || !edit->hasFocus()) return;
    edit->selectAll();
    test::TypeText(edit, text);
    test::PressKey(edit, Qt::Key_Return);
  }

  // A whole calculation entered as a user does who knows what to type:
  // the input display, every row deleted through the popup, the conditions,
  // then a surface row, materials with their thicknesses and a surface row.
  void EnterWholeWall() {
    const int materials = 1 + Pick(5);
    Note(QString("whole wall of %1 materials").arg(materials));
    Click(Find<QToolButton>("SBTN5"));
    TypeField("EDIT1_1", "壁" + QString::number(Pick(1000)));
    ChooseInList(Find<TCBoxEx>("CBOX1_1"), Pick(Find<TCBoxEx>("CBOX1_1")->count()));
    TypeField("EDIT1_2", QString::number(Pick(15) - 10));
    TypeField("EDIT1_3", QString::number(40 + Pick(50)));
    TypeField("EDIT1_4", QString::number(18 + Pick(8)));
    TypeField("EDIT1_5", QString::number(40 + Pick(30)));
    QMenu* popup = form->PopupMenu();
    for (int guard = 0; Calc.LayerCount > 0 && guard < kMaxLayers; ++guard) {
      if (!ClickCell(Layers(), 0, 1, Qt::RightButton)) return;
      QVERIFY(QTest::qWaitFor([popup] { return popup->isVisible(); }, 1000));
      boxes->answers = {MsgButton::Yes};
      QAction* item = popup->findChild<QAction*>("POP1_Delete");
      QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, popup->actionGeometry(item).center());
      QVERIFY(QTest::qWaitFor([popup] { return !popup->isVisible(); }, 1000));
      boxes->answers.clear();
    }
    QCOMPARE(Calc.LayerCount, 0);
    const std::vector<int> surfaces = Materials(true), solids = Materials(false);
    auto choose = [this](int row, int index) {
      auto* combo = Find<TCBoxEx>("CBOX2_1");
      QVERIFY(ClickCell(Layers(), 1, row));
      QVERIFY2(combo->isVisible(), qPrintable(QString("no material list on row %1").arg(row)));
      ChooseInOpenList(combo, index, false);
    };
    choose(1, PickOf(surfaces));
    for (int k = 2; k <= materials + 1; ++k) {
      choose(k, PickOf(solids));
      TypeInGrid(Layers(), "EDIT2_1", 2, k, QString::number(1 + Pick(120)));
    }
    choose(materials + 2, PickOf(surfaces));
    QCOMPARE(Calc.LayerCount, materials + 2);
  }

  void TypeInGrid(TStrGridEx* grid, const char* editor, int col, int row, const QString& text) {
    auto* edit = Find<TEditEx>(editor);
    if (!ClickCell(grid, col, row) || !edit->isVisible()) return;
    test::TypeText(edit, text);
    EndTyping(edit);
  }

  void TypeThickness() {
    const int row = 1 + Pick(std::max(1, Calc.LayerCount));
    const QString text = PickText(kThicknesses);
    Note(QString("thickness %1 on row %2").arg(text).arg(row));
    TypeInGrid(Layers(), "EDIT2_1", 2, row, text);
  }

  void TypeProperty() {
    const int row = 1 + Pick(std::max(1, Calc.LayerCount));
    const int col = Pick(4);
    const QString text = PickText(kPropertyValues);
    Note(QString("property %1 in column %2 of row %3").arg(text).arg(col).arg(row));
    TypeInGrid(Properties(), "EDIT2_2", col, row, text);
  }

  // The popup of a row number: insert before it or delete it, answered yes or no.
  void RowCommand() {
    const int row = 1 + Pick(std::max(1, Calc.LayerCount + 1));
    const bool yes = Chance(75);
    const bool insert = Chance(50);
    Note(QString("%1 row %2 through the popup, answered %3").arg(insert ? "insert" : "delete").arg(row).arg(yes ? "yes" : "no"));
    QMenu* popup = form->PopupMenu();
    if (!ClickCell(Layers(), 0, row, Qt::RightButton)) return;
    if (!QTest::qWaitFor([popup] { return popup->isVisible(); }, 200)) return;
    QAction* item = popup->findChild<QAction*>(insert ? "POP1_Insert" : "POP1_Delete");
    if (!item->isVisible()) item = popup->findChild<QAction*>("POP1_Delete");
    boxes->answers = {yes ? MsgButton::Yes : MsgButton::No};
    const int before = Calc.LayerCount;
    QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, popup->actionGeometry(item).center());
    QVERIFY(QTest::qWaitFor([popup] { return !popup->isVisible(); }, 1000));
    boxes->answers.clear();
    if (Calc.LayerCount != before) ++rowCommands;
    if (!yes) QCOMPARE(Calc.LayerCount, before);
  }

  void Calculate() {
    auto* calc = Find<QToolButton>("SBTN6");
    Note(QString("Calc (%1)").arg(calc->isEnabled() ? "enabled" : "disabled"));
    const bool enabled = calc->isEnabled();
    const std::size_t boxesBefore = boxes->boxes.size();
    if (!Click(calc) || !enabled) return;
    if (Calc.Calculated) {
      QCOMPARE(form->DisplayMode(), 1);
      ++calculations;
      return;
    }
    // Refused by the input check with its message, or stopped by a row
    // without resistance, as the status says.
    const InputCheck check = CheckInput(Calc);
    if (!check.ok) {
      QVERIFY2(boxes->boxes.size() > boxesBefore, "Calc refused without a word");
      QCOMPARE(boxes->boxes.back().text, check.message);
    } else {
      QVERIFY2(boxes->Panel(0).contains("結露計算を中止しました。"), qPrintable(boxes->Panel(0)));
    }
  }

  void SwitchDisplay() {
    switch (Pick(5)) {
      case 0: {
        static const char* const items[] = {"MNU_Mode0", "MNU_Mode1", "MNU_Mode2"};
        const int mode = Pick(3);
        auto* action = Find<QAction>(items[mode]);
        Note(QString("menu display %1 (%2)").arg(mode).arg(action->isEnabled() ? "enabled" : "disabled"));
        if (!action->isEnabled()) return;
        action->trigger();
        QCOMPARE(form->DisplayMode(), mode);
        break;
      }
      case 1: {
        auto* updown = Find<TUpDown>("UPDN1");
        const bool up = Chance(50);
        Note(QString("display switch %1").arg(up ? "up" : "down"));
        if (!updown->isVisible()) return;
        Click(updown, (up ? updown->UpRect() : updown->DownRect()).center());
        break;
      }
      case 2: {
        Note("click the picture");
        const int before = form->DisplayMode();
        if (Click(Find<TImageEx>("IMAG")) && Calc.Calculated) QCOMPARE(form->DisplayMode(), (before + 1) % 3);
        break;
      }
      case 3:
        Note("edit button");
        if (Click(Find<QToolButton>("SBTN5"))) QCOMPARE(form->DisplayMode(), 0);
        break;
      default:
        Note("hint button");
        Click(Find<QWidget>("SBTN2_1"));
        break;
    }
  }

  void SwitchUnits() {
    auto* frame = Find<THJUNITFrame>("HJUNITFM");
    const int index = Pick(frame->CBOX->count());
    Note(QString("unit system %1").arg(index));
    ChooseInList(frame->CBOX, index);
  }

  void RefreshMaterials() {
    auto* action = Find<QAction>("MNU_Refresh");
    const bool yes = Chance(50);
    Note(QString("refresh material values, answered %1").arg(yes ? "yes" : "no"));
    boxes->answers = {yes ? MsgButton::Yes : MsgButton::No};
    action->trigger();
    boxes->answers.clear();
  }

  // What the window shows of the inputs in the input display.
  QStringList ScreenInputs() const {
    QStringList out;
    for (const char* name : {"EDIT1_1", "EDIT1_2", "EDIT1_3", "EDIT1_4", "EDIT1_5"})
      out << Find<TEditEx>(name)->text();
    out << Find<TCBoxEx>("CBOX1_1")->currentText();
    for (int k = 1; k <= 10; ++k) {
      for (int c = 1; c <= 2; ++c) out << Layers()->Cells(c, k);
      for (int c = 0; c <= 3; ++c) out << Properties()->Cells(c, k);
    }
    return out;
  }

  // Saves the open calculation (to its own file or another one of the
  // folder) and opens it again, by reading it into this window or in a
  // newly opened window; records and inputs must come back unchanged.
  void SaveAndReload() {
    const std::string path = Chance(70) ? CalcPath : workDir + (Chance(50) ? "SOAK2.KDR" : "SOAK3.KDR");
    const bool fresh = Chance(30);
    Note(QString("save as %1, reopen in %2 window").arg(Q(path), fresh ? "a new" : "the same"));
    const bool inputDisplay = form->DisplayMode() == 0 && !Edit.editing;
    QVERIFY(SaveCalcFile(path));
    ++saves;
    const std::vector<std::string> lines = CalcStore.lines;
    const CalcState inputs = Calc;
    const QStringList screen = inputDisplay ? ScreenInputs() : QStringList();
    saved[path] = lines;
    if (fresh) {
      CloseWindow();
      LastCalcFile = path;
      OpenWindow();
    } else {
      QVERIFY(ReadCalcFile(path));
      form->RefreshScreen();
    }
    ++reopenings;
    QCOMPARE(CalcPath, path);
    QVERIFY2(CalcStore.lines == lines, "the saved file reads back to other records");
    QString what;
    QVERIFY2(SameInputs(inputs, Calc, what), qPrintable("reopened with another " + what));
    QVERIFY(!DataModified);
    if (inputDisplay) QCOMPARE(ScreenInputs(), screen);
  }

  // Another saved calculation of the folder from the file list, after the
  // discard question (answered either way when there are changes).
  void ChooseFile() {
    auto* files = Find<TCBoxEx>("CBOX0");
    const int index = Pick(files->count());
    const bool yes = Chance(60);
    const QString entry = files->itemText(index);
    Note(QString("file list entry %1 %2, discard answered %3").arg(index).arg(entry, yes ? "yes" : "no"));
    if (!files->isEnabled()) return;
    const std::string before = CalcPath;
    const bool modified = DataModified;
    boxes->answers = {yes ? MsgButton::Yes : MsgButton::No};
    ChooseInList(files, index);
    boxes->answers.clear();
    if (modified && !yes) QCOMPARE(CalcPath, before);
    // A file this run saved opens to what was saved.
    if (CalcPath != before) {
      ++reopenings;
      auto known = saved.find(CalcPath);
      if (known != saved.end()) QVERIFY2(CalcStore.lines == known->second, "a saved file opens to other records");
    }
  }

  void RunAction() {
    const int roll = Pick(100);
    if (roll < 16) return TypeCondition();
    if (roll < 21) return StepCondition();
    if (roll < 27) return ChoosePart();
    if (roll < 47) return ChooseMaterial();
    if (roll < 57) return TypeThickness();
    if (roll < 63) return TypeProperty();
    if (roll < 70) return RowCommand();
    if (roll < 79) return Calculate();
    if (roll < 87) return SwitchDisplay();
    if (roll < 90) return SwitchUnits();
    if (roll < 91) return RefreshMaterials();
    if (roll < 96) return SaveAndReload();
    if (roll < 98) return ChooseFile();
    return EnterWholeWall();
  }

  // ------------------------------------------------------------ checks

  void CheckWindow() {
    QVERIFY(form->isVisible());
    // Every list, popup and box is closed again.
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != form && w->isVisible())
        QFAIL(qPrintable(QString("left open: %1 %2 of %3")
                             .arg(w->objectName(), w->metaObject()->className(),
                                  w->parentWidget() ? w->parentWidget()->objectName() : QString())));
    QVERIFY(!form->PopupMenu()->isVisible());

    const int mode = form->DisplayMode();
    QVERIFY(mode >= 0 && mode <= 2);
    if (mode != 0) QVERIFY2(Calc.Calculated, "a result display without a calculation");

    // The open store is a calculation file, and rebuilding its inputs gives
    // what the window calculates with, without changing a record.
    const std::string problem = CalcFileProblem(CalcStore);
    QVERIFY2(problem.empty(), problem.c_str());
    const std::vector<std::string> lines = CalcStore.lines;
    CalcState rebuilt;
    RebuildInputs(rebuilt);
    QVERIFY2(CalcStore.lines == lines, "rebuilding the inputs changed the records");
    QString what;
    QVERIFY2(SameInputs(rebuilt, Calc, what), qPrintable("the store holds another " + what));

    // Stored values stay inside the fields' ranges.
    QVERIFY(Calc.LayerCount >= 0 && Calc.LayerCount <= kMaxLayers);
    QVERIFY(MBWidth(Calc.Title) <= 60);
    for (int s = 1; s <= 2; ++s) {
      QVERIFY(Calc.SideCond[s].Temp >= -50 && Calc.SideCond[s].Temp <= 100);
      QVERIFY(Calc.SideCond[s].RelHum >= 0 && Calc.SideCond[s].RelHum <= 99);
    }
    // Rows fill from the top.
    for (int k = 1; k <= kMaxLayers; ++k)
      QCOMPARE(!Calc.LayerName[k].empty(), k <= Calc.LayerCount);

    // The input display shows the inputs.
    if (mode == 0 && !Edit.editing) {
      QCOMPARE(Find<TEditEx>("EDIT1_1")->text(), Q(Calc.Title));
      const char* const fields[] = {"EDIT1_2", "EDIT1_3", "EDIT1_4", "EDIT1_5"};
      for (int f = 0; f < 4; ++f) {
        const TSideCond& side = Calc.SideCond[1 + f / 2];
        const double shown = Find<TEditEx>(fields[f])->text().toDouble();
        const double stored = f % 2 == 0 ? side.Temp : side.RelHum;
        QVERIFY2(std::fabs(shown - stored) <= 0.51, qPrintable(QString("%1 shows %2, holds %3").arg(fields[f]).arg(shown).arg(stored)));
      }
      for (int k = 1; k <= kMaxLayers; ++k)
        QCOMPARE(Layers()->Cells(1, k).isEmpty(), k > Calc.LayerCount);
      QVERIFY2(Layers()->Cells(1, 10).contains(QString::number(Calc.LayerCount)), qPrintable(Layers()->Cells(1, 10)));
    }

    // A calculation lies within physical bounds: the temperature of every
    // boundary between the two air temperatures, the actual vapour pressure
    // never above saturation, every figure finite.
    if (Calc.Calculated) {
      const float lo = std::min(Calc.SideCond[1].Temp, Calc.SideCond[2].Temp) - 0.01f;
      const float hi = std::max(Calc.SideCond[1].Temp, Calc.SideCond[2].Temp) + 0.01f;
      for (int b = 1; b <= Calc.LayerCount + 1; ++b) {
        QVERIFY2(std::isfinite(Calc.BoundTemp[b]) && Calc.BoundTemp[b] >= lo && Calc.BoundTemp[b] <= hi,
                 qPrintable(QString("boundary %1 at %2 °C").arg(b).arg(Calc.BoundTemp[b])));
        QVERIFY(std::isfinite(Calc.SatPress[b]) && Calc.SatPress[b] > 0);
        QVERIFY(std::isfinite(Calc.RealPress[b]) && Calc.RealPress[b] <= Calc.SatPress[b] * 1.0001f + 1e-4f);
        QVERIFY(std::isfinite(Calc.CondAmount[b]) && Calc.CondAmount[b] >= 0);
      }
      QVERIFY(Calc.CondPlane >= 0 && Calc.CondPlane <= Calc.LayerCount + 1);
    }
  }

 private slots:
  void initTestCase() {
    seed = EnvNumber("KONDRA_SOAK_SEED", 1);
    steps = EnvNumber("KONDRA_SOAK_STEPS", 1000);
    verbose = qEnvironmentVariableIntValue("KONDRA_SOAK_VERBOSE") != 0;
    Say(QString("soak: KONDRA_SOAK_SEED=%1 KONDRA_SOAK_STEPS=%2").arg(seed).arg(steps));
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

  void cleanup() {
    if (QTest::currentTestFailed()) {
      Say(QString("soak failed at step %1; replay with KONDRA_SOAK_SEED=%2 KONDRA_SOAK_STEPS=%3")
                                  .arg(step)
                                  .arg(seed)
                                  .arg(step + 1));
      for (const QString& line : journal) Say("  " + line);
      const QStringList texts = boxes ? boxes->Texts() : QStringList();
      for (qsizetype i = std::max<qsizetype>(0, texts.size() - 3); i < texts.size(); ++i)
        Say("  box: " + texts[i]);
      if (boxes) Say("  status: " + boxes->Panel(0));
    }
    CloseWindow();
    boxes.reset();
  }

  void randomUserActions() {
    test::ResetEditing();
    boxes = std::make_unique<test::BoxAnswers>();
    SetUnitSystem(kEngineeringUnits);
    rng.seed(seed);
    LastCalcFile = workDir + "SOAK.KDR";
    OpenWindow();
    for (step = 0; step < steps; ++step) {
      RunAction();
      if (QTest::currentTestFailed()) return;
      CheckWindow();
      if (QTest::currentTestFailed()) return;
    }
    Say(QString("soak: %1 steps, %2 calculations, %3 saves, %4 files reopened, %5 row commands")
                             .arg(steps)
                             .arg(calculations)
                             .arg(saves)
                             .arg(reopenings)
                             .arg(rowCommands));
    // A run that never calculated or saved proves little.
    if (steps >= 200) QVERIFY(calculations > 0 && saves > 0 && rowCommands > 0);
  }
};

QTEST_MAIN(SoakTest)
#include "tst_Soak.moc"
