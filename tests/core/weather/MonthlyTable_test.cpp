#include "weather/MonthlyTable.h"

#include <gtest/gtest.h>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Units.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

// Unit pairs of the factory installation (単位系SIW.DAT).
class MonthlyTableTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    const std::string tree = fs::FromNative(KONDRA_INSTALL_TREE) + "\\";
    DatDir = tree + "DATA\\DAT\\";
    LoadUnitPairs();
    SetUnitSystem(kEngineeringUnits);
  }
  void TearDown() override {
    SetUnitSystem(kEngineeringUnits);
    UnitPairCount = 0;
    DatDir.clear();
    KondraTest::TearDown();
  }
};

TEST_F(MonthlyTableTest, RowsHaveTheirDecimalsAndColours) {
  for (int row = 1; row <= 36; ++row) {
    const bool oneDecimal = row == 1 || row == 4 || row == 5 || (row >= 9 && row <= 12) || row == 23 || row == 24;
    EXPECT_EQ(RowDecimals(row), oneDecimal ? 1 : 0) << row;
    EXPECT_EQ(IsSIRow(row), (row >= 6 && row <= 8) || (row >= 13 && row <= 21)) << row;
  }
  const std::pair<int, int32_t> colours[] = {{1, 164}, {24, 164}, {6, 168}, {7, 168}, {8, 168}, {9, 176},
                                             {11, 176}, {10, 187}, {12, 187}, {23, 187}, {13, 201}, {2, -1},
                                             {14, -1},  {22, -1},  {36, -1}};
  for (const auto& [row, colour] : colours) EXPECT_EQ(RowColourNo(row), colour) << row;
  int width = 0;
  for (int w : TableColWidths()) width += w;
  EXPECT_EQ(width, 66 + 44 + 11 * 42 + 43 + 49);
  EXPECT_EQ(TableTitles()[0], "  項  目");
  EXPECT_EQ(TableTitles()[14], " 年 間");
}

TEST_F(MonthlyTableTest, ValuesFollowTheUnitSystemOnlyInTheSIRows) {
  struct Case {
    int row;
    float value;
    const char* engineering;
    const char* si;
  } cases[] = {
      {1, 6.3f, "   6.3", "   6.3"},           // temperature: no conversion
      {2, 1843.2f, "  1843", "  1843"},         // precipitation, no decimals
      {6, 2000.0f, "  2000", "  2326"},         // kcal/(m2 day) x 1.16279
      {13, 345.0f, "   345", "   401"},         // x100 kcal/m2
      {21, 100.0f, "   100", "   116"},
      {22, 100.0f, "   100", "   100"},         // degree-days
      {23, 71.25f, "  71.2", "  71.2"},
      {8, kMonthlyAbsent, "    －", "    －"},  // absent stays absent
      {1, kMonthlyAbsent, "    －", "    －"},
  };
  for (const Case& c : cases) {
    SetUnitSystem(kEngineeringUnits);
    EXPECT_EQ(ValueCellText(c.row, c.value), c.engineering) << c.row;
    SetUnitSystem(kSIUnits);
    EXPECT_EQ(ValueCellText(c.row, c.value), c.si) << c.row;
    EXPECT_EQ(MBWidth(ValueCellText(c.row, c.value)), 6) << c.row;
  }
}

TEST_F(MonthlyTableTest, UnitsOfTheSIRowsChangeInSIUnits) {
  ASSERT_GT(UnitPairCount, 0) << "no 単位系SIW.DAT in the installation tree";
  struct Case {
    int row;
    const char* unit;
    const char* si;
  } cases[] = {
      {1, "℃", "℃"},
      {6, "kcal/㎡日", "Wh/㎡日"},
      {13, "x100kcal/㎡", "x100Wh/㎡"},
      {21, "x100kcal/㎡", "x100Wh/㎡"},
      {22, "℃日", "℃日"},
  };
  for (const Case& c : cases) {
    SetUnitSystem(kEngineeringUnits);
    EXPECT_EQ(UnitCellText(c.row, c.unit), c.unit) << c.row;
    SetUnitSystem(kSIUnits);
    EXPECT_EQ(UnitCellText(c.row, c.unit), c.si) << c.row;
  }
}

