#include "assess/SurfaceRisk.h"

#include <string>
#include <vector>

#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "env/Cp932.h"
#include "env/Units.h"
#include "psychro/Psychro.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

struct Row {
  const char* name;
  float thickness, conductivity, thermalRes, permeability, vapourRes;
};
const Row kOutside = {"外側(αo=20)", 0, 0, 0.05f, 0, 0.001f};
const Row kInside = {"内側(αi=8)", 0, 0, 0.125f, 0, 0.001f};

// A construction at the given air conditions, calculated as the Calc command does.
CalcState Calculated(float tA, float rhA, float tB, float rhB, const std::vector<Row>& rows, int part = 1) {
  CalcState s;
  SetSideCond(1, tA, rhA, s);
  SetSideCond(2, tB, rhB, s);
  s.PartIndex = part;
  std::tie(s.SideNameA, s.SideNameB) = SideNames(part);
  int k = 0;
  for (const Row& r : rows)
    SetLayer(++k, r.name, r.thickness, r.conductivity, r.thermalRes, r.permeability, r.vapourRes, s);
  DeriveLayers(s);
  EXPECT_FALSE(PrepareCumulative(s));
  RunEngine(s);
  s.Calculated = true;
  return s;
}

// Figures worked by hand from the layer resistances: θs from the resistance
// share of each α row, psat by the Tetens form, θsi,min by its inverse.
struct Case {
  const char* what;
  float tA, rhA, tB, rhB;
  std::vector<Row> rows;
  float tempA, relHumA, marginA;
  SurfaceVerdict verdictA;
  float tempB, relHumB, marginB;
  SurfaceVerdict verdictB;
  float fRsi, fRsiMouldCheck, criticalTemp, fRsiMin;
  bool sufficient, mouldCheckSufficient;
};

const Case kCases[] = {
    {"the sample wall", 0, 80, 20, 60,
     {kOutside, {"合板(例)", 12, 0.14f, 0, 0.0016f, 0}, {"ｸﾞﾗｽｳｰﾙ(例)", 100, 0.04f, 0, 0.1f, 0},
      {"石膏板(例)", 12, 0.19f, 0, 0.007f, 0}, kInside},
     0.354f, 77.97f, 3.381f, SurfaceVerdict::Dry, 19.115f, 63.39f, 7.111f, SurfaceVerdict::Dry,
     0.9557f, 0.9028f, 15.435f, 0.7717f, true, true},
    {"a single glass of 3 mm", 0, 80, 20, 60, {kOutside, {"板ｶﾞﾗｽ", 3, 0.86f, 0, 0, kVapourTight}, kInside},
     5.603f, 53.72f, 8.630f, SurfaceVerdict::Dry, 5.993f, 150.10f, -6.011f, SurfaceVerdict::Condensation,
     0.2997f, 0.1554f, 15.435f, 0.7717f, false, false},
    {"an uninsulated concrete wall", -5, 80, 20, 60, {kOutside, {"普通ｺﾝｸﾘｰﾄ", 150, 1.376f, 0, 0.00114f, 0}, kInside},
     -0.599f, 55.24f, 6.983f, SurfaceVerdict::Dry, 8.997f, 122.23f, -3.007f, SurfaceVerdict::Condensation,
     0.5599f, 0.3536f, 15.435f, 0.8174f, false, false},
    // Dry to the eye (above the dew point) but mouldy: 80 % ≤ φs < 100 %.
    {"insulated concrete, humid room", 0, 80, 20, 70,
     {kOutside, {"普通ｺﾝｸﾘｰﾄ", 150, 1.376f, 0, 0.00114f, 0}, {"ｸﾞﾗｽｳｰﾙ(例)", 25, 0.04f, 0, 0.1f, 0}, kInside},
     1.100f, 73.87f, 4.127f, SurfaceVerdict::Dry, 17.250f, 83.14f, 2.886f, SurfaceVerdict::MouldRisk,
     0.8625f, 0.7295f, 17.861f, 0.8930f, false, false},
};

