#include "output/Draw.h"

#include <array>

#include "output/Palette.h"

namespace kondra {

namespace {

constexpr std::array<BrushStyle, 8> kPatterns = {
    BrushStyle::Solid,     BrushStyle::Clear,     BrushStyle::Horizontal, BrushStyle::Vertical,
    BrushStyle::FDiagonal, BrushStyle::BDiagonal, BrushStyle::Cross,      BrushStyle::DiagCross,
};
constexpr std::array<PenMode, 7> kPenModes = {
    PenMode::Copy, PenMode::NotCopy, PenMode::Not, PenMode::Xor, PenMode::NotXor, PenMode::White, PenMode::Black,
};
constexpr std::array<PenStyle, 6> kPenStyles = {
    PenStyle::Solid, PenStyle::Solid, PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot, PenStyle::DashDotDot,
};

// The colour rule shared by the line helpers.
void ApplyLineColour(Canvas& canvas, int32_t colour) {
  if (colour == kInvertColor)
    canvas.pen.mode = PenMode::Not;
  else
    canvas.pen.color = ColorOf(colour);
}

}  // namespace

BrushStyle BrushStyleOf(int32_t pattern) {
  if (pattern < 0 || pattern >= static_cast<int32_t>(kPatterns.size())) return BrushStyle::Solid;
  return kPatterns[pattern];
}

PenMode PenModeOf(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(kPenModes.size())) return PenMode::Copy;
  return kPenModes[index];
}

PenStyle PenStyleOf(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(kPenStyles.size())) return PenStyle::Solid;
  return kPenStyles[index];
}

void SetBrush(Canvas& canvas, int32_t colour, int32_t pattern) {
  canvas.brush.color = ColorOf(colour);
  canvas.brush.style = BrushStyleOf(pattern);
}

void SetPen(Canvas& canvas, int32_t colour, int32_t mode, int32_t width, int32_t style) {
  canvas.pen.color = ColorOf(colour);
  canvas.pen.mode = PenModeOf(mode);
  canvas.pen.width = width;
  canvas.pen.style = PenStyleOf(style);
}

void SetCanvasFont(Canvas& canvas, const std::string& name, int32_t size, int32_t style) {
  canvas.font.name = name;
  canvas.font.size = size;
  canvas.font.style = style;
}

void DrawLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  canvas.Line({x1, y1}, {x2, y2});
}

void DrawColorLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
  ApplyLineColour(canvas, colour);
  canvas.Line({x1, y1}, {x2, y2});
}

void DrawBoxOutline(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
  ApplyLineColour(canvas, colour);
  canvas.Polyline({{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}});
}

void TextOutClear(Canvas& canvas, int32_t x, int32_t y, int32_t colour, int32_t size, const std::string& text) {
  if (x < 0 || y < 0) return;
  canvas.font.color = ColorOf(colour);
  canvas.font.size = size;
  canvas.TextOut(x, y, text, false);
}

void TextOutOpaque(Canvas& canvas, int32_t x, int32_t y, int32_t colour, int32_t size, const std::string& text) {
  if (x < 0 || y < 0) return;
  canvas.font.color = ColorOf(colour);
  canvas.font.size = size;
  canvas.TextOut(x, y, text, true);
}

void FillBox(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour, int32_t pattern) {
  SetBrush(canvas, colour, pattern);
  canvas.FillRect(x1, y1, x2, y2);
}

void FillPolygon(Canvas& canvas, const std::vector<TPoint>& points, int32_t colour) {
  if (points.empty() || points.front() == TPoint{0, 0}) return;
  canvas.pen.color = ColorOf(colour);
  canvas.Polygon(points);
}

void DrawColorChart(Canvas& canvas) {
  constexpr int32_t kCell = 16;
  SetCanvasFont(canvas, "Small Fonts", 6, 0);
  for (int32_t r = 0; r < 16; ++r) {
    for (int32_t c = 0; c < 16; ++c) {
      int32_t colour = 16 * r + c;
      FillBox(canvas, kCell * c, kCell * r, kCell * (c + 1), kCell * (r + 1), colour, 0);
      TextOutClear(canvas, kCell * c, kCell * r + 4, 15, 6, std::to_string(colour));
    }
  }
  SetCanvasFont(canvas, "ＭＳ ゴシック", 9, 0);
}

}  // namespace kondra
