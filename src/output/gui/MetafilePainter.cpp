#include "output/gui/MetafilePainter.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>

#include <algorithm>
#include <cmath>

#include "output/EmfPlayer.h"
#include "output/EmfWriter.h"
#include "output/Palette.h"
#include "output/gui/QtCanvas.h"

namespace kondra {

namespace {

QColor Colour(int32_t rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

QPolygonF Polygon(const std::vector<EmfPointF>& points) {
  QPolygonF out;
  out.reserve(static_cast<qsizetype>(points.size()));
  for (const EmfPointF& p : points) out << QPointF(p.x, p.y);
  return out;
}

Qt::BrushStyle HatchStyle(int32_t hatch) {
  switch (hatch) {
    case kEmfHatchHorizontal:
      return Qt::HorPattern;
    case kEmfHatchVertical:
      return Qt::VerPattern;
    case kEmfHatchFDiagonal:
      return Qt::FDiagPattern;
    case kEmfHatchBDiagonal:
      return Qt::BDiagPattern;
    case kEmfHatchCross:
      return Qt::CrossPattern;
    case kEmfHatchDiagCross:
      return Qt::DiagCrossPattern;
    default:
      break;
  }
  return Qt::SolidPattern;
}

class PainterTarget : public EmfTarget {
 public:
  explicit PainterTarget(QPainter& painter) : p_(painter) {
    baseClip_ = p_.hasClipping();
    baseRegion_ = p_.clipRegion();
  }

  void Fill(const std::vector<std::vector<EmfPointF>>& polygons, bool winding, const EmfPlayBrush& brush,
            int32_t rop2, int32_t bkColor, bool opaqueBackground) override {
    if (brush.style == kEmfBrushNull) return;
    QPainterPath path;
    path.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
    for (const auto& poly : polygons) {
      if (poly.empty()) continue;
      path.addPolygon(Polygon(poly));
      path.closeSubpath();
    }
    QColor colour = Colour(brush.color);
    UseRop(rop2, colour);
    if (brush.style == kEmfBrushHatched) {
      // An opaque background fills the ground between the hatch lines.
      if (opaqueBackground) p_.fillPath(path, Colour(bkColor));
      p_.fillPath(path, QBrush(colour, HatchStyle(brush.hatch)));
    } else {
      p_.fillPath(path, colour);
    }
    EndRop();
  }

  void Stroke(const std::vector<std::vector<EmfPointF>>& lines, const EmfPlayPen& pen, int32_t rop2) override {
    QColor colour = Colour(pen.color);
    UseRop(rop2, colour);
    Qt::PenStyle style = Qt::SolidLine;
    switch (pen.style & 0xF) {
      case kEmfPenDash:
        style = Qt::DashLine;
        break;
      case kEmfPenDot:
        style = Qt::DotLine;
        break;
      case kEmfPenDashDot:
        style = Qt::DashDotLine;
        break;
      case kEmfPenDashDotDot:
        style = Qt::DashDotDotLine;
        break;
      default:
        break;
    }
    Qt::PenCapStyle cap = Qt::SquareCap;
    Qt::PenJoinStyle join = Qt::MiterJoin;
    if (pen.style & kEmfPenGeometric) {
      uint32_t c = pen.style & 0xF00, j = pen.style & 0xF000;
      cap = c == kEmfPenCapFlat ? Qt::FlatCap : c == kEmfPenCapSquare ? Qt::SquareCap : Qt::RoundCap;
      join = j == kEmfPenJoinBevel ? Qt::BevelJoin : j == kEmfPenJoinMiter ? Qt::MiterJoin : Qt::RoundJoin;
    }
    p_.setPen(QPen(colour, pen.width, style, cap, join));
    p_.setBrush(Qt::NoBrush);
    for (const auto& line : lines) {
      if (line.size() == 1) {
        p_.drawPoint(QPointF(line[0].x, line[0].y));
      } else if (!line.empty()) {
        p_.drawPolyline(Polygon(line));
      }
    }
    EndRop();
  }

  void Text(const EmfPlayText& t) override {
    QFont font(FontFamilyFor(t.font.face));
    double em = std::fabs(t.font.height);
    if (t.font.height > 0) {
      // A positive height is the cell; the em is the part of it the face
      // gives to its characters.
      QFont probe = font;
      probe.setPixelSize(100);
      QFontMetricsF m(probe);
      if (m.height() > 0) em = t.font.height * 100 / m.height();
    }
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(em == 0 ? 12 : em))));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(t.font.weight == 0 ? 400 : t.font.weight, 100, 900)));
    font.setItalic(t.font.italic);
    font.setUnderline(t.font.underline);
    font.setStrikeOut(t.font.strikeOut);
    if (t.font.width > 0) {
      double x = QFontMetricsF(font).horizontalAdvance(QLatin1Char('x'));
      if (x > 0) font.setStretch(std::clamp(static_cast<int>(std::lround(t.font.width / x * 100)), 1, 4000));
    }
    if (t.font.face == "Small Fonts") {
      font.setHintingPreference(QFont::PreferFullHinting);
      if (t.font.width <= 0) font.setStretch(QFont::Unstretched);
    }
    if (!p_.testRenderHint(QPainter::TextAntialiasing)) font.setStyleStrategy(QFont::NoAntialias);
    QFontMetricsF m(font);
    QString text = QString::fromStdString(t.text);

    double total = 0;
    if (!t.dx.empty()) {
      for (double d : t.dx) total += d;
    } else {
      total = m.horizontalAdvance(text);
    }
    p_.save();
    if (t.opaque) p_.fillRect(QRectF(t.box.left, t.box.top, t.box.right - t.box.left, t.box.bottom - t.box.top),
                              Colour(t.bkColor));
    if (t.clipped)
      p_.setClipRect(QRectF(t.box.left, t.box.top, t.box.right - t.box.left, t.box.bottom - t.box.top),
                     Qt::IntersectClip);
    p_.translate(t.origin.x, t.origin.y);
    if (t.font.escapement != 0) p_.rotate(-t.font.escapement / 10.0);
    double x = 0;
    if ((t.align & 6) == 6)
      x = -total / 2;
    else if (t.align & 2)
      x = -total;
    double baseline = m.ascent();
    if ((t.align & 0x18) == 0x18)
      baseline = 0;
    else if (t.align & 8)
      baseline = -m.descent();
    if (t.opaqueBackground && !t.opaque)
      p_.fillRect(QRectF(x, baseline - m.ascent(), total, m.ascent() + m.descent()), Colour(t.bkColor));
    p_.setFont(font);
    p_.setPen(Colour(t.color));
    if (t.dx.empty()) {
      p_.drawText(QPointF(x, baseline), text);
    } else {
      // Every character where the metafile puts it.
      std::size_t k = 0;
      for (qsizetype i = 0; i < text.size(); ++i) {
        QString ch(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size()) ch += text[++i];
        p_.drawText(QPointF(x, baseline), ch);
        if (k < t.dx.size()) x += t.dx[k];
        k += static_cast<std::size_t>(ch.size());
      }
    }
    p_.restore();
  }

  void Image(const EmfRectF& dest, int32_t w, int32_t h, const std::vector<uint8_t>& rgb) override {
    QImage image(reinterpret_cast<const uchar*>(rgb.data()), w, h, w * 3, QImage::Format_RGB888);
    p_.drawImage(QRectF(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top), image);
  }

  void Clip(const std::optional<EmfRectF>& clip) override {
    if (!clip) {
      if (baseClip_)
        p_.setClipRegion(baseRegion_);
      else
        p_.setClipping(false);
      return;
    }
    QRectF box(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top);
    if (baseClip_) {
      p_.setClipRegion(baseRegion_);
      p_.setClipRect(box, Qt::IntersectClip);
    } else {
      p_.setClipRect(box);
    }
  }

 private:
  // Raster operations where the device has them; elsewhere the pen draws
  // plainly (inverting pens) or in its fixed colour.
  void UseRop(int32_t rop2, QColor& colour) {
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop2) {
      case kEmfRopNotCopyPen:
        colour = QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
        break;
      case kEmfRopNot:
        mode = QPainter::RasterOp_NotDestination;
        break;
      case kEmfRopXorPen:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
      case kEmfRopNotXorPen:
        mode = QPainter::RasterOp_NotSourceXorDestination;
        break;
      case kEmfRopWhite:
        colour = Qt::white;
        break;
      case kEmfRopBlack:
        colour = Qt::black;
        break;
      default:
        break;
    }
    QPaintEngine* engine = p_.paintEngine();
    if (mode != QPainter::CompositionMode_SourceOver && engine && engine->hasFeature(QPaintEngine::RasterOpModes))
      p_.setCompositionMode(mode);
  }
  void EndRop() { p_.setCompositionMode(QPainter::CompositionMode_SourceOver); }

  QPainter& p_;
  bool baseClip_ = false;
  QRegion baseRegion_;
};

}  // namespace

