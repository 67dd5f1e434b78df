// The sayings file: fixed 81-byte records (a length byte, then up to 80
// bytes of text) of which one is picked at random and shown.
#include <cstddef>
#include <cstdint>
#include <string>

#include "env/Folders.h"
#include "env/Messages.h"
#include "support/QuietFace.h"
#include "support/Scratch.h"

using namespace kondra;
using kondra::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  DatDir = fuzz::ScratchFolder();
  fuzz::ScratchFile("都々逸.DAT", std::string_view(reinterpret_cast<const char*>(data), size));
  // Several picks, so more than the first record of a file is shown.
  for (int i = 0; i < 4; ++i) {
    EnvRow[21] = "都々逸.DAT";
    ShowSaying();
    Require(!EnvRow[21].empty(), "the sayings file keeps a name");
  }
  return 0;
}
