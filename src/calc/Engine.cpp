#include "calc/Engine.h"

#include <algorithm>

#include "env/Messages.h"
#include "psychro/Psychro.h"

namespace kondra {

CalcState Calc;

namespace {

// Stored reals are single precision; each expression is evaluated in double
// and rounded once when it is stored, so results do not depend on how the
// compiler orders float operations.
float Single(double v) { return static_cast<float>(v); }

// Layer thicknesses are in mm, resistances per metre of material.
constexpr double kMetresPerMm = 0.001;

// Row count usable as an index bound, whatever a caller stored.
int Rows(const CalcState& s) { return std::clamp<int>(s.LayerCount, 0, kMaxLayers); }

bool IsAlphaName(const std::string& name) { return name.find("α") != std::string::npos; }

// The user's range of air conditions: the saturation curve is defined for
// -50 … 100 °C, and a humidity is a percentage.
constexpr float kTempMin = -50.0f;
constexpr float kTempMax = 100.0f;
constexpr float kRelHumMin = 0.0f;
constexpr float kRelHumMax = 100.0f;

bool InRange(float v, float lo, float hi) { return v >= lo && v <= hi; }  // false for NaN

}  // namespace

float& TLayerData::Value(int i) {
  switch (i) {
    case 1: return Thickness;
    case 2: return Conductivity;
    case 3: return ThermalRes;
    case 4: return Permeability;
    default: return VapourRes;
  }
}

float TLayerData::Value(int i) const {
  switch (i) {
    case 1: return Thickness;
    case 2: return Conductivity;
    case 3: return ThermalRes;
    case 4: return Permeability;
    default: return VapourRes;
  }
}

// ---------------------------------------------------------------- inputs

void ResetCalcState(CalcState& s) { s = CalcState{}; }

void SetSideCond(int side, float temp, float relHum, CalcState& s) {
  if (side != 1 && side != 2) return;
  TSideCond& c = s.SideCond[side];
  c.Temp = temp;
  c.RelHum = relHum;
  c.VapPress = VapPressFromRelHum(temp, relHum);
  c.DewPoint = DewPointTemp(temp, relHum);
}

void ClearLayers(CalcState& s) {
  s.LayerCount = 0;
  s.LayerName.fill(std::string());
  s.LayerData.fill(TLayerData{});
  s.LayerKinds.clear();
  s.MaterialLayerCount = 0;
  s.TotalThickness = 0;
  s.TotalThermalRes = 0;
  s.TotalVapourRes = 0;
  s.Cumulative.fill(TCumulative{});
}

void SetLayer(int k, const std::string& name, float thickness, float conductivity,
              float thermalRes, float permeability, float vapourRes, CalcState& s) {
  if (k < 1 || k > kMaxLayers) return;
  s.LayerName[k] = name;
  s.LayerData[k] = TLayerData{thickness, conductivity, thermalRes, permeability, vapourRes};
}

void DeriveLayers(CalcState& s) {
  s.LayerCount = 0;
  s.LayerKinds.clear();
  s.MaterialLayerCount = 0;
  s.TotalThickness = 0;
  s.TotalThermalRes = 0;
  s.TotalVapourRes = 0;
  for (int k = 1; k <= kMaxLayers; ++k) {
    if (s.LayerName[k].empty()) continue;
    ++s.LayerCount;
    TLayerData& d = s.LayerData[k];
    // A row given by its conductivity or permeability follows its thickness;
    // α rows and rows known only by their resistance keep the stored value.
    if (d.Conductivity != 0) d.ThermalRes = Single(kMetresPerMm * d.Thickness / d.Conductivity);
    if (d.Permeability != 0) d.VapourRes = Single(kMetresPerMm * d.Thickness / d.Permeability);
    if (IsAlphaName(s.LayerName[k])) {
      s.LayerKinds += 'A';
    } else {
      s.LayerKinds += 'S';
      ++s.MaterialLayerCount;
    }
    s.TotalThickness += d.Thickness;
    s.TotalThermalRes += d.ThermalRes;
    s.TotalVapourRes += d.VapourRes;
  }
}

// ---------------------------------------------------------------- check

std::string FullWidthNumber(int k) {
  static const char* const kDigits[13] = {"０", "１", "２", "３", "４", "５", "６",
                                          "７", "８", "９", "１０", "１１", "１２"};
  if (k < 0 || k > 12) return std::to_string(k);
  return kDigits[k];
}

InputCheck CheckInput(const CalcState& s) {
  auto fail = [](std::string message) { return InputCheck{false, std::move(message)}; };
  const TSideCond& a = s.SideCond[1];
  const TSideCond& b = s.SideCond[2];
  if (a.Temp == b.Temp) return fail("内外温度条件が等しくなっています。");
  if (a.RelHum == 0 || b.RelHum == 0) return fail("まだ湿度条件が入力されていません。");
  if (s.PartIndex == 0) return fail("まだ部位名が選ばれていません。");
  const int n = Rows(s);
  for (int k = 1; k <= n; ++k) {
    if (s.LayerName[k].empty()) return fail(FullWidthNumber(k) + "層目の材料が選ばれていません。");
    const TLayerData& d = s.LayerData[k];
    if (d.ThermalRes == 0 && d.VapourRes == 0)
      return fail(FullWidthNumber(k) + "層目の物性データに未入力があります。");
    // Only a file can hold one: the field takes no minus sign.
    if (d.Thickness < 0) return fail(FullWidthNumber(k) + "層目の厚さが負の値になっています。");
  }
  if (s.LayerKinds.empty() || s.LayerKinds.front() != 'A' || s.LayerKinds.back() != 'A')
    return fail("層構成の最初と最後は＜熱伝達率α＞を選んで下さい。");
  // The fields limit what is typed, but a file may hold anything; outside
  // these ranges the saturation curve has no meaning (and a temperature
  // of -265.5 °C would divide by zero).
  if (!InRange(a.Temp, kTempMin, kTempMax) || !InRange(b.Temp, kTempMin, kTempMax))
    return fail("温度条件が範囲外です。（-50～100℃）");
  if (!InRange(a.RelHum, kRelHumMin, kRelHumMax) || !InRange(b.RelHum, kRelHumMin, kRelHumMax))
    return fail("湿度条件が範囲外です。（0～100％）");
  return InputCheck{};
}

// ---------------------------------------------------------------- sums

bool PrepareCumulative(CalcState& s) {
  s.Cumulative.fill(TCumulative{});
  TCumulative sum;
  const int n = Rows(s);
  for (int k = 1; k <= n; ++k) {
    const TLayerData& d = s.LayerData[k];
    // Every row must resist both heat and vapour: the profile divides by
    // each resistance and by their totals. A negative resistance (only
    // possible from a damaged file) is refused like a missing one.
    if (!(d.ThermalRes > 0) || !(d.VapourRes > 0)) return true;
    sum.x += d.Thickness;
    sum.R += d.ThermalRes;
    sum.Rv += d.VapourRes;
    s.Cumulative[k] = sum;
  }
  return false;
}

// ---------------------------------------------------------------- engine

void RunEngine(CalcState& s) {
  // 1. Forget the previous run.
  s.BoundTemp.fill(0);
  s.SatPress.fill(0);
  s.CalcPress.fill(0);
  s.RealPress.fill(0);
  s.LayerFlux.fill(0);
  s.CondAmount.fill(0);
  s.FlowMark.fill(std::string());
  s.CondPlane = 0;
  s.CondRate = 0;

  const int n = Rows(s);
  const float tA = s.SideCond[1].Temp;
  const float tB = s.SideCond[2].Temp;
  const float eA = s.SideCond[1].VapPress;
  const float eB = s.SideCond[2].VapPress;

  // 2. Vapour runs from the higher to the lower vapour pressure.
  s.VapourFromB = eA < eB;
  const char* superMark = s.VapourFromB ? kMarkSuperFromB : kMarkSuperFromA;
  const char* planeMark = s.VapourFromB ? kMarkPlaneFromB : kMarkPlaneFromA;

  // 3. Diagram scales.
  s.ScaleTempMax = MaxSingle(tA, tB);
  s.ScaleTempMin = MinSingle(tA, tB);
  s.ScaleSatPressMax = SatPressMmHg(s.ScaleTempMax);
  s.ScalePressMin = MinSingle(eA, eB);

  // 4. Boundary profile: temperature and straight-line vapour pressure in
  // proportion to the resistance passed from side A.
  for (int k = 1; k <= n + 1; ++k) {
    if (k == 1) {
      s.BoundTemp[1] = tA;
      s.SatPress[1] = SatPressMmHg(tA);
      s.CalcPress[1] = eA;
    } else if (k <= n) {
      s.BoundTemp[k] =
          Single(tA + (static_cast<double>(tB) - tA) * s.Cumulative[k - 1].R / s.TotalThermalRes);
      s.SatPress[k] = SatPressMmHg(s.BoundTemp[k]);
      if (s.LayerData[k].VapourRes != kVapourTight) {
        s.CalcPress[k] = Single(eA + (static_cast<double>(eB) - eA) * s.Cumulative[k - 1].Rv /
                                         s.TotalVapourRes);
      } else {
        // A vapour-tight row k holds side A's pressure up to its near face
        // and side B's beyond it; the rows after it recompute their own
        // boundaries as the loop goes on.
        for (int j = 1; j <= k; ++j) s.CalcPress[j] = eA;
        for (int j = k + 1; j <= n + 1; ++j) s.CalcPress[j] = eB;
      }
    }
    if (k == n + 1) {
      s.BoundTemp[k] = tB;
      s.SatPress[k] = SatPressMmHg(tB);
      s.CalcPress[k] = eB;
    }
  }

  // 5. Air cannot hold more vapour than saturation: the actual pressure is
  // cut there and the boundary is marked supersaturated.
  for (int k = 1; k <= n + 1; ++k) {
    if (s.CalcPress[k] > s.SatPress[k]) {
      s.RealPress[k] = s.SatPress[k];
      s.FlowMark[k] = superMark;
    } else {
      s.RealPress[k] = s.CalcPress[k];
    }
  }

  // 6. Flux through each row, positive in the direction of flow.
  for (int k = 1; k <= n; ++k) {
    const double drop = s.VapourFromB
                            ? static_cast<double>(s.RealPress[k + 1]) - s.RealPress[k]
                            : static_cast<double>(s.RealPress[k]) - s.RealPress[k + 1];
    s.LayerFlux[k] = Single(drop / s.LayerData[k].VapourRes);
  }

  // 7. Condensation: what arrives at an inner boundary minus what leaves it,
  // scanned in the direction of flow; the first boundary that keeps water is
  // the condensation plane.
  auto balance = [&](int k, double arriving, double leaving) {
    float amount = Single(arriving - leaving);
    if (amount < kCondThreshold) amount = 0;
    s.CondAmount[k] = amount;
    if (amount > 0 && s.CondPlane == 0) {
      s.CondPlane = k;
      s.FlowMark[k] = planeMark;
    }
  };
  if (s.VapourFromB) {
    for (int k = n; k >= 2; --k) balance(k, s.LayerFlux[k], s.LayerFlux[k - 1]);
  } else {
    for (int k = 2; k <= n; ++k) balance(k, s.LayerFlux[k - 1], s.LayerFlux[k]);
  }

  // 8. Condensation rate at the plane, the single-plane balance: vapour
  // arriving from the source air through the resistance on one side minus
  // vapour leaving to the other air through the resistance on the other.
  const int c = s.CondPlane;
  if (c != 0) {
    float s1 = 0;  // rows 1 … c − 1 (side A of the plane)
    float s2 = 0;  // rows c … n (side B of the plane)
    for (int k = 1; k <= c - 1; ++k) s1 += s.LayerData[k].VapourRes;
    for (int k = c; k <= n; ++k) s2 += s.LayerData[k].VapourRes;
    if (s.VapourFromB) {
      const float toA = Single(static_cast<double>(s.SatPress[c]) - s.RealPress[1]);
      const float fromB = Single(static_cast<double>(s.RealPress[n + 1]) - s.SatPress[c]);
      s.CondRate = Single(static_cast<double>(fromB) / s2 - static_cast<double>(toA) / s1);
    } else {
      const float fromA = Single(static_cast<double>(s.RealPress[1]) - s.SatPress[c]);
      const float toB = Single(static_cast<double>(s.SatPress[c]) - s.RealPress[n + 1]);
      s.CondRate = Single(static_cast<double>(fromA) / s1 - static_cast<double>(toB) / s2);
    }
  }

  // 9. Where the plane lies: a plane at boundary 2 is on side A's surface
  // (this wins for a single inner boundary), at boundary n on side B's.
  s.CondPosition = 'C';
  if (c != 0 && c == n) s.CondPosition = 'R';
  if (c == 2) s.CondPosition = 'L';
}

// ---------------------------------------------------------------- sequence

bool RunCalculation(const std::function<void()>& beforeEngine, CalcState& s) {
  const InputCheck check = CheckInput(s);
  if (!check.ok) {
    MsgBox(check.message, 3, 1);
    return false;
  }
  if (beforeEngine) beforeEngine();
  if (PrepareCumulative(s)) {
    s.Calculated = false;
    ShowStatus("結露計算を中止しました。");
    return false;
  }
  RunEngine(s);
  s.Calculated = true;
  ShowStatus("〔結露計算完了〕");
  return true;
}

}  // namespace kondra
