// kondra-picturegen <output root>
//
// Draws the pictures of the installation and writes them below the output root
// as 24-bit Windows bitmaps (uncompressed, bottom-up rows, 96 dpi):
//
//   DATA/PICT/ビール.BMP     140 x 142  the condensation photo of the main window:
//                                      a cold glass of beer with droplets on it
//   DATA/PICT/グラス空.BMP   100 x 123  the empty glass of the humidity tools
//   DATA/PICT/グラス水.BMP   100 x 123  the same glass filled to the rim
//   DATA/PICT/グラス溢.BMP   100 x 123  the same glass running over
//   DATA/PICT/KONDRA.BMP      60 x  70  the picture of the version box
//
// The three glass pictures share one drawing, so that a band taken from the
// empty glass fits over the filled one: the humidity tools show a glass filled
// to the relative humidity h by copying the top round((100 - h) * 0.71) + 4 rows
// of the empty glass over the filled one. The water therefore stands at row 4
// for 100 % and near row 75 for 0 %: the bowl holds rows 4 to 75, the stem and
// the foot lie below. Outside the glass the glass pictures are pure white, and
// no pixel of the glass itself is pure white, so a window may key white out.
//
// Everything is drawn from fixed shapes and a fixed pseudo-random sequence and
// without fonts: the same program writes the same bytes on every run.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

namespace {

// A small linear congruential sequence: droplets and bubbles fall where they
// fell last time.
class Sequence {
 public:
  explicit Sequence(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / 16777216.0;
  }
  double Between(double low, double high) { return low + (high - low) * Next(); }

 private:
  std::uint32_t state_;
};

void PutLE16(std::vector<unsigned char>& out, std::uint32_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void PutLE32(std::vector<unsigned char>& out, std::uint32_t v) {
  PutLE16(out, v & 0xFFFF);
  PutLE16(out, v >> 16);
}

// BITMAPFILEHEADER + BITMAPINFOHEADER, 24 bits per pixel, rows bottom-up and
// padded to four bytes, as every Windows program reads them.
bool WriteBmp24(const QImage& picture, const QString& path) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  const int width = image.width();
  const int height = image.height();
  const std::uint32_t rowBytes = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::vector<unsigned char> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLE32(out, 54 + pixelBytes);  // file size
  PutLE32(out, 0);                // reserved
  PutLE32(out, 54);               // offset of the pixels
  PutLE32(out, 40);               // size of the info header
  PutLE32(out, static_cast<std::uint32_t>(width));
  PutLE32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
  PutLE16(out, 1);                                   // planes
  PutLE16(out, 24);                                  // bits per pixel
  PutLE32(out, 0);                                   // no compression
  PutLE32(out, pixelBytes);
  PutLE32(out, 3780);  // 96 dpi in pixels per metre
  PutLE32(out, 3780);
  PutLE32(out, 0);  // colours used
  PutLE32(out, 0);  // important colours
  for (int y = height - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<unsigned char>(qBlue(line[x])));
      out.push_back(static_cast<unsigned char>(qGreen(line[x])));
      out.push_back(static_cast<unsigned char>(qRed(line[x])));
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size())) !=
      static_cast<qint64>(out.size()))
    return false;
  return file.commit();
}

QImage NewPicture(int width, int height, QColor background) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(background);
  return image;
}

// A water drop on a cold glass, lit from the upper left. A drop is a small
// lens: it shows what lies behind clearer than the mist around it, its rim
// bends the light away and looks dark, light gathers in a crescent at its
// lower edge, and the window behind the viewer shines in it as a highlight.
void Droplet(QPainter& p, QPointF centre, double radius, QColor behind, double elongation = 1.0) {
  const double rx = radius;
  const double ry = radius * elongation;
  QRectF box(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
  QRadialGradient body(centre + QPointF(-rx * 0.1, ry * 0.1), std::max(rx, ry));
  QColor inner = behind.lighter(112);
  QColor edge = behind.darker(230);
  inner.setAlpha(200);
  edge.setAlpha(230);
  body.setColorAt(0.0, inner);
  body.setColorAt(0.72, QColor(behind.red(), behind.green(), behind.blue(), 210));
  body.setColorAt(1.0, edge);
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawEllipse(box);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 248, 220, 170), std::max(0.35, radius * 0.22), Qt::SolidLine, Qt::RoundCap));
  p.drawArc(box.adjusted(rx * 0.2, ry * 0.2, -rx * 0.2, -ry * 0.2), 210 * 16, 100 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 252, 245));
  const double h = std::max(0.45, radius * 0.3);
  p.drawEllipse(QPointF(centre.x() - rx * 0.34, centre.y() - ry * 0.36), h, h * 0.85);
}

// ---------------------------------------------------------------- the glass --

enum class Fill { Empty, Full, Overflowing };

