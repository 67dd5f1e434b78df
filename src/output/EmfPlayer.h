// Plays an enhanced metafile: walks its records, keeps the device context
// (objects, modes, mapping, paths, saved states) and hands every drawing to a
// target in the picture's device pixels, GDI's pixel rules already applied.
//
// Coordinates given to the target are continuous: pixel x of the device
// covers [x, x + 1). Strokes run through pixel centres; a filled shape covers
// the pixels GDI fills (a rectangle without outline one pixel less to the
// right and below, as GDI draws it). Sizes of pens and fonts are device
// pixels too.
//
// Records the program does not draw with (palettes, colour spaces, OpenGL,
// escapes) are skipped; a record whose sizes do not fit its length is
// skipped as well, so a damaged file shows what can be shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/Metafile.h"

namespace kondra {

struct EmfPointF {
  double x = 0;
  double y = 0;
};

struct EmfRectF {
  double left = 0, top = 0, right = 0, bottom = 0;
};

struct EmfPlayPen {
  uint32_t style = 0;  // PS_ style bits (dash style, caps, joins, geometric)
  double width = 1;    // device pixels; at least 1
  int32_t color = 0;
};

struct EmfPlayBrush {
  uint32_t style = 0;  // BS_SOLID, BS_NULL or BS_HATCHED
  int32_t color = 0xFFFFFF;
  int32_t hatch = 0;
};

struct EmfPlayFont {
  double height = -12;  // device pixels; negative: the em, positive: the cell
  double width = 0;     // device pixels; 0: the face's own
  int32_t escapement = 0;  // tenths of a degree, anticlockwise
  int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  uint8_t charset = 1;
  std::string face;  // UTF-8
};

struct EmfPlayText {
  EmfPointF origin;        // the reference point; its meaning follows `align`
  std::string text;        // UTF-8
  std::vector<double> dx;  // advance of every character, device pixels (may be empty)
  EmfPlayFont font;
  int32_t color = 0;
  uint32_t align = 0;      // TA_ bits
  bool opaque = false;     // fill `box` with `bkColor` first
  bool clipped = false;    // clip the text to `box`
  EmfRectF box;
  int32_t bkColor = 0xFFFFFF;
  bool opaqueBackground = false;  // the background mode is opaque: fill the text's cell
};

class EmfTarget {
 public:
  virtual ~EmfTarget() = default;
  // Fills the polygons (closed, even-odd or winding) with the brush.
  virtual void Fill(const std::vector<std::vector<EmfPointF>>& polygons, bool winding, const EmfPlayBrush& brush,
                    int32_t rop2, int32_t bkColor, bool opaqueBackground) = 0;
  // Strokes the lines with the pen; a closed line repeats its first point.
  virtual void Stroke(const std::vector<std::vector<EmfPointF>>& lines, const EmfPlayPen& pen, int32_t rop2) = 0;
  virtual void Text(const EmfPlayText& text) = 0;
  // An image of w × h pixels (RGB, top row first) stretched onto `dest`.
  virtual void Image(const EmfRectF& dest, int32_t w, int32_t h, const std::vector<uint8_t>& rgb) = 0;
  // Drawing from now on is cut to `clip` (nothing: no clipping).
  virtual void Clip(const std::optional<EmfRectF>& clip) = 0;
};

// The picture's rectangle in device pixels: its frame measured with the
// device of the header.
EmfRectF PictureRect(const EmfHeader& header);

// Plays the metafile onto the target. False, with `error`, when the data is
// not an enhanced metafile; nothing is drawn then.
bool PlayMetafile(std::string_view data, EmfTarget& target, std::string* error = nullptr);

}  // namespace kondra
