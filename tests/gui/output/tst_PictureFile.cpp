// The pictures drawn by Qt: colours, bands, lines and the filled zone land on
// the pixels the drawing rules give, for a wall and for a floor, and the
// files come out as PNG and SVG.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/Diagram.h"
#include "calc/Engine.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "output/Draw.h"
#include "output/Palette.h"
#include "output/gui/PictureFile.h"
#include "output/gui/QtCanvas.h"
#include "support/TestEnv.h"

using namespace kondra;

namespace {

// The classic sixteen colours as numbers 0 … 15.
const QColor kClassic[16] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

// A palette file: the classic sixteen, then a grey ramp.
std::string TestPaletteText() {
  std::string text;
  for (int k = 0; k < 256; ++k) {
    QColor c = k < 16 ? kClassic[k] : QColor(k, k, k);
    char line[32];
    std::snprintf(line, sizeof line, "%4d: $%06X\r\n", k,
                  static_cast<unsigned>(RgbValue(c.red(), c.green(), c.blue())));
    text += line;
  }
  return text;
}

QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

int Count(const QImage& image, const QColor& colour, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (At(image, x, y) == colour) ++n;
  return n;
}

}  // namespace

class TestPictureFile : public QObject {
  Q_OBJECT

 private:
  test::TempFolder temp;
  LayerLooks looks{};
  // Where to keep the pictures for looking at them (KONDRA_PICTURE_DIR).
  std::string keep;

  // The worked example: outdoors 0 °C / 80 % on side A, indoors 20 °C / 60 %;
  // plywood, glass wool, gypsum board between the surface films.
  void Calculate(bool vertical) {
    ResetCalcState();
    SetSideCond(1, 0, 80);
    SetSideCond(2, 20, 60);
    SetLayer(1, "外気側α", 0, 0, 0.05f, 0, 0.001f);
    SetLayer(2, "構造用合板", 12, 0.14f, 0, 0.0016f, 0);
    SetLayer(3, "グラスウール", 100, 0.04f, 0, 0.1f, 0);
    SetLayer(4, "石膏ボード", 12, 0.19f, 0, 0.007f, 0);
    SetLayer(5, "室内側α", 0, 0, 0.125f, 0, 0.001f);
    DeriveLayers();
    Calc.PartIndex = 1;
    Calc.PartVertical = vertical;
    QVERIFY(CheckInput().ok);
    QVERIFY(!PrepareCumulative());
    RunEngine();
    Calc.Calculated = true;
  }

  void Keep(const QImage& image, const std::string& name) {
    if (!keep.empty()) image.save(QString::fromStdString(keep + "/" + name));
  }

 private slots:
  void initTestCase() {
    ColorDir = temp.path();
    EnvRow[20] = "TEST16.COL";
    test::WriteBytes(ColorDir + "TEST16.COL", TestPaletteText());
    looks[2] = {3, 4};   // olive, forward diagonal
    looks[3] = {13, 7};  // fuchsia, diagonal cross
    looks[4] = {8, 0};   // silver, solid
    if (const char* dir = std::getenv("KONDRA_PICTURE_DIR")) keep = dir;
  }

  void paletteFileGivesTheClassicColours() {
    QCOMPARE(ToQColor(ColorOf(9)), QColor(255, 0, 0));
    QCOMPARE(ToQColor(ColorOf(15)), QColor(255, 255, 255));
    QCOMPARE(ToQColor(ColorOf(200)), QColor(200, 200, 200));
  }

  void wallSection() {
    Calculate(true);
    QImage image = RenderPicture(PictureKind::Section, 1, looks);
    Keep(image, "wall-section.png");
    QCOMPARE(image.size(), QSize(140, 142));
    // Gypsum board, solid silver, x 92 … 97 over the frame's height.
    QCOMPARE(Count(image, kClassic[8], QRect(92, 15, 6, 110)), 6 * 110);
    QCOMPARE(Count(image, kClassic[8], QRect(91, 15, 1, 110)), 0);
    QCOMPARE(Count(image, kClassic[8], QRect(98, 15, 1, 110)), 0);
    // Hatched bands: lines in the material colour on the white ground.
    QVERIFY(Count(image, kClassic[3], QRect(38, 15, 6, 110)) > 50);
    QVERIFY(Count(image, kClassic[15], QRect(38, 15, 6, 110)) > 50);
    QVERIFY(Count(image, kClassic[13], QRect(44, 15, 48, 110)) > 500);
    QCOMPARE(Count(image, kClassic[13]), Count(image, kClassic[13], QRect(44, 15, 48, 110)));
    // Outside the bands only white and the black texts.
    QCOMPARE(At(image, 20, 40), kClassic[15]);
    QCOMPARE(At(image, 120, 130), kClassic[15]);
    QVERIFY(Count(image, kClassic[0], QRect(0, 62, 36, 20)) > 10);    // side A conditions
    QVERIFY(Count(image, kClassic[0], QRect(100, 62, 40, 20)) > 10);  // side B conditions
    QVERIFY(Count(image, kClassic[0], QRect(38, 0, 60, 14)) > 5);     // row numbers
  }

