#include "calc/Diagram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/Engine.h"
#include "env/Folders.h"
#include "output/Palette.h"
#include "output/RecordingCanvas.h"

namespace kondra {
namespace {

using Kind = DrawOp::Kind;
using Points = std::vector<TPoint>;

struct Row {
  std::string name;
  float thickness, lambda, r, p, rv;
};

const Row kOutsideAlpha{"外気側α", 0, 0, 0.05f, 0, 0.001f};
const Row kInsideAlpha{"室内側α", 0, 0, 0.125f, 0, 0.001f};

// Colour k of the palette is 1000 + k, so a drawn colour names its number.
int32_t Colour(int k) { return 1000 + k; }

class DiagramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnvRow[20].clear();
    for (int k = 0; k < 256; ++k) Palette[k] = Colour(k);
    looks[2] = {3, 4};
    looks[3] = {11, 6};
    looks[4] = {8, 0};
  }
  void TearDown() override { Palette.fill(0); }

  // Fills and calculates a construction the way the Calc command does.
  void Build(float tA, float rhA, float tB, float rhB, const std::vector<Row>& rows, bool vertical) {
    ResetCalcState(s);
    SetSideCond(1, tA, rhA, s);
    SetSideCond(2, tB, rhB, s);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const Row& r = rows[i];
      SetLayer(static_cast<int>(i) + 1, r.name, r.thickness, r.lambda, r.r, r.p, r.rv, s);
    }
    DeriveLayers(s);
    s.PartIndex = 1;
    s.PartVertical = vertical;
    ASSERT_TRUE(CheckInput(s).ok);
    ASSERT_FALSE(PrepareCumulative(s));
    RunEngine(s);
    s.Calculated = true;
  }

  // The timber-frame wall of the worked example: side A outdoors at 0 °C / 80 %,
  // side B indoors at 20 °C / 60 %; plywood, glass wool, gypsum board.
  void WorkedExample(bool vertical) {
    Build(0, 80, 20, 60,
          {kOutsideAlpha,
           {"構造用合板", 12, 0.14f, 0, 0.0016f, 0},
           {"グラスウール", 100, 0.04f, 0, 0.1f, 0},
           {"石膏ボード", 12, 0.19f, 0, 0.007f, 0},
           kInsideAlpha},
          vertical);
  }

  CalcState s;
  LayerLooks looks{};
};

