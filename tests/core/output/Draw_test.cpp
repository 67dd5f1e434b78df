#include "output/Draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "env/Folders.h"
#include "output/Palette.h"
#include "output/RecordingCanvas.h"

namespace kondra {
namespace {

using Kind = DrawOp::Kind;

// Colour k of the palette is 1000 + k, so a drawn colour names its number.
class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnvRow[20].clear();
    for (int k = 0; k < 256; ++k) Palette[k] = 1000 + k;
  }
  void TearDown() override { Palette.fill(0); }
  RecordingCanvas canvas;
};

TEST(DrawTables, PatternsPenModesAndPenStyles) {
  const BrushStyle patterns[] = {BrushStyle::Solid,     BrushStyle::Clear,     BrushStyle::Horizontal,
                                 BrushStyle::Vertical,  BrushStyle::FDiagonal, BrushStyle::BDiagonal,
                                 BrushStyle::Cross,     BrushStyle::DiagCross};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(BrushStyleOf(i), patterns[i]) << i;
  for (int i : {8, 9, 255, -1}) EXPECT_EQ(BrushStyleOf(i), BrushStyle::Solid) << i;

  const PenMode modes[] = {PenMode::Copy, PenMode::NotCopy, PenMode::Not,  PenMode::Xor,
                           PenMode::NotXor, PenMode::White, PenMode::Black};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(PenModeOf(i), modes[i]) << i;
  for (int i : {7, -1}) EXPECT_EQ(PenModeOf(i), PenMode::Copy) << i;

  const PenStyle styles[] = {PenStyle::Solid, PenStyle::Solid,   PenStyle::Dot,
                             PenStyle::Dash,  PenStyle::DashDot, PenStyle::DashDotDot};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(PenStyleOf(i), styles[i]) << i;
  for (int i : {6, -2}) EXPECT_EQ(PenStyleOf(i), PenStyle::Solid) << i;
}

