// kondra-datagen: the installation tree from its readable sources (DataGen.h).
#include <cstring>
#include <iostream>
#include <string>

#include "DataGen.h"

namespace {

const char* kUsage =
    "usage: kondra-datagen [--manifest FILE [--depfile FILE]] [--folder DIR]... OUTPUT SOURCE...\n"
    "\n"
    "  OUTPUT           folder the installation tree is laid into\n"
    "  SOURCE           source folders (data/install, generated trees), in order\n"
    "  --manifest FILE  fingerprints of the last run: a file the program or a user\n"
    "                   changed is rewritten only when its source changes\n"
    "  --depfile FILE   make-style list of every source read (for the build)\n"
    "  --folder DIR     an empty folder of the tree to create (DATA/PICT, CAL/KDR ...)\n";

}  // namespace

int main(int argc, char** argv) {
  kondra::datagen::Options options;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) {
        std::cerr << "kondra-datagen: " << arg << " needs a value\n" << kUsage;
        return false;
      }
      into = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--manifest") {
      if (!value(options.manifest)) return 2;
    } else if (arg == "--depfile") {
      if (!value(options.depfile)) return 2;
    } else if (arg == "--folder") {
      std::string folder;
      if (!value(folder)) return 2;
      options.folders.push_back(folder);
    } else if (arg.rfind("--", 0) == 0) {
      std::cerr << "kondra-datagen: unknown option " << arg << "\n" << kUsage;
      return 2;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() < 2) {
    std::cerr << kUsage;
    return 2;
  }
  options.outputRoot = positional.front();
  options.sourceRoots.assign(positional.begin() + 1, positional.end());
  return kondra::datagen::Run(options, std::cerr);
}
