// Drawing the saturation curve chart: the axes with their grid and the two
// label strips, the ten relative-humidity curves and the numbered marks with
// their list. The chart is drawn on any Canvas, so the window, a printed page
// and the tests see the same picture.
#pragma once

#include <cstdint>

#include "output/Canvas.h"
#include "psychro/SatChart.h"

namespace kondra {

// Colour of the grid lines: silver.
inline constexpr int32_t kGridColour = 0xC0C0C0;
// Colour number of the label strips (the button face).
inline constexpr int32_t kStripColour = -31;

// The size of a label strip in pixels.
struct StripSize {
  int32_t width = 0;
  int32_t height = 0;
};

// A white chart with its outline, the grid every TempStep / HumStep units,
// ticks at every whole unit and the labels on the strips (x strip: the
// temperature at x − 3 × length + 33, top; y strip: the humidity right-aligned
// in 4 characters at 32 − 6 × length, y + 4, blanks as wide as digits). Computes the spans and steps and
// re-applies the state relations in the chart's unit.
void DrawSatAxes(SatChart& chart, Canvas& picture, Canvas& xStrip, StripSize xSize, Canvas& yStrip,
                 StripSize ySize);
// Fills the saturation table and draws the curves of 10 % … 100 % in blue,
// each labelled near the middle of the range. The marks start again at 0.
void DrawSatCurves(SatChart& chart, Canvas& picture);
// The blanks of a text of figures as figure spaces (U+2007, as wide as a
// digit), as the chart draws its humidity labels and its mark list.
std::string Tabular(const std::string& text);
// Counts a mark at MarkPoint and, up to the 32nd, draws it (a red dot and its
// number) and its line in the list at the top left. True when drawn.
bool DrawSatMark(SatChart& chart, Canvas& picture);

}  // namespace kondra
