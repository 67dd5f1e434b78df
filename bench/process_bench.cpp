// Whole programs as the user starts them, each its own process, on a copy of
// the installation beside the benchmark (kondra writes its environment file
// at the end): the start-up of kondra to its first painted main window
// against the smallest Qt Widgets program doing the same (minimal_window),
// and `kondra-cli report` writing the sample calculation's report as PDF.
//
// Both start-ups run on Qt's offscreen platform, one after the other in
// every iteration so that a busy machine weighs on both alike; the counters
// give each one's mean wall time and the ratio. CPU time is the children's.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace sfs = std::filesystem;

sfs::path BinFolder() { return sfs::read_symlink("/proc/self/exe").parent_path(); }

// A copy of DATA, CAL and WCD of the installation, made once, removed at exit.
const sfs::path& InstallCopy() {
  static const sfs::path root = [] {
    const sfs::path copy = sfs::temp_directory_path() / ("kondra-bench-" + std::to_string(getpid()));
    sfs::create_directories(copy);
    for (const char* folder : {"DATA", "CAL", "WCD"})
      sfs::copy(BinFolder() / folder, copy / folder, sfs::copy_options::recursive);
    std::atexit([] {
      std::error_code ignored;
      sfs::remove_all(sfs::temp_directory_path() / ("kondra-bench-" + std::to_string(getpid())), ignored);
    });
    return copy;
  }();
  return root;
}

struct Run {
  double seconds = 0;     // wall clock
  double cpuSeconds = 0;  // user + system of the child
  int status = -1;
};

// Runs a program to its end with the offscreen platform and the start-up
// timing hook set, its output discarded.
Run RunProgram(const std::vector<std::string>& args) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.emplace_back("QT_QPA_PLATFORM=offscreen");
  env.emplace_back("KONDRA_QUIT_AFTER_PAINT=1");
  std::vector<char*> argv, envp;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Run run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    rusage usage{};
    int status = 0;
    // A program that waits (a message box nobody sees) is ended after a minute.
    pid_t done = 0;
    for (int waited = 0; (done = wait4(pid, &status, WNOHANG, &usage)) == 0; ++waited) {
      if (waited == 60000) kill(pid, SIGKILL);
      usleep(1000);
    }
    if (done == pid) {
      run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    }
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
  const std::vector<std::string> kondra{(BinFolder() / "kondra").string(), "--root", InstallCopy().string()};
  const std::vector<std::string> minimal{(BinFolder() / "minimal_window").string()};
  RunProgram(kondra);  // the first start warms the file cache for both
  RunProgram(minimal);
  double kondraWall = 0, minimalWall = 0, kondraCpu = 0, minimalCpu = 0;
  for (auto _ : state) {
    const Run k = RunProgram(kondra);
    const Run m = RunProgram(minimal);
    if (k.status != 0 || m.status != 0) {
      state.SkipWithError("a program did not end by itself after its first paint");
      return;
    }
    kondraWall += k.seconds;
    minimalWall += m.seconds;
    kondraCpu += k.cpuSeconds;
    minimalCpu += m.cpuSeconds;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["kondra_ms"] = kondraWall / n * 1e3;
  state.counters["minimal_ms"] = minimalWall / n * 1e3;
  state.counters["ratio"] = kondraWall / minimalWall;
  state.counters["kondra_cpu_ms"] = kondraCpu / n * 1e3;
  state.counters["minimal_cpu_ms"] = minimalCpu / n * 1e3;
  state.counters["cpu_ratio"] = kondraCpu / minimalCpu;
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ReportToPdf(benchmark::State& state) {
  const sfs::path pdf = InstallCopy() / "report.pdf";
  const std::vector<std::string> report{(BinFolder() / "kondra-cli").string(), "--root", InstallCopy().string(),
                                        "report", (InstallCopy() / "CAL" / "KDR" / "TEST_KDR.KDR").string(), "-o",
                                        pdf.string()};
  double cpu = 0;
  for (auto _ : state) {
    const Run r = RunProgram(report);
    if (r.status != 0 || !sfs::exists(pdf)) {
      state.SkipWithError("kondra-cli report failed");
      return;
    }
    cpu += r.cpuSeconds;
  }
  state.counters["cpu_ms"] = cpu / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
