#include "output/RubberBand.h"

#include <algorithm>
#include <utility>

#include "output/Draw.h"

namespace kondra {

TPointMOVE PointMove;

namespace {

Canvas* g_bandCanvas = nullptr;

void DrawBand(Canvas& canvas) {
  DrawBoxOutline(canvas, PointMove.x1, PointMove.y1, PointMove.x2, PointMove.y2, kInvertColor);
}

}  // namespace

void SetRubberBandCanvas(Canvas* canvas) { g_bandCanvas = canvas; }

void RubberBandStart(BandControl& control, int32_t x, int32_t y) {
  if (!g_bandCanvas) return;
  control.BringToFront();
  PointMove = TPointMOVE{};
  PointMove.x1 = PointMove.x2 = x;
  PointMove.y1 = PointMove.y2 = y;
  PointMove.active = true;
  DrawBand(*g_bandCanvas);
  control.SetResizePointer(true);
}

void RubberBandMove(BandControl& control, int32_t x, int32_t y) {
  if (!g_bandCanvas || !PointMove.active) return;
  DrawBand(*g_bandCanvas);
  PointMove.x2 = std::clamp(x, 0, std::max(0, control.Width() - 1));
  PointMove.y2 = std::clamp(y, 0, std::max(0, control.Height() - 1));
  DrawBand(*g_bandCanvas);
}

void RubberBandEnd(BandControl& control) {
  if (!g_bandCanvas || !PointMove.active) return;
  DrawBand(*g_bandCanvas);
  if (PointMove.x1 > PointMove.x2) std::swap(PointMove.x1, PointMove.x2);
  if (PointMove.y1 > PointMove.y2) std::swap(PointMove.y1, PointMove.y2);
  PointMove.width = PointMove.x2 - PointMove.x1 + 1;
  PointMove.height = PointMove.y2 - PointMove.y1 + 1;
  int32_t w = control.Width();
  int32_t h = control.Height();
  PointMove.widthRatio = w > 0 ? static_cast<float>(PointMove.width) / static_cast<float>(w) : 0.0f;
  PointMove.heightRatio = h > 0 ? static_cast<float>(PointMove.height) / static_cast<float>(h) : 0.0f;
  PointMove.active = false;
  g_bandCanvas->pen.mode = PenMode::Copy;
  g_bandCanvas = nullptr;
  control.SetResizePointer(false);
}

}  // namespace kondra
