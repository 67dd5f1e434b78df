#include "psychro/HumidityAir.h"

#include <gtest/gtest.h>

#include "psychro/Psychro.h"

namespace kondra {
namespace {

// The state every activation of the tool sets: 20 °C, then 50 % with the
// humidity held.
HumidityAir RoomAir() {
  HumidityAir air;
  air.TempBarMoved(20, AirBar::RelHum);
  air.RelHumBarMoved(50);
  return air;
}

TEST(HumidityAir, TwentyDegreesFiftyPercent) {
  HumidityAir air;
  EXPECT_FLOAT_EQ(air.RefSatAmount, SatAbsHumidity(40));
  BarMoves moves = air.TempBarMoved(20, AirBar::RelHum);
  EXPECT_EQ(moves.vapour, 0);  // no humidity yet
  moves = air.RelHumBarMoved(50);
  EXPECT_EQ(moves.vapour, 9);
  EXPECT_EQ(moves.relHum, -1);
  EXPECT_NEAR(air.AirAmount, 8.65, 0.01);

  const AirView v = ViewOf(air);
  EXPECT_EQ(v.tempValue, "     20 ℃");
  EXPECT_EQ(v.relHumValue, "     50 ％");
  EXPECT_EQ(v.vapourValue, "      9 g/m3");
  EXPECT_EQ(v.stateText, "20 ℃   50 ％");
  EXPECT_EQ(v.stateHint, "空気の温度と相対湿度　20 (℃)  50 (％)");
  EXPECT_EQ(v.amountText, " 9 ｇ");
  EXPECT_EQ(v.amountHint, "空気１ｍ３中に含まれる水蒸気の量　8.6 (g/m3)");
  EXPECT_EQ(v.dewPointText, "露点温度    9 ℃");
  EXPECT_EQ(v.dewPointHint, "20℃/ 50％の空気が結露する温度 9.3 (℃)");
  EXPECT_EQ(v.glass.picture, GlassPicture::Filled);
  EXPECT_EQ(v.glass.band, 40);
  EXPECT_EQ(v.glassWidth, RoundEven(SatAbsHumidity(20) * 100.0 / SatAbsHumidity(40)));
  EXPECT_EQ(v.glassHeight, RoundEven(SatAbsHumidity(20) * 123.0 / SatAbsHumidity(40)));
  EXPECT_FALSE(v.waterVisible);
  EXPECT_EQ(v.water, 0);
  EXPECT_TRUE(v.adoptEnabled);
  EXPECT_EQ(AdoptQuestion(air), "温度= 20.0℃、湿度=  50％の室内条件を採用しますか？");
}

TEST(HumidityAir, ADewPointJustBelowZeroHasNoSign) {
  // 4 ℃ and 75 %: the dew point is -0.02 ℃.
  HumidityAir air;
  air.TempBarMoved(4, AirBar::RelHum);
  air.RelHumBarMoved(75);
  const AirView v = ViewOf(air);
  ASSERT_LT(v.dewPoint, 0.0f);
  ASSERT_GT(v.dewPoint, -0.05f);
  EXPECT_EQ(v.dewPointText, "露点温度    0 ℃");
  EXPECT_EQ(v.dewPointHint, " 4℃/ 75％の空気が結露する温度 0.0 (℃)");
}

TEST(HumidityAir, TooMuchVapourCondenses) {
  HumidityAir air = RoomAir();
  air.TempBarMoved(10, AirBar::RelHum);
  const BarMoves moves = air.VapourBarMoved(20);
  EXPECT_GT(air.AirRelHum, 200);
  EXPECT_EQ(moves.relHum, RoundEven(air.AirRelHum));

  const AirView v = ViewOf(air);
  EXPECT_EQ(v.relHumValue, "    100％＜");
  EXPECT_EQ(v.glass.picture, GlassPicture::Overflowing);
  EXPECT_TRUE(v.waterVisible);
  EXPECT_NEAR(v.water, 20 - SatAbsHumidity(10), 1e-4);
  EXPECT_EQ(v.waterText, "結露水 11 ｇ");
  EXPECT_EQ(v.waterHint, "結露水量　10.6 (g/m3)");
  EXPECT_FALSE(v.adoptEnabled);
}

TEST(HumidityAir, HeldVapourWarmedLowersTheHumidity) {
  HumidityAir air = RoomAir();
  const float before = air.AirRelHum;
  const AirView small = ViewOf(air);
  const BarMoves moves = air.TempBarMoved(30, AirBar::Vapour);
  EXPECT_LT(air.AirRelHum, before);
  EXPECT_EQ(moves.relHum, RoundEven(air.AirRelHum));
  EXPECT_EQ(moves.vapour, -1);
  EXPECT_NEAR(air.AirAmount, 8.65, 0.01);
  const AirView large = ViewOf(air);
  EXPECT_GT(large.glassWidth, small.glassWidth);
  EXPECT_GT(large.glassHeight, small.glassHeight);

  // Cooled below its dew point the same air condenses.
  air.TempBarMoved(5, AirBar::Vapour);
  EXPECT_GT(air.AirRelHum, 100);
  EXPECT_GT(ViewOf(air).water, 1.5f);
}

TEST(HumidityAir, DryAirAndTheTopOfTheHumidityBar) {
  HumidityAir air = RoomAir();
  air.RelHumBarMoved(0);
  AirView v = ViewOf(air);
  EXPECT_EQ(v.dewPointText, "露点温度     －");
  EXPECT_EQ(v.dewPointHint, "20℃/  0％の空気が結露する温度 － (℃)");
  EXPECT_EQ(v.glass.picture, GlassPicture::Empty);
  EXPECT_TRUE(v.adoptEnabled);

  // 101 % stands for above saturation, but the vapour is held at saturation.
  const BarMoves moves = air.RelHumBarMoved(101);
  EXPECT_EQ(moves.vapour, RoundEven(SatAbsHumidity(20)));
  v = ViewOf(air);
  EXPECT_EQ(v.glass.picture, GlassPicture::Overflowing);
  EXPECT_EQ(v.water, 0);
  EXPECT_EQ(v.relHumValue, "    100％＜");
  EXPECT_FALSE(v.adoptEnabled);
}

TEST(HumidityAir, TemperatureHeldAtTheTopOfItsBar) {
  HumidityAir air = RoomAir();
  air.TempTrackMax = 35;
  air.TempBarMoved(40, AirBar::RelHum);
  EXPECT_EQ(air.AirTemp, 35);
  // The glass is at full size at 40 °C only.
  air.TempTrackMax = 40;
  air.TempBarMoved(40, AirBar::RelHum);
  const AirView v = ViewOf(air);
  EXPECT_EQ(v.glassWidth, 100);
  EXPECT_EQ(v.glassHeight, 123);
}

}  // namespace
}  // namespace kondra
