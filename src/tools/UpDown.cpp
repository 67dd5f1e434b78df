#include "tools/UpDown.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace kondra {

TToolUpDown::TToolUpDown(QWidget* parent) : QAbstractSlider(parent) {
  setOrientation(Qt::Vertical);
  setFocusPolicy(Qt::NoFocus);
  repeat_.setInterval(120);
  connect(&repeat_, &QTimer::timeout, this, &TToolUpDown::Step);
}

void TToolUpDown::Step() {
  if (pressed_ > 0)
    triggerAction(SliderSingleStepAdd);
  else if (pressed_ < 0)
    triggerAction(SliderSingleStepSub);
}

void TToolUpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  pressed_ = event->position().y() < height() / 2.0 ? 1 : -1;
  Step();
  repeat_.start(400);
  update();
}

void TToolUpDown::mouseReleaseEvent(QMouseEvent*) {
  pressed_ = 0;
  repeat_.stop();
  update();
}

void TToolUpDown::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int half = height() / 2;
  const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
  for (int i = 0; i < 2; ++i) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = halves[i];
    const bool down = (i == 0 && pressed_ > 0) || (i == 1 && pressed_ < 0);
    button.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &p, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = halves[i].adjusted(3, 2, -3, -2);
    style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
  }
}

}  // namespace kondra
