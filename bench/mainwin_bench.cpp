// The main window in one process on Qt's offscreen platform, opened on a copy
// of the installation with the sample calculation: Calc and the full redraw
// of the window that follows it, the report page written as PDF, and the
// resident memory with the main window open and with every tool window open
// as well. Message boxes are answered with their default button unseen.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "calc/Results.h"
#include "controls/QtMessageFace.h"
#include "env/Environment.h"
#include "mainwin/KDRForm.h"
#include "output/gui/MetafileSupport.h"
#include "output/gui/Printing.h"
#include "output/gui/QtCanvas.h"
#include "report/KDRQRForm.h"
#include "tools/DPForm.h"
#include "tools/HGForm.h"
#include "weather/gui/Wmonth.h"

namespace kondra {
namespace {

namespace sfs = std::filesystem;

TKDRForm* window = nullptr;
double rssMainWindowMB = 0;
sfs::path installCopy;

// VmRSS of this process in MB.
double ResidentMB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      double kB = 0;
      status >> kB;
      return kB / 1024.0;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void BM_CalcAndRedraw(benchmark::State& state) {
  for (auto _ : state) {
    window->CmdCalc();
    window->repaint();
  }
  if (!Calc.Calculated || window->DisplayMode() != 1) state.SkipWithError("the sample did not calculate");
}
BENCHMARK(BM_CalcAndRedraw)->Unit(benchmark::kMillisecond);

void BM_CalcOnly(benchmark::State& state) {
  for (auto _ : state) window->CmdCalc();
}
BENCHMARK(BM_CalcOnly)->Unit(benchmark::kMillisecond);

void BM_FullRedraw(benchmark::State& state) {
  for (auto _ : state) window->repaint();
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

// The report page of the calculated sample as kondra-cli report makes it:
// the three pictures, the page, the PDF file.
void BM_ReportPdfPage(benchmark::State& state) {
  window->CmdCalc();
  const std::string pdf = (installCopy / "report.pdf").string();
  for (auto _ : state) {
    std::string error;
    const bool written = WriteCalcReportPdf(pdf, &error);
    if (!written) state.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_ReportPdfPage)->Unit(benchmark::kMillisecond);

// One run: the memory figures are counters (MB); the time is that of
// opening the tool windows.
void BM_ResidentMemory(benchmark::State& state) {
  for (auto _ : state) {
    ShowSaturationTool(window);
    ShowHumidityTool(window);
    ShowMonthlyWeather(window);
    Settle();
  }
  state.counters["main_window_MB"] = rssMainWindowMB;
  state.counters["all_windows_MB"] = ResidentMB();
}
BENCHMARK(BM_ResidentMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kondra

int main(int argc, char** argv) {
  using namespace kondra;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);

  const sfs::path bin = sfs::read_symlink("/proc/self/exe").parent_path();
  installCopy = sfs::temp_directory_path() / ("kondra-bench-" + std::to_string(getpid()));
  sfs::create_directories(installCopy);
  for (const char* folder : {"DATA", "CAL", "WCD"})
    sfs::copy(bin / folder, installCopy / folder, sfs::copy_options::recursive);
  InstallQtMessageFace();
  InstallQtSystemColors();
  InstallQtMetafileSupport();
  QtFace().SetWaitFactor(0.0);
  QtFace().SetBoxHook([](const BoxRequest& request) {
    return request.buttons == 2 || request.buttons == 3 || request.buttons == 5 ? MsgButton::Yes : MsgButton::Ok;
  });
  int status = 1;
  {
    TKDRForm form;
    window = &form;
    StartupOptions options;
    options.root = installCopy.string();
    if (StartProgram(options)) {
      LastCalcFile = SampleCalcPath();
      form.Startup();
      form.show();
      Settle();
      rssMainWindowMB = ResidentMB();
      benchmark::RunSpecifiedBenchmarks();
      status = 0;
    } else {
      std::cerr << "no installation beside the benchmark\n";
    }
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != &form) w->close();
  }
  benchmark::Shutdown();
  std::error_code ignored;
  sfs::remove_all(installCopy, ignored);
  return status;
}
