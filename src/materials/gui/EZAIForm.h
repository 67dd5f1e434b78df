// TEZAIForm: the material property editor "壁体登録＆材料物性ファイルの編集".
//
// A modal window showing the whole of 材料物性.DAT as a table. The user may
// change the values of user rows (category "O"), name free rows
// ("-<未登録>-") and give them constants, choose a material's colour and
// pattern from pickers, and save the file. Everything works on a working copy
// (materials/MaterialEditing.h) that only Save writes back; Close drops
// unsaved changes without a question. While the window is shown it owns the
// program's status bar and gives it back when it hides.
//
// The main window opens it through EditMaterialFile and, when that reports a
// save, offers to refresh the material values of the open calculation
// (RefreshMaterials of calc/CalcFile.h).
#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>
#include <set>
#include <string>

#include "controls/EditProtocol.h"
#include "env/EditState.h"
#include "materials/MaterialEditing.h"

namespace Ui {
class TEZAIForm;
}

class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace kondra {

class TImageEx;

class TEZAIForm : public QDialog, public TEditHost {
  Q_OBJECT

 public:
  explicit TEZAIForm(QWidget* parent = nullptr);
  ~TEZAIForm() override;

  // Set by every stored change, cleared by Save and Reload.
  bool MaterialsModified() const { return materialsModified_; }
  // Set by a Save; the main window reads it after the window has closed.
  bool SavedWhileOpen() const { return savedWhileOpen_; }
  // The row of the last clicked cell (0 before the first click).
  int SelectedRow() const { return selectedRow_; }
  const TMaterialWork& Work() const { return work_; }
  // The opening is complete (wall check done, pointer on the close button).
  bool Opened() const { return opened_; }

  TStrGridEx* Grid() const;
  TEditEx* CellEditor() const;
  TImageEx* ColourPicture() const;
  TImageEx* PatternPicture() const;
  QWidget* Component(const char* name) const;

  void CommitItem(QWidget* sender, int group, int row, int column) override;
  QString ItemHint(int itemCode) const override;
  // An Esc restores the cell editor's text and leaves it open.
  bool EndsEditOnKey(int lastKey) const override { return lastKey == kKeyEnter; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void Open();
  void LoadWork();
  void DisplayRow(int row);
  void DisplayAll();
  void RefreshChecks();
  void DrawMaterialCell(int col, int row, const QRect& rect);
  void STRG2_1Click(int col, int row);
  void BBTN1Click();
  void BTN2_3Click();
  void BTN1Click();
  void PNL_SIClick();
  void HidePickers();
  void ShowColourPicker();
  void ShowPatternPicker();
  // The pickers: the value under the pointer becomes the new value; a click
  // commits it.
  void PickerMove(int column, int value);
  void PickerCommit(QWidget* sender, int column, int value);
  int ColourAt(int x, int y) const;
  int PatternAt(int y) const;
  void TakeStatusBar();
  void GiveBackStatusBar();

  std::unique_ptr<Ui::TEZAIForm> ui;
  TMaterialWork work_;
  std::set<int> changedRows_;
  bool materialsModified_ = false;
  bool savedWhileOpen_ = false;
  bool opened_ = false;
  bool shownOnce_ = false;
  int selectedRow_ = 0;

  // The status bar this window borrowed it from, its panel widths and file name.
  QPointer<QStatusBar> formerBar_;
  std::array<int, 4> formerWidths_{};
  std::string formerFileName_;
  bool holdsStatusBar_ = false;
};

// The "材料物性ファイル(&M)" command: opens the editor modally over `parent`
// and returns whether 材料物性.DAT was saved while it was open.
bool EditMaterialFile(QWidget* parent = nullptr);

}  // namespace kondra
