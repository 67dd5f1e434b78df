#include "calc/Engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "psychro/Psychro.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

// One layer row as the layer record holds it.
struct Row {
  std::string name;
  float thickness, lambda, r, p, rv;
};

struct Construction {
  float tA, rhA, tB, rhB;
  std::vector<Row> rows;
};

const Row kOutsideAlpha{"外気側α", 0, 0, 0.05f, 0, 0.001f};
const Row kInsideAlpha{"室内側α", 0, 0, 0.125f, 0, 0.001f};

// A timber-frame wall in winter, side A outdoors: plywood sheathing, glass
// wool and gypsum board.
Construction Winter() {
  return {0, 80, 20, 60,
          {kOutsideAlpha,
           {"構造用合板", 12, 0.14f, 0, 0.0016f, 0},
           {"グラスウール", 100, 0.04f, 0, 0.1f, 0},
           {"石膏ボード", 12, 0.19f, 0, 0.007f, 0},
           kInsideAlpha}};
}

// A thin vapour-open sheet between warm humid side A and cold side B: its
// side A face is below the dew point.
Construction ColdSheetFromA() {
  return {20, 60, 0, 80,
          {kInsideAlpha, {"透湿シート", 1, 0.1f, 0, 0.01f, 0}, kOutsideAlpha}};
}

// Two surface films only.
Construction FilmsOnly() { return {0, 80, 20, 60, {kOutsideAlpha, kInsideAlpha}}; }

// A foil in the middle of the wall: condensation on its warm face.
Construction FoilInTheMiddle() {
  return {0, 80, 20, 60,
          {kOutsideAlpha,
           {"断熱材Ａ", 0, 0, 0.5f, 0, 1},
           {"アルミ箔", 0, 0, 0.001f, 0, kVapourTight},
           {"断熱材Ｂ", 0, 0, 0.5f, 0, 1},
           kInsideAlpha}};
}

// Two vapour retarders, each with its cold face inside the wall: both faces
// keep water; the first one met from side B is the plane.
Construction TwoRetarders() {
  return {-10, 80, 20, 70,
          {kOutsideAlpha,
           {"防湿層１", 0, 0, 0.05f, 0, 3},
           {"断熱材１", 0, 0, 1, 0, 0.5f},
           {"防湿層２", 0, 0, 0.05f, 0, 5},
           {"断熱材２", 0, 0, 1, 0, 0.5f},
           kInsideAlpha}};
}

// Vapour-open and mild: nothing condenses.
Construction Dry() {
  return {10, 50, 20, 50,
          {kOutsideAlpha, {"グラスウール", 100, 0.04f, 0, 0.1f, 0}, kInsideAlpha}};
}

// The same element seen from the other side.
Construction Mirrored(Construction c) {
  return {c.tB, c.rhB, c.tA, c.rhA, std::vector<Row>(c.rows.rbegin(), c.rows.rend())};
}

// Fills the inputs the way the calculation file rebuilds them; earlier
// results stay until the next run.
void Load(const Construction& c, CalcState& s = Calc) {
  SetSideCond(1, c.tA, c.rhA, s);
  SetSideCond(2, c.tB, c.rhB, s);
  s.PartIndex = 1;
  ClearLayers(s);
  int k = 0;
  for (const Row& r : c.rows) SetLayer(++k, r.name, r.thickness, r.lambda, r.r, r.p, r.rv, s);
  DeriveLayers(s);
}

// Loads, checks and runs; fails the test when the check or the sums refuse.
void Calculate(const Construction& c, CalcState& s = Calc) {
  Load(c, s);
  const InputCheck check = CheckInput(s);
  ASSERT_TRUE(check.ok) << check.message;
  ASSERT_FALSE(PrepareCumulative(s));
  RunEngine(s);
}

class EngineTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    ResetCalcState();
  }
  void TearDown() override {
    ResetCalcState();
    KondraTest::TearDown();
  }
};

