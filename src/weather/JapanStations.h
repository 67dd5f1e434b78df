// The country list of the shipped weather data: the 47 prefectures as
// regions, the JMA staffed stations as points, and the hourly standard
// years with the points they belong to.
#pragma once

#include <span>
#include <string_view>

namespace kondra {

struct Prefecture {
  std::string_view code;     // our two-letter region code, "SZ"
  std::string_view name;     // romanised, upper case, "SHIZUOKA"
  std::string_view text;     // display name, "静岡県"
  int jisCode;               // JIS X 0401 prefecture number, 22
  std::string_view area;     // 地方, "中部"
};

struct StationPlace {
  int number;                // JMA station number, 47654
  std::string_view region;   // prefecture code, "SZ"
  std::string_view name;     // romanised, upper case, "HAMAMATSU"
};

// One hourly standard year (climateData_<file>.csv). A file that belongs to
// a normals station names its number; one that does not is a point of its
// own with the fields below.
struct HourlyPlace {
  int file;                  // 1..8 (the climate region of the energy standard)
  int number;                // JMA station number, or 0 for a point of its own
  std::string_view region;   // for a point of its own
  std::string_view name;
  std::string_view text;
  std::string_view code;
  double latitude;
  double longitude;
};

std::span<const Prefecture> Prefectures();      // in JIS order
std::span<const StationPlace> StationPlaces();  // every station of the normals
std::span<const HourlyPlace> HourlyPlaces();    // files 1..8

const Prefecture* FindPrefecture(std::string_view code);
const StationPlace* FindStationPlace(int number);

}  // namespace kondra