class SurfaceRiskTest : public test::KondraTest {
 protected:
  void TearDown() override {
    SetUnitSystem(kEngineeringUnits);
    KondraTest::TearDown();
  }
};

TEST_F(SurfaceRiskTest, HandWorkedConstructions) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const CalcState s = Calculated(c.tA, c.rhA, c.tB, c.rhB, c.rows);
    const SurfaceAssessment a = AssessSurfaces(s);
    ASSERT_TRUE(a.assessed);
    const SurfaceSide& A = a.sides[0];
    const SurfaceSide& B = a.sides[1];
    EXPECT_EQ(A.boundary, 2);
    EXPECT_EQ(B.boundary, static_cast<int>(c.rows.size()));
    EXPECT_EQ(A.name, "外側表面");
    EXPECT_EQ(B.name, "内側表面");
    EXPECT_NEAR(A.surfaceTemp, c.tempA, 0.002);
    EXPECT_NEAR(A.surfaceRelHum, c.relHumA, 0.02);
    ASSERT_TRUE(A.dewMargin);
    EXPECT_NEAR(*A.dewMargin, c.marginA, 0.002);
    EXPECT_EQ(A.verdict, c.verdictA);
    EXPECT_NEAR(B.surfaceTemp, c.tempB, 0.002);
    EXPECT_NEAR(B.surfaceRelHum, c.relHumB, 0.02);
    ASSERT_TRUE(B.dewMargin);
    EXPECT_NEAR(*B.dewMargin, c.marginB, 0.002);
    EXPECT_EQ(B.verdict, c.verdictB);
    // The surface figures are those of the engine's profile and the side's air.
    EXPECT_EQ(B.surfaceTemp, s.BoundTemp[c.rows.size()]);
    EXPECT_EQ(B.airVapPress, s.SideCond[2].VapPress);
    EXPECT_EQ(B.surfaceSatPress, SatPressMmHg(B.surfaceTemp));

    ASSERT_TRUE(a.factor);
    const SurfaceFactor& f = *a.factor;
    EXPECT_TRUE(a.factorMessage.empty());
    EXPECT_EQ(f.insideSide, 2);
    EXPECT_NEAR(f.fRsi, c.fRsi, 0.0002);
    EXPECT_FLOAT_EQ(f.insideSurfaceRes, 0.125f);
    EXPECT_NEAR(f.fRsiMouldCheck, c.fRsiMouldCheck, 0.0002);
    ASSERT_TRUE(f.criticalSurfaceTemp && f.fRsiMin);
    EXPECT_NEAR(*f.criticalSurfaceTemp, c.criticalTemp, 0.002);
    EXPECT_NEAR(*f.fRsiMin, c.fRsiMin, 0.0002);
    EXPECT_EQ(f.sufficient, c.sufficient);
    EXPECT_EQ(f.mouldCheckSufficient, c.mouldCheckSufficient);
    // θsi,min is where the room air would stand at exactly 80 %.
    EXPECT_NEAR(RelHumFromVapPress(*f.criticalSurfaceTemp, s.SideCond[2].VapPress), 80.0, 0.01);
  }
}

TEST_F(SurfaceRiskTest, TheInverseOfTheSaturationCurveOnBothBranches) {
  for (float t : {-30.0f, -5.0f, -0.5f, 0.0f, 0.5f, 12.0f, 35.0f, 80.0f}) {
    const std::optional<float> back = SatTempFromPress(SatPressMmHg(t));
    ASSERT_TRUE(back) << t;
    EXPECT_NEAR(*back, t, 0.001) << t;
  }
  EXPECT_FALSE(SatTempFromPress(0));
  EXPECT_FALSE(SatTempFromPress(-1));
}