  void wallDiagramOverThickness() {
    Calculate(true);
    QImage image = RenderPicture(PictureKind::Thickness, 1, looks);
    Keep(image, "wall-thickness.png");
    // Inside the zone (boundary 3, between the plywood and the glass wool).
    QCOMPARE(At(image, 50, 90), kClassic[12]);
    // A boundary line where no profile crosses.
    QCOMPARE(At(image, 92, 60), kClassic[0]);
    // The four profiles in their colours: the temperature line falls from
    // the warm side B (top right) to side A (bottom left).
    QVERIFY(Count(image, kClassic[9]) > 100);
    QVERIFY(Count(image, kClassic[9], QRect(100, 14, 15, 8)) > 5);
    QVERIFY(Count(image, kClassic[10]) > 80);
    QVERIFY(Count(image, kClassic[14]) > 30);
    QVERIFY(Count(image, kClassic[12]) > 150);
    // Above the warm end nothing but background.
    QCOMPARE(Count(image, kClassic[15], QRect(0, 0, 140, 4)), 140 * 4);
  }

  void wallDiagramOverResistanceHasNoTemperatureLine() {
    Calculate(true);
    QImage image = RenderPicture(PictureKind::Resistance, 1, looks);
    Keep(image, "wall-resistance.png");
    QCOMPARE(Count(image, kClassic[9]), 0);
    QVERIFY(Count(image, kClassic[10]) > 80);
    // Zone between x 47 and 84 (the plywood's resistance dominates).
    QCOMPARE(At(image, 75, 92), kClassic[12]);
  }

  void floorIsTheWallTurnedAQuarter() {
    Calculate(true);
    QImage wall = RenderPicture(PictureKind::Thickness, 1, looks);
    Calculate(false);
    QImage floor = RenderPicture(PictureKind::Thickness, 1, looks);
    Keep(floor, "floor-thickness.png");
    Keep(RenderPicture(PictureKind::Section, 1, looks), "floor-section.png");
    Keep(RenderPicture(PictureKind::Resistance, 1, looks), "floor-resistance.png");
    // A wall's (x, y) is the floor's (140 − y, x + 2).
    QCOMPARE(At(floor, 140 - 90, 50 + 2), kClassic[12]);
    QCOMPARE(At(floor, 140 - 60, 92 + 2), kClassic[0]);
    for (const QColor& c : {kClassic[9], kClassic[10], kClassic[12]})
      QVERIFY2(qAbs(Count(wall, c) - Count(floor, c)) <= Count(wall, c) / 10, qPrintable(c.name()));
    // The floor's section: layers top to bottom, gypsum at y 94 … 99.
    QImage section = RenderPicture(PictureKind::Section, 1, looks);
    QCOMPARE(Count(section, kClassic[8], QRect(15, 94, 110, 6)), 110 * 6);
  }

  void enlargedPicture() {
    Calculate(true);
    QImage image = RenderPicture(PictureKind::Thickness, 3, looks);
    Keep(image, "wall-thickness-x3.png");
    QCOMPARE(image.size(), QSize(420, 426));
    QCOMPARE(At(image, 3 * 50 + 1, 3 * 90 + 1), kClassic[12]);
    // The boundary line at x 92 covers exactly pixels 276 … 278.
    QCOMPARE(At(image, 277, 3 * 60), kClassic[0]);
    QCOMPARE(At(image, 275, 3 * 60), kClassic[15]);
    QCOMPARE(At(image, 279, 3 * 60), kClassic[15]);
    Keep(RenderPicture(PictureKind::Section, 3, looks), "wall-section-x3.png");
    Keep(RenderPicture(PictureKind::Resistance, 3, looks), "wall-resistance-x3.png");
    Calculate(false);
    Keep(RenderPicture(PictureKind::Thickness, 3, looks), "floor-thickness-x3.png");
    Keep(RenderPicture(PictureKind::Section, 3, looks), "floor-section-x3.png");
  }