// ---------------------------------------------------------------- the winter wall

TEST_F(EngineTest, WinterWallToThePrintedDigits) {
  ASSERT_NO_FATAL_FAILURE(Calculate(Winter()));
  const CalcState& s = Calc;
  EXPECT_NEAR(s.SideCond[1].VapPress, 3.666, 0.0005);
  EXPECT_NEAR(s.SideCond[2].VapPress, 10.526, 0.0005);
  EXPECT_TRUE(s.VapourFromB);
  EXPECT_NEAR(s.TotalThermalRes, 2.8239, 0.00005);
  EXPECT_NEAR(s.TotalVapourRes, 10.2163, 0.00005);

  const double temps[] = {0.00, 0.35, 0.96, 18.67, 19.11, 20.00};
  const double sats[] = {4.583, 4.702, 4.914, 16.147, 16.605, 17.543};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_NEAR(s.BoundTemp[k], temps[k - 1], 0.005) << "boundary " << k;
    EXPECT_NEAR(s.SatPress[k], sats[k - 1], 0.0005) << "boundary " << k;
    EXPECT_EQ(s.FlowMark[k], k == 3 ? "▲" : "") << "boundary " << k;
    if (k != 3) {
      EXPECT_EQ(s.RealPress[k], s.CalcPress[k]) << "boundary " << k;
    }
  }
  EXPECT_NEAR(s.CalcPress[3], 8.703, 0.0005);
  EXPECT_EQ(s.RealPress[3], s.SatPress[3]);
  EXPECT_NEAR(s.CondAmount[3], 4.29, 0.005);
  EXPECT_EQ(s.CondPlane, 3);
  EXPECT_EQ(s.CondPosition, 'C');
  EXPECT_NEAR(s.CondRate, 1.90, 0.005);
  // The single-plane rate written out with the wall's own sums.
  EXPECT_NEAR(s.CondRate, (10.526 - 4.914) / 2.715 - (4.914 - 3.666) / 7.501, 0.002);

  EXPECT_EQ(s.ScaleTempMax, 20.0f);
  EXPECT_EQ(s.ScaleTempMin, 0.0f);
  EXPECT_EQ(s.ScaleSatPressMax, SatPressMmHg(20.0f));
  EXPECT_EQ(s.ScalePressMin, s.SideCond[1].VapPress);
}

TEST_F(EngineTest, WinterWallLayersAndSums) {
  Load(Winter());
  const CalcState& s = Calc;
  EXPECT_EQ(s.LayerCount, 5);
  EXPECT_EQ(s.LayerKinds, "ASSSA");
  EXPECT_EQ(s.MaterialLayerCount, 3);
  EXPECT_FLOAT_EQ(s.TotalThickness, 124);
  // Rows given by λ and p follow their thickness; the α rows keep theirs.
  EXPECT_FLOAT_EQ(s.LayerData[2].ThermalRes, 0.012f / 0.14f);
  EXPECT_FLOAT_EQ(s.LayerData[2].VapourRes, 7.5f);
  EXPECT_EQ(s.LayerData[1].ThermalRes, 0.05f);
  EXPECT_EQ(s.LayerData[5].VapourRes, 0.001f);

  ASSERT_FALSE(PrepareCumulative());
  const double x[] = {0, 0, 12, 112, 124, 124};
  const double rv[] = {0, 0.001, 7.501, 8.501, 10.2153, 10.2163};
  for (int k = 0; k <= 5; ++k) {
    EXPECT_NEAR(s.Cumulative[k].x, x[k], 1e-4) << k;
    EXPECT_NEAR(s.Cumulative[k].Rv, rv[k], 5e-5) << k;
  }
  EXPECT_FLOAT_EQ(s.Cumulative[5].R, s.TotalThermalRes);
  EXPECT_EQ(s.Cumulative[6].x, 0.0f);
}

// ---------------------------------------------------------------- table of elements

