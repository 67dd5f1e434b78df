#include "psychro/Psychro.h"

#include <cmath>

namespace kondra {

namespace {

// Saturation pressure at 0 °C, hPa: the base of the Magnus-Tetens curve.
constexpr double kSatPressAt0 = 6.11;
// Magnus-Tetens constants, e = 6.11 · 10^(a·t / (b + t)): over liquid water
// (0 °C and warmer) and over ice (below 0 °C).
constexpr double kWaterA = 7.5;
constexpr double kWaterB = 237.3;
constexpr double kIceA = 9.5;
constexpr double kIceB = 265.5;
// mmHg per hPa: 760 mmHg / 1013.25 hPa.
constexpr double kMmHgPerHPa = 0.750062;
// Water vapour as an ideal gas, rho = e · M / (R · T): with e in mmHg,
// 133.322 Pa/mmHg × 18.015 g/mol / 8.314 J/(mol·K) ≈ 288.9 g·K/(m³·mmHg).
constexpr double kVapourGasFactor = 288.9;
// 0 °C in kelvin.
constexpr double kZeroCelsius = 273.15;
// Ratio of the molar masses of water and dry air (18.015 / 28.964).
constexpr double kMolarMassRatio = 0.62198;
// Standard atmosphere, mmHg: the fixed total pressure of moist air.
constexpr double kAtmosphere = 760.0;
// ln 10: the dew point inverts the base-10 power through the natural log.
constexpr double kLn10 = 2.302585;

float Single(double v) { return static_cast<float>(v); }

}  // namespace

bool ClampTemp(float& t) {
  if (t < -50.0f) t = -50.0f;
  if (t > 100.0f) t = 100.0f;
  return true;
}

bool ClampRelHum(float& rh) {
  if (rh < 0.0f) rh = 0.0f;
  if (rh > 100.0f) rh = 100.0f;
  return true;
}

float SatPressHPa(float t) {
  const bool water = t >= 0.0f;
  const double a = water ? kWaterA : kIceA;
  const double b = water ? kWaterB : kIceB;
  // The exponent is held in single precision before the power is taken, as
  // the stored saturation tables were made.
  const float exponent = Single(a * t / (b + t));
  return Single(kSatPressAt0 * std::pow(10.0, static_cast<double>(exponent)));
}

float SatPressMmHg(float t) { return Single(SatPressHPa(t) * kMmHgPerHPa); }

float AbsHumidity(float e, float t) {
  return Single(kVapourGasFactor * e / (t + kZeroCelsius));
}

float VapPressFromAbsHumidity(float rho, float t) {
  return Single((t + kZeroCelsius) * rho / kVapourGasFactor);
}

float SatAbsHumidity(float t) { return AbsHumidity(SatPressMmHg(t), t); }

float HumidityRatio(float e) { return Single(kMolarMassRatio * e / (kAtmosphere - e)); }

float DewPointTemp(float t, float rh) {
  if (rh <= 0.0f) return kNoValue;
  const bool water = t >= 0.0f;
  const double a = water ? kWaterA : kIceA;
  const double b = water ? kWaterB : kIceB;
  const float e = Single(static_cast<double>(SatPressHPa(t)) * rh * 0.01);
  const double c = std::log(e / kSatPressAt0) / kLn10;
  return Single(b * c / (a - c));
}

float VapPressFromRelHum(float t, float rh) {
  ClampTemp(t);
  ClampRelHum(rh);
  return Single(static_cast<double>(SatPressMmHg(t)) * rh * 0.01);
}

float RelHumFromVapPress(float t, float e) {
  ClampTemp(t);
  return Single(static_cast<double>(e) / SatPressMmHg(t) * 100.0);
}

float RelHumFromAbsHumidity(float t, float rho) {
  ClampTemp(t);
  return Single(static_cast<double>(rho) / SatAbsHumidity(t) * 100.0);
}

float RelHumFromDewPoint(float t, float td) {
  ClampTemp(t);
  return Single(static_cast<double>(SatPressMmHg(td)) / SatPressMmHg(t) * 100.0);
}

void LineFromPoints(float x1, float y1, float x2, float y2, float& slope, float& intercept) {
  if (x1 == x2) {
    slope = kNoValue;
    intercept = x1;
    return;
  }
  slope = Single((static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1));
  intercept = Single(y1 - static_cast<double>(slope) * x1);
}

void LineIntersection(float slope1, float intercept1, float slope2, float intercept2, float& x,
                      float& y) {
  if (slope1 == slope2) {
    x = 0.0f;
    y = 0.0f;
  } else {
    x = Single((static_cast<double>(intercept2) - intercept1) /
               (static_cast<double>(slope1) - slope2));
    y = Single(static_cast<double>(slope1) * x + intercept1);
  }
  // A vertical line is x = its intercept; the crossing lies on the other line there.
  if (slope1 == kNoValue) {
    x = intercept1;
    y = Single(static_cast<double>(slope2) * intercept1 + intercept2);
  }
  if (slope2 == kNoValue) {
    x = intercept2;
    y = Single(static_cast<double>(slope1) * intercept2 + intercept1);
  }
}

float MaxSingle(float a, float b) { return a < b ? b : a; }
float MinSingle(float a, float b) { return a >= b ? b : a; }
int32_t MaxInteger(int32_t a, int32_t b) { return a < b ? b : a; }
int32_t MinInteger(int32_t a, int32_t b) { return a >= b ? b : a; }

}  // namespace kondra
