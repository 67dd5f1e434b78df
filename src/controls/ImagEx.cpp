#include "controls/ImagEx.h"

#include <QMouseEvent>
#include <QPainter>

#include "env/FileSystem.h"

namespace kondra {

TImageEx::TImageEx(QWidget* parent) : QWidget(parent) { resize(105, 105); }

void TImageEx::setStretch(bool on) {
  stretch_ = on;
  update();
}
void TImageEx::setCenter(bool on) {
  center_ = on;
  update();
}
void TImageEx::setProportional(bool on) {
  proportional_ = on;
  update();
}
void TImageEx::setAutoSize(bool on) {
  autoSize_ = on;
  if (on && !picture_.isNull()) resize(picture_.size());
}
void TImageEx::setTransparent(bool on) {
  transparent_ = on;
  update();
}

void TImageEx::SetPicture(const QImage& picture) {
  picture_ = picture;
  if (autoSize_ && !picture_.isNull()) resize(picture_.size());
  update();
}

bool TImageEx::LoadPicture(const std::string& path) {
  std::string bytes;
  if (!fs::ReadWhole(path, bytes)) return false;
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()))) return false;
  SetPicture(image);
  return true;
}

void TImageEx::ClearPicture() {
  picture_ = QImage();
  update();
}

QImage& TImageEx::Bitmap() {
  if (picture_.isNull()) {
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    picture_.fill(Qt::white);
  }
  return picture_;
}

QSize TImageEx::sizeHint() const { return picture_.isNull() ? QSize(105, 105) : picture_.size(); }

QRect TImageEx::PictureRect() const {
  QSize box = size(), pic = picture_.size();
  QSize shown = pic;
  if (stretch_) {
    shown = proportional_ ? pic.scaled(box, Qt::KeepAspectRatio) : box;
  } else if (proportional_ && (pic.width() > box.width() || pic.height() > box.height())) {
    shown = pic.scaled(box, Qt::KeepAspectRatio);
  }
  QPoint at(0, 0);
  if (center_) at = QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2);
  return QRect(at, shown);
}

void TImageEx::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!picture_.isNull()) {
    if (transparent_) {
      // The colour of the bottom-left pixel is see-through, as for bitmaps.
      QImage masked = picture_.convertToFormat(QImage::Format_ARGB32);
      const QRgb key = picture_.pixel(0, picture_.height() - 1);
      for (int y = 0; y < masked.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
          if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
      }
      p.drawImage(PictureRect(), masked);
    } else {
      p.drawImage(PictureRect(), picture_);
    }
  }
  emit Paint(&p);
}

void TImageEx::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QPoint p = event->position().toPoint();
  emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TImageEx::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  emit MouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void TImageEx::mouseReleaseEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  emit MouseUp(event->button(), event->modifiers(), p.x(), p.y());
  if (pressed_ && event->button() == Qt::LeftButton && rect().contains(p)) emit Clicked();
  pressed_ = false;
}

void TImageEx::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  emit DblClick();
}

}  // namespace kondra
