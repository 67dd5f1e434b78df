#include "controls/EditEx.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QValidator>
#include <algorithm>

#include "controls/EditProtocol.h"
#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/Messages.h"

namespace kondra {
namespace {

const QColor kCellTextColour(0x00, 0x00, 0xFF);
const QColor kCalcBackground(0xC0, 0xDC, 0xC0);

// Refuses, as they are typed, characters that Shift-JIS cannot hold and text
// beyond the box's byte limit (a text already longer, set by the program,
// may still be shortened).
class TypedTextValidator : public QValidator {
 public:
  explicit TypedTextValidator(TEditEx* edit) : QValidator(edit), edit_(edit) {}

  State validate(QString& input, int&) const override {
    std::string text = S(input), bad;
    if (!IsCp932Text(text, &bad)) {
      QTimer::singleShot(0, [bad] { ShowStatus("※「" + bad + "」はShift-JISにない文字なので入力できません。"); });
      return Invalid;
    }
    const int limit = edit_->MaxLength();
    if (limit > 0) {
      const int width = MBWidth(text);
      if (width > limit && width > edit_->AcceptedWidth()) return Invalid;
    }
    return Acceptable;
  }

 private:
  TEditEx* edit_;
};

}  // namespace

int KeyCharOf(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) return 0;
  const QString text = event->text();
  if (text.isEmpty()) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        return 13;
      case Qt::Key_Escape:
        return 27;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        return 9;
      case Qt::Key_Backspace:
        return 8;
      default:
        return 0;
    }
  }
  if (event->key() == Qt::Key_Backtab) return 9;
  return static_cast<int>(text.toUcs4().value(0));
}

TEditEx::TEditEx(QWidget* parent) : QLineEdit(parent) {
  setFont(LegacyFont(kFontGothic, 9));
  QLineEdit::setMaxLength(32767);  // the byte limit is kept by the validator
  setValidator(new TypedTextValidator(this));
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { acceptedWidth_ = MBWidth(S(text)); });
  setCellFrame(true);
  setCalcuable(false);
}

TEditEx::~TEditEx() {
  if (Edit.currentEdit == static_cast<void*>(this)) Edit.currentEdit = nullptr;
}

void TEditEx::setEditType(Kind kind) {
  editType_ = kind;
  switch (kind) {
    case etByte:
      maxBytes_ = 3;
      break;
    case etChar:
      maxBytes_ = 1;
      break;
    case etDate:
    case etTime:
      maxBytes_ = 8;
      break;
    case etDateTime:
      maxBytes_ = 17;
      break;
    case etInteger:
      maxBytes_ = 11;
      break;
    case etSmallInt:
      maxBytes_ = 6;
      break;
    case etWord:
      maxBytes_ = 5;
      break;
    case etFloat:
    case etString:
      break;
  }
  if (kind != etFloat) underPoint_ = 0;
  if (kind == etByte || kind == etChar || kind == etString || kind == etWord) underInput_ = false;
  if (kind == etChar || kind == etDate || kind == etDateTime || kind == etString || kind == etTime)
    zeroDisplay_ = true;
  // Numbers, dates and times are typed in half-width characters.
  setAttribute(Qt::WA_InputMethodEnabled, kind == etString);
}

void TEditEx::setUnderPoint(int decimals) {
  if (decimals != 0 && maxBytes_ != 0 && maxBytes_ < decimals + 3) decimals = std::max(0, maxBytes_ - 3);
  underPoint_ = decimals;
}

void TEditEx::setCellFrame(bool on) {
  cellFrame_ = on;
  setFrame(!on);
  QPalette pal = palette();
  pal.setColor(QPalette::Text, on ? kCellTextColour : QColor(Qt::black));
  setPalette(pal);
  setVisible(!on);
}

void TEditEx::setCalcuable(bool on) {
  calcuable_ = on;
  QPalette pal = palette();
  pal.setColor(QPalette::Base, on ? kCalcBackground : QPalette().color(QPalette::Base));
  setPalette(pal);
}

void TEditEx::setMaxLength(int bytes) { maxBytes_ = std::max(0, bytes); }

TEditHost& TEditEx::Host() const {
  if (host_) return *host_;
  if (TEditHost* host = FindHost(this)) return *host;
  return StateOnlyHost();
}

void TEditEx::HideEditor(QWidget* focusTo) {
  quiet_ = true;
  if (hasFocus()) {
    if (focusTo && focusTo->isVisible() && focusTo->isEnabled())
      focusTo->setFocus(Qt::OtherFocusReason);
    else
      clearFocus();
  }
  hide();
  quiet_ = false;
}

void TEditEx::EnsureEntered() {
  if (!entered_ && !quiet_) Host().EDITcomEnter(this);
}

void TEditEx::HandleKey(QKeyEvent* event) {
  QPointer<TEditEx> self(this);
  EnsureEntered();
  int key = event->key();
  Host().EDITcomKeyDown(this, key);
  if (!self) return;
  if (key == 0) {
    event->accept();
    return;
  }
  int ch = KeyCharOf(event);
  if (ch != 0) {
    Host().EDITcomKeyPress(this, ch);
    if (!self) return;
    if (ch == 0) {
      event->accept();
      return;
    }
  }
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

bool TEditEx::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // The keys of the protocol belong to the box, not to window shortcuts.
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Insert:
        event->accept();
        return true;
      default:
        break;
    }
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      QPointer<TEditEx> self(this);
      HandleKey(key);
      // Tab then goes on to the next field, as in any dialog.
      if (self && hasFocus()) focusNextPrevChild(key->key() == Qt::Key_Tab);
      return true;
    }
  }
  return QLineEdit::event(event);
}

void TEditEx::keyPressEvent(QKeyEvent* event) { HandleKey(event); }

void TEditEx::inputMethodEvent(QInputMethodEvent* event) {
  const QString committed = event->commitString();
  if (!committed.isEmpty()) {
    EnsureEntered();
    // Each committed character counts as typed (overwrite applies to each).
    for (char32_t c : committed.toUcs4()) {
      int ch = static_cast<int>(c);
      Host().EDITcomKeyPress(this, ch);
    }
  }
  QLineEdit::inputMethodEvent(event);
}

void TEditEx::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (quiet_ || event->reason() == Qt::PopupFocusReason || entered_) return;
  selectOnRelease_ = event->reason() == Qt::MouseFocusReason;
  Host().EDITcomEnter(this);
}

void TEditEx::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window coming to the front (a message box) does not leave the box.
  if (quiet_ || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  if (entered_) Host().EDITcomExit(this);
}

void TEditEx::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (selectOnRelease_) {
    // A click that enters the box selects its whole text, so typing replaces it.
    selectOnRelease_ = false;
    if (!hasSelectedText()) selectAll();
  }
}

}  // namespace kondra
