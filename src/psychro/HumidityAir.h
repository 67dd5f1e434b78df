// The visual humidity tool without its window: the air of a room set by three
// track bars (temperature 0 … 40 °C, relative humidity 0 … 101 %, water
// vapour 0 … 50 g/m3), one quantity held fixed while another moves and the
// third following from the moist-air functions; and what the window shows of
// it: labels, hints, the glass, the condensed water.
#pragma once

#include <cstdint>
#include <string>

#include "psychro/SatChart.h"

namespace kondra {

// The track bars (their tags) and the quantity held fixed.
enum class AirBar { Temp = 1, RelHum = 2, Vapour = 3 };

inline constexpr int32_t kTempBarMax = 40;
inline constexpr int32_t kRelHumBarMax = 101;  // 101 stands for above saturation
inline constexpr int32_t kVapourBarMax = 50;

// Positions the program gives the other bars after a change (-1: leave it).
struct BarMoves {
  int32_t relHum = -1;
  int32_t vapour = -1;
};

struct HumidityAir {
  HumidityAir();

  float AirTemp = 0;      // °C
  float AirRelHum = 0;    // %
  float AirVapPress = 0;  // mmHg
  float AirAmount = 0;    // g/m3
  float AirSatAmount = 0; // g/m3 at AirTemp
  float TempTrackMax = kTempBarMax;
  float RefSatAmount = 0;  // at 40 °C: the glass at full size

  // The change rules of the three bars. The temperature bar keeps the
  // humidity (fixed == RelHum) or the vapour amount (fixed == Vapour) and
  // moves the other bar; the humidity bar keeps the temperature and moves the
  // vapour bar (the vapour is limited to saturation); the vapour bar keeps
  // the temperature and moves the humidity bar (the humidity may exceed 100).
  BarMoves TempBarMoved(int32_t position, AirBar fixed);
  BarMoves RelHumBarMoved(int32_t position);
  BarMoves VapourBarMoved(int32_t position);
};

// What the window shows of the air.
struct AirView {
  int32_t glassWidth = 0, glassHeight = 0;  // the stretched glass, pixels
  GlassLook glass;
  std::string tempValue, relHumValue, vapourValue;  // the rows' value labels
  std::string stateText, stateHint;                 // large: temperature and humidity
  std::string amountText, amountHint;               // large: vapour amount
  std::string dewPointText, dewPointHint;
  std::string waterText, waterHint;
  bool waterVisible = false;
  bool adoptEnabled = false;
  float dewPoint = 0;
  float water = 0;  // g/m3 condensed, never negative
};
AirView ViewOf(const HumidityAir& air);

// The question before the room condition is adopted.
std::string AdoptQuestion(const HumidityAir& air);

}  // namespace kondra
