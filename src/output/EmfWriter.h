// Builds an enhanced metafile in memory, record by record, through libUEMF's
// record builders; the bytes are written to disk by the caller (whole and
// atomically, through fs::WriteWhole).
//
// A metafile is made for a reference device (the screen, see MetafileScreen):
// the picture of width × height pixels of that device gets a frame of
// width × 2540 / dpi hundredths of a millimetre, and its bounds are the whole
// picture. Logical units are pixels of the picture, or, with unitsPerPixel
// above 1, that many logical units per pixel (for drawings with fractional
// coordinates); the mapping is then written into the metafile.
//
// Pens, brushes and fonts are plain values. Selecting a value that differs
// from the selected one creates the object, selects it and deletes the one it
// replaces, so the object table stays small and every object is deleted.
// Colours are RGB values in Windows order (red in the low byte).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "output/Metafile.h"

namespace kondra {

struct EmfPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const EmfPoint&, const EmfPoint&) = default;
};

struct EmfRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const EmfRect&, const EmfRect&) = default;
};

// GDI pen styles, end caps and joins (the PS_ values of the metafile).
inline constexpr uint32_t kEmfPenSolid = 0;
inline constexpr uint32_t kEmfPenDash = 1;
inline constexpr uint32_t kEmfPenDot = 2;
inline constexpr uint32_t kEmfPenDashDot = 3;
inline constexpr uint32_t kEmfPenDashDotDot = 4;
inline constexpr uint32_t kEmfPenNull = 5;
inline constexpr uint32_t kEmfPenCapRound = 0x000;
inline constexpr uint32_t kEmfPenCapSquare = 0x100;
inline constexpr uint32_t kEmfPenCapFlat = 0x200;
inline constexpr uint32_t kEmfPenJoinRound = 0x0000;
inline constexpr uint32_t kEmfPenJoinBevel = 0x1000;
inline constexpr uint32_t kEmfPenJoinMiter = 0x2000;
inline constexpr uint32_t kEmfPenGeometric = 0x10000;

// Brush styles and hatches (BS_ and HS_ values).
inline constexpr uint32_t kEmfBrushSolid = 0;
inline constexpr uint32_t kEmfBrushNull = 1;
inline constexpr uint32_t kEmfBrushHatched = 2;
inline constexpr int32_t kEmfHatchHorizontal = 0;
inline constexpr int32_t kEmfHatchVertical = 1;
inline constexpr int32_t kEmfHatchFDiagonal = 2;
inline constexpr int32_t kEmfHatchBDiagonal = 3;
inline constexpr int32_t kEmfHatchCross = 4;
inline constexpr int32_t kEmfHatchDiagCross = 5;

// Binary raster operations of the pen (R2_ values).
inline constexpr int32_t kEmfRopBlack = 1;
inline constexpr int32_t kEmfRopNotCopyPen = 4;
inline constexpr int32_t kEmfRopNot = 6;
inline constexpr int32_t kEmfRopXorPen = 7;
inline constexpr int32_t kEmfRopNotXorPen = 10;
inline constexpr int32_t kEmfRopCopyPen = 13;
inline constexpr int32_t kEmfRopWhite = 16;

// Text alignment (TA_ values), background modes, polygon fill modes.
inline constexpr uint32_t kEmfAlignTopLeft = 0x00;
inline constexpr uint32_t kEmfAlignBaseline = 0x18;
inline constexpr int32_t kEmfBkTransparent = 1;
inline constexpr int32_t kEmfBkOpaque = 2;
inline constexpr int32_t kEmfFillAlternate = 1;
inline constexpr int32_t kEmfFillWinding = 2;

// Character sets of a font.
inline constexpr uint8_t kEmfCharsetAnsi = 0;
inline constexpr uint8_t kEmfCharsetDefault = 1;
inline constexpr uint8_t kEmfCharsetShiftJis = 128;

