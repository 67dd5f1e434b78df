#include "output/CalcReport.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/Engine.h"
#include "calc/Results.h"
#include "env/Units.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class CalcReportTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    SetUnitSystem(kEngineeringUnits);
    s.Title = "木造外壁";
    s.PartName = "外壁";
    s.SideNameA = "外気側";
    s.SideNameB = "室内側";
    s.SideCond[1] = {0.0f, 80.0f, 3.66f, -2.9f};
    s.SideCond[2] = {20.0f, 60.0f, 10.5f, 12.0f};
    s.LayerCount = 4;
    s.LayerName[1] = "外気側α";
    s.LayerData[1] = {0, 0, 0.05f, 0, 0.001f};
    s.LayerName[2] = "ロックウール吹付け材";  // 20 bytes
    s.LayerData[2] = {50, 0.04f, 1.5f, 0, 0.5f};
    s.LayerName[3] = "透湿抵抗材";
    s.LayerData[3] = {0.2f, 0, 0.01f, 0.002f, 50};
    s.LayerName[4] = "合板";
    s.LayerData[4] = {12, 0.14f, 0.125f, 0.0016f, 7.5f};
    s.TotalThickness = 62.2f;
    s.TotalThermalRes = 2.0f;
    s.TotalVapourRes = 58.0f;
    const float temps[] = {0, 0.5f, 1.2f, 15.5f, 20};
    for (int i = 1; i <= 5; ++i) {
      s.BoundTemp[i] = temps[i - 1];
      s.SatPress[i] = 4.8f + i;
      s.CalcPress[i] = 4.0f + i;
      s.RealPress[i] = 4.0f + i;
    }
    s.Calculated = true;
  }
  void TearDown() override {
    SetUnitSystem(kEngineeringUnits);
    KondraTest::TearDown();
  }
  CalcState s;
};

TEST_F(CalcReportTest, ConditionAndTotalLinesInEngineeringUnits) {
  CalcReportText r = BuildCalcReportText(s, "W1.KDR");
  EXPECT_EQ(r.unitMark, "");
  EXPECT_EQ(r.title, "計算名   ： 木造外壁  （W1.KDR）");
  EXPECT_EQ(r.part, "部位名   ： 外壁");
  EXPECT_EQ(r.sideA, "外気側条件 ： 温度   0.0 ℃   湿度  80 ％   水蒸気分圧  3.660 mmHg   露点温度  -2.9 ℃");
  EXPECT_EQ(r.sideB, "室内側条件 ： 温度  20.0 ℃   湿度  60 ％   水蒸気分圧 10.500 mmHg   露点温度  12.0 ℃");
  EXPECT_EQ(r.kLine, "熱貫流率(Ｋ値)     0.500 kcal/(㎡h℃)     熱貫流抵抗(Ｒ値)      2.000 (㎡h℃)/kcal");
  EXPECT_EQ(r.pLine, "湿気貫流率(Ｐ値)   0.0172 g/(㎡hmmHg)     湿気貫流抵抗(Ｒv値)    58.00 (㎡hmmHg)/g");
  EXPECT_EQ(r.layerCount, "壁体層数 ： 4 層   全体厚さ  62.2 mm");
  EXPECT_EQ(r.total, "  合計(4層)            62.2                 2.000               58.00");
  EXPECT_EQ(r.layerUnits, "                      mm        kcal/mrC ㎡hC/kcal g/mhmmHg  ㎡hmmHg/g");
}

TEST_F(CalcReportTest, ConditionLinesInSIUnits) {
  SetUnitSystem(kSIUnits);
  CalcReportText r = BuildCalcReportText(s, "W1.KDR");
  EXPECT_EQ(r.unitMark, "【ＳＩ単位】");
  // 3.66 mmHg = 487.96 Pa.
  EXPECT_EQ(r.sideA, "外気側条件 ： 温度   0.0 ℃   湿度  80 ％   水蒸気分圧    488 Pa     露点温度  -2.9 ℃");
  // K = 1.16279 / 2; R = 2 × 0.86.
  EXPECT_EQ(r.kLine, "熱貫流率(Ｋ値)     0.581 W/(㎡ﾟK)         熱貫流抵抗(Ｒ値)      1.720 (㎡ﾟK)/W");
  // P = 2083.6 / 58; Rv = 58 / 2083.6.
  EXPECT_EQ(r.pLine, "湿気貫流率(Ｐ値)     35.9 ng/(㎡sPa)      湿気貫流抵抗(Ｒv値)  0.02784 (㎡sPa)/ng");
  EXPECT_EQ(r.resultUnits, "                      mm        ℃          Pa        Pa        Pa          g/㎡h");
}

