#include "cli/Cli.h"

#include <iostream>

#include "env/Environment.h"
#include "env/Messages.h"

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