struct Case {
  const char* name;
  Construction construction;
  bool fromB;
  int plane;
  char position;
  double rate, rateTolerance;
};

TEST_F(EngineTest, CondensationPlanes) {
  const Case cases[] = {
      {"winter wall, from B, inside", Winter(), true, 3, 'C', 1.9007, 0.001},
      {"winter wall seen from inside, from A", Mirrored(Winter()), false, 4, 'C', 1.9007, 0.001},
      {"cold sheet, from A, side A surface", ColdSheetFromA(), false, 2, 'L', 3234.6, 0.5},
      {"cold sheet seen from outside, side B surface", Mirrored(ColdSheetFromA()), true, 3, 'R',
       3234.6, 0.5},
      {"films only, n = 2", FilmsOnly(), true, 2, 'L', 435.35, 0.1},
      {"films only from A, n = 2", Mirrored(FilmsOnly()), false, 2, 'L', 435.35, 0.1},
      {"foil in the middle", FoilInTheMiddle(), true, 4, 'C', 1.692, 0.001},
      {"two retarders", TwoRetarders(), true, 5, 'C', 10.7014, 0.001},
      {"no condensation", Dry(), true, 0, 'C', 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CalcState s;
    ASSERT_NO_FATAL_FAILURE(Calculate(c.construction, s));
    EXPECT_EQ(s.VapourFromB, c.fromB);
    EXPECT_EQ(s.CondPlane, c.plane);
    EXPECT_EQ(s.CondPosition, c.position);
    EXPECT_NEAR(s.CondRate, c.rate, c.rateTolerance);
    const std::string plane = c.fromB ? "▲" : "▼";
    const std::string super = c.fromB ? "△" : "▽";
    const int n = s.LayerCount;
    for (int k = 1; k <= n + 1; ++k) {
      SCOPED_TRACE("boundary " + std::to_string(k));
      EXPECT_GE(s.CondAmount[k], 0.0f);
      if (k == c.plane) {
        EXPECT_EQ(s.FlowMark[k], plane);
        EXPECT_GT(s.CondAmount[k], 0.0f);
      } else {
        EXPECT_TRUE(s.FlowMark[k].empty() || s.FlowMark[k] == super) << s.FlowMark[k];
      }
      EXPECT_EQ(!s.FlowMark[k].empty(), s.CalcPress[k] > s.SatPress[k]);
      EXPECT_LE(s.RealPress[k], s.SatPress[k]);
    }
  }
}

TEST_F(EngineTest, LaterPlanesKeepTheirAmountsWithoutASecondMark) {
  ASSERT_NO_FATAL_FAILURE(Calculate(TwoRetarders()));
  // Scanned from side B: boundary 5 comes first, boundary 3 also keeps water.
  EXPECT_EQ(Calc.CondPlane, 5);
  EXPECT_NEAR(Calc.CondAmount[5], 11.1387, 0.001);
  EXPECT_NEAR(Calc.CondAmount[3], 6.8702, 0.001);
  EXPECT_EQ(Calc.FlowMark[3], "△");
  // The rate is the single-plane balance, not the boundary's amount.
  EXPECT_GT(Calc.CondAmount[5] - Calc.CondRate, 0.4f);
}

TEST_F(EngineTest, AMirroredElementGivesTheMirroredResult) {
  for (const Construction& c : {Winter(), ColdSheetFromA(), FoilInTheMiddle(), TwoRetarders()}) {
    CalcState s, m;
    ASSERT_NO_FATAL_FAILURE(Calculate(c, s));
    ASSERT_NO_FATAL_FAILURE(Calculate(Mirrored(c), m));
    const int n = s.LayerCount;
    SCOPED_TRACE(s.LayerName[2]);
    EXPECT_NE(s.VapourFromB, m.VapourFromB);
    EXPECT_EQ(m.CondPlane, n + 2 - s.CondPlane);
    EXPECT_NEAR(m.CondRate, s.CondRate, 1e-3 * s.CondRate);
    for (int k = 1; k <= n + 1; ++k) {
      EXPECT_NEAR(m.BoundTemp[n + 2 - k], s.BoundTemp[k], 1e-4) << k;
      EXPECT_NEAR(m.RealPress[n + 2 - k], s.RealPress[k], 1e-3) << k;
      EXPECT_EQ(m.FlowMark[n + 2 - k].empty(), s.FlowMark[k].empty()) << k;
    }
    EXPECT_EQ(m.ScaleTempMax, s.ScaleTempMax);
    EXPECT_EQ(m.ScalePressMin, s.ScalePressMin);
  }
}

// ---------------------------------------------------------------- profile rules

TEST_F(EngineTest, VapourTightRowHoldsEachSidesPressure) {
  ASSERT_NO_FATAL_FAILURE(Calculate(FoilInTheMiddle()));
  const float eA = Calc.SideCond[1].VapPress, eB = Calc.SideCond[2].VapPress;
  // Up to the foil's near face exactly side A's pressure, although the
  // straight line would already have risen by 0.0007 at boundary 3.
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(Calc.CalcPress[k], eA) << k;
  // Beyond it the later rows put their own straight-line values back.
  EXPECT_NE(Calc.CalcPress[4], eB);
  EXPECT_NEAR(Calc.CalcPress[4], eB, 0.001);
  EXPECT_EQ(Calc.CalcPress[6], eB);

  // A resistance just short of the marker is an ordinary row.
  Construction almost = FoilInTheMiddle();
  almost.rows[2].rv = 9998.99f;
  ASSERT_NO_FATAL_FAILURE(Calculate(almost));
  EXPECT_GT(Calc.CalcPress[3], Calc.SideCond[1].VapPress + 0.0005f);
}

TEST_F(EngineTest, AmountsBelowTheThresholdAreNoCondensation) {
  // Two equal vapour resistances of 100 around boundary 3, which lies at
  // 10 °C. Side B's humidity is set so that the straight line exceeds
  // saturation there by `excess` mmHg: the cut then keeps excess × (1/100 +
  // 1/100) g/(m²·h).
  const Construction base{0, 80, 20, 80,
                          {{"α", 0, 0, 0.1f, 0, 0.01f},
                           {"材料１", 0, 0, 1, 0, 100},
                           {"材料２", 0, 0, 1, 0, 100},
                           {"α", 0, 0, 0.1f, 0, 0.01f}}};
  struct Threshold {
    double excess;
    bool condenses;
  } cases[] = {{0.025, false}, {0.045, false}, {0.1, true}};
  for (const Threshold& t : cases) {
    SCOPED_TRACE(t.excess);
    Construction c = base;
    ASSERT_NO_FATAL_FAILURE(Calculate(c));
    const double sat = Calc.SatPress[3];
    const double fraction = double(Calc.Cumulative[2].Rv) / Calc.TotalVapourRes;
    const double eA = Calc.SideCond[1].VapPress;
    const double eB = eA + (sat + t.excess - eA) / fraction;
    c.rhB = static_cast<float>(eB / SatPressMmHg(20) * 100);
    ASSERT_NO_FATAL_FAILURE(Calculate(c));
    EXPECT_NEAR(Calc.CalcPress[3] - Calc.SatPress[3], t.excess, 1e-4);
    EXPECT_EQ(Calc.FlowMark[3], t.condenses ? "▲" : "△");
    EXPECT_EQ(Calc.CondPlane, t.condenses ? 3 : 0);
    if (t.condenses) {
      EXPECT_NEAR(Calc.CondAmount[3], 0.02 * t.excess, 1e-5);
    } else {
      EXPECT_EQ(Calc.CondAmount[3], 0.0f);
      EXPECT_EQ(Calc.CondRate, 0.0f);
    }
    // The neighbours lose vapour to the cut: negative balances stay 0.
    EXPECT_EQ(Calc.CondAmount[2], 0.0f);
    EXPECT_EQ(Calc.CondAmount[4], 0.0f);
  }
}

TEST_F(EngineTest, EqualVapourPressuresMeanNoFlow) {
  Construction c = Dry();
  Load(c);
  // Side B warmer but exactly as much vapour as side A.
  Calc.SideCond[2].VapPress = Calc.SideCond[1].VapPress;
  ASSERT_FALSE(PrepareCumulative());
  RunEngine();
  EXPECT_FALSE(Calc.VapourFromB);
  for (int k = 1; k <= Calc.LayerCount; ++k) EXPECT_EQ(Calc.LayerFlux[k], 0.0f) << k;
  EXPECT_EQ(Calc.CondPlane, 0);

  // So much vapour on both sides that the cold side is cut: marks point
  // the way of side A's flow.
  Calc.SideCond[1].VapPress = Calc.SideCond[2].VapPress = 12.0f;
  RunEngine();
  EXPECT_FALSE(Calc.VapourFromB);
  EXPECT_EQ(Calc.FlowMark[1], "▽");
  EXPECT_NE(Calc.LayerFlux[1], 0.0f);
}

TEST_F(EngineTest, OneAlphaRowHasNoInnerBoundary) {
  Load({0, 80, 20, 60, {kOutsideAlpha}});
  EXPECT_TRUE(CheckInput().ok);
  EXPECT_TRUE(RunCalculation());
  EXPECT_EQ(Calc.BoundTemp[1], 0.0f);
  EXPECT_EQ(Calc.BoundTemp[2], 20.0f);
  EXPECT_EQ(Calc.CalcPress[2], Calc.SideCond[2].VapPress);
  EXPECT_NEAR(Calc.LayerFlux[1], (10.5261 - 3.6663) / 0.001, 0.5);
  EXPECT_EQ(Calc.CondPlane, 0);
  EXPECT_EQ(Calc.CondPosition, 'C');
}

TEST_F(EngineTest, ARunForgetsThePreviousResults) {
  ASSERT_NO_FATAL_FAILURE(Calculate(Winter()));
  ASSERT_NO_FATAL_FAILURE(Calculate(Dry()));
  EXPECT_EQ(Calc.CondPlane, 0);
  EXPECT_EQ(Calc.CondRate, 0.0f);
  EXPECT_EQ(Calc.BoundTemp[5], 0.0f);  // the dry wall has 4 boundaries
  EXPECT_TRUE(Calc.FlowMark[3].empty());
  EXPECT_EQ(Calc.CondAmount[3], 0.0f);
}

// ---------------------------------------------------------------- refusals

TEST_F(EngineTest, ZeroOrNegativeResistanceAbortsTheCalculation) {
  struct Abort {
    const char* what;
    float r, rv;
  } cases[] = {{"r > 0, rv = 0", 2.5f, 0}, {"r = 0, rv > 0", 0, 1}, {"negative r", -2.5f, 1}};
  for (const Abort& a : cases) {
    SCOPED_TRACE(a.what);
    Construction c = Winter();
    c.rows[2] = {"グラスウール", 100, 0, a.r, 0, a.rv};
    Load(c);
    Calc.Calculated = true;
    Calc.BoundTemp[2] = 123.0f;  // stands for the previous results
    face.Clear();

    ASSERT_TRUE(CheckInput().ok);
    EXPECT_TRUE(PrepareCumulative());
    EXPECT_GT(Calc.Cumulative[2].Rv, 7.0f);
    EXPECT_EQ(Calc.Cumulative[3].Rv, 0.0f);
    EXPECT_EQ(Calc.Cumulative[4].x, 0.0f);

    bool before = false;
    EXPECT_FALSE(RunCalculation([&] { before = true; }));
    EXPECT_TRUE(before);
    EXPECT_FALSE(Calc.Calculated);
    EXPECT_EQ(Calc.BoundTemp[2], 123.0f);  // the engine did not run
    EXPECT_NE(face.AllStatusText().find("結露計算を中止しました。"), std::string::npos);
    EXPECT_TRUE(face.boxes.empty());
  }
}

TEST_F(EngineTest, RunCalculationAnnouncesSuccess) {
  Load(Winter());
  int calls = 0;
  EXPECT_TRUE(RunCalculation([&] { ++calls; }));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(Calc.Calculated);
  EXPECT_EQ(Calc.CondPlane, 3);
  EXPECT_NE(face.AllStatusText().find("〔結露計算完了〕"), std::string::npos);
}

TEST_F(EngineTest, EveryInputProblemInItsOrder) {
  struct Problem {
    const char* what;
    void (*spoil)(CalcState&);
    std::string message;
  } cases[] = {
      {"new file: all zero", [](CalcState& s) { ResetCalcState(s); },
       "内外温度条件が等しくなっています。"},
      {"equal temperatures beat everything else",
       [](CalcState& s) {
         SetSideCond(2, 0, 0, s);
         s.PartIndex = 0;
       },
       "内外温度条件が等しくなっています。"},
      {"no humidity on side A", [](CalcState& s) { SetSideCond(1, 0, 0, s); },
       "まだ湿度条件が入力されていません。"},
      {"no humidity on side B", [](CalcState& s) { SetSideCond(2, 20, 0, s); },
       "まだ湿度条件が入力されていません。"},
      {"no part class", [](CalcState& s) { s.PartIndex = 0; }, "まだ部位名が選ばれていません。"},
      {"row 3 empty",
       [](CalcState& s) {
         s.LayerName[3].clear();
         DeriveLayers(s);
       },
       "３層目の材料が選ばれていません。"},
      {"row 2 without any resistance",
       [](CalcState& s) {
         s.LayerData[2] = TLayerData{12, 0, 0, 0, 0};
         s.LayerName[3].clear();  // a later empty row is not reached
         DeriveLayers(s);
       },
       "２層目の物性データに未入力があります。"},
      {"negative thickness from a file",
       [](CalcState& s) { s.LayerData[3].Thickness = -100; },
       "３層目の厚さが負の値になっています。"},
      {"first row not α",
       [](CalcState& s) {
         s.LayerName[1] = "合板";
         DeriveLayers(s);
       },
       "層構成の最初と最後は＜熱伝達率α＞を選んで下さい。"},
      {"last row not α",
       [](CalcState& s) {
         s.LayerName[5].clear();
         DeriveLayers(s);
       },
       "層構成の最初と最後は＜熱伝達率α＞を選んで下さい。"},
      {"no rows",
       [](CalcState& s) {
         ClearLayers(s);
         DeriveLayers(s);
       },
       "層構成の最初と最後は＜熱伝達率α＞を選んで下さい。"},
      {"the α rule comes before the ranges",
       [](CalcState& s) {
         SetSideCond(1, -60, 80, s);
         s.LayerName[5].clear();
         DeriveLayers(s);
       },
       "層構成の最初と最後は＜熱伝達率α＞を選んで下さい。"},
      {"side A below -50 °C", [](CalcState& s) { SetSideCond(1, -60, 80, s); },
       "温度条件が範囲外です。（-50～100℃）"},
      {"side B above 100 °C", [](CalcState& s) { SetSideCond(2, 100.5f, 60, s); },
       "温度条件が範囲外です。（-50～100℃）"},
      {"ice-curve pole", [](CalcState& s) { SetSideCond(1, -265.5f, 80, s); },
       "温度条件が範囲外です。（-50～100℃）"},
      {"temperature range before humidity range",
       [](CalcState& s) {
         SetSideCond(1, 150, 150, s);
       },
       "温度条件が範囲外です。（-50～100℃）"},
      {"negative humidity", [](CalcState& s) { SetSideCond(1, 0, -5, s); },
       "湿度条件が範囲外です。（0～100％）"},
      {"humidity above 100 %", [](CalcState& s) { SetSideCond(2, 20, 120, s); },
       "湿度条件が範囲外です。（0～100％）"},
  };
  for (const Problem& p : cases) {
    SCOPED_TRACE(p.what);
    CalcState s;
    Load(Winter(), s);
    p.spoil(s);
    const InputCheck check = CheckInput(s);
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.message, p.message);
  }

  CalcState edges;
  Load(Winter(), edges);
  SetSideCond(1, -50, 100, edges);
  SetSideCond(2, 100, 0.5f, edges);
  EXPECT_TRUE(CheckInput(edges).ok) << CheckInput(edges).message;
}

