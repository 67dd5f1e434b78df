// The three small pictures of a calculation: the layer section (input mode),
// the condensation diagram over thickness (result table A) and over vapour
// resistance (result table B). Each is a 140 × 142 picture drawn on a Canvas,
// the same on the main window's picture area and in the report's pictures.
//
// The picture turns with the element: a vertical element (a wall) has its
// layers side by side from side A on the left to side B on the right and the
// values rising upwards; any other element (a floor, a roof) has them stacked
// from side A at the top to side B at the bottom, values growing to the right.
//
// Colours are palette numbers: temperature 9, saturation pressure 10,
// calculated pressure 14, actual pressure 12, the supersaturation zone 12,
// background 15, boundary lines and row numbers 0. Every rounding here is to
// the nearest whole pixel, ties to even.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/CalcState.h"
#include "output/Canvas.h"

namespace kondra {

inline constexpr int32_t kPictureWidth = 140;
inline constexpr int32_t kPictureHeight = 142;
// The air films are drawn as bands of this width although they are 0 mm thick.
inline constexpr int32_t kAirFilmPixels = 16;

inline constexpr int32_t kColorTemp = 9;
inline constexpr int32_t kColorSatPress = 10;
inline constexpr int32_t kColorCalcPress = 14;
inline constexpr int32_t kColorRealPress = 12;
inline constexpr int32_t kColorZone = 12;
inline constexpr int32_t kColorBackground = 15;
inline constexpr int32_t kColorLines = 0;

// The plot frame: position axis along the width of a vertical element's
// frame and along the height of any other, values along the other side.
struct DiagramFrame {
  int32_t x0, y0, width, height;
  int32_t PositionStart(bool vertical) const { return vertical ? x0 : y0; }
  int32_t PositionLength(bool vertical) const { return vertical ? width : height; }
  int32_t ValueLength(bool vertical) const { return vertical ? height : width; }
};
DiagramFrame FrameOf(bool vertical);

// The variable a picture lays its layers out by.
enum class DiagramAxis { Thickness, VapourRes };

// What a row looks like in the section: its material's colour number and
// fill pattern number (from the material file; the caller looks them up).
struct LayerLook {
  int32_t colour = kColorBackground;
  int32_t pattern = 0;
};
using LayerLooks = std::array<LayerLook, kMaxLayers + 1>;  // [1..9]

// Pixel edges along the position axis: [0] is the start of the axis, [k] the
// edge after row k (rows past LayerCount repeat the last edge). Row k is
// round(L × value_k / total) wide; over thickness a row with a thickness gets
// at least 1 pixel.
std::array<int32_t, kMaxLayers + 1> PositionTable(const CalcState& s, DiagramAxis axis, bool vertical);

// Pixel positions of boundaries 1 … n + 1: boundary k + 1 at the edge after
// row k; when the first row is a surface-coefficient row, boundary 1 lies
// 16 pixels before boundary 2 and boundary n + 1 16 pixels beyond the edge
// after row n.
std::array<int32_t, kMaxBounds + 1> BoundaryPositions(const CalcState& s, DiagramAxis axis, bool vertical);

// A point of the supersaturation zone: position along the axis (mm or
// (m²·h·mmHg)/g from side A) and pressure (mmHg).
struct ZonePoint {
  float position = 0;
  float pressure = 0;
  friend bool operator==(const ZonePoint&, const ZonePoint&) = default;
};

// The first supersaturation zone (the boundaries from the first one on side
// A whose calculated pressure reaches saturation, up to the last such one in
// a row) in polygon order: the entry (where the calculated line crosses the
// saturation line inside the row before the zone), the calculated points of
// the zone's boundaries, the exit (the crossing inside the row after the
// zone), then back along the saturation points. Positions are kept within
// 0 … the axis total; at most the first 18 of the numbered points are kept.
// Empty when no boundary is supersaturated. Reads Cumulative as prepared.
std::vector<ZonePoint> SupersaturationZone(const CalcState& s, DiagramAxis axis);

// A pixel on the value axis: temperatures on the temperature scale,
// pressures on the pressure scale.
int32_t TempPixel(const CalcState& s, float temp, bool vertical);
int32_t PressPixel(const CalcState& s, float press, bool vertical);
// The zone placed on the picture, with the axis's linear position scale.
std::vector<TPoint> ZonePolygon(const CalcState& s, DiagramAxis axis, bool vertical);

// The picture area's rate text TXT1 after a drawing.
struct RateText {
  bool visible = false;
  std::string text;
};
// CondRate as 7 characters with 2 decimals, then "g/m2h".
std::string CondRateText(const CalcState& s = Calc);

// The layer section: material bands over thickness in their colours and
// patterns with their row numbers, and the air conditions of the two sides.
// Hides the rate text.
RateText DrawLayerSection(Canvas& canvas, const LayerLooks& looks, const CalcState& s = Calc);

// The condensation diagram over thickness (with the temperature line) or over
// vapour resistance (without it). Draws nothing and hides the rate text while
// the results are not valid; otherwise shows CondRate.
RateText DrawCondensationDiagram(Canvas& canvas, DiagramAxis axis, CalcState& s = Calc);

// The picture of a display mode: 0 the section, 1 over thickness, 2 over
// vapour resistance (any other mode draws nothing).
RateText DrawDisplayPicture(Canvas& canvas, int displayMode, const LayerLooks& looks, CalcState& s = Calc);

}  // namespace kondra
