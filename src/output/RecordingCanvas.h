// A canvas that draws nothing and keeps the list of what was drawn, with the
// pen, brush and font of each primitive, so a picture's geometry and colours
// can be checked exactly.
#pragma once

#include <string>
#include <vector>

#include "output/Canvas.h"

namespace kondra {

struct DrawOp {
  enum class Kind { Line, Polyline, Polygon, FillRect, Text };
  Kind kind = Kind::Line;
  // Line: from, to. FillRect: (x1, y1), (x2, y2). Text: the cell's top left.
  std::vector<TPoint> points;
  CanvasPen pen;
  CanvasBrush brush;
  CanvasFont font;
  std::string text;
  bool opaque = false;
};

class RecordingCanvas : public Canvas {
 public:
  std::vector<DrawOp> ops;

  void Line(TPoint from, TPoint to) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) override;

  // The primitives of one kind, in drawing order.
  std::vector<DrawOp> OfKind(DrawOp::Kind kind) const;
  // The texts drawn, in order.
  std::vector<std::string> Texts() const;

 private:
  void Record(DrawOp::Kind kind, std::vector<TPoint> points, std::string text = {}, bool opaque = false);
};

}  // namespace kondra
