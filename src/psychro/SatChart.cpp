#include "psychro/SatChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "env/Cp932.h"
#include "env/Numbers.h"
#include "env/Text.h"
#include "psychro/Psychro.h"

namespace kondra {

namespace {

constexpr float kTotalPressureMmHg = 760.0f;

bool UsesHPa(std::string_view unit) { return unit == kUnitHPa || unit == kUnitMb; }

float ClampedTemp(double value) {
  float t = static_cast<float>(value);
  ClampTemp(t);
  return t;
}

}  // namespace

const std::array<SatPreset, 4> kSatPresets = {{
    {"初期設定(0～30℃)", 0, 30, 0, 30},
    {"結露判定(5～25℃)", 5, 25, 0, 20},
    {"通常範囲(-20～40℃)", -20, 40, 0, 50},
    {"全体範囲(-50～100℃)", -50, 100, 0, 30},
}};

float SatValueIn(std::string_view unit, float t) {
  const float e = SatPressMmHg(t);
  if (unit == kUnitMmHg) return e;
  if (UsesHPa(unit)) return static_cast<float>(e * 1.33322);
  if (unit == kUnitGm3) return AbsHumidity(e, t);
  if (unit == kUnitGkg) return e < kTotalPressureMmHg ? static_cast<float>(HumidityRatio(e) * 1000.0) : kNoValue;
  return 0;
}

std::string FieldText(int m, int d, float value) {
  const std::string dash = PadLeft("-", m);
  if (!std::isfinite(value) || value == kNoValue) return dash;
  for (int decimals = d; decimals >= 0; --decimals) {
    std::string text = FormatSingle(0, decimals, value);
    // A negative value that rounds to zero.
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    if (MBWidth(text) <= m) return PadLeft(text, m);
  }
  return dash;
}

std::string QuantityNameOf(std::string_view unit) {
  if (unit == kUnitGm3) return "水蒸気量";
  if (unit.find("g/kg") != std::string_view::npos) return "絶対湿度";
  return "水蒸気分圧";
}

bool IsRatioUnit(std::string_view unit) { return unit.find("/kg") != std::string_view::npos; }

int32_t TempStepOf(int32_t span) {
  if (span >= 1 && span <= 25) return 1;
  if (span >= 26 && span <= 50) return 2;
  if (span >= 51 && span <= 60) return 5;
  return 10;
}

int32_t HumStepOf(int32_t span) {
  if (span >= 1 && span <= 25) return 1;
  if (span >= 26 && span <= 50) return 2;
  if (span >= 51 && span <= 100) return 5;
  if (span >= 101 && span <= 200) return 10;
  if (span >= 201 && span <= 400) return 20;
  return 50;
}

int32_t RoundEven(double value) {
  if (std::isnan(value)) return 0;
  value = std::clamp(value, -1e9, 1e9);
  return static_cast<int32_t>(std::nearbyint(value));
}

GlassLook GlassFor(float relHum) {
  const int32_t h = RoundEven(relHum);
  if (h == 0) return {GlassPicture::Empty, 0};
  if (h >= 1 && h <= 100) return {GlassPicture::Filled, RoundEven((100.0 - relHum) * 0.71) + 4};
  return {GlassPicture::Overflowing, 0};
}

// ---------------------------------------------------------------- the state

SatChart::SatChart() {
  FromTempHum();
  ComputeSpans();
  FillSatTable();
  TakeReference();
}

float SatChart::SatAt(int32_t t) const {
  t = std::clamp(t, kSatTableMin, kSatTableMax);
  return SatTable[static_cast<std::size_t>(t - kSatTableMin)];
}

void SatChart::FillSatTable() {
  for (int32_t t = kSatTableMin; t <= kSatTableMax; ++t)
    SatTable[static_cast<std::size_t>(t - kSatTableMin)] = SatValue(static_cast<float>(t));
}

void SatChart::FromTempHum() {
  CurSatAmount = SatValue(CurTemp);
  CurAmount = AmountAt(CurRelHum);
  CurDewPoint = DewPointTemp(CurTemp, CurRelHum);
}

void SatChart::FromDewPoint() {
  CurSatAmount = SatValue(CurTemp);
  CurRelHum = RelHumFromDewPoint(CurTemp, CurDewPoint);
  CurAmount = AmountAt(CurRelHum);
}

void SatChart::FromMouse(int32_t x, int32_t y) {
  CurTemp = static_cast<float>(TempMin + (TempMax - TempMin) * static_cast<double>(x) / kSatChartSize);
  CurAmount = static_cast<float>(HumMax - (HumMax - HumMin) * static_cast<double>(y) / kSatChartSize);
  CurSatAmount = SatValue(CurTemp);
  // A unit the program does not know has no saturation values: no humidity.
  // Above the boiling point no humidity ratio saturates the air.
  CurRelHum = CurSatAmount != 0 && CurSatAmount != kNoValue
                  ? static_cast<float>(CurAmount / static_cast<double>(CurSatAmount) * 100.0)
                  : 0.0f;
  CurDewPoint = DewPointTemp(CurTemp, CurRelHum);
}

void SatChart::SetDefaultHumRange() {
  const double e = SatPressMmHg(TempMax);
  HumMin = 0;
  HumMax = static_cast<float>(RoundEven(UsesHPa(HumUnit) ? e * 1.33322 : e));
  // Below about -40 °C the pressure rounds to 0; the chart still needs a
  // range to divide by.
  if (HumMax <= HumMin) HumMax = HumMin + 1;
}

void SatChart::ComputeSpans() {
  TempSpan = RoundEven(static_cast<double>(TempMax) - TempMin);
  HumSpan = RoundEven(static_cast<double>(HumMax) - HumMin);
  TempStep = TempStepOf(TempSpan);
  HumStep = HumStepOf(HumSpan);
}

EntryResult SatChart::ApplyEntry(int tag, double value, const std::string& text) {
  float v = static_cast<float>(value);
  switch (tag) {
    case kTagTempMin:
    case kTagTempMax:
    case kTagTemp:
    case kTagDewPoint:
      v = ClampedTemp(value);
      break;
    default:
      break;
  }
  switch (tag) {
    case kTagUnit:
      if (TrimBoth(text).empty()) return EntryResult::Refused;
      HumUnit = TrimBoth(text);
      FromTempHum();
      SetDefaultHumRange();
      return EntryResult::Range;
    case kTagTempMin:
      if (v >= TempMax) return EntryResult::Refused;
      TempMin = v;
      HumMin = 0;
      SetDefaultHumRange();
      return EntryResult::Range;
    case kTagTempMax:
      if (v <= TempMin) return EntryResult::Refused;
      TempMax = v;
      HumMax = 0;
      SetDefaultHumRange();
      return EntryResult::Range;
    case kTagHumMin:
      if (v < 0 || v > 1030 || v >= HumMax) return EntryResult::Refused;
      HumMin = v;
      return EntryResult::Range;
    case kTagHumMax:
      if (v < 0 || v > 1030 || v <= HumMin) return EntryResult::Refused;
      HumMax = v;
      return EntryResult::Range;
    case kTagTemp:
      CurTemp = v;
      FromTempHum();
      return EntryResult::State;
    case kTagRelHum:
      if (v < 0 || v > 100) return EntryResult::Refused;
      CurRelHum = v;
      FromTempHum();
      return EntryResult::State;
    case kTagDewPoint:
      CurDewPoint = v;
      FromDewPoint();
      return EntryResult::State;
    default:  // the amount follows from the state; it is not an input
      return EntryResult::Refused;
  }
}

void SatChart::ApplyPreset(int index) {
  if (index < 0 || index >= static_cast<int>(kSatPresets.size())) return;
  const SatPreset& p = kSatPresets[static_cast<std::size_t>(index)];
  TempMin = p.tempMin;
  TempMax = p.tempMax;
  HumMin = p.humMin;
  HumMax = p.humMax;
}

bool SatChart::ZoomTo(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 == x2 || y1 == y2) return false;
  const double oldTempMin = TempMin, oldHumMax = HumMax;
  const double size = kSatChartSize;
  TempMin = static_cast<float>(RoundEven(oldTempMin + (TempMax - oldTempMin) * x1 / size));
  TempMax = static_cast<float>(RoundEven(oldTempMin + (TempMax - oldTempMin) * x2 / size));
  HumMax = static_cast<float>(RoundEven(oldHumMax - (oldHumMax - HumMin) * y1 / size));
  HumMin = static_cast<float>(RoundEven(oldHumMax - (oldHumMax - HumMin) * y2 / size));
  if (TempMin == TempMax) TempMax = TempMin + 1;
  if (HumMin == HumMax) HumMax = HumMin + 1;
  return true;
}

