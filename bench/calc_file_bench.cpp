// Reading and writing a calculation file: the bytes alone (parse, check,
// format) and the whole open and save with the disk, a save being written
// whole to a temporary file, flushed and renamed over the old one.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "calc/CalcFile.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "records/RecordStore.h"

namespace kondra {
namespace {

// Starts read-only on the installation beside the benchmark; the sample is
// copied to a scratch folder so saving never touches the installation.
struct Setup {
  std::string sample;
  std::string bytes;
  std::string scratch;
  std::string copy;
  Setup() {
    static HeadlessFace quiet;
    SetMessageFace(&quiet);
    StartupOptions options;
    options.root = fs::ProgramFolder();
    options.readOnly = true;
    if (!StartProgram(options)) std::exit(1);
    sample = SampleCalcPath();
    if (!fs::ReadWhole(sample, bytes)) std::exit(1);
    std::string pattern = (std::filesystem::temp_directory_path() / "kondra-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::exit(1);
    scratch = pattern;
    copy = fs::FromNative(scratch) + "\\W1.KDR";
    if (!fs::WriteWhole(copy, bytes)) std::exit(1);
  }
  ~Setup() {
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_ParseCalcBytes(benchmark::State& state) {
  const std::string& bytes = Shared().bytes;
  for (auto _ : state) {
    RecordStore store;
    benchmark::DoNotOptimize(ParseRecordFile(bytes, store));
    benchmark::DoNotOptimize(CalcFileProblem(store));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseCalcBytes);

void BM_FormatCalcBytes(benchmark::State& state) {
  RecordStore store;
  ParseRecordFile(Shared().bytes, store);
  for (auto _ : state) {
    RecordStore sorted = store;
    SortRecords(sorted);
    std::string bytes;
    benchmark::DoNotOptimize(RecordFileBytes(sorted, bytes));
  }
}
BENCHMARK(BM_FormatCalcBytes);

void BM_ReadCalcFile(benchmark::State& state) {
  const std::string& copy = Shared().copy;
  for (auto _ : state) benchmark::DoNotOptimize(ReadCalcFile(copy));
}
BENCHMARK(BM_ReadCalcFile)->Unit(benchmark::kMicrosecond);

void BM_SaveCalcFile(benchmark::State& state) {
  const std::string& copy = Shared().copy;
  ReadCalcFile(copy);
  for (auto _ : state)
    if (!SaveCalcFile(copy)) state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveCalcFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kondra
