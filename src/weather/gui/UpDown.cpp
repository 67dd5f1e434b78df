#include "weather/gui/UpDown.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace kondra {

TUpDown::TUpDown(QWidget* parent) : QAbstractSlider(parent) {
  setOrientation(Qt::Vertical);
  setFocusPolicy(Qt::StrongFocus);
  setRange(1, 1);
}

QRect TUpDown::UpRect() const { return QRect(0, 0, width(), height() / 2); }
QRect TUpDown::DownRect() const { return QRect(0, height() / 2, width(), height() - height() / 2); }

QSize TUpDown::sizeHint() const { return QSize(17, 24); }

void TUpDown::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const struct {
    QRect rect;
    Part part;
    QStyle::PrimitiveElement arrow;
  } buttons[] = {{UpRect(), Part::Up, QStyle::PE_IndicatorArrowUp},
                 {DownRect(), Part::Down, QStyle::PE_IndicatorArrowDown}};
  for (const auto& b : buttons) {
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = b.rect;
    option.state |= pressed_ == b.part ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &p, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = b.rect.adjusted(3, 2, -3, -2);
    style()->drawPrimitive(b.arrow, &arrow, &p, this);
  }
  if (hasFocus()) {
    p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void TUpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (UpRect().contains(event->position().toPoint())) {
    pressed_ = Part::Up;
    triggerAction(SliderSingleStepAdd);
  } else if (DownRect().contains(event->position().toPoint())) {
    pressed_ = Part::Down;
    triggerAction(SliderSingleStepSub);
  }
  update();
}

void TUpDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool was = pressed_ != Part::None;
  pressed_ = Part::None;
  update();
  if (was && isEnabled()) emit Released();
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      triggerAction(SliderSingleStepAdd);
      emit Released();
      break;
    case Qt::Key_Down:
      triggerAction(SliderSingleStepSub);
      emit Released();
      break;
    default:
      QAbstractSlider::keyPressEvent(event);
  }
}

}  // namespace kondra
