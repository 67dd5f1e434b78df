#include "weather/MonthlyTable.h"

#include "env/Cp932.h"
#include "env/Numbers.h"
#include "env/Text.h"
#include "env/Units.h"

namespace kondra {

namespace {

const char* const kFullWidthDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

// 1..12 in full-width digits ("１" ... "１２").
std::string FullWidthNumber(int n) {
  std::string out;
  for (char c : std::to_string(n)) out += kFullWidthDigits[c - '0'];
  return out;
}

bool Absent(float value) { return value == kMonthlyAbsent; }

std::string AbsentIn(int width) { return PadLeft(kAbsentText, width); }

}  // namespace

const std::array<std::string, kTableCols>& TableTitles() {
  static const std::array<std::string, kTableCols> titles = {
      "  項  目", "単位※", "  １月", "  ２月", "  ３月", "  ４月", "  ５月", "  ６月",
      "  ７月",   "  ８月", "  ９月", "１０月", "１１月", "１２月", " 年 間"};
  return titles;
}

const std::array<int, kTableCols>& TableColWidths() {
  static const std::array<int, kTableCols> widths = {66, 44, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 43, 49};
  return widths;
}

bool IsSIRow(int row) { return (row >= 6 && row <= 8) || (row >= 13 && row <= 21); }

int RowDecimals(int row) {
  switch (row) {
    case 1:
    case 4:
    case 5:
    case 9:
    case 10:
    case 11:
    case 12:
    case 23:
    case 24:
      return 1;
    default:
      return 0;
  }
}

int32_t RowColourNo(int row) {
  switch (row) {
    case 1:
    case 24:
      return 164;
    case 6:
    case 7:
    case 8:
      return 168;
    case 9:
    case 11:
      return 176;
    case 10:
    case 12:
    case 23:
      return 187;
    case 13:
      return 201;
    default:
      return -1;
  }
}

std::string ValueCellText(int row, float value) {
  if (Absent(value)) return AbsentIn(6);
  if (SIUnits && IsSIRow(row)) value *= UnitFactor[6];
  return FormatSingle(6, RowDecimals(row), value);
}

std::string UnitCellText(int row, std::string_view unit) {
  if (SIUnits && IsSIRow(row)) return UnitText(unit);
  return std::string(unit);
}

bool IsAbsentCell(std::string_view text) {
  const std::string t = TrimBoth(text);
  return t.empty() || t == kAbsentText;
}

std::string LatLongText(const MonthlyRecordData& r) {
  auto degMin = [](float v) { return Absent(v) ? AbsentIn(7) : DegMinText(v); };
  return "(北)緯度  " + degMin(r.latitude) + "  (東)経度  " + degMin(r.longitude);
}

std::string ElevationText(const MonthlyRecordData& r) {
  const std::string elevation = Absent(r.elevation) ? AbsentIn(4) : FormatSingle(4, 0, r.elevation);
  const std::string height = Absent(r.height) ? AbsentIn(5) : FormatSingle(5, 1, r.height);
  return "標高 " + elevation + "m   観測高さ " + height + "m";
}

std::string ExtremesText(const MonthlyRecordData& r) {
  auto t = [](float v) { return Absent(v) ? AbsentIn(5) : FormatSingle(5, 1, v); };
  return "最高気温 " + t(r.highest) + " ℃   最低気温 " + t(r.lowest) + " ℃";
}

std::string ExplainText(int col, int row, std::string_view explanation, std::string_view itemName,
                        std::string_view cellText) {
  if (row < 1) return {};
  std::string t(explanation);
  if (col == kTableYearCol) t = ReplaceFirst("月", "年", t);

  std::string prefix;
  if ((row >= 1 && row <= 4) || (row >= 9 && row <= 12))
    prefix = "";
  else if (row == 5 || row == 23 || row == 24)
    prefix = "平均";
  else if (row >= 6 && row <= 8)
    prefix = "１日平均";
  else
    prefix = "積算";
  const std::string item = prefix + TrimBoth(itemName);

  std::string unit;
  const std::size_t open = t.find("（");
  if (open != std::string::npos) {
    const std::size_t close = t.find("）", open);
    if (close != std::string::npos) unit = t.substr(open, close + std::string("）").size() - open);
  }

  std::string sentence;
  const std::string value = TrimBoth(cellText);
  if (col >= 2 && col <= 13)
    sentence = FullWidthNumber(col - 1) + "月の" + item + "は" + value + " " + unit + "です。";
  else if (col == kTableYearCol)
    sentence = "年間の" + item + "は" + value + " " + unit + "です。";

  std::string text = UnitText(t);
  if (!sentence.empty()) text += UnitText("\r\r" + sentence);
  return text;
}

std::string_view ChartRows(int kind) {
  switch (kind) {
    case 1:
      return "13,2,20,1,9..12,23,24";
    case 2:
      return "9..12,24,1";
    case 3:
      return "13..21";
    default:
      return {};
  }
}

std::optional<float> ChartLineValue(std::string_view line, int month) {
  if (month < 1 || month > 12) return std::nullopt;
  // The last 13 cells are months 1..12 and the year.
  const int width = MBWidth(line);
  const int start = width - kChartWidth * (13 - (month - 1));
  if (start < 0) return std::nullopt;
  const std::string cell = SliceMB(line, start, kChartWidth);
  if (IsAbsentCell(cell)) return std::nullopt;
  return static_cast<float>(TextToFloat(cell));
}

}  // namespace kondra
