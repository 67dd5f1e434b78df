// What the user reads of a calculation: the K and P values, the side vapour
// pressures and dew points, result table A (by boundary) and B (by layer),
// the judgement, the advice and the messages explaining the SI factors.
// The same texts for the main window, the report and kondra-cli.
//
// Values are shown in the current unit system (env/Units.h): pressures
// times 133.322 in SI units, layer properties times UnitFactor[1..4]. A
// number is written right-aligned in w characters with d decimals, 0 as a
// bare "0" (FormatSingle of env/Numbers.h), written (w, d) below.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/CalcState.h"
#include "calc/Diagram.h"

namespace kondra {

inline constexpr float kPascalPerMmHg = 133.322f;
// K or P of a construction without resistance.
inline constexpr const char* kNoValueText = "       -  ";

// 133.322 in SI units, else 1.
float PressureFactor();

// K = λ-factor / total thermal resistance, (9, 3).
std::string KValueText(const CalcState& s = Calc);
// P = p-factor / total vapour resistance, (9, 1) in SI units, (9, 4) otherwise.
std::string PValueText(const CalcState& s = Calc);
// Side 1 (A) or 2 (B): vapour pressure (7, 0) in SI units, (7, 2) otherwise;
// dew point (6, 1), "    - " for dry air.
std::string SideVapPressText(int side, const CalcState& s = Calc);
std::string SideDewPointText(int side, const CalcState& s = Calc);
// The two vapour-pressure texts are equal (no vapour flow; shown in red).
bool SidePressuresEqual(const CalcState& s = Calc);

// The property grid of the input display, row k (1 … 9) of the open
// calculation: λ, r, p, rv times their unit factor, 9 wide, with the
// decimals the layer record was written with (p with 3 and rv with 6 in SI
// units, widened to three significant digits, or "4.80E-07" where 9
// characters hold no more); a value that is not zero never shows as zero; a
// zero leaves the cell empty, except that r shows "    0.000" beside a λ.
// Reads the record from CalcStore and the values from `s`.
std::array<std::string, 4> LayerPropertyCells(int k, const CalcState& s = Calc);
// The thickness cell, 10 wide with the decimals of the record (at least 1),
// empty for 0.
std::string LayerThicknessCell(int k, const CalcState& s = Calc);

// The look of every layer row in the section picture: the colour (column 11)
// and pattern (column 12) of its material in 材料物性.DAT, found by name
// (loads the file). Rows whose material is not found keep the background.
LayerLooks MaterialLooks(const CalcState& s = Calc);

// A result table of five columns: titles and one row of cell texts per
// boundary (A, rows 1 … n + 1) or per layer (B, rows 1 … n); rows[0] is row 1.
inline constexpr int kResultColumns = 5;
using ResultRow = std::array<std::string, kResultColumns>;
struct ResultTable {
  ResultRow titles;
  std::vector<ResultRow> rows;
};

// Table A: temperature (9, 1); saturation, calculated and actual pressure
// (9, 0) in SI units, (9, 2) otherwise; in column 4 the marks: " " + mark,
// followed at the condensation plane by CondRate (7, 2). A downward mark
// ("▽", "▼") stands in the row above its boundary, whose own cell is cleared;
// an upward one ("△", "▲") in its own row; later rows overwrite earlier ones.
ResultTable TableA(const CalcState& s = Calc);
// Table B: Σ thickness (9, 1); r and Σ r (9, 3); rv and Σ rv (9, 5) in SI
// units, (9, 3) otherwise. Needs Cumulative as prepared.
ResultTable TableB(const CalcState& s = Calc);

// Captions of the two result displays.
struct ResultCaptions {
  const char* table;    // the table's group box
  const char* diagram;  // the diagram's group box
  const char* status;   // the status bar
};
inline constexpr ResultCaptions kTableACaptions = {"【計算結果Ａ】", "【結露線図】 厚さ",
                                                   "〔計算結果Ａ表示〕 : Ｘ軸を厚さ分割で表示"};
inline constexpr ResultCaptions kTableBCaptions = {"【計算結果Ｂ】", "【結露線図】 透湿抵抗",
                                                   "〔計算結果Ｂ表示〕 : Ｘ軸を透湿抵抗分割で表示"};
// Palette colours of the legend above table A (temperature, saturation,
// calculated, actual), each above its column.
inline constexpr std::array<int32_t, 4> kLegendColours = {9, 10, 14, 12};

// The judgement panel.
struct Judgement {
  bool condensation = false;  // CondPlane ≠ 0
  bool freezing = false;      // … and the plane is below 0 °C
  std::string text;           // "結露なし", "<…>と<…>間で内部結露発生", …
  std::string panel;          // "判定：" + text + "(結氷)" when freezing
  int32_t colour = 12;        // palette colour: 9 with condensation, 12 without
};
Judgement Judge(const CalcState& s = Calc);

// A condensation plane on a surface boundary: the boundary between an α row
// and its neighbour (CondPosition 'L' or 'R' in a well-formed construction).
// The amount found there comes from the conventional vapour resistance of
// the α rows (0.001), far below any real surface moisture resistance, so it
// is no physical rate; the surface figures say what the surface risks.
bool SurfacePlane(const CalcState& s = Calc);
// The short caption of such an amount ("表面結露") and the remark shown with
// it wherever it is shown; both empty when the plane is not on a surface.
inline constexpr const char* kSurfaceAmountCaption = "表面結露";
inline constexpr const char* kSurfaceAmountNote =
    "※表面結露量はα行の慣用の透湿抵抗による計算値で、実際の結露速度ではありません（【表面結露・カビの判定】参照）。";
std::string SurfaceAmountNote(const CalcState& s = Calc);
// The main window's short line beside the conditions; the note itself comes
// with the advice when the judgement is clicked.
inline constexpr const char* kSurfaceAmountHint = "※表面結露量は計算上の値です（判定欄をクリック）";

// The layers upstream and downstream of the condensation plane in the
// direction of vapour flow (rows c and c − 1 when vapour comes from side B,
// else c − 1 and c); 0 without a plane.
int UpstreamRow(const CalcState& s = Calc);
int DownstreamRow(const CalcState& s = Calc);

// The advice shown when the judgement is clicked: "【結露防止対策】", two line
// breaks and the advice for the plane's position. Empty without condensation.
std::string AdviceText(const CalcState& s = Calc);

// What a click on a unit label or column title explains.
enum class FactorItem { SidePressure, KValue, PValue, Column0, Column1, Column2, Column3 };
// "ＳＩ単位系への換算係数", two line breaks and the factor text. `caption` is
// the clicked label's caption (K and P titles) or the column's title
// (leading blanks are removed); the side pressures need none.
std::string SIFactorMessage(FactorItem item, std::string_view caption = {});

}  // namespace kondra