// The worked example's numbers, worked out by hand from the drawing rules:
// thickness rows 0, 6, 48, 6, 0 px; vapour-resistance rows 0, 44, 6, 10, 0 px;
// temperature 5.5 px/°C and pressure 110 / (17.5435 − 3.6663) px/mmHg.
TEST_F(DiagramTest, WorkedExampleWallOverThickness) {
  WorkedExample(true);
  EXPECT_EQ(PositionTable(s, DiagramAxis::Thickness, true), (std::array<int32_t, 10>{38, 38, 44, 92, 98, 98, 98, 98, 98, 98}));
  auto bounds = BoundaryPositions(s, DiagramAxis::Thickness, true);
  EXPECT_EQ(std::vector<int32_t>(bounds.begin() + 1, bounds.begin() + 7), (std::vector<int32_t>{22, 38, 44, 92, 98, 114}));

  RecordingCanvas canvas;
  RateText rate = DrawCondensationDiagram(canvas, DiagramAxis::Thickness, s);
  EXPECT_TRUE(rate.visible);
  EXPECT_EQ(rate.text, "   1.90g/m2h");

  // Boundary lines across the value axis at the edges after rows 1 … 5.
  std::vector<DrawOp> lines = canvas.OfKind(Kind::Line);
  ASSERT_EQ(lines.size(), 5u);
  const int32_t edges[] = {38, 44, 92, 98, 98};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(lines[i].points, (Points{{edges[i], 15}, {edges[i], 125}})) << i;
    EXPECT_EQ(lines[i].pen.color, Colour(0));
  }

  // Temperature, saturation, calculated, actual: in this order and colour.
  std::vector<DrawOp> profiles = canvas.OfKind(Kind::Polyline);
  ASSERT_EQ(profiles.size(), 4u);
  EXPECT_EQ(profiles[0].points, (Points{{22, 125}, {38, 123}, {44, 120}, {92, 22}, {98, 20}, {114, 15}}));
  EXPECT_EQ(profiles[1].points, (Points{{22, 118}, {38, 117}, {44, 115}, {92, 26}, {98, 22}, {114, 15}}));
  EXPECT_EQ(profiles[2].points, (Points{{22, 125}, {38, 125}, {44, 85}, {92, 80}, {98, 71}, {114, 71}}));
  EXPECT_EQ(profiles[3].points, (Points{{22, 125}, {38, 125}, {44, 115}, {92, 80}, {98, 71}, {114, 71}}));
  const int colours[] = {9, 10, 14, 12};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(profiles[i].pen.color, Colour(colours[i])) << i;
    EXPECT_EQ(profiles[i].pen.width, 1);
    EXPECT_EQ(profiles[i].pen.mode, PenMode::Copy);
  }

  // The zone at boundary 3: entry in the plywood, the calculated point, the
  // exit in the glass wool, the saturation point; drawn last, solid blue.
  ASSERT_EQ(canvas.ops.back().kind, Kind::Polygon);
  EXPECT_EQ(canvas.ops.back().points, (Points{{39, 116}, {44, 85}, {61, 83}, {44, 115}}));
  EXPECT_EQ(canvas.ops.back().pen.color, Colour(12));
  EXPECT_EQ(canvas.ops.back().brush, (CanvasBrush{Colour(12), BrushStyle::Solid}));

  // Row numbers of the material rows, above the frame.
  std::vector<DrawOp> texts = canvas.OfKind(Kind::Text);
  ASSERT_EQ(texts.size(), 3u);
  const Points at = {{39, 5}, {66, 5}, {93, 5}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(texts[i].text, std::to_string(i + 2));
    EXPECT_EQ(texts[i].points, Points{at[i]});
    EXPECT_EQ(texts[i].font, (CanvasFont{"Small Fonts", 6, 0, Colour(0)}));
  }

  // The background comes first, in colour 15.
  ASSERT_GE(canvas.ops.size(), 2u);
  EXPECT_EQ(canvas.ops[0].points, (Points{{32, 0}, {104, 125}}));
  EXPECT_EQ(canvas.ops[1].points, (Points{{0, 0}, {140, 142}}));
  EXPECT_EQ(canvas.ops[1].brush, (CanvasBrush{Colour(15), BrushStyle::Solid}));
}

TEST_F(DiagramTest, WorkedExampleZoneInAxisUnits) {
  WorkedExample(true);
  std::vector<ZonePoint> zone = SupersaturationZone(s, DiagramAxis::Thickness);
  ASSERT_EQ(zone.size(), 4u);
  EXPECT_NEAR(zone[0].position, 2.5752f, 1e-3);
  EXPECT_NEAR(zone[0].pressure, 4.7477f, 1e-3);
  EXPECT_EQ(zone[1], (ZonePoint{12, s.CalcPress[3]}));
  EXPECT_NEAR(zone[2].position, 47.8756f, 1e-3);
  EXPECT_NEAR(zone[2].pressure, 8.9438f, 1e-3);
  EXPECT_EQ(zone[3], (ZonePoint{12, s.SatPress[3]}));

  zone = SupersaturationZone(s, DiagramAxis::VapourRes);
  ASSERT_EQ(zone.size(), 4u);
  EXPECT_NEAR(zone[0].position, 1.6105f, 1e-3);
  EXPECT_NEAR(zone[2].position, 7.8598f, 1e-3);
}

TEST_F(DiagramTest, WorkedExampleOverVapourResistanceHasNoTemperatureLine) {
  WorkedExample(true);
  EXPECT_EQ(PositionTable(s, DiagramAxis::VapourRes, true), (std::array<int32_t, 10>{38, 38, 82, 88, 98, 98, 98, 98, 98, 98}));
  RecordingCanvas canvas;
  RateText rate = DrawCondensationDiagram(canvas, DiagramAxis::VapourRes, s);
  EXPECT_EQ(rate.text, "   1.90g/m2h");
  std::vector<DrawOp> profiles = canvas.OfKind(Kind::Polyline);
  ASSERT_EQ(profiles.size(), 3u);
  EXPECT_EQ(profiles[0].pen.color, Colour(10));
  EXPECT_EQ(profiles[1].pen.color, Colour(14));
  EXPECT_EQ(profiles[2].pen.color, Colour(12));
  EXPECT_EQ(profiles[0].points, (Points{{22, 118}, {38, 117}, {82, 115}, {88, 26}, {98, 22}, {114, 15}}));
  EXPECT_EQ(canvas.OfKind(Kind::Polygon).at(0).points, (Points{{47, 116}, {82, 85}, {84, 83}, {82, 115}}));
}

