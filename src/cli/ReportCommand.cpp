// `kondra-cli report FILE -o OUT.pdf [--si]`: the calculation report of a
// file as a one-page PDF, the same page the report window prints, made on
// Qt's offscreen platform without a display.
#include <QApplication>

#include <cstdlib>
#include <iostream>

#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "calc/Results.h"
#include "cli/Cli.h"
#include "env/Units.h"
#include "output/gui/Printing.h"
#include "report/KDRQRForm.h"

namespace kondra::cli {
namespace {

const char* const kReportUsage =
    "使い方: kondra-cli report FILE -o OUT.pdf [--si] [--root DIR]\n"
    "  -o OUT.pdf  the report as a one-page A4 PDF file\n"
    "  --si        in SI units (default: engineering units)\n";

int Usage(const std::string& text) {
  Complain("report", text);
  std::cerr << kReportUsage;
  return kExitUsage;
}

}  // namespace

int ReportCommand(const std::vector<std::string>& args) {
  std::string file, out;
  bool si = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kReportUsage;
      return kExitDone;
    }
    if (arg == "-o") {
      if (i + 1 >= args.size()) return Usage("-o needs a value");
      out = args[++i];
    } else if (arg == "--si") {
      si = true;
    } else if (arg.starts_with("-") || !file.empty()) {
      return Usage("unexpected argument '" + arg + "'");
    } else {
      file = arg;
    }
  }
  if (file.empty()) return Usage("no calculation file given");
  if (out.empty()) return Usage("-o OUT.pdf is missing");

  const std::string path = ProgramPath(file);
  const std::string target = ProgramPath(out);
  const int code = OpenAndCalculate("report", path);
  if (code == kExitRefused) Complain("report", CheckInput(Calc).message);
  if (code == kExitAborted) Complain("report", "結露計算を中止しました。");
  if (code != kExitDone) return code;
  if (si) SetUnitSystem(kSIUnits);

  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "kondra-cli";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  CheckPrinter();

  std::string error;
  const bool written = WriteCalcReportPdf(target, &error);
  if (!written) {
    Complain("report", NativePath(target) + ": " + error);
    return kExitUsage;
  }
  std::cout << NativePath(target) << "\n";
  return kExitDone;
}

}  // namespace kondra::cli
