// A canvas on the picture of a picture box: every primitive is painted into
// the box's bitmap at once and the box is repainted, so a picture can be
// drawn on over many events (the marks, the rubber band) like a window's own
// canvas.
#pragma once

#include <QPointer>

#include "controls/ImagEx.h"
#include "output/Canvas.h"

namespace kondra {

class BitmapCanvas : public Canvas {
 public:
  explicit BitmapCanvas(TImageEx* image = nullptr) : image_(image) {}
  void SetImage(TImageEx* image) { image_ = image; }
  // Makes the bitmap the box's size (or `width` × `height`), white.
  void Clear(int width = 0, int height = 0);

  void Line(TPoint from, TPoint to) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) override;

 private:
  template <typename Draw>
  void Paint(Draw draw);
  QPointer<TImageEx> image_;
};

}  // namespace kondra