// The floor picture maps onto the wall picture by a quarter turn:
// a wall's (x, y) is the floor's (140 − y, x + 2).
TEST_F(DiagramTest, WallAndFloorAreTheSamePictureTurnedAQuarter) {
  auto turn = [](Points points) {
    for (TPoint& p : points) p = {140 - p.y, p.x + 2};
    return points;
  };
  for (DiagramAxis axis : {DiagramAxis::Thickness, DiagramAxis::VapourRes}) {
    WorkedExample(true);
    RecordingCanvas wall;
    DrawCondensationDiagram(wall, axis, s);
    WorkedExample(false);
    RecordingCanvas floor;
    DrawCondensationDiagram(floor, axis, s);
    for (Kind kind : {Kind::Line, Kind::Polyline, Kind::Polygon}) {
      std::vector<DrawOp> w = wall.OfKind(kind), f = floor.OfKind(kind);
      ASSERT_EQ(w.size(), f.size());
      ASSERT_FALSE(w.empty());
      for (std::size_t i = 0; i < w.size(); ++i) {
        Points turned = turn(w[i].points);
        // A line across the frame is drawn from the frame's start either way.
        if (kind == Kind::Line) std::swap(turned[0], turned[1]);
        EXPECT_EQ(turned, f[i].points) << static_cast<int>(axis) << " kind " << static_cast<int>(kind) << " #" << i;
        EXPECT_EQ(w[i].pen, f[i].pen);
      }
    }
    // Row numbers left of the frame, at the middle of each row less 4.
    std::vector<DrawOp> texts = floor.OfKind(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].points[0].x, 5);
  }

  // The floor over thickness in its own terms: layers top to bottom.
  WorkedExample(false);
  auto bounds = BoundaryPositions(s, DiagramAxis::Thickness, false);
  EXPECT_EQ(std::vector<int32_t>(bounds.begin() + 1, bounds.begin() + 7), (std::vector<int32_t>{24, 40, 46, 94, 100, 116}));
  RecordingCanvas floor;
  DrawCondensationDiagram(floor, DiagramAxis::Thickness, s);
  EXPECT_EQ(floor.OfKind(Kind::Polyline).at(0).points,
            (Points{{15, 24}, {17, 40}, {20, 46}, {118, 94}, {120, 100}, {125, 116}}));
  EXPECT_EQ(floor.OfKind(Kind::Polygon).at(0).points, (Points{{24, 41}, {55, 46}, {57, 63}, {25, 46}}));
  EXPECT_EQ(floor.OfKind(Kind::Line).at(1).points, (Points{{15, 46}, {125, 46}}));
}

TEST_F(DiagramTest, SectionOfAWallAndOfAFloor) {
  WorkedExample(true);
  RecordingCanvas wall;
  RateText rate = DrawLayerSection(wall, looks, s);
  EXPECT_FALSE(rate.visible);
  ASSERT_FALSE(wall.ops.empty());
  EXPECT_EQ(wall.ops[0].points, (Points{{0, 0}, {140, 142}}));
  EXPECT_EQ(wall.ops[0].brush.color, Colour(15));
  std::vector<DrawOp> bands = wall.OfKind(Kind::FillRect);
  ASSERT_EQ(bands.size(), 4u);  // background, then rows 2, 3, 4 (the α rows have no band)
  EXPECT_EQ(bands[1].points, (Points{{38, 15}, {44, 125}}));
  EXPECT_EQ(bands[1].brush, (CanvasBrush{Colour(3), BrushStyle::FDiagonal}));
  EXPECT_EQ(bands[2].points, (Points{{44, 15}, {92, 125}}));
  EXPECT_EQ(bands[2].brush, (CanvasBrush{Colour(11), BrushStyle::Cross}));
  EXPECT_EQ(bands[3].points, (Points{{92, 15}, {98, 125}}));
  EXPECT_EQ(bands[3].brush, (CanvasBrush{Colour(8), BrushStyle::Solid}));

  struct Text {
    std::string text;
    TPoint at;
  };
  auto texts = [](const RecordingCanvas& c) {
    std::vector<Text> out;
    for (const DrawOp& op : c.OfKind(Kind::Text)) out.push_back({op.text, op.points[0]});
    return out;
  };
  std::vector<Text> w = texts(wall);
  const std::vector<Text> wallTexts = {{"2", {39, 5}},       {"3", {66, 5}},       {"4", {93, 5}},
                                       {"    0", {0, 62}},   {"  80%", {0, 72}},  {" 20.0", {100, 62}},
                                       {"  60%", {100, 72}}};
  ASSERT_EQ(w.size(), wallTexts.size());
  for (std::size_t i = 0; i < w.size(); ++i) {
    EXPECT_EQ(w[i].text, wallTexts[i].text) << i;
    EXPECT_EQ(w[i].at, wallTexts[i].at) << i;
  }

  WorkedExample(false);
  RecordingCanvas floor;
  DrawLayerSection(floor, looks, s);
  bands = floor.OfKind(Kind::FillRect);
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[1].points, (Points{{15, 40}, {125, 46}}));
  EXPECT_EQ(bands[2].points, (Points{{15, 46}, {125, 94}}));
  EXPECT_EQ(bands[3].points, (Points{{15, 94}, {125, 100}}));
  std::vector<Text> f = texts(floor);
  const std::vector<Text> floorTexts = {{"2", {5, 39}},       {"3", {5, 66}},       {"4", {5, 93}},
                                        {"    0", {55, 15}},  {"  80%", {55, 25}},  {" 20.0", {55, 112}},
                                        {"  60%", {55, 122}}};
  ASSERT_EQ(f.size(), floorTexts.size());
  for (std::size_t i = 0; i < f.size(); ++i) {
    EXPECT_EQ(f[i].text, floorTexts[i].text) << i;
    EXPECT_EQ(f[i].at, floorTexts[i].at) << i;
  }
}

