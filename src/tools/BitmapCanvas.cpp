#include "tools/BitmapCanvas.h"

#include <QPainter>

#include "output/gui/QtCanvas.h"

namespace kondra {

void BitmapCanvas::Clear(int width, int height) {
  if (!image_) return;
  QSize size = width > 0 && height > 0 ? QSize(width, height) : image_->size();
  QImage bitmap(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  image_->SetPicture(bitmap);
}

template <typename Draw>
void BitmapCanvas::Paint(Draw draw) {
  if (!image_) return;
  {
    QPainter painter(&image_->Bitmap());
    QtCanvas canvas(painter);
    canvas.pen = pen;
    canvas.brush = brush;
    canvas.font = font;
    draw(canvas);
  }
  image_->update();
}

void BitmapCanvas::Line(TPoint from, TPoint to) {
  Paint([&](Canvas& c) { c.Line(from, to); });
}
void BitmapCanvas::Polyline(const std::vector<TPoint>& points) {
  Paint([&](Canvas& c) { c.Polyline(points); });
}
void BitmapCanvas::Polygon(const std::vector<TPoint>& points) {
  Paint([&](Canvas& c) { c.Polygon(points); });
}
void BitmapCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Paint([&](Canvas& c) { c.FillRect(x1, y1, x2, y2); });
}
void BitmapCanvas::TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) {
  Paint([&](Canvas& c) { c.TextOut(x, y, text, opaque); });
}

}  // namespace kondra
