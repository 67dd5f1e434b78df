// The glass of the humidity tools: an empty, a filled and an overflowing
// glass (100 × 123 pixels each, from the picture folder), and the picture of
// a glass filled to a relative humidity.
#pragma once

#include <QImage>

#include "psychro/SatChart.h"

namespace kondra {

class GlassPictures {
 public:
  // Reads グラス空.BMP, グラス水.BMP and グラス溢.BMP from PictDir. False when
  // any is missing or unreadable; the glass is then not shown.
  bool Load();
  bool Loaded() const { return !empty_.isNull() && !filled_.isNull() && !overflowing_.isNull(); }

  // The empty glass, the overflowing glass, or the filled glass with the top
  // `band` rows taken from the empty one (the water stands at that level).
  QImage Compose(const GlassLook& look) const;

 private:
  QImage empty_, filled_, overflowing_;
};

}  // namespace kondra
