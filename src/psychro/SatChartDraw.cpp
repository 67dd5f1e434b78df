#include "psychro/SatChartDraw.h"

#include <cstdio>
#include <string>
#include <vector>

#include "env/Cp932.h"
#include "env/Numbers.h"
#include "output/Draw.h"
#include "output/Palette.h"
#include "psychro/Psychro.h"

namespace kondra {

namespace {

constexpr int32_t kBlack = 0;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlue = RgbValue(0, 0, 255);
constexpr int32_t kRed = RgbValue(255, 0, 0);
constexpr int32_t kSize = kSatChartSize;

void UsePen(Canvas& c, int32_t rgb) { c.pen = CanvasPen{rgb, PenMode::Copy, 1, PenStyle::Solid}; }

void UseFont(Canvas& c, int32_t size, int32_t rgb) {
  c.font.name = "Small Fonts";
  c.font.size = size;
  c.font.style = 0;
  c.font.color = rgb;
}

// Text with the ground showing through; nothing left of or above the picture.
void Text(Canvas& c, int32_t x, int32_t y, const std::string& text) {
  if (x < 0 || y < 0) return;
  c.TextOut(x, y, text, false);
}

void Outline(Canvas& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  c.Polyline({{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}});
}

std::string WholeNumber(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.0f", value);
  return buffer;
}

}  // namespace

// Columns of figures stay aligned in the proportional chart font: a blank in
// front of or between figures takes the width of a digit (figure space).
std::string Tabular(const std::string& text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char ch : text) {
    if (ch == ' ')
      out += "\u2007";
    else
      out += ch;
  }
  return out;
}

void DrawSatAxes(SatChart& chart, Canvas& picture, Canvas& xStrip, StripSize xSize, Canvas& yStrip,
                 StripSize ySize) {
  FillBox(xStrip, 0, 0, xSize.width, xSize.height, kStripColour, 0);
  FillBox(yStrip, 0, 0, ySize.width, ySize.height, kStripColour, 0);
  UseFont(xStrip, 7, kBlack);
  UseFont(yStrip, 7, kBlack);

  picture.brush = CanvasBrush{kWhite, BrushStyle::Solid};
  picture.FillRect(0, 0, kSize + 1, kSize + 1);
  UsePen(picture, kBlack);
  Outline(picture, 0, 0, kSize, kSize);

  chart.ComputeSpans();

  if (chart.TempSpan > 0) {
    const double sx = static_cast<double>(kSize) / chart.TempSpan;
    for (int32_t i = 0; i <= chart.TempSpan; ++i) {
      const int32_t x = RoundEven(i * sx);
      if (i % chart.TempStep != 0) {
        UsePen(picture, kBlack);
        picture.Line({x, kSize}, {x, kSize - 3});
        continue;
      }
      UsePen(picture, kGridColour);
      picture.Line({x, 0}, {x, kSize});
      UsePen(picture, kBlack);
      picture.Line({x, kSize}, {x, kSize - 6});
      const std::string label = WholeNumber(i + static_cast<double>(chart.TempMin));
      Text(xStrip, x - 3 * MBWidth(label) + 33, 0, label);
    }
  }

  if (chart.HumSpan > 0) {
    const double sy = static_cast<double>(kSize) / chart.HumSpan;
    for (int32_t i = 0; i <= chart.HumSpan; ++i) {
      const int32_t y = kSize - RoundEven(i * sy);
      if (i % chart.HumStep != 0) {
        UsePen(picture, kBlack);
        picture.Line({0, y}, {3, y});
        continue;
      }
      UsePen(picture, kGridColour);
      picture.Line({0, y}, {kSize, y});
      UsePen(picture, kBlack);
      picture.Line({0, y}, {6, y});
      const std::string label = FormatSingle(4, 0, static_cast<float>(i + static_cast<double>(chart.HumMin)));
      Text(yStrip, 32 - 6 * MBWidth(label), y + 4, Tabular(label));
    }
  }

  UsePen(picture, kBlack);
  Outline(picture, 0, 0, kSize, kSize);
  chart.FromTempHum();
}

void DrawSatCurves(SatChart& chart, Canvas& picture) {
  chart.FillSatTable();
  chart.ComputeSpans();
  UsePen(picture, kBlue);
  UseFont(picture, 6, kBlack);
  const double tempRange = static_cast<double>(chart.TempMax) - chart.TempMin;
  const double humRange = static_cast<double>(chart.HumMax) - chart.HumMin;
  if (tempRange > 0 && humRange > 0) {
    const double sx = kSize / tempRange;
    const double sy = kSize / humRange;
    const int32_t labelAt = chart.TempSpan / 2 + 4;
    for (int k = 1; k <= 10; ++k) {
      std::vector<TPoint> points;
      points.reserve(static_cast<std::size_t>(chart.TempSpan) + 1);
      for (int32_t i = 0; i <= chart.TempSpan; ++i) {
        const int32_t t = RoundEven(i + static_cast<double>(chart.TempMin));
        // The curve ends where its unit has no value (the humidity ratio at
        // the boiling point).
        if (chart.SatAt(t) == kNoValue) break;
        const float value = static_cast<float>(k * chart.SatAt(t) * 0.1);
        const int32_t x = RoundEven(i * sx);
        const int32_t y = kSize - RoundEven((value - static_cast<double>(chart.HumMin)) * sy);
        points.push_back({x, y});
        if (i == labelAt) {
          const std::string label = std::to_string(k * 10);
          Text(picture, x - 3 * MBWidth(label), y - 4, label);
        }
      }
      if (points.empty()) continue;
      if (points.size() == 1) points.push_back(points.front());
      picture.Polyline(points);
    }
  }
  chart.MarkCount = 0;
}

bool DrawSatMark(SatChart& chart, Canvas& picture) {
  ++chart.MarkCount;
  if (chart.MarkCount > kMaxDrawnMarks) return false;
  const TPoint p = chart.MarkPoint;

  UsePen(picture, kRed);
  picture.brush = CanvasBrush{kRed, BrushStyle::Solid};
  picture.Polygon({{p.x - 1, p.y - 2}, {p.x + 1, p.y - 2}, {p.x + 2, p.y - 1}, {p.x + 2, p.y + 1},
                   {p.x + 1, p.y + 2}, {p.x - 1, p.y + 2}, {p.x - 2, p.y + 1}, {p.x - 2, p.y - 1}});
  UseFont(picture, 7, kRed);
  const std::string number = std::to_string(chart.MarkCount);
  Text(picture, p.x - 3 * MBWidth(number), p.y - 14, number);

  UseFont(picture, 7, kBlack);
  if (chart.MarkCount == 1) Text(picture, 20, 10, Tabular(chart.MarkHeading()));
  Text(picture, 20, 10 * chart.MarkCount + 10, Tabular(chart.MarkLine(chart.MarkCount)));
  return true;
}

}  // namespace kondra
