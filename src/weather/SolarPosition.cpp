#include "weather/SolarPosition.h"

#include <cmath>
#include <algorithm>
#include <numbers>

namespace kondra {

namespace {
constexpr double kRad = std::numbers::pi / 180.0;
constexpr int kMonthStart[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr double kStandardMeridian = 135.0;  // Japan standard time
}  // namespace

int DayOfYear(int month, int day) { return kMonthStart[month - 1] + day; }

SunPosition SunAt(double latitude, double longitude, int dayOfYear, double clockHours) {
  // Fractional year in radians (Spencer), from 1 January 0:00.
  const double g = 2.0 * std::numbers::pi / 365.0 * (dayOfYear - 1 + (clockHours - 12.0) / 24.0);
  const double declination = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) -
                             0.006758 * std::cos(2 * g) + 0.000907 * std::sin(2 * g) -
                             0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g);
  const double equationOfTimeMinutes =
      229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) - 0.014615 * std::cos(2 * g) -
                0.040849 * std::sin(2 * g));
  const double solarHours = clockHours + (longitude - kStandardMeridian) / 15.0 + equationOfTimeMinutes / 60.0;
  const double hourAngle = 15.0 * (solarHours - 12.0) * kRad;
  const double phi = latitude * kRad;

  const double sinAlt = std::sin(phi) * std::sin(declination) +
                        std::cos(phi) * std::cos(declination) * std::cos(hourAngle);
  SunPosition sun;
  sun.altitude = std::asin(std::clamp(sinAlt, -1.0, 1.0)) / kRad;
  sun.azimuth = std::atan2(std::cos(declination) * std::sin(hourAngle),
                           std::sin(phi) * std::cos(declination) * std::cos(hourAngle) -
                               std::cos(phi) * std::sin(declination)) /
                kRad;
  return sun;
}

double CosIncidence(const SunPosition& sun, double tilt, double surfaceAzimuth) {
  const double h = sun.altitude * kRad;
  const double b = tilt * kRad;
  return std::sin(h) * std::cos(b) +
         std::cos(h) * std::sin(b) * std::cos((sun.azimuth - surfaceAzimuth) * kRad);
}

}  // namespace kondra
