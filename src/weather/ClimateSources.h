// Readers of the public climate data the shipped weather statistics are made
// from (see data/weather/README.md for where each file comes from):
//
//  * normals.csv      JMA climate normals 1991-2020 of the staffed stations:
//                     monthly and annual mean temperature and precipitation.
//  * jma_normals.json monthly mean daily global horizontal radiation, MJ/(m2 day),
//                     for part of those stations.
//  * climateData_N.csv hourly standard years (Shift-JIS): temperature, humidity
//                     ratio, direct normal, diffuse horizontal and nocturnal
//                     radiation.
//
// Each reader checks the layout it relies on (column titles, counts, the
// order of the hours) and fails with a message naming the file and the line.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kondra {

struct NormalsStation {
  int number = 0;                      // JMA station number, 47654
  std::string name;                    // 浜松
  double latitude = 0;                 // decimal degrees
  double longitude = 0;
  std::array<float, 13> temperature{};    // °C, months 1..12, then the year
  std::array<float, 13> precipitation{};  // mm, months 1..12, then the year
};

struct RadiationNormals {
  int number = 0;  // JMA station number
  std::string name;
  std::array<float, 12> dailyMJ{};  // mean daily global horizontal radiation, MJ/(m2 day)
  bool marked = false;              // some monthly value carried a remark mark at the source
};

struct HourlyValues {
  int month = 0, day = 0, hour = 0;  // hour 1..24 (JST), the value centred on hh:00
  double temperature = 0;            // °C
  double humidityRatio = 0;          // kg/kg(DA)
  double directNormal = 0;           // W/m2, hourly mean
  double diffuseHorizontal = 0;      // W/m2, hourly mean
  double nocturnal = 0;              // W/m2, net long-wave loss of a horizontal surface
  double altitude = 0;               // degrees, as the file gives it (not used for geometry)
};

struct HourlyYear {
  std::vector<HourlyValues> hours;  // 8760, from 1 January hour 1 to 31 December hour 24
};

inline constexpr int kHoursPerYear = 8760;

bool ParseNormals(std::string_view utf8, const std::string& fileName, std::vector<NormalsStation>& stations,
                  std::string& error);
// Only stations with radiation values are returned.
bool ParseRadiationNormals(std::string_view utf8, const std::string& fileName,
                           std::vector<RadiationNormals>& stations, std::string& error);
bool ParseHourlyYear(std::string_view cp932, const std::string& fileName, HourlyYear& year, std::string& error);

// The same, reading the file first (program paths).
bool ReadNormals(const std::string& path, std::vector<NormalsStation>& stations, std::string& error);
bool ReadRadiationNormals(const std::string& path, std::vector<RadiationNormals>& stations, std::string& error);
bool ReadHourlyYear(const std::string& path, HourlyYear& year, std::string& error);

}  // namespace kondra
