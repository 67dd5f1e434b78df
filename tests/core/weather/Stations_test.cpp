#include "weather/Stations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "env/Cp932.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Paths.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// A table file as the program writes it: counts, widths, then every cell
// right-aligned in its width (CP932 bytes), lines ended by CR LF.
void WriteTable(const std::string& path, const std::vector<int>& widths, const Rows& rows) {
  char head[64];
  std::snprintf(head, sizeof head, "%6zu%6zu\r\n", rows.size(), widths.size());
  std::string text = head;
  for (int w : widths) text += PadLeft(std::to_string(w), 6);
  text += "\r\n";
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < widths.size(); ++c) text += PadLeft(c < row.size() ? row[c] : "", widths[c]);
    text += "\r\n";
  }
  test::WriteCp932(path, text);
}

// The record of point k holds k * 1000 + item * 20 + column in every value.
float FixtureValue(int point, int item, int column) {
  return static_cast<float>(point * 1000 + item * 20 + column);
}

// A small country: Tokyo with two points, Shizuoka with HAMAMATSU, and a
// FUCHU in Tokyo and in Hiroshima.
class StationsTest : public test::KondraTest {
 protected:
  void SetUp() override {
    KondraTest::SetUp();
    const std::string& base = temp.path();
    StartDrive = base.substr(0, 2);
    RootDir = base.substr(2);
    SetFolders(base);
    EnvReadOnly = false;
    ResetWeatherState();
    CountryNo = 1;
    ASSERT_TRUE(fs::MakeFolders(DatDir));
    ASSERT_TRUE(fs::MakeFolders(base + "WCD\\"));
    WriteTable(DatDir + "国名.DAT", {20, 12, 8}, {{"日本", "JAPAN", "JPN"}});
    WriteTable(DatDir + "観測年度.DAT", {8, 6, 4}, {{"標準年", "2020", "SY"}, {"1995年", "1995", "95"}});
    WriteTable(base + "WCD\\JPN_STAT.DAT", {20, 4, 4, 8, 6, 6, 10},
               {{"TOKYO", "TK", "13", "関東", "1", "2", "東京都"},
                {"SHIZUOKA", "SZ", "22", "中部", "3", "2", "静岡県"},
                {"HIROSHIMA", "HS", "34", "中国", "5", "1", "広島県"}});
    WriteTable(base + "WCD\\JPN_WPNT.DAT", {20, 4, 4, 4, 10, 10, 7, 3, 3, 8, 10},
               {{"TOKYO", "TK", "13", "1", "35.6917", "139.7500", "25", "0", "1", "47662", "東京"},
                {"FUCHU", "TK", "13", "2", "35.6800", "139.4800", "-9999", "0", "1", "44116", "府中"},
                {"HAMAMATSU", "SZ", "22", "1", "34.7533", "137.7117", "-9999", "0", "1", "47654", "浜松"},
                {"OMAEZAKI", "SZ", "22", "2", "34.6033", "138.2133", "-9999", "0", "1", "47655", "御前崎"},
                {"FUCHU", "HS", "34", "1", "34.5700", "133.2400", "", "0", "1", "67301", "府中"}});
    WriteMonthlyFile(5);
  }
  void TearDown() override {
    ResetWeatherState();
    KondraTest::TearDown();
  }

  void WriteMonthlyFile(int points) {
    std::string bytes;
    for (int k = 1; k <= points; ++k) {
      MonthlyRecordData r;
      r.name = "P" + std::to_string(k);
      r.code = std::to_string(47000 + k);
      r.latitude = 30.0f + static_cast<float>(k);
      for (int item = 1; item <= kWeatherItemCount; ++item)
        for (int c = 1; c <= kMonthlyColumns; ++c) r.Value(item, c) = FixtureValue(k, item, c);
      std::string one;
      ASSERT_TRUE(EncodeMonthlyRecord(r, one));
      bytes += one;
    }
    test::WriteBytes(temp.path() + "WCD\\JPN_MONT.DAT", bytes);
  }

  std::string Wcd() const { return temp.path() + "WCD\\"; }
};

