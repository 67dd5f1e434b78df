// The wall composition file 壁体構成.DAT: record 1 of fixed 340-byte records,
// texts as a length byte and CP932 bytes. A record that reads holds texts no
// longer than their fields.
#include <cstddef>
#include <cstdint>
#include <string>

#include "env/Cp932.h"
#include "materials/MaterialFiles.h"
#include "support/QuietFace.h"
#include "support/Scratch.h"

using namespace kondra;
using kondra::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  const std::string path = fuzz::ScratchFile(kWallFileName, std::string_view(reinterpret_cast<const char*>(data), size));
  TWallRecord record;
  const bool read = ReadWallRecord(path, record);
  Require(read == (size >= static_cast<std::size_t>(kWallRecordBytes)), "a whole first record reads, less does not");
  Require(MBWidth(record.WallName) <= 30, "wall name within its field");
  Require(MBWidth(record.PartName) <= 12, "part name within its field");
  for (int k = 1; k <= kWallLayers; ++k)
    Require(MBWidth(record.LayerName[static_cast<std::size_t>(k)]) <= 12, "layer name within its field");
  return 0;
}
