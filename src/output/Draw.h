// The drawing helpers every picture of the program uses: colours by colour
// number (ColorOf), fill patterns by pattern number, pen modes and styles by
// index, and a few primitives built on the canvas.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/Canvas.h"

namespace kondra {

// Colour number of the inverting pen (DrawColorLine, DrawBoxOutline).
inline constexpr int32_t kInvertColor = -99;

// Pattern numbers: 0 solid, 1 clear (no fill), 2 horizontal lines, 3 vertical
// lines, 4 forward diagonal, 5 backward diagonal, 6 cross, 7 diagonal cross;
// any other number fills solid.
BrushStyle BrushStyleOf(int32_t pattern);
// Pen modes: 0 copy, 1 not-copy, 2 not, 3 xor, 4 not-xor, 5 white, 6 black;
// any other index copies.
PenMode PenModeOf(int32_t index);
// Pen styles: 0 and 1 solid, 2 dotted, 3 dashed, 4 dash-dot, 5 dash-dot-dot;
// any other index is solid.
PenStyle PenStyleOf(int32_t index);

void SetBrush(Canvas& canvas, int32_t colour, int32_t pattern);
void SetPen(Canvas& canvas, int32_t colour, int32_t mode, int32_t width, int32_t style);
void SetCanvasFont(Canvas& canvas, const std::string& name, int32_t size, int32_t style);

// A line with the current pen.
void DrawLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A line in a colour number; kInvertColor switches the pen to inverting
// instead (the pen colour stays), so drawing it twice removes it.
void DrawColorLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour);
// The closed outline (x1,y1) → (x1,y2) → (x2,y2) → (x2,y1) → (x1,y1), colour
// as for DrawColorLine.
void DrawBoxOutline(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour);

// Text at (x, y) in a colour number and a size in points, the font name and
// style as set. Nothing is drawn when x or y is negative.
void TextOutClear(Canvas& canvas, int32_t x, int32_t y, int32_t colour, int32_t size, const std::string& text);
// The same with the text's cell filled with the current brush.
void TextOutOpaque(Canvas& canvas, int32_t x, int32_t y, int32_t colour, int32_t size, const std::string& text);

// The rectangle (x1, y1) – (x2, y2), right and bottom edges excluded, in a
// colour number and pattern number.
void FillBox(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour, int32_t pattern);
// A polygon filled with the current brush and outlined in a colour number.
// Nothing is drawn when there are no points or the first point is (0, 0).
void FillPolygon(Canvas& canvas, const std::vector<TPoint>& points, int32_t colour);

// The colour picker: colour numbers 0 … 255 as a 16 × 16 grid of 16-pixel
// cells (row r, column c: colour 16r + c), each labelled with its number.
// Leaves the font at "ＭＳ ゴシック" 9.
void DrawColorChart(Canvas& canvas);

}  // namespace kondra
