// The rubber-band selection used to zoom into a picture: the user drags a
// rectangle over a picture control, drawn with the inverting pen so that
// drawing it again erases it.
//
// The caller first names the canvas to draw on (the canvas of the picture
// under the mouse); without one the three operations do nothing.
#pragma once

#include <cstdint>

#include "output/Canvas.h"

namespace kondra {

// The picture control the band is dragged over.
class BandControl {
 public:
  virtual ~BandControl() = default;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void BringToFront() = 0;
  // The diagonal resize pointer while dragging (true) or the default (false).
  virtual void SetResizePointer(bool resizing) = 0;
};

struct TPointMOVE {
  int32_t x1 = 0, y1 = 0;  // start, and after the end the top-left corner
  int32_t x2 = 0, y2 = 0;  // end, and after the end the bottom-right corner
  int32_t width = 0, height = 0;         // pixels, both corners included
  float widthRatio = 0, heightRatio = 0;  // of the control's size
  bool active = false;
};

// The one selection of the program.
extern TPointMOVE PointMove;

// The canvas the band is drawn on (not owned); nullptr forgets it.
void SetRubberBandCanvas(Canvas* canvas);

void RubberBandStart(BandControl& control, int32_t x, int32_t y);
// Only while active: moves the end, kept inside the control.
void RubberBandMove(BandControl& control, int32_t x, int32_t y);
// Only while active: erases the band, orders the corners and works out the
// sizes; leaves the pen copying and forgets the canvas.
void RubberBandEnd(BandControl& control);

}  // namespace kondra