TEST_F(DiagramTest, ThinLayerKeepsOnePixelOverThicknessOnly) {
  // A 0.1 mm membrane in a 300 mm wall: 0.02 px by the scale.
  Build(0, 80, 20, 60,
        {kOutsideAlpha, {"透湿防水シート", 0.1f, 0.2f, 0, 5.0f, 0}, {"断熱材", 299.9f, 0.04f, 0, 0.1f, 0}, kInsideAlpha},
        true);
  auto thick = PositionTable(s, DiagramAxis::Thickness, true);
  EXPECT_EQ(thick[2] - thick[1], 1);
  EXPECT_EQ(thick[3] - thick[2], 60);
  auto vapour = PositionTable(s, DiagramAxis::VapourRes, true);
  EXPECT_EQ(vapour[2] - vapour[1], 0);

  RecordingCanvas canvas;
  DrawLayerSection(canvas, looks, s);
  std::vector<DrawOp> bands = canvas.OfKind(Kind::FillRect);
  ASSERT_EQ(bands.size(), 3u);
  EXPECT_EQ(bands[1].points, (Points{{38, 15}, {39, 125}}));
  EXPECT_EQ(bands[2].points, (Points{{39, 15}, {99, 125}}));
}

TEST(PositionTable, HalfPixelsRoundToEven) {
  // 60 px over 120: each unit of resistance is half a pixel.
  struct Case {
    float rv1, rv2;
    int32_t w1, w2;
  } cases[] = {{1, 119, 0, 60}, {3, 117, 2, 58}, {5, 115, 2, 58}, {7, 113, 4, 56}};
  for (const Case& c : cases) {
    CalcState z;
    z.LayerCount = 2;
    z.LayerData[1].VapourRes = c.rv1;
    z.LayerData[2].VapourRes = c.rv2;
    z.TotalVapourRes = 120;
    auto edges = PositionTable(z, DiagramAxis::VapourRes, false);
    EXPECT_EQ(edges[0], 40);
    EXPECT_EQ(edges[1] - edges[0], c.w1) << c.rv1;
    EXPECT_EQ(edges[2] - edges[1], c.w2) << c.rv2;
  }
}

TEST_F(DiagramTest, VapourTightRowTakesAlmostTheWholeResistanceAxis) {
  Build(0, 80, 20, 60,
        {kOutsideAlpha,
         {"合板", 12, 0.14f, 0, 0.0016f, 0},
         {"ポリエチレンフィルム", 0.2f, 0, 0.001f, 0, kVapourTight},
         {"グラスウール", 100, 0.04f, 0, 0.1f, 0},
         kInsideAlpha},
        true);
  auto edges = PositionTable(s, DiagramAxis::VapourRes, true);
  EXPECT_GE(edges[3] - edges[2], 59);
  for (int k : {1, 2, 4, 5}) EXPECT_LE(edges[k] - edges[k - 1], 1) << k;
  EXPECT_LE(edges[5], 38 + 61);
  RecordingCanvas canvas;
  EXPECT_TRUE(DrawCondensationDiagram(canvas, DiagramAxis::VapourRes, s).visible);
}

