#include "psychro/Psychro.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kondra {
namespace {

struct Value {
  const char* what;
  float got;
  double want;
  double tolerance;  // half a unit of the last digit we know
};

TEST(Psychro, KnownValues) {
  const Value cases[] = {
      {"SatPressHPa(0), water branch", SatPressHPa(0.0f), 6.11, 1e-6},
      {"SatPressMmHg(20)", SatPressMmHg(20.0f), 17.54, 0.005},
      {"SatPressMmHg(-10), ice", SatPressMmHg(-10.0f), 1.947, 0.0005},
      {"SatPressMmHg(100)", SatPressMmHg(100.0f), 766.8, 0.05},
      {"DewPointTemp(20, 50)", DewPointTemp(20.0f, 50.0f), 9.27, 0.005},
      {"DewPointTemp(5, 50), water constants below 0", DewPointTemp(5.0f, 50.0f), -4.54, 0.005},
      {"DewPointTemp(-5, 80), ice constants", DewPointTemp(-5.0f, 80.0f), -7.58, 0.005},
      // Saturated air at 20 °C holds about 17.3 g/m³.
      {"SatAbsHumidity(20)", SatAbsHumidity(20.0f), 288.9 * 17.5435 / 293.15, 0.001},
      {"HumidityRatio(10)", HumidityRatio(10.0f), 0.62198 * 10 / 750, 1e-7},
      {"AbsHumidity(10, 0)", AbsHumidity(10.0f, 0.0f), 2889.0 / 273.15, 1e-5},
      {"VapPressFromAbsHumidity(10, 0)", VapPressFromAbsHumidity(10.0f, 0.0f), 2731.5 / 288.9, 1e-5},
      {"RelHumFromVapPress above saturation", RelHumFromVapPress(20.0f, 2 * SatPressMmHg(20.0f)),
       200.0, 1e-4},
      {"RelHumFromAbsHumidity", RelHumFromAbsHumidity(10.0f, 0.4f * SatAbsHumidity(10.0f)), 40.0,
       1e-4},
      {"RelHumFromDewPoint(20, dew point of 50 %)", RelHumFromDewPoint(20.0f, DewPointTemp(20, 50)),
       50.0, 0.001},
      {"VapPressFromRelHum(20, 60)", VapPressFromRelHum(20.0f, 60.0f), 10.526, 0.0005},
  };
  for (const Value& c : cases) EXPECT_NEAR(c.got, c.want, c.tolerance) << c.what;
}

TEST(Psychro, SaturationCurveBendsAtZero) {
  // Continuous at 0 °C but steeper over ice just below it.
  EXPECT_NEAR(SatPressHPa(-0.001f), 6.11f, 0.001f);
  const double aboveSlope = (SatPressHPa(0.5f) - SatPressHPa(0.0f)) / 0.5;
  const double belowSlope = (SatPressHPa(0.0f) - SatPressHPa(-0.5f)) / 0.5;
  EXPECT_NEAR(aboveSlope, 6.11 * std::log(10.0) * 7.5 / 237.3, 0.01);
  EXPECT_NEAR(belowSlope, 6.11 * std::log(10.0) * 9.5 / 265.5, 0.01);
}

TEST(Psychro, DewPointOfDryAndSaturatedAir) {
  for (float t : {-30.0f, -5.0f, 0.0f, 5.0f, 20.0f, 60.0f}) {
    EXPECT_EQ(DewPointTemp(t, 0.0f), kNoValue) << t;
    EXPECT_EQ(DewPointTemp(t, -5.0f), kNoValue) << t;
    EXPECT_NEAR(DewPointTemp(t, 100.0f), t, 1e-3) << t;
  }
}

TEST(Psychro, InputsAreClampedWhereTheFunctionsSaySo) {
  EXPECT_EQ(VapPressFromRelHum(150.0f, 120.0f), SatPressMmHg(100.0f));
  EXPECT_EQ(VapPressFromRelHum(-80.0f, -5.0f), 0.0f);
  EXPECT_EQ(RelHumFromVapPress(150.0f, 50.0f), RelHumFromVapPress(100.0f, 50.0f));
  EXPECT_EQ(RelHumFromAbsHumidity(-60.0f, 0.5f), RelHumFromAbsHumidity(-50.0f, 0.5f));
  // The dew point itself is not clamped, only the air temperature.
  EXPECT_EQ(RelHumFromDewPoint(120.0f, -60.0f),
            static_cast<float>(double(SatPressMmHg(-60.0f)) / SatPressMmHg(100.0f) * 100));
  // The bare curve is not clamped: the engine relies on it.
  EXPECT_GT(SatPressHPa(110.0f), SatPressHPa(100.0f));

  struct Clamp {
    float in, temp, relHum;
  } cases[] = {{-60, -50, 0}, {-50, -50, 0}, {-0.5f, -0.5f, 0}, {55, 55, 55},
               {100, 100, 100}, {100.5f, 100, 100}, {150, 100, 100}};
  for (const Clamp& c : cases) {
    float t = c.in, rh = c.in;
    EXPECT_TRUE(ClampTemp(t));
    EXPECT_TRUE(ClampRelHum(rh));
    EXPECT_EQ(t, c.temp) << c.in;
    EXPECT_EQ(rh, c.relHum) << c.in;
  }
}

TEST(Psychro, Lines) {
  float slope = 0, intercept = 0, x = 0, y = 0;
  LineFromPoints(3, 0, 3, 10, slope, intercept);
  EXPECT_EQ(slope, kNoValue);
  EXPECT_EQ(intercept, 3.0f);

  struct Crossing {
    const char* what;
    float s1, c1, s2, c2, x, y;
  } cases[] = {
      {"vertical first", kNoValue, 3, 2, 1, 3, 7},
      {"vertical second", 2, 1, kNoValue, 3, 3, 7},
      {"parallel", 2, 1, 2, 5, 0, 0},
      {"ordinary", 2, 0, -1, 6, 2, 4},
  };
  for (const Crossing& c : cases) {
    LineIntersection(c.s1, c.c1, c.s2, c.c2, x, y);
    EXPECT_FLOAT_EQ(x, c.x) << c.what;
    EXPECT_FLOAT_EQ(y, c.y) << c.what;
  }

  // A line through two points and back.
  LineFromPoints(1, 5, 3, 1, slope, intercept);
  EXPECT_FLOAT_EQ(slope, -2);
  EXPECT_FLOAT_EQ(intercept, 7);
}

TEST(Psychro, LargerAndSmaller) {
  EXPECT_EQ(MaxSingle(-3.5f, 2.0f), 2.0f);
  EXPECT_EQ(MaxSingle(2.0f, -3.5f), 2.0f);
  EXPECT_EQ(MinSingle(-3.5f, 2.0f), -3.5f);
  EXPECT_EQ(MinSingle(2.0f, -3.5f), -3.5f);
  EXPECT_EQ(MaxInteger(-7, 4), 4);
  EXPECT_EQ(MinInteger(-7, 4), -7);
  EXPECT_EQ(MinInteger(4, -7), -7);
}

}  // namespace
}  // namespace kondra
