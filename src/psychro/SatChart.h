// The saturation vapour-pressure curve tool without its window: the humidity
// units, the state of the air shown, the chart's ranges and grid steps, the
// entries the user makes and the numbered marks, and the table of the
// saturation curve report.
//
// The chart is a 350 × 350 pixel picture: x = 0 is TempMin and x = 350
// TempMax, y = 350 is HumMin and y = 0 HumMax. Every rounding here is to the
// nearest whole number, ties to even.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/Canvas.h"

namespace kondra {

inline constexpr int32_t kSatChartSize = 350;
// Whole degrees of the saturation table.
inline constexpr int32_t kSatTableMin = -50;
inline constexpr int32_t kSatTableMax = 100;
// Marks beyond this number are counted but not drawn.
inline constexpr int32_t kMaxDrawnMarks = 32;

// The humidity units, as the unit list 単位分圧.DAT spells them.
inline constexpr const char* kUnitGm3 = "g/m3";
inline constexpr const char* kUnitGkg = "g/kg'";
inline constexpr const char* kUnitMmHg = "mmHg";
inline constexpr const char* kUnitHPa = "hPa";
inline constexpr const char* kUnitMb = "mb";

// The saturated humidity amount at t °C in a unit: the saturation vapour
// pressure in mmHg, hPa or mb, the saturated absolute humidity in g/m3, the
// saturated humidity ratio in g/kg'; 0 for any other unit text. The humidity
// ratio exists only while the saturation pressure stays below the total
// pressure of 760 mmHg (below the boiling point); above it the value is
// kNoValue.
float SatValueIn(std::string_view unit, float t);
// A number for a field of width m with d decimals, as FormatSingle writes it,
// but never cut: a value too wide for the field loses decimals, and one that
// does not fit even without them (or kNoValue, or no number at all) shows as
// "-". A value that rounds to zero never shows a minus sign ("0.0", not
// "-0.0").
std::string FieldText(int m, int d, float value);
// "水蒸気量" for g/m3, "絶対湿度" for a unit with "g/kg", else "水蒸気分圧".
std::string QuantityNameOf(std::string_view unit);
// Units per kilogram of dry air give percentage saturation ("比較湿度")
// instead of relative humidity.
bool IsRatioUnit(std::string_view unit);

// Grid spacing in whole units for a span of the chart.
int32_t TempStepOf(int32_t span);
int32_t HumStepOf(int32_t span);

// Rounds to the nearest whole number, ties to even, held within ±10^9 so that
// a value far off the chart still gives a pixel.
int32_t RoundEven(double value);

// What an accepted entry changed.
enum class EntryResult { Refused, State, Range };

// The fixed preset ranges of the chart's menu, in menu order.
struct SatPreset {
  const char* caption;
  float tempMin, tempMax, humMin, humMax;
};
extern const std::array<SatPreset, 4> kSatPresets;

// Item codes (tags) of the tool's controls.
inline constexpr int kTagUnit = 1000;
inline constexpr int kTagTempMin = 1001;
inline constexpr int kTagTempMax = 1002;
inline constexpr int kTagHumMin = 1003;
inline constexpr int kTagHumMax = 1004;
inline constexpr int kTagTemp = 2001;
inline constexpr int kTagRelHum = 2002;
inline constexpr int kTagAmount = 2003;
inline constexpr int kTagDewPoint = 2004;

// How the state of the air is shown in the four state fields.
struct SatStateView {
  std::string temp, relHum, amount, dewPoint;
  bool enabled = true;          // false above saturation
  int32_t colour = 15;          // colour number of the four fields
  std::string amountCaption;    // QuantityName, "飽和" + it at exactly 100 %
  bool noteVisible = false;     // the accuracy note above 50 °C
  std::string dewPointHint;
  int32_t tempUpDown = 0, relHumUpDown = 0, dewPointUpDown = 0;
};

// The glass picture of the tool: its size and which picture at what level.
enum class GlassPicture { Empty, Filled, Overflowing };
struct GlassLook {
  GlassPicture picture = GlassPicture::Empty;
  // Rows of the empty glass copied over the top of the filled one.
  int32_t band = 0;
};
// h := round(relHum): 0 the empty glass; 1 … 100 the filled glass with a top
// band of round((100 − relHum) × 0.71) + 4 rows of the empty one; otherwise
// the overflowing glass.
GlassLook GlassFor(float relHum);

class SatChart {
 public:
  SatChart();

