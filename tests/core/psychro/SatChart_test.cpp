#include "psychro/SatChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "psychro/Psychro.h"

namespace kondra {
namespace {

TEST(SatChartUnits, SaturatedAmountPerUnit) {
  const float e20 = SatPressMmHg(20);
  EXPECT_FLOAT_EQ(SatValueIn("mmHg", 20), e20);
  EXPECT_FLOAT_EQ(SatValueIn("hPa", 20), static_cast<float>(e20 * 1.33322));
  EXPECT_FLOAT_EQ(SatValueIn("mb", 20), SatValueIn("hPa", 20));
  EXPECT_FLOAT_EQ(SatValueIn("g/m3", 20), SatAbsHumidity(20));
  EXPECT_NEAR(SatValueIn("g/kg'", 20), 14.7, 0.05);
  EXPECT_NEAR(SatValueIn("hPa", 20), 23.4, 0.05);
  EXPECT_EQ(SatValueIn("kPa", 20), 0.0f);
  EXPECT_EQ(SatValueIn("", 20), 0.0f);

  EXPECT_EQ(QuantityNameOf("g/m3"), "水蒸気量");
  EXPECT_EQ(QuantityNameOf("g/kg'"), "絶対湿度");
  for (const char* unit : {"mmHg", "hPa", "mb"}) EXPECT_EQ(QuantityNameOf(unit), "水蒸気分圧") << unit;
  EXPECT_TRUE(IsRatioUnit("g/kg'"));
  EXPECT_FALSE(IsRatioUnit("g/m3"));
}

TEST(SatChartUnits, HumidityRatioOnlyBelowTheBoilingPoint) {
  // Defined (and growing) while the saturation pressure is below 760 mmHg.
  for (int t = -50; t <= 100; ++t) {
    const float e = SatPressMmHg(static_cast<float>(t));
    const float ratio = SatValueIn("g/kg'", static_cast<float>(t));
    if (e < 760.0f) {
      EXPECT_GT(ratio, 0.0f) << t;
      if (t > -50) {
        EXPECT_GT(ratio, SatValueIn("g/kg'", static_cast<float>(t - 1))) << t;
      }
    } else {
      EXPECT_EQ(ratio, kNoValue) << t;
    }
  }
  EXPECT_EQ(SatValueIn("g/kg'", 100), kNoValue);
}

TEST(SatChartTexts, FieldTextIsNeverCut) {
  struct Case {
    int m, d;
    float value;
    const char* text;
  };
  const Case cases[] = {
      {6, 1, 20.0f, "  20.0"},
      {6, 2, 8.64f, "  8.64"},
      {6, 0, 0.0f, "     0"},
      {6, 1, -0.03f, "   0.0"},    // no minus sign on a zero
      {6, 2, -0.004f, "  0.00"},
      {6, 1, -0.06f, "  -0.1"},
      {6, 1, -12.5f, " -12.5"},
      {6, 1, 22533.8f, " 22534"},   // fewer decimals, never "2533.8"
      {6, 1, -8690.94f, " -8691"},
      {6, 2, 1234.567f, "1234.6"},
      {6, 1, 1234567.0f, "     -"},  // too wide even without decimals
      {6, 1, kNoValue, "     -"},
      {6, 1, std::numeric_limits<float>::infinity(), "     -"},
      {6, 1, std::numeric_limits<float>::quiet_NaN(), "     -"},
  };
  for (const Case& c : cases) EXPECT_EQ(FieldText(c.m, c.d, c.value), c.text) << c.value;
}

TEST(SatChartState, HumidityRatioNearTheBoilingPoint) {
  SatChart chart;
  chart.ApplyEntry(kTagUnit, 0, "g/kg'");
  // 99 °C: huge but defined, shown whole; 100 °C: none.
  chart.ApplyEntry(kTagTemp, 99);
  chart.ApplyEntry(kTagRelHum, 100);
  SatStateView v = chart.StateView();
  const float saturated = SatValueIn("g/kg'", 99);
  EXPECT_GT(saturated, 1000.0f);
  EXPECT_EQ(v.amount, FieldText(6, 1, saturated));
  EXPECT_EQ(v.amount.find('-'), std::string::npos);
  EXPECT_LE(std::abs(std::stof(v.amount) - saturated), 0.5f) << v.amount;
  chart.ApplyEntry(kTagTemp, 100);
  v = chart.StateView();
  EXPECT_EQ(v.amount, "     -");
  EXPECT_EQ(v.relHum, "   100");
  EXPECT_EQ(v.temp, " 100.0");
  // The mouse above the boiling point: no percentage saturation to speak of.
  chart.ApplyEntry(kTagTempMax, 100);
  chart.ApplyEntry(kTagTempMin, 90);
  chart.FromMouse(350, 175);
  v = chart.StateView();
  EXPECT_EQ(v.relHum, "     0");
  EXPECT_TRUE(v.enabled);
  // The report's row of 100 °C has no values.
  chart.FillSatTable();
  const std::vector<std::string> lines = SatReportLines(chart);
  EXPECT_EQ(lines.back().substr(0, 12), "  100.0     ");
  EXPECT_EQ(lines.back().find_first_not_of(" -", 10), std::string::npos) << lines.back();
}

TEST(SatChartGrid, StepsBySpan) {
  struct Case {
    int32_t span, temp, hum;
  };
  const Case cases[] = {{1, 1, 1},     {25, 1, 1},    {26, 2, 2},    {30, 2, 2},   {50, 2, 2},
                        {51, 5, 5},    {60, 5, 5},    {61, 10, 5},   {100, 10, 5}, {101, 10, 10},
                        {150, 10, 10}, {200, 10, 10}, {201, 10, 20}, {400, 10, 20}, {401, 10, 50},
                        {760, 10, 50}, {0, 10, 50}};
  for (const Case& c : cases) {
    EXPECT_EQ(TempStepOf(c.span), c.temp) << c.span;
    EXPECT_EQ(HumStepOf(c.span), c.hum) << c.span;
  }
}

TEST(SatChartState, StartsAtTwentyDegreesAndFiftyPercent) {
  SatChart chart;
  EXPECT_EQ(chart.HumUnit, "g/m3");
  EXPECT_EQ(chart.TempMin, 0);
  EXPECT_EQ(chart.TempMax, 30);
  EXPECT_EQ(chart.HumMax, 30);
  EXPECT_FLOAT_EQ(chart.CurAmount, static_cast<float>(SatAbsHumidity(20) * 50 * 0.01));
  EXPECT_FLOAT_EQ(chart.CurDewPoint, DewPointTemp(20, 50));
  EXPECT_FLOAT_EQ(chart.RefSatAmount, SatAbsHumidity(30));
  EXPECT_EQ(chart.TempStep, 2);
}

TEST(SatChartState, DefaultHumidityRangeFollowsTheUnit) {
  struct Case {
    const char* unit;
    float tempMax;
    float humMax;
  };
  const Case cases[] = {
      {"mmHg", 30, 32}, {"hPa", 30, 42}, {"mb", 30, 42}, {"g/m3", 30, 32}, {"g/kg'", 30, 32},
      {"mmHg", 100, 767},
      // Far below freezing the pressure rounds to 0; the range keeps a height.
      {"mmHg", -40, 1},
  };
  for (const Case& c : cases) {
    SatChart chart;
    chart.HumUnit = c.unit;
    chart.TempMax = c.tempMax;
    chart.TempMin = c.tempMax - 10;
    chart.HumMin = 5;
    chart.SetDefaultHumRange();
    EXPECT_EQ(chart.HumMin, 0) << c.unit;
    EXPECT_EQ(chart.HumMax, c.humMax) << c.unit << " " << c.tempMax;
  }
}

TEST(SatChartState, EntriesAreCheckedAndApplied) {
  struct Case {
    int tag;
    double value;
    const char* text;
    EntryResult result;
  };
  const Case cases[] = {
      {kTagTempMin, 30, "", EntryResult::Refused},  // equal to TempMax
      {kTagTempMin, 31, "", EntryResult::Refused},
      {kTagTempMin, 29, "", EntryResult::Range},
      {kTagTempMax, 0, "", EntryResult::Refused},   // equal to TempMin
      {kTagTempMax, 150, "", EntryResult::Range},   // held at 100
      {kTagHumMin, 30, "", EntryResult::Refused},   // equal to HumMax
      {kTagHumMin, -1, "", EntryResult::Refused},
      {kTagHumMax, 1031, "", EntryResult::Refused},
      {kTagHumMax, 0, "", EntryResult::Refused},    // equal to HumMin
      {kTagHumMax, 1030, "", EntryResult::Range},
      {kTagRelHum, 101, "", EntryResult::Refused},
      {kTagRelHum, -1, "", EntryResult::Refused},
      {kTagRelHum, 100, "", EntryResult::State},
      {kTagAmount, 10, "", EntryResult::Refused},
      {kTagUnit, 0, "", EntryResult::Refused},
      {kTagUnit, 0, "hPa", EntryResult::Range},
      {kTagTemp, 120, "", EntryResult::State},
      {kTagDewPoint, -80, "", EntryResult::State},
  };
  for (const Case& c : cases) {
    SatChart chart;
    const SatChart before = chart;
    EXPECT_EQ(chart.ApplyEntry(c.tag, c.value, c.text), c.result) << c.tag << " " << c.value;
    if (c.result == EntryResult::Refused) {
      EXPECT_EQ(chart.TempMin, before.TempMin);
      EXPECT_EQ(chart.TempMax, before.TempMax);
      EXPECT_EQ(chart.HumMin, before.HumMin);
      EXPECT_EQ(chart.HumMax, before.HumMax);
      EXPECT_EQ(chart.CurRelHum, before.CurRelHum);
      EXPECT_EQ(chart.HumUnit, before.HumUnit);
    }
  }

  SatChart chart;
  chart.ApplyEntry(kTagTemp, 120);
  EXPECT_EQ(chart.CurTemp, 100);
  EXPECT_EQ(chart.StateView().temp, " 100.0");
  EXPECT_TRUE(chart.StateView().noteVisible);

  chart = SatChart();
  chart.ApplyEntry(kTagTempMax, 150);
  EXPECT_EQ(chart.TempMax, 100);
  EXPECT_EQ(chart.HumMax, 767);

  chart = SatChart();
  chart.ApplyEntry(kTagUnit, 0, "mmHg");
  EXPECT_EQ(chart.HumMax, 32);
  EXPECT_FLOAT_EQ(chart.CurAmount, static_cast<float>(SatPressMmHg(20) * 50 * 0.01));
  chart.ApplyEntry(kTagUnit, 0, "hPa");
  EXPECT_EQ(chart.HumMax, 42);
  chart.ApplyEntry(kTagTempMin, -20);
  EXPECT_EQ(chart.TempMin, -20);
  EXPECT_EQ(chart.HumMax, 42);

  // The dew point entered gives the humidity; the dew point stays as entered.
  chart = SatChart();
  chart.ApplyEntry(kTagDewPoint, 9.27);
  EXPECT_NEAR(chart.CurRelHum, 50, 0.05);
  EXPECT_FLOAT_EQ(chart.CurDewPoint, 9.27f);
  chart.ApplyEntry(kTagDewPoint, 25);
  EXPECT_GT(chart.CurRelHum, 100);
}

TEST(SatChartState, MousePositionAndMarkPoint) {
  SatChart chart;
  chart.FromMouse(175, 175);
  EXPECT_FLOAT_EQ(chart.CurTemp, 15);
  EXPECT_FLOAT_EQ(chart.CurAmount, 15);
  EXPECT_NEAR(chart.CurRelHum, 15 / SatAbsHumidity(15) * 100, 1e-3);
  EXPECT_EQ(chart.StatePoint(), (TPoint{175, 175}));
  EXPECT_FALSE(chart.CanMark());  // 15 g/m3 at 15 °C is above saturation

  chart.FromMouse(350, 350);  // no vapour at all: no dew point
  EXPECT_EQ(chart.CurRelHum, 0);
  EXPECT_EQ(chart.CurDewPoint, kNoValue);
  EXPECT_EQ(chart.StateView().dewPoint, "   －");
  EXPECT_EQ(chart.StateView().dewPointUpDown, -50);

  chart.HumUnit = "Pa";  // a unit the program cannot compute
  chart.FromMouse(100, 100);
  EXPECT_EQ(chart.CurRelHum, 0);
}

TEST(SatChartState, ZoomAndPresets) {
  SatChart chart;
  EXPECT_FALSE(chart.ZoomTo(10, 10, 10, 200));
  EXPECT_FALSE(chart.ZoomTo(10, 10, 200, 10));
  ASSERT_TRUE(chart.ZoomTo(70, 35, 140, 175));
  EXPECT_EQ(chart.TempMin, 6);
  EXPECT_EQ(chart.TempMax, 12);
  EXPECT_EQ(chart.HumMax, 27);
  EXPECT_EQ(chart.HumMin, 15);

  // A band that rounds to one temperature gives a range 1 °C wide.
  chart = SatChart();
  ASSERT_TRUE(chart.ZoomTo(100, 100, 102, 300));
  EXPECT_EQ(chart.TempMin, 9);
  EXPECT_EQ(chart.TempMax, 10);

  chart.ApplyPreset(3);
  EXPECT_EQ(chart.TempMin, -50);
  EXPECT_EQ(chart.TempMax, 100);
  EXPECT_EQ(chart.HumMax, 30);
  chart.ApplyPreset(1);
  EXPECT_EQ(chart.TempMin, 5);
  EXPECT_EQ(chart.HumMax, 20);
  chart.ApplyPreset(7);  // no such item
  EXPECT_EQ(chart.TempMin, 5);
}

TEST(SatChartState, StateAboveSaturationIsWaterOrIce) {
  SatChart chart;
  chart.FromMouse(350, 0);  // 30 g/m3 at 30 °C: just below saturation
  SatStateView v = chart.StateView();
  EXPECT_TRUE(v.enabled);
  EXPECT_EQ(v.colour, 15);
  EXPECT_EQ(v.amount, " 30.00");

  chart.FromMouse(0, 0);  // 30 g/m3 at 0 °C
  v = chart.StateView();
  EXPECT_FALSE(v.enabled);
  EXPECT_EQ(v.relHum, "   水");
  EXPECT_EQ(v.amount, "   水");
  EXPECT_EQ(v.dewPoint, "   －");
  EXPECT_EQ(v.colour, 156);

  chart.TempMin = -10;
  chart.FromMouse(0, 0);
  v = chart.StateView();
  EXPECT_EQ(v.relHum, "   氷");
  EXPECT_EQ(v.colour, 124);

  chart = SatChart();
  chart.ApplyEntry(kTagUnit, 0, "hPa");
  chart.ApplyEntry(kTagTemp, 60);
  chart.ApplyEntry(kTagRelHum, 100);
  v = chart.StateView();
  EXPECT_EQ(v.amountCaption, "飽和水蒸気分圧");
  EXPECT_EQ(v.amount, " 199.4");  // one decimal from 100 up
  EXPECT_EQ(v.relHum, "   100");
  EXPECT_EQ(v.dewPointHint, "60.0℃、100％の時に結露する温度です。");
  EXPECT_EQ(v.tempUpDown, 60);
}

TEST(SatChartGlass, PictureAndSize) {
  struct Case {
    float relHum;
    GlassPicture picture;
    int32_t band;
  };
  const Case cases[] = {{0, GlassPicture::Empty, 0},     {0.4f, GlassPicture::Empty, 0},
                        {1, GlassPicture::Filled, 74},   {50, GlassPicture::Filled, 40},
                        {100, GlassPicture::Filled, 4},  {100.4f, GlassPicture::Filled, 4},
                        {101, GlassPicture::Overflowing, 0}, {250, GlassPicture::Overflowing, 0}};
  for (const Case& c : cases) {
    GlassLook look = GlassFor(c.relHum);
    EXPECT_EQ(look.picture, c.picture) << c.relHum;
    EXPECT_EQ(look.band, c.band) << c.relHum;
  }

  SatChart chart;
  chart.ApplyEntry(kTagTemp, 30);
  EXPECT_EQ(chart.GlassSize(), (TPoint{169, 209}));
  chart.ApplyEntry(kTagTemp, 100);  // far more than at 30 °C: held at twice the size
  EXPECT_EQ(chart.GlassSize(), (TPoint{338, 418}));
}

TEST(SatChartTexts, CaptionsFollowTheUnit) {
  SatChart chart;
  EXPECT_EQ(chart.LegendText(), "相対湿度 (％)");
  EXPECT_EQ(chart.AxisTitle(), "水蒸気量 (g/m3)");
  EXPECT_EQ(chart.Caption("水蒸気分圧曲線 （-50～100℃）"), "水蒸気量曲線 （-50～100℃）");
  EXPECT_EQ(chart.MarkHeading(), "  No    ﾟC     %  g/m3  DPﾟC");
  chart.ApplyEntry(kTagUnit, 0, "g/kg'");
  EXPECT_EQ(chart.LegendText(), "比較湿度 (％)");
  EXPECT_EQ(chart.RelHumCaption(), "比較湿度※");
  EXPECT_EQ(chart.HumRangeCaption(), "湿度範囲(g/kg')");
  EXPECT_EQ(chart.Caption("水蒸気量曲線 （-50～100℃）"), "絶対湿度曲線 （-50～100℃）");
  EXPECT_EQ(chart.MarkHeading(), "  No    ﾟC     % g/kg'  DPﾟC");
  chart = SatChart();
  EXPECT_EQ(chart.MarkLine(3), "   3  20.0  50.0   8.6   9.3");
}

TEST(SatReport, LinesStepsAndNote) {
  struct Case {
    float tempMin, tempMax;
    int32_t step;
    size_t lines;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {0, 30, 1, 31, "    0.0   ", "   30.0   "},
      {-20, 40, 2, 31, "  -20.0   ", "   40.0   "},
      {-50, 100, 5, 31, "  -50.0   ", "  100.0   "},
      {0, 34, 1, 35, "    0.0   ", "   34.0   "},
      {0, 35, 2, 18, "    0.0   ", "   34.0   "},
  };
  for (const Case& c : cases) {
    SatChart chart;
    chart.TempMin = c.tempMin;
    chart.TempMax = c.tempMax;
    chart.FillSatTable();
    EXPECT_EQ(SatReportStep(static_cast<int32_t>(c.tempMax - c.tempMin)), c.step);
    const std::vector<std::string> lines = SatReportLines(chart);
    ASSERT_EQ(lines.size(), c.lines) << c.tempMin << ".." << c.tempMax;
    EXPECT_EQ(lines.front().substr(0, 10), c.first);
    EXPECT_EQ(lines.back().substr(0, 10), c.last);
    for (const std::string& line : lines) EXPECT_EQ(line.size(), 90u) << line;
  }

  SatChart chart;
  chart.FillSatTable();
  const std::vector<std::string> lines = SatReportLines(chart);
  EXPECT_EQ(lines[20], "   20.0      17.29   15.56   13.83   12.10   10.37    8.64    6.92    5.19    3.46    1.73");

  // Percentage saturation: the fractions of the saturated humidity ratio.
  chart.HumUnit = "g/kg'";
  chart.FillSatTable();
  const std::string line = SatReportLines(chart)[20];
  EXPECT_EQ(line.substr(10, 8), "   14.70");
  EXPECT_EQ(line.substr(50, 8), "    7.35");

  EXPECT_EQ(SatReportTitle(-20, 40), "飽和水蒸気曲線　（-20℃～40℃）");
  EXPECT_EQ(SatReportUnitLine("mmHg"), "単位 (mmHg)");
  EXPECT_EQ(SatReportNote(100), "※計算式の関係上５０℃以上は計算精度が落ちます。");
  EXPECT_EQ(SatReportNote(50), "　");
}

}  // namespace
}  // namespace kondra
