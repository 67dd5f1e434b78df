// What metafiles written by the program need from the screen: the screen's
// size and resolution (the device a metafile is made for) and the widths of
// the faces the legacy font names map to.
//
// InstallQtMetafileSupport runs by itself when the application object is
// created (and again from every gui function that writes or shows a
// metafile); calling it more often does no harm.
#pragma once

#include "output/EmfCanvas.h"

namespace kondra {

// Text widths measured with Qt on the faces QFontOf picks. The average
// character width is that of "x", as the system's text metrics give it, so a
// face whose average runs over its two-byte characters does not come out
// twice as wide.
class QtTextMeasure : public TextMeasure {
 public:
  TextMetrics Metrics(const CanvasFont& font) const override;
  std::vector<int32_t> Advances(const CanvasFont& font, const std::u16string& text) const override;
};

// Sets the metafile screen from the primary screen and installs the Qt text
// measure. Does nothing without a gui application object.
void InstallQtMetafileSupport();

}  // namespace kondra
