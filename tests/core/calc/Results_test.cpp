#include "calc/Results.h"

#include <utility>
#include <limits>

#include "calc/Engine.h"
#include "env/Messages.h"
#include "env/Units.h"
#include "psychro/Psychro.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

class ResultsTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    SetUnitSystem(kEngineeringUnits);
  }
  void TearDown() override {
    SetUnitSystem(kEngineeringUnits);
    KondraTest::TearDown();
  }
  // The worked example, calculated.
  static CalcState WorkedExample() {
    CalcState s;
    SetSideCond(1, 0, 80, s);
    SetSideCond(2, 20, 60, s);
    s.PartIndex = 1;
    SetLayer(1, "外側(αo=20)", 0, 0, 0.05f, 0, 0.001f, s);
    SetLayer(2, "合板(例)", 12, 0.14f, 0, 0.0016f, 0, s);
    SetLayer(3, "ｸﾞﾗｽｳｰﾙ(例)", 100, 0.04f, 0, 0.1f, 0, s);
    SetLayer(4, "石膏板(例)", 12, 0.19f, 0, 0.007f, 0, s);
    SetLayer(5, "内側(αi=8)", 0, 0, 0.125f, 0, 0.001f, s);
    DeriveLayers(s);
    EXPECT_TRUE(CheckInput(s).ok);
    EXPECT_FALSE(PrepareCumulative(s));
    RunEngine(s);
    s.Calculated = true;
    return s;
  }
  // Four named rows with results set by hand.
  static CalcState Rows(int plane, char position, bool fromB) {
    CalcState s;
    s.LayerCount = 4;
    const char* names[] = {"", "外側(αo=20)", "ALC", "ｸﾞﾗｽｳｰﾙ", "内側(αi=8)"};
    for (int k = 1; k <= 4; ++k) s.LayerName[static_cast<std::size_t>(k)] = names[k];
    s.CondPlane = plane;
    s.CondPosition = position;
    s.VapourFromB = fromB;
    s.BoundTemp = {0, 0, 5, 10, 15, 20};
    return s;
  }
};

TEST_F(ResultsTest, TheWorkedExampleInEngineeringUnits) {
  const CalcState s = WorkedExample();
  EXPECT_EQ(KValueText(s), "    0.354");
  EXPECT_EQ(PValueText(s), "   0.0979");
  EXPECT_EQ(SideVapPressText(1, s), "   3.67");
  EXPECT_EQ(SideVapPressText(2, s), "  10.53");
  EXPECT_EQ(SideDewPointText(2, s), "  12.0");
  EXPECT_FALSE(SidePressuresEqual(s));

  const ResultTable a = TableA(s);
  EXPECT_EQ(a.titles[1], "飽和(mmHg)");
  ASSERT_EQ(a.rows.size(), 6u);
  EXPECT_EQ(a.rows[0][0], "        0");  // 0 °C is written as a bare 0
  EXPECT_EQ(a.rows[5][0], "     20.0");
  EXPECT_EQ(a.rows[5][1], "    17.54");
  EXPECT_EQ(a.rows[2][3], "     4.91");  // actual pressure limited by saturation
  EXPECT_EQ(a.rows[2][4], " ▲   1.90");
  for (std::size_t r : {0u, 1u, 3u, 4u, 5u}) EXPECT_EQ(a.rows[r][4], "") << r;

  const ResultTable b = TableB(s);
  EXPECT_EQ(b.titles[4], "Σ透湿抵抗");
  ASSERT_EQ(b.rows.size(), 5u);
  EXPECT_EQ(b.rows[0][0], "        0");
  EXPECT_EQ(b.rows[0][1], "    0.050");
  EXPECT_EQ(b.rows[0][3], "    0.001");
  EXPECT_EQ(b.rows[2][3], "    1.000");
  EXPECT_EQ(b.rows[4][0], "    124.0");
  EXPECT_EQ(b.rows[4][2], "    2.824");
  EXPECT_EQ(b.rows[4][4], "   10.216");

  const Judgement j = Judge(s);
  EXPECT_EQ(j.panel, "判定：<ｸﾞﾗｽｳｰﾙ(例)>と<合板(例)>間で内部結露発生");
  EXPECT_EQ(j.colour, 9);
  EXPECT_EQ(AdviceText(s),
            "【結露防止対策】\r\r<ｸﾞﾗｽｳｰﾙ(例)>の高温側に防湿層を施工する必要があります。\r\r"
            "また少量の結露では<合板(例)>に湿気容量があれば実害に至らない場合もあります。");
}

TEST_F(ResultsTest, TheWorkedExampleInSIUnits) {
  const CalcState s = WorkedExample();
  SetUnitSystem(kSIUnits);
  EXPECT_EQ(KValueText(s), "    0.412");
  EXPECT_EQ(PValueText(s), "    203.9");
  EXPECT_EQ(SideVapPressText(1, s), "    489");
  EXPECT_EQ(SideVapPressText(2, s), "   1403");
  const ResultTable a = TableA(s);
  EXPECT_EQ(a.titles[3], "実在(Pa)");
  EXPECT_EQ(a.rows[5][1], "     2339");  // saturation at 20 °C
  EXPECT_EQ(a.rows[2][4], " ▲   1.90");  // the rate stays in g/m2h
  const ResultTable b = TableB(s);
  EXPECT_EQ(b.rows[4][2], "    2.429");  // Σ r × 1/1.16279
  EXPECT_EQ(b.rows[4][4], "  0.00490");  // Σ rv × 1/2083.6
}

