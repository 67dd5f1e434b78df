#include "assess/Annual.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kondra {
namespace {

constexpr double kPa = 133.322368;  // Pa per mmHg

MonthAir Air(double te, double phie, double ti, double phii) {
  return {te, VapourPressOf(te, phie), ti, VapourPressOf(ti, phii)};
}

YearClimate Year(const MonthAir& winter, const MonthAir& summer, std::initializer_list<int> winterMonths) {
  YearClimate year;
  year.fill(summer);
  for (int m : winterMonths) year[static_cast<std::size_t>(m - 1)] = winter;
  return year;
}

// Outer board nearly closed to vapour, insulation, inner board.
const std::vector<AnnualRow> kWall = {{0.1, 5.0}, {2.5, 0.1}, {0.1, 0.2}};

// The rate at one plane c by the flux balance, worked out from the
// temperatures of the rows without the hull.
double OnePlaneRate(const std::vector<AnnualRow>& rows, std::size_t c, const MonthAir& air, bool outsideAtSaturation) {
  double rt = 0, zt = 0, rc = 0, zc = 0;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (k < c) rc += rows[k].thermalRes, zc += rows[k].vapourRes;
    rt += rows[k].thermalRes;
    zt += rows[k].vapourRes;
  }
  const double ps = AnnualSatPress(air.outsideTemp + (air.insideTemp - air.outsideTemp) * rc / rt) / kPa;
  const double pe = outsideAtSaturation ? ps : air.outsidePress / kPa;
  return (air.insidePress / kPa - ps) / (zt - zc) - (ps - pe) / zc;
}

TEST(Annual, SaturationCurveAndItsInverse) {
  EXPECT_NEAR(AnnualSatPress(0), 610.5, 1e-9);
  EXPECT_NEAR(AnnualSatPress(20), 2337.0, 1.0);
  EXPECT_NEAR(AnnualSatPress(-10), 259.3, 0.1);
  for (double t : {-30.0, -5.0, -0.01, 0.0, 12.5, 40.0}) EXPECT_NEAR(AnnualSatTemp(AnnualSatPress(t)), t, 1e-9) << t;
}

TEST(Annual, InsideHumidityClasses) {
  struct Case {
    int cls;
    double te, pe, ti, expected;
  } cases[] = {
      {3, -5, 300, 20, 300 + 810},       // full class value at and below 0 °C
      {3, 10, 900, 20, 900 + 405},       // half-way
      {5, 25, 2000, 20, 2000},           // nothing above 20 °C
      {5, 0, 600, 20, 600 + 1350},       // 1950 Pa is below saturation at 20 °C (2337 Pa)
      {5, 0, 600, 15, AnnualSatPress(15)},  // capped at saturation
  };
  for (const Case& c : cases) EXPECT_NEAR(ClassInsidePress(c.cls, c.te, c.pe, c.ti), c.expected, 1e-9) << c.cls;
}

TEST(Annual, OnePlaneCondensesInWinterAndDriesInSummer) {
  const MonthAir winter = Air(0, 80, 20, 60), summer = Air(25, 70, 25, 60);
  AnnualResult r;
  std::string problem;
  ASSERT_TRUE(AssessYear(kWall, Year(winter, summer, {1, 2, 11, 12}), r, problem)) << problem;
  EXPECT_EQ(r.startMonth, 11);  // the first cold month after a warm one
  ASSERT_EQ(r.months.size(), 12u);
  EXPECT_EQ(r.months[0].month, 11);
  EXPECT_EQ(r.months[11].month, 10);

  // The plane is the cold face of the insulation, boundary 2.
  const double g = OnePlaneRate(kWall, 1, winter, false);
  ASSERT_GT(g, 0);
  double held = 0;
  for (int i = 0; i < 4; ++i) {
    const AnnualMonthResult& m = r.months[static_cast<std::size_t>(i)];
    ASSERT_EQ(m.planes.size(), 1u) << m.month;
    EXPECT_EQ(m.planes[0].boundary, 2);
    EXPECT_NEAR(m.planes[0].rate, g, 1e-9);
    held += g * MonthDays(m.month) * 24;
    EXPECT_NEAR(m.planes[0].accumulated, held, 1e-6);
  }
  EXPECT_NEAR(r.maxAccumulated, held, 1e-6);
  EXPECT_EQ(r.maxMonth, 2);
  // March: held at saturation, the water leaves to both sides.
  const AnnualMonthResult& march = r.months[4];
  ASSERT_EQ(march.planes.size(), 1u);
  EXPECT_NEAR(march.planes[0].rate, OnePlaneRate(kWall, 1, summer, false), 1e-9);
  EXPECT_LT(march.planes[0].rate, 0);
  EXPECT_EQ(r.verdict, AnnualVerdict::Dries);
  EXPECT_EQ(r.months.back().total, 0);
  EXPECT_EQ(VerdictText(r.verdict), "年間で乾燥する");
}

