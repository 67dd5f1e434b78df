// The monthly weather record: one fixed record of 1947 bytes per point in the
// country's monthly file (record k - 1 belongs to point k).
//
//   offset  size  content
//        0    18  point name, string[17] (length byte + 17 bytes); not read by
//                 the display, kept so that a record names its point
//       18     9  point code, string[8] (length byte + 8 bytes)
//       27     4  latitude, degrees + minutes / 100 (35.42 = 35°42')
//       31     4  longitude, same form
//       35     4  elevation, m
//       39     4  observation height, m
//       43     4  highest temperature of the year, °C
//       47     4  lowest temperature of the year, °C
//       51    24  reserved (zero)
//       75  1872  36 items x 13 singles, item-major: months 1..12, then the year
//
// Singles are 4-byte IEEE floats, little-endian. Strings are CP932 bytes.
// A value that the data do not give is kMonthlyAbsent.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kondra {

inline constexpr int kMonthlyRecordSize = 1947;
inline constexpr int kWeatherItemCount = 36;
inline constexpr int kMonthlyColumns = 13;  // 12 months, then the year
inline constexpr int kYearColumn = 13;      // 1-based column of the yearly value
inline constexpr float kMonthlyAbsent = -9999.0f;

inline constexpr int kRecordNameOffset = 0;
inline constexpr int kRecordNameMax = 17;
inline constexpr int kRecordCodeOffset = 18;
inline constexpr int kRecordCodeMax = 8;
inline constexpr int kRecordLatitudeOffset = 27;
inline constexpr int kRecordLongitudeOffset = 31;
inline constexpr int kRecordElevationOffset = 35;
inline constexpr int kRecordHeightOffset = 39;
inline constexpr int kRecordHighestOffset = 43;
inline constexpr int kRecordLowestOffset = 47;
inline constexpr int kRecordReservedOffset = 51;
inline constexpr int kRecordValuesOffset = 75;

struct MonthlyRecordData {
  std::string name;  // UTF-8; at most 17 CP932 bytes are stored
  std::string code;  // UTF-8; at most 8 CP932 bytes are stored
  float latitude = kMonthlyAbsent;   // degrees + minutes / 100
  float longitude = kMonthlyAbsent;  // degrees + minutes / 100
  float elevation = kMonthlyAbsent;
  float height = kMonthlyAbsent;
  float highest = kMonthlyAbsent;
  float lowest = kMonthlyAbsent;
  // values[item - 1][column - 1], item 1..36, column 1..13 (13 = the year).
  std::array<std::array<float, kMonthlyColumns>, kWeatherItemCount> values;

  MonthlyRecordData();

  float& Value(int item, int column) { return values[item - 1][column - 1]; }
  float Value(int item, int column) const { return values[item - 1][column - 1]; }
  // True when any of the item's 13 values is present.
  bool HasItem(int item) const;
};

// Byte offset of point pointNo's record in the monthly file (pointNo >= 1).
constexpr std::int64_t MonthlyRecordOffset(int pointNo) {
  return static_cast<std::int64_t>(pointNo - 1) * kMonthlyRecordSize;
}
// Byte offset, inside a record, of the single for item (1..36) and column (1..13).
constexpr int MonthlyValueOffset(int item, int column) {
  return kRecordValuesOffset + 52 * (item - 1) + 4 * (column - 1);
}

// The 1947 bytes of a record. Texts that CP932 cannot encode, or that are
// longer than their field, fail with a message naming the field.
bool EncodeMonthlyRecord(const MonthlyRecordData& record, std::string& bytes, std::string* error = nullptr);

// Reads a record from at least 1947 bytes. A length byte beyond its field is
// limited to the field; bytes that are not CP932 text fail.
bool DecodeMonthlyRecord(std::string_view bytes, MonthlyRecordData& record, std::string* error = nullptr);

// Degrees as the record stores them: 34.7533° -> 34.45 (34°45'), minutes rounded.
float ToDegMin(double degrees);
// The inverse: 34.45 -> 34.75°.
double FromDegMin(float degMin);

}  // namespace kondra
