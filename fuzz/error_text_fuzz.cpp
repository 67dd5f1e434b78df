// The error-message file エラー文.DAT: numbered lines looked up by number.
// The number asked for comes from the input's first two bytes, so the fuzzer
// finds the lines it asks about; every lookup ends in a status text.
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
  if (size < 2) return 0;
  // 1 … 999 (0 repeats the last remark instead of looking a number up).
  const int32_t number = 1 + (data[0] << 8 | data[1]) % 999;
  DatDir = fuzz::ScratchFolder();
  fuzz::ScratchFile("エラー文.DAT", std::string_view(reinterpret_cast<const char*>(data + 2), size - 2));

  ResetMessageState();
  ErrorMsg(number);
  Require(ErrorNo == number, "the number asked for is remembered");
  Require(!LastStatusMsg.empty(), "every lookup shows a text");
  return 0;
}
