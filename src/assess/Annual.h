// The year-round check of a construction: monthly condensation in it and
// drying out again, by steady monthly vapour diffusion (the monthly method
// of the interstitial-condensation norms). Beside the single pair of air
// conditions of the calculation, it asks whether water that condenses in the
// cold months leaves again within the year.
//
// Per month the temperatures of every boundary follow from the rows'
// thermal resistances; in the vapour-resistance coordinate Z (from side A,
// the outside) the vapour pressure runs straight from pe to pi unless it
// would exceed saturation: then it is the lower convex hull of the points
// (0, pe), (Z_k, psat_k), (Z_T, pi), and the boundaries where the hull
// touches saturation are the condensation planes. A plane holding water
// stays at saturation in the following months (evaporating when the flows
// leave it) until the water is gone. No liquid transport, no storage, no
// heat of phase change.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kondra {

// One month of air on both sides: °C and Pa.
struct MonthAir {
  double outsideTemp = 0, outsidePress = 0;
  double insideTemp = 0, insidePress = 0;
};
using YearClimate = std::array<MonthAir, 12>;  // January first

// Saturation pressure (Pa) of the monthly method: over water from 0 °C up,
// over ice below.
double AnnualSatPress(double temp);
// The temperature whose saturation pressure is `press` (Pa).
double AnnualSatTemp(double press);
// Days of each month of a 365-day year, January first.
int MonthDays(int month);

// A relative humidity (%) as a vapour pressure (Pa) at `temp`.
double VapourPressOf(double temp, double relHum);
// Inside humidity class 1..5: pi = pe + Δp, Δp falling linearly from the
// class value (270, 540, 810, 1080, 1350 Pa) at θe <= 0 °C to 0 at θe >= 20 °C,
// and never above saturation at θi.
double ClassInsidePress(int humidityClass, double outsideTemp, double outsidePress, double insideTemp);

// A row of the construction as the engine uses it: r in m²·h·°C/kcal and rv
// in m²·h·mmHg/g, side A first.
struct AnnualRow {
  double thermalRes = 0;
  double vapourRes = 0;
};

struct AnnualPlane {
  int boundary = 0;          // as numbered in result table A: 1 = side A air
  double rate = 0;           // g/(m²·h), positive for condensation
  double accumulated = 0;    // g/m² at the month's end
};
struct AnnualMonthResult {
  int month = 0;  // 1..12
  std::vector<AnnualPlane> planes;
  double total = 0;  // g/m² held at the month's end, all planes
};
struct SurfaceMonth {
  int month = 0;
  std::optional<double> fRsiMin;  // none when θi = θe
};

enum class AnnualVerdict { None, Dries, Accumulates };

struct AnnualResult {
  AnnualVerdict verdict = AnnualVerdict::None;
  int startMonth = 0;  // 0: no month condenses
  std::vector<AnnualMonthResult> months;  // in the order calculated
  double maxAccumulated = 0;
  int maxMonth = 0;  // 0 with no water at all
  // The mould criterion month by month (critical surface humidity 80 %).
  std::vector<SurfaceMonth> surface;  // January first
  std::optional<double> largestFRsiMin;  // over the months with θi − θe of 5 K or more
  int largestFRsiMinMonth = 0;
  double fRsi = 0;             // the construction's, with its own inside row
  double fRsiMouldCheck = 0;   // with the inside surface resistance 0.25 m²·K/W
};

// "年間を通じて内部結露なし", "年間で乾燥する", "年間で水分が蓄積する".
std::string VerdictText(AnnualVerdict verdict);
// "none", "dries", "accumulates".
std::string VerdictKey(AnnualVerdict verdict);

// The whole year. False with `problem` when the rows cannot be assessed
// (fewer than two, or a row without thermal or vapour resistance).
bool AssessYear(const std::vector<AnnualRow>& rows, const YearClimate& climate, AnnualResult& result,
                std::string& problem);

}  // namespace kondra
