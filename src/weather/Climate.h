// Monthly and yearly statistics of a point, derived from the public climate
// data (ClimateSources.h) into the 36 items of a monthly record.
//
// Items, their stored units and the column of a record that holds the year:
//
//   1  mean temperature                 °C        mean of the year
//   2  precipitation                    mm        total of the year
//   3  days with daily minimum < 0 °C   days      total
//   4  vapour pressure                  hPa       mean
//   5  dew point                        °C        mean
//   6  direct normal radiation          kcal/(m2 day), mean daily total; year: mean day
//   7  diffuse horizontal radiation     kcal/(m2 day), as 6
//   8  nocturnal radiation, horizontal  kcal/(m2 day), as 6
//   9  mean daily maximum temperature   °C        mean
//  10  mean daily minimum temperature   °C        mean
//  11  highest temperature              °C        highest of the year
//  12  lowest temperature               °C        lowest of the year
//  13  global horizontal radiation      100 kcal/m2, monthly total; year: total
//  14-17 radiation on a 4-sun pitch (21.8°) roof facing E, W, S, N  as 13
//  18-21 radiation on a vertical wall facing E, W, S, N             as 13
//  22  heating degree-days, base 18 °C  °C·day    total
//  23  relative humidity                %         mean
//  24  ground temperature               °C        (no source gives it)
//  25  cooling degree-days, base 24 °C  °C·day    total
//  26  days with daily maximum >= 30 °C days      total
//  27  days with daily maximum >= 25 °C days      total
//  28  days with daily maximum < 0 °C   days      total
//  29  days with daily minimum >= 25 °C days      total
//  30-36 not used
//
// kcal is the program's: 1 kcal = 1.16279 Wh, the factor the SI display
// multiplies by. Values a source does not give stay kMonthlyAbsent.
#pragma once

#include "weather/ClimateSources.h"
#include "weather/MonthlyRecord.h"

namespace kondra {

enum WeatherItem : int {
  kItemMeanTemp = 1,
  kItemPrecipitation = 2,
  kItemFrostDays = 3,
  kItemVapourPressure = 4,
  kItemDewPoint = 5,
  kItemDirectNormal = 6,
  kItemDiffuseHorizontal = 7,
  kItemNocturnal = 8,
  kItemMeanDailyMax = 9,
  kItemMeanDailyMin = 10,
  kItemHighest = 11,
  kItemLowest = 12,
  kItemGlobalHorizontal = 13,
  kItemPitchEast = 14,
  kItemPitchWest = 15,
  kItemPitchSouth = 16,
  kItemPitchNorth = 17,
  kItemWallEast = 18,
  kItemWallWest = 19,
  kItemWallSouth = 20,
  kItemWallNorth = 21,
  kItemHeatingDegreeDays = 22,
  kItemRelHumidity = 23,
  kItemGroundTemp = 24,
  kItemCoolingDegreeDays = 25,
  kItemHotDays = 26,
  kItemSummerDays = 27,
  kItemIceDays = 28,
  kItemTropicalNights = 29,
  kItemLastUsed = 29,
};

inline constexpr double kWhPerKcal = 1.16279;       // the program's kcal
inline constexpr double kHeatingBase = 18.0;        // °C, heating degree-days
inline constexpr double kCoolingBase = 24.0;        // °C, cooling degree-days
inline constexpr double kGroundAlbedo = 0.1;        // solar reflectance of the ground
inline constexpr double kFourSunPitch = 21.801409;  // degrees, atan(4/10)
inline constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Radiation of one hour on the surfaces of the record, W/m2 (hourly means).
struct HourRadiation {
  double globalHorizontal = 0;
  double pitch[4] = {0, 0, 0, 0};     // east, west, south, north
  double vertical[4] = {0, 0, 0, 0};  // east, west, south, north
};

// Splits the hour centred on `hour` (JST) of the given day into minutes and
// puts the direct beam on each surface with the mean cosine of incidence over
// the minutes in which the sun is up; the sky diffuse is isotropic and the
// ground reflects kGroundAlbedo of the global horizontal radiation.
// `beamLost` is set when the hour has direct radiation but no minute of sun.
HourRadiation RadiationOfHour(double latitude, double longitude, int month, int day, int hour, double directNormal,
                              double diffuseHorizontal, bool* beamLost = nullptr);

struct HourlyDerivation {
  int beamHoursLost = 0;         // hours whose direct radiation could not be placed
  int humidityHoursClamped = 0;  // hours whose relative humidity came out above 100 %
};

// Fills every item that an hourly year gives (all but 2, 24 and the unused
// ones), and the highest and lowest temperature of the record. The year is
// whole days in order, as ParseHourlyYear delivers it.
HourlyDerivation DeriveFromHourly(const HourlyYear& year, double latitude, double longitude,
                                  MonthlyRecordData& record);

// Mean temperature and precipitation from the normals. The temperature is
// taken only when `withTemperature` (a point with an hourly year keeps its own).
void ApplyNormals(const NormalsStation& station, bool withTemperature, MonthlyRecordData& record);

// Monthly totals of global horizontal radiation from the normals' mean daily values.
void ApplyRadiationNormals(const RadiationNormals& station, MonthlyRecordData& record);

}  // namespace kondra