TEST_F(SurfaceRiskTest, EqualAirTemperaturesHaveNoFactor) {
  CalcState s = Calculated(20, 60, 20, 80, {kOutside, {"合板(例)", 12, 0.14f, 0, 0.0016f, 0}, kInside});
  const SurfaceAssessment a = AssessSurfaces(s);
  ASSERT_TRUE(a.assessed);
  EXPECT_FALSE(a.factor);
  EXPECT_EQ(a.factorMessage, "外側と内側の温度が等しいため、温度係数は求められません。");
  // The surfaces are still judged: at 20 °C throughout, side B's 80 % air is at the limit.
  EXPECT_EQ(a.sides[1].verdict, SurfaceVerdict::MouldRisk);
  EXPECT_EQ(a.sides[0].verdict, SurfaceVerdict::Dry);
  const SurfaceTexts t = SurfaceTextsOf(a);
  EXPECT_EQ(t.message, a.factorMessage);
  EXPECT_TRUE(t.factor.empty());
  const std::vector<std::string> lines = SurfaceLines(a);
  EXPECT_EQ(lines.back(), a.factorMessage);
}

TEST_F(SurfaceRiskTest, DryAirHasNoDewPointAndNoMouldLimit) {
  CalcState s = Calculated(0, 80, 20, 60, {kOutside, {"合板(例)", 12, 0.14f, 0, 0.0016f, 0}, kInside});
  SetSideCond(2, 20, 0, s);  // a file may hold a dry room
  const SurfaceAssessment a = AssessSurfaces(s);
  EXPECT_EQ(a.sides[1].surfaceRelHum, 0.0f);
  EXPECT_FALSE(a.sides[1].dewMargin);
  EXPECT_EQ(a.sides[1].verdict, SurfaceVerdict::Dry);
  ASSERT_TRUE(a.factor);
  EXPECT_FALSE(a.factor->criticalSurfaceTemp);
  EXPECT_FALSE(a.factor->fRsiMin);
  EXPECT_TRUE(a.factor->sufficient);
  const SurfaceTexts t = SurfaceTextsOf(a);
  EXPECT_EQ(t.sides[1].margin, "      -");
  EXPECT_EQ(t.factorVerdict, kFactorEnough);
}

TEST_F(SurfaceRiskTest, NothingBeforeACalculation) {
  CalcState s = Calculated(0, 80, 20, 60, {kOutside, kInside});
  s.Calculated = false;
  EXPECT_FALSE(AssessSurfaces(s).assessed);
  EXPECT_EQ(SurfaceLines(AssessSurfaces(s)), std::vector<std::string>{kSurfaceHeading});
}

TEST_F(SurfaceRiskTest, TheRoomIsTheInsideWhicheverSideItIs) {
  // Part class 8 (a ceiling) names side A 室内 and side B 外気: the room is side A.
  const CalcState s = Calculated(20, 60, 0, 80, {kInside, {"合板(例)", 12, 0.14f, 0, 0.0016f, 0}, kOutside}, 8);
  ASSERT_EQ(s.SideNameA, "室内");
  const SurfaceAssessment a = AssessSurfaces(s);
  ASSERT_TRUE(a.factor);
  EXPECT_EQ(a.factor->insideSide, 1);
  EXPECT_FLOAT_EQ(a.factor->insideSurfaceRes, 0.125f);
  const double expected = (a.sides[0].surfaceTemp - 0.0) / (20.0 - 0.0);
  EXPECT_NEAR(a.factor->fRsi, expected, 1e-6);
  EXPECT_GT(a.factor->fRsi, 0.5f);
}

TEST_F(SurfaceRiskTest, ACoolRoomIsJudgedByItsSurfaceTemperature) {
  // Summer: the room (side B, 26 °C) is cooler than outside (30 °C). The room
  // surface stands near 26 °C, far above θsi,min, although fRsi < fRsi,min
  // (the divisor θi − θe is negative).
  const CalcState s = Calculated(30, 70, 26, 50, {kOutside, {"合板(例)", 12, 0.14f, 0, 0.0016f, 0}, kInside});
  const SurfaceAssessment a = AssessSurfaces(s);
  ASSERT_TRUE(a.factor && a.factor->fRsiMin && a.factor->criticalSurfaceTemp);
  EXPECT_LT(a.factor->fRsi, *a.factor->fRsiMin);
  EXPECT_GT(a.sides[1].surfaceTemp, *a.factor->criticalSurfaceTemp);
  EXPECT_TRUE(a.factor->sufficient);
  EXPECT_TRUE(a.factor->mouldCheckSufficient);
  EXPECT_EQ(SurfaceTextsOf(a).factorVerdict, kFactorEnough);
}

