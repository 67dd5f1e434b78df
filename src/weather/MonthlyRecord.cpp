#include "weather/MonthlyRecord.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "env/Cp932.h"

namespace kondra {

namespace {

void PutSingle(std::string& bytes, int offset, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

float GetSingle(std::string_view bytes, int offset) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i)
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return std::bit_cast<float>(bits);
}

bool PutText(std::string& bytes, int offset, int max, const std::string& text, const char* field,
             std::string* error) {
  std::string cp932;
  std::string bad;
  if (!ToCp932(text, cp932, &bad)) {
    if (error) *error = std::string(field) + " \"" + text + "\" has a character without a Shift-JIS form: " + bad;
    return false;
  }
  if (static_cast<int>(cp932.size()) > max) {
    if (error)
      *error = std::string(field) + " \"" + text + "\" is " + std::to_string(cp932.size()) +
               " bytes long; the record holds " + std::to_string(max);
    return false;
  }
  bytes[offset] = static_cast<char>(cp932.size());
  std::memcpy(bytes.data() + offset + 1, cp932.data(), cp932.size());
  return true;
}

bool GetText(std::string_view bytes, int offset, int max, std::string& text, const char* field,
             std::string* error) {
  int len = static_cast<unsigned char>(bytes[offset]);
  if (len > max) len = max;
  if (!FromCp932(bytes.substr(offset + 1, len), text)) {
    if (error) *error = std::string(field) + " is not Shift-JIS text";
    return false;
  }
  return true;
}

}  // namespace

MonthlyRecordData::MonthlyRecordData() {
  for (auto& item : values) item.fill(kMonthlyAbsent);
}

bool MonthlyRecordData::HasItem(int item) const {
  for (float v : values[item - 1])
    if (v != kMonthlyAbsent) return true;
  return false;
}

bool EncodeMonthlyRecord(const MonthlyRecordData& record, std::string& bytes, std::string* error) {
  std::string out(kMonthlyRecordSize, '\0');
  if (!PutText(out, kRecordNameOffset, kRecordNameMax, record.name, "point name", error)) return false;
  if (!PutText(out, kRecordCodeOffset, kRecordCodeMax, record.code, "point code", error)) return false;
  PutSingle(out, kRecordLatitudeOffset, record.latitude);
  PutSingle(out, kRecordLongitudeOffset, record.longitude);
  PutSingle(out, kRecordElevationOffset, record.elevation);
  PutSingle(out, kRecordHeightOffset, record.height);
  PutSingle(out, kRecordHighestOffset, record.highest);
  PutSingle(out, kRecordLowestOffset, record.lowest);
  for (int item = 1; item <= kWeatherItemCount; ++item)
    for (int column = 1; column <= kMonthlyColumns; ++column)
      PutSingle(out, MonthlyValueOffset(item, column), record.Value(item, column));
  bytes = std::move(out);
  return true;
}

bool DecodeMonthlyRecord(std::string_view bytes, MonthlyRecordData& record, std::string* error) {
  if (bytes.size() < static_cast<std::size_t>(kMonthlyRecordSize)) {
    if (error)
      *error = "a monthly record needs " + std::to_string(kMonthlyRecordSize) + " bytes, got " +
               std::to_string(bytes.size());
    return false;
  }
  MonthlyRecordData r;
  if (!GetText(bytes, kRecordNameOffset, kRecordNameMax, r.name, "point name", error)) return false;
  if (!GetText(bytes, kRecordCodeOffset, kRecordCodeMax, r.code, "point code", error)) return false;
  r.latitude = GetSingle(bytes, kRecordLatitudeOffset);
  r.longitude = GetSingle(bytes, kRecordLongitudeOffset);
  r.elevation = GetSingle(bytes, kRecordElevationOffset);
  r.height = GetSingle(bytes, kRecordHeightOffset);
  r.highest = GetSingle(bytes, kRecordHighestOffset);
  r.lowest = GetSingle(bytes, kRecordLowestOffset);
  for (int item = 1; item <= kWeatherItemCount; ++item)
    for (int column = 1; column <= kMonthlyColumns; ++column)
      r.Value(item, column) = GetSingle(bytes, MonthlyValueOffset(item, column));
  record = std::move(r);
  return true;
}

float ToDegMin(double degrees) {
  const double sign = degrees < 0 ? -1.0 : 1.0;
  const double a = std::fabs(degrees);
  double whole = std::floor(a);
  double minutes = std::round((a - whole) * 60.0);
  if (minutes >= 60.0) {
    whole += 1.0;
    minutes -= 60.0;
  }
  return static_cast<float>(sign * (whole + minutes / 100.0));
}

double FromDegMin(float degMin) {
  const double v = degMin;
  const double sign = v < 0 ? -1.0 : 1.0;
  const double a = std::fabs(v);
  const double whole = std::floor(a + 1e-9);
  const double minutes = std::round((a - whole) * 100.0);
  return sign * (whole + minutes / 60.0);
}

}  // namespace kondra
