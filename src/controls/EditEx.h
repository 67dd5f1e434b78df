// TEditEx: the one-line edit box of every window, standing field or cell
// editor.
//
// The box knows what kind of value it takes (EditType), how wide it is in
// bytes (MaxLength, CP932 bytes; 0 = no limit), its decimals, whether
// negatives, expressions and a shown zero are allowed. Focus and key events
// go to the window's handlers (TEditHost, see EditProtocol.h), which keep the
// process-wide edit state. Typing beyond the byte limit, or a character that
// Shift-JIS cannot hold, is refused as it is typed.
#pragma once

#include <QLineEdit>

namespace kondra {

class TEditHost;

class TEditEx : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(Kind EditType READ EditType WRITE setEditType)
  Q_PROPERTY(bool UnderInput READ UnderInput WRITE setUnderInput)
  Q_PROPERTY(int UnderPoint READ UnderPoint WRITE setUnderPoint)
  Q_PROPERTY(bool ZeroDisplay READ ZeroDisplay WRITE setZeroDisplay)
  Q_PROPERTY(bool CellFrame READ CellFrame WRITE setCellFrame)
  Q_PROPERTY(bool Calcuable READ Calcuable WRITE setCalcuable)
  Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
  Q_PROPERTY(int Tag READ Tag WRITE setTag)

 public:
  // The kinds of TEditType (env/EditState.h), for window descriptions.
  enum Kind { etByte, etChar, etDate, etDateTime, etFloat, etInteger, etSmallInt, etString, etTime, etWord };
  Q_ENUM(Kind)

  explicit TEditEx(QWidget* parent = nullptr);
  ~TEditEx() override;

  Kind EditType() const { return editType_; }
  void setEditType(Kind kind);
  void setEditType(int kind) { setEditType(static_cast<Kind>(kind)); }
  bool UnderInput() const { return underInput_; }
  void setUnderInput(bool on) { underInput_ = on; }
  int UnderPoint() const { return underPoint_; }
  void setUnderPoint(int decimals);
  bool ZeroDisplay() const { return zeroDisplay_; }
  void setZeroDisplay(bool on) { zeroDisplay_ = on; }
  bool CellFrame() const { return cellFrame_; }
  void setCellFrame(bool on);
  bool Calcuable() const { return calcuable_; }
  void setCalcuable(bool on);
  // Maximum length in bytes; 0 means none. (Hides QLineEdit::setMaxLength,
  // which counts characters.)
  int MaxLength() const { return maxBytes_; }
  void setMaxLength(int bytes);
  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  // The window whose handlers this box calls: the one set here, else the
  // nearest enclosing widget that is a TEditHost, else a host that only
  // keeps the edit state.
  void SetHost(TEditHost* host) { host_ = host; }
  TEditHost& Host() const;

  // Hides a cell editor; the focus goes back to `focusTo` (the grid) when
  // the editor had it, and the hiding does not count as leaving the box.
  void HideEditor(QWidget* focusTo);

  // The width in bytes of the text before the change being typed.
  int AcceptedWidth() const { return acceptedWidth_; }

  // Between entering (EditEnter) and leaving (EditExit).
  bool IsEntered() const { return entered_; }
  void SetEntered(bool on) { entered_ = on; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void EnsureEntered();
  void HandleKey(QKeyEvent* event);

  Kind editType_ = etString;
  bool underInput_ = false;
  int underPoint_ = 0;
  bool zeroDisplay_ = false;
  bool cellFrame_ = true;
  bool calcuable_ = false;
  int maxBytes_ = 0;
  int tag_ = 0;
  int acceptedWidth_ = 0;
  bool entered_ = false;
  bool quiet_ = false;          // focus changes made by the protocol itself
  bool selectOnRelease_ = false;
  TEditHost* host_ = nullptr;
};

// Whether a key event's character counts as typed into a box (Delete and
// the navigation keys carry none), and its code: the character's code
// point, or 8, 9, 13, 27 for Backspace, Tab, Enter, Esc.
int KeyCharOf(const QKeyEvent* event);

}  // namespace kondra
