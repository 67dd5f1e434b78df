// The enhanced-metafile reader: bytes of a file as TMetafileEx loads them. A
// metafile that is accepted plays to the end, and rewriting its header for a
// resolution changes nothing but the header and gives a metafile again (or,
// refused, changes nothing at all).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "output/EmfPlayer.h"
#include "output/Metafile.h"
#include "support/QuietFace.h"

using namespace kondra;
using kondra::fuzz::Require;

namespace {

// Looks at everything it is given, so the values are read.
class CheckingTarget : public EmfTarget {
 public:
  void Fill(const std::vector<std::vector<EmfPointF>>& polygons, bool, const EmfPlayBrush&, int32_t, int32_t,
            bool) override {
    for (const auto& p : polygons) n += p.size();
  }
  void Stroke(const std::vector<std::vector<EmfPointF>>& lines, const EmfPlayPen& pen, int32_t) override {
    Require(pen.width >= 1 || std::isnan(pen.width), "pen at least one pixel wide");
    for (const auto& l : lines) n += l.size();
  }
  void Text(const EmfPlayText& text) override { n += text.text.size() + text.dx.size(); }
  void Image(const EmfRectF&, int32_t w, int32_t h, const std::vector<uint8_t>& rgb) override {
    Require(w > 0 && h > 0 && rgb.size() == static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3,
            "image size matches its pixels");
  }
  void Clip(const std::optional<EmfRectF>&) override {}
  std::size_t n = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  std::string bytes(reinterpret_cast<const char*>(data), size);

  std::optional<EmfHeader> header = ReadEmfHeader(bytes);
  CheckingTarget target;
  bool played = PlayMetafile(bytes, target);
  Require(played == header.has_value(), "a metafile plays exactly when its header reads");
  if (!header) return 0;

  // A rewrite is refused only for sizes that 32 bits cannot hold, and then
  // changes nothing.
  std::string rewritten = bytes;
  if (!SetMetafileResolution(rewritten, 192, 96)) {
    Require(rewritten == bytes, "a refused rewrite changes nothing");
    return 0;
  }
  Require(rewritten.size() == bytes.size(), "the rewrite keeps the size");
  Require(rewritten.compare(header->headerSize, std::string::npos, bytes, header->headerSize, std::string::npos) == 0,
          "the rewrite keeps every record but the header");
  Require(ReadEmfHeader(rewritten).has_value(), "the rewritten metafile reads");
  return 0;
}
