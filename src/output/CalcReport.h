// The texts of the calculation report: one A4 page with the conditions, the
// layer construction, the results by boundary and the judgement of a
// calculation, in the current unit system.
//
// The report's numbers are written in fixed printf formats (the field width
// and decimals of each column, zero with its decimals), not by the zero rule
// of the main window's tables. "%-12s" and "%8s" count CP932 bytes, so a
// name longer than 12 bytes pushes the rest of its row to the right.
#pragma once

#include <array>
#include <string>

#include "calc/CalcState.h"

namespace kondra {

struct CalcReportText {
  std::string unitMark;     // "【ＳＩ単位】" in SI units, else empty
  std::string title;        // "計算名   ： title  （W1.KDR）"
  std::string part;         // "部位名   ： part"
  std::string sideA;        // side A's name + its conditions
  std::string sideB;
  std::string kLine;        // K and R
  std::string pLine;        // P and Rv
  std::string layerCount;   // "壁体層数 ： n 層   全体厚さ …"
  std::string layerUnits;   // unit line under the layer table's head
  std::array<std::string, kMaxLayers + 1> layers{};   // [1..9]
  std::string total;        // "  合計(n層) …"
  std::string resultUnits;  // unit line under the result table's head
  std::array<std::string, kMaxBounds + 1> results{};  // [1..10]
  std::string judgement;    // "判定：…" and the condensation rate when there is one
  bool judgementRed = false;
  std::string surfaceNote;  // under the judgement: what a surface amount is (empty otherwise)
};

// The fixed lines of the page.
inline constexpr const char* kReportHeading = "roraridev　（計算結果）";
inline constexpr const char* kReportConditions = "【計算条件】";
inline constexpr const char* kReportResults = "【計算結果】";
inline constexpr const char* kReportJudgement = "【結露判定】";
inline constexpr const char* kReportLayerHead =
    "層№  材料名          厚さ      熱伝導率  熱抵抗    透湿率    透湿抵抗  ";
inline constexpr const char* kReportResultHead =
    "層№  材料名          厚さ      温度     飽和分圧  計算分圧  実在分圧    結露水量";
inline constexpr const char* kReportFigures =
    "〔図１〕壁体層構成図             〔図２〕結露線図(厚さ分割)       〔図３〕結露線図(透湿抵抗分割)";

// The texts for the calculation `s` (calculated), the file's name with its
// extension, in the current unit system.
CalcReportText BuildCalcReportText(const CalcState& s, const std::string& fileName);

// The mark texts of the boundaries [1..n + 1], eight bytes each: the flow
// mark and, at the condensation plane, the rate (6, 2); a downward mark
// stands at the boundary above its own.
std::array<std::string, kMaxBounds + 1> ReportMarks(const CalcState& s);

}  // namespace kondra
