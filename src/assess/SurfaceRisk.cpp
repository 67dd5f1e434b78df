#include "assess/SurfaceRisk.h"

#include <algorithm>
#include <cmath>

#include "env/Cp932.h"
#include "env/Numbers.h"
#include "env/Units.h"
#include "psychro/Psychro.h"

namespace kondra {
namespace {

float Single(double v) { return static_cast<float>(v); }

// The constants of SatPressHPa (Psychro.cpp): 6.11 × 10^(a·t / (b + t)) hPa,
// over water from 0 °C, over ice below; and its hPa → mmHg factor.
constexpr double kSatBase = 6.11;
constexpr double kWaterA = 7.5, kWaterB = 237.3;
constexpr double kIceA = 9.5, kIceB = 265.5;
constexpr double kMmHgPerHPa = 0.750062;

SurfaceVerdict VerdictOf(float relHum) {
  if (relHum >= 100.0f) return SurfaceVerdict::Condensation;
  if (relHum >= kCriticalSurfaceRelHum) return SurfaceVerdict::MouldRisk;
  return SurfaceVerdict::Dry;
}

SurfaceSide AssessSide(const CalcState& s, int side, int boundary) {
  const TSideCond& air = s.SideCond[static_cast<std::size_t>(side)];
  SurfaceSide r;
  r.side = side;
  r.boundary = boundary;
  r.name = (side == 1 ? s.SideNameA : s.SideNameB) + "表面";
  r.surfaceTemp = s.BoundTemp[static_cast<std::size_t>(boundary)];
  r.surfaceSatPress = SatPressMmHg(r.surfaceTemp);
  r.airVapPress = air.VapPress;
  r.surfaceRelHum = r.surfaceSatPress > 0 ? Single(100.0 * r.airVapPress / r.surfaceSatPress) : 0.0f;
  if (air.DewPoint != kNoValue && air.VapPress > 0)
    r.dewMargin = Single(static_cast<double>(r.surfaceTemp) - air.DewPoint);
  r.verdict = VerdictOf(r.surfaceRelHum);
  return r;
}

// Resistances in the current unit system, with the digits they carry.
std::string ResText(float r) { return FormatPrintf("%.4g", static_cast<double>(r * UnitFactor[2])); }
const char* ResUnit() { return SIUnits ? "㎡K/W" : "㎡h℃/kcal"; }

}  // namespace

const char* SurfaceVerdictText(SurfaceVerdict v) {
  switch (v) {
    case SurfaceVerdict::Condensation: return "表面結露あり";
    case SurfaceVerdict::MouldRisk: return "カビ発生の危険あり";
    default: return "問題なし";
  }
}

std::optional<float> SatTempFromPress(float e) {
  if (!(e > 0)) return std::nullopt;
  const double c = std::log10(e / kMmHgPerHPa / kSatBase);
  // psat(0) = 6.11 hPa: a higher pressure lies on the water branch.
  const bool water = c >= 0;
  const double a = water ? kWaterA : kIceA, b = water ? kWaterB : kIceB;
  return Single(b * c / (a - c));
}

int InsideSide(const CalcState& s) {
  const bool aRoom = s.SideNameA == "室内", bRoom = s.SideNameB == "室内";
  return aRoom && !bRoom ? 1 : 2;
}

SurfaceAssessment AssessSurfaces(const CalcState& s) {
  SurfaceAssessment a;
  const int n = std::clamp<int>(s.LayerCount, 0, kMaxLayers);
  if (!s.Calculated || n < 2) return a;
  a.assessed = true;
  a.sides[0] = AssessSide(s, 1, 2);
  a.sides[1] = AssessSide(s, 2, n);

  const int in = InsideSide(s);
  const TSideCond& inside = s.SideCond[static_cast<std::size_t>(in)];
  const TSideCond& outside = s.SideCond[static_cast<std::size_t>(3 - in)];
  const double ti = inside.Temp, te = outside.Temp;
  if (ti == te) {
    a.factorMessage = kEqualTempsMessage;
    return a;
  }
  SurfaceFactor f;
  f.insideSide = in;
  const SurfaceSide& surface = a.sides[static_cast<std::size_t>(in - 1)];
  f.fRsi = Single((surface.surfaceTemp - te) / (ti - te));
  // The inside α row is the last row for side B, the first for side A.
  f.insideSurfaceRes = s.LayerData[static_cast<std::size_t>(in == 2 ? n : 1)].ThermalRes;
  const double total = static_cast<double>(s.TotalThermalRes) - f.insideSurfaceRes + kMouldCheckSurfaceRes;
  f.fRsiMouldCheck = total > 0 ? Single(1.0 - kMouldCheckSurfaceRes / total) : 0.0f;
  f.criticalSurfaceTemp = SatTempFromPress(Single(inside.VapPress * 100.0 / kCriticalSurfaceRelHum));
  if (f.criticalSurfaceTemp) {
    const double tmin = *f.criticalSurfaceTemp;
    f.fRsiMin = Single((tmin - te) / (ti - te));
    // Compared as temperatures, so a cool inside (summer) is judged the right way round.
    f.sufficient = surface.surfaceTemp >= tmin;
    f.mouldCheckSufficient = te + f.fRsiMouldCheck * (ti - te) >= tmin;
  }
  a.factor = f;
  return a;
}

SurfaceTexts SurfaceTextsOf(const SurfaceAssessment& a) {
  SurfaceTexts t;
  if (!a.assessed) return t;
  for (std::size_t i = 0; i < 2; ++i) {
    const SurfaceSide& s = a.sides[i];
    SurfaceSideTexts& x = t.sides[i];
    x.name = s.name;
    x.temp = FormatPrintf("%5.1f ℃", static_cast<double>(s.surfaceTemp));
    x.relHum = FormatPrintf("%5.1f ％", static_cast<double>(s.surfaceRelHum));
    x.margin = s.dewMargin ? FormatPrintf("%5.1f K", static_cast<double>(*s.dewMargin)) : PadLeft("-", 7);
    x.verdict = SurfaceVerdictText(s.verdict);
    x.risk = s.verdict != SurfaceVerdict::Dry;
  }
  if (!a.factor) {
    t.message = a.factorMessage;
    return t;
  }
  const SurfaceFactor& f = *a.factor;
  t.factor = FormatPrintf("%5.3f", static_cast<double>(f.fRsi)) + "（Rsi = " + ResText(f.insideSurfaceRes) + " " +
             ResUnit() + "）";
  t.mouldCheck = FormatPrintf("%5.3f", static_cast<double>(f.fRsiMouldCheck)) + "（Rsi = " +
                 ResText(f.mouldCheckSurfaceRes) + " " + ResUnit() + "）";
  t.minimum = f.fRsiMin ? FormatPrintf("%5.3f（臨界表面温度 %.1f ℃）", static_cast<double>(*f.fRsiMin),
                                       static_cast<double>(*f.criticalSurfaceTemp))
                        : std::string("-（室内空気が乾燥）");
  t.factorVerdict = f.sufficient ? kFactorEnough : kFactorShort;
  t.mouldCheckVerdict = f.mouldCheckSufficient ? kFactorEnough : kFactorShort;
  t.factorRisk = !f.sufficient;
  t.mouldCheckRisk = !f.mouldCheckSufficient;
  return t;
}

std::vector<std::string> SurfaceLines(const SurfaceAssessment& a) {
  std::vector<std::string> lines{kSurfaceHeading};
  if (!a.assessed) return lines;
  const SurfaceTexts t = SurfaceTextsOf(a);
  for (const SurfaceSideTexts& s : t.sides)
    lines.push_back(PadRight(s.name, 12) + " 表面温度" + s.temp + "  表面湿度" + s.relHum + "  露点との差" + s.margin +
                    "  " + s.verdict);
  if (!a.factor) {
    lines.push_back(t.message);
    return lines;
  }
  lines.push_back("温度係数 fRsi          " + t.factor + "  " + t.factorVerdict);
  lines.push_back("カビ判定用 fRsi        " + t.mouldCheck + "  " + t.mouldCheckVerdict);
  lines.push_back("必要温度係数 fRsi,min  " + t.minimum);
  return lines;
}

std::vector<SurfaceReportLine> SurfaceReportLines(const SurfaceAssessment& a) {
  std::vector<SurfaceReportLine> lines{{kSurfaceHeading, false}};
  if (!a.assessed) return lines;
  for (const SurfaceSide& s : a.sides) {
    const bool risk = s.verdict != SurfaceVerdict::Dry;
    lines.push_back({PadRight(s.name, 12) + FormatPrintf("温度 %6.1f ℃", static_cast<double>(s.surfaceTemp)), false});
    const std::string margin =
        s.dewMargin ? FormatPrintf("%5.1fK", static_cast<double>(*s.dewMargin)) : PadLeft("-", 6);
    lines.push_back({FormatPrintf("  湿度 %5.1f％ 露点差", static_cast<double>(s.surfaceRelHum)) + margin, false});
    lines.push_back({std::string("  判定：") + SurfaceVerdictText(s.verdict), risk});
  }
  if (!a.factor) {
    // The message in two lines, cut after its comma.
    const std::string m = a.factorMessage;
    const std::size_t cut = m.find("、");
    if (cut == std::string::npos) {
      lines.push_back({m, false});
    } else {
      lines.push_back({m.substr(0, cut + std::string("、").size()), false});
      lines.push_back({m.substr(cut + std::string("、").size()), false});
    }
    return lines;
  }
  const SurfaceFactor& f = *a.factor;
  auto verdict = [](bool ok) { return ok ? "必要値以上" : "必要値未満"; };
  lines.push_back({FormatPrintf("温度係数fRsi  %5.3f ", static_cast<double>(f.fRsi)) + verdict(f.sufficient),
                   !f.sufficient});
  lines.push_back({PadRight("同 Rsi=" + ResText(f.mouldCheckSurfaceRes), 14) +
                       FormatPrintf("%5.3f ", static_cast<double>(f.fRsiMouldCheck)) + verdict(f.mouldCheckSufficient),
                   !f.mouldCheckSufficient});
  if (f.fRsiMin)
    lines.push_back({FormatPrintf("必要値fRsi,min %5.3f(%4.1f℃)", static_cast<double>(*f.fRsiMin),
                                  static_cast<double>(*f.criticalSurfaceTemp)),
                     false});
  else
    lines.push_back({"必要値fRsi,min     -", false});
  return lines;
}

}  // namespace kondra
