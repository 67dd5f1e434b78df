// The editing protocol every window shares.
//
// A window derives from TEditHost besides its Qt class and implements
// CommitItem; every TEditEx and TCBoxEx inside it then calls the window's
// handlers (EDITcomEnter ... CBOXcomKeyPress) by themselves. The handlers'
// default bodies are the usual glue: enter shows the item's hint, Tab, Enter
// and Esc end the edit, and an edit that ends changed reaches CommitItem with
// the group code, row and column of the edit state (env/EditState.h).
//
//   class TFooForm : public QDialog, public TEditHost {
//     void CommitItem(QWidget* sender, int group, int row, int column) override {
//       if (Edit.commitGuard) return;
//       Edit.commitGuard = true;
//       if (!valid) { RevertEdit(...); return; }   // or RevertCombo
//       store Edit.newValue / newText / newIndex by Edit.itemCode ...
//     }
//     QString ItemHint(int itemCode) const override { ... }
//   };
//
// A grid cell is edited by placing a hidden editor over it from the grid's
// CellClicked handler: PrepareCellEdit, SetItemCode(grid, ItemMode::Column, 1),
// then OpenCellEdit or OpenCellCombo.
#pragma once

#include <QString>

#include "controls/CBoxEx.h"
#include "controls/EditEx.h"
#include "controls/StrGEx.h"

class QObject;
class QWidget;

namespace kondra {

class TEditHost {
 public:
  virtual ~TEditHost();

  // Stores the value of an edit that ended changed. Contract: do nothing
  // while Edit.commitGuard is set, else set it; validate Edit.newText /
  // newValue / newInteger / newIndex for Edit.itemCode, and on failure show
  // the window's message and RevertEdit / RevertCombo the sender (a combo
  // whose new text is empty is only reverted); store; mark the data modified
  // and redisplay what depends on it.
  virtual void CommitItem(QWidget* sender, int group, int row, int column) = 0;

  // The status-bar hint of an item code (empty: none).
  virtual QString ItemHint(int itemCode) const;
  // Whether a key just typed (Edit.lastKey) ends the edit from the key
  // handlers: Tab, Enter and Esc here; windows that keep a cell editor open
  // on Esc answer Enter only.
  virtual bool EndsEditOnKey(int lastKey) const;

  virtual void EDITcomEnter(TEditEx* sender);
  virtual void EDITcomExit(TEditEx* sender);
  virtual void EDITcomKeyDown(TEditEx* sender, int& key);
  virtual void EDITcomKeyPress(TEditEx* sender, int& ch);
  virtual void CBOXcomEnter(TCBoxEx* sender);
  virtual void CBOXcomDropDown(TCBoxEx* sender);
  virtual void CBOXcomClick(TCBoxEx* sender);
  virtual void CBOXcomExit(TCBoxEx* sender);
  virtual void CBOXcomKeyDown(TCBoxEx* sender, int& key);
  virtual void CBOXcomKeyPress(TCBoxEx* sender, int& ch);

  // Shows ItemHint(itemCode) in the status bar when there is one.
  void ShowItemHint(int itemCode) const;
};

// A host that only keeps the edit state (controls outside any window that
// commits).
TEditHost& StateOnlyHost();
// The window handling a control: the nearest enclosing TEditHost.
TEditHost* FindHost(const QWidget* control);

// The controls of the edit in progress (nullptr when none).
TEditEx* CurrentEdit();
TCBoxEx* CurrentCombo();
TStrGridEx* CurrentGrid();

// A control's Tag: the Tag property of the kondra controls or a dynamic
// "Tag" property set on any other widget (0 when none).
int TagOf(const QObject* control);

enum class ItemMode { None, Column, Row, Cell };

// Item code := the control's Tag plus, when n != 0, the current column
// (Column), row (Row) or (row - 1) * n + column (Cell); group := item / 100.
void SetItemCode(const QObject* control, ItemMode mode, int n);

// Keys are Qt key codes; Edit.lastKey receives the legacy codes (9 Tab,
// 13 Enter, 27 Esc, 241..248 for the arrows, pages, Insert and Delete).
// A handler consumes a key or character by setting it to 0.
void EditEnter(TEditEx* edit);
void EditKeyDown(TEditEx* edit, int& key);
void EditKeyPress(TEditEx* edit, int& ch);
void EditExit(TEditEx* edit);
void ComboEnter(TCBoxEx* combo);
void ComboClick(TCBoxEx* combo);
void ComboKeyDown(TCBoxEx* combo, int& key);
void ComboKeyPress(TCBoxEx* combo, int& ch);
void ComboExit(TCBoxEx* combo);

// maxLength 0 and decimals 0 keep the box's own; negativeFlag -1 allows
// values below zero.
void ConfigureEdit(TEditEx* edit, int editType, int maxLength, int negativeFlag, int decimals);
// Puts the editor on the prepared cell rectangle, shows and focuses it.
void OpenCellEdit(TEditEx* edit, int editType, int maxLength, int negativeFlag, int decimals);
void OpenCellCombo(TCBoxEx* combo, TComboStyle style, bool dropDown);

void RevertEdit(TEditEx* edit);
void RevertCombo(TCBoxEx* combo);
void RestoreStartValues();
// Ends the edit in progress as cancelled.
void AbandonEditing();
// Ends the edit in progress as if the user had left the control (a changed
// value is committed through the window).
void FinishEditing();
// Before the open data is replaced: ends the edit in progress and, with ask,
// asks whether the edited data may be discarded. True for yes.
bool ConfirmDiscard(bool ask);

// The legacy key code kept in Edit.lastKey for a Qt key.
int LegacyKeyCode(int qtKey);

}  // namespace kondra
