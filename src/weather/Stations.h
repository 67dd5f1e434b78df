// The current weather station and its files.
//
// The program ships monthly statistics of observation points ("地点")
// grouped into regions ("行政区") of a country, below the weather folder
// WCD\ of the installation:
//
//   WCD\<code>_STAT.DAT   region list (table file): 1 name, 2 code,
//                         5 number of its first point, 6 number of its
//                         points, 7 display name (the last column)
//   WCD\<code>_WPNT.DAT   point list (table file, at most 999 rows):
//                         1 name, 2 region code, 5-9 five numbers,
//                         10 point code, 11 display name
//   WCD\<code>_MONT.DAT   monthly records of 1947 bytes, record k - 1 =
//                         point k (weather/MonthlyRecord.h)
//   DATA\DAT\観測年度.DAT  observation years: 1 name, 2 year, 3 year code
//   DATA\DAT\国名.DAT      countries: 1 name, 2 folder, 3 code
//
// <code> is the country code of 国名.DAT; the country is always number 1.
// One process-wide record, CurStation, is the station the monthly display
// and the choosers work on. The station hand-off file DATA\QVWD情報.DAT
// (a last-file record, env/Environment.h) names the station's hourly file.
//
// Text matches are exact and an empty name never matches. Nothing here
// raises; every failure shows its own message and leaves the station as
// it was.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "weather/MonthlyRecord.h"

namespace kondra {

// The current station. Texts are UTF-8; the fields marked with a byte
// count hold at most that many CP932 bytes (longer list cells are cut).
struct WCD_DataType {
  std::string CountryName;     // 国名.DAT column 1
  std::string CountryFolder;   // column 2
  std::string CountryCode;     // column 3, 8 bytes: prefix of the weather files
  std::string RegionName;      // region list column 1, 20 bytes
  std::string RegionCode;      // column 2, 8 bytes
  int32_t RegionNo = 0;        // row of the region list
  std::string RegionText;      // column 7, the region's display name
  std::string PointName;       // point list column 1, 20 bytes
  int32_t PointNo = 0;         // row of the point list (the "地点№")
  std::string PointCode;       // column 10, 8 bytes
  std::string PointText;       // column 11, the point's display name
  std::array<std::string, 3> Captions;  // [0] RegionText + " " + PointText
  std::string YearName;        // observation-year column 1, 8 bytes
  std::string YearCode;        // column 3, 2 bytes
  std::array<float, 6> PointValues{};   // [1..5] point list columns 5-9
};

extern WCD_DataType CurStation;

extern std::string WeatherDir;  // StartDrive + RootDir + "WCD\"
extern std::string StationDir;  // WeatherDir + CountryFolder + "\"
extern int32_t PointCount;      // rows of the point list last loaded
extern int32_t RegionCount;     // rows of the region list last loaded
extern int32_t ShownPoint;      // the point the monthly display shows
extern std::string MonthlyFile;  // the monthly file in use
extern std::string HourlyFile;   // the station's hourly file (only named and checked)
extern MonthlyRecordData MonthlyRecord;  // the last monthly record read

inline constexpr const char* kStationInfoFile = "QVWD情報.DAT";
inline constexpr const char* kDefaultPointName = "HAMAMATSU";
inline constexpr const char* kDefaultRegionCode = "SZ";
inline constexpr const char* kDefaultYearName = "標準年";
// Sizes of an hourly data file are whole multiples of this.
inline constexpr int kHourlyRecordSize = 75;

// Prepares the weather folders and selects the default station (HAMAMATSU
// in SZ, 標準年). Part of the start-up, after the environment.
void InitWeather();

// Selects a station by point number, or (pointNo 0) by point name and
// region code; yearName empty means "標準年". Refreshes the country, the
// point (when found), its region and the year, and names and checks the
// hourly file. With neither number nor name it warns and changes nothing.
void SelectStation(int32_t pointNo, std::string_view pointName, std::string_view regionCode,
                   std::string_view yearName);

// Reads point pointNo's record of MonthlyFile into MonthlyRecord. A number
// outside 1..PointCount, a missing file or a file too short for the
// record reads nothing (the previous record stays).
void ReadMonthlyRecord(int32_t pointNo);
// Point pointNo's record out of the bytes of a whole monthly file, without a
// message; false when the file is too short for it or it does not decode.
bool PointRecordOf(std::string_view file, int32_t pointNo, MonthlyRecordData& record);

// Writes the station hand-off file for ShownPoint.
void WriteStationInfo();

// The monthly file for a selector: the last path returned, a country code
// or "WCD" (three characters: the country's monthly file), empty
// (DatDir + "月次気象." + PointCount), two characters (DatDir +
// "月次気象.DAT") or a full path. The path is split (env/Paths.h).
std::string MonthlyFilePath(std::string_view selector);

// The list files of the current country.
std::string RegionListPath();
std::string PointListPath();

// Empties the station and the values above (tests and a fresh start).
void ResetWeatherState();

}  // namespace kondra
