// A metafile target that keeps what is played onto it, for the metafile
// tests of this folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/EmfPlayer.h"
#include "output/Metafile.h"

namespace kondra::test {

struct PlayedFill {
  std::vector<std::vector<EmfPointF>> polygons;
  bool winding = false;
  EmfPlayBrush brush;
  int32_t rop2 = 0;
};

struct PlayedStroke {
  std::vector<std::vector<EmfPointF>> lines;
  EmfPlayPen pen;
  int32_t rop2 = 0;
};

class RecordingTarget : public EmfTarget {
 public:
  std::vector<PlayedFill> fills;
  std::vector<PlayedStroke> strokes;
  std::vector<EmfPlayText> texts;
  int images = 0;
  int clips = 0;
  EmfRectF imageRect;
  int32_t imageWidth = 0, imageHeight = 0;
  std::vector<uint8_t> imageRgb;

  void Fill(const std::vector<std::vector<EmfPointF>>& polygons, bool winding, const EmfPlayBrush& brush, int32_t rop2,
            int32_t, bool) override {
    fills.push_back({polygons, winding, brush, rop2});
  }
  void Stroke(const std::vector<std::vector<EmfPointF>>& lines, const EmfPlayPen& pen, int32_t rop2) override {
    strokes.push_back({lines, pen, rop2});
  }
  void Text(const EmfPlayText& text) override { texts.push_back(text); }
  void Image(const EmfRectF& dest, int32_t w, int32_t h, const std::vector<uint8_t>& rgb) override {
    ++images;
    imageRect = dest;
    imageWidth = w;
    imageHeight = h;
    imageRgb = rgb;
  }
  void Clip(const std::optional<EmfRectF>&) override { ++clips; }
};

// Types of the records of a metafile, in order.
inline std::vector<uint32_t> RecordTypes(const std::string& data) {
  std::vector<EmfRecord> records;
  std::vector<uint32_t> types;
  if (SplitEmf(data, records))
    for (const EmfRecord& r : records) types.push_back(r.type);
  return types;
}

inline std::string Utf16Bytes(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

}  // namespace kondra::test
