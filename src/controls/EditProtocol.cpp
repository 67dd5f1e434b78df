#include "controls/EditProtocol.h"

#include <QSignalBlocker>
#include <QVariant>
#include <cmath>
#include <limits>

#include "controls/ListHelpers.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "env/Text.h"

namespace kondra {
namespace {

bool IsTextKind(int kind) {
  // etChar is read as text: its change is the change of its character.
  return kind == etChar || kind == etDate || kind == etDateTime || kind == etString || kind == etTime;
}

int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::lround(value));
}

bool IsEndKey(int key) { return key == kKeyTab || key == kKeyEnter || key == kKeyEsc; }

// Puts a cell editor on the prepared cell rectangle, which is given in the
// coordinates of the grid's parent.
void PlaceOnCell(QWidget* editor) {
  const CellRect& r = Edit.cellRect;
  QPoint topLeft(r.left, r.top);
  TStrGridEx* grid = CurrentGrid();
  QWidget* gridParent = grid ? grid->parentWidget() : nullptr;
  QWidget* editorParent = editor->parentWidget();
  if (gridParent && editorParent && gridParent != editorParent)
    topLeft = editorParent->mapFromGlobal(gridParent->mapToGlobal(topLeft));
  editor->setGeometry(topLeft.x(), topLeft.y(), r.right - r.left, r.bottom - r.top);
}

// Tab or Enter in an edit box: normalise, take the value, decide whether it
// changed.
void AcceptEdit(TEditEx* edit) {
  const int kind = edit->EditType();
  Edit.newText = NormalizeInput(kind, edit->MaxLength(), edit->UnderPoint(), S(edit->text()), edit->Calcuable(),
                                edit->ZeroDisplay(), edit->UnderInput());
  Edit.newValue = (IsTextKind(kind) || Edit.newText.empty()) ? 0.0 : TextToFloat(Edit.newText);
  Edit.newInteger = RoundToInt32(Edit.newValue);
  edit->setText(Q(Edit.newText));

  bool same = false;
  if (!Edit.startText.empty()) {
    if (IsTextKind(kind))
      same = Edit.newText == Edit.startText;
    else if (kind == etFloat)
      same = Edit.newValue == Edit.startValue;
    else
      same = Edit.newInteger == Edit.startInteger;
  }
  if (same) {
    edit->setText(Q(Edit.startText));
    Edit.newText = Edit.startText;
    Edit.unchanged = true;
    Edit.modified = Edit.savedModified;
  } else {
    Edit.unchanged = false;
    if (Edit.editing) Edit.modified = true;
    edit->setModified(true);
    Edit.commitGuard = false;
  }
}

void CancelEdit(TEditEx* edit) {
  edit->setText(Q(Edit.startText));
  Edit.newText = Edit.startText;
  Edit.unchanged = true;
  Edit.modified = Edit.savedModified;
}

// Shows the start choice again: its list entry, or the start text in the
// edit field of an editable box.
void ShowComboStart(TCBoxEx* combo) {
  QSignalBlocker quiet(combo);
  if (Edit.startIndex > 0 && Edit.startIndex <= combo->count()) {
    combo->setCurrentIndex(Edit.startIndex - 1);
  } else {
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(Q(Edit.startText));
  }
}

void AcceptCombo(TCBoxEx* combo) {
  Edit.newText = S(combo->currentText());
  // A numbered entry counts as its name, so choosing the entry shown at the
  // start is no change.
  if (StripTag(Edit.newText) != Edit.startText || Edit.newIndex != Edit.startIndex) {
    Edit.unchanged = false;
    if (Edit.editing) Edit.modified = true;
  }
}

// After a refused value the cell shows its text from before the edit again
// (also when the editor has already closed over it).
void RestoreCellAfterRevert(bool cellEditor, bool editorOpen) {
  TStrGridEx* grid = CurrentGrid();
  if (!cellEditor || !grid || LastCellPlace.grid != grid || LastCellPlace.col != Edit.column ||
      LastCellPlace.row != Edit.row)
    return;
  Edit.cellTextBefore = S(LastCellPlace.originalText);
  if (!editorOpen) grid->SetCells(Edit.column, Edit.row, LastCellPlace.originalText);
}

class StateOnly : public TEditHost {
 public:
  void CommitItem(QWidget*, int, int, int) override {}
};

}  // namespace

// ---------------------------------------------------------------- host glue

TEditHost::~TEditHost() = default;

