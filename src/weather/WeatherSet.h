// The shipped weather data of one country, built from the public sources:
// the region list (<code>_STAT.DAT), the point list (<code>_WPNT.DAT) and
// the monthly records (<code>_MONT.DAT, record k - 1 = point k).
//
// Region list columns: 1 name (romanised, upper case), 2 code, 3 JIS
// prefecture number, 4 area (地方), 5 number of the region's first point,
// 6 number of its points, 7 display name. The display name is the last column.
//
// Point list columns: 1 name (romanised, upper case), 2 region code, 3 region
// number, 4 number of the point inside its region, 5 latitude and 6 longitude
// in decimal degrees, 7 elevation in m (-9999: not in the sources), 8 number
// of the hourly standard year the point is derived from (0: none), 9 the
// sources used, added up (1 temperature and precipitation normals, 2
// radiation normals, 4 hourly standard year), 10 point code (JMA station
// number), 11 display name. Points of one region are consecutive.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "weather/MonthlyRecord.h"

namespace kondra {

struct WeatherTable {
  std::vector<int> widths;                     // CP932 bytes per column
  std::vector<std::vector<std::string>> rows;  // UTF-8 cells, column 1 first
};

// True when every cell is CP932 text without TAB or line break that fits its
// column; otherwise the message names the table, row, column and value.
bool CheckWeatherTable(const WeatherTable& table, std::string_view tableName, std::string& error);

struct WeatherSet {
  WeatherTable regions;
  WeatherTable points;
  std::vector<MonthlyRecordData> records;
  std::vector<std::string> notes;  // remarks on the derivation, for the build log
};

inline constexpr std::string_view kJapanCountryCode = "JPN";

// The sources of a point, added up in point-list column 9.
inline constexpr int kPointSourceNormals = 1;
inline constexpr int kPointSourceRadiation = 2;
inline constexpr int kPointSourceHourly = 4;

// Reads the sources below `sourcesDir` (a program folder path:
// jma-normals\normals.csv, jma-normals\jma_normals.json,
// pyhees\climateData_1..8.csv) and builds the country's lists and records.
bool BuildJapanWeather(const std::string& sourcesDir, WeatherSet& set, std::string& error);

// The bytes of the monthly file: every record in point order.
bool MonthlyFileBytes(const WeatherSet& set, std::string& bytes, std::string& error);

}  // namespace kondra
