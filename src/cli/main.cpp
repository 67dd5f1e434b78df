// kondra-cli: the headless face of the program.
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* kUsage =
    "使い方: kondra-cli <command> [options]\n"
    "\n"
    "  --version          show the program version\n"
    "  --help             show this help\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::cout << kUsage;
    return argc < 2 ? 1 : 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::cout << "Kondra.EXE Ver." << KONDRA_VERSION << "\n";
    return 0;
  }
  std::cerr << "kondra-cli: unknown command '" << argv[1] << "'\n" << kUsage;
  return 1;
}
