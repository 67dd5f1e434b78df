#include "weather/Climate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "psychro/Psychro.h"
#include "weather/SolarPosition.h"

namespace kondra {
namespace {

HourlyYear MakeYear(const std::function<void(HourlyValues&)>& fill) {
  HourlyYear year;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= kDaysInMonth[m - 1]; ++d)
      for (int h = 1; h <= 24; ++h) {
        HourlyValues v;
        v.month = m;
        v.day = d;
        v.hour = h;
        fill(v);
        year.hours.push_back(v);
      }
  return year;
}

TEST(ClimateFromHourly, TemperatureStatisticsFollowTheDays) {
  // Every day runs from 0 °C at hour 1 up to 23 °C at hour 24; in July 10 °C warmer.
  const HourlyYear year = MakeYear([](HourlyValues& v) {
    v.temperature = (v.hour - 1) + (v.month == 7 ? 10 : 0);
    v.humidityRatio = 0.005;
  });
  MonthlyRecordData r;
  DeriveFromHourly(year, 35.0, 135.0, r);
  EXPECT_FLOAT_EQ(r.Value(kItemMeanTemp, 1), 11.5f);
  EXPECT_FLOAT_EQ(r.Value(kItemMeanTemp, 7), 21.5f);
  EXPECT_FLOAT_EQ(r.Value(kItemMeanTemp, 13), static_cast<float>((11.5 * 334 + 21.5 * 31) / 365));
  EXPECT_FLOAT_EQ(r.Value(kItemMeanDailyMax, 1), 23.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemMeanDailyMin, 7), 10.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemHighest, 7), 33.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemHighest, 13), 33.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemLowest, 13), 0.0f);
  EXPECT_FLOAT_EQ(r.highest, 33.0f);
  EXPECT_FLOAT_EQ(r.lowest, 0.0f);
  // Heating degree-days: (18 - 11.5) a day; cooling: July's 21.5 stays below 24.
  EXPECT_FLOAT_EQ(r.Value(kItemHeatingDegreeDays, 1), 6.5f * 31);
  EXPECT_FLOAT_EQ(r.Value(kItemHeatingDegreeDays, 13), 6.5f * 334);
  EXPECT_FLOAT_EQ(r.Value(kItemCoolingDegreeDays, 7), 0.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemHotDays, 7), 31.0f);     // maximum 33 >= 30
  EXPECT_FLOAT_EQ(r.Value(kItemHotDays, 1), 0.0f);      // maximum 23
  EXPECT_FLOAT_EQ(r.Value(kItemSummerDays, 13), 31.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemFrostDays, 1), 0.0f);    // minimum 0 is not below 0
  EXPECT_FLOAT_EQ(r.Value(kItemTropicalNights, 7), 0.0f);
  // Nothing hourly gives precipitation or ground temperature.
  EXPECT_FALSE(r.HasItem(kItemPrecipitation));
  EXPECT_FALSE(r.HasItem(kItemGroundTemp));
  for (int item = kItemLastUsed + 1; item <= kWeatherItemCount; ++item) EXPECT_FALSE(r.HasItem(item));
}

TEST(ClimateFromHourly, DayCountsAndDegreeDaysOfAColdAndAHotDay) {
  const HourlyYear year = MakeYear([](HourlyValues& v) {
    v.humidityRatio = 0.002;
    if (v.month == 1 && v.day == 1) v.temperature = -5;           // ice day and frost day
    else if (v.month == 8 && v.day == 1) v.temperature = 30;      // hot day, tropical night
    else v.temperature = 20;
  });
  MonthlyRecordData r;
  DeriveFromHourly(year, 35.0, 135.0, r);
  EXPECT_FLOAT_EQ(r.Value(kItemIceDays, 1), 1.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemFrostDays, 13), 1.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemTropicalNights, 8), 1.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemHotDays, 13), 1.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemCoolingDegreeDays, 8), 6.0f);
  EXPECT_FLOAT_EQ(r.Value(kItemHeatingDegreeDays, 1), 23.0f);
}

