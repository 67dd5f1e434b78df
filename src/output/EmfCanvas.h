// The canvas of an enhanced metafile: every primitive becomes the GDI
// records that draw it, so the file shows the same picture in any program
// that reads metafiles.
//
// Logical units are the picture's pixels. Lines are a move and a line (the
// last pixel is not drawn, as GDI does); filled rectangles are GDI
// rectangles without an outline; polygons fill by the alternate rule; text is
// written as UTF-16 with the legacy face name, top-left aligned, with the
// advance of every character, and with a cell filled in the background colour
// when opaque. Hatches leave the ground between their lines as it was.
//
// Character widths come from a TextMeasure. The core's own one treats every
// face as fixed-pitch (one-byte characters half the height wide, two-byte
// characters as wide as high), which is exact for the Japanese system faces;
// the gui installs one that measures the faces the fonts map to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/Canvas.h"
#include "output/EmfWriter.h"
#include "output/Metafile.h"

namespace kondra {

// Pixel height of the character cell of a font size in points at 96 dpi, as
// the system rounds it.
int32_t FontPixelHeight(int32_t points);

struct TextMetrics {
  int32_t aveCharWidth = 0;  // pixels
  int32_t height = 0;        // character-cell height, pixels
};

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Metrics of the font at FontPixelHeight(font.size).
  virtual TextMetrics Metrics(const CanvasFont& font) const = 0;
  // The advance in pixels of every UTF-16 unit of `text` (the second unit of
  // a pair advances 0).
  virtual std::vector<int32_t> Advances(const CanvasFont& font, const std::u16string& text) const = 0;
};

// The fixed-pitch measure of the core.
class CellTextMeasure : public TextMeasure {
 public:
  TextMetrics Metrics(const CanvasFont& font) const override;
  std::vector<int32_t> Advances(const CanvasFont& font, const std::u16string& text) const override;
};

// The measure in use (not owned); nullptr goes back to the core's own.
void SetTextMeasure(const TextMeasure* measure);
const TextMeasure& CurrentTextMeasure();

class EmfCanvas : public Canvas {
 public:
  // A picture of width × height pixels for `device`.
  EmfCanvas(int32_t width, int32_t height, std::string_view description = {},
            const EmfDevice& device = MetafileScreen());

  void Line(TPoint from, TPoint to) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) override;

  // The logical character width of the font as it would be written now
  // (0: the face's own proportions).
  int32_t FontWidth() const;
  // From now on every font gets an explicit character width (see
  // FixMetafileFontWidth).
  void FixFontWidths() { fixWidths_ = true; }
  bool FontWidthsFixed() const { return fixWidths_; }

  // The finished metafile. The canvas draws nothing afterwards.
  std::string Finish();

  EmfWriter& writer() { return writer_; }

 private:
  void UseCanvasPen();
  EmfFont LogicalFont() const;

  EmfWriter writer_;
  bool fixWidths_ = false;
};

// Gives the metafile canvas's fonts an explicit character width: when the
// font's logical width is 0, width := average character width × (−font
// height) div character-cell height, from the measure's metrics. The canvas
// keeps doing so for the fonts set after this call, so every text drawn into
// the metafile keeps its proportions on any device.
void FixMetafileFontWidth(EmfCanvas& canvas);

}  // namespace kondra
