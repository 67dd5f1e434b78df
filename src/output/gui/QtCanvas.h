// The canvas on a QPainter: the screen, the printer, PDF, PNG and SVG.
//
// Coordinates are the picture's pixels; the painter's transform maps them to
// the device (scale it to print or to enlarge a picture). Lines run through
// pixel centres, so an enlarged picture is the same picture with thicker
// strokes. Font sizes are points at 96 pixels per inch in picture pixels, so
// texts scale with the picture too.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "output/Canvas.h"

class QPainter;

namespace kondra {

class QtCanvas : public Canvas {
 public:
  // The painter must outlive the canvas.
  explicit QtCanvas(QPainter& painter);

  void Line(TPoint from, TPoint to) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) override;

 private:
  // Sets the painter's pen and composition mode from `pen`.
  void UsePen();
  void EndPen();
  QPainter& painter_;
};

QColor ToQColor(int32_t rgb);

// The installed face for a font name of the program: the Japanese system
// faces map onto the IPA fonts, "Small Fonts" onto a small sans face; other
// names stay as they are.
QString FontFamilyFor(const std::string& name);
// The Qt font for a canvas font (size in pixels at 96 dpi, style bits).
QFont QFontOf(const CanvasFont& font);
// The stand-in of "Small Fonts" at the few pixels the pictures give it: a
// full-width face with its outlines fitted to the pixel grid.
void UseSmallFaceHinting(QFont& font);

// Makes the negative colour numbers follow the application's palette.
void InstallQtSystemColors();

}  // namespace kondra