TEST_F(DiagramTest, NoCondensationShowsZeroRateAndNoZone) {
  Build(10, 50, 20, 50, {kOutsideAlpha, {"グラスウール", 100, 0.04f, 0, 0.1f, 0}, kInsideAlpha}, true);
  ASSERT_EQ(s.CondRate, 0.0f);
  RecordingCanvas canvas;
  RateText rate = DrawCondensationDiagram(canvas, DiagramAxis::Thickness, s);
  EXPECT_TRUE(rate.visible);
  EXPECT_EQ(rate.text, "      0g/m2h");
  EXPECT_TRUE(canvas.OfKind(Kind::Polygon).empty());
  EXPECT_TRUE(SupersaturationZone(s, DiagramAxis::Thickness).empty());
  // No material row between the α rows but row 2: one number.
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"2"}));
}

TEST_F(DiagramTest, NothingWithoutValidResults) {
  WorkedExample(true);
  s.Calculated = false;
  RecordingCanvas canvas;
  EXPECT_FALSE(DrawCondensationDiagram(canvas, DiagramAxis::Thickness, s).visible);
  EXPECT_FALSE(DrawDisplayPicture(canvas, 2, looks, s).visible);
  EXPECT_TRUE(canvas.ops.empty());
  // The section needs no results.
  DrawDisplayPicture(canvas, 0, looks, s);
  EXPECT_FALSE(canvas.ops.empty());
}

// A state with nine 10 mm rows whose boundaries 2 … m + 1 are supersaturated:
// there the calculated pressure is 100 + k and saturation 20 + k; elsewhere
// the calculated pressure is 1 and saturation 50.
CalcState ZoneOfLength(int m) {
  CalcState z;
  z.LayerCount = 9;
  z.LayerKinds = "ASSSSSSSA";
  for (int k = 1; k <= 9; ++k) {
    z.LayerData[k].Thickness = 10;
    z.LayerData[k].VapourRes = 1;
    z.Cumulative[k] = {10.0f * k, 0, 1.0f * k};
  }
  z.TotalThickness = 90;
  z.TotalVapourRes = 9;
  for (int k = 1; k <= 10; ++k) {
    bool in = k >= 2 && k <= m + 1;
    z.CalcPress[k] = in ? 100.0f + k : 1.0f;
    z.SatPress[k] = in ? 20.0f + k : 50.0f;
  }
  return z;
}

TEST(SupersaturationZone, PolygonOrderFollowsTheTable) {
  // Two characters per point number, as the order is written down.
  const char* table[] = {
      " 1 2 4 3",
      " 1 2 4 6 5 3",
      " 1 2 4 6 8 7 5 3",
      " 1 2 4 6 810 9 7 5 3",
      " 1 2 4 6 8101211 9 7 5 3",
      " 1 2 4 6 81012141311 9 7 5 3",
      " 1 2 4 6 810121416151311 9 7 5 3",
      " 1 2 4 6 8101214161817151311 9 7 5 3",
      " 1 2 4 6 81012141618201917151311 9 7 5 3",
  };
  for (int m = 1; m <= 9; ++m) {
    CalcState z = ZoneOfLength(m);
    std::vector<ZonePoint> zone = SupersaturationZone(z, DiagramAxis::Thickness);
    std::string order = table[m - 1];
    std::vector<int> numbers;
    for (std::size_t i = 0; i < order.size(); i += 2) numbers.push_back(std::stoi(order.substr(i, 2)));
    // At most 18 numbered points are kept.
    std::erase_if(numbers, [](int n) { return n > 18; });
    ASSERT_EQ(zone.size(), numbers.size()) << "m " << m;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      int n = numbers[i];
      if (n == 1) {  // entry inside row 1
        EXPECT_GT(zone[i].position, 0.0f);
        EXPECT_LT(zone[i].position, 10.0f);
      } else if (n == 2 * m + 2) {  // exit inside row m + 1
        EXPECT_GT(zone[i].position, 10.0f * m) << "m " << m;
        EXPECT_LT(zone[i].position, 10.0f * (m + 1)) << "m " << m;
      } else {
        int k = 1 + n / 2;  // the zone's (n / 2)-th boundary
        float pressure = n % 2 == 0 ? 100.0f + k : 20.0f + k;
        EXPECT_EQ(zone[i], (ZonePoint{10.0f * (k - 1), pressure})) << "m " << m << " point " << n;
      }
    }
  }
}

