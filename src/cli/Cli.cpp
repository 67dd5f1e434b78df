#include "cli/Cli.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Text.h"

namespace kondra::cli {
namespace {

// Boxes and status-bar remarks as lines on stderr; boxes take their default
// answer.
class StderrFace : public HeadlessFace {
 public:
  MsgButton ShowBox(const std::string& text, int kind, int buttons) override {
    static const char* const kKinds[] = {"", "情報", "確認", "警告", "エラー"};
    std::cerr << "kondra-cli: [" << kKinds[kind >= 1 && kind <= 4 ? kind : 1] << "] " << Lines(text) << "\n";
    return HeadlessFace::ShowBox(text, kind, buttons);
  }
  void ShowSystemError(const std::string& text) override {
    std::cerr << "kondra-cli: " << Lines(text) << "\n";
    HeadlessFace::ShowSystemError(text);
  }
  void SetStatusPanels(const std::array<std::string, 4>& p) override {
    if (p[0].find("※") != std::string::npos && p[0] != panels[0]) std::cerr << "kondra-cli: " << Lines(p[0]) << "\n";
    HeadlessFace::SetStatusPanels(p);
  }

 private:
  static std::string Lines(std::string text) {
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) text.replace(at, 1, "\n  ");
    return text;
  }
};

}  // namespace

std::filesystem::path StartFolder;

std::string ProgramPath(const std::string& arg) {
  if (arg.size() >= 3 && arg[1] == ':' && arg[2] == '\\') return arg;
  std::filesystem::path path(arg);
  if (path.is_relative()) path = (StartFolder.empty() ? std::filesystem::current_path() : StartFolder) / path;
  return fs::FromNative(path.lexically_normal().string());
}

std::string NativePath(const std::string& path) { return fs::ToNative(path); }

nlohmann::ordered_json JsonNumber(float value) {
  if (!std::isfinite(value)) return nullptr;
  char buf[48];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc()) return static_cast<double>(value);
  // The shortest text that reads back as this single, held as the double it
  // names, which prints as the same text.
  return std::strtod(std::string(buf, end).c_str(), nullptr);
}

std::optional<double> NumberArg(const std::string& text) {
  const std::string t = TrimBoth(text);
  if (t.empty()) return std::nullopt;
  char* end = nullptr;
  double value = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

void Complain(const char* command, const std::string& text) {
  std::cerr << "kondra-cli " << command << ": " << text << "\n";
}

int OpenAndCalculate(const char* command, const std::string& path) {
  if (!fs::IsFile(path)) {
    Complain(command, NativePath(path) + ": ファイルが見つかりません。");
    return kExitUsage;
  }
  if (!ReadCalcFile(path)) {
    Complain(command, NativePath(path) + ": 計算ファイルとして読めません。");
    return kExitUsage;
  }
  InputCheck check = CheckInput(Calc);
  if (!check.ok) return kExitRefused;
  if (PrepareCumulative(Calc)) {
    Calc.Calculated = false;
    return kExitAborted;
  }
  RunEngine(Calc);
  Calc.Calculated = true;
  return kExitDone;
}

const char* const kCommonOptions = "  --root DIR         read the installation in DIR (default: the one kondra starts on)\n";

bool TakeCommonOptions(std::vector<std::string>& args, StartupOptions& options) {
  std::string error;
  if (TakeStartupArgs(args, options, error)) return true;
  std::cerr << "kondra-cli: " << error << "\n";
  return false;
}

bool StartCli(const StartupOptions& given) {
  static StderrFace face;
  SetMessageFace(&face);
  StartupOptions options = given;
  options.readOnly = true;
  return StartProgram(options);
}

}  // namespace kondra::cli
