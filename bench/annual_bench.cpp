// The year-round check: a whole year (start month, twelve months of planes
// and water, the surface criterion) for a nine-row wall. Goal: under 50 µs.
#include <benchmark/benchmark.h>

#include <cmath>

#include "assess/Annual.h"

namespace kondra {
namespace {

void BM_AnnualNineRows(benchmark::State& state) {
  const std::vector<AnnualRow> rows = {{0.05, 0.001}, {0.02, 0.5}, {0.1, 7.5}, {2.5, 1.0},  {0.01, 0.3},
                                       {0.06, 1.7},   {0.02, 0.1}, {0.08, 2.0}, {0.125, 0.001}};
  YearClimate year;
  for (int m = 0; m < 12; ++m) {
    const double te = 5 - 12 * std::cos((m + 0.5) / 12.0 * 2 * M_PI);
    year[static_cast<std::size_t>(m)] = {te, VapourPressOf(te, 75), 20, VapourPressOf(20, 60)};
  }
  AnnualResult result;
  std::string problem;
  for (auto _ : state) {
    AssessYear(rows, year, result, problem);
    benchmark::DoNotOptimize(result.maxAccumulated);
  }
}
BENCHMARK(BM_AnnualNineRows);

}  // namespace
}  // namespace kondra