// Geometry of the glass, in pixels of the 100 x 123 picture.
constexpr double kRimY = 5.0;     // centre line of the rim
constexpr double kRimRy = 2.2;    // half height of the rim ellipse
constexpr double kRimLeft = 15.0;
constexpr double kRimRight = 85.0;
constexpr double kWall = 1.6;     // thickness of the bowl's wall

QPainterPath BowlOutside() {
  QPainterPath path(QPointF(kRimLeft, kRimY));
  path.lineTo(22.5, 58.0);
  path.cubicTo(23.5, 72.0, 35.0, 80.5, 50.0, 80.5);
  path.cubicTo(65.0, 80.5, 76.5, 72.0, 77.5, 58.0);
  path.lineTo(kRimRight, kRimY);
  path.closeSubpath();
  return path;
}

QPainterPath BowlInside() {
  const double w = kWall;
  QPainterPath path(QPointF(kRimLeft + w, kRimY));
  path.lineTo(22.5 + w, 58.0);
  path.cubicTo(23.8 + w, 70.0, 36.0, 76.0, 50.0, 76.0);
  path.cubicTo(64.0, 76.0, 76.2 - w, 70.0, 77.5 - w, 58.0);
  path.lineTo(kRimRight - w, kRimY);
  path.closeSubpath();
  return path;
}

QPainterPath Stem() {
  QPainterPath path(QPointF(42.0, 79.0));
  path.cubicTo(46.5, 84.0, 47.0, 90.0, 47.0, 96.0);
  path.lineTo(47.0, 106.0);
  path.cubicTo(47.0, 110.0, 42.0, 112.0, 36.0, 113.5);
  path.lineTo(64.0, 113.5);
  path.cubicTo(58.0, 112.0, 53.0, 110.0, 53.0, 106.0);
  path.lineTo(53.0, 96.0);
  path.cubicTo(53.0, 90.0, 53.5, 84.0, 58.0, 79.0);
  path.closeSubpath();
  return path;
}

// Water seen through the glass: darker towards the walls, a bright column left
// of the middle, a little deeper in colour towards the bottom. Every row looks
// like the surface of the water when the rows above it are cut away.
void PaintWater(QPainter& p, const QRectF& area) {
  QLinearGradient across(area.left(), 0, area.right(), 0);
  across.setColorAt(0.0, QColor(40, 112, 190));
  across.setColorAt(0.22, QColor(112, 184, 240));
  across.setColorAt(0.34, QColor(150, 206, 248));
  across.setColorAt(0.55, QColor(98, 170, 232));
  across.setColorAt(0.85, QColor(58, 130, 206));
  across.setColorAt(1.0, QColor(34, 98, 176));
  p.fillRect(area, across);
  QLinearGradient down(0, area.top(), 0, area.bottom());
  down.setColorAt(0.0, QColor(255, 255, 255, 0));
  down.setColorAt(1.0, QColor(10, 40, 110, 70));
  p.fillRect(area, down);
}