  std::string HumUnit = kUnitGm3;
  float TempMin = 0, TempMax = 30;
  float HumMin = 0, HumMax = 30;
  float CurTemp = 20;
  float CurRelHum = 50;
  float CurAmount = 0;
  float CurSatAmount = 0;
  float CurDewPoint = 0;
  float RefSatAmount = 0;
  std::array<float, kSatTableMax - kSatTableMin + 1> SatTable{};  // [t + 50]
  int32_t MarkCount = 0;
  TPoint MarkPoint;
  int32_t TempSpan = 0, HumSpan = 0;
  int32_t TempStep = 1, HumStep = 1;

  float SatValue(float t) const { return SatValueIn(HumUnit, t); }
  std::string QuantityName() const { return QuantityNameOf(HumUnit); }
  // SatTable[t] for a whole degree t, held within -50 … 100.
  float SatAt(int32_t t) const;
  void FillSatTable();

  // The state relations: after an entry of temperature or humidity, after an
  // entry of the dew point, and from a mouse position on the chart.
  void FromTempHum();
  void FromDewPoint();
  void FromMouse(int32_t x, int32_t y);

  // HumMin := 0, HumMax := the saturation pressure at TempMax (mmHg, or hPa
  // for "hPa" and "mb"), at least 1 so that the chart keeps a height.
  void SetDefaultHumRange();
  // TempSpan, HumSpan, TempStep, HumStep from the ranges.
  void ComputeSpans();
  // RefSatAmount := SatValue(TempMax).
  void TakeReference() { RefSatAmount = SatValue(TempMax); }

  // An entry in the field or combo with `tag` (an up-down enters its
  // position as the value of the field with its tag). Checks, applies, and
  // says whether the ranges (redraw everything) or only the state changed.
  EntryResult ApplyEntry(int tag, double value, const std::string& text = std::string());
  void ApplyPreset(int index);
  // The rubber band (x1, y1) – (x2, y2), corners ordered, as the new ranges.
  // False (nothing changed) when it has no width or no height.
  bool ZoomTo(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

  // The chart point of the state shown.
  TPoint StatePoint() const;
  // A mark can be made where the air is not above saturation.
  bool CanMark() const { return CurRelHum <= 100; }

  SatStateView StateView() const;
  // The amount at a relative humidity in the current unit (kNoValue where
  // the unit has no saturation value).
  float AmountAt(float relHum) const;
  // Size of the glass picture (stretched): ratio := CurSatAmount /
  // RefSatAmount, at most 2; round(ratio × 169) × round(ratio × 209).
  TPoint GlassSize() const;
  GlassLook Glass() const { return GlassFor(CurRelHum); }

  // The heading of the mark list and the list line of the state shown for a
  // mark number.
  std::string MarkHeading() const;
  std::string MarkLine(int32_t number) const;

  // "相対湿度 (％)" / "比較湿度 (％)", "相対湿度※" / "比較湿度※", the y
  // axis title and the humidity range caption.
  std::string LegendText() const;
  std::string RelHumCaption() const;
  std::string AxisTitle() const;
  std::string HumRangeCaption() const;
  // The window caption: QuantityName followed by the part of `caption` that
  // starts at "曲線".
  std::string Caption(std::string_view caption) const;
};

// The saturation curve report: one line per temperature, at most 35.
// step := (span + 1) div 35, plus 1 when (span + 1) mod 35 ≠ 0.
int32_t SatReportStep(int32_t span);
// "  %5.1f   " with the temperature, then " %7.2f" for 100 %, 90 %, … 10 %
// of the saturated amount.
std::vector<std::string> SatReportLines(const SatChart& chart);
std::string SatReportTitle(float tempMin, float tempMax);
std::string SatReportUnitLine(std::string_view unit);
// The accuracy note above 50 °C, else one full-width blank.
std::string SatReportNote(float tempMax);
inline constexpr const char* kSatReportHeading =
    "温度(℃)  湿度100%     90%     80%     70%     60%     50%     40%     30%     20%     10%";

}  // namespace kondra
