// Moist-air functions: saturation vapour pressure over water and ice, vapour
// pressure, relative and absolute humidity, dew point, humidity ratio, and
// the two straight-line helpers the diagrams use.
//
// Every temperature and humidity the program shows or computes with comes
// out of these functions and no other formulas. Units are fixed: °C, % of
// relative humidity, mmHg (the hPa form is only the base of the mmHg form),
// g/m³ of absolute humidity, kg/kg of humidity ratio. Pascal values are made
// by the callers (mmHg × 133.322).
//
// Arguments and results are single-precision; the arithmetic inside runs in
// double and each function rounds its result to float once, on return, so
// the values agree digit for digit with the stored calculation results.
// -9999 stands for "no value" (the dew point of dry air, the slope of a
// vertical line).
#pragma once

#include <cstdint>

namespace kondra {

// The "no value" marker of dew points and line slopes.
inline constexpr float kNoValue = -9999.0f;

// Limits t to -50 … 100 °C (the range of every temperature field and of the
// saturation table). Always succeeds.
bool ClampTemp(float& t);
// Limits rh to 0 … 100 %. Always succeeds.
bool ClampRelHum(float& rh);

// Saturation vapour pressure in hPa at t °C: over water from 0 °C up, over
// ice below. Not clamped: the engine passes boundary temperatures as they are.
float SatPressHPa(float t);
// The same in mmHg.
float SatPressMmHg(float t);
// Absolute humidity of saturated air at t °C, g/m³.
float SatAbsHumidity(float t);

// Dew point of air at t °C and rh %, °C; kNoValue when rh ≤ 0. The water or
// ice constants are chosen by the sign of the air temperature t, not of the
// dew point.
float DewPointTemp(float t, float rh);

// Humidity ratio (kg water per kg dry air) for vapour pressure e mmHg at the
// standard atmosphere.
float HumidityRatio(float e);
// Absolute humidity, g/m³, of vapour at e mmHg and t °C.
float AbsHumidity(float e, float t);
// Vapour pressure, mmHg, of absolute humidity rho g/m³ at t °C.
float VapPressFromAbsHumidity(float rho, float t);

// Relative humidity in % (t clamped to -50 … 100). The results are not
// limited to 100: vapour above saturation gives more.
float RelHumFromVapPress(float t, float e);
float RelHumFromAbsHumidity(float t, float rho);
float RelHumFromDewPoint(float t, float td);  // td is not clamped

// Vapour pressure, mmHg, of air at t °C and rh % (both clamped first).
float VapPressFromRelHum(float t, float rh);

// The line y = slope·x + intercept through two points. A vertical line
// (x1 = x2) gets slope kNoValue and its x position as the intercept.
void LineFromPoints(float x1, float y1, float x2, float y2, float& slope, float& intercept);
// Where two such lines cross. Parallel lines give (0, 0); a line of slope
// kNoValue is the vertical line x = intercept.
void LineIntersection(float slope1, float intercept1, float slope2, float intercept2, float& x,
                      float& y);

// The larger / smaller of two values (b on a tie for MinSingle, a for
// MaxSingle), and the same pair for integers.
float MaxSingle(float a, float b);
float MinSingle(float a, float b);
int32_t MaxInteger(int32_t a, int32_t b);
int32_t MinInteger(int32_t a, int32_t b);

}  // namespace kondra
