// What one condensation calculation and the moist-air functions cost.
#include <benchmark/benchmark.h>

#include "calc/Engine.h"
#include "psychro/Psychro.h"

namespace kondra {
namespace {

// The largest construction the program takes: nine rows, among them a foil
// on the cold side of the insulation, in winter: the plywood's warm face
// condenses, so every step of the engine runs.
CalcState NineRows() {
  CalcState s;
  SetSideCond(1, -5, 80, s);
  SetSideCond(2, 20, 60, s);
  s.PartIndex = 1;
  SetLayer(1, "外気側α", 0, 0, 0.05f, 0, 0.001f, s);
  SetLayer(2, "サイディング", 15, 0.15f, 0, 0.002f, 0, s);
  SetLayer(3, "通気層", 18, 0, 0.1f, 0, 0.01f, s);
  SetLayer(4, "アルミ箔", 0.1f, 0, 0.001f, 0, kVapourTight, s);
  SetLayer(5, "構造用合板", 9, 0.14f, 0, 0.0016f, 0, s);
  SetLayer(6, "グラスウール", 100, 0.04f, 0, 0.1f, 0, s);
  SetLayer(7, "クラフト紙", 0.2f, 0, 0.001f, 0, 0.5f, s);
  SetLayer(8, "石膏ボード", 12.5f, 0.19f, 0, 0.007f, 0, s);
  SetLayer(9, "室内側α", 0, 0, 0.125f, 0, 0.001f, s);
  DeriveLayers(s);
  return s;
}

void BM_FullCalculation(benchmark::State& state) {
  CalcState s = NineRows();
  for (auto _ : state) {
    InputCheck check = CheckInput(s);
    benchmark::DoNotOptimize(check);
    if (!PrepareCumulative(s)) RunEngine(s);
    benchmark::DoNotOptimize(s.CondRate);
  }
}
BENCHMARK(BM_FullCalculation);

void BM_RebuildAndCalculate(benchmark::State& state) {
  // The calculation as the window runs it after an edit: rows rederived too.
  CalcState s = NineRows();
  for (auto _ : state) {
    DeriveLayers(s);
    if (CheckInput(s).ok && !PrepareCumulative(s)) RunEngine(s);
    benchmark::DoNotOptimize(s.CondRate);
  }
}
BENCHMARK(BM_RebuildAndCalculate);

// One pass over the saturation table's temperatures, -50 … 100 °C by 0.5.
template <typename F>
void OverTemperatures(benchmark::State& state, F f) {
  for (auto _ : state) {
    for (int i = -100; i <= 200; ++i) benchmark::DoNotOptimize(f(0.5f * static_cast<float>(i)));
  }
  state.SetItemsProcessed(state.iterations() * 301);
}

void BM_SatPressMmHg(benchmark::State& state) {
  OverTemperatures(state, [](float t) { return SatPressMmHg(t); });
}
BENCHMARK(BM_SatPressMmHg);

void BM_DewPointTemp(benchmark::State& state) {
  OverTemperatures(state, [](float t) { return DewPointTemp(t, 65.0f); });
}
BENCHMARK(BM_DewPointTemp);

void BM_VapPressFromRelHum(benchmark::State& state) {
  OverTemperatures(state, [](float t) { return VapPressFromRelHum(t, 65.0f); });
}
BENCHMARK(BM_VapPressFromRelHum);

void BM_HumidityConversions(benchmark::State& state) {
  // Everything the humidity tools show for one condition.
  OverTemperatures(state, [](float t) {
    const float e = VapPressFromRelHum(t, 65.0f);
    return RelHumFromVapPress(t, e) + AbsHumidity(e, t) + HumidityRatio(e) +
           RelHumFromAbsHumidity(t, SatAbsHumidity(t) * 0.5f) + RelHumFromDewPoint(t, t - 5.0f);
  });
}
BENCHMARK(BM_HumidityConversions);

}  // namespace
}  // namespace kondra