TEST(SupersaturationZone, ZoneReachingTheAirOfASideEndsAtThatBoundary) {
  // Saturated air on side B (a file can hold 100 %): the zone runs to
  // boundary 10, where there is no row to leave through; it leaves at the
  // calculated point of that boundary.
  CalcState z = ZoneOfLength(0);
  z.CalcPress[9] = 109;
  z.SatPress[9] = 29;
  z.CalcPress[10] = 110;
  z.SatPress[10] = 30;
  std::vector<ZonePoint> zone = SupersaturationZone(z, DiagramAxis::Thickness);
  ASSERT_EQ(zone.size(), 6u);
  EXPECT_GT(zone[0].position, 70.0f);
  EXPECT_LT(zone[0].position, 80.0f);
  const std::vector<ZonePoint> rest = {{80, 109}, {90, 110}, {90, 110}, {90, 30}, {80, 29}};
  EXPECT_EQ(std::vector<ZonePoint>(zone.begin() + 1, zone.end()), rest);

  // Saturated air on side A: the zone starts at boundary 1 itself.
  z = ZoneOfLength(1);
  z.CalcPress[1] = 60;
  z.SatPress[1] = 60;
  zone = SupersaturationZone(z, DiagramAxis::Thickness);
  ASSERT_EQ(zone.size(), 6u);
  EXPECT_EQ(zone[0], (ZonePoint{0, 60}));
  EXPECT_EQ(zone[1], (ZonePoint{0, 60}));
  EXPECT_EQ(zone[5], (ZonePoint{0, 60}));

  // Every boundary supersaturated: 22 numbered points, the first 18 kept.
  z = ZoneOfLength(9);
  z.CalcPress[1] = 60;
  z.SatPress[1] = 60;
  zone = SupersaturationZone(z, DiagramAxis::Thickness);
  EXPECT_EQ(zone.size(), 18u);
}

TEST(SupersaturationZone, FilmRowsWithoutThicknessUseTheCalculatedPressure) {
  // Surface condensation: boundary 2 (side A surface) and 3 supersaturated,
  // with 0 mm rows before and after them, where the lines do not cross.
  CalcState z;
  z.LayerCount = 4;
  z.LayerKinds = "ASAA";
  const float thickness[] = {0, 0, 10, 0, 0};
  for (int k = 1; k <= 4; ++k) {
    z.LayerData[k].Thickness = thickness[k];
    z.Cumulative[k].x = z.Cumulative[k - 1].x + thickness[k];
  }
  z.TotalThickness = 10;
  const float calc[] = {0, 5, 8, 7, 4, 4};
  const float sat[] = {0, 10, 6, 6, 9, 20};
  for (int k = 1; k <= 5; ++k) {
    z.CalcPress[k] = calc[k];
    z.SatPress[k] = sat[k];
  }
  std::vector<ZonePoint> zone = SupersaturationZone(z, DiagramAxis::Thickness);
  ASSERT_EQ(zone.size(), 6u);
  EXPECT_EQ(zone[0], (ZonePoint{0, 8}));   // entry: calculated pressure at boundary 2
  EXPECT_EQ(zone[1], (ZonePoint{0, 8}));
  EXPECT_EQ(zone[2], (ZonePoint{10, 7}));
  EXPECT_EQ(zone[3], (ZonePoint{10, 7}));  // exit: calculated pressure at boundary 3
  EXPECT_EQ(zone[4], (ZonePoint{10, 6}));
  EXPECT_EQ(zone[5], (ZonePoint{0, 6}));
}

TEST(SupersaturationZone, PositionsStayWithinTheAxis) {
  CalcState z = ZoneOfLength(2);
  z.TotalThickness = 15;  // shorter than the rows: every point beyond is held at the end
  for (const ZonePoint& p : SupersaturationZone(z, DiagramAxis::Thickness)) {
    EXPECT_GE(p.position, 0.0f);
    EXPECT_LE(p.position, 15.0f);
  }
  EXPECT_TRUE(SupersaturationZone(CalcState{}, DiagramAxis::Thickness).empty());
}

}  // namespace
}  // namespace kondra
