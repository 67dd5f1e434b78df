#include "psychro/HumidityAir.h"

#include <cmath>

#include <algorithm>
#include <cstdio>

#include "env/Numbers.h"
#include "psychro/Psychro.h"

namespace kondra {

namespace {

double D(float value) { return static_cast<double>(value); }

// The value to print with `decimals` decimals: one that rounds to zero is
// printed as 0, never as "-0".
double Signed(float value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(D(value) * scale) == 0 ? 0.0 : D(value);
}

}  // namespace

HumidityAir::HumidityAir() {
  AirSatAmount = SatAbsHumidity(AirTemp);
  RefSatAmount = SatAbsHumidity(static_cast<float>(kTempBarMax));
}

BarMoves HumidityAir::TempBarMoved(int32_t position, AirBar fixed) {
  BarMoves moves;
  AirTemp = std::min(static_cast<float>(position), TempTrackMax);
  AirSatAmount = SatAbsHumidity(AirTemp);
  if (fixed == AirBar::RelHum) {
    AirVapPress = VapPressFromRelHum(AirTemp, AirRelHum);
    AirAmount = AbsHumidity(AirVapPress, AirTemp);
    moves.vapour = RoundEven(AirAmount);
  } else if (fixed == AirBar::Vapour) {
    AirRelHum = RelHumFromAbsHumidity(AirTemp, AirAmount);
    moves.relHum = RoundEven(AirRelHum);
  }
  return moves;
}

BarMoves HumidityAir::RelHumBarMoved(int32_t position) {
  BarMoves moves;
  AirRelHum = static_cast<float>(position);
  AirVapPress = VapPressFromRelHum(AirTemp, AirRelHum);
  AirAmount = AbsHumidity(AirVapPress, AirTemp);
  moves.vapour = RoundEven(AirAmount);
  return moves;
}

BarMoves HumidityAir::VapourBarMoved(int32_t position) {
  BarMoves moves;
  AirAmount = static_cast<float>(position);
  AirVapPress = VapPressFromAbsHumidity(AirAmount, AirTemp);
  AirRelHum = RelHumFromVapPress(AirTemp, AirVapPress);
  moves.relHum = RoundEven(AirRelHum);
  return moves;
}

AirView ViewOf(const HumidityAir& air) {
  AirView v;
  const double ref = air.RefSatAmount > 0 ? D(air.RefSatAmount) : 1.0;
  v.glassWidth = RoundEven(D(air.AirSatAmount) * 100 / ref);
  v.glassHeight = RoundEven(D(air.AirSatAmount) * 123 / ref);

  v.tempValue = FormatSingle(7, 0, air.AirTemp) + " ℃";
  v.relHumValue = air.AirRelHum > 100 ? FormatSingle(7, 0, 100) + "％＜" : FormatSingle(7, 0, air.AirRelHum) + " ％";
  v.vapourValue = FormatSingle(7, 0, air.AirAmount) + " g/m3";

  v.glass = GlassFor(air.AirRelHum);

  v.dewPoint = DewPointTemp(air.AirTemp, air.AirRelHum);
  v.water = air.AirTemp < v.dewPoint ? std::max(0.0f, air.AirAmount - air.AirSatAmount) : 0.0f;

  v.stateText = FormatPrintf("%2.0f ℃  %3.0f ％", Signed(air.AirTemp, 0), D(air.AirRelHum));
  v.stateHint = FormatPrintf("空気の温度と相対湿度　%.0f (℃)  %.0f (％)", D(air.AirTemp), D(air.AirRelHum));
  v.amountText = FormatPrintf("%2.0f ｇ", D(air.AirAmount));
  v.amountHint = FormatPrintf("空気１ｍ３中に含まれる水蒸気の量　%.1f (g/m3)", D(air.AirAmount));
  const bool hasDewPoint = v.dewPoint > -50;
  v.dewPointText = hasDewPoint ? FormatPrintf("露点温度   %2.0f ℃", Signed(v.dewPoint, 0)) : "露点温度     －";
  // Dry air has no dew point: the hint says so instead of the marker value.
  v.dewPointHint = hasDewPoint ? FormatPrintf("%2.0f℃/%3.0f％の空気が結露する温度 %.1f (℃)", D(air.AirTemp),
                                        D(air.AirRelHum), Signed(v.dewPoint, 1))
                               : FormatPrintf("%2.0f℃/%3.0f％の空気が結露する温度 － (℃)", D(air.AirTemp),
                                        D(air.AirRelHum));
  v.waterText = FormatPrintf("結露水 %2.0f ｇ", D(v.water));
  v.waterHint = FormatPrintf("結露水量　%.1f (g/m3)", D(v.water));
  v.waterVisible = air.AirRelHum > 100;
  v.adoptEnabled = air.AirRelHum >= 0 && air.AirRelHum <= 100;
  return v;
}

std::string AdoptQuestion(const HumidityAir& air) {
  return "温度=" + FormatSingle(5, 1, air.AirTemp) + "℃、湿度=" + FormatSingle(4, 0, air.AirRelHum) +
         "％の室内条件を採用しますか？";
}

}  // namespace kondra
