#include "calc/Diagram.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "calc/Engine.h"
#include "env/Numbers.h"
#include "output/Draw.h"
#include "psychro/Psychro.h"

namespace kondra {

namespace {

// Texts of every picture.
constexpr const char* kPictureFont = "Small Fonts";
constexpr int32_t kPictureFontSize = 6;
// The zone polygon holds at most this many points.
constexpr std::size_t kMaxZonePoints = 18;

// Nearest whole number, ties to even.
int32_t RoundPixel(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

float AxisValue(const TLayerData& d, DiagramAxis axis) {
  return axis == DiagramAxis::Thickness ? d.Thickness : d.VapourRes;
}

float AxisValue(const TCumulative& c, DiagramAxis axis) { return axis == DiagramAxis::Thickness ? c.x : c.Rv; }

float AxisTotal(const CalcState& s, DiagramAxis axis) {
  return axis == DiagramAxis::Thickness ? s.TotalThickness : s.TotalVapourRes;
}

int32_t LayerCountOf(const CalcState& s) { return std::clamp(s.LayerCount, 0, kMaxLayers); }

// Value-axis pixel of v on a scale from lo to hi: up from the bottom of a
// vertical element's frame, right from the left of any other.
int32_t ValuePixel(float v, float lo, float hi, bool vertical) {
  DiagramFrame f = FrameOf(vertical);
  double span = static_cast<double>(hi) - lo;
  double scale = span > 0 ? f.ValueLength(vertical) / span : 0.0;
  if (vertical) return f.y0 + RoundPixel(scale * (static_cast<double>(hi) - v));
  return f.x0 + RoundPixel(scale * (static_cast<double>(v) - lo));
}

// A point of the picture from a position-axis pixel and a value-axis pixel.
TPoint Place(int32_t position, int32_t value, bool vertical) {
  return vertical ? TPoint{position, value} : TPoint{value, position};
}

// Where the saturation line and the calculated line of one row cross, as
// (offset into the row, pressure). The row runs from boundary `from` to
// boundary `from` + 1 over `width`. A pressure of 0 (parallel lines) falls
// back to the calculated pressure at boundary `fallback`.
ZonePoint Crossing(const CalcState& s, int from, float width, int fallback) {
  float satSlope = 0, satIntercept = 0, calcSlope = 0, calcIntercept = 0;
  LineFromPoints(0.0f, s.SatPress[from], width, s.SatPress[from + 1], satSlope, satIntercept);
  LineFromPoints(0.0f, s.CalcPress[from], width, s.CalcPress[from + 1], calcSlope, calcIntercept);
  ZonePoint p;
  LineIntersection(satSlope, satIntercept, calcSlope, calcIntercept, p.position, p.pressure);
  if (p.pressure == 0.0f) p.pressure = s.CalcPress[fallback];
  return p;
}

void WriteRowNumber(Canvas& canvas, int k, int32_t from, int32_t to, bool vertical) {
  DiagramFrame f = FrameOf(vertical);
  int32_t middle = (from + to) / 2;
  if (vertical)
    TextOutClear(canvas, middle - 2, f.y0 - 10, kColorLines, kPictureFontSize, std::to_string(k));
  else
    TextOutClear(canvas, f.x0 - 10, middle - 4, kColorLines, kPictureFontSize, std::to_string(k));
}

void DrawProfile(Canvas& canvas, const CalcState& s, const std::array<int32_t, kMaxBounds + 1>& bounds,
                 const std::array<float, kMaxBounds + 1>& values, bool temperature, int32_t colour,
                 bool vertical) {
  std::vector<TPoint> points;
  for (int k = 1; k <= LayerCountOf(s) + 1; ++k) {
    int32_t v = temperature ? TempPixel(s, values[k], vertical) : PressPixel(s, values[k], vertical);
    points.push_back(Place(bounds[k], v, vertical));
  }
  SetPen(canvas, colour, 0, 1, 0);
  canvas.Polyline(points);
}

}  // namespace

DiagramFrame FrameOf(bool vertical) {
  return vertical ? DiagramFrame{38, 15, 60, 110} : DiagramFrame{15, 40, 110, 60};
}

std::array<int32_t, kMaxLayers + 1> PositionTable(const CalcState& s, DiagramAxis axis, bool vertical) {
  DiagramFrame f = FrameOf(vertical);
  double length = f.PositionLength(vertical);
  float total = AxisTotal(s, axis);
  std::array<int32_t, kMaxLayers + 1> edges{};
  edges[0] = f.PositionStart(vertical);
  int n = LayerCountOf(s);
  for (int k = 1; k <= kMaxLayers; ++k) {
    int32_t width = 0;
    if (k <= n) {
      float value = AxisValue(s.LayerData[k], axis);
      if (total != 0) width = RoundPixel(length * value / total);
      if (axis == DiagramAxis::Thickness && value != 0) width = std::max(width, 1);
    }
    edges[k] = edges[k - 1] + width;
  }
  return edges;
}

std::array<int32_t, kMaxBounds + 1> BoundaryPositions(const CalcState& s, DiagramAxis axis, bool vertical) {
  std::array<int32_t, kMaxLayers + 1> edges = PositionTable(s, axis, vertical);
  std::array<int32_t, kMaxBounds + 1> bounds{};
  int n = LayerCountOf(s);
  bounds[1] = edges[0];
  for (int k = 1; k <= n; ++k) bounds[k + 1] = edges[k];
  if (n >= 1 && !s.LayerKinds.empty() && s.LayerKinds.front() == 'A') {
    bounds[1] = bounds[2] - kAirFilmPixels;
    bounds[n + 1] = edges[n] + kAirFilmPixels;
  }
  return bounds;
}

std::vector<ZonePoint> SupersaturationZone(const CalcState& s, DiagramAxis axis) {
  int n = LayerCountOf(s);
  if (n == 0) return {};
  auto supersaturated = [&](int k) { return s.CalcPress[k] >= s.SatPress[k]; };
  int first = 1;
  while (first <= n + 1 && !supersaturated(first)) ++first;
  if (first > n + 1) return {};
  int last = first;
  while (last + 1 <= n + 1 && supersaturated(last + 1)) ++last;

  // Position of boundary k along the axis: the sum over the rows before it.
  auto position = [&](int k) { return AxisValue(s.Cumulative[k - 1], axis); };

  // Numbered points: 1 the entry, 2i and 2i + 1 the calculated and the
  // saturation point of the zone's i-th boundary, 2m + 2 the exit. A zone
  // that reaches the air of a side has no row there to cross in; it enters
  // or leaves at that boundary's calculated point.
  std::vector<ZonePoint> numbered(1);
  if (first == 1) {
    numbered[0] = {position(1), s.CalcPress[1]};
  } else {
    ZonePoint entry = Crossing(s, first - 1, AxisValue(s.LayerData[first - 1], axis), first);
    numbered[0] = {position(first - 1) + entry.position, entry.pressure};
  }
  for (int k = first; k <= last; ++k) {
    numbered.push_back({position(k), s.CalcPress[k]});
    numbered.push_back({position(k), s.SatPress[k]});
  }
  if (last == n + 1) {
    numbered.push_back({position(n + 1), s.CalcPress[n + 1]});
  } else {
    ZonePoint exit = Crossing(s, last, AxisValue(s.LayerData[last], axis), last);
    numbered.push_back({position(last) + exit.position, exit.pressure});
  }

  float total = AxisTotal(s, axis);
  for (ZonePoint& p : numbered) p.position = std::clamp(p.position, 0.0f, std::max(total, 0.0f));

  // Polygon order: entry, along the calculated line, exit, back along the
  // saturation line; numbers past the limit are left out.
  const int m = last - first + 1;
  std::vector<int> order{1};
  for (int i = 1; i <= m; ++i) order.push_back(2 * i);
  order.push_back(2 * m + 2);
  for (int i = m; i >= 1; --i) order.push_back(2 * i + 1);
  std::vector<ZonePoint> zone;
  for (int number : order)
    if (static_cast<std::size_t>(number) <= kMaxZonePoints) zone.push_back(numbered[number - 1]);
  return zone;
}

int32_t TempPixel(const CalcState& s, float temp, bool vertical) {
  return ValuePixel(temp, s.ScaleTempMin, s.ScaleTempMax, vertical);
}

int32_t PressPixel(const CalcState& s, float press, bool vertical) {
  return ValuePixel(press, s.ScalePressMin, s.ScaleSatPressMax, vertical);
}

std::vector<TPoint> ZonePolygon(const CalcState& s, DiagramAxis axis, bool vertical) {
  DiagramFrame f = FrameOf(vertical);
  float total = AxisTotal(s, axis);
  double scale = total > 0 ? f.PositionLength(vertical) / static_cast<double>(total) : 0.0;
  std::vector<TPoint> points;
  for (const ZonePoint& p : SupersaturationZone(s, axis)) {
    int32_t position = f.PositionStart(vertical) + RoundPixel(scale * p.position);
    points.push_back(Place(position, PressPixel(s, p.pressure, vertical), vertical));
  }
  return points;
}

std::string CondRateText(const CalcState& s) { return FormatSingle(7, 2, s.CondRate) + "g/m2h"; }

RateText DrawLayerSection(Canvas& canvas, const LayerLooks& looks, const CalcState& s) {
  const bool vertical = s.PartVertical;
  const DiagramFrame f = FrameOf(vertical);
  FillBox(canvas, 0, 0, kPictureWidth, kPictureHeight, kColorBackground, 0);
  SetCanvasFont(canvas, kPictureFont, kPictureFontSize, 0);

  if (s.TotalThickness != 0) {
    std::array<int32_t, kMaxLayers + 1> edges = PositionTable(s, DiagramAxis::Thickness, vertical);
    for (int k = 1; k <= LayerCountOf(s); ++k) {
      if (s.LayerData[k].Thickness == 0) continue;
      const LayerLook& look = looks[k];
      if (vertical)
        FillBox(canvas, edges[k - 1], f.y0, edges[k], f.y0 + f.height, look.colour, look.pattern);
      else
        FillBox(canvas, f.x0, edges[k - 1], f.x0 + f.width, edges[k], look.colour, look.pattern);
      WriteRowNumber(canvas, k, edges[k - 1], edges[k], vertical);
    }
  }

  auto temp = [&](int side) { return FormatSingle(5, 1, s.SideCond[side].Temp); };
  auto hum = [&](int side) { return FormatSingle(4, 0, s.SideCond[side].RelHum) + "%"; };
  if (vertical) {
    const int32_t tempY = f.y0 + f.height / 2 - 8;
    const int32_t humY = f.y0 + f.height / 2 + 2;
    for (auto [side, x] : {std::pair{1, 0}, std::pair{2, 100}}) {
      TextOutClear(canvas, x, tempY, kColorLines, kPictureFontSize, temp(side));
      TextOutClear(canvas, x, humY, kColorLines, kPictureFontSize, hum(side));
    }
  } else {
    const int32_t x = f.x0 + f.width / 2 - 15;
    for (auto [side, y] : {std::pair{1, 15}, std::pair{2, 112}}) {
      TextOutClear(canvas, x, y, kColorLines, kPictureFontSize, temp(side));
      TextOutClear(canvas, x, y + 10, kColorLines, kPictureFontSize, hum(side));
    }
  }
  return {};
}

RateText DrawCondensationDiagram(Canvas& canvas, DiagramAxis axis, CalcState& s) {
  if (!s.Calculated || PrepareCumulative(s)) return {};
  const bool vertical = s.PartVertical;
  const DiagramFrame f = FrameOf(vertical);
  const int n = LayerCountOf(s);
  std::vector<TPoint> zone = ZonePolygon(s, axis, vertical);

  SetPen(canvas, kColorBackground, 0, 1, 0);
  if (vertical) {
    FillBox(canvas, f.x0 - 6, 0, f.x0 + f.width + 6, f.y0 + f.height, kColorBackground, 0);
    FillBox(canvas, 0, 0, kPictureWidth, kPictureHeight, kColorBackground, 0);
  } else {
    FillBox(canvas, 0, f.y0 - 6, f.x0 + f.width, f.y0 + f.height + 6, kColorBackground, 0);
    FillBox(canvas, f.x0, 0, f.x0 + f.width, kPictureHeight, kColorBackground, 0);
  }
  SetCanvasFont(canvas, kPictureFont, kPictureFontSize, 0);

  std::array<int32_t, kMaxLayers + 1> edges = PositionTable(s, axis, vertical);
  for (int k = 1; k <= n; ++k) {
    if (vertical)
      DrawColorLine(canvas, edges[k], f.y0, edges[k], f.y0 + f.height, kColorLines);
    else
      DrawColorLine(canvas, f.x0, edges[k], f.x0 + f.width, edges[k], kColorLines);
  }
  for (int k = 2; k <= n - 1; ++k) WriteRowNumber(canvas, k, edges[k - 1], edges[k], vertical);

  std::array<int32_t, kMaxBounds + 1> bounds = BoundaryPositions(s, axis, vertical);
  if (axis == DiagramAxis::Thickness) DrawProfile(canvas, s, bounds, s.BoundTemp, true, kColorTemp, vertical);
  DrawProfile(canvas, s, bounds, s.SatPress, false, kColorSatPress, vertical);
  DrawProfile(canvas, s, bounds, s.CalcPress, false, kColorCalcPress, vertical);
  DrawProfile(canvas, s, bounds, s.RealPress, false, kColorRealPress, vertical);

  if (!zone.empty()) {
    SetBrush(canvas, kColorZone, 0);
    FillPolygon(canvas, zone, kColorZone);
  }
  return {true, CondRateText(s)};
}

RateText DrawDisplayPicture(Canvas& canvas, int displayMode, const LayerLooks& looks, CalcState& s) {
  switch (displayMode) {
    case 0:
      return DrawLayerSection(canvas, looks, s);
    case 1:
      return DrawCondensationDiagram(canvas, DiagramAxis::Thickness, s);
    case 2:
      return DrawCondensationDiagram(canvas, DiagramAxis::VapourRes, s);
    default:
      return {};
  }
}

}  // namespace kondra