TPoint SatChart::StatePoint() const {
  return {RoundEven((static_cast<double>(CurTemp) - TempMin) * kSatChartSize / (static_cast<double>(TempMax) - TempMin)),
          RoundEven((static_cast<double>(HumMax) - CurAmount) * kSatChartSize / (static_cast<double>(HumMax) - HumMin))};
}

float SatChart::AmountAt(float relHum) const {
  if (CurSatAmount == kNoValue) return kNoValue;
  return static_cast<float>(CurSatAmount * relHum * 0.01);
}

SatStateView SatChart::StateView() const {
  SatStateView v;
  v.temp = FieldText(6, 1, CurTemp);
  const bool hasDewPoint = CurDewPoint > kNoValue;
  // Dry air has no dew point: a dash, never the marker value itself.
  v.dewPoint = hasDewPoint ? FieldText(6, 1, CurDewPoint) : "   －";
  if (CurRelHum > 100) {
    v.relHum = v.amount = CurTemp >= 0 ? "   水" : "   氷";
    v.dewPoint = "   －";
    v.enabled = false;
    v.colour = CurTemp >= 0 ? 156 : 124;
  } else {
    v.relHum = FieldText(6, 0, CurRelHum);
    v.amount = FieldText(6, CurAmount >= 100 ? 1 : 2, CurAmount);
    v.enabled = true;
    v.colour = 15;
  }
  v.amountCaption = CurRelHum == 100 ? "飽和" + QuantityName() : QuantityName();
  v.noteVisible = CurTemp > 50;
  v.dewPointHint = TrimLeft(v.temp) + "℃、" + TrimLeft(v.relHum) + "％" + "の時に結露する温度です。";
  v.tempUpDown = RoundEven(CurTemp);
  v.relHumUpDown = RoundEven(CurRelHum);
  v.dewPointUpDown = hasDewPoint ? RoundEven(CurDewPoint) : kSatTableMin;
  return v;
}

