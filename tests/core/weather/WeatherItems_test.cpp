// The installation's item files must describe the records the weather data
// are built with: same order, units that match the stored values, and
// explanations whose first bracket is the unit.
#include <gtest/gtest.h>

#include <map>

#include "SourcesDir.h"
#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "weather/Climate.h"

namespace kondra {
namespace {

struct TableSource {
  std::vector<int> widths;
  std::vector<std::vector<std::string>> rows;
};

TableSource ReadSource(const std::string& name) {
  std::string text, error;
  TableSource t;
  EXPECT_TRUE(fs::ReadWhole(test::InstallDatDir() + name, text, &error)) << name << ": " << error;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    std::vector<std::string> cells;
    std::size_t p = 0;
    while (true) {
      const std::size_t tab = line.find('\t', p);
      cells.push_back(line.substr(p, tab == std::string::npos ? std::string::npos : tab - p));
      if (tab == std::string::npos) break;
      p = tab + 1;
    }
    if (cells[0] == "#widths") {
      for (std::size_t i = 1; i < cells.size(); ++i) t.widths.push_back(std::stoi(cells[i]));
    } else if (line.rfind("# ", 0) == 0 || line.empty()) {
      continue;
    } else {
      EXPECT_FALSE(t.widths.empty()) << name << ": a row before the #widths line";
      t.rows.push_back(cells);
    }
  }
  for (const auto& row : t.rows) {
    EXPECT_EQ(row.size(), t.widths.size()) << name << ": " << row[0];
    for (std::size_t c = 0; c < row.size() && c < t.widths.size(); ++c) {
      EXPECT_TRUE(IsCp932Text(row[c])) << name << ": " << row[c];
      EXPECT_LE(MBWidth(row[c]), t.widths[c]) << name << ": " << row[c];
    }
  }
  return t;
}

bool IsSiRow(int item) { return (item >= 6 && item <= 8) || (item >= 13 && item <= 21); }

TEST(WeatherItems, NamesFollowTheRecordAndTheCharts) {
  const TableSource items = ReadSource("気象項目.DAT.tsv");
  ASSERT_EQ(items.rows.size(), static_cast<std::size_t>(kWeatherItemCount));
  const std::map<int, std::string> charted = {
      {kItemMeanTemp, "平均気温"},      {kItemPrecipitation, "降水量"},  {kItemMeanDailyMax, "最高気温"},
      {kItemMeanDailyMin, "最低気温"},  {kItemHighest, "極暑気温"},     {kItemLowest, "極寒気温"},
      {kItemGlobalHorizontal, "全日射量"}, {kItemPitchEast, "４寸傾東"}, {kItemPitchWest, "４寸傾西"},
      {kItemPitchSouth, "４寸傾南"},    {kItemPitchNorth, "４寸傾北"},  {kItemWallEast, "垂直壁東"},
      {kItemWallWest, "垂直壁西"},      {kItemWallSouth, "垂直壁南"},   {kItemWallNorth, "垂直壁北"},
      {kItemRelHumidity, "相対湿度"},   {kItemGroundTemp, "土中温度"},
  };
  for (const auto& [item, name] : charted) EXPECT_EQ(items.rows[item - 1][0], name) << "item " << item;
  for (int item = 1; item <= kWeatherItemCount; ++item) {
    const std::string& unit = items.rows[item - 1][1];
    // The SI display multiplies exactly the kcal rows by the kcal factor.
    EXPECT_EQ(unit.find("kcal") != std::string::npos, IsSiRow(item)) << "item " << item << " " << unit;
    if (item >= 6 && item <= 8) {
      EXPECT_EQ(unit, "kcal/㎡日");
    }
    if (item >= 13 && item <= 21) {
      EXPECT_EQ(unit, "x100kcal/㎡");
    }
    if (item > kItemLastUsed) {
      EXPECT_EQ(items.rows[item - 1][0], "（未使用）");
    }
  }
}

TEST(WeatherItems, EveryExplanationStartsItsFirstBracketWithTheUnit) {
  const TableSource items = ReadSource("気象項目.DAT.tsv");
  const TableSource explanations = ReadSource("気象項目.EXP.tsv");
  ASSERT_EQ(explanations.widths.size(), 1u);
  ASSERT_EQ(explanations.rows.size(), static_cast<std::size_t>(kWeatherItemCount));
  for (int item = 1; item <= kWeatherItemCount; ++item) {
    const std::string& t = explanations.rows[item - 1][0];
    const std::size_t open = t.find("（"), close = t.find("）");
    ASSERT_NE(open, std::string::npos) << t;
    ASSERT_NE(close, std::string::npos) << t;
    const std::string unit = t.substr(open + 3, close - open - 3);
    EXPECT_EQ(unit, items.rows[item - 1][1]) << "item " << item;
    if (item <= kItemLastUsed) {
      // The yearly value reads the first "月" as "年": it must stand before the unit.
      const std::size_t month = t.find("月");
      ASSERT_NE(month, std::string::npos) << t;
      EXPECT_LT(month, open) << t;
    }
  }
}

TEST(WeatherItems, TheStandardYearIsListed) {
  const TableSource years = ReadSource("観測年度.DAT.tsv");
  ASSERT_EQ(years.widths.size(), 3u);
  ASSERT_FALSE(years.rows.empty());
  EXPECT_EQ(years.rows[0][0], "標準年");
  EXPECT_EQ(years.rows[0][2].size(), 2u);
  EXPECT_LE(years.widths[0], 8);
}

}  // namespace
}  // namespace kondra
