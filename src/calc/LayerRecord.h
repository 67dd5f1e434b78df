// The labels of a calculation file and how its number records are written.
//
//   1101 <SS1>   title (60 bytes)
//   1102 <VV8>   side A: temperature °C, relative humidity %   (decimals "10------")
//   1103 <VV8>   side B: the same
//   1104 <NS2>   part class number and name, 0 and the class code ("V": vertical)
//   2101 … 2109 <NSV5>  layer row k = label − 2100: HeadText[2] colour number,
//                Number material number, Name material name (20 bytes),
//                Value[1..5] thickness mm, λ, r, p, rv      (decimals "13352")
//
// The layer decimals "13352" are the least a value gets. A value the user
// entered or took from 材料物性.DAT (the thickness, λ, p, and r or rv where
// no λ or p gives them) is written with as many more decimals as it has
// significant digits, up to what its 8-byte field holds, so that 0.000009,
// 0.0284, 0.1667 and a 0.15 mm film read back as they were. r and rv worked
// out from thickness and λ or p are derived again by every reader; they keep
// the layout's decimals unless these would lose more than half of the value
// (the vapour resistance 0.001 of a surface row is "0.001", not "0.00").
// A value too wide for its field at its decimals gets fewer. Every field
// carries its own point, so any reader of the layout reads all of them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/RecordStore.h"

namespace kondra {

inline constexpr int32_t kTitleLabel = 1101;
inline constexpr int32_t kSideALabel = 1102;
inline constexpr int32_t kSideBLabel = 1103;
inline constexpr int32_t kPartLabel = 1104;
inline constexpr int32_t kLayerBaseLabel = 2100;  // layer row k is label 2100 + k
inline constexpr int32_t kLayerRecords = 9;

inline constexpr const char* kConditionDecimals = "10------";
inline constexpr const char* kLayerDecimals = "13352";  // thickness 1, λ 3, r 3, p 5, rv 2

inline constexpr int kTitleBytes = 60;
inline constexpr int kPartNameBytes = 29;
inline constexpr int kLayerNameBytes = 20;
inline constexpr int kColorTextBytes = 4;

inline constexpr int32_t LayerLabel(int k) { return kLayerBaseLabel + k; }

// The text of a value at d decimals as the record writer writes it (rounded
// half away from zero; "0" digits kept).
std::string FixedDecimalText(float value, int decimals);

// The decimals text for writing `values` (one per float field, in order) in
// fields of `width` bytes, each value kept as entered: `decimals` itself
// where that writes the value faithfully, more decimals (up to the field's
// room) for a value with more significant digits, fewer for one that would
// not fit. One digit per value.
std::string KeepingDecimals(std::string_view decimals, std::span<const float> values, int width = 8);

// The decimals of each of the five layer values of `record` (thickness, λ,
// r, p, rv): KeepingDecimals for the entered ones, the layout's decimals for
// r and rv derived from a λ or p (widened only where those lose more than
// half of the value).
std::string LayerRecordDecimals(const TSLDT_NSV5& record, std::string_view decimals = kLayerDecimals);

// An entered layer value that its 8-byte field cannot hold: field 1 … 5,
// the value and the text written instead.
struct LayerValueLoss {
  int field = 0;
  float value = 0;
  std::string written;
};
std::vector<LayerValueLoss> LayerValueLosses(const TSLDT_NSV5& record, std::string_view decimals);

// Writes the scratch layer record SLDT_NSV5 as label at LayerRecordDecimals.
// A value that still cannot be kept is told in the status bar (row, name,
// value and what was written). False when the writer refused.
bool WriteLayerRecord(RecordStore& store, int32_t label, std::string_view decimals = kLayerDecimals);

}  // namespace kondra