TEST(ClimateFromHourly, HumidityComesFromThePsychrometricFunctions) {
  const HourlyYear year = MakeYear([](HourlyValues& v) {
    v.temperature = 20;
    v.humidityRatio = 0.0073;
  });
  MonthlyRecordData r;
  const HourlyDerivation d = DeriveFromHourly(year, 35.0, 135.0, r);
  const float e = static_cast<float>(760.0 * 0.0073 / (0.62198 + 0.0073));  // mmHg
  EXPECT_NEAR(HumidityRatio(e), 0.0073f, 1e-7);
  const float rh = RelHumFromVapPress(20, e);
  EXPECT_NEAR(r.Value(kItemRelHumidity, 4), rh, 1e-3);
  EXPECT_NEAR(r.Value(kItemRelHumidity, 4), 50.0, 1.0);
  EXPECT_NEAR(r.Value(kItemDewPoint, 4), DewPointTemp(20, rh), 1e-3);
  EXPECT_NEAR(r.Value(kItemVapourPressure, 4), e / 0.750062, 1e-3);  // hPa
  EXPECT_EQ(d.humidityHoursClamped, 0);

  // Vapour above saturation is limited to 100 % and counted.
  const HourlyYear wet = MakeYear([](HourlyValues& v) {
    v.temperature = 0;
    v.humidityRatio = 0.02;
  });
  const HourlyDerivation dw = DeriveFromHourly(wet, 35.0, 135.0, r);
  EXPECT_FLOAT_EQ(r.Value(kItemRelHumidity, 13), 100.0f);
  EXPECT_NEAR(r.Value(kItemDewPoint, 13), 0.0, 1e-3);
  EXPECT_EQ(dw.humidityHoursClamped, 8760);
}

TEST(ClimateFromHourly, DiffuseLightOnlyGivesTheSkyAndGroundShares) {
  // 100 W/m2 of sky radiation every hour and no beam: a horizontal surface
  // gets 2400 Wh a day, a vertical wall half of it plus 10 % of half from the
  // ground, a 4-sun roof (1 + cos 21.8°)/2 plus 10 % of (1 - cos 21.8°)/2.
  const HourlyYear year = MakeYear([](HourlyValues& v) {
    v.temperature = 10;
    v.humidityRatio = 0.005;
    v.diffuseHorizontal = 100;
    v.nocturnal = 50;
  });
  MonthlyRecordData r;
  DeriveFromHourly(year, 35.0, 135.0, r);
  const double janKcal = 2400.0 * 31 / 1.16279;
  EXPECT_NEAR(r.Value(kItemGlobalHorizontal, 1), janKcal / 100, 1e-2);
  EXPECT_NEAR(r.Value(kItemGlobalHorizontal, 13), 2400.0 * 365 / 1.16279 / 100, 1e-1);
  const double c = std::cos(kFourSunPitch * std::numbers::pi / 180);
  for (int item : {kItemPitchEast, kItemPitchWest, kItemPitchSouth, kItemPitchNorth})
    EXPECT_NEAR(r.Value(item, 1), janKcal / 100 * ((1 + c) / 2 + 0.1 * (1 - c) / 2), 1e-2);
  for (int item : {kItemWallEast, kItemWallWest, kItemWallSouth, kItemWallNorth})
    EXPECT_NEAR(r.Value(item, 1), janKcal / 100 * 0.55, 1e-2);
  // Daily means in kcal/(m2 day).
  EXPECT_NEAR(r.Value(kItemDiffuseHorizontal, 2), 2400 / 1.16279, 1e-2);
  EXPECT_NEAR(r.Value(kItemDiffuseHorizontal, 13), 2400 / 1.16279, 1e-2);
  EXPECT_NEAR(r.Value(kItemNocturnal, 6), 1200 / 1.16279, 1e-2);
  EXPECT_FLOAT_EQ(r.Value(kItemDirectNormal, 6), 0.0f);
}

