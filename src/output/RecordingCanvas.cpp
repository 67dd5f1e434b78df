#include "output/RecordingCanvas.h"

#include <utility>

namespace kondra {

void RecordingCanvas::Record(DrawOp::Kind kind, std::vector<TPoint> points, std::string text, bool opaque) {
  DrawOp op;
  op.kind = kind;
  op.points = std::move(points);
  op.pen = pen;
  op.brush = brush;
  op.font = font;
  op.text = std::move(text);
  op.opaque = opaque;
  ops.push_back(std::move(op));
}

void RecordingCanvas::Line(TPoint from, TPoint to) { Record(DrawOp::Kind::Line, {from, to}); }

void RecordingCanvas::Polyline(const std::vector<TPoint>& points) { Record(DrawOp::Kind::Polyline, points); }

void RecordingCanvas::Polygon(const std::vector<TPoint>& points) { Record(DrawOp::Kind::Polygon, points); }

void RecordingCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Record(DrawOp::Kind::FillRect, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) {
  Record(DrawOp::Kind::Text, {{x, y}}, text, opaque);
}

std::vector<DrawOp> RecordingCanvas::OfKind(DrawOp::Kind kind) const {
  std::vector<DrawOp> found;
  for (const DrawOp& op : ops)
    if (op.kind == kind) found.push_back(op);
  return found;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> texts;
  for (const DrawOp& op : ops)
    if (op.kind == DrawOp::Kind::Text) texts.push_back(op.text);
  return texts;
}

}  // namespace kondra