TEST_F(CalcReportTest, DryAirHasNoDewPointNumber) {
  s.SideCond[1] = {-5.0f, 0.0f, 0.0f, -9999.0f};
  EXPECT_EQ(BuildCalcReportText(s, "W1.KDR").sideA,
            "外気側条件 ： 温度  -5.0 ℃   湿度   0 ％   水蒸気分圧  0.000 mmHg   露点温度     - ℃");
}

TEST_F(CalcReportTest, LayerRowsByWhichValuesAreKnown) {
  struct Case {
    bool si;
    int k;
    const char* row;
  };
  const Case cases[] = {
      // λ and p unknown (a surface): both print "-".
      {false, 1, "  1   外気側α          0.0         -       0.050       -        0.00"},
      // λ known, p unknown; the long name pushes the rest of the row.
      {false, 2, "  2   ロックウール吹付け材     50.0       0.040     1.500       -        0.50"},
      // λ unknown, p known (a material given by its resistance).
      {false, 3, "  3   透湿抵抗材        0.2         -       0.010    0.0020     50.00"},
      {false, 4, "  4   合板             12.0       0.140     0.125    0.0016      7.50"},
      {true, 2, "  2   ロックウール吹付け材     50.0       0.047     1.290       -     0.00024"},
      {true, 3, "  3   透湿抵抗材        0.2         -       0.009     4.167   0.02400"},
      // Rows past the filled ones show their number only.
      {false, 5, "  5   "},
      {true, 9, "  9   "},
  };
  for (const Case& c : cases) {
    SetUnitSystem(c.si ? kSIUnits : kEngineeringUnits);
    EXPECT_EQ(BuildCalcReportText(s, "W1.KDR").layers[c.k], c.row) << "row " << c.k << (c.si ? " SI" : "");
  }
}

TEST_F(CalcReportTest, MarksStandAtTheirBoundaries) {
  s.CondRate = 0.1234f;
  s.FlowMark[3] = "▼";  // to boundary 2, with the rate
  s.FlowMark[4] = "▽";  // to boundary 3, without
  s.FlowMark[5] = "△";  // stays
  auto marks = ReportMarks(s);
  EXPECT_EQ(marks[1], "        ");
  EXPECT_EQ(marks[2], "▼  0.12");
  EXPECT_EQ(marks[3], "▽      ");
  EXPECT_EQ(marks[4], "        ");
  EXPECT_EQ(marks[5], "△      ");

  // An upward plane keeps its rate at its own boundary; a downward mark at
  // boundary 1 has no row above it.
  CalcState t = s;
  t.FlowMark = {};
  t.FlowMark[1] = "▽";
  t.FlowMark[2] = "▲";
  t.CondRate = 0;
  marks = ReportMarks(t);
  EXPECT_EQ(marks[1], "        ");
  EXPECT_EQ(marks[2], "▲     0");
}

TEST_F(CalcReportTest, ResultRows) {
  s.CondRate = 0.1234f;
  s.FlowMark[3] = "▼";
  CalcReportText r = BuildCalcReportText(s, "W1.KDR");
  EXPECT_EQ(r.results[1], "  1   外気側α          0.0         0.0      5.80      5.00      5.00  ");
  EXPECT_EQ(r.results[2], "  2   ロックウール吹付け材     50.0         0.5      6.80      6.00      6.00    ▼  0.12");
  EXPECT_EQ(r.results[3], "  3   透湿抵抗材        0.2         1.2      7.80      7.00      7.00  ");
  // The last boundary begins no layer.
  EXPECT_EQ(r.results[5], "  5                                20.0      9.80      9.00      9.00  ");
  EXPECT_EQ(r.results[6], "  6   ");
  EXPECT_EQ(r.results[10], "  10   ");

  SetUnitSystem(kSIUnits);
  r = BuildCalcReportText(s, "W1.KDR");
  // 5.8 mmHg = 773.3 Pa, 5 mmHg = 666.6 Pa: whole pascals.
  EXPECT_EQ(r.results[1], "  1   外気側α          0.0         0.0       773       667       667  ");
}