TEST_F(SurfaceRiskTest, TextsInBothUnitSystems) {
  struct UnitCase {
    const char* system;
    const char* factor;
    const char* mouldCheck;
    const char* reportMouldCheck;
  };
  const UnitCase units[] = {
      {kEngineeringUnits, "0.956（Rsi = 0.125 ㎡h℃/kcal）", "0.903（Rsi = 0.2907 ㎡h℃/kcal）", "同 Rsi=0.2907 0.903 必要値以上"},
      {kSIUnits, "0.956（Rsi = 0.1075 ㎡K/W）", "0.903（Rsi = 0.25 ㎡K/W）", "同 Rsi=0.25   0.903 必要値以上"},
  };
  const Case& sample = kCases[0];
  for (const UnitCase& u : units) {
    SCOPED_TRACE(u.system);
    SetUnitSystem(u.system);
    const CalcState s = Calculated(sample.tA, sample.rhA, sample.tB, sample.rhB, sample.rows);
    const SurfaceAssessment a = AssessSurfaces(s);
    const SurfaceTexts t = SurfaceTextsOf(a);
    EXPECT_EQ(t.sides[0].temp, "  0.4 ℃");
    EXPECT_EQ(t.sides[1].relHum, " 63.4 ％");
    EXPECT_EQ(t.sides[1].margin, "  7.1 K");
    EXPECT_EQ(t.sides[1].verdict, "問題なし");
    EXPECT_EQ(t.factor, u.factor);
    EXPECT_EQ(t.mouldCheck, u.mouldCheck);
    EXPECT_EQ(t.minimum, "0.772（臨界表面温度 15.4 ℃）");
    EXPECT_EQ(t.factorVerdict, "必要値以上（カビの危険なし）");
    const std::vector<SurfaceReportLine> report = SurfaceReportLines(a);
    bool found = false;
    for (const SurfaceReportLine& l : report) found = found || l.text == u.reportMouldCheck;
    EXPECT_TRUE(found) << u.reportMouldCheck;
  }
}

TEST_F(SurfaceRiskTest, ReportLinesFitBesideTheLayerTableAndRisksAreRed) {
  for (const char* system : {kEngineeringUnits, kSIUnits}) {
    SetUnitSystem(system);
    for (const Case& c : kCases) {
      SCOPED_TRACE(std::string(system) + " " + c.what);
      const CalcState s = Calculated(c.tA, c.rhA, c.tB, c.rhB, c.rows);
      const std::vector<SurfaceReportLine> lines = SurfaceReportLines(AssessSurfaces(s));
      ASSERT_FALSE(lines.empty());
      EXPECT_EQ(lines.front().text, kSurfaceHeading);
      bool redVerdict = false;
      for (const SurfaceReportLine& l : lines) {
        EXPECT_LE(MBWidth(l.text), kSurfaceReportWidth) << l.text;
        if (l.red) redVerdict = true;
        const bool plain =
            l.text.find("判定：問題なし") != std::string::npos || l.text.find("必要値以上") != std::string::npos;
        const bool risky = l.text.find("判定：表面結露あり") != std::string::npos ||
                           l.text.find("判定：カビ発生の危険あり") != std::string::npos ||
                           l.text.find("必要値未満") != std::string::npos;
        if (plain || risky) {
          EXPECT_EQ(l.red, risky) << l.text;
        }
      }
      EXPECT_EQ(redVerdict, !c.sufficient);
    }
  }
  // The refused factor's message, split so that it fits too.
  const CalcState s = Calculated(20, 60, 20, 80, {kOutside, {"合板(例)", 12, 0.14f, 0, 0.0016f, 0}, kInside});
  for (const SurfaceReportLine& l : SurfaceReportLines(AssessSurfaces(s))) EXPECT_LE(MBWidth(l.text), kSurfaceReportWidth) << l.text;
}

}  // namespace
}  // namespace kondra
