#include "output/gui/WidgetPicture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QRawFont>
#include <QTextItem>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

#include "env/FileSystem.h"
#include "output/Bitmap.h"
#include "output/EmfWriter.h"
#include "output/Metafile.h"
#include "output/Palette.h"
#include "output/gui/MetafileSupport.h"

namespace kondra {

namespace {

constexpr int kUnits = 16;  // logical units per pixel

int32_t RgbOf(const QColor& c) { return RgbValue(c.red(), c.green(), c.blue()); }

// A colour with its transparency laid over white, since metafile colours
// are opaque.
QColor OverWhite(const QColor& c) {
  double a = c.alphaF();
  auto mix = [a](int v) { return static_cast<int>(std::lround(v * a + 255 * (1 - a))); };
  return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}

QColor BrushColour(const QBrush& brush) {
  if (const QGradient* g = brush.gradient()) {
    // A gradient becomes the colour of its middle.
    QGradientStops stops = g->stops();
    if (stops.isEmpty()) return Qt::white;
    double r = 0, gr = 0, b = 0, a = 0;
    for (const auto& s : stops) {
      r += s.second.redF(), gr += s.second.greenF(), b += s.second.blueF(), a += s.second.alphaF();
    }
    auto n = static_cast<double>(stops.size());
    return QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(gr / n), static_cast<float>(b / n),
                            static_cast<float>(a / n));
  }
  return brush.color();
}

int32_t HatchOf(Qt::BrushStyle style) {
  switch (style) {
    case Qt::HorPattern:
      return kEmfHatchHorizontal;
    case Qt::VerPattern:
      return kEmfHatchVertical;
    case Qt::FDiagPattern:
      return kEmfHatchFDiagonal;
    case Qt::BDiagPattern:
      return kEmfHatchBDiagonal;
    case Qt::CrossPattern:
      return kEmfHatchCross;
    case Qt::DiagCrossPattern:
      return kEmfHatchDiagCross;
    default:
      break;
  }
  return -1;
}

int32_t Logical(double v) { return static_cast<int32_t>(std::lround(v * kUnits)); }

EmfPoint LogicalPoint(const QPointF& p) { return {Logical(p.x()), Logical(p.y())}; }

class EmfPaintEngine : public QPaintEngine {
 public:
  explicit EmfPaintEngine(EmfWriter& writer)
      : QPaintEngine(QPaintEngine::AllFeatures &
                     ~(QPaintEngine::PerspectiveTransform | QPaintEngine::ConicalGradientFill |
                       QPaintEngine::PorterDuff | QPaintEngine::PatternBrush | QPaintEngine::RasterOpModes)),
        w_(writer) {}

