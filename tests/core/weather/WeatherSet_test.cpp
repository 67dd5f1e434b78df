#include "weather/WeatherSet.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "SourcesDir.h"
#include "env/Cp932.h"
#include "weather/Climate.h"
#include "weather/ClimateSources.h"

namespace kondra {
namespace {

// The whole build reads about 6 MB of sources; it is made once for the suite.
class JapanWeather : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    set_ = new WeatherSet;
    ASSERT_TRUE(BuildJapanWeather(test::WeatherSourcesDir(), *set_, error_)) << error_;
  }
  static void TearDownTestSuite() {
    delete set_;
    set_ = nullptr;
  }

  // Point number (1-based) of a point by name and region code, 0 when absent.
  static int PointNo(const std::string& name, const std::string& region) {
    for (std::size_t i = 0; i < set_->points.rows.size(); ++i)
      if (set_->points.rows[i][0] == name && set_->points.rows[i][1] == region) return static_cast<int>(i) + 1;
    return 0;
  }
  static const MonthlyRecordData& Record(int pointNo) { return set_->records[pointNo - 1]; }

  static NormalsStation Normals(int number) {
    std::vector<NormalsStation> all;
    std::string error;
    EXPECT_TRUE(ReadNormals(test::WeatherSourcesDir() + "jma-normals\\normals.csv", all, error)) << error;
    for (const auto& s : all)
      if (s.number == number) return s;
    ADD_FAILURE() << "station " << number << " not in normals.csv";
    return {};
  }

  static WeatherSet* set_;
  static std::string error_;
};

WeatherSet* JapanWeather::set_ = nullptr;
std::string JapanWeather::error_;

TEST_F(JapanWeather, TheDefaultStationHamamatsuHasItsNormals) {
  const int hamamatsu = PointNo("HAMAMATSU", "SZ");
  ASSERT_GT(hamamatsu, 0);
  const auto& row = set_->points.rows[hamamatsu - 1];
  EXPECT_EQ(row[9], "47654");
  EXPECT_EQ(row[10], "浜松");
  const MonthlyRecordData& r = Record(hamamatsu);
  const NormalsStation n = Normals(47654);
  EXPECT_EQ(r.Value(kItemMeanTemp, 1), n.temperature[0]);
  EXPECT_EQ(r.Value(kItemMeanTemp, 1), 6.3f);
  EXPECT_EQ(r.Value(kItemPrecipitation, kYearColumn), n.precipitation[12]);
  EXPECT_EQ(r.Value(kItemPrecipitation, kYearColumn), 1843.2f);
  EXPECT_EQ(r.code, "47654");
  EXPECT_EQ(r.name, "HAMAMATSU");
  EXPECT_FLOAT_EQ(r.latitude, 34.45f);
  EXPECT_FLOAT_EQ(r.longitude, 137.43f);
  // The sources give 浜松 no radiation, humidity or extremes.
  for (int item : {kItemGlobalHorizontal, kItemWallSouth, kItemRelHumidity, kItemMeanDailyMax, kItemGroundTemp})
    for (int c = 1; c <= kMonthlyColumns; ++c) EXPECT_EQ(r.Value(item, c), kMonthlyAbsent) << item << "/" << c;
  EXPECT_EQ(r.elevation, kMonthlyAbsent);
  EXPECT_EQ(r.highest, kMonthlyAbsent);
}

TEST_F(JapanWeather, NaganoIsDerivedFromItsHourlyYear) {
  const int nagano = PointNo("NAGANO", "NN");
  ASSERT_GT(nagano, 0);
  HourlyYear year;
  std::string error;
  ASSERT_TRUE(ReadHourlyYear(test::WeatherSourcesDir() + "pyhees\\climateData_4.csv", year, error)) << error;
  double sum = 0, high = -100;
  int n = 0;
  for (const auto& h : year.hours)
    if (h.month == 7) {
      sum += h.temperature;
      high = std::max(high, h.temperature);
      ++n;
    }
  ASSERT_EQ(n, 31 * 24);
  const MonthlyRecordData& r = Record(nagano);
  EXPECT_NEAR(r.Value(kItemMeanTemp, 7), sum / n, 1e-5);
  EXPECT_FLOAT_EQ(r.Value(kItemHighest, 7), static_cast<float>(high));
  // Precipitation comes from the normals; every derivable item is present.
  EXPECT_EQ(r.Value(kItemPrecipitation, 7), Normals(47610).precipitation[6]);
  for (int item = 1; item <= kItemLastUsed; ++item) {
    if (item != kItemGroundTemp) {
      EXPECT_TRUE(r.HasItem(item)) << "item " << item;
    }
  }
  EXPECT_FALSE(r.HasItem(kItemGroundTemp));
  EXPECT_EQ(set_->points.rows[nagano - 1][7], "4");
  EXPECT_EQ(set_->points.rows[nagano - 1][8], "5");  // normals + hourly year
  // A south wall gets more sun in January than in June; a north wall the reverse.
  EXPECT_GT(r.Value(kItemWallSouth, 1), r.Value(kItemWallSouth, 6));
  EXPECT_LT(r.Value(kItemWallNorth, 1), r.Value(kItemWallNorth, 6));
  EXPECT_GT(r.Value(kItemMeanDailyMax, 8), r.Value(kItemMeanTemp, 8));
  EXPECT_LT(r.Value(kItemMeanDailyMin, 8), r.Value(kItemMeanTemp, 8));
}

