#include "calc/LayerRecord.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "env/Messages.h"
#include "env/Text.h"

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

// Derived values: the layout's decimals unless they lose more than half.
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

// The fewest decimals whose text reads back as exactly `value`; one more
// than the most the writer knows when none does.
int SignificantDecimals(float value) {
  for (int d = 0; d <= kMaxDecimals; ++d)
    if (TextToSingle(FixedDecimalText(value, d)) == value) return d;
  return kMaxDecimals + 1;
}

// The most decimals at which `value` still fits `width` bytes; -1 when it
// fits at none.
int Room(float value, int width) {
  for (int d = kMaxDecimals; d >= 0; --d)
    if (static_cast<int>(FixedDecimalText(value, d).size()) <= width) return d;
  return -1;
}

// Entered values: every significant digit the field has room for.
int Keep(float value, int d, int width) {
  if (!std::isfinite(value)) return d;
  const int room = Room(value, width);
  if (room < 0) return d;  // too wide at any precision: the writer refuses it
  const int want = std::max(d, SignificantDecimals(value));
  if (want <= room) return want;
  if (room <= d) return room;
  // The field is full before the value is: the decimals it holds, without
  // the zeros that say nothing beyond the layout's own.
  const std::string text = FixedDecimalText(value, room);
  int used = room;
  while (used > d && text[text.size() - 1 - static_cast<std::size_t>(room - used)] == '0') --used;
  return used;
}

bool IsDerived(const TSLDT_NSV5& record, int field) {
  return (field == 3 && record.Value[2] != 0) || (field == 5 && record.Value[4] != 0);
}

const char* const kFieldNames[] = {"", "厚さ", "熱伝導率", "熱抵抗", "透湿率", "透湿抵抗"};

// The value as entered, for a message.
std::string EnteredText(float value) {
  const int d = SignificantDecimals(value);
  if (d <= kMaxDecimals) return FixedDecimalText(value, d);
  char buf[48];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : FixedDecimalText(value, kMaxDecimals);
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
  for (std::size_t i = 0; i < values.size(); ++i)
    out += static_cast<char>('0' + Keep(values[i], DigitAt(decimals, i), width));
  return out;
}

std::string LayerRecordDecimals(const TSLDT_NSV5& record, std::string_view decimals) {
  constexpr int kWidth = 8;
  std::string out;
  for (int field = 1; field <= 5; ++field) {
    const float value = record.Value[static_cast<std::size_t>(field)];
    const int d = DigitAt(decimals, static_cast<std::size_t>(field - 1));
    int used = d;
    if (!std::isfinite(value))
      used = d;
    else if (IsDerived(record, field))
      used = Fit(value, d, kWidth);
    else
      used = Keep(value, d, kWidth);
    out += static_cast<char>('0' + used);
  }
  return out;
}

std::vector<LayerValueLoss> LayerValueLosses(const TSLDT_NSV5& record, std::string_view decimals) {
  std::vector<LayerValueLoss> losses;
  for (int field = 1; field <= 5; ++field) {
    const float value = record.Value[static_cast<std::size_t>(field)];
    if (!std::isfinite(value) || IsDerived(record, field)) continue;
    const std::string written = FixedDecimalText(value, DigitAt(decimals, static_cast<std::size_t>(field - 1)));
    if (TextToSingle(written) != value) losses.push_back({field, value, written});
  }
  return losses;
}

bool WriteLayerRecord(RecordStore& store, int32_t label, std::string_view decimals) {
  const std::string used = LayerRecordDecimals(SLDT_NSV5, decimals);
  const TSLDT_NSV5 record = SLDT_NSV5;
  if (!Write_NSV5(store, label, used)) return false;
  for (const LayerValueLoss& loss : LayerValueLosses(record, used))
    StatusMsg(std::to_string(label - kLayerBaseLabel) + "層目〔" + record.Name + "〕の" + kFieldNames[loss.field] + " " +
              EnteredText(loss.value) + " は8桁の欄に収まらないため " + loss.written + " として記録しました。");
  return true;
}

}  // namespace kondra