TEST_F(ResultsTest, MarksStandAboveForDownwardFlowAndOnTheBoundaryForUpward) {
  CalcState s = Rows(3, 'C', false);
  s.CondRate = 0.5f;
  s.FlowMark[2] = "▽";
  s.FlowMark[3] = "▼";
  s.FlowMark[4] = "▽";
  ResultTable a = TableA(s);
  ASSERT_EQ(a.rows.size(), 5u);
  EXPECT_EQ(a.rows[0][4], " ▽");
  EXPECT_EQ(a.rows[1][4], " ▼   0.50");
  EXPECT_EQ(a.rows[2][4], " ▽");  // boundary 4's mark overwrites boundary 3's cleared cell
  EXPECT_EQ(a.rows[3][4], "");

  s = Rows(0, 'C', true);
  s.FlowMark[2] = "△";
  s.FlowMark[3] = "△";
  a = TableA(s);
  EXPECT_EQ(a.rows[0][4], "");
  EXPECT_EQ(a.rows[1][4], " △");  // no plane: marks without an amount
  EXPECT_EQ(a.rows[2][4], " △");
  EXPECT_EQ(Judge(s).panel, "判定：結露なし");
  EXPECT_EQ(Judge(s).colour, 12);
  EXPECT_EQ(AdviceText(s), "");
}

TEST_F(ResultsTest, JudgementAndAdviceByPosition) {
  struct Case {
    int plane;
    char position;
    bool fromB;
    float planeTemp;
    const char* panel;
    const char* advice;
  } cases[] = {
      {2, 'L', true, -3, "判定：<ALC>の外側で表面結露発生(結氷)", "壁体の熱的性能（断熱）を強化する必要があります。"},
      {4, 'R', false, 15, "判定：<ｸﾞﾗｽｳｰﾙ>の内側で表面結露発生", "壁体の断熱を強化するか、内側（室内）の温度を高めます。"},
      {3, 'C', false, 10, "判定：<ALC>と<ｸﾞﾗｽｳｰﾙ>間で内部結露発生", "<ALC>の高温側に防湿層を施工する必要があります。"},
      {3, 'C', true, -0.1f, "判定：<ｸﾞﾗｽｳｰﾙ>と<ALC>間で内部結露発生(結氷)", "<ｸﾞﾗｽｳｰﾙ>の高温側に防湿層を"},
  };
  for (const Case& c : cases) {
    CalcState s = Rows(c.plane, c.position, c.fromB);
    s.BoundTemp[static_cast<std::size_t>(c.plane)] = c.planeTemp;
    EXPECT_EQ(Judge(s).panel, c.panel);
    EXPECT_EQ(Judge(s).freezing, c.planeTemp < 0);
    const std::string advice = AdviceText(s);
    EXPECT_EQ(advice.rfind("【結露防止対策】\r\r", 0), 0u) << c.panel;
    EXPECT_NE(advice.find(c.advice), std::string::npos) << advice;
  }
}

TEST_F(ResultsTest, EmptyTotalsDryAirAndEqualPressures) {
  CalcState s;
  EXPECT_EQ(KValueText(s), "       -  ");
  EXPECT_EQ(PValueText(s), "       -  ");
  SetSideCond(1, 10, 0, s);
  EXPECT_EQ(SideDewPointText(1, s), "    - ");
  // A dew point that could not be worked out (a file's absurd condition).
  s.SideCond[1].DewPoint = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(SideDewPointText(1, s), "    - ");
  // Just below zero: no minus sign on a zero.
  for (const auto& [dew, text] : {std::pair{-0.03f, "   0.0"}, std::pair{-0.049f, "   0.0"}, std::pair{-0.06f, "  -0.1"},
                                  std::pair{0.03f, "   0.0"}}) {
    s.SideCond[1].DewPoint = dew;
    EXPECT_EQ(SideDewPointText(1, s), text) << dew;
  }
  SetSideCond(1, 20, 50, s);
  SetSideCond(2, 20, 50, s);
  EXPECT_TRUE(SidePressuresEqual(s));
  EXPECT_TRUE(TableA(s).rows.size() == 1u);  // one boundary, no layers
  EXPECT_TRUE(TableB(s).rows.empty());
}

TEST_F(ResultsTest, SIFactorMessages) {
  const std::string head = "ＳＩ単位系への換算係数\r\r";
  EXPECT_EQ(SIFactorMessage(FactorItem::SidePressure), head + "水蒸気分圧（mmHg）→ ×133.322（Pa）");
  EXPECT_EQ(SIFactorMessage(FactorItem::KValue, "熱貫流率(Ｋ値)"),
            head + "熱貫流率(Ｋ値)（kcal/㎡h℃）→ ×1.16279（W/㎡Ｋ）");
  EXPECT_EQ(SIFactorMessage(FactorItem::PValue, "湿気貫流率(Ｐ値)"),
            head + "湿気貫流率(Ｐ値)（g/㎡hmmHg）→ ×2083.6（ng/㎡sPa）");
  EXPECT_EQ(SIFactorMessage(FactorItem::Column1, "  熱抵抗(r)"), head + "熱抵抗(r)（㎡h℃/kcal）→ ×0.86（㎡Ｋ/W）");
  EXPECT_EQ(SIFactorMessage(FactorItem::Column3, "Σ透湿抵抗"), head + "Σ透湿抵抗（㎡hmmHg/g）→ ×0.00048（㎡sPa/ng）");
  // The same in either unit system.
  SetUnitSystem(kSIUnits);
  EXPECT_EQ(SIFactorMessage(FactorItem::Column0, "熱伝導率(λ)"), head + "熱伝導率(λ)（kcal/mh℃）→ ×1.16279（W/mＫ）");
  EXPECT_EQ(SIFactorMessage(FactorItem::Column2, "透湿率(p)"), head + "透湿率(p)（g/mhmmHg）→ ×2084（ng/msPa）");
}

}  // namespace
}  // namespace kondra