TEST_F(MonthlyTableTest, StationLabelsShowDegreesAndMinutesAndAbsentFigures) {
  MonthlyRecordData r;
  r.latitude = 34.05f;
  r.longitude = 137.43f;
  r.elevation = 32.0f;
  r.height = 12.5f;
  r.highest = 36.8f;
  r.lowest = -4.5f;
  EXPECT_EQ(LatLongText(r), "(北)緯度   34ﾟ05'  (東)経度  137ﾟ43'");
  EXPECT_EQ(ElevationText(r), "標高   32m   観測高さ  12.5m");
  EXPECT_EQ(ExtremesText(r), "最高気温  36.8 ℃   最低気温  -4.5 ℃");
  // The whole degrees are never rounded up by the minutes.
  r.latitude = 33.57f;
  r.longitude = 130.59f;
  EXPECT_EQ(LatLongText(r), "(北)緯度   33ﾟ57'  (東)経度  130ﾟ59'");

  MonthlyRecordData none;  // every figure absent
  EXPECT_EQ(LatLongText(none), "(北)緯度       －  (東)経度       －");
  EXPECT_EQ(ElevationText(none), "標高   －m   観測高さ    －m");
  EXPECT_EQ(ExtremesText(none), "最高気温    － ℃   最低気温    － ℃");
}

TEST_F(MonthlyTableTest, ExplanationsNameMonthOrYearItemValueAndUnit) {
  const std::string temp = "月平均気温（℃）：毎時気温の平均。";
  const std::string direct = "月の１日平均法線面直達日射量（kcal/㎡日）：日積算値の平均。";
  const std::string global = "水平面全天日射量の月積算値（x100kcal/㎡）：月の合計。";
  struct Case {
    int col, row;
    std::string explanation, name, cell, expected;
  } cases[] = {
      {14, 1, temp, " 平均気温", "  15.3", "年平均気温（℃）：毎時気温の平均。\r\r年間の平均気温は15.3 （℃）です。"},
      {2, 1, temp, " 平均気温", "   6.3", temp + "\r\r１月の平均気温は6.3 （℃）です。"},
      {13, 5, temp, " 露点温度", "  -3.2", temp + "\r\r１２月の平均露点温度は-3.2 （℃）です。"},
      {7, 6, direct, " 直達日射量", "  2000",
       direct + "\r\r６月の１日平均直達日射量は2000 （kcal/㎡日）です。"},
      {11, 13, global, " 全日射量", "   345", global + "\r\r１０月の積算全日射量は345 （x100kcal/㎡）です。"},
      {0, 1, temp, " 平均気温", " 平均気温", temp},
      {1, 1, temp, " 平均気温", "℃", temp},
      {0, 0, temp, "  項  目", "  項  目", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExplainText(c.col, c.row, c.explanation, c.name, c.cell), c.expected) << c.col << "/" << c.row;

  SetUnitSystem(kSIUnits);
  EXPECT_EQ(ExplainText(3, 6, direct, " 直達日射量", "  2326"),
            "月の１日平均法線面直達日射量（Wh/㎡日）：日積算値の平均。\r\r２月の１日平均直達日射量は2326 （Wh/㎡日）です。");
}

TEST_F(MonthlyTableTest, ChartValuesAreTheMonthsOfATableLine) {
  // Name and unit cells wider than their 10 bytes must not move the months.
  std::string line = PadLeft(" 全日射量", 10) + PadLeft("x100kcal/㎡", 10);
  for (int m = 1; m <= 12; ++m) line += PadLeft(m == 4 ? "－" : std::to_string(100 * m), 10);
  line += PadLeft("7800", 10);
  EXPECT_EQ(ChartLineValue(line, 1), 100.0f);
  EXPECT_EQ(ChartLineValue(line, 12), 1200.0f);
  EXPECT_FALSE(ChartLineValue(line, 4).has_value());
  EXPECT_FALSE(ChartLineValue(line, 0).has_value());
  EXPECT_FALSE(ChartLineValue(line, 13).has_value());
  EXPECT_FALSE(ChartLineValue("short", 1).has_value());
  EXPECT_EQ(ChartRows(1), "13,2,20,1,9..12,23,24");
  EXPECT_EQ(ChartRows(2), "9..12,24,1");
  EXPECT_EQ(ChartRows(3), "13..21");
}

}  // namespace
}  // namespace kondra
