// `kondra-cli picture FILE --kind section|thickness|resistance -o OUT [--scale N]`:
// one of the three pictures of a calculation as a PNG, SVG or EMF file, drawn
// with the window's painting code on Qt's offscreen platform.
#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <memory>

#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "calc/Results.h"
#include "cli/Cli.h"
#include "output/gui/PictureFile.h"

namespace kondra::cli {
namespace {

const char* const kPictureUsage =
    "使い方: kondra-cli picture FILE --kind section|thickness|resistance -o OUT.png|OUT.svg|OUT.emf\n"
    "                           [--scale N] [--root DIR]\n"
    "  --kind     the layer section, or the condensation diagram over thickness or\n"
    "             over vapour resistance (these two calculate first)\n"
    "  -o OUT     the picture file; PNG, SVG or EMF by its extension\n"
    "  --scale N  enlargement of the 140 × 142 picture, 1 to 16 (default 4)\n";

int Usage(const std::string& text) {
  Complain("picture", text);
  std::cerr << kPictureUsage;
  return kExitUsage;
}

}  // namespace

int PictureCommand(const std::vector<std::string>& args) {
  std::string file, out;
  std::optional<PictureKind> kind;
  int scale = 4;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kPictureUsage;
      return kExitDone;
    }
    if (arg == "--kind" || arg == "-o" || arg == "--scale") {
      if (i + 1 >= args.size()) return Usage(arg + " needs a value");
      const std::string& v = args[++i];
      if (arg == "--kind") {
        kind = PictureKindFromName(v);
        if (!kind) return Usage("unknown --kind '" + v + "'");
      } else if (arg == "-o") {
        out = v;
      } else {
        std::optional<double> n = NumberArg(v);
        if (!n || *n != static_cast<int>(*n) || *n < 1 || *n > kMaxPictureScale)
          return Usage("--scale needs a whole number from 1 to " + std::to_string(kMaxPictureScale) + ": '" + v + "'");
        scale = static_cast<int>(*n);
      }
    } else if (arg.starts_with("-") || !file.empty()) {
      return Usage("unexpected argument '" + arg + "'");
    } else {
      file = arg;
    }
  }
  if (file.empty()) return Usage("no calculation file given");
  if (!kind) return Usage("--kind is missing");
  if (out.empty()) return Usage("-o OUT is missing");

  const std::string path = ProgramPath(file);
  const std::string target = ProgramPath(out);
  int code = OpenAndCalculate("picture", path);
  if (code == kExitUsage) return code;
  if (*kind != PictureKind::Section) {
    if (code == kExitRefused) {
      Complain("picture", CheckInput(Calc).message);
      return code;
    }
    if (code == kExitAborted) {
      Complain("picture", "結露計算を中止しました。");
      return code;
    }
  }
  // Drawing needs a Qt application; without a display the offscreen
  // platform serves.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "kondra-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  std::string error;
  if (!WritePictureFile(*kind, target, scale, MaterialLooks(Calc), &error)) {
    Complain("picture", NativePath(target) + ": " + error);
    return kExitUsage;
  }
  std::cout << NativePath(target) << "\n";
  return kExitDone;
}

}  // namespace kondra::cli
