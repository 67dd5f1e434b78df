// The small labels of the pictures ("Small Fonts" 6 and 7, 8 and 9 pixels)
// stay legible at 1:1: drawn as the pictures draw them, each figure keeps the
// rings that tell it from its neighbours, with and without smoothing.
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <string>
#include <utility>
#include <vector>

#include "output/Canvas.h"
#include "output/gui/QtCanvas.h"

using namespace kondra;

namespace {

constexpr int kSide = 20;

// One character drawn through the picture canvas, black on white.
QImage Drawn(const std::string& text, int points, bool smooth) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing, smooth);
  painter.setRenderHint(QPainter::Antialiasing, smooth);
  QtCanvas canvas(painter);
  canvas.font = CanvasFont{"Small Fonts", points, 0, 0};
  canvas.TextOut(4, 3, text, false);
  return image;
}

// Rings of a character: the white areas the ink closes in (every white area
// but the one around the character).
int Rings(const QImage& image) {
  auto ink = [&](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
  std::vector<bool> seen(kSide * kSide, false);
  int areas = 0;
  for (int y0 = 0; y0 < kSide; ++y0)
    for (int x0 = 0; x0 < kSide; ++x0) {
      if (ink(x0, y0) || seen[static_cast<std::size_t>(y0 * kSide + x0)]) continue;
      ++areas;
      std::vector<std::pair<int, int>> open{{x0, y0}};
      seen[static_cast<std::size_t>(y0 * kSide + x0)] = true;
      while (!open.empty()) {
        auto [x, y] = open.back();
        open.pop_back();
        const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
          const int nx = x + dx[k], ny = y + dy[k];
          if (nx < 0 || ny < 0 || nx >= kSide || ny >= kSide) continue;
          const auto at = static_cast<std::size_t>(ny * kSide + nx);
          if (seen[at] || ink(nx, ny)) continue;
          seen[at] = true;
          open.push_back({nx, ny});
        }
      }
    }
  return areas - 1;
}

}  // namespace

class PictureFontTest : public QObject {
  Q_OBJECT

 private slots:
  void figuresKeepTheirRings_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("smooth");
    for (int points : {6, 7})
      for (bool smooth : {false, true})
        QTest::newRow(qPrintable(QString("%1pt%2").arg(points).arg(smooth ? " smooth" : ""))) << points << smooth;
  }

  void figuresKeepTheirRings() {
    QFETCH(int, points);
    QFETCH(bool, smooth);
    struct Figure {
      const char* text;
      int rings;
    };
    for (const Figure& f : {Figure{"8", 2}, Figure{"9", 1}, Figure{"6", 1}, Figure{"0", 1}, Figure{"3", 0}})
      QVERIFY2(Rings(Drawn(f.text, points, smooth)) == f.rings,
               qPrintable(QString("%1: %2 rings").arg(f.text).arg(Rings(Drawn(f.text, points, smooth)))));
    // Both rings of the per-cent sign (a merged one reads as a figure).
    QVERIFY(Rings(Drawn("%", points, smooth)) >= 2);
  }
};

QTEST_MAIN(PictureFontTest)
#include "tst_PictureFont.moc"
