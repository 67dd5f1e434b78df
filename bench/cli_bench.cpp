// Calculations the way kondra-cli runs them: the calc command on the sample
// calculation (read the file, check, prepare, run the engine, print every
// table), its output thrown away. One benchmark iteration is 10 000 commands,
// so the figure is the cost of a batch of that size once the program has
// started; start-up itself is measured once, on its own.
#include <benchmark/benchmark.h>

#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "calc/CalcFile.h"
#include "cli/Cli.h"
#include "env/FileSystem.h"

namespace kondra {
namespace {

constexpr int kBatch = 10000;

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Starts on the installation beside the benchmark (build/bin), as kondra-cli
// does, and hands back the sample calculation's path.
const std::string& Started() {
  static const std::string sample = [] {
    StartupOptions options;
    options.root = fs::ProgramFolder();
    if (!cli::StartCli(options)) {
      std::cerr << "no installation beside the benchmark\n";
      std::exit(1);
    }
    return SampleCalcPath();
  }();
  return sample;
}

// Runs `command` with std::cout going nowhere; fails the benchmark on an
// exit code other than 0.
template <typename F>
void Quietly(benchmark::State& state, F command) {
  NullBuffer null;
  std::streambuf* saved = std::cout.rdbuf(&null);
  const int code = command();
  std::cout.rdbuf(saved);
  if (code != cli::kExitDone) state.SkipWithError("the calc command failed");
}

void BM_Startup(benchmark::State& state) {
  StartupOptions options;
  options.root = fs::ProgramFolder();
  for (auto _ : state) benchmark::DoNotOptimize(cli::StartCli(options));
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);

void BM_CalcCommand10000(benchmark::State& state) {
  const std::vector<std::string> args{Started(), state.range(0) ? "--json" : ""};
  const std::vector<std::string> plain{Started()};
  for (auto _ : state)
    for (int i = 0; i < kBatch; ++i)
      Quietly(state, [&] { return cli::CalcCommand(state.range(0) ? args : plain); });
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_CalcCommand10000)->Arg(0)->Arg(1)->ArgName("json")->Unit(benchmark::kMillisecond);

void BM_OpenAndCalculate10000(benchmark::State& state) {
  // The command without its printing: file, check, preparation, engine.
  const std::string& sample = Started();
  for (auto _ : state)
    for (int i = 0; i < kBatch; ++i) Quietly(state, [&] { return cli::OpenAndCalculate("calc", sample); });
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_OpenAndCalculate10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kondra