QString TEditHost::ItemHint(int) const { return {}; }

bool TEditHost::EndsEditOnKey(int lastKey) const { return IsEndKey(lastKey); }

void TEditHost::ShowItemHint(int itemCode) const {
  QString hint = ItemHint(itemCode);
  if (!hint.isEmpty()) ShowStatus(S(hint));
}

void TEditHost::EDITcomEnter(TEditEx* sender) {
  EditEnter(sender);
  if (!sender->CellFrame()) ShowItemHint(Edit.itemCode);
}

void TEditHost::EDITcomExit(TEditEx* sender) {
  EditExit(sender);
  if (!Edit.unchanged) CommitItem(sender, Edit.groupCode, Edit.row, Edit.column);
}

void TEditHost::EDITcomKeyDown(TEditEx* sender, int& key) { EditKeyDown(sender, key); }

void TEditHost::EDITcomKeyPress(TEditEx* sender, int& ch) {
  EditKeyPress(sender, ch);
  if (EndsEditOnKey(Edit.lastKey)) EDITcomExit(sender);
}

void TEditHost::CBOXcomEnter(TCBoxEx* sender) {
  ComboEnter(sender);
  if (!sender->CellFrame()) ShowItemHint(Edit.itemCode);
}

void TEditHost::CBOXcomDropDown(TCBoxEx* sender) {
  if (!sender->IsEntered()) CBOXcomEnter(sender);
}

void TEditHost::CBOXcomClick(TCBoxEx* sender) { ComboClick(sender); }

void TEditHost::CBOXcomExit(TCBoxEx* sender) {
  ComboExit(sender);
  if (!Edit.unchanged) CommitItem(sender, Edit.groupCode, Edit.row, Edit.column);
}

void TEditHost::CBOXcomKeyDown(TCBoxEx* sender, int& key) { ComboKeyDown(sender, key); }

void TEditHost::CBOXcomKeyPress(TCBoxEx* sender, int& ch) {
  ComboKeyPress(sender, ch);
  if (EndsEditOnKey(Edit.lastKey)) CBOXcomExit(sender);
}

TEditHost& StateOnlyHost() {
  static StateOnly host;
  return host;
}

TEditHost* FindHost(const QWidget* control) {
  for (QWidget* w = control ? control->parentWidget() : nullptr; w; w = w->parentWidget())
    if (auto* host = dynamic_cast<TEditHost*>(w)) return host;
  return nullptr;
}

TEditEx* CurrentEdit() { return static_cast<TEditEx*>(Edit.currentEdit); }
TCBoxEx* CurrentCombo() { return static_cast<TCBoxEx*>(Edit.currentCombo); }
TStrGridEx* CurrentGrid() { return static_cast<TStrGridEx*>(Edit.currentGrid); }

int TagOf(const QObject* control) { return control ? control->property("Tag").toInt() : 0; }

int LegacyKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_PageUp:
      return kKeyPageUp;
    case Qt::Key_PageDown:
      return kKeyPageDown;
    case Qt::Key_Insert:
      return kKeyInsert;
    case Qt::Key_Delete:
      return kKeyDelete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kKeyTab;
    case Qt::Key_Escape:
      return kKeyEsc;
    case Qt::Key_Backspace:
      return 8;
    default:
      return qtKey;
  }
}

// ---------------------------------------------------------------- item codes

void SetItemCode(const QObject* control, ItemMode mode, int n) {
  int code = TagOf(control);
  if (n != 0) {
    switch (mode) {
      case ItemMode::Column:
        code += Edit.column;
        break;
      case ItemMode::Row:
        code += Edit.row;
        break;
      case ItemMode::Cell:
        code += (Edit.row - 1) * n + Edit.column;
        break;
      case ItemMode::None:
        break;
    }
  }
  Edit.itemCode = code;
  Edit.groupCode = code / 100;
  Edit.commitGuard = false;
}

// ---------------------------------------------------------------- edit boxes

