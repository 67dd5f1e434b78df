// Where the weather tests find the repository's data: the public climate
// sources and the installation's item files. KONDRA_FIXTURES is the absolute
// path of tests/fixtures, so the repository lies two folders above it.
#pragma once

#include <filesystem>
#include <string>

#include "env/FileSystem.h"

namespace kondra::test {

inline std::string RepositoryFolder(const std::string& relative) {
  const auto root = std::filesystem::path(KONDRA_FIXTURES).parent_path().parent_path();
  return fs::FromNative(std::filesystem::weakly_canonical(root / relative).string()) + "\\";
}

// data/weather/sources\ as a program path.
inline std::string WeatherSourcesDir() { return RepositoryFolder("data/weather/sources"); }
// data/install/DATA/DAT\ as a program path.
inline std::string InstallDatDir() { return RepositoryFolder("data/install/DATA/DAT"); }

}  // namespace kondra::test
