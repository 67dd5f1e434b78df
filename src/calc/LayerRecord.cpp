#include "calc/LayerRecord.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kondra {

namespace {

constexpr int kMaxDecimals = 9;

int DigitAt(std::string_view decimals, std::size_t i) {
  if (i >= decimals.size()) return 0;
  char c = decimals[i];
  return (c >= '0' && c <= '9') ? c - '0' : 0;
}

// The value the text of `value` at d decimals reads back as.
long double WrittenValue(float value, int d) {
  long double scale = std::pow(10.0L, d);
  return static_cast<long double>(std::llroundl(static_cast<long double>(value) * scale)) / scale;
}

int Fit(float value, int d, int width) {
  // More decimals for a value that would lose more than half of itself.
  if (value != 0) {
    long double v = value;
    if (std::fabs(WrittenValue(value, d) - v) > std::fabs(v) / 2) {
      int most = d;
      for (int more = d + 1; more <= kMaxDecimals; ++more)
        if (static_cast<int>(FixedDecimalText(value, more).size()) <= width) most = more;
      if (most > d) {
        std::string text = FixedDecimalText(value, most);
        int zeros = 0;
        while (zeros < most - d && text[text.size() - 1 - static_cast<std::size_t>(zeros)] == '0') ++zeros;
        return most - zeros;
      }
      return d;
    }
  }
  // Fewer decimals for a value too wide for its field.
  for (int fewer = d; fewer >= 0; --fewer)
    if (static_cast<int>(FixedDecimalText(value, fewer).size()) <= width) return fewer;
  return d;  // too wide at any precision: the writer refuses it
}

}  // namespace

std::string FixedDecimalText(float value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  if (!std::isfinite(value)) return std::string(40, '*');
  long double scaled = static_cast<long double>(value) * std::pow(10.0L, decimals);
  if (std::fabs(scaled) >= 1e18L) return std::string(40, '*');
  long long units = std::llroundl(scaled);
  const bool negative = units < 0;
  if (negative) units = -units;
  long long scale = 1;
  for (int k = 0; k < decimals; ++k) scale *= 10;
  char buf[48];
  if (decimals > 0)
    std::snprintf(buf, sizeof buf, "%s%lld.%0*lld", negative ? "-" : "", units / scale, decimals, units % scale);
  else
    std::snprintf(buf, sizeof buf, "%s%lld", negative ? "-" : "", units);
  return buf;
}

std::string KeepingDecimals(std::string_view decimals, std::span<const float> values, int width) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    int d = DigitAt(decimals, i);
    out += static_cast<char>('0' + (std::isfinite(values[i]) ? Fit(values[i], d, width) : d));
  }
  return out;
}

bool WriteLayerRecord(RecordStore& store, int32_t label, std::string_view decimals) {
  const std::string keep = KeepingDecimals(decimals, std::span<const float>(SLDT_NSV5.Value).subspan(1, 5));
  return Write_NSV5(store, label, keep);
}

}  // namespace kondra