TEST_F(StationsTest, InitWeatherSelectsHamamatsuForTheStandardYear) {
  InitWeather();
  EXPECT_TRUE(face.boxes.empty()) << face.LastBoxText();
  const WCD_DataType& s = CurStation;
  EXPECT_EQ(s.CountryName, "日本");
  EXPECT_EQ(s.CountryFolder, "JAPAN");
  EXPECT_EQ(s.CountryCode, "JPN");
  EXPECT_EQ(s.PointName, "HAMAMATSU");
  EXPECT_EQ(s.PointNo, 3);
  EXPECT_EQ(s.PointCode, "47654");
  EXPECT_EQ(s.PointText, "浜松");
  EXPECT_FLOAT_EQ(s.PointValues[1], 34.7533f);
  EXPECT_FLOAT_EQ(s.PointValues[3], -9999.0f);
  EXPECT_EQ(s.RegionNo, 2);
  EXPECT_EQ(s.RegionName, "SHIZUOKA");
  EXPECT_EQ(s.RegionCode, "SZ");
  EXPECT_EQ(s.RegionText, "静岡県");
  EXPECT_EQ(s.Captions[0], "静岡県 浜松");
  EXPECT_EQ(s.YearName, "標準年");
  EXPECT_EQ(s.YearCode, "SY");
  EXPECT_EQ(PointCount, 5);
  EXPECT_EQ(RegionCount, 3);
  EXPECT_EQ(WeatherDir, Wcd());
  EXPECT_EQ(StationDir, Wcd() + "JAPAN\\");
  EXPECT_EQ(MonthlyFile, Wcd() + "JPN_MONT.DAT");
  EXPECT_EQ(HourlyFile, Wcd() + "JPN_SZ\\47654\\47654.HSY");
}

TEST_F(StationsTest, AMissingWeatherFolderIsReportedAndLeavesTheStationEmpty) {
  ASSERT_TRUE(fs::RemoveFile(Wcd() + "JPN_STAT.DAT"));
  ASSERT_TRUE(fs::RemoveFile(Wcd() + "JPN_WPNT.DAT"));
  InitWeather();
  ASSERT_FALSE(face.boxes.empty());
  EXPECT_EQ(face.boxes[0].text,
            "気象データファイルのあるのディレクトリ<" + Wcd() + ">が見つかりません。(WCD_Data_Init)");
  EXPECT_EQ(face.boxes[0].kind, 3);
  EXPECT_EQ(CurStation.PointNo, 0);
  EXPECT_EQ(CurStation.PointName, "");
  EXPECT_EQ(CurStation.PointCode, "00000");
  EXPECT_EQ(CurStation.RegionNo, 0);
  EXPECT_EQ(PointCount, 0);
}

TEST_F(StationsTest, NeitherNumberNorNameWarnsAndChangesNothing) {
  InitWeather();
  const WCD_DataType before = CurStation;
  const std::string hourly = HourlyFile;
  face.Clear();
  SelectStation(0, "", "", "");
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, "＜地点№＞または＜地点名＞が指定されていません。");
  EXPECT_EQ(face.boxes[0].kind, 3);
  EXPECT_EQ(CurStation.PointNo, before.PointNo);
  EXPECT_EQ(CurStation.RegionNo, before.RegionNo);
  EXPECT_EQ(CurStation.Captions[0], before.Captions[0]);
  EXPECT_EQ(CurStation.YearCode, before.YearCode);
  EXPECT_EQ(HourlyFile, hourly);
}

