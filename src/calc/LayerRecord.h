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
// The layer decimals keep ordinary values as they always were written, but
// two kinds of value would be damaged by them: a value that is not zero and
// would round to zero or lose most of its size (the vapour resistance 0.001
// of a surface row at 2 decimals is "0.00"; read back it stops every
// calculation), and a value too wide for its 8-byte field at its decimals
// (the writer refuses the whole record). Such a value is written with the
// decimals that keep it: as many more as the field holds (trailing zeros
// left out, so 0.001 is "   0.001"), or as few fewer as make it fit. Any
// reader of the format reads both, since every field carries its own point.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

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
// fields of `width` bytes: `decimals` itself for every value it writes
// faithfully, more decimals for a value that would lose most of its size,
// fewer for one that would not fit. One digit per value.
std::string KeepingDecimals(std::string_view decimals, std::span<const float> values, int width = 8);

// Writes the scratch layer record SLDT_NSV5 as label, its values at
// KeepingDecimals(decimals, Value[1..5]). False when the writer refused.
bool WriteLayerRecord(RecordStore& store, int32_t label, std::string_view decimals = kLayerDecimals);

}  // namespace kondra