bool DrawMetafile(QPainter& painter, std::string_view data, const QRectF& dest, std::string* error) {
  std::optional<EmfHeader> header = ReadEmfHeader(data, error);
  if (!header) return false;
  EmfRectF pict = PictureRect(*header);
  double w = pict.right - pict.left, h = pict.bottom - pict.top;
  if (w <= 0 || h <= 0) {
    pict = {static_cast<double>(header->boundsLeft), static_cast<double>(header->boundsTop),
            header->boundsRight + 1.0, header->boundsBottom + 1.0};
    w = pict.right - pict.left;
    h = pict.bottom - pict.top;
  }
  if (w <= 0 || h <= 0) return true;
  painter.save();
  double sx = dest.width() / w, sy = dest.height() / h;
  bool natural = std::fabs(sx - 1) < 0.01 && std::fabs(sy - 1) < 0.01;
  painter.setRenderHint(QPainter::Antialiasing, !natural);
  painter.setRenderHint(QPainter::TextAntialiasing, !natural);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, !natural);
  painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
  painter.translate(dest.topLeft());
  painter.scale(sx, sy);
  painter.translate(-pict.left, -pict.top);
  PainterTarget target(painter);
  bool ok = PlayMetafile(data, target, error);
  painter.restore();
  return ok;
}

QImage RenderMetafile(std::string_view data, QSize size, const QColor& background, std::string* error) {
  if (!ReadEmfHeader(data, error) || size.isEmpty()) return QImage();
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  DrawMetafile(painter, data, QRectF(QPointF(0, 0), QSizeF(size)), error);
  painter.end();
  return image;
}

}  // namespace kondra
