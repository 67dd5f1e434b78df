#include "weather/SolarPosition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "SourcesDir.h"
#include "weather/ClimateSources.h"

namespace kondra {
namespace {

constexpr double kPi = std::numbers::pi;

// Highest altitude of the day, searched minute by minute.
SunPosition Noon(double lat, double lon, int doy) {
  SunPosition best{-90, 0};
  for (int k = 0; k < 24 * 60; ++k) {
    const SunPosition s = SunAt(lat, lon, doy, k / 60.0);
    if (s.altitude > best.altitude) best = s;
  }
  return best;
}

TEST(SolarPosition, NoonAltitudeFollowsLatitudeAndSeason) {
  struct Case {
    const char* when;
    int doy;
    double lat, expected;
  } cases[] = {
      {"June solstice, Nagano", DayOfYear(6, 21), 36.6617, 90 - 36.6617 + 23.44},
      {"December solstice, Nagano", DayOfYear(12, 21), 36.6617, 90 - 36.6617 - 23.44},
      {"March equinox, Naha", DayOfYear(3, 20), 26.2067, 90 - 26.2067},
      {"September equinox, Wakkanai", DayOfYear(9, 23), 45.415, 90 - 45.415},
  };
  for (const auto& c : cases) {
    const SunPosition s = Noon(c.lat, 138.0, c.doy);
    EXPECT_NEAR(s.altitude, c.expected, 0.5) << c.when;
    EXPECT_NEAR(s.azimuth, 0.0, 1.0) << c.when;  // due south at its highest
  }
}

TEST(SolarPosition, SolarNoonMovesWithLongitudeAndTheEquationOfTime) {
  // At 135° E on 3 November the sun runs about 16 minutes ahead of the clock;
  // at 141° E another 24 minutes.
  auto noonClock = [](double lon) {
    double best = -90, at = 0;
    for (int k = 0; k < 24 * 600; ++k) {
      const double t = k / 600.0;
      const double a = SunAt(35.0, lon, DayOfYear(11, 3), t).altitude;
      if (a > best) best = a, at = t;
    }
    return at;
  };
  EXPECT_NEAR(noonClock(135.0), 12.0 - 16.4 / 60.0, 1.0 / 60.0);
  EXPECT_NEAR(noonClock(141.0), 12.0 - 16.4 / 60.0 - 24.0 / 60.0, 1.0 / 60.0);
}

TEST(SolarPosition, MorningSunIsEastEveningSunWestAndSummerSunRisesNorthOfEast) {
  const SunPosition morning = SunAt(36.66, 138.19, DayOfYear(6, 21), 6.0);
  const SunPosition evening = SunAt(36.66, 138.19, DayOfYear(6, 21), 18.0);
  EXPECT_LT(morning.azimuth, -90.0);  // beyond east, towards north
  EXPECT_GT(evening.azimuth, 90.0);
  const SunPosition winter = SunAt(36.66, 138.19, DayOfYear(12, 21), 9.0);
  EXPECT_GT(winter.azimuth, -90.0);
  EXPECT_LT(winter.azimuth, 0.0);
}

TEST(SolarPosition, IncidenceOnSurfaces) {
  const SunPosition zenith{90.0, 0.0};
  EXPECT_NEAR(CosIncidence(zenith, 0, 0), 1.0, 1e-12);
  EXPECT_NEAR(CosIncidence(zenith, 90, 0), 0.0, 1e-12);
  const SunPosition south30{30.0, 0.0};
  EXPECT_NEAR(CosIncidence(south30, 90, 0), std::cos(30.0 * kPi / 180), 1e-12);
  EXPECT_LT(CosIncidence(south30, 90, 180), 0.0);  // north wall: behind
  EXPECT_NEAR(CosIncidence(south30, 90, -90), 0.0, 1e-12);
  // A 21.8° south roof meets a 30° sun at 90 - 30 - 21.8 degrees from its normal.
  EXPECT_NEAR(CosIncidence(south30, 21.8, 0), std::cos((90 - 30 - 21.8) * kPi / 180), 1e-12);
  const SunPosition west10{10.0, 90.0};
  EXPECT_NEAR(CosIncidence(west10, 90, 90), std::cos(10.0 * kPi / 180), 1e-12);
}

// The hourly standard year carries the sun's altitude at each hh:00 in whole
// degrees; the computed position must agree at every hour of the year.
TEST(SolarPosition, AgreesWithTheAltitudesOfTheHourlyYear) {
  HourlyYear year;
  std::string error;
  ASSERT_TRUE(ReadHourlyYear(test::WeatherSourcesDir() + "pyhees\\climateData_4.csv", year, error)) << error;
  double worst = 0, squares = 0;
  for (const auto& h : year.hours) {
    const double a = SunAt(36.6617, 138.1917, DayOfYear(h.month, h.day), h.hour).altitude;
    worst = std::max(worst, std::fabs(a - h.altitude));
    squares += (a - h.altitude) * (a - h.altitude);
  }
  EXPECT_LT(worst, 1.0);
  EXPECT_LT(std::sqrt(squares / year.hours.size()), 0.4);
}

}  // namespace
}  // namespace kondra