TEST_F(DrawTest, PenBrushAndFontFromNumbers) {
  SetPen(canvas, 9, 3, 2, 4);
  EXPECT_EQ(canvas.pen, (CanvasPen{1009, PenMode::Xor, 2, PenStyle::DashDot}));
  SetBrush(canvas, -12, 6);
  EXPECT_EQ(canvas.brush, (CanvasBrush{1012, BrushStyle::Cross}));
  SetBrush(canvas, 0x123456, 9);
  EXPECT_EQ(canvas.brush, (CanvasBrush{0x123456, BrushStyle::Solid}));
  SetCanvasFont(canvas, "ＭＳ 明朝", 12, kFontBold | kFontItalic);
  EXPECT_EQ(canvas.font.name, "ＭＳ 明朝");
  EXPECT_EQ(canvas.font.size, 12);
  EXPECT_EQ(canvas.font.style, kFontBold | kFontItalic);
  EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(DrawTest, LinesInColourAndInverting) {
  SetPen(canvas, 0, 0, 1, 0);
  DrawColorLine(canvas, 1, 2, 30, 40, 12);
  // The inverting pen keeps its colour and only changes the mode.
  DrawColorLine(canvas, 5, 6, 7, 8, kInvertColor);
  DrawLine(canvas, 9, 9, 10, 10);
  ASSERT_EQ(canvas.ops.size(), 3u);
  EXPECT_EQ(canvas.ops[0].kind, Kind::Line);
  EXPECT_EQ(canvas.ops[0].points, (std::vector<TPoint>{{1, 2}, {30, 40}}));
  EXPECT_EQ(canvas.ops[0].pen.color, 1012);
  EXPECT_EQ(canvas.ops[0].pen.mode, PenMode::Copy);
  EXPECT_EQ(canvas.ops[1].pen.color, 1012);
  EXPECT_EQ(canvas.ops[1].pen.mode, PenMode::Not);
  EXPECT_EQ(canvas.ops[2].pen.mode, PenMode::Not);
  EXPECT_EQ(canvas.ops[2].points, (std::vector<TPoint>{{9, 9}, {10, 10}}));
}

TEST_F(DrawTest, BoxOutlineRunsDownAcrossUpAndBack) {
  DrawBoxOutline(canvas, 10, 20, 30, 40, 4);
  ASSERT_EQ(canvas.ops.size(), 1u);
  EXPECT_EQ(canvas.ops[0].kind, Kind::Polyline);
  EXPECT_EQ(canvas.ops[0].points, (std::vector<TPoint>{{10, 20}, {10, 40}, {30, 40}, {30, 20}, {10, 20}}));
  EXPECT_EQ(canvas.ops[0].pen.color, 1004);
}

TEST_F(DrawTest, TextClearAndOpaque) {
  SetCanvasFont(canvas, "Small Fonts", 9, 0);
  TextOutClear(canvas, -1, 5, 3, 6, "never");
  TextOutClear(canvas, 5, -1, 3, 6, "never");
  TextOutOpaque(canvas, -1, 0, 3, 6, "never");
  EXPECT_TRUE(canvas.ops.empty());

  TextOutClear(canvas, 0, 0, 3, 6, "結露");
  TextOutOpaque(canvas, 4, 5, -7, 8, "12");
  ASSERT_EQ(canvas.ops.size(), 2u);
  EXPECT_EQ(canvas.ops[0].text, "結露");
  EXPECT_FALSE(canvas.ops[0].opaque);
  EXPECT_EQ(canvas.ops[0].font, (CanvasFont{"Small Fonts", 6, 0, 1003}));
  EXPECT_EQ(canvas.ops[1].points, (std::vector<TPoint>{{4, 5}}));
  EXPECT_TRUE(canvas.ops[1].opaque);
  EXPECT_EQ(canvas.ops[1].font, (CanvasFont{"Small Fonts", 8, 0, 1007}));
}

TEST_F(DrawTest, FillBoxSetsTheBrushAndFillsWithoutOutline) {
  FillBox(canvas, 1, 2, 3, 4, 5, 2);
  FillBox(canvas, 0, 0, 140, 142, 15, 9);
  ASSERT_EQ(canvas.ops.size(), 2u);
  EXPECT_EQ(canvas.ops[0].kind, Kind::FillRect);
  EXPECT_EQ(canvas.ops[0].points, (std::vector<TPoint>{{1, 2}, {3, 4}}));
  EXPECT_EQ(canvas.ops[0].brush, (CanvasBrush{1005, BrushStyle::Horizontal}));
  EXPECT_EQ(canvas.ops[1].brush, (CanvasBrush{1015, BrushStyle::Solid}));
  EXPECT_EQ(canvas.brush, (CanvasBrush{1015, BrushStyle::Solid}));
}

TEST_F(DrawTest, FillPolygonUsesTheCurrentBrushAndSkipsAnUnsetZone) {
  SetBrush(canvas, 14, 0);
  FillPolygon(canvas, {}, 12);
  FillPolygon(canvas, {{0, 0}, {5, 5}, {9, 0}}, 12);
  EXPECT_TRUE(canvas.ops.empty());
  FillPolygon(canvas, {{1, 0}, {5, 5}, {9, 0}}, 12);
  ASSERT_EQ(canvas.ops.size(), 1u);
  EXPECT_EQ(canvas.ops[0].kind, Kind::Polygon);
  EXPECT_EQ(canvas.ops[0].points, (std::vector<TPoint>{{1, 0}, {5, 5}, {9, 0}}));
  EXPECT_EQ(canvas.ops[0].pen.color, 1012);
  EXPECT_EQ(canvas.ops[0].brush, (CanvasBrush{1014, BrushStyle::Solid}));
}

TEST_F(DrawTest, ColourChartCellsAndLabels) {
  DrawColorChart(canvas);
  std::vector<DrawOp> cells = canvas.OfKind(Kind::FillRect);
  std::vector<DrawOp> labels = canvas.OfKind(Kind::Text);
  ASSERT_EQ(cells.size(), 256u);
  ASSERT_EQ(labels.size(), 256u);
  // Row 2, column 3 is colour 35.
  EXPECT_EQ(cells[35].points, (std::vector<TPoint>{{48, 32}, {64, 48}}));
  EXPECT_EQ(cells[35].brush, (CanvasBrush{1035, BrushStyle::Solid}));
  EXPECT_EQ(labels[35].text, "35");
  EXPECT_EQ(labels[35].points, (std::vector<TPoint>{{48, 36}}));
  EXPECT_EQ(labels[35].font, (CanvasFont{"Small Fonts", 6, 0, 1015}));
  EXPECT_FALSE(labels[35].opaque);
  EXPECT_EQ(cells[255].points, (std::vector<TPoint>{{240, 240}, {256, 256}}));
  EXPECT_EQ(canvas.font.name, "ＭＳ ゴシック");
  EXPECT_EQ(canvas.font.size, 9);
}

}  // namespace
}  // namespace kondra