TEST_F(CalcReportTest, NineLayersFillEveryResultRow) {
  s.LayerCount = 9;
  for (int k = 5; k <= 9; ++k) {
    s.LayerName[k] = "層" + std::to_string(k);
    s.LayerData[k] = {10, 0.1f, 0.1f, 0.01f, 1};
  }
  CalcReportText r = BuildCalcReportText(s, "W1.KDR");
  for (int i = 1; i <= 10; ++i) EXPECT_GT(r.results[i].size(), 40u) << "row " << i;
  for (int k = 1; k <= 9; ++k) EXPECT_GT(r.layers[k].size(), 40u) << "layer " << k;
}

TEST_F(CalcReportTest, JudgementLineAndColour) {
  EXPECT_EQ(BuildCalcReportText(s, "W1.KDR").judgement, "判定：結露なし");
  EXPECT_FALSE(BuildCalcReportText(s, "W1.KDR").judgementRed);

  s.CondPlane = 3;
  s.CondPosition = 'C';
  s.VapourFromB = true;
  s.CondRate = 0.1234f;
  CalcReportText r = BuildCalcReportText(s, "W1.KDR");
  EXPECT_EQ(r.judgement, "判定：<透湿抵抗材>と<ロックウール吹付け材>間で内部結露発生  ※結露水量  0.12 (g/㎡h)");
  EXPECT_TRUE(r.judgementRed);
}

// A thickness keeps the decimals it has in the layer and result rows, within
// the same six places.
TEST_F(CalcReportTest, ThicknessesWithTheirDecimals) {
  struct Case {
    float mm;
    const char* text;
  } cases[] = {{0.2f, "   0.2"}, {0.15f, "  0.15"}, {12.25f, " 12.25"}, {0.125f, " 0.125"}, {50, "  50.0"}};
  const std::size_t width = BuildCalcReportText(s, "W1.KDR").layers[3].size();
  for (const Case& c : cases) {
    s.LayerData[3].Thickness = c.mm;
    CalcReportText r = BuildCalcReportText(s, "W1.KDR");
    EXPECT_NE(r.layers[3].find("透湿抵抗材     " + std::string(c.text) + "    "), std::string::npos) << r.layers[3];
    EXPECT_NE(r.results[3].find("透湿抵抗材     " + std::string(c.text) + "    "), std::string::npos) << r.results[3];
    EXPECT_EQ(r.layers[3].size(), width) << c.mm;  // the later columns stay where they are
  }
}

// An amount on a surface boundary is named surface condensation, and the
// line under the judgement says how it was found; an inner plane has none.
TEST_F(CalcReportTest, AnAmountOnASurfaceIsToldAsSurfaceCondensation) {
  s.LayerKinds = "ASSS";
  struct Case {
    int32_t plane;
    char position;
    const char* amount;
    bool note;
  } cases[] = {
      {2, 'L', "  ※表面結露量5042.35 (g/㎡h)", true},
      {3, 'C', "  ※結露水量5042.35 (g/㎡h)", false},
  };
  for (const Case& c : cases) {
    s.CondPlane = c.plane;
    s.CondPosition = c.position;
    s.VapourFromB = true;
    s.CondRate = 5042.35f;
    CalcReportText r = BuildCalcReportText(s, "W1.KDR");
    EXPECT_TRUE(r.judgement.ends_with(c.amount)) << r.judgement;
    EXPECT_EQ(r.surfaceNote, c.note ? kSurfaceAmountNote : "") << c.plane;
  }
}

TEST_F(CalcReportTest, ConstructionWithoutVapourResistanceHasNoPValue) {
  s.TotalVapourRes = 0;
  EXPECT_EQ(BuildCalcReportText(s, "W1.KDR").pLine,
            "湿気貫流率(Ｐ値)        - g/(㎡hmmHg)     湿気貫流抵抗(Ｒv値)     0.00 (㎡hmmHg)/g");
}

}  // namespace
}  // namespace kondra
