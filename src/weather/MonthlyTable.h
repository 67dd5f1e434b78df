// What the monthly weather display writes: the texts of its table of 36
// items by month and year, the station's labels, the explanation of a
// cell, and the numbers its charts take from the table text.
//
// Table: 15 columns x 37 rows. Row 0 holds the titles, rows 1..36 items
// 1..36 of the monthly record; column 0 the item name, column 1 its unit,
// columns 2..13 the months and column 14 the year. Values are shown in the
// unit system of the moment (env/Units.h): rows 6-8 and 13-21 are kcal
// quantities and are multiplied by UnitFactor[6] in SI units. A value the
// record does not hold (kMonthlyAbsent) is shown as "－" and is left out of
// the charts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "weather/MonthlyRecord.h"

namespace kondra {

inline constexpr int kTableCols = 15;
inline constexpr int kTableRows = 37;
inline constexpr int kTableYearCol = 14;
inline constexpr int kChartWidth = 10;  // bytes per cell in the chart lines
inline constexpr const char* kAbsentText = "－";

// Column titles of row 0.
const std::array<std::string, kTableCols>& TableTitles();
// Column widths in pixels.
const std::array<int, kTableCols>& TableColWidths();

// Rows whose values and unit are converted in SI units.
bool IsSIRow(int row);
// Decimals of a row's values: 1 for rows 1, 4, 5, 9-12, 23 and 24, else 0.
int RowDecimals(int row);
// Colour number of a row's value cells, or -1 for white.
int32_t RowColourNo(int row);

// A value cell: FormatSingle(6, decimals, value) in the unit system shown,
// "－" right-aligned in 6 bytes for an absent value.
std::string ValueCellText(int row, float value);
// The unit cell: the unit, in its SI form for an SI row in SI units.
std::string UnitCellText(int row, std::string_view unit);
// Whether a cell's text stands for an absent value ("－" or nothing).
bool IsAbsentCell(std::string_view text);

// The station labels. LBL3: latitude and longitude; LBL4: elevation and
// observation height; LBL5: the year's temperature extremes. Absent figures
// read "－".
std::string LatLongText(const MonthlyRecordData& record);
std::string ElevationText(const MonthlyRecordData& record);
std::string ExtremesText(const MonthlyRecordData& record);

// The box text that explains a table cell: the item's explanation line
// `explanation` (its unit in "（…）"; for the year column the first "月"
// reads "年"), then for a value cell a sentence such as
// "１月の平均気温は6.3 （℃）です。" built from the item name (column 0) and
// the cell text. Units are shown in the unit system of the moment. Empty
// for the title row.
std::string ExplainText(int col, int row, std::string_view explanation, std::string_view itemName,
                        std::string_view cellText);

// The rows of each chart, in series order (chart kinds 1..3).
std::string_view ChartRows(int kind);
// Month m (1..12) of a chart line (every table cell right-aligned in
// kChartWidth bytes); nothing for an absent value. The months are counted
// back from the end of the line, so a name or unit wider than its cell
// cannot shift them.
std::optional<float> ChartLineValue(std::string_view line, int month);

}  // namespace kondra