void EditEnter(TEditEx* edit) {
  Edit.currentEdit = edit;
  edit->SetEntered(true);
  EditModeOn();
  Edit.commitGuard = false;
  if (!edit->CellFrame())
    SetItemCode(edit, ItemMode::None, 0);
  else
    edit->setText(Q(Edit.cellTextBefore));
  const int kind = edit->EditType();
  // The input method is free for texts and closed for numbers, dates, times.
  edit->setAttribute(Qt::WA_InputMethodEnabled, kind == etString);

  Edit.newText = Edit.startText = S(edit->text());
  Edit.startValue = IsTextKind(kind) ? 0.0 : TextToFloat(Edit.startText);
  Edit.newInteger = Edit.startInteger = RoundToInt32(Edit.startValue);
  Edit.newValue = Edit.startValue;

  Edit.savedModified = Edit.modified;
  Edit.unchanged = true;
  Edit.editType = kind;
  Edit.maxLength = edit->MaxLength();
  Edit.underPoint = edit->UnderPoint();
  Edit.underInput = edit->UnderInput();
  Edit.zeroDisplay = edit->ZeroDisplay();
  Edit.calcuable = edit->Calcuable();
  Edit.lastKey = kKeyNone;
  Edit.activeIsCombo = false;
  edit->selectAll();
}

void EditKeyDown(TEditEx*, int& key) {
  Edit.lastKey = LegacyKeyCode(key);
  if (key == Qt::Key_Insert) {
    Edit.overwrite = !Edit.overwrite;
    ShowStatus(LastStatusText);
    key = 0;
  }
}

void EditKeyPress(TEditEx* edit, int& ch) {
  Edit.lastKey = ch;
  if (Edit.overwrite && ch >= 32) edit->del();  // the character replaces the one at the caret
  if (ch == kKeyTab || ch == kKeyEnter) {
    AcceptEdit(edit);
    ch = 0;
  } else if (ch == kKeyEsc) {
    CancelEdit(edit);
    ch = 0;
  }
}

void EditExit(TEditEx* edit) {
  if (edit->isModified() && Edit.lastKey != kKeyEsc) {
    Edit.lastKey = kKeyEnter;
    AcceptEdit(edit);
  }
  if (Edit.lastKey != kKeyNone && Edit.lastKey != kKeyTab && Edit.lastKey != kKeyEnter) {
    // Left after a navigation key without typing: cancelled.
    Edit.lastKey = kKeyEsc;
    CancelEdit(edit);
  }
  if (edit->CellFrame()) {
    StoreEditedCellText(CurrentGrid());
    edit->HideEditor(CurrentGrid());
  }
  edit->SetEntered(false);
  EditModeOff();
  Edit.currentEdit = nullptr;
}

// ---------------------------------------------------------------- combo boxes

void ComboEnter(TCBoxEx* combo) {
  Edit.currentCombo = combo;
  combo->SetEntered(true);
  EditModeOn();
  Edit.commitGuard = false;
  if (!combo->CellFrame()) SetItemCode(combo, ItemMode::None, 0);

  const QString text = combo->CellFrame() ? Q(Edit.cellTextBefore) : combo->currentText();
  const int position = FindListItem(combo->Items(), text);
  Edit.startIndex = Edit.newIndex = position;
  {
    QSignalBlocker quiet(combo);
    if (position > 0) {
      combo->setCurrentIndex(position - 1);
    } else {
      combo->setCurrentIndex(-1);
      // An editable box keeps showing what it held.
      if (combo->isEditable()) combo->setEditText(text);
    }
  }
  Edit.newText = Edit.startText = StripTag(S(combo->currentText()));
  Edit.savedModified = Edit.modified;
  Edit.unchanged = true;
  Edit.lastKey = kKeyNone;
  Edit.activeIsCombo = true;
}

void ComboClick(TCBoxEx* combo) {
  Edit.newText = S(combo->currentText());
  Edit.newIndex = combo->currentIndex() + 1;
  if (StripTag(Edit.newText) != Edit.startText || Edit.newIndex != Edit.startIndex) {
    Edit.unchanged = false;
    if (Edit.editing) Edit.modified = true;
  }
  combo->SetPendingMark(1);
}

void ComboKeyDown(TCBoxEx*, int& key) {
  Edit.lastKey = LegacyKeyCode(key);
  if (key == Qt::Key_Insert) {
    Edit.overwrite = !Edit.overwrite;
    ShowStatus(LastStatusText);
    key = 0;
  }
}

void ComboKeyPress(TCBoxEx* combo, int& ch) {
  Edit.lastKey = ch;
  if (Edit.overwrite && ch >= 32 && combo->isEditable() && combo->lineEdit()) combo->lineEdit()->del();
  combo->SetPendingMark(2);
  if (ch == kKeyTab || ch == kKeyEnter) {
    AcceptCombo(combo);
    ch = 0;
  } else if (ch == kKeyEsc) {
    ShowComboStart(combo);
    Edit.newText = Edit.startText;
    Edit.newIndex = Edit.startIndex;
    Edit.unchanged = true;
    Edit.modified = Edit.savedModified;
    ch = 0;
  }
}