TEST(ClimateFromHourly, TheBeamFallsOnTheSurfacesTheSunFaces) {
  // Nagano, 21 June: at 6:00 the sun stands north of east, at 12:00 high in the south.
  const double lat = 36.6617, lon = 138.1917;
  const HourRadiation morning = RadiationOfHour(lat, lon, 6, 21, 6, 500, 0);
  EXPECT_GT(morning.vertical[0], 300);                   // east wall
  EXPECT_GT(morning.vertical[3], 50);                    // north wall: summer morning sun
  EXPECT_NEAR(morning.vertical[1], 0.1 * morning.globalHorizontal * 0.5, 1e-9);  // west: ground only
  EXPECT_NEAR(morning.vertical[2], 0.1 * morning.globalHorizontal * 0.5, 1e-9);  // south: ground only

  const HourRadiation noon = RadiationOfHour(lat, lon, 6, 21, 12, 800, 0);
  const double sinNoon = std::sin(SunAt(lat, lon, DayOfYear(6, 21), 12).altitude * std::numbers::pi / 180);
  EXPECT_NEAR(noon.globalHorizontal, 800 * sinNoon, 5);
  EXPECT_GT(noon.pitch[2], noon.pitch[3]);   // the south roof gets more than the north roof
  EXPECT_GT(noon.pitch[2], noon.vertical[2]);

  // A night hour with (wrongly) recorded beam: nothing can be placed.
  bool lost = false;
  const HourRadiation night = RadiationOfHour(lat, lon, 6, 21, 1, 300, 0, &lost);
  EXPECT_TRUE(lost);
  EXPECT_EQ(night.globalHorizontal, 0.0);
  // 21 December, 6:30 to 7:30: the sun rises at the middle of the hour. Only
  // the minutes with sun count, so the beam still reaches the east wall.
  const HourRadiation dawn = RadiationOfHour(lat, lon, 12, 21, 7, 100, 0, &lost);
  EXPECT_FALSE(lost);
  EXPECT_GT(dawn.vertical[0], 50);
}

TEST(ClimateFromNormals, TemperaturePrecipitationAndRadiation) {
  NormalsStation s;
  for (int c = 0; c < 13; ++c) {
    s.temperature[c] = 5.0f + c;
    s.precipitation[c] = 100.0f + c;
  }
  MonthlyRecordData r;
  ApplyNormals(s, true, r);
  EXPECT_EQ(r.Value(kItemMeanTemp, 1), 5.0f);
  EXPECT_EQ(r.Value(kItemMeanTemp, 13), 17.0f);
  EXPECT_EQ(r.Value(kItemPrecipitation, 13), 112.0f);
  EXPECT_FALSE(r.HasItem(kItemGlobalHorizontal));

  MonthlyRecordData keep;
  keep.Value(kItemMeanTemp, 1) = 1.5f;
  ApplyNormals(s, false, keep);
  EXPECT_EQ(keep.Value(kItemMeanTemp, 1), 1.5f);
  EXPECT_EQ(keep.Value(kItemPrecipitation, 1), 100.0f);

  RadiationNormals rad;
  rad.dailyMJ.fill(10.0f);
  ApplyRadiationNormals(rad, r);
  // 10 MJ = 2777.8 Wh = 2388.9 kcal a day; January: 31 days, in 100 kcal.
  EXPECT_NEAR(r.Value(kItemGlobalHorizontal, 1), 10e6 / 3600 / 1.16279 * 31 / 100, 1e-2);
  EXPECT_NEAR(r.Value(kItemGlobalHorizontal, 13), 10e6 / 3600 / 1.16279 * 365 / 100, 1e-1);
  EXPECT_FALSE(r.HasItem(kItemWallSouth));
}

}  // namespace
}  // namespace kondra
