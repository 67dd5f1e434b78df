#include "weather/ClimateSources.h"

#include <gtest/gtest.h>

#include <functional>

#include "env/Cp932.h"

namespace kondra {
namespace {

std::string NormalsHeader() {
  std::string h = "\"地点番号\",\"地点名\",\"緯度\",\"経度\"";
  for (int m = 1; m <= 12; ++m) h += ",\"気温" + std::to_string(m) + "月\"";
  h += ",\"気温年\"";
  for (int m = 1; m <= 12; ++m) h += ",\"降水量" + std::to_string(m) + "月\"";
  h += ",\"降水量年\"";
  return h;
}

std::string NormalsRow(const std::string& number, const std::string& name, const std::string& firstTemp = "6.3") {
  std::string r = "\"" + number + "\",\"" + name + "\",\"34.7533\",\"137.7117\",\"" + firstTemp + "\"";
  for (int m = 2; m <= 12; ++m) r += ",\"" + std::to_string(m) + ".5\"";
  r += ",\"16.8\"";
  for (int m = 1; m <= 12; ++m) r += ",\"" + std::to_string(100 + m) + ".1\"";
  r += ",\"1843.2\"";
  return r;
}

TEST(Normals, ReadsStationsAfterTheCommentLine) {
  const std::string csv = "\"# 出典：気象庁\"\n" + NormalsHeader() + "\n" + NormalsRow("47654", "浜松") + "\n" +
                          NormalsRow("47656", "静岡", "-0.4") + "\n";
  std::vector<NormalsStation> s;
  std::string error;
  ASSERT_TRUE(ParseNormals(csv, "normals.csv", s, error)) << error;
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].number, 47654);
  EXPECT_EQ(s[0].name, "浜松");
  EXPECT_DOUBLE_EQ(s[0].latitude, 34.7533);
  EXPECT_EQ(s[0].temperature[0], 6.3f);
  EXPECT_EQ(s[0].temperature[12], 16.8f);
  EXPECT_EQ(s[0].precipitation[11], 112.1f);
  EXPECT_EQ(s[0].precipitation[12], 1843.2f);
  EXPECT_EQ(s[1].temperature[0], -0.4f);
}

TEST(Normals, ReportsWhatIsWrongAndWhere) {
  struct Case {
    const char* what;
    std::string csv;
    const char* message;
  } cases[] = {
      {"missing column", "\"地点番号\",\"地点名\"\n", "no column \"緯度\""},
      {"short row", NormalsHeader() + "\n\"47654\",\"浜松\"\n", "line 2: 2 fields"},
      {"bad number", NormalsHeader() + "\n" + NormalsRow("47654", "浜松", "x") + "\n", "line 2: bad temperature"},
      {"duplicate", NormalsHeader() + "\n" + NormalsRow("47654", "浜松") + "\n" + NormalsRow("47654", "浜松") + "\n",
       "line 3: station 47654 appears twice"},
      {"open quote", NormalsHeader() + "\n\"47654,\n", "line 2: unbalanced quotes"},
      {"no stations", NormalsHeader() + "\n", "no stations"},
  };
  for (const auto& c : cases) {
    std::vector<NormalsStation> s;
    std::string error;
    EXPECT_FALSE(ParseNormals(c.csv, "normals.csv", s, error)) << c.what;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_NE(error.find("normals.csv"), std::string::npos) << c.what;
  }
}

TEST(RadiationNormals, SkipsStationsWithoutRadiation) {
  const std::string json = R"({
"札幌": {"pref": "北海道", "block": 47412, "temp": [1,2,3,4,5,6,7,8,9,10,11,12],
         "radMJ": [6.0, 8.9, 12.7, 16.1, 18.4, 18.8, 17.4, 15.9, 13.3, 9.5, 6.1, 4.9], "radRef": false},
"浜松": {"block": 47654, "radMJ": null, "radRef": false},
"\u677e\u672c": {"block": 47618, "radMJ": [9.6,12.7,15.5,18.6,20.0,18.7,18.7,19.4,14.5,12.1,9.8,8.4], "radRef": true}
})";
  std::vector<RadiationNormals> s;
  std::string error;
  ASSERT_TRUE(ParseRadiationNormals(json, "jma_normals.json", s, error)) << error;
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].number, 47412);
  EXPECT_EQ(s[0].dailyMJ[0], 6.0f);
  EXPECT_EQ(s[0].dailyMJ[11], 4.9f);
  EXPECT_FALSE(s[0].marked);
  EXPECT_EQ(s[1].name, "松本");
  EXPECT_TRUE(s[1].marked);
}