  void filesPngAndSvg() {
    Calculate(true);
    std::string error;
    std::string png = temp.path() + "wall.PNG";
    QVERIFY(WritePictureFile(PictureKind::Section, png, 2, looks, &error));
    QImage read(QString::fromStdString(fs::ToNative(png)));
    QCOMPARE(read.size(), QSize(280, 284));

    std::string svg = temp.path() + "wall.svg";
    QVERIFY(WritePictureFile(PictureKind::Resistance, svg, 1, looks, &error));
    std::string text = test::ReadBytes(svg);
    QVERIFY(text.find("<svg") != std::string::npos);
    QVERIFY(text.find("viewBox=\"0 0 140 142\"") != std::string::npos);
    if (!keep.empty()) test::WriteBytes(fs::FromNative(keep) + "\\wall-resistance.svg", text);
    // Drawn back, the SVG shows the zone where the PNG has it.
    QSvgRenderer renderer(QByteArray::fromStdString(text));
    QVERIFY(renderer.isValid());
    QImage drawn(280, 284, QImage::Format_RGB32);
    drawn.fill(Qt::black);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    Keep(drawn, "wall-resistance-svg.png");
    QCOMPARE(At(drawn, 2 * 75, 2 * 92), kClassic[12]);
    QCOMPARE(At(drawn, 2 * 130, 2 * 135), kClassic[15]);

    QVERIFY(!WritePictureFile(PictureKind::Section, temp.path() + "wall.bmp", 1, looks, &error));
    QVERIFY(error.find("wall.bmp") != std::string::npos);
    QVERIFY(!WritePictureFile(PictureKind::Section, png, 0, looks, &error));
    QVERIFY(!WritePictureFile(PictureKind::Section, png, 17, looks, &error));
    Calc.Calculated = false;
    QVERIFY(!WritePictureFile(PictureKind::Thickness, temp.path() + "none.png", 1, looks, &error));
    QVERIFY(!fs::Exists(temp.path() + "none.png"));
    QVERIFY(WritePictureFile(PictureKind::Section, temp.path() + "plain.png", 1, looks, &error));

    QCOMPARE(PictureKindFromName("section"), std::optional(PictureKind::Section));
    QCOMPARE(PictureKindFromName("resistance"), std::optional(PictureKind::Resistance));
    QVERIFY(!PictureKindFromName("Thickness"));
  }

  void invertingPenDrawnTwiceLeavesNoTrace() {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QImage before = image.copy();
    QPainter painter(&image);
    QtCanvas canvas(painter);
    DrawBoxOutline(canvas, 5, 5, 30, 20, kInvertColor);
    painter.end();
    QCOMPARE(At(image, 5, 12), QColor(245, 55, 225));
    QCOMPARE(At(image, 18, 12), QColor(10, 200, 30));
    painter.begin(&image);
    DrawBoxOutline(canvas, 5, 5, 30, 20, kInvertColor);
    painter.end();
    QCOMPARE(image, before);
  }

  void opaqueTextFillsItsCell() {
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    SetCanvasFont(canvas, "ＭＳ ゴシック", 9, 0);
    SetBrush(canvas, 11, 0);
    TextOutOpaque(canvas, 2, 2, 4, 9, "12");
    TextOutClear(canvas, 30, 2, 4, 9, "12");
    painter.end();
    QVERIFY(Count(image, kClassic[11], QRect(0, 0, 30, 30)) > 20);
    QCOMPARE(Count(image, kClassic[11], QRect(30, 0, 30, 30)), 0);
    // The clear text itself: navy strokes (smoothed at their edges).
    QVERIFY(Count(image, kClassic[15], QRect(30, 0, 30, 30)) < 30 * 30 - 10);
    int navyish = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 30; x < 60; ++x) {
        QColor c = At(image, x, y);
        if (c.blue() > c.red() + 40 && c.blue() > c.green() + 40) ++navyish;
      }
    QVERIFY(navyish > 5);
    QCOMPARE(FontFamilyFor("ＭＳ ゴシック"), QString("IPAGothic"));
    QCOMPARE(FontFamilyFor("ＭＳ Ｐ明朝"), QString("IPAPMincho"));
    QCOMPARE(QFontOf({"Small Fonts", 6, 0, 0}).pixelSize(), 8);
    QCOMPARE(QFontOf({"ＭＳ ゴシック", 9, kFontBold, 0}).pixelSize(), 12);
  }

  void cleanupTestCase() {
    EnvRow[20].clear();
    ColorDir.clear();
    PaletteLoadedFrom.clear();
  }
};

QTEST_MAIN(TestPictureFile)
#include "tst_PictureFile.moc"