  bool begin(QPaintDevice* device) override {
    device_ = device;
    return true;
  }
  bool end() override {
    if (clipSaved_) w_.RestoreDC();
    clipSaved_ = false;
    return true;
  }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    QPaintEngine::DirtyFlags flags = state.state();
    if (flags & DirtyPen) pen_ = state.pen();
    if (flags & DirtyBrush) brush_ = state.brush();
    if (flags & DirtyFont) font_ = state.font();
    if (flags & DirtyTransform) transform_ = state.transform();
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) UpdateClip(state);
  }

  void drawPath(const QPainterPath& path) override {
    FillPath(path);
    StrokePath(path);
  }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (count <= 0) return;
    QPainterPath path;
    path.moveTo(points[0]);
    for (int i = 1; i < count; ++i) path.lineTo(points[i]);
    if (mode == PolylineMode) {
      StrokePath(path);
      return;
    }
    path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    FillPath(path);
    StrokePath(path);
  }

  void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override {
    drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
  }

  void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override {
    QImage part = image.copy(sr.toAlignedRect()).convertToFormat(QImage::Format_ARGB32);
    if (part.isNull()) return;
    std::vector<uint8_t> rgb(static_cast<std::size_t>(part.width()) * static_cast<std::size_t>(part.height()) * 3);
    for (int y = 0; y < part.height(); ++y)
      for (int x = 0; x < part.width(); ++x) {
        QColor c = OverWhite(QColor::fromRgba(part.pixel(x, y)));
        uint8_t* d = rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(part.width()) +
                                   static_cast<std::size_t>(x)) * 3;
        d[0] = static_cast<uint8_t>(c.red()), d[1] = static_cast<uint8_t>(c.green()),
        d[2] = static_cast<uint8_t>(c.blue());
      }
    QRectF dest = transform_.mapRect(r);
    w_.StretchImage({Logical(dest.left()), Logical(dest.top()), Logical(dest.right()), Logical(dest.bottom())},
                    part.width(), part.height(), rgb);
  }

  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    QString text = item.text();
    if (text.isEmpty()) return;
    QFont font = item.font();
    double dpi = device_ ? device_->logicalDpiY() : 96;
    double px = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72;
    // The transform's scale and turn.
    QPointF origin = transform_.map(p);
    QPointF along = transform_.map(p + QPointF(1, 0)) - origin;
    QPointF up = transform_.map(p + QPointF(0, 1)) - origin;
    double sx = std::hypot(along.x(), along.y());
    double sy = std::hypot(up.x(), up.y());
    double angle = std::atan2(-along.y(), along.x()) * 180 / M_PI;

    EmfFont f;
    f.height = -Logical(px * sy);
    f.weight = std::clamp(static_cast<int>(font.weight()), 100, 900);
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    f.escapement = static_cast<int32_t>(std::lround(angle * 10));
    // Text that the face has no characters for is drawn by Qt in a fallback
    // face; the metafile names that one.
    bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    QRawFont raw = QRawFont::fromFont(font);
    bool covered = std::all_of(text.begin(), text.end(), [&](QChar c) { return raw.supportsCharacter(c); });
    if (!covered) raw = QRawFont::fromFont(font, QFontDatabase::Japanese);
    f.face = (raw.isValid() ? raw.familyName() : QFontInfo(font).family()).toStdString();
    f.charset = ascii ? kEmfCharsetDefault : kEmfCharsetShiftJis;
    w_.UseFont(f);
    w_.SetTextColor(RgbOf(OverWhite(pen_.color())));
    w_.SetBkMode(kEmfBkTransparent);
    w_.SetTextAlign(kEmfAlignBaseline);

    QFontMetricsF m(font, device_);
    std::u16string u(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    std::vector<int32_t> dx;
    double at = 0;
    int32_t placed = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
      QString ch(text[i]);
      bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
      if (pair) ch += text[i + 1];
      at += m.horizontalAdvance(ch) * sx;
      int32_t next = Logical(at);
      dx.push_back(next - placed);
      placed = next;
      if (pair) {
        dx.push_back(0);
        ++i;
      }
    }
    EmfPoint o = LogicalPoint(origin);
    EmfRect box{o.x, o.y - Logical(m.ascent() * sy), o.x + placed, o.y + Logical(m.descent() * sy)};
    w_.TextOut(o, u, dx, box, false);
  }

 private:
  // Areas are polygons without an outline.
  void FillPath(const QPainterPath& path) {
    if (brush_.style() == Qt::NoBrush) return;
    QList<QPolygonF> polys = path.toFillPolygons(transform_);
    if (polys.isEmpty()) return;
    int32_t hatch = HatchOf(brush_.style());
    EmfBrush b;
    b.color = RgbOf(OverWhite(BrushColour(brush_)));
    if (hatch >= 0) {
      b.style = kEmfBrushHatched;
      b.hatch = hatch;
    }
    w_.UseNullPen();
    w_.UseBrush(b);
    w_.SetBkMode(kEmfBkTransparent);
    w_.SetPolyFillMode(path.fillRule() == Qt::WindingFill ? kEmfFillWinding : kEmfFillAlternate);
    std::vector<std::vector<EmfPoint>> out;
    for (const QPolygonF& poly : polys) {
      std::vector<EmfPoint> pts;
      for (const QPointF& pt : poly) pts.push_back(LogicalPoint(pt));
      out.push_back(std::move(pts));
    }
    w_.PolyPolygon(out);
  }

  // Thin solid lines are lines of a one-pixel pen; wider or dashed ones are
  // filled outlines, so they look the same in every program.
  void StrokePath(const QPainterPath& path) {
    if (pen_.style() == Qt::NoPen || pen_.brush().style() == Qt::NoBrush) return;
    double scale = std::sqrt(std::fabs(transform_.determinant()));
    double width = pen_.isCosmetic() ? std::max(1.0, pen_.widthF()) : pen_.widthF() * scale;
    int32_t colour = RgbOf(OverWhite(pen_.color()));
    if (pen_.style() == Qt::SolidLine && width <= 1.5) {
      // One pixel of the picture, so the line grows with it when enlarged.
      w_.UsePen({kEmfPenSolid, kUnits, colour});
      std::vector<std::vector<EmfPoint>> lines;
      for (const QPolygonF& poly : path.toSubpathPolygons(transform_)) {
        std::vector<EmfPoint> pts;
        // Lines run through pixel centres.
        for (const QPointF& pt : poly) pts.push_back(LogicalPoint(pt - QPointF(0.5, 0.5)));
        if (pts.size() >= 2) lines.push_back(std::move(pts));
      }
      w_.PolyPolyline(lines);
      return;
    }
    QPainterPathStroker stroker(pen_);
    if (pen_.isCosmetic()) stroker.setWidth(std::max(1.0, pen_.widthF()) / std::max(scale, 1e-9));
    QPainterPath outline = stroker.createStroke(path);
    outline.setFillRule(Qt::WindingFill);
    QBrush saved = brush_;
    brush_ = QBrush(pen_.color());
    FillPath(outline);
    brush_ = saved;
  }

  void UpdateClip(const QPaintEngineState& state) {
    if (clipSaved_) {
      w_.RestoreDC();
      clipSaved_ = false;
    }
    if (!state.isClipEnabled() || state.clipOperation() == Qt::NoClip) return;
    QRectF box;
    if (state.state() & DirtyClipPath)
      box = transform_.map(state.clipPath()).boundingRect();
    else if (state.state() & DirtyClipRegion)
      box = transform_.map(state.clipRegion()).boundingRect();
    else
      return;
    w_.SaveDC();
    clipSaved_ = true;
    w_.IntersectClipRect({Logical(box.left()), Logical(box.top()), Logical(box.right()), Logical(box.bottom())});
  }

  EmfWriter& w_;
  QPaintDevice* device_ = nullptr;
  QPen pen_;
  QBrush brush_;
  QFont font_;
  QTransform transform_;
  bool clipSaved_ = false;
};

}  // namespace

