// kondra-cli: the headless face of the program.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace {

struct Command {
  const char* name;
  const char* help;
  int (*run)(const std::vector<std::string>& args);
};

const Command kCommands[] = {
    {"env", "show the installation and its environment file (JSON)", kondra::cli::EnvCommand},
    {"calc", "calculate a .KDR file: tables, K and P values, judgement (--json, --si)", kondra::cli::CalcCommand},
    {"new", "create a .KDR file as the input window would (see new --help)", kondra::cli::NewCommand},
    {"materials", "list 材料物性.DAT (--json)", kondra::cli::MaterialsCommand},
    {"parts", "list 部位区分.DAT (--json)", kondra::cli::PartsCommand},
    {"picture", "draw the section or a diagram as PNG, SVG or EMF (see picture --help)", kondra::cli::PictureCommand},
    {"report", "the calculation report as a PDF page (see report --help)", kondra::cli::ReportCommand},
    {"annual", "the year-round check: monthly condensation and drying (see annual --help)", kondra::cli::AnnualCommand},
};

void Usage(std::ostream& out) {
  out << "使い方: kondra-cli [--root DIR] <command> [options]\n\n";
  for (const Command& c : kCommands) out << "  " << c.name << std::string(19 - std::strlen(c.name), ' ') << c.help << "\n";
  out << "  --version          show the program version\n"
         "  --help             show this help\n\n"
         "Exit status: 0 done, 1 usage error or a file that cannot be read or written,\n"
         "2 input refused by the check, 3 calculation aborted.\n\n"
      << kondra::cli::kCommonOptions;
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code ec;
  kondra::cli::StartFolder = std::filesystem::current_path(ec);
  std::vector<std::string> args(argv + 1, argv + argc);
  kondra::StartupOptions options;
  if (!kondra::cli::TakeCommonOptions(args, options)) return 1;
  if (args.empty() || args.front() == "--help" || args.front() == "-h") {
    Usage(std::cout);
    return args.empty() ? 1 : 0;
  }
  if (args.front() == "--version") {
    std::cout << "Kondra.EXE Ver." << KONDRA_VERSION << "\n";
    return 0;
  }
  const Command* command = nullptr;
  for (const Command& c : kCommands)
    if (!args.empty() && args.front() == c.name) command = &c;
  if (!command) {
    std::cerr << "kondra-cli: unknown command '" << args.front() << "'\n";
    Usage(std::cerr);
    return 1;
  }
  args.erase(args.begin());
  if (!kondra::cli::StartCli(options)) return 1;
  return command->run(args);
}
