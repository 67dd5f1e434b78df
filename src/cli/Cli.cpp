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
#include "materials/MaterialFiles.h"

namespace kondra::cli {
namespace {

// Boxes and status-bar remarks as lines on stderr; boxes take their default
// answer.
// An unexpected error arrives three times (the system box, the remark and
// the error box, all with the same words): it is printed once.
class StderrFace : public HeadlessFace {
 public:
  int shown = 0;

  MsgButton ShowBox(const std::string& text, int kind, int buttons) override {
    static const char* const kKinds[] = {"", "情報", "確認", "警告", "エラー"};
    if (!Said(text)) Print(std::string("[") + kKinds[kind >= 1 && kind <= 4 ? kind : 1] + "] " + Lines(text));
    return HeadlessFace::ShowBox(text, kind, buttons);
  }
  void ShowSystemError(const std::string& text) override {
    // The remark and the box that follow carry the same words.
    HeadlessFace::ShowSystemError(text);
  }
  void SetStatusPanels(const std::array<std::string, 4>& p) override {
    if (p[0].find("※") != std::string::npos && p[0] != panels[0] && !Said(p[0])) Print(Lines(p[0]));
    HeadlessFace::SetStatusPanels(p);
  }

 private:
  std::string last_;
  // Whether the text (without the remark's mark) is what was printed last.
  bool Said(std::string text) {
    const std::string mark = "※";
    const std::size_t at = text.find(mark);
    if (at != std::string::npos) text = text.substr(at + mark.size());
    const bool same = !last_.empty() && text == last_;
    last_ = text;
    return same;
  }
  void Print(const std::string& line) {
    std::cerr << "kondra-cli: " << line << "\n";
    ++shown;
  }
  static std::string Lines(std::string text) {
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) text.replace(at, 1, "\n  ");
    return text;
  }
};

StderrFace& CliFace() {
  static StderrFace face;
  return face;
}

}  // namespace

std::filesystem::path StartFolder;

int MessageLinesShown() { return CliFace().shown; }

bool DatabaseReadsCleanly(const char* command, const std::string& path) {
  const std::string problem = DatabaseFileProblem(path);
  if (problem.empty()) return true;
  Complain(command, problem);
  return false;
}

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
  // The calculation carries its own values; a damaged database is only said.
  DatabaseReadsCleanly(command, MaterialFilePath());
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
  SetMessageFace(&CliFace());
  StartupOptions options = given;
  options.readOnly = true;
  return StartProgram(options);
}

}  // namespace kondra::cli