EmfPaintDevice::EmfPaintDevice(int width, int height, std::string_view description)
    : width_(std::max(1, width)), height_(std::max(1, height)) {
  InstallQtMetafileSupport();
  writer_ = std::make_unique<EmfWriter>(width_, height_, MetafileScreen(), description, kUnits);
  engine_ = std::make_unique<EmfPaintEngine>(*writer_);
}

EmfPaintDevice::~EmfPaintDevice() = default;

QPaintEngine* EmfPaintDevice::paintEngine() const { return engine_.get(); }

std::string EmfPaintDevice::Finish() { return writer_->Finish(); }

int EmfPaintDevice::metric(PaintDeviceMetric metric) const {
  EmfDevice screen = writer_->device();
  switch (metric) {
    case PdmWidth:
      return width_;
    case PdmHeight:
      return height_;
    case PdmWidthMM:
      return static_cast<int>(std::lround(width_ * 25.4 / screen.dpiX));
    case PdmHeightMM:
      return static_cast<int>(std::lround(height_ * 25.4 / screen.dpiY));
    case PdmNumColors:
      return std::numeric_limits<int>::max();
    case PdmDepth:
      return 32;
    case PdmDpiX:
    case PdmPhysicalDpiX:
      return screen.dpiX;
    case PdmDpiY:
    case PdmPhysicalDpiY:
      return screen.dpiY;
    case PdmDevicePixelRatio:
      return 1;
    case PdmDevicePixelRatioScaled:
      return static_cast<int>(devicePixelRatioFScale());
    default:
      break;
  }
  return 0;
}

std::string WidgetMetafile(QWidget* widget, std::string_view description) {
  if (!widget) return {};
  EmfPaintDevice device(widget->width(), widget->height(), description);
  QPainter painter(&device);
  widget->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  painter.end();
  return device.Finish();
}

bool SaveWidgetMetafile(QWidget* widget, const std::string& path, std::string* error) {
  std::string why;
  if (!fs::WriteWhole(path, WidgetMetafile(widget, widget ? widget->windowTitle().toStdString() : ""), &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

bool SaveWidgetBitmap(QWidget* widget, const std::string& path, std::string* error) {
  if (!widget) return false;
  QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB888);
  RgbImage rgb(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    std::copy_n(image.constScanLine(y), static_cast<std::size_t>(image.width()) * 3, rgb.Pixel(0, y));
  EmfDevice screen = MetafileScreen();
  rgb.dotsPerMetreX = static_cast<int32_t>(std::lround(screen.dpiX / 0.0254));
  rgb.dotsPerMetreY = static_cast<int32_t>(std::lround(screen.dpiY / 0.0254));
  std::string why;
  if (!fs::WriteWhole(path, EncodeBmp(rgb), &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

}  // namespace kondra