void ComboExit(TCBoxEx* combo) {
  if (combo->PendingMark() == 2 && Edit.lastKey != kKeyEsc) AcceptCombo(combo);
  if (combo->CellFrame()) {
    StoreEditedCellText(CurrentGrid());
    combo->HideEditor(CurrentGrid());
  }
  combo->SetEntered(false);
  EditModeOff();
  Edit.currentCombo = nullptr;
}

// ---------------------------------------------------------------- cell editors

void ConfigureEdit(TEditEx* edit, int editType, int maxLength, int negativeFlag, int decimals) {
  const int keepLength = edit->MaxLength();
  const int keepDecimals = edit->UnderPoint();
  edit->setEditType(editType);
  edit->setMaxLength(maxLength != 0 ? maxLength : keepLength);
  edit->setUnderPoint(decimals != 0 ? decimals : keepDecimals);
  edit->setUnderInput(negativeFlag == -1);
  Edit.editType = edit->EditType();
  Edit.maxLength = edit->MaxLength();
  Edit.underPoint = edit->UnderPoint();
  Edit.underInput = edit->UnderInput();
  Edit.zeroDisplay = edit->ZeroDisplay();
  Edit.calcuable = edit->Calcuable();
}

void OpenCellEdit(TEditEx* edit, int editType, int maxLength, int negativeFlag, int decimals) {
  Edit.currentEdit = edit;
  ConfigureEdit(edit, editType, maxLength, negativeFlag, decimals);
  PlaceOnCell(edit);
  edit->show();
  edit->raise();
  edit->setFocus(Qt::OtherFocusReason);
  // Without a focus event (an inactive window) the edit begins here.
  if (!edit->IsEntered()) edit->Host().EDITcomEnter(edit);
}

void OpenCellCombo(TCBoxEx* combo, TComboStyle style, bool dropDown) {
  Edit.currentCombo = combo;
  PlaceOnCell(combo);
  combo->SetPendingMark(0);
  combo->SetStyle(style);
  combo->show();
  combo->raise();
  combo->setFocus(Qt::OtherFocusReason);
  if (!combo->IsEntered()) combo->Host().CBOXcomEnter(combo);
  if (dropDown) combo->showPopup();
}

// ---------------------------------------------------------------- ending

void RevertEdit(TEditEx* edit) {
  if (!edit) return;
  edit->setText(Q(Edit.startText));
  RestoreStartValues();
  RestoreCellAfterRevert(edit->CellFrame(), edit->isVisible());
}

void RevertCombo(TCBoxEx* combo) {
  if (!combo) return;
  ShowComboStart(combo);
  RestoreStartValues();
  RestoreCellAfterRevert(combo->CellFrame(), combo->isVisible());
}

void RestoreStartValues() {
  Edit.cellTextBefore = Edit.startText;
  Edit.newIndex = Edit.startIndex;
  Edit.newText = Edit.startText;
  Edit.newValue = Edit.startValue;
  Edit.newInteger = Edit.startInteger;
  Edit.modified = Edit.savedModified;
  Edit.unchanged = true;
}

void AbandonEditing() {
  if (!Edit.editing) return;
  if (TEditEx* edit = CurrentEdit()) RevertEdit(edit);
  if (TCBoxEx* combo = CurrentCombo()) RevertCombo(combo);
  FinishEditing();
}

void FinishEditing() {
  if (!Edit.editing) return;
  if (TEditEx* edit = CurrentEdit()) edit->Host().EDITcomExit(edit);
  if (TCBoxEx* combo = CurrentCombo()) combo->Host().CBOXcomExit(combo);
  ShowStatus();
}

bool ConfirmDiscard(bool ask) {
  if (Edit.editing) FinishEditing();
  if (!ask) return true;
  MsgBox("現在編集中のデータを廃棄してもいいですか？", 3, 3);
  const bool yes = MsgYes;
  if (MsgAnswer == 2) {
    MsgBox("一度、現在編集中のデータを保存して下さい。", 1, 1);
    // The answer that counts is the one to the question.
    MsgAnswer = 2;
    MsgYes = false;
    MsgCancel = false;
  }
  return yes;
}

}  // namespace kondra
