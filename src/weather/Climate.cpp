#include "weather/Climate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "psychro/Psychro.h"
#include "weather/SolarPosition.h"

namespace kondra {

namespace {

constexpr int kMinutes = 60;
// Surface azimuths from south, west positive: east, west, south, north.
constexpr double kFacing[4] = {-90.0, 90.0, 0.0, 180.0};

// Vapour pressure, mmHg, of the humidity ratio x at the standard atmosphere:
// the inverse of HumidityRatio with the same constants.
float VapPressFromHumidityRatio(double x) { return static_cast<float>(760.0 * x / (0.62198 + x)); }

constexpr double kMmHgPerHPa = 0.750062;  // the factor of SatPressMmHg

// Sums and counts of one month (index 0..11) or of the year (index 12).
struct Accumulator {
  double sum = 0;
  long count = 0;
  void Add(double v) {
    sum += v;
    ++count;
  }
  float Mean() const { return count ? static_cast<float>(sum / count) : kMonthlyAbsent; }
};

struct Extremes {
  double high = -std::numeric_limits<double>::infinity();
  double low = std::numeric_limits<double>::infinity();
  void Add(double v) {
    high = std::max(high, v);
    low = std::min(low, v);
  }
};

}  // namespace

HourRadiation RadiationOfHour(double latitude, double longitude, int month, int day, int hour, double directNormal,
                              double diffuseHorizontal, bool* beamLost) {
  HourRadiation r;
  if (beamLost) *beamLost = false;
  double sinAlt = 0;
  double cosPitch[4] = {0, 0, 0, 0};
  double cosWall[4] = {0, 0, 0, 0};
  if (directNormal > 0) {
    // Mean cosines over the minutes in which the sun is above the horizon:
    // the hour's direct normal radiation fell in those minutes only.
    const int doy = DayOfYear(month, day);
    int lit = 0;
    for (int k = 0; k < kMinutes; ++k) {
      const double t = hour - 0.5 + (k + 0.5) / kMinutes;
      const SunPosition sun = SunAt(latitude, longitude, doy, t);
      if (sun.altitude <= 0) continue;
      ++lit;
      sinAlt += std::sin(sun.altitude * std::numbers::pi / 180.0);
      for (int f = 0; f < 4; ++f) {
        cosPitch[f] += std::max(0.0, CosIncidence(sun, kFourSunPitch, kFacing[f]));
        cosWall[f] += std::max(0.0, CosIncidence(sun, 90.0, kFacing[f]));
      }
    }
    if (lit > 0) {
      sinAlt /= lit;
      for (int f = 0; f < 4; ++f) {
        cosPitch[f] /= lit;
        cosWall[f] /= lit;
      }
    } else if (beamLost) {
      *beamLost = true;
    }
  }
  r.globalHorizontal = directNormal * sinAlt + diffuseHorizontal;
  const double cosBeta = std::cos(kFourSunPitch * std::numbers::pi / 180.0);
  const double skyPitch = (1.0 + cosBeta) / 2.0;
  const double groundPitch = (1.0 - cosBeta) / 2.0;
  for (int f = 0; f < 4; ++f) {
    r.pitch[f] = directNormal * cosPitch[f] + diffuseHorizontal * skyPitch +
                 kGroundAlbedo * r.globalHorizontal * groundPitch;
    r.vertical[f] = directNormal * cosWall[f] + diffuseHorizontal * 0.5 + kGroundAlbedo * r.globalHorizontal * 0.5;
  }
  return r;
}

HourlyDerivation DeriveFromHourly(const HourlyYear& year, double latitude, double longitude,
                                  MonthlyRecordData& record) {
  HourlyDerivation stats;
  // Per month (0..11) and the year (12).
  Accumulator temp[13], vapour[13], dew[13], humidity[13], dailyMax[13], dailyMin[13];
  Extremes extremes[13];
  double heating[13] = {}, cooling[13] = {};
  int frostDays[13] = {}, hotDays[13] = {}, summerDays[13] = {}, iceDays[13] = {}, tropicalNights[13] = {};
  // Radiation totals in Wh/m2: direct normal, diffuse, nocturnal, global, pitch x4, wall x4.
  double energy[13][12] = {};

  const auto& hours = year.hours;
  for (std::size_t start = 0; start + 24 <= hours.size(); start += 24) {
    const int m = hours[start].month - 1;
    double dayMax = -std::numeric_limits<double>::infinity();
    double dayMin = std::numeric_limits<double>::infinity();
    double daySum = 0;
    for (std::size_t i = start; i < start + 24; ++i) {
      const HourlyValues& h = hours[i];
      const float t = static_cast<float>(h.temperature);
      for (int k : {m, 12}) {
        temp[k].Add(h.temperature);
        extremes[k].Add(h.temperature);
      }
      dayMax = std::max(dayMax, h.temperature);
      dayMin = std::min(dayMin, h.temperature);
      daySum += h.temperature;

      // Humidity through the program's own psychrometric functions.
      const float e = VapPressFromHumidityRatio(h.humidityRatio);
      float rh = RelHumFromVapPress(t, e);
      if (rh > 100.0f) ++stats.humidityHoursClamped;
      ClampRelHum(rh);
      const float td = DewPointTemp(t, rh);
      for (int k : {m, 12}) {
        vapour[k].Add(e / kMmHgPerHPa);
        humidity[k].Add(rh);
        if (td != kNoValue) dew[k].Add(td);
      }

      bool lost = false;
      const HourRadiation r = RadiationOfHour(latitude, longitude, h.month, h.day, h.hour, h.directNormal,
                                              h.diffuseHorizontal, &lost);
      if (lost) ++stats.beamHoursLost;
      const double values[12] = {h.directNormal, h.diffuseHorizontal, h.nocturnal, r.globalHorizontal,
                                 r.pitch[0],     r.pitch[1],          r.pitch[2],  r.pitch[3],
                                 r.vertical[0],  r.vertical[1],       r.vertical[2], r.vertical[3]};
      for (int k : {m, 12})
        for (int q = 0; q < 12; ++q) energy[k][q] += values[q];  // one hour: W/m2 -> Wh/m2
    }
    const double dayMean = daySum / 24.0;
    for (int k : {m, 12}) {
      dailyMax[k].Add(dayMax);
      dailyMin[k].Add(dayMin);
      heating[k] += std::max(0.0, kHeatingBase - dayMean);
      cooling[k] += std::max(0.0, dayMean - kCoolingBase);
      frostDays[k] += dayMin < 0.0;
      hotDays[k] += dayMax >= 30.0;
      summerDays[k] += dayMax >= 25.0;
      iceDays[k] += dayMax < 0.0;
      tropicalNights[k] += dayMin >= 25.0;
    }
  }

  for (int k = 0; k < 13; ++k) {
    const int column = k + 1;
    const int days = k < 12 ? kDaysInMonth[k] : 365;
    record.Value(kItemMeanTemp, column) = temp[k].Mean();
    record.Value(kItemFrostDays, column) = static_cast<float>(frostDays[k]);
    record.Value(kItemVapourPressure, column) = vapour[k].Mean();
    record.Value(kItemDewPoint, column) = dew[k].Mean();
    // Daily totals in kcal/(m2 day): mean over the days of the month (or year).
    record.Value(kItemDirectNormal, column) = static_cast<float>(energy[k][0] / kWhPerKcal / days);
    record.Value(kItemDiffuseHorizontal, column) = static_cast<float>(energy[k][1] / kWhPerKcal / days);
    record.Value(kItemNocturnal, column) = static_cast<float>(energy[k][2] / kWhPerKcal / days);
    record.Value(kItemMeanDailyMax, column) = dailyMax[k].Mean();
    record.Value(kItemMeanDailyMin, column) = dailyMin[k].Mean();
    record.Value(kItemHighest, column) = static_cast<float>(extremes[k].high);
    record.Value(kItemLowest, column) = static_cast<float>(extremes[k].low);
    // Totals of the month (or year) in units of 100 kcal/m2.
    for (int q = 0; q < 9; ++q)
      record.Value(kItemGlobalHorizontal + q, column) = static_cast<float>(energy[k][3 + q] / kWhPerKcal / 100.0);
    record.Value(kItemHeatingDegreeDays, column) = static_cast<float>(heating[k]);
    record.Value(kItemRelHumidity, column) = humidity[k].Mean();
    record.Value(kItemCoolingDegreeDays, column) = static_cast<float>(cooling[k]);
    record.Value(kItemHotDays, column) = static_cast<float>(hotDays[k]);
    record.Value(kItemSummerDays, column) = static_cast<float>(summerDays[k]);
    record.Value(kItemIceDays, column) = static_cast<float>(iceDays[k]);
    record.Value(kItemTropicalNights, column) = static_cast<float>(tropicalNights[k]);
  }
  record.highest = static_cast<float>(extremes[12].high);
  record.lowest = static_cast<float>(extremes[12].low);
  return stats;
}

void ApplyNormals(const NormalsStation& station, bool withTemperature, MonthlyRecordData& record) {
  for (int c = 1; c <= kMonthlyColumns; ++c) {
    if (withTemperature) record.Value(kItemMeanTemp, c) = station.temperature[c - 1];
    record.Value(kItemPrecipitation, c) = station.precipitation[c - 1];
  }
}

void ApplyRadiationNormals(const RadiationNormals& station, MonthlyRecordData& record) {
  constexpr double kWhPerMJ = 1e6 / 3600.0;
  double year = 0;
  for (int m = 0; m < 12; ++m) {
    const double total = station.dailyMJ[m] * kWhPerMJ * kDaysInMonth[m] / kWhPerKcal / 100.0;
    record.Value(kItemGlobalHorizontal, m + 1) = static_cast<float>(total);
    year += total;
  }
  record.Value(kItemGlobalHorizontal, kYearColumn) = static_cast<float>(year);
}

}  // namespace kondra