void DrawGlassBody(QPainter& p, Fill fill) {
  const QPainterPath outside = BowlOutside();
  const QPainterPath inside = BowlInside();
  const QColor edge(84, 124, 156);
  const QColor edgeSoft(146, 182, 206);

  // Shadow of the foot on the table.
  {
    QRadialGradient shade(QPointF(52.0, 117.5), 30.0);
    shade.setColorAt(0.0, QColor(120, 130, 140, 90));
    shade.setColorAt(1.0, QColor(120, 130, 140, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QPointF(52.0, 117.5), 32.0, 5.5);
  }

  // Foot: a flat disc seen from slightly above, its front edge thicker.
  {
    QLinearGradient disc(24, 0, 76, 0);
    disc.setColorAt(0.0, QColor(168, 200, 220));
    disc.setColorAt(0.3, QColor(232, 243, 250));
    disc.setColorAt(0.7, QColor(206, 226, 240));
    disc.setColorAt(1.0, QColor(150, 186, 210));
    p.setPen(QPen(edge, 1.0));
    p.setBrush(disc);
    p.drawEllipse(QPointF(50.0, 116.0), 26.0, 4.2);
    p.setPen(QPen(edgeSoft, 0.8));
    p.setBrush(QColor(236, 245, 251));
    p.drawEllipse(QPointF(50.0, 114.6), 24.5, 3.2);
  }

  // Stem.
  {
    QLinearGradient rod(42, 0, 58, 0);
    rod.setColorAt(0.0, QColor(150, 188, 212));
    rod.setColorAt(0.35, QColor(240, 248, 253));
    rod.setColorAt(0.6, QColor(196, 222, 238));
    rod.setColorAt(1.0, QColor(132, 172, 200));
    p.setPen(QPen(edge, 0.9));
    p.setBrush(rod);
    p.drawPath(Stem());
    p.setPen(QPen(QColor(250, 253, 254, 200), 0.8));
    p.drawLine(QPointF(48.6, 90.0), QPointF(48.6, 106.0));
  }

  // The bowl: the glass itself, thin and cool.
  {
    QLinearGradient tint(kRimLeft, 0, kRimRight, 0);
    tint.setColorAt(0.0, QColor(170, 204, 226));
    tint.setColorAt(0.5, QColor(226, 240, 249));
    tint.setColorAt(1.0, QColor(160, 196, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawPath(outside.subtracted(inside));
    // The solid bottom of the bowl above the stem.
    QPainterPath bottom;
    bottom.addEllipse(QPointF(50.0, 78.3), 9.0, 2.6);
    p.setBrush(QColor(200, 226, 242));
    p.drawPath(bottom.subtracted(inside));
  }

  // Inside of the bowl: the white behind seen through two walls, or water.
  p.save();
  p.setClipPath(inside);
  if (fill == Fill::Empty) {
    QLinearGradient air(kRimLeft, 0, kRimRight, 0);
    air.setColorAt(0.0, QColor(214, 232, 244));
    air.setColorAt(0.25, QColor(246, 250, 253));
    air.setColorAt(0.6, QColor(238, 246, 251));
    air.setColorAt(1.0, QColor(204, 224, 240));
    p.fillRect(QRectF(0, 0, 100, 80), air);
  } else {
    PaintWater(p, QRectF(kRimLeft, kRimY - kRimRy, kRimRight - kRimLeft, 80 - (kRimY - kRimRy)));
  }
  // The walls curve away at the sides: shade them, then the highlights.
  QLinearGradient sides(kRimLeft, 0, kRimRight, 0);
  sides.setColorAt(0.0, QColor(30, 70, 110, 70));
  sides.setColorAt(0.12, QColor(30, 70, 110, 0));
  sides.setColorAt(0.88, QColor(30, 70, 110, 0));
  sides.setColorAt(1.0, QColor(30, 70, 110, 80));
  p.fillRect(QRectF(0, 0, 100, 80), sides);
  p.restore();

  // Highlights on the front wall: a long one left, a short one right.
  {
    QPainterPath shine(QPointF(22.0, 12.0));
    shine.cubicTo(23.5, 30.0, 25.5, 50.0, 28.0, 62.0);
    shine.lineTo(30.5, 61.0);
    shine.cubicTo(28.5, 48.0, 27.0, 30.0, 26.0, 12.0);
    shine.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 254, 255, 190));
    p.drawPath(shine);
    QPainterPath glint(QPointF(73.0, 16.0));
    glint.cubicTo(72.5, 24.0, 72.0, 32.0, 71.0, 38.0);
    glint.lineTo(72.6, 38.0);
    glint.cubicTo(73.8, 32.0, 74.6, 24.0, 75.0, 16.0);
    glint.closeSubpath();
    p.setBrush(QColor(250, 253, 255, 150));
    p.drawPath(glint);
  }

  // Outlines.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(edgeSoft, 0.7));
  p.drawPath(inside);
  p.setPen(QPen(edge, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath contour(QPointF(kRimLeft, kRimY));
  contour.lineTo(22.5, 58.0);
  contour.cubicTo(23.5, 72.0, 35.0, 80.5, 50.0, 80.5);
  contour.cubicTo(65.0, 80.5, 76.5, 72.0, 77.5, 58.0);
  contour.lineTo(kRimRight, kRimY);
  p.drawPath(contour);

  // The rim: the back half thin, the front half stronger.
  const QRectF rim(kRimLeft, kRimY - kRimRy, kRimRight - kRimLeft, 2 * kRimRy);
  p.setPen(QPen(edgeSoft, 0.8));
  p.drawArc(rim, 0, 180 * 16);
  p.setPen(QPen(edge, 1.1));
  p.drawArc(rim, 180 * 16, 180 * 16);
  p.setPen(QPen(QColor(250, 253, 255, 220), 0.7));
  p.drawArc(rim.adjusted(6, 0.6, -40, 0.6), 200 * 16, 50 * 16);
}

// Water that no longer fits: a swelling above the rim, streams down the
// outside of the bowl and the stem, drops on the way, a pool round the foot.
void DrawOverflow(QPainter& p) {
  const QColor water(58, 132, 210, 225);
  const QColor light(200, 232, 254, 230);
  p.setPen(Qt::NoPen);

  // The swelling over the rim, a little wider than the glass.
  QPainterPath dome(QPointF(kRimLeft - 2.5, kRimY + 1.5));
  dome.cubicTo(kRimLeft + 3.0, kRimY - 5.6, kRimRight - 3.0, kRimY - 5.6, kRimRight + 2.5, kRimY + 1.5);
  dome.cubicTo(kRimRight - 6.0, kRimY + 3.4, kRimLeft + 6.0, kRimY + 3.4, kRimLeft - 2.5, kRimY + 1.5);
  QLinearGradient domeShade(0, kRimY - 3.5, 0, kRimY + 3.0);
  domeShade.setColorAt(0.0, QColor(170, 214, 248));
  domeShade.setColorAt(1.0, QColor(70, 140, 214));
  p.setBrush(domeShade);
  p.drawPath(dome);
  p.setPen(QPen(QColor(250, 253, 255, 230), 0.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath domeShine(QPointF(24.0, kRimY - 0.8));
  domeShine.cubicTo(32.0, kRimY - 2.9, 44.0, kRimY - 3.2, 52.0, kRimY - 3.1);
  p.drawPath(domeShine);

  // Streams running down the outside of the bowl.
  auto stream = [&](const QPainterPath& path, double width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(water, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(light, width * 0.35, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(-width * 0.22, 0));
  };
  QPainterPath left(QPointF(kRimLeft - 1.5, kRimY + 1.0));
  left.lineTo(21.2, 50.0);
  left.cubicTo(21.8, 60.0, 23.0, 70.0, 30.0, 76.5);
  stream(left, 3.0);
  QPainterPath leftBranch(QPointF(17.0, 22.0));
  leftBranch.cubicTo(17.6, 28.0, 18.6, 34.0, 19.2, 38.0);
  stream(leftBranch, 1.6);
  QPainterPath right(QPointF(kRimRight + 1.5, kRimY + 1.0));
  right.lineTo(78.8, 50.0);
  right.cubicTo(78.2, 62.0, 74.0, 71.0, 64.0, 78.6);
  right.cubicTo(58.0, 82.0, 54.5, 86.0, 54.0, 92.0);
  right.lineTo(54.0, 108.0);
  stream(right, 2.8);

  // Drops on their way down.
  auto drop = [&](double x, double y, double r) {
    QPainterPath d(QPointF(x, y - 2.2 * r));
    d.cubicTo(x + 0.4 * r, y - 1.2 * r, x + r, y - 0.5 * r, x + r, y);
    d.cubicTo(x + r, y + 0.6 * r, x + 0.55 * r, y + r, x, y + r);
    d.cubicTo(x - 0.55 * r, y + r, x - r, y + 0.6 * r, x - r, y);
    d.cubicTo(x - r, y - 0.5 * r, x - 0.4 * r, y - 1.2 * r, x, y - 2.2 * r);
    QRadialGradient g(QPointF(x - 0.3 * r, y - 0.3 * r), 1.6 * r);
    g.setColorAt(0.0, QColor(176, 218, 250));
    g.setColorAt(1.0, QColor(52, 124, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(d);
    p.setBrush(QColor(252, 254, 255, 230));
    p.drawEllipse(QPointF(x - 0.35 * r, y - 0.2 * r), 0.32 * r, 0.32 * r);
  };
  drop(29.5, 84.0, 2.0);
  drop(28.5, 98.0, 2.4);
  drop(12.0, 30.0, 1.6);
  drop(88.5, 26.0, 1.8);
  drop(86.0, 58.0, 2.2);
  drop(58.5, 112.0, 1.7);
}

void DrawPool(QPainter& p) {
  QRadialGradient pool(QPointF(50.0, 117.0), 48.0);
  pool.setColorAt(0.0, QColor(92, 162, 226, 230));
  pool.setColorAt(0.75, QColor(118, 182, 236, 210));
  pool.setColorAt(1.0, QColor(150, 200, 240, 190));
  p.setPen(QPen(QColor(60, 124, 192), 0.8));
  p.setBrush(pool);
  QPainterPath rim(QPointF(5.0, 117.5));
  rim.cubicTo(5.0, 112.5, 30.0, 110.8, 52.0, 111.0);
  rim.cubicTo(76.0, 111.2, 96.0, 113.0, 95.5, 117.0);
  rim.cubicTo(95.0, 121.2, 72.0, 122.3, 50.0, 122.2);
  rim.cubicTo(26.0, 122.1, 5.0, 121.5, 5.0, 117.5);
  p.drawPath(rim);
  p.setPen(QPen(QColor(236, 246, 253, 200), 0.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(12.0, 112.6, 30.0, 6.0), 100 * 16, 60 * 16);
  p.drawArc(QRectF(62.0, 116.0, 28.0, 5.0), 250 * 16, 50 * 16);
}

QImage GlassPicture(Fill fill) {
  QImage image = NewPicture(100, 123, Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (fill == Fill::Overflowing) DrawPool(p);
  DrawGlassBody(p, fill);
  if (fill == Fill::Overflowing) DrawOverflow(p);
  return image;
}

// ------------------------------------------------------- the beer picture --

// The outline of the beer glass: a tall tumbler widening to the top.
QPainterPath BeerGlass() {
  QPainterPath path(QPointF(37.0, 18.0));
  path.lineTo(46.0, 126.0);
  path.cubicTo(46.3, 129.0, 48.0, 130.0, 51.0, 130.0);
  path.lineTo(89.0, 130.0);
  path.cubicTo(92.0, 130.0, 93.7, 129.0, 94.0, 126.0);
  path.lineTo(103.0, 18.0);
  path.closeSubpath();
  return path;
}

// Colour of the beer across the glass, 0 at the left edge and 1 at the right:
// dark where the light passes a long way through it, glowing left of middle.
QColor BeerAt(double t) {
  struct Stop {
    double at;
    int r, g, b;
  };
  static const Stop stops[] = {{0.0, 120, 52, 2},   {0.18, 200, 112, 10}, {0.36, 250, 178, 40},
                               {0.5, 236, 150, 22}, {0.8, 182, 92, 6},    {1.0, 110, 46, 2}};
  t = std::clamp(t, 0.0, 1.0);
  for (std::size_t i = 1; i < std::size(stops); ++i) {
    if (t <= stops[i].at) {
      const Stop& a = stops[i - 1];
      const Stop& b = stops[i];
      const double f = (t - a.at) / (b.at - a.at);
      return QColor(static_cast<int>(std::lround(a.r + f * (b.r - a.r))),
                    static_cast<int>(std::lround(a.g + f * (b.g - a.g))),
                    static_cast<int>(std::lround(a.b + f * (b.b - a.b))));
    }
  }
  return QColor(stops[5].r, stops[5].g, stops[5].b);
}

// Left and right edge of the glass at height y (the glass widens upwards).
double GlassLeft(double y) { return 37.0 + (y - 18.0) * 9.0 / 108.0; }
double GlassRight(double y) { return 103.0 - (y - 18.0) * 9.0 / 108.0; }

QImage BeerPicture() {
  QImage image = NewPicture(140, 142, QColor(20, 40, 60));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  Sequence random(20240901u);

  // A cool, dim room behind, with a few out-of-focus lights.
  {
    QLinearGradient wall(0, 0, 0, 112);
    wall.setColorAt(0.0, QColor(26, 58, 88));
    wall.setColorAt(1.0, QColor(12, 28, 46));
    p.fillRect(QRectF(0, 0, 140, 112), wall);
    const QColor lights[] = {QColor(120, 190, 230), QColor(240, 200, 120), QColor(150, 210, 240),
                             QColor(230, 170, 90), QColor(120, 170, 220), QColor(200, 230, 250)};
    for (int i = 0; i < 11; ++i) {
      const double x = random.Between(0, 140);
      const double y = random.Between(4, 96);
      const double r = random.Between(5, 13);
      QColor c = lights[i % 6];
      QRadialGradient glow(QPointF(x, y), r);
      c.setAlpha(static_cast<int>(random.Between(35, 70)));
      glow.setColorAt(0.0, c);
      glow.setColorAt(0.8, QColor(c.red(), c.green(), c.blue(), c.alpha() / 2));
      glow.setColorAt(1.0, QColor(c.red(), c.green(), c.blue(), 0));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawEllipse(QPointF(x, y), r, r);
    }
  }

  // The table: dark wood with a soft sheen.
  {
    QLinearGradient top(0, 112, 0, 142);
    top.setColorAt(0.0, QColor(104, 66, 36));
    top.setColorAt(0.35, QColor(128, 84, 46));
    top.setColorAt(1.0, QColor(72, 44, 22));
    p.fillRect(QRectF(0, 112, 140, 30), top);
    p.setPen(QPen(QColor(60, 36, 18, 110), 0.8));
    for (int i = 0; i < 6; ++i) {
      const double y = 115.0 + i * 4.6 + random.Between(-1.0, 1.0);
      QPainterPath grain(QPointF(0, y));
      grain.cubicTo(40, y + random.Between(-1.5, 1.5), 90, y + random.Between(-1.5, 1.5), 140, y + 0.5);
      p.setBrush(Qt::NoBrush);
      p.drawPath(grain);
    }
    QLinearGradient edge(0, 111, 0, 114);
    edge.setColorAt(0.0, QColor(160, 112, 66));
    edge.setColorAt(1.0, QColor(160, 112, 66, 0));
    p.fillRect(QRectF(0, 111, 140, 3), edge);
  }

  const QPainterPath glass = BeerGlass();

  // Shadow, reflection and the ring of water the glass has left on the table.
  {
    QRadialGradient shadow(QPointF(78, 131), 40);
    shadow.setColorAt(0.0, QColor(20, 10, 4, 160));
    shadow.setColorAt(1.0, QColor(20, 10, 4, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(80, 131.5), 40, 7);
    QRadialGradient glow(QPointF(70, 134), 30);
    glow.setColorAt(0.0, QColor(255, 190, 60, 110));
    glow.setColorAt(1.0, QColor(255, 190, 60, 0));
    p.setBrush(glow);
    p.drawEllipse(QPointF(70, 134.5), 30, 5.5);
    p.setPen(QPen(QColor(210, 225, 235, 150), 0.9));
    p.setBrush(QColor(170, 190, 205, 60));
    p.drawEllipse(QPointF(70, 130.6), 29.5, 3.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 235, 245, 170));
    p.drawEllipse(QPointF(38.0, 133.0), 3.0, 1.1);
    p.drawEllipse(QPointF(104.0, 136.0), 2.2, 0.9);
  }

  // Beer: amber, glowing in the middle, darker at the sides and the bottom.
  p.save();
  p.setClipPath(glass);
  {
    QLinearGradient across(37, 0, 103, 0);
    for (int i = 0; i <= 20; ++i) across.setColorAt(i / 20.0, BeerAt(i / 20.0));
    p.fillRect(QRectF(30, 30, 80, 100), across);
    QLinearGradient down(0, 30, 0, 130);
    down.setColorAt(0.0, QColor(255, 236, 170, 40));
    down.setColorAt(0.5, QColor(255, 236, 170, 0));
    down.setColorAt(1.0, QColor(70, 30, 0, 110));
    p.fillRect(QRectF(30, 30, 80, 100), down);
    // The thick glass bottom bends the light.
    QLinearGradient base(0, 120, 0, 130);
    base.setColorAt(0.0, QColor(255, 220, 120, 0));
    base.setColorAt(0.4, QColor(255, 220, 120, 120));
    base.setColorAt(1.0, QColor(120, 60, 10, 160));
    p.fillRect(QRectF(30, 120, 80, 10), base);
    p.setPen(QPen(QColor(255, 230, 160, 170), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(46.5, 121.0), QPointF(93.5, 121.0));
    // Rising bubbles, some in strings from the bottom.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 46; ++i) {
      const double y = random.Between(38, 118);
      const double x = random.Between(GlassLeft(y) + 4, GlassRight(y) - 4);
      const double r = random.Between(0.3, 0.75);
      p.setBrush(QColor(255, 244, 200, static_cast<int>(random.Between(90, 170))));
      p.drawEllipse(QPointF(x, y), r, r);
    }
    const double strings[] = {58.0, 71.5, 83.0};
    for (double sx : strings) {
      for (double y = 118; y > 40; y -= random.Between(3.0, 6.5)) {
        const double r = 0.3 + (118 - y) / 180.0;
        p.setBrush(QColor(255, 244, 205, 170));
        p.drawEllipse(QPointF(sx + std::sin(y * 0.21 + sx) * 0.8, y), r, r);
      }
    }
  }
  p.restore();

  // The head of foam, its top heaped over the rim.
  {
    QPainterPath head(QPointF(GlassLeft(40), 40));
    head.lineTo(GlassLeft(18) + 0.6, 18);
    head.lineTo(GlassRight(18) - 0.6, 18);
    head.lineTo(GlassRight(40), 40);
    head.cubicTo(88, 42.5, 52, 42.5, GlassLeft(40), 40);
    p.save();
    QLinearGradient foam(0, 14, 0, 42);
    foam.setColorAt(0.0, QColor(255, 253, 244));
    foam.setColorAt(0.7, QColor(246, 238, 214));
    foam.setColorAt(1.0, QColor(226, 206, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(foam);
    p.drawPath(head);
    // The heap: a soft dome over the rim, then many small puffs on it.
    QPainterPath dome(QPointF(36.0, 20.0));
    dome.cubicTo(36.0, 8.0, 104.0, 8.0, 104.0, 20.0);
    dome.closeSubpath();
    p.drawPath(dome);
    for (int i = 0; i < 48; ++i) {
      const double x = random.Between(38.5, 101.5);
      const double u = (x - 70.0) / 34.0;
      const double top = 11.5 + 6.0 * u * u;
      const double y = random.Between(top, top + 6.0);
      const double r = random.Between(2.4, 4.4);
      QRadialGradient puff(QPointF(x - r * 0.3, y - r * 0.35), r * 1.2);
      puff.setColorAt(0.0, QColor(255, 254, 250));
      puff.setColorAt(0.8, QColor(246, 240, 224));
      puff.setColorAt(1.0, QColor(222, 210, 182));
      p.setBrush(puff);
      p.drawEllipse(QPointF(x, y), r, r * 0.82);
    }
    // Small bubbles in the foam.
    p.setPen(QPen(QColor(214, 196, 156, 160), 0.5));
    p.setBrush(QColor(255, 252, 240, 200));
    for (int i = 0; i < 24; ++i) {
      const double y = random.Between(20, 38);
      const double x = random.Between(GlassLeft(y) + 3, GlassRight(y) - 3);
      const double r = random.Between(0.5, 1.2);
      p.drawEllipse(QPointF(x, y), r, r);
    }
    p.restore();
  }

  // Mist of condensation over the cold glass, below the foam.
  p.save();
  p.setClipPath(glass);
  {
    QLinearGradient mist(0, 36, 0, 130);
    mist.setColorAt(0.0, QColor(236, 242, 246, 20));
    mist.setColorAt(0.15, QColor(236, 242, 246, 46));
    mist.setColorAt(1.0, QColor(236, 242, 246, 38));
    p.fillRect(QRectF(30, 36, 80, 94), mist);
    // Tracks where drops have run down and wiped the mist away.
    const double tracks[][3] = {{52.0, 64.0, 104.0}, {79.0, 50.0, 92.0}, {88.5, 72.0, 118.0}, {63.0, 88.0, 126.0}};
    for (const auto& t : tracks) {
      QLinearGradient clear(t[0] - 1.3, 0, t[0] + 1.3, 0);
      clear.setColorAt(0.0, QColor(150, 80, 0, 0));
      clear.setColorAt(0.5, QColor(170, 90, 0, 110));
      clear.setColorAt(1.0, QColor(150, 80, 0, 0));
      p.fillRect(QRectF(t[0] - 1.3, t[1], 2.6, t[2] - t[1]), clear);
    }
  }
  p.restore();

  // The glass: edges and reflections.
  {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 240, 246, 170), 1.1));
    p.drawLine(QPointF(37.2, 18.5), QPointF(46.2, 126.0));
    p.setPen(QPen(QColor(200, 215, 225, 150), 1.1));
    p.drawLine(QPointF(102.8, 18.5), QPointF(93.8, 126.0));
    p.setPen(QPen(QColor(235, 243, 248, 200), 1.0));
    p.drawEllipse(QRectF(37.0, 16.6, 66.0, 3.0));
    // Long window reflection on the left, a thin one on the right.
    QPainterPath shine(QPointF(42.0, 24.0));
    shine.lineTo(49.5, 118.0);
    shine.lineTo(53.5, 118.0);
    shine.lineTo(46.5, 24.0);
    shine.closeSubpath();
    QLinearGradient fade(0, 24, 0, 118);
    fade.setColorAt(0.0, QColor(255, 255, 255, 120));
    fade.setColorAt(1.0, QColor(255, 255, 255, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawPath(shine);
    QPainterPath thin(QPointF(96.5, 26.0));
    thin.lineTo(90.8, 112.0);
    thin.lineTo(92.0, 112.0);
    thin.lineTo(98.0, 26.0);
    thin.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawPath(thin);
  }

  // Condensation: drops of every size on the cold glass, beer colour behind.
  p.save();
  p.setClipPath(glass);
  {
    auto behindAt = [](double x) { return BeerAt((x - 37.0) / 66.0); };
    for (int i = 0; i < 110; ++i) {
      const double y = random.Between(42, 126);
      const double x = random.Between(GlassLeft(y) + 1.5, GlassRight(y) - 1.5);
      const double size = random.Next();
      const double radius = 0.55 + size * size * 2.1;
      Droplet(p, QPointF(x, y), radius, behindAt(x), 1.0 + random.Between(0.0, 0.25));
    }
    // The finest drops only sparkle.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
      const double y = random.Between(42, 126);
      const double x = random.Between(GlassLeft(y) + 1.0, GlassRight(y) - 1.0);
      p.setBrush(QColor(255, 253, 240, static_cast<int>(random.Between(110, 220))));
      p.drawEllipse(QPointF(x, y), 0.42, 0.42);
    }
    // Drops that have grown heavy and run, at the foot of their tracks.
    const double runners[][2] = {{52.0, 104.0}, {79.0, 92.0}, {88.5, 118.0}, {63.0, 126.0}};
    for (const auto& d : runners) Droplet(p, QPointF(d[0], d[1]), 2.4, behindAt(d[0]), 1.35);
  }
  p.restore();

  // Drops on the foam side of the glass catch the light of the foam.
  {
    for (int i = 0; i < 10; ++i) {
      const double y = random.Between(22, 38);
      const double x = random.Between(GlassLeft(y) + 2, GlassRight(y) - 2);
      Droplet(p, QPointF(x, y), random.Between(0.6, 1.5), QColor(200, 190, 168));
    }
  }
  return image;
}

// ----------------------------------------------------- the version picture --

// A wall in section with the temperature falling through it and a drop of
// condensed water: what the program is about.
QImage VersionPicture() {
  QImage image = NewPicture(60, 70, QColor(236, 244, 252));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, 70);
  sky.setColorAt(0.0, QColor(214, 234, 252));
  sky.setColorAt(1.0, QColor(250, 252, 255));
  p.fillRect(QRectF(0, 0, 60, 70), sky);

  // Three layers: concrete, insulation, board.
  const double top = 9.0, bottom = 61.0;
  QLinearGradient concrete(6, 0, 19, 0);
  concrete.setColorAt(0.0, QColor(150, 150, 146));
  concrete.setColorAt(1.0, QColor(186, 186, 180));
  p.fillRect(QRectF(6, top, 13, bottom - top), concrete);
  Sequence random(7u);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(112, 112, 108));
  for (int i = 0; i < 22; ++i)
    p.drawEllipse(QPointF(random.Between(7.5, 17.5), random.Between(top + 1.5, bottom - 1.5)), 0.7, 0.6);
  p.fillRect(QRectF(19, top, 14, bottom - top), QColor(250, 218, 92));
  p.setPen(QPen(QColor(206, 160, 40), 0.8));
  p.setBrush(Qt::NoBrush);
  QPainterPath zig(QPointF(20.5, top));
  for (double y = top; y < bottom; y += 4.0) {
    zig.lineTo(31.5, y + 2.0);
    zig.lineTo(20.5, std::min(y + 4.0, bottom));
  }
  p.drawPath(zig);
  p.fillRect(QRectF(33, top, 5, bottom - top), QColor(232, 214, 180));
  p.setPen(QPen(QColor(70, 80, 90), 1.0));
  p.drawRect(QRectF(6, top, 32, bottom - top));
  p.drawLine(QPointF(19, top), QPointF(19, bottom));
  p.drawLine(QPointF(33, top), QPointF(33, bottom));

  // Temperature through the wall, cold outside (left) to warm inside (right).
  p.setPen(QPen(QColor(214, 40, 40), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPolygonF temp;
  temp << QPointF(2, 54) << QPointF(6, 52.5) << QPointF(19, 50) << QPointF(33, 20) << QPointF(38, 18.5)
       << QPointF(44, 16);
  p.drawPolyline(temp);
  // Vapour pressure, dashed blue.
  p.setPen(QPen(QColor(40, 90, 200), 1.3, Qt::DashLine, Qt::RoundCap));
  QPolygonF vap;
  vap << QPointF(2, 46) << QPointF(6, 44) << QPointF(19, 40) << QPointF(33, 33) << QPointF(38, 28) << QPointF(44, 27);
  p.drawPolyline(vap);

  // The drop.
  const double x = 47.0, y = 50.0, r = 8.0;
  QPainterPath drop(QPointF(x, y - 2.4 * r));
  drop.cubicTo(x + 0.5 * r, y - 1.3 * r, x + r, y - 0.55 * r, x + r, y);
  drop.cubicTo(x + r, y + 0.6 * r, x + 0.55 * r, y + r, x, y + r);
  drop.cubicTo(x - 0.55 * r, y + r, x - r, y + 0.6 * r, x - r, y);
  drop.cubicTo(x - r, y - 0.55 * r, x - 0.5 * r, y - 1.3 * r, x, y - 2.4 * r);
  QRadialGradient body(QPointF(x - 2.5, y - 2.5), 11.0);
  body.setColorAt(0.0, QColor(170, 220, 255));
  body.setColorAt(0.6, QColor(60, 140, 226));
  body.setColorAt(1.0, QColor(24, 84, 176));
  p.setPen(QPen(QColor(20, 70, 150), 0.9));
  p.setBrush(body);
  p.drawPath(drop);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawEllipse(QPointF(x - 3.4, y - 2.2), 1.9, 2.6);
  p.setBrush(QColor(255, 255, 255, 120));
  p.drawEllipse(QPointF(x + 3.6, y + 4.4), 1.2, 0.9);
  return image;
}

bool Write(const QImage& image, const QString& folder, const QString& name) {
  const QString path = folder + QLatin1Char('/') + name;
  if (!WriteBmp24(image, path)) {
    std::fprintf(stderr, "kondra-picturegen: cannot write %s\n", path.toUtf8().constData());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kondra-picturegen <output root>\n");
    return 1;
  }
  // Pictures only: no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/DATA/PICT");
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "kondra-picturegen: cannot create %s\n", folder.toUtf8().constData());
    return 1;
  }
  bool ok = true;
  ok = Write(BeerPicture(), folder, QStringLiteral("ビール.BMP")) && ok;
  ok = Write(GlassPicture(Fill::Empty), folder, QStringLiteral("グラス空.BMP")) && ok;
  ok = Write(GlassPicture(Fill::Full), folder, QStringLiteral("グラス水.BMP")) && ok;
  ok = Write(GlassPicture(Fill::Overflowing), folder, QStringLiteral("グラス溢.BMP")) && ok;
  ok = Write(VersionPicture(), folder, QStringLiteral("KONDRA.BMP")) && ok;
  return ok ? 0 : 1;
}
