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
};

void Usage(std::ostream& out) {
  out << "使い方: kondra-cli [--root DIR] <command> [options]\n\n";
  for (const Command& c : kCommands) out << "  " << c.name << std::string(19 - std::strlen(c.name), ' ') << c.help << "\n";
  out << "  --version          show the program version\n"
         "  --help             show this help\n\n"
      << kondra::cli::kCommonOptions;
}

}  // namespace

int main(int argc, char** argv) {
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