TEST(RadiationNormals, ReportsBrokenDocuments) {
  struct Case {
    const char* what;
    const char* json;
    const char* message;
  } cases[] = {
      {"not json", "{\n\"a\": [1,,2]\n}", "line 2: unexpected character"},
      {"eleven months", R"({"a": {"block": 1, "radMJ": [1,2,3,4,5,6,7,8,9,10,11]}})", "12 monthly values"},
      {"no block", R"({"a": {"radMJ": null}})", "no station number"},
      {"negative", R"({"a": {"block": 1, "radMJ": [1,2,3,4,5,6,7,8,9,10,11,-1]}})", "month 12"},
      {"deep", "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]"
               "]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
       "nested too deeply"},
      {"list", "[1, 2]", "not an object of stations"},
  };
  for (const auto& c : cases) {
    std::vector<RadiationNormals> s;
    std::string error;
    EXPECT_FALSE(ParseRadiationNormals(c.json, "jma_normals.json", s, error)) << c.what;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
  }
}

// An hourly year in either of the two layouts the files use.
std::string HourlyCsv(bool quoted, const std::function<void(int, int, int, std::string&)>& edit = {}) {
  const char* titles[] = {"月", "日", "時", "外気温[℃]", "外気絶対湿度 [kg/kgDA]", "法線面直達日射量 [W/m2]",
                          "水平面天空日射量 [W/m2]", "水平面夜間放射量 [W/m2]", "太陽高度角[度]", "太陽方位角[度]"};
  auto field = [&](const std::string& v) { return quoted ? "\"" + v + "\"" : v; };
  std::string text;
  for (int c = 0; c < 10; ++c) text += (c ? "," : "") + field(titles[c]);
  text += quoted ? ",\r\n" : "\r\n";
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= kDays[m - 1]; ++d)
      for (int h = 1; h <= 24; ++h) {
        std::string line = field(std::to_string(m)) + "," + field(std::to_string(d)) + "," + field(std::to_string(h)) +
                           "," + field("-1.5") + "," + field("0.0032") + "," + field("0") + "," + field("0") + "," +
                           field("23.2222222222222") + "," + field("-70") + "," + field("-53");
        if (edit) edit(m, d, h, line);
        text += line + (quoted ? ",\r\n" : "\r\n");
      }
  std::string bytes;
  EXPECT_TRUE(ToCp932(text, bytes));
  return bytes;
}

TEST(HourlyYear, ReadsBothLayouts) {
  for (bool quoted : {false, true}) {
    HourlyYear year;
    std::string error;
    ASSERT_TRUE(ParseHourlyYear(HourlyCsv(quoted), "climateData_4.csv", year, error)) << error;
    ASSERT_EQ(year.hours.size(), 8760u);
    const HourlyValues& last = year.hours.back();
    EXPECT_EQ(last.month, 12);
    EXPECT_EQ(last.day, 31);
    EXPECT_EQ(last.hour, 24);
    EXPECT_DOUBLE_EQ(last.temperature, -1.5);
    EXPECT_DOUBLE_EQ(last.humidityRatio, 0.0032);
    EXPECT_DOUBLE_EQ(last.nocturnal, 23.2222222222222);
    EXPECT_DOUBLE_EQ(last.altitude, -70);
  }
}

TEST(HourlyYear, RefusesFilesThatAreNotAWholeYearInOrder) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"hour missing", HourlyCsv(false, [](int m, int d, int h, std::string& l) {
         if (m == 12 && d == 31 && h == 24) l = "";
       }), "8759 hours"},
      {"out of order", HourlyCsv(false, [](int m, int d, int h, std::string& l) {
         if (m == 3 && d == 1 && h == 1) l = "3,2,1,0,0,0,0,0,0,0";
       }), "line 1418: hour 3/2 1 where 3/1 1 was expected"},
      {"bad value", HourlyCsv(false, [](int m, int d, int h, std::string& l) {
         if (m == 1 && d == 1 && h == 2) l = "1,1,2,abc,0,0,0,0,0,0";
       }), "line 3: bad number \"abc\" in column 4"},
      {"impossible value", HourlyCsv(false, [](int m, int d, int h, std::string& l) {
         if (m == 1 && d == 1 && h == 1) l = "1,1,1,5,0,-3,0,0,0,0";
       }), "line 2: a value lies outside"},
      {"wrong header", "a,b,c\r\n", "line 1"},
      {"not shift-jis", std::string("\x81\x20\x81", 3), "not Shift-JIS"},
  };
  for (const auto& c : cases) {
    HourlyYear year;
    std::string error;
    EXPECT_FALSE(ParseHourlyYear(c.bytes, "climateData_4.csv", year, error)) << c.what;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_NE(error.find("climateData_4.csv"), std::string::npos) << c.what;
  }
}

TEST(ClimateSources, MissingFilesAreNamed) {
  std::vector<NormalsStation> s;
  std::string error;
  EXPECT_FALSE(ReadNormals("C:\\no\\such\\folder\\normals.csv", s, error));
  EXPECT_NE(error.find("normals.csv"), std::string::npos);
}

}  // namespace
}  // namespace kondra
