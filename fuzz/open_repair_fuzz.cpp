// Opening a calculation with the material file beside it, then the automatic
// repairs, as the window does after every open. The input holds two files
// (split at "\n--8<--\n"): the calculation and the material file. Whatever
// they hold, a repair never writes when either did not read cleanly, and when
// it does write, the file as it was is kept beside it as NAME.KDR.bak.
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/CalcFile.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "materials/MaterialFiles.h"
#include "support/QuietFace.h"
#include "support/Scratch.h"

using namespace kondra;
using kondra::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  DatDir = fuzz::ScratchFolder();
  CalcDir = fuzz::ScratchFolder();
  ResultDir.clear();
  const std::string calcBytes(fuzz::Part(input, 0));
  const std::string path = fuzz::ScratchFile("OPEN.KDR", calcBytes);
  fuzz::ScratchFile(kMaterialFileName, fuzz::Part(input, 1));
  fs::RemoveFile(path + ".bak");

  const bool read = ReadCalcFile(path);
  const bool clean = MaterialFileClean();
  RepairLayerRecords();

  std::string now;
  fs::ReadWhole(path, now);
  if (!read || !clean) {
    Require(now == calcBytes, "a file that did not read cleanly was written");
    Require(!fs::Exists(path + ".bak"), "a backup was made without a repair");
  } else if (now != calcBytes) {
    std::string kept;
    Require(fs::ReadWhole(path + ".bak", kept) && kept == calcBytes, "a repair saved without keeping the original");
  }
  return 0;
}