TEST_F(JapanWeather, RadiationIsPresentExactlyWhereASourceGivesIt) {
  // 札幌 has radiation normals; 釧路 has none; 北見 has its hourly year but no precipitation.
  const MonthlyRecordData& sapporo = Record(PointNo("SAPPORO", "HK"));
  EXPECT_NEAR(sapporo.Value(kItemGlobalHorizontal, 1), 6.0 * 1e6 / 3600 / 1.16279 * 31 / 100, 0.05);
  EXPECT_FALSE(sapporo.HasItem(kItemWallSouth));
  EXPECT_FALSE(Record(PointNo("KUSHIRO", "HK")).HasItem(kItemGlobalHorizontal));
  const int kitami = PointNo("KITAMI", "HK");
  ASSERT_GT(kitami, 0);
  EXPECT_FALSE(Record(kitami).HasItem(kItemPrecipitation));
  EXPECT_TRUE(Record(kitami).HasItem(kItemWallNorth));
  EXPECT_EQ(Record(kitami).code, "EES1");
  EXPECT_EQ(set_->points.rows[kitami - 1][10], "北見");
}

TEST_F(JapanWeather, RegionsListTheirPointsConsecutively) {
  ASSERT_EQ(set_->regions.rows.size(), 47u);
  EXPECT_EQ(set_->points.rows.size(), set_->records.size());
  std::set<std::string> codes;
  int expectedFirst = 1;
  for (std::size_t i = 0; i < set_->regions.rows.size(); ++i) {
    const auto& region = set_->regions.rows[i];
    ASSERT_EQ(region.size(), 7u);
    EXPECT_EQ(region[1].size(), 2u);
    EXPECT_TRUE(codes.insert(region[1]).second) << region[1];
    const int first = std::stoi(region[4]), count = std::stoi(region[5]);
    EXPECT_GT(count, 0) << region[0];
    EXPECT_EQ(first, expectedFirst) << region[0];
    for (int p = first; p < first + count; ++p) {
      EXPECT_EQ(set_->points.rows[p - 1][1], region[1]);
      EXPECT_EQ(set_->points.rows[p - 1][2], std::to_string(i + 1));
    }
    expectedFirst = first + count;
  }
  EXPECT_EQ(expectedFirst, static_cast<int>(set_->points.rows.size()) + 1);
  const auto& sz = set_->regions.rows[21];
  EXPECT_EQ(sz[0], "SHIZUOKA");
  EXPECT_EQ(sz[1], "SZ");
  EXPECT_EQ(sz[6], "静岡県");
}

TEST_F(JapanWeather, PointNamesAreUniqueWithTheirRegionAndFitTheirFields) {
  std::set<std::string> keys;
  for (std::size_t i = 0; i < set_->points.rows.size(); ++i) {
    const auto& p = set_->points.rows[i];
    ASSERT_EQ(p.size(), 11u);
    EXPECT_TRUE(keys.insert(p[0] + " (" + p[1] + ")").second) << p[0];
    EXPECT_LE(MBWidth(p[0]), 20);
    EXPECT_LE(MBWidth(p[9]), 8);
    EXPECT_EQ(p[0], set_->records[i].name);
    EXPECT_EQ(p[9], set_->records[i].code);
    EXPECT_TRUE(set_->records[i].HasItem(kItemMeanTemp)) << p[0];
  }
  std::string error;
  EXPECT_TRUE(CheckWeatherTable(set_->regions, "regions", error)) << error;
  EXPECT_TRUE(CheckWeatherTable(set_->points, "points", error)) << error;
}

TEST_F(JapanWeather, TheMonthlyFileIsTheSameOnEveryBuild) {
  WeatherSet again;
  std::string error, first, second;
  ASSERT_TRUE(BuildJapanWeather(test::WeatherSourcesDir(), again, error)) << error;
  ASSERT_TRUE(MonthlyFileBytes(*set_, first, error)) << error;
  ASSERT_TRUE(MonthlyFileBytes(again, second, error)) << error;
  EXPECT_EQ(first.size(), set_->records.size() * kMonthlyRecordSize);
  EXPECT_TRUE(first == second);
  EXPECT_EQ(again.points.rows, set_->points.rows);
  EXPECT_EQ(again.regions.rows, set_->regions.rows);
}

TEST(WeatherTableCheck, NamesTheCellThatDoesNotFit) {
  WeatherTable t{{4, 4}, {{"SZ", "静岡"}, {"HK", "北海道"}}};
  std::string error;
  EXPECT_FALSE(CheckWeatherTable(t, "regions", error));
  EXPECT_NE(error.find("row 2 column 2"), std::string::npos) << error;
  t.rows[1][1] = "a\tb";
  EXPECT_FALSE(CheckWeatherTable(t, "regions", error));
  t.rows[1][1] = "😀";
  EXPECT_FALSE(CheckWeatherTable(t, "regions", error));
  t.rows[1] = {"HK"};
  EXPECT_FALSE(CheckWeatherTable(t, "regions", error));
}

TEST(JapanWeatherSources, AMissingSourceIsReported) {
  WeatherSet set;
  std::string error;
  EXPECT_FALSE(BuildJapanWeather("C:\\no\\such\\sources", set, error));
  EXPECT_NE(error.find("normals.csv"), std::string::npos) << error;
}

}  // namespace
}  // namespace kondra
