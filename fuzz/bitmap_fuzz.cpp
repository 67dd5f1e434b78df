// The bitmap and JPEG readers: bytes of a picture file. A picture that is
// accepted has the pixels its size promises and comes back unchanged from
// the bitmap writer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "output/Bitmap.h"
#include "output/Jpeg.h"
#include "support/QuietFace.h"

using namespace kondra;
using kondra::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  for (bool jpeg : {false, true}) {
    std::optional<RgbImage> image = jpeg ? DecodeJpeg(bytes) : DecodeBmp(bytes);
    if (!image) continue;
    Require(image->width > 0 && image->height > 0 && image->width <= kMaxBitmapSide &&
                image->height <= kMaxBitmapSide,
            "picture size in range");
    Require(image->rgb.size() == static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) * 3,
            "pixels match the size");
    if (static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) > 1u << 20) continue;
    std::optional<RgbImage> again = DecodeBmp(EncodeBmp(*image));
    Require(again && again->rgb == image->rgb, "a written bitmap reads back the same");
  }
  return 0;
}