TEST(Annual, AVapourTightRowAndTwoPlanes) {
  // A vapour-tight outer row: the plane at its inner face sends almost nothing out.
  const std::vector<AnnualRow> tight = {{0.05, 0.001}, {0.1, 9999}, {2.5, 0.1}, {0.1, 0.2}, {0.125, 0.001}};
  const MonthAir winter = Air(-5, 80, 20, 60);
  AnnualResult r;
  std::string problem;
  ASSERT_TRUE(AssessYear(tight, Year(winter, winter, {}), r, problem));
  ASSERT_EQ(r.months[0].planes.size(), 1u);
  EXPECT_EQ(r.months[0].planes[0].boundary, 3);
  EXPECT_NEAR(r.months[0].planes[0].rate, OnePlaneRate(tight, 2, winter, false), 1e-9);
  EXPECT_EQ(r.verdict, AnnualVerdict::Accumulates);  // cold all year: never dries
  EXPECT_EQ(r.startMonth, 1);

  // Two closed rows with insulation between and outside them: two planes.
  // Whatever enters from the inside and leaves to the outside is what the
  // planes keep between them.
  const std::vector<AnnualRow> two = {{0.05, 0.001}, {0.05, 3.0}, {1.0, 0.05}, {0.05, 3.0}, {2.0, 0.05}, {0.125, 0.001}};
  ASSERT_TRUE(AssessYear(two, Year(winter, winter, {}), r, problem));
  const auto& planes = r.months[0].planes;
  ASSERT_EQ(planes.size(), 2u);
  EXPECT_EQ(planes[0].boundary, 3);
  EXPECT_EQ(planes[1].boundary, 5);
  EXPECT_GT(planes[0].rate, 0);
  EXPECT_GT(planes[1].rate, 0);
  // Pressures at the planes are saturation; the flows in and out balance.
  auto sat = [&](double r) { return AnnualSatPress(-5 + 25 * r / 3.275) / kPa; };
  const double p3 = sat(0.1), p5 = sat(1.15), pe = winter.outsidePress / kPa, pi = winter.insidePress / kPa;
  const double in = (pi - p5) / (6.102 - 6.051), out = (p3 - pe) / 3.001;
  EXPECT_NEAR(planes[0].rate + planes[1].rate, in - out, 1e-6);
  EXPECT_NEAR(planes[1].rate, in - (p5 - p3) / 3.05, 1e-6);
}

TEST(Annual, WithoutCondensationNothingIsHeld) {
  AnnualResult r;
  std::string problem;
  ASSERT_TRUE(AssessYear(kWall, Year(Air(15, 50, 20, 40), Air(25, 60, 25, 50), {1, 2, 12}), r, problem));
  EXPECT_EQ(r.verdict, AnnualVerdict::None);
  EXPECT_EQ(r.startMonth, 0);
  EXPECT_TRUE(r.months.empty());
  EXPECT_EQ(r.maxMonth, 0);
  EXPECT_EQ(VerdictKey(r.verdict), "none");
}

TEST(Annual, TheMouldCriterionMonthByMonth) {
  const std::vector<AnnualRow> rows = {{0.05, 0.001}, {0.2, 1}, {0.125, 0.001}};
  YearClimate year;
  year.fill(Air(25, 60, 25, 60));
  year[0] = Air(-5, 80, 20, 60);
  year[1] = Air(0, 80, 20, 70);
  AnnualResult r;
  std::string problem;
  ASSERT_TRUE(AssessYear(rows, year, r, problem));
  ASSERT_EQ(r.surface.size(), 12u);
  const double crit = AnnualSatTemp(VapourPressOf(20, 70) / 0.8);
  ASSERT_TRUE(r.surface[1].fRsiMin.has_value());
  EXPECT_NEAR(*r.surface[1].fRsiMin, (crit - 0) / 20.0, 1e-12);
  EXPECT_FALSE(r.surface[5].fRsiMin.has_value());  // θi = θe: no factor
  // A mild month with the sides 2 K apart has a factor, but it is no design month.
  year[2] = Air(18, 80, 20, 90);
  ASSERT_TRUE(AssessYear(rows, year, r, problem));
  ASSERT_TRUE(r.surface[2].fRsiMin.has_value());
  EXPECT_GT(*r.surface[2].fRsiMin, *r.largestFRsiMin);
  EXPECT_EQ(r.largestFRsiMinMonth, 2);
  EXPECT_NEAR(r.fRsi, 1 - 0.125 / 0.375, 1e-12);
  EXPECT_NEAR(r.fRsiMouldCheck, 1 - (0.25 / 0.86) / (0.25 + 0.25 / 0.86), 1e-12);
}

TEST(Annual, RowsThatCannotBeAssessed) {
  AnnualResult r;
  std::string problem;
  EXPECT_FALSE(AssessYear({{0.1, 1}}, YearClimate{}, r, problem));
  EXPECT_FALSE(AssessYear({{0.1, 1}, {0, 1}}, YearClimate{}, r, problem));
  EXPECT_NE(problem.find("2層目"), std::string::npos) << problem;
}

}  // namespace
}  // namespace kondra
