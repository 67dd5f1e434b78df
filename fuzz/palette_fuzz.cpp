// The palette file: bytes of a colour file as the environment names it, read
// directly and through the colour lookups that re-read it. Every line read
// sets one entry; entries past the last line are black.
#include <cstddef>
#include <cstdint>
#include <string>

#include "env/Folders.h"
#include "output/Palette.h"
#include "support/QuietFace.h"
#include "support/Scratch.h"

using namespace kondra;
using kondra::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  const std::string path = fuzz::ScratchFile("KONDRA.COL", std::string_view(reinterpret_cast<const char*>(data), size));

  std::string error;
  const int lines = ReadPaletteFile(path, &error);
  Require(lines >= -1 && lines <= 256, "at most 256 lines are read");
  Require((lines < 0) == !error.empty(), "a failed read says why, a good one says nothing");
  for (int k = lines < 0 ? 256 : lines; k < 256; ++k)
    Require(lines < 0 || Palette[static_cast<std::size_t>(k)] == 0, "entries without a line are black");

  ColorDir = fuzz::ScratchFolder();
  EnvRow[20] = " KONDRA.COL ";
  PaletteLoadedFrom.clear();
  for (int32_t code : {0, 1, 15, 255, 256, -1, -15, -16, -17, -21, -255, INT32_MIN, INT32_MAX})
    (void)ColorOf(code);
  Require(PaletteLoadedFrom == path, "the lookup read the file the environment names");
  return 0;
}
