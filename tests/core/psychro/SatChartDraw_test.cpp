#include "psychro/SatChartDraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "output/RecordingCanvas.h"
#include "psychro/Psychro.h"

namespace kondra {
namespace {

using Kind = DrawOp::Kind;

struct Drawn {
  RecordingCanvas chart, xStrip, yStrip;
};

void DrawAxes(SatChart& chart, Drawn& d) {
  DrawSatAxes(chart, d.chart, d.xStrip, {420, 14}, d.yStrip, {40, 372});
}

// Lines of the grid colour that run across the whole chart, vertical or not.
std::vector<DrawOp> GridLines(const RecordingCanvas& c, bool vertical) {
  std::vector<DrawOp> lines;
  for (const DrawOp& op : c.OfKind(Kind::Line))
    if (op.pen.color == kGridColour && (op.points[0].x == op.points[1].x) == vertical) lines.push_back(op);
  return lines;
}

TEST(SatChartDraw, FigureSpacesKeepColumns) {
  EXPECT_EQ(Tabular("  30"), "\u2007\u200730");
  EXPECT_EQ(Tabular("-1.5 2"), "-1.5\u20072");
  EXPECT_EQ(Tabular(""), "");
}

TEST(SatChartDraw, AxesOfTheFirstRange) {
  SatChart chart;
  Drawn d;
  DrawAxes(chart, d);
  EXPECT_EQ(chart.TempSpan, 30);
  EXPECT_EQ(chart.TempStep, 2);

  // A grid line every 2 °C, a short tick at every odd degree.
  const std::vector<DrawOp> vertical = GridLines(d.chart, true);
  ASSERT_EQ(vertical.size(), 16u);
  EXPECT_EQ(vertical[1].points[0], (TPoint{23, 0}));  // round(2 × 350 / 30)
  EXPECT_EQ(vertical[1].points[1], (TPoint{23, 350}));
  EXPECT_EQ(vertical[15].points[0].x, 350);
  int shortTicks = 0;
  for (const DrawOp& op : d.chart.OfKind(Kind::Line))
    if (op.pen.color == 0 && op.points[0].y == 350 && op.points[1].y == 347) ++shortTicks;
  EXPECT_EQ(shortTicks, 15);

  const std::vector<std::string> xLabels = d.xStrip.Texts();
  ASSERT_EQ(xLabels.size(), 16u);
  EXPECT_EQ(xLabels.front(), "0");
  EXPECT_EQ(xLabels.back(), "30");
  const std::vector<DrawOp> xTexts = d.xStrip.OfKind(Kind::Text);
  EXPECT_EQ(xTexts.front().points[0], (TPoint{30, 0}));       // 0 − 3 + 33
  EXPECT_EQ(xTexts.back().points[0], (TPoint{350 - 6 + 33, 0}));
  EXPECT_EQ(xTexts.front().font.name, "Small Fonts");
  EXPECT_EQ(xTexts.front().font.size, 7);

  // Humidity 0 … 30 every 2 units, labels right-aligned in four characters.
  EXPECT_EQ(GridLines(d.chart, false).size(), 16u);
  const std::vector<DrawOp> yTexts = d.yStrip.OfKind(Kind::Text);
  ASSERT_EQ(yTexts.size(), 16u);
  EXPECT_EQ(yTexts.front().text, Tabular("   0"));
  EXPECT_EQ(yTexts.front().points[0], (TPoint{8, 354}));
  EXPECT_EQ(yTexts.back().text, Tabular("  30"));
  EXPECT_EQ(yTexts.back().points[0], (TPoint{8, 4}));

  // Both strips are filled first; the chart is white inside a black outline.
  ASSERT_FALSE(d.xStrip.ops.empty());
  EXPECT_EQ(d.xStrip.ops.front().kind, Kind::FillRect);
  EXPECT_EQ(d.chart.ops.front().kind, Kind::FillRect);
  EXPECT_EQ(d.chart.ops.front().brush.color, 0xFFFFFF);
  EXPECT_EQ(d.chart.ops.back().kind, Kind::Polyline);
  EXPECT_EQ(d.chart.ops.back().points[2], (TPoint{350, 350}));
}

TEST(SatChartDraw, GridStepsOfWideRanges) {
  SatChart chart;
  chart.ApplyPreset(3);  // -50 … 100 °C
  chart.ApplyEntry(kTagHumMax, 760);
  Drawn d;
  DrawAxes(chart, d);
  EXPECT_EQ(chart.TempStep, 10);
  EXPECT_EQ(chart.HumStep, 50);
  EXPECT_EQ(GridLines(d.chart, true).size(), 16u);   // every 10 °C
  EXPECT_EQ(GridLines(d.chart, false).size(), 16u);  // 0, 50, … 750
  EXPECT_EQ(d.xStrip.Texts().front(), "-50");
  EXPECT_EQ(d.xStrip.Texts()[5], "0");
  EXPECT_EQ(d.yStrip.Texts().back(), Tabular(" 750"));
}

TEST(SatChartDraw, TenCurvesWithTheirLabels) {
  SatChart chart;
  chart.MarkCount = 5;
  Drawn d;
  DrawAxes(chart, d);
  RecordingCanvas curves;
  DrawSatCurves(chart, curves);
  EXPECT_EQ(chart.MarkCount, 0);

  const std::vector<DrawOp> lines = curves.OfKind(Kind::Polyline);
  ASSERT_EQ(lines.size(), 10u);
  for (const DrawOp& line : lines) {
    EXPECT_EQ(line.pen.color, 0xFF0000);  // blue
    EXPECT_EQ(line.points.size(), 31u);
  }
  // 100 % at 30 °C: 30.3 g/m3 on a chart 30 units high lies above the top.
  const float sat30 = SatAbsHumidity(30);
  EXPECT_EQ(lines[9].points[30], (TPoint{350, 350 - RoundEven(sat30 * 350.0 / 30)}));
  EXPECT_EQ(lines[4].points[20].y, 350 - RoundEven(static_cast<float>(5 * SatAbsHumidity(20) * 0.1) * 350.0 / 30));

  // Labels at i = 30 div 2 + 4 = 19: 10 … 100.
  const std::vector<DrawOp> labels = curves.OfKind(Kind::Text);
  ASSERT_EQ(labels.size(), 10u);
  EXPECT_EQ(labels.front().text, "10");
  EXPECT_EQ(labels.back().text, "100");
  EXPECT_EQ(labels.front().points[0].x, RoundEven(19 * 350.0 / 30) - 6);
  EXPECT_EQ(labels.front().font.size, 6);
}

TEST(SatChartDraw, LabelsOffTheChartAreNotDrawn) {
  SatChart chart;
  chart.HumMax = 2;  // most curves leave the chart at the top
  RecordingCanvas curves;
  DrawSatCurves(chart, curves);
  EXPECT_LT(curves.OfKind(Kind::Text).size(), 10u);
  for (const DrawOp& op : curves.OfKind(Kind::Text)) EXPECT_GE(op.points[0].y, 0);
}

TEST(SatChartDraw, ThirtyThirdMarkIsCountedButNotDrawn) {
  SatChart chart;
  RecordingCanvas canvas;
  for (int n = 1; n <= 32; ++n) {
    chart.MarkPoint = {10 * n, 200};
    EXPECT_TRUE(DrawSatMark(chart, canvas)) << n;
  }
  const size_t opsAfter32 = canvas.ops.size();
  chart.MarkPoint = {100, 100};
  EXPECT_FALSE(DrawSatMark(chart, canvas));
  EXPECT_EQ(chart.MarkCount, 33);
  EXPECT_EQ(canvas.ops.size(), opsAfter32);

  const std::vector<DrawOp> dots = canvas.OfKind(Kind::Polygon);
  ASSERT_EQ(dots.size(), 32u);
  EXPECT_EQ(dots[0].brush.color, 0x0000FF);  // red

  const std::vector<DrawOp> texts = canvas.OfKind(Kind::Text);
  // Per mark its number, then its list line; the heading before the first.
  ASSERT_EQ(texts.size(), 1u + 2 * 32);
  EXPECT_EQ(texts[0].text, "1");
  EXPECT_EQ(texts[0].points[0], (TPoint{10 - 3, 200 - 14}));
  EXPECT_EQ(texts[0].font.color, 0x0000FF);
  EXPECT_EQ(texts[1].text, Tabular(chart.MarkHeading()));
  EXPECT_EQ(texts[1].points[0], (TPoint{20, 10}));
  EXPECT_EQ(texts[2].points[0], (TPoint{20, 20}));
  EXPECT_EQ(texts[2].text, Tabular(chart.MarkLine(1)));
  EXPECT_EQ(texts[2].font.color, 0);
  EXPECT_EQ(texts.back().points[0], (TPoint{20, 330}));
  EXPECT_EQ(texts.back().text, Tabular(chart.MarkLine(32)));
}

}  // namespace
}  // namespace kondra
