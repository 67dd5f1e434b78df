#include "support/Scratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "env/FileSystem.h"
#include "support/QuietFace.h"

namespace kondra::fuzz {
namespace {

// Never destroyed: the exit handler that removes the folder runs after
// static objects are gone.
const std::string& NativeFolder() {
  static const std::string* native = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "kondra-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) Broken("cannot make a scratch folder");
    auto* kept = new std::string(pattern);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(NativeFolder(), ec);
    });
    return kept;
  }();
  return *native;
}

constexpr std::string_view kCut = "\n--8<--\n";

}  // namespace

const std::string& ScratchFolder() {
  static const std::string folder = fs::FromNative(NativeFolder()) + "\\";
  return folder;
}

std::string ScratchFile(std::string_view name, std::string_view bytes) {
  const std::string path = ScratchFolder() + std::string(name);
  std::FILE* f = std::fopen(fs::ToNative(path).c_str(), "wb");
  if (!f) Broken("cannot write a scratch file");
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) Broken("short scratch write");
  std::fclose(f);
  return path;
}

std::string_view Part(std::string_view input, int index) {
  for (int i = 0; i < index; ++i) {
    std::size_t cut = input.find(kCut);
    if (cut == std::string_view::npos) return {};
    input.remove_prefix(cut + kCut.size());
  }
  return input.substr(0, input.find(kCut));
}

}  // namespace kondra::fuzz
