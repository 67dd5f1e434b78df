// Driving the real main window in a test: a copy of the factory installation
// with a work folder below CAL, the window wired with every command as the
// program wires it, the file dialogs answered from a queue, and the input
// steps a user takes.
#pragma once

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/CalcFile.h"
#include "controls/EditEx.h"
#include "controls/QtText.h"
#include "controls/StrGEx.h"
#include "env/Environment.h"
#include "env/FileChanges.h"
#include "env/Folders.h"
#include "env/Units.h"
#include "gui/support/GuiTest.h"
#include "mainwin/KDRCommands.h"
#include "mainwin/KDRForm.h"
#include "support/TestEnv.h"
#include "tools/Handover.h"

namespace kondra::test {

// Chooses `name` from a list as a user does: the list opens (a click when it
// is closed), the keys walk to the entry and Enter takes it.
inline bool ChooseFromList(QComboBox* combo, const QString& name, bool alreadyOpen = false) {
  int index = -1;
  for (int i = 0; i < combo->count() && index < 0; ++i)
    if (combo->itemText(i) == name || combo->itemText(i).section(':', 1) == name) index = i;
  if (index < 0) {
    qWarning() << "no" << name << "in" << combo->objectName();
    return false;
  }
  if (!alreadyOpen) ClickWidget(combo);
  QAbstractItemView* view = combo->view();
  if (!QTest::qWaitForWindowExposed(view->window())) return false;
  QTest::keyClick(view, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_Return);
  for (int waited = 0; view->window()->isVisible() && waited < 1000; waited += 10) QTest::qWait(10);
  return !view->window()->isVisible();
}

// The file dialogs of the window: every request is kept, each answered from
// the queue (an empty queue cancels).
struct FileDialogAnswers {
  std::vector<CalcFileRequest> requests;
  std::deque<std::optional<std::string>> answers;

  FileDialogAnswers() {
    SetCalcFileDialog([this](QWidget*, const CalcFileRequest& request) -> std::optional<std::string> {
      requests.push_back(request);
      if (answers.empty()) return std::nullopt;
      auto answer = answers.front();
      answers.pop_front();
      return answer;
    });
  }
  ~FileDialogAnswers() { SetCalcFileDialog({}); }
  FileDialogAnswers(const FileDialogAnswers&) = delete;
  FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;
};

class MainWindowDriver {
 public:
  std::unique_ptr<TempFolder> root;
  std::string workDir;  // CAL\WORK\ of the copy
  std::string kdrDir;   // CAL\KDR\ of the copy, the sample's folder
  TKDRForm* form = nullptr;

  // The installation copy and the start-up; false when it failed.
  bool Install() {
    namespace sfs = std::filesystem;
    root = std::make_unique<TempFolder>();
    const sfs::path tree(KONDRA_INSTALL_TREE);
    if (!sfs::exists(tree / "DATA" / "DAT")) return false;
    for (const char* folder : {"DATA", "CAL", "WCD"})
      if (sfs::exists(tree / folder))
        sfs::copy(tree / folder, sfs::path(root->native()) / folder, sfs::copy_options::recursive);
    sfs::create_directories(sfs::path(root->native()) / "CAL" / "WORK");
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(root->native() + "/cache"));
    StartupOptions options;
    options.root = root->path();
    if (!StartProgram(options)) return false;
    workDir = CalcDir + "WORK\\";
    kdrDir = CalcDir + "KDR\\";
    return true;
  }

  // A wired window on `path` (a new calculation when it does not exist).
  bool Open(const std::string& path) {
    LastCalcFile = path;
    form = new TKDRForm;
    WireMainWindow(*form);
    form->Startup(false);
    return ShowActive(form);
  }

  // Closes and frees the window; removes what the test left in the folders.
  void Discard() {
    namespace sfs = std::filesystem;
    if (form) {
      form->SetCloseGuard([] { return true; });
      delete form;
      form = nullptr;
    }
    for (const auto& entry : sfs::directory_iterator(sfs::path(root->native()) / "CAL" / "WORK"))
      sfs::remove_all(entry.path());
    for (const auto& entry : sfs::directory_iterator(sfs::path(root->native()) / "CAL" / "KDR"))
      if (entry.path().filename() != kSampleFile) sfs::remove_all(entry.path());
  }

  template <typename T>
  T* Find(const char* name) const {
    T* found = form->findChild<T*>(name);
    if (!found) qWarning() << "no component" << name;
    return found;
  }
  QAction* Action(const char* name) const { return Find<QAction>(name); }

  // Types into a field of the window and commits it with Enter.
  void Type(const char* field, const QString& text) {
    auto* edit = Find<TEditEx>(field);
    ClickWidget(edit);
    edit->selectAll();
    TypeText(edit, text);
    PressKey(edit, Qt::Key_Return);
  }

  bool ChooseMaterial(int row, const QString& name) {
    ClickCell(Find<TStrGridEx>("STRG2_1"), 1, row);
    auto* combo = Find<QComboBox>("CBOX2_1");
    return combo->isVisible() && ChooseFromList(combo, name, true);
  }

  void TypeThickness(int row, const QString& text) {
    ClickCell(Find<TStrGridEx>("STRG2_1"), 2, row);
    auto* edit = Find<TEditEx>("EDIT2_1");
    TypeText(edit, text);
    PressKey(edit, Qt::Key_Return);
  }

  // A wall of plywood, glass wool and gypsum between the air films, 0 °C /
  // 80 % outside and 20 °C / 60 % inside; true when every field took.
  bool EnterWall(const QString& title) {
    Type("EDIT1_1", title);
    if (!ChooseFromList(Find<QComboBox>("CBOX1_1"), "外壁")) return false;
    Type("EDIT1_2", "0");
    Type("EDIT1_3", "80");
    Type("EDIT1_4", "20");
    Type("EDIT1_5", "60");
    if (!ChooseMaterial(1, "外側(αo=20)") || !ChooseMaterial(2, "合板(例)")) return false;
    TypeThickness(2, "12");
    if (!ChooseMaterial(3, "ｸﾞﾗｽｳｰﾙ(例)")) return false;
    TypeThickness(3, "100");
    if (!ChooseMaterial(4, "石膏板(例)")) return false;
    TypeThickness(4, "12");
    return ChooseMaterial(5, "内側(αi=8)");
  }

  // Clicks 計算; true when the results are shown.
  bool Calculate() {
    auto* calc = Find<QToolButton>("SBTN6");
    if (!calc->isEnabled()) return false;
    ClickWidget(calc);
    return Calc.Calculated && form->DisplayMode() == 1;
  }
};

}  // namespace kondra::test