struct EmfPen {
  uint32_t style = kEmfPenSolid;  // PS_ style, caps, joins, kEmfPenGeometric
  int32_t width = 1;              // logical units; 0 draws one device pixel
  int32_t color = 0;
  friend bool operator==(const EmfPen&, const EmfPen&) = default;
};

struct EmfBrush {
  uint32_t style = kEmfBrushSolid;
  int32_t color = 0xFFFFFF;
  int32_t hatch = 0;
  friend bool operator==(const EmfBrush&, const EmfBrush&) = default;
};

// A logical font. Sizes are logical units; a negative height is the
// character height (the em), a positive one the cell height.
struct EmfFont {
  int32_t height = -12;
  int32_t width = 0;       // 0: the face's own proportions
  int32_t escapement = 0;  // tenths of a degree, anticlockwise
  int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  uint8_t charset = kEmfCharsetDefault;
  std::string face;  // UTF-8, at most 31 UTF-16 units are kept
  friend bool operator==(const EmfFont&, const EmfFont&) = default;
};

class EmfWriter {
 public:
  // A picture of width × height pixels of `device`. The description (UTF-8)
  // is stored in the header as "Kondra", a zero and the text.
  EmfWriter(int32_t width, int32_t height, const EmfDevice& device, std::string_view description = {},
            int32_t unitsPerPixel = 1);
  ~EmfWriter();
  EmfWriter(const EmfWriter&) = delete;
  EmfWriter& operator=(const EmfWriter&) = delete;

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  int32_t unitsPerPixel() const { return units_; }
  const EmfDevice& device() const { return device_; }

  // Objects and drawing state; nothing is written when the value is the
  // current one.
  void UsePen(const EmfPen& pen);
  void UseNullPen();
  void UseBrush(const EmfBrush& brush);
  void UseNullBrush();
  void UseFont(const EmfFont& font);
  void SetTextColor(int32_t rgb);
  void SetBkColor(int32_t rgb);
  void SetBkMode(int32_t mode);
  void SetTextAlign(uint32_t align);
  void SetRop2(int32_t rop);
  void SetPolyFillMode(int32_t mode);

  // Drawing with the selected objects, in logical units.
  void MoveTo(EmfPoint p);
  void LineTo(EmfPoint p);
  void Polyline(const std::vector<EmfPoint>& points);
  void Polygon(const std::vector<EmfPoint>& points);
  void PolyPolygon(const std::vector<std::vector<EmfPoint>>& polygons);
  void PolyPolyline(const std::vector<std::vector<EmfPoint>>& lines);
  // GDI's rectangle: outlined with the pen, filled with the brush; the right
  // and bottom edges are not drawn.
  void Rectangle(const EmfRect& box);
  void Ellipse(const EmfRect& box);
  // Text at `origin` (its meaning follows the text alignment) with one
  // advance per UTF-16 unit in `dx` (logical units). With `opaque` the box
  // is first filled with the background colour.
  void TextOut(EmfPoint origin, const std::u16string& text, const std::vector<int32_t>& dx, const EmfRect& box,
               bool opaque);
  // A picture of w × h pixels (RGB, top row first, 3 bytes a pixel)
  // stretched onto `dest`.
  void StretchImage(const EmfRect& dest, int32_t w, int32_t h, const std::vector<uint8_t>& rgb);
  void SaveDC();
  void RestoreDC();
  void IntersectClipRect(const EmfRect& box);

  // Ends the metafile and returns its bytes. The writer is spent afterwards.
  std::string Finish();

  // Records written so far (header included).
  uint32_t RecordCount() const;

 private:
  struct State;
  void Append(char* record);
  EmfRect DeviceBounds(const std::vector<EmfPoint>& points, int32_t pad) const;
  EmfRect DeviceBox(const EmfRect& box) const;
  void DropPen();
  void DropBrush();

  int32_t width_;
  int32_t height_;
  int32_t units_;
  EmfDevice device_;
  std::unique_ptr<State> state_;
};

}  // namespace kondra
