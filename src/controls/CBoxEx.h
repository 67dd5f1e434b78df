// TCBoxEx: the combo box of every window, standing field or cell editor.
//
// Focus, key, drop-down and selection events go to the window's handlers
// (TEditHost, see EditProtocol.h). The box remembers how the user last
// touched it (the pending-commit mark): 0 after it was placed over a cell,
// 1 after a choice from the list, 2 after a key press.
#pragma once

#include <QComboBox>

namespace kondra {

class TEditHost;

// List only, or an edit field with a list.
enum TComboStyle { csDropDown, csDropDownList };

class TCBoxEx : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(bool CellFrame READ CellFrame WRITE setCellFrame)
  Q_PROPERTY(int Tag READ Tag WRITE setTag)

 public:
  explicit TCBoxEx(QWidget* parent = nullptr);
  ~TCBoxEx() override;

  bool CellFrame() const { return cellFrame_; }
  void setCellFrame(bool on);
  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  int PendingMark() const { return pendingMark_; }
  void SetPendingMark(int mark) { pendingMark_ = mark; }
  bool IsEntered() const { return entered_; }
  void SetEntered(bool on) { entered_ = on; }

  void SetHost(TEditHost* host) { host_ = host; }
  TEditHost& Host() const;

  // The items as texts, in order.
  QStringList Items() const;
  // The shown text (the edit field's for an editable box).
  QString Text() const { return currentText(); }
  // Hides a cell editor without its leaving counting as an exit.
  void HideEditor(QWidget* focusTo);
  // List only or editable; typed text is held to what Shift-JIS can store.
  void SetStyle(TComboStyle style);

  void showPopup() override;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void GuardTypedText();
  void EnsureEntered();
  void HandleKey(QKeyEvent* event);

  bool cellFrame_ = true;
  int tag_ = 0;
  int pendingMark_ = 0;
  bool entered_ = false;
  bool quiet_ = false;
  TEditHost* host_ = nullptr;
};

}  // namespace kondra
