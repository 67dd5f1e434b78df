// The surface every picture of the program is drawn on.
//
// A small, GDI-like canvas: the current pen, brush and font are plain state
// (set them, then draw), and a handful of primitives use that state. Colours
// are RGB values (see Palette.h; ColorOf turns colour numbers into them).
// Coordinates are whole pixels of the picture, origin top left, y downwards;
// a font size is in points at 96 pixels per inch.
//
// Implementations: the QPainter canvas of the gui (screen, printer, PDF,
// PNG, SVG), the metafile canvas, and RecordingCanvas for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kondra {

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Fill patterns; hatch lines are drawn in the brush colour and leave the
// ground between them as it was.
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
// How a pen combines with what is already drawn.
enum class PenMode {
  Copy,     // the pen colour
  NotCopy,  // the inverse of the pen colour
  Not,      // inverts what is there (drawing the same line twice removes it)
  Xor,
  NotXor,
  White,
  Black,
};
enum class PenStyle { Solid, Dot, Dash, DashDot, DashDotDot };

// Font style bits.
inline constexpr int32_t kFontBold = 1;
inline constexpr int32_t kFontItalic = 2;
inline constexpr int32_t kFontUnderline = 4;
inline constexpr int32_t kFontStrikeOut = 8;

struct CanvasPen {
  int32_t color = 0;  // RGB
  PenMode mode = PenMode::Copy;
  int32_t width = 1;
  PenStyle style = PenStyle::Solid;
  friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

struct CanvasBrush {
  int32_t color = 0xFFFFFF;  // RGB
  BrushStyle style = BrushStyle::Solid;
  friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

// The legacy font names ("ＭＳ ゴシック", "Small Fonts", …) stay the names
// here; each implementation maps them onto the faces it has.
struct CanvasFont {
  std::string name = "ＭＳ ゴシック";
  int32_t size = 9;  // points
  int32_t style = 0;  // kFont… bits
  int32_t color = 0;  // RGB
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  CanvasPen pen;
  CanvasBrush brush;
  CanvasFont font;

  // A line from `from` to `to` with the pen.
  virtual void Line(TPoint from, TPoint to) = 0;
  // Connected lines through the points with the pen.
  virtual void Polyline(const std::vector<TPoint>& points) = 0;
  // A closed polygon filled with the brush and outlined with the pen.
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  // The rectangle from (x1, y1) up to, not including, (x2, y2) filled with
  // the brush; no outline.
  virtual void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  // Text in the font with its cell's top-left corner at (x, y). Opaque text
  // first fills its cell with the brush colour; otherwise the ground shows
  // through.
  virtual void TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) = 0;
};

}  // namespace kondra
