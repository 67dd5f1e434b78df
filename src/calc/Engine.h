// The steady-state condensation check (vapour-pressure diagram method) of a
// building element of up to nine layer rows between the air of side A and
// side B.
//
// One calculation runs: CheckInput; if it passes, PrepareCumulative; unless
// that aborts, RunEngine and Calculated := true; when it aborts, Calculated
// := false and nothing else runs. RunCalculation does exactly that, with the
// user's messages. Every operation works on the process-wide Calc unless
// given another state.
#pragma once

#include <functional>
#include <string>

#include "calc/CalcState.h"

namespace kondra {

// The condensation marks. A triangle pointing the way vapour flows: up (△ ▲)
// when it flows from side B towards side A, down (▽ ▼) otherwise; the open
// triangle marks a supersaturated boundary, the filled one the condensation
// plane.
inline constexpr const char* kMarkSuperFromB = "△";
inline constexpr const char* kMarkPlaneFromB = "▲";
inline constexpr const char* kMarkSuperFromA = "▽";
inline constexpr const char* kMarkPlaneFromA = "▼";

// Boundary balances below this (g/(m²·h)) are rounding noise, not condensation.
inline constexpr float kCondThreshold = 0.001f;

// ------------------------------------------------------------ filling the inputs

// Everything back to a new calculation: no conditions, no part, no layers,
// no results, not calculated.
void ResetCalcState(CalcState& s = Calc);

// Conditions of side 1 (A) or 2 (B); VapPress and DewPoint follow. Other
// side numbers are ignored.
void SetSideCond(int side, float temp, float relHum, CalcState& s = Calc);

// Empties every layer row and the sums derived from them.
void ClearLayers(CalcState& s = Calc);

// Puts a row's stored values into slot k (1 … 9; others are ignored) as the
// layer record holds them: name, thickness mm, λ, r, p, rv. An empty name is
// an empty row. Run DeriveLayers afterwards.
void SetLayer(int k, const std::string& name, float thickness, float conductivity,
              float thermalRes, float permeability, float vapourRes, CalcState& s = Calc);

// For every row with a name (rows 1 … 9, in order): r = 0.001 × thickness / λ
// when λ ≠ 0 and rv = 0.001 × thickness / p when p ≠ 0 (otherwise the stored
// resistance stands); then LayerCount, LayerKinds ('A' for a name with "α",
// else 'S'), MaterialLayerCount and the three totals.
void DeriveLayers(CalcState& s = Calc);

// ------------------------------------------------------------ one calculation

struct InputCheck {
  bool ok = true;
  std::string message;  // the first failure's message; empty when ok
};

// Whether the inputs can be calculated. Stops at the first failure, in this
// order: equal air temperatures, a humidity of 0, no part class, per row an
// empty name or no resistance at all, a construction that does not start and
// end with an α row, then temperatures outside -50 … 100 °C and humidities
// outside 0 … 100 % (which can come from a file but never from the fields).
InputCheck CheckInput(const CalcState& s = Calc);

// Fills Cumulative. Returns true (aborted) when a row has no positive thermal
// or vapour resistance; the sums after that row stay 0.
bool PrepareCumulative(CalcState& s = Calc);

// All results from the inputs, Cumulative and the totals. Does not touch
// Calculated.
void RunEngine(CalcState& s = Calc);

// The Calc command's sequence: CheckInput (a failure is shown as a warning
// box and changes nothing); `beforeEngine` (ending an open edit, removing
// stale pictures); PrepareCumulative; RunEngine. Sets Calculated and puts
// "〔結露計算完了〕" in the status bar, or on an abort clears Calculated and
// puts "結露計算を中止しました。" there. Returns Calculated, or false when the
// check failed.
bool RunCalculation(const std::function<void()>& beforeEngine = {}, CalcState& s = Calc);

// k (0 … 12) in full-width digits, "０" … "１２", as row numbers appear in
// messages; other numbers in half-width digits.
std::string FullWidthNumber(int k);

}  // namespace kondra
