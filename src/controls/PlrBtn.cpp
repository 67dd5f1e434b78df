#include "controls/PlrBtn.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>

#include "controls/Fonts.h"

namespace kondra {

TPeloraButton::TPeloraButton(QWidget* parent) : QAbstractButton(parent) {
  setFont(LegacyFont(kFontPGothic, 9));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  color_ = palette().color(QPalette::Button);
  frameColor_ = palette().color(QPalette::Shadow);
  edgeHighlight_ = palette().color(QPalette::Light);
  edgeShadow_ = palette().color(QPalette::Dark);
  resize(75, 25);
}

QSize TPeloraButton::sizeHint() const { return QSize(75, 25); }

void TPeloraButton::setCaptionLines(const QStringList& lines) {
  if (lines.join(QStringLiteral("\r\n")) == captionLines_.join(QStringLiteral("\r\n"))) return;
  captionLines_ = lines;
  update();
}

QString TPeloraButton::Caption() const { return text().isEmpty() ? captionLines_.join(QLatin1Char('\n')) : text(); }

void TPeloraButton::setDefault(bool on) {
  if (default_ == on) return;
  default_ = on;
  for (QShortcut*& key : defaultKeys_) {
    delete key;
    key = nullptr;
  }
  if (on && window()) {
    const Qt::Key keys[2] = {Qt::Key_Return, Qt::Key_Enter};
    for (int i = 0; i < 2; ++i) {
      defaultKeys_[i] = new QShortcut(QKeySequence(keys[i]), window());
      defaultKeys_[i]->setContext(Qt::WindowShortcut);
      connect(defaultKeys_[i], &QShortcut::activated, this, [this] {
        if (isVisible() && isEnabled()) animateClick();
      });
    }
  }
  update();
}

void TPeloraButton::setCancel(bool on) {
  if (cancel_ == on) return;
  cancel_ = on;
  delete cancelKey_;
  cancelKey_ = nullptr;
  if (on && window()) {
    cancelKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), window());
    cancelKey_->setContext(Qt::WindowShortcut);
    connect(cancelKey_, &QShortcut::activated, this, [this] {
      if (isVisible() && isEnabled()) animateClick();
    });
  }
}

void TPeloraButton::paintEvent(QPaintEvent*) {
  const QRect client = rect();
  QPixmap buffer(client.size() * devicePixelRatioF());
  buffer.setDevicePixelRatio(devicePixelRatioF());
  QPainter p(&buffer);
  p.setFont(font());

  // 1. Face.
  p.fillRect(client, isEnabled() ? color_ : palette().color(QPalette::Button));

  // 2.-5. Caption place.
  const QString caption = Caption();
  const int hFlag = capAlignH_ == haLeft ? Qt::AlignLeft : capAlignH_ == haRight ? Qt::AlignRight : Qt::AlignHCenter;
  const int flags = hFlag | Qt::AlignTop | Qt::TextShowMnemonic;
  const int textHeight = p.fontMetrics().boundingRect(client, flags, caption).height();
  QRect place = client;
  switch (capAlignV_) {
    case vaCenter:
      place.translate(0, (client.height() - textHeight) / 2);
      break;
    case vaBottom:
      place.translate(0, client.height() - textHeight - 5);
      break;
    case vaTop:
      place.translate(0, 4);
      break;
  }
  if (capAlignH_ == haLeft) place.translate(5, 0);
  if (capAlignH_ == haRight) place.translate(-5, 0);
  const bool marked = default_ || hasFocus();
  if (buttonStyle_ == bsStd && !capFixed_ && !marked) {
    const int dx = capAlignH_ == haLeft ? -1 : capAlignH_ == haRight ? 1 : 0;
    const int dy = capAlignV_ == vaTop ? -1 : capAlignV_ == vaBottom ? 1 : 0;
    place.translate(dx, dy);
  }
  place.translate(capOffsetH_, capOffsetV_);
  if (isDown()) place.translate(1, 1);

  // 6. Caption, engraved when disabled.
  if (isEnabled()) {
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(place, flags, caption);
  } else {
    // Engraved: crisp strokes, so the two copies stay apart.
    QFont crisp = font();
    crisp.setStyleStrategy(QFont::NoAntialias);
    p.setFont(crisp);
    p.setPen(palette().color(QPalette::Light));
    p.drawText(place.translated(1, 1), flags, caption);
    p.setPen(palette().color(QPalette::Dark));
    p.drawText(place, flags, caption);
  }

  // 7.-9. Frame.
  auto outline = [&p](const QColor& c, const QRect& r) {
    p.setPen(c);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  };
  auto bottomRight = [&p](const QColor& c, const QRect& r) {
    p.setPen(c);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
  };
  QRect frame = client;
  if (buttonStyle_ == bsStd) {
    if (marked) {
      outline(frameColor_, frame);
      frame.adjust(1, 1, -1, -1);
    }
    if (isDown()) {
      outline(edgeShadow_, frame);
    } else {
      outline(edgeHighlight_, frame);
      bottomRight(frameColor_, frame);
      p.setPen(edgeShadow_);
      p.drawLine(frame.right() - 1, frame.top() + 1, frame.right() - 1, frame.bottom() - 1);
      p.drawLine(frame.left() + 1, frame.bottom() - 1, frame.right() - 1, frame.bottom() - 1);
    }
  } else if (buttonStyle_ == bsIELike) {
    if (isDown()) {
      outline(edgeShadow_, frame);
      bottomRight(edgeHighlight_, frame);
    } else if (hovering_) {
      outline(edgeHighlight_, frame);
      bottomRight(edgeShadow_, frame);
    }
  }

  // 10. Focus line.
  if (focusline_ && default_ && hasFocus()) {
    const int inset = buttonStyle_ == bsStd ? 4 : buttonStyle_ == bsIELike ? 2 : 0;
    QPen dotted(palette().color(QPalette::ButtonText), 1, Qt::DotLine);
    p.setPen(dotted);
    p.setBrush(Qt::NoBrush);
    p.drawRect(client.adjusted(inset, inset, -inset - 1, -inset - 1));
  }
  p.end();

  QPainter(this).drawPixmap(0, 0, buffer);
}

void TPeloraButton::PointerEntered() {
  hovering_ = true;
  update();
  emit MouseEnter();
}

void TPeloraButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  if (!hovering_ || (QApplication::mouseButtons() & Qt::LeftButton)) PointerEntered();
}

void TPeloraButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  hovering_ = false;
  update();
  emit MouseLeave();
}

void TPeloraButton::mouseMoveEvent(QMouseEvent* event) {
  QAbstractButton::mouseMoveEvent(event);
  if (!hovering_ && !(event->buttons() & Qt::LeftButton) && rect().contains(event->position().toPoint()))
    PointerEntered();
}

void TPeloraButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
    click();
    event->accept();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

void TPeloraButton::changeEvent(QEvent* event) {
  QAbstractButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) update();
}

}  // namespace kondra