TEST_F(EngineTest, RefusedInputIsShownAsAWarningAndChangesNothing) {
  Load(Winter());
  SetSideCond(2, 0, 60);
  Calc.Calculated = true;
  bool before = false;
  EXPECT_FALSE(RunCalculation([&] { before = true; }));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "内外温度条件が等しくなっています。");
  EXPECT_EQ(face.boxes[0].kind, 3);
  EXPECT_EQ(face.boxes[0].buttons, 1);
  EXPECT_FALSE(before);
  EXPECT_TRUE(Calc.Calculated);
}

TEST_F(EngineTest, RowNumbersInFullWidthDigits) {
  const char* want[] = {"０", "１", "２", "３", "４", "５", "６",
                        "７", "８", "９", "１０", "１１", "１２"};
  for (int k = 0; k <= 12; ++k) EXPECT_EQ(FullWidthNumber(k), want[k]) << k;
}

// ---------------------------------------------------------------- filling the inputs

TEST_F(EngineTest, SideConditionsBringTheirVapourPressureAndDewPoint) {
  SetSideCond(1, 20, 50);
  EXPECT_EQ(Calc.SideCond[1].VapPress, VapPressFromRelHum(20, 50));
  EXPECT_NEAR(Calc.SideCond[1].DewPoint, 9.27, 0.005);
  SetSideCond(2, 5, 0);
  EXPECT_EQ(Calc.SideCond[2].VapPress, 0.0f);
  EXPECT_EQ(Calc.SideCond[2].DewPoint, kNoValue);
  SetSideCond(3, 30, 30);  // no such side
  EXPECT_EQ(Calc.SideCond[1].Temp, 20.0f);
}