TEST_F(StationsTest, APointNameInTwoRegionsIsFoundOnlyWithItsRegion) {
  InitWeather();
  struct Case {
    const char* region;
    int point;          // expected PointNo afterwards
    const char* text;   // expected RegionText afterwards
  } cases[] = {
      {"HS", 5, "広島県"},
      {"TK", 2, "東京都"},
      {"", 2, "東京都"},    // no region: not found, the station stays
      {"SZ", 2, "東京都"},  // no FUCHU in SZ: neither point nor region changes
  };
  for (const Case& c : cases) {
    SelectStation(0, "FUCHU", c.region, "");
    EXPECT_EQ(CurStation.PointNo, c.point) << c.region;
    EXPECT_EQ(CurStation.RegionText, c.text) << c.region;
    EXPECT_EQ(CurStation.Captions[0], std::string(c.text) + " 府中") << c.region;
  }
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(StationsTest, ANumberSelectsThePointWithItsRegionAndTheNamedYear) {
  InitWeather();
  SelectStation(1, "", "", "1995年");
  EXPECT_EQ(CurStation.PointName, "TOKYO");
  EXPECT_EQ(CurStation.RegionNo, 1);
  EXPECT_EQ(CurStation.RegionCode, "TK");
  EXPECT_EQ(CurStation.YearName, "1995年");
  EXPECT_EQ(CurStation.YearCode, "95");
  EXPECT_EQ(HourlyFile, Wcd() + "JPN_TK\\47662\\47662.H95");
  EXPECT_FLOAT_EQ(CurStation.PointValues[3], 25.0f);

  // An empty cell reads 0; a year that is not listed gives empty texts.
  SelectStation(5, "", "", "2001年");
  EXPECT_FLOAT_EQ(CurStation.PointValues[3], 0.0f);
  EXPECT_EQ(CurStation.YearName, "");
  EXPECT_EQ(CurStation.YearCode, "");

  // A number beyond the list leaves the point and its region as they were.
  SelectStation(6, "", "", "");
  EXPECT_EQ(CurStation.PointNo, 5);
  EXPECT_EQ(CurStation.RegionCode, "HS");
  EXPECT_EQ(CurStation.YearName, "標準年");
}

TEST_F(StationsTest, AnHourlyFileMustBeWholeRecordsOf75Bytes) {
  ASSERT_TRUE(fs::MakeFolders(Wcd() + "JPN_SZ\\47654\\"));
  for (const auto& [size, warned] : std::vector<std::pair<int, bool>>{{150, false}, {151, true}, {0, false}}) {
    test::WriteBytes(Wcd() + "JPN_SZ\\47654\\47654.HSY", std::string(static_cast<std::size_t>(size), 'x'));
    face.Clear();
    InitWeather();
    EXPECT_EQ(!face.boxes.empty(), warned) << size;
    if (warned) {
      EXPECT_EQ(face.boxes[0].text, "このファイルは気象データの書式が正しくありません。");
      EXPECT_EQ(face.boxes[0].kind, 1);
    }
  }
}

TEST_F(StationsTest, ReadMonthlyRecordReadsOnlyPointsOfTheList) {
  InitWeather();
  ReadMonthlyRecord(3);
  EXPECT_EQ(MonthlyRecord.code, "47003");
  EXPECT_EQ(MonthlyRecord.Value(1, 1), FixtureValue(3, 1, 1));
  EXPECT_EQ(MonthlyRecord.Value(36, 13), FixtureValue(3, 36, 13));
  EXPECT_FLOAT_EQ(MonthlyRecord.latitude, 33.0f);
  for (int outside : {0, -1, PointCount + 1}) {
    ReadMonthlyRecord(outside);
    EXPECT_EQ(MonthlyRecord.code, "47003") << outside;
    EXPECT_EQ(MonthlyRecord.Value(2, 1), FixtureValue(3, 2, 1)) << outside;
  }
  ReadMonthlyRecord(5);
  EXPECT_EQ(MonthlyRecord.Value(24, 7), FixtureValue(5, 24, 7));
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(StationsTest, PointThreeStartsAtByte3894) {
  InitWeather();
  std::string bytes = test::ReadBytes(MonthlyFile);
  ASSERT_EQ(bytes.size(), 5u * 1947u);
  // Item 2, month 1 of point 3 is the single at 3894 + 75 + 52.
  const float marker = 42.5f;
  std::memcpy(bytes.data() + 3894 + 75 + 52, &marker, 4);
  bytes[3894 + 18] = 3;
  bytes.replace(3894 + 19, 3, "ABC");
  test::WriteBytes(MonthlyFile, bytes);
  ReadMonthlyRecord(3);
  EXPECT_EQ(MonthlyRecord.Value(2, 1), 42.5f);
  EXPECT_EQ(MonthlyRecord.code, "ABC");
  EXPECT_EQ(MonthlyRecord.Value(1, 13), FixtureValue(3, 1, 13));
}

TEST_F(StationsTest, AMonthlyFileThatIsMissingOrShortReadsNothing) {
  InitWeather();
  ReadMonthlyRecord(2);
  ASSERT_EQ(MonthlyRecord.Value(1, 1), FixtureValue(2, 1, 1));

  WriteMonthlyFile(4);  // point 5 has no record
  face.Clear();
  ReadMonthlyRecord(5);
  EXPECT_EQ(MonthlyRecord.Value(1, 1), FixtureValue(2, 1, 1));
  EXPECT_NE(face.AllStatusText().find("JPN_MONT.DAT"), std::string::npos) << face.AllStatusText();

  ASSERT_TRUE(fs::RemoveFile(MonthlyFile));
  ReadMonthlyRecord(1);
  EXPECT_EQ(MonthlyRecord.Value(1, 1), FixtureValue(2, 1, 1));
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(StationsTest, AnUnreadableLeadingNameDoesNotHideTheFigures) {
  InitWeather();
  std::string bytes = test::ReadBytes(MonthlyFile);
  bytes[0] = 17;
  for (int i = 1; i <= 17; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(0x81);  // lead bytes only
  test::WriteBytes(MonthlyFile, bytes);
  ReadMonthlyRecord(1);
  EXPECT_EQ(MonthlyRecord.code, "47001");
  EXPECT_EQ(MonthlyRecord.Value(1, 1), FixtureValue(1, 1, 1));
}

TEST_F(StationsTest, MonthlyFilePathBySelector) {
  InitWeather();
  struct Case {
    std::string selector;
    std::string path;
  } cases[] = {
      {"JPN", Wcd() + "JPN_MONT.DAT"},
      {"WCD", Wcd() + "JPN_MONT.DAT"},
      {"", DatDir + "月次気象.5"},
      {"XX", DatDir + "月次気象.DAT"},
      {"C:\\data\\own.DAT", "C:\\data\\own.DAT"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonthlyFilePath(c.selector), c.path) << c.selector;
    EXPECT_EQ(CurPath, c.path) << c.selector;
  }
  // The path returned last is returned again as it is.
  const std::string last = MonthlyFilePath("XX");
  EXPECT_EQ(MonthlyFilePath(last), last);
  EXPECT_EQ(CurFileName, "月次気象.DAT");
}

TEST_F(StationsTest, WriteStationInfoRecordsTheShownPoint) {
  InitWeather();
  ShownPoint = 5;
  MonthlyFile = DatDir + "elsewhere.DAT";
  WriteStationInfo();
  EXPECT_EQ(CurStation.PointNo, 5);
  EXPECT_EQ(MonthlyFile, Wcd() + "JPN_MONT.DAT");
  ASSERT_TRUE(DataLoad(DataDir + "QVWD情報.DAT"));
  ASSERT_EQ(DT_RowCount, 10);
  EXPECT_EQ(DT_Name[3], "67301.HSY");
  EXPECT_EQ(DT_Name[4], "67301");
  EXPECT_EQ(DT_Name[5], ".HSY");
  EXPECT_EQ(DT_Name[6], "");
  EXPECT_EQ(DT_Name[7], "HIROSHIMA FUCHU");
  EXPECT_EQ(DT_Name[8], "[   1][   3][   5]");
  EXPECT_EQ(DT_Name[9], "標準年");
  EXPECT_FALSE(DT_Name[10].empty());
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(StationsTest, WriteStationInfoWithoutAShownPointDoesNotWarn) {
  InitWeather();
  ShownPoint = 0;
  WriteStationInfo();
  EXPECT_TRUE(face.boxes.empty()) << face.LastBoxText();
  ASSERT_TRUE(DataLoad(DataDir + "QVWD情報.DAT"));
  EXPECT_EQ(DT_Name[7], "SHIZUOKA HAMAMATSU");
}

// The factory installation: the default station and its record.
TEST(FactoryWeather, TheInstallationSelectsHamamatsuWithItsNormals) {
  HeadlessFace face;
  SetMessageFace(&face);
  const std::string tree = fs::FromNative(KONDRA_INSTALL_TREE) + "\\";
  if (!fs::IsFile(tree + "WCD\\JPN_MONT.DAT")) GTEST_SKIP() << "no installation tree in " << tree;
  StartDrive = tree.substr(0, 2);
  RootDir = tree.substr(2);
  SetFolders(tree);
  ResetWeatherState();
  InitWeather();
  EXPECT_TRUE(face.boxes.empty()) << face.LastBoxText();
  EXPECT_EQ(CurStation.PointName, "HAMAMATSU");
  EXPECT_EQ(CurStation.PointText, "浜松");
  EXPECT_EQ(CurStation.RegionText, "静岡県");
  EXPECT_GT(PointCount, 100);
  ReadMonthlyRecord(CurStation.PointNo);
  EXPECT_EQ(MonthlyRecord.code, "47654");
  EXPECT_EQ(MonthlyRecord.Value(1, 1), 6.3f);
  EXPECT_EQ(MonthlyRecord.Value(2, 13), 1843.2f);
  ResetWeatherState();
  SetMessageFace(nullptr);
}

}  // namespace
}  // namespace kondra
