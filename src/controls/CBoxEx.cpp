#include "controls/CBoxEx.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

#include "controls/EditProtocol.h"
#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Cp932.h"
#include "env/Messages.h"
#include "env/EditState.h"

namespace kondra {
namespace {

// Refuses, as they are typed, characters that Shift-JIS cannot hold.
class Cp932Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    std::string bad;
    if (IsCp932Text(S(input), &bad)) return Acceptable;
    QTimer::singleShot(0, [bad] { ShowStatus("※「" + bad + "」はShift-JISにない文字なので入力できません。"); });
    return Invalid;
  }
};

}  // namespace

TCBoxEx::TCBoxEx(QWidget* parent) : QComboBox(parent) {
  setFont(LegacyFont(kFontGothic, 9));
  setInsertPolicy(QComboBox::NoInsert);
  setCellFrame(true);
  connect(this, &QComboBox::activated, this, [this](int) {
    EnsureEntered();
    Host().CBOXcomClick(this);
  });
}

TCBoxEx::~TCBoxEx() {
  if (Edit.currentCombo == static_cast<void*>(this)) Edit.currentCombo = nullptr;
}

void TCBoxEx::setCellFrame(bool on) {
  cellFrame_ = on;
  QPalette pal = palette();
  const QColor text = on ? QColor(0x00, 0x00, 0xFF) : QColor(Qt::black);
  pal.setColor(QPalette::Text, text);
  pal.setColor(QPalette::ButtonText, text);
  pal.setColor(QPalette::WindowText, text);
  setPalette(pal);
  setVisible(!on);
}

TEditHost& TCBoxEx::Host() const {
  if (host_) return *host_;
  if (TEditHost* host = FindHost(this)) return *host;
  return StateOnlyHost();
}

QStringList TCBoxEx::Items() const {
  QStringList items;
  for (int i = 0; i < count(); ++i) items << itemText(i);
  return items;
}

void TCBoxEx::HideEditor(QWidget* focusTo) {
  quiet_ = true;
  hidePopup();
  if (hasFocus()) {
    if (focusTo && focusTo->isVisible() && focusTo->isEnabled())
      focusTo->setFocus(Qt::OtherFocusReason);
    else
      clearFocus();
  }
  hide();
  quiet_ = false;
}

void TCBoxEx::SetStyle(TComboStyle style) {
  setEditable(style == csDropDown);
  GuardTypedText();
}

void TCBoxEx::GuardTypedText() {
  if (isEditable() && lineEdit() && !lineEdit()->validator()) setValidator(new Cp932Validator(this));
}

void TCBoxEx::showEvent(QShowEvent* event) {
  GuardTypedText();
  QComboBox::showEvent(event);
}

void TCBoxEx::showPopup() {
  if (!quiet_) Host().CBOXcomDropDown(this);
  QComboBox::showPopup();
}

void TCBoxEx::EnsureEntered() {
  if (!entered_ && !quiet_) Host().CBOXcomEnter(this);
}

void TCBoxEx::HandleKey(QKeyEvent* event) {
  QPointer<TCBoxEx> self(this);
  EnsureEntered();
  int key = event->key();
  Host().CBOXcomKeyDown(this, key);
  if (!self) return;
  if (key == 0) {
    event->accept();
    return;
  }
  int ch = KeyCharOf(event);
  if (ch != 0) {
    Host().CBOXcomKeyPress(this, ch);
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
  QComboBox::keyPressEvent(event);
}

bool TCBoxEx::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
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
      QPointer<TCBoxEx> self(this);
      HandleKey(key);
      if (self && hasFocus()) focusNextPrevChild(key->key() == Qt::Key_Tab);
      return true;
    }
  }
  return QComboBox::event(event);
}

void TCBoxEx::keyPressEvent(QKeyEvent* event) { HandleKey(event); }

void TCBoxEx::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  if (quiet_ || event->reason() == Qt::PopupFocusReason || entered_) return;
  Host().CBOXcomEnter(this);
}

void TCBoxEx::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (quiet_ || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  // The list of this box taking the focus does not leave the box.
  if (view() && view()->isVisible()) return;
  if (entered_) Host().CBOXcomExit(this);
}

}  // namespace kondra