TPoint SatChart::GlassSize() const {
  double ratio = RefSatAmount > 0 ? static_cast<double>(CurSatAmount) / RefSatAmount : 0.0;
  ratio = std::clamp(ratio, 0.0, 2.0);
  return {RoundEven(ratio * 169), RoundEven(ratio * 209)};
}

std::string SatChart::MarkHeading() const {
  const int blanks = std::max(0, 6 - MBWidth(HumUnit));
  return "  No    ﾟC     %" + std::string(static_cast<std::size_t>(blanks), ' ') + HumUnit + "  DPﾟC";
}

std::string SatChart::MarkLine(int32_t number) const {
  return FormatInt(4, number) + FieldText(6, 1, CurTemp) + FieldText(6, 1, CurRelHum) + FieldText(6, 1, CurAmount) +
         FieldText(6, 1, CurDewPoint);
}

std::string SatChart::LegendText() const { return IsRatioUnit(HumUnit) ? "比較湿度 (％)" : "相対湿度 (％)"; }
std::string SatChart::RelHumCaption() const { return IsRatioUnit(HumUnit) ? "比較湿度※" : "相対湿度※"; }
std::string SatChart::AxisTitle() const { return QuantityName() + " (" + HumUnit + ")"; }
std::string SatChart::HumRangeCaption() const { return "湿度範囲(" + HumUnit + ")"; }

std::string SatChart::Caption(std::string_view caption) const {
  const std::size_t at = caption.find("曲線");
  return QuantityName() + std::string(at == std::string_view::npos ? std::string_view() : caption.substr(at));
}

// ---------------------------------------------------------------- the report

int32_t SatReportStep(int32_t span) {
  const int32_t rows = std::max(span, 0) + 1;
  return rows / 35 + (rows % 35 != 0 ? 1 : 0);
}

std::vector<std::string> SatReportLines(const SatChart& chart) {
  std::vector<std::string> lines;
  const int32_t span = RoundEven(static_cast<double>(chart.TempMax) - chart.TempMin);
  const int32_t step = SatReportStep(span);
  const int32_t first = RoundEven(chart.TempMin);
  for (int32_t k = 0; k * step <= span; ++k) {
    const int32_t t = std::min(first + k * step, kSatTableMax);
    std::string line = FormatPrintf("  %5.1f   ", static_cast<double>(t));
    for (int n = 10; n >= 1; --n)
      line += chart.SatAt(t) == kNoValue ? "       -"
                                         : FormatPrintf(" %7.2f", n * static_cast<double>(chart.SatAt(t)) * 0.1);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string SatReportTitle(float tempMin, float tempMax) {
  return FormatPrintf("飽和水蒸気曲線　（%.0f℃～%.0f℃）", static_cast<double>(tempMin), static_cast<double>(tempMax));
}

std::string SatReportUnitLine(std::string_view unit) { return "単位 (" + std::string(unit) + ")"; }

std::string SatReportNote(float tempMax) {
  return tempMax > 50 ? "※計算式の関係上５０℃以上は計算精度が落ちます。" : "　";
}

}  // namespace kondra
