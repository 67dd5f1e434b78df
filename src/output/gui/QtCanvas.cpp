#include "output/gui/QtCanvas.h"

#include <QBrush>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPolygonF>

#include <algorithm>

#include "output/Palette.h"

namespace kondra {

namespace {

// Strokes run through the middle of the pixels they name.
constexpr qreal kPixelCentre = 0.5;

QPointF Centre(TPoint p) { return QPointF(p.x + kPixelCentre, p.y + kPixelCentre); }

QPolygonF CentredPolygon(const std::vector<TPoint>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (TPoint p : points) polygon << Centre(p);
  return polygon;
}

Qt::PenStyle QtPenStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Dot:
      return Qt::DotLine;
    case PenStyle::Dash:
      return Qt::DashLine;
    case PenStyle::DashDot:
      return Qt::DashDotLine;
    case PenStyle::DashDotDot:
      return Qt::DashDotDotLine;
    case PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

Qt::BrushStyle QtBrushStyle(BrushStyle style) {
  switch (style) {
    case BrushStyle::Clear:
      return Qt::NoBrush;
    case BrushStyle::Horizontal:
      return Qt::HorPattern;
    case BrushStyle::Vertical:
      return Qt::VerPattern;
    case BrushStyle::FDiagonal:
      return Qt::FDiagPattern;
    case BrushStyle::BDiagonal:
      return Qt::BDiagPattern;
    case BrushStyle::Cross:
      return Qt::CrossPattern;
    case BrushStyle::DiagCross:
      return Qt::DiagCrossPattern;
    case BrushStyle::Solid:
      break;
  }
  return Qt::SolidPattern;
}

QBrush QtBrush(const CanvasBrush& brush) { return QBrush(ToQColor(brush.color), QtBrushStyle(brush.style)); }

// Font sizes in points become pixels at 96 dpi, rounded as the system rounds
// them.
int PixelSize(int32_t points) { return std::max(1, (points * 96 + 36) / 72); }

}  // namespace

QColor ToQColor(int32_t rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

QString FontFamilyFor(const std::string& name) {
  struct Face {
    const char* legacy;
    const char* installed;
  };
  static const Face kFaces[] = {
      {"ＭＳ ゴシック", "IPAGothic"},   {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},    {"ＭＳ ＵＩ ゴシック", "IPAPGothic"}, {"MS Gothic", "IPAGothic"},
      {"MS PGothic", "IPAPGothic"},    {"MS Mincho", "IPAMincho"},       {"MS PMincho", "IPAPMincho"},
      {"Small Fonts", "DejaVu Sans"},
  };
  for (const Face& f : kFaces)
    if (name == f.legacy) return QString::fromUtf8(f.installed);
  return QString::fromStdString(name);
}

void UseSmallFaceHinting(QFont& font) {
  // The picture labels are 8 and 9 pixels high: at full width and with the
  // outlines fitted to the pixel grid, "8" keeps its two loops, "9" one and
  // "%" both of its rings (condensed, "80%" reads "90%").
  font.setStretch(QFont::Unstretched);
  font.setHintingPreference(QFont::PreferFullHinting);
}

QFont QFontOf(const CanvasFont& font) {
  QFont f(FontFamilyFor(font.name));
  f.setPixelSize(PixelSize(font.size));
  if (font.name == "Small Fonts") UseSmallFaceHinting(f);
  f.setBold((font.style & kFontBold) != 0);
  f.setItalic((font.style & kFontItalic) != 0);
  f.setUnderline((font.style & kFontUnderline) != 0);
  f.setStrikeOut((font.style & kFontStrikeOut) != 0);
  return f;
}

void InstallQtSystemColors() {
  SetSystemColorHook([](SystemColor which) -> int32_t {
    QPalette palette = QGuiApplication::palette();
    QColor c;
    switch (which) {
      case SystemColor::Desktop:
        return RgbValue(0, 128, 128);  // no desktop colour on this platform
      case SystemColor::WindowBackground:
        c = palette.color(QPalette::Base);
        break;
      case SystemColor::ButtonFace:
        c = palette.color(QPalette::Button);
        break;
    }
    return RgbValue(c.red(), c.green(), c.blue());
  });
}

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter) {
  // Hatch lines keep their spacing in picture pixels when the picture is
  // enlarged or printed.
  painter_.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
}

void QtCanvas::UsePen() {
  QColor colour = ToQColor(pen.color);
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (pen.mode) {
    case PenMode::NotCopy:
      colour = QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
      break;
    case PenMode::Not:
      mode = QPainter::RasterOp_NotDestination;
      break;
    case PenMode::Xor:
      mode = QPainter::RasterOp_SourceXorDestination;
      break;
    case PenMode::NotXor:
      mode = QPainter::RasterOp_NotSourceXorDestination;
      break;
    case PenMode::White:
      colour = Qt::white;
      break;
    case PenMode::Black:
      colour = Qt::black;
      break;
    case PenMode::Copy:
      break;
  }
  // Devices without raster operations (SVG, PDF) draw such pens plainly.
  QPaintEngine* engine = painter_.paintEngine();
  if (mode != QPainter::CompositionMode_SourceOver && engine && engine->hasFeature(QPaintEngine::RasterOpModes))
    painter_.setCompositionMode(mode);
  QPen qpen(colour, std::max<int32_t>(1, pen.width), QtPenStyle(pen.style), Qt::SquareCap, Qt::MiterJoin);
  painter_.setPen(qpen);
}

void QtCanvas::EndPen() { painter_.setCompositionMode(QPainter::CompositionMode_SourceOver); }

void QtCanvas::Line(TPoint from, TPoint to) {
  UsePen();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawLine(Centre(from), Centre(to));
  EndPen();
}

void QtCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  UsePen();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawPolyline(CentredPolygon(points));
  EndPen();
}

void QtCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  UsePen();
  painter_.setBrush(QtBrush(brush));
  painter_.drawPolygon(CentredPolygon(points), Qt::OddEvenFill);
  EndPen();
}

void QtCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (brush.style == BrushStyle::Clear) return;
  QRect rect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
  if (rect.isEmpty()) return;
  painter_.fillRect(rect, QtBrush(brush));
}

void QtCanvas::TextOut(int32_t x, int32_t y, const std::string& text, bool opaque) {
  QString s = QString::fromStdString(text);
  QFont f = QFontOf(font);
  if (!painter_.testRenderHint(QPainter::TextAntialiasing)) f.setStyleStrategy(QFont::NoAntialias);
  painter_.setFont(f);
  QFontMetrics metrics = painter_.fontMetrics();
  if (opaque) painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), ToQColor(brush.color));
  painter_.setPen(ToQColor(font.color));
  painter_.drawText(QPointF(x, y + metrics.ascent()), s);
}

}  // namespace kondra