TEST_F(EngineTest, DeriveLayersCountsNamedRowsOnly) {
  SetLayer(1, "外気側α", 0, 0, 0.05f, 0, 0.001f);
  SetLayer(2, "合板", 12, 0, 0.3f, 0, 2.0f);  // given by its resistances
  SetLayer(4, "室内側α", 0, 0, 0.125f, 0, 0.001f);
  SetLayer(10, "範囲外", 1, 1, 1, 1, 1);  // ignored
  DeriveLayers();
  EXPECT_EQ(Calc.LayerCount, 3);
  EXPECT_EQ(Calc.LayerKinds, "ASA");
  EXPECT_EQ(Calc.MaterialLayerCount, 1);
  EXPECT_FLOAT_EQ(Calc.TotalThermalRes, 0.475f);
  EXPECT_FLOAT_EQ(Calc.TotalVapourRes, 2.002f);
  EXPECT_EQ(Calc.LayerData[2].ThermalRes, 0.3f);
  // Row 3 is empty, so the rows are not contiguous: the check names it.
  SetSideCond(1, 0, 80);
  SetSideCond(2, 20, 60);
  Calc.PartIndex = 1;
  EXPECT_EQ(CheckInput().message, "３層目の材料が選ばれていません。");

  // Deriving again does not add the rows twice.
  DeriveLayers();
  EXPECT_FLOAT_EQ(Calc.TotalVapourRes, 2.002f);
  EXPECT_EQ(Calc.LayerData[1].Value(3), 0.05f);
  EXPECT_EQ(Calc.LayerData[2].Value(5), 2.0f);
}

}  // namespace
}  // namespace kondra
