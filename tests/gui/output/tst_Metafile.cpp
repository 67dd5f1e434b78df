// Metafiles on screen: the report pictures written as metafiles look like
// the pictures the window draws, TMetafileEx loads, sizes and draws them,
// charts become metafiles and bitmaps, and the active window is captured.
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMimeData>
#include <QPainter>
#include <QStatusBar>
#include <QValueAxis>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/Diagram.h"
#include "calc/Engine.h"
#include "controls/MetafileEx.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "gui/support/GuiTest.h"
#include "output/Bitmap.h"
#include "output/DiagramMetafile.h"
#include "output/EmfCanvas.h"
#include "output/EmfPlayer.h"
#include "output/Jpeg.h"
#include "output/Palette.h"
#include "output/gui/MetafilePainter.h"
#include "output/gui/MetafileSupport.h"
#include "output/gui/PictureFile.h"
#include "output/gui/QtCanvas.h"
#include "output/gui/WidgetPicture.h"
#include "output/gui/WindowCapture.h"
#include "support/TestEnv.h"

using namespace kondra;

namespace {

const QColor kClassic[16] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {255, 0, 0},   {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255},   {255, 255, 255},
};

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

class TextTarget : public EmfTarget {
 public:
  std::vector<EmfPlayText> texts;
  void Fill(const std::vector<std::vector<EmfPointF>>&, bool, const EmfPlayBrush&, int32_t, int32_t, bool) override {}
  void Stroke(const std::vector<std::vector<EmfPointF>>&, const EmfPlayPen&, int32_t) override {}
  void Text(const EmfPlayText& text) override { texts.push_back(text); }
  void Image(const EmfRectF&, int32_t, int32_t, const std::vector<uint8_t>&) override {}
  void Clip(const std::optional<EmfRectF>&) override {}
};

}  // namespace

class TestMetafile : public QObject {
  Q_OBJECT

 private:
  test::TempFolder temp;
  LayerLooks looks{};
  std::string keep;

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

  std::string MetafileOf(PictureKind kind, const std::string& name) {
    std::string path = temp.path() + name;
    std::string error;
    if (!WritePictureFile(kind, path, 1, looks, &error)) return {};
    if (!keep.empty()) test::WriteBytes(fs::FromNative(keep) + "\\" + name, test::ReadBytes(path));
    return test::ReadBytes(path);
  }

 private slots:
  void initTestCase() {
    ColorDir = temp.path();
    EnvRow[20] = "TEST16.COL";
    test::WriteBytes(ColorDir + "TEST16.COL", TestPaletteText());
    looks[2] = {3, 4};
    looks[3] = {13, 7};
    looks[4] = {8, 0};
    if (const char* dir = std::getenv("KONDRA_PICTURE_DIR")) keep = dir;
    InstallQtMetafileSupport();
  }

  // The offscreen screen is the metafile screen.
  void screenAndMeasureComeFromQt() {
    EmfDevice screen = MetafileScreen();
    QScreen* qs = QGuiApplication::primaryScreen();
    QCOMPARE(screen.widthPixels, qs->size().width());
    QCOMPARE(screen.dpiX, qRound(qs->logicalDotsPerInchX()));
    // The Gothic face is fixed-pitch: one-byte characters are half as wide
    // as two-byte ones, and the average is that of a one-byte character.
    CanvasFont gothic;
    gothic.name = "ＭＳ ゴシック";
    gothic.size = 9;
    std::vector<int32_t> dx = CurrentTextMeasure().Advances(gothic, u"A結");
    QCOMPARE(dx.size(), std::size_t{2});
    QCOMPARE(dx[1], 12);
    QVERIFY(std::abs(dx[0] * 2 - dx[1]) <= 1);
    TextMetrics m = CurrentTextMeasure().Metrics(gothic);
    QVERIFY(std::abs(m.aveCharWidth - 6) <= 1);
    QVERIFY(m.height >= 12 && m.height <= 15);
  }

  // Played back by the program, the metafile shows the picture of the
  // window: the same colours on the same pixels, bar a few pixels where GDI
  // and Qt end lines differently.
  void reportPictureLooksLikeTheWindowsPicture() {
    for (bool vertical : {true, false}) {
      Calculate(vertical);
      for (PictureKind kind : {PictureKind::Section, PictureKind::Thickness, PictureKind::Resistance}) {
        std::string name = std::string(vertical ? "wall" : "floor") + "-" + std::to_string(static_cast<int>(kind));
        std::string data = MetafileOf(kind, name + ".emf");
        QVERIFY(!data.empty());
        QImage screen = RenderPicture(kind, 1, looks);
        QImage played = RenderMetafile(data, QSize(140, 142));
        Keep(played, name + "-emf.png");
        int same = 0;
        for (int y = 0; y < 142; ++y)
          for (int x = 0; x < 140; ++x)
            if (At(screen, x, y) == At(played, x, y)) ++same;
        QVERIFY2(same > 140 * 142 * 96 / 100, qPrintable(QString::fromStdString(name) + ": " + QString::number(same)));
      }
    }
    Calculate(true);
    QImage wall = RenderMetafile(MetafileOf(PictureKind::Thickness, "wall.emf"), QSize(140, 142));
    QCOMPARE(At(wall, 50, 90), kClassic[12]);  // inside the zone
    QCOMPARE(At(wall, 92, 60), kClassic[0]);   // a boundary line
    // Enlarged three times it is the same picture.
    QImage big = RenderMetafile(MetafileOf(PictureKind::Thickness, "wall.emf"), QSize(420, 426));
    Keep(big, "wall-thickness-emf-x3.png");
    QCOMPARE(At(big, 3 * 50 + 1, 3 * 90 + 1), kClassic[12]);
    QCOMPARE(At(big, 277, 3 * 60), kClassic[0]);
    QCOMPARE(At(big, 3 * 20, 3 * 3), kClassic[15]);
    // The section's gypsum band in solid silver over the frame's height.
    QImage section = RenderMetafile(MetafileOf(PictureKind::Section, "section.emf"), QSize(140, 142));
    QCOMPARE(Count(section, kClassic[8], QRect(92, 15, 6, 110)), 6 * 110);
    QVERIFY(Count(section, kClassic[13], QRect(44, 15, 48, 110)) > 500);
  }

  void metafileClassLoadsSizesAndDraws() {
    Calculate(true);
    std::string path = temp.path() + "Kondra(1).EMF";
    std::string error;
    QVERIFY(WriteDiagramMetafile(1, path, looks, &error));
    TMetafileEx mf;
    QVERIFY(mf.LoadFromFile(path, &error));
    QCOMPARE(mf.Width(), 140);
    QCOMPARE(mf.Height(), 142);
    QCOMPARE(mf.MMWidth(), 3704);

    // A clip region left on the painter does not cut the picture, and is
    // there again afterwards.
    QImage image(280, 142, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setClipRect(QRect(0, 0, 20, 20));
    mf.Draw(painter, QRectF(140, 0, 140, 142));
    QVERIFY(painter.hasClipping());
    painter.fillRect(image.rect(), Qt::green);
    painter.end();
    QCOMPARE(At(image, 140 + 50, 90), kClassic[12]);
    QCOMPARE(At(image, 5, 5), QColor(Qt::green));
    QCOMPARE(At(image, 100, 100), QColor(Qt::black));

    // Twice the resolution: half the size on this screen.
    TMetafileEx half = mf;
    QVERIFY(SetMetafileResolution(half, 192, 192));
    QCOMPARE(half.Width(), 70);
    QCOMPARE(half.Height(), 71);
    QCOMPARE(half.MMWidth(), 1852);
    QCOMPARE(half.ToImage().size(), QSize(70, 71));

    // Through the clipboard's data.
    QMimeData mime;
    mf.SaveToMimeData(&mime);
    QVERIFY(mime.hasFormat("image/x-emf"));
    TMetafileEx pasted;
    QVERIFY(pasted.LoadFromMimeData(&mime));
    QCOMPARE(pasted.Data(), mf.Data());
  }

  void filesThatAreNoEnhancedMetafileAreRefused() {
    TMetafileEx mf;
    QVERIFY(mf.LoadFromFile(temp.path() + "Kondra(1).EMF"));
    std::string wmf = temp.path() + "old.wmf";
    test::WriteBytes(wmf, std::string("\xD7\xCD\xC6\x9A\0\0\0\0\0\0", 10) + std::string(40, '\0'));
    std::string error;
    QVERIFY(!mf.LoadFromFile(wmf, &error));
    QVERIFY(error.find("WMF") != std::string::npos);
    QVERIFY(error.find(wmf) != std::string::npos);
    std::string junk = temp.path() + "junk.emf";
    test::WriteBytes(junk, std::string(200, 'x'));
    QVERIFY(!mf.LoadFromFile(junk, &error));
    QVERIFY(!mf.LoadFromFile(temp.path() + "missing.emf", &error));
    QCOMPARE(mf.Width(), 140);  // unchanged
    QVERIFY(RenderMetafile(std::string(200, 'x'), QSize(10, 10)).isNull());
  }

  void chartBecomesMetafileAndBitmap() {
    auto* series = new QLineSeries;
    series->setName("月平均気温");
    series->setColor(QColor(255, 0, 0));
    for (int m = 1; m <= 12; ++m) series->append(m, 10 + 10 * std::sin(m / 2.0));
    QChart* chart = new QChart;
    chart->addSeries(series);
    chart->createDefaultAxes();
    chart->setTitle("東京 気温");
    QChartView view(chart);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    std::string data = WidgetMetafile(&view, "チャート");
    std::optional<EmfHeader> h = ReadEmfHeader(data);
    QVERIFY(h);
    QCOMPARE(h->WidthAt(MetafileScreen().dpiX), 400);
    QCOMPARE(h->HeightAt(MetafileScreen().dpiY), 300);
    TextTarget texts;
    QVERIFY(PlayMetafile(data, texts));
    // Qt hands texts over in runs of one script; together they read as drawn.
    std::string all;
    bool japaneseFace = false;
    for (const EmfPlayText& t : texts.texts) {
      all += t.text;
      if (t.text == "月平均気温") japaneseFace = t.font.face.find("IPA") != std::string::npos;
    }
    QVERIFY(all.find("東京 気温") != std::string::npos);
    QVERIFY(all.find("月平均気温") != std::string::npos);
    QVERIFY(japaneseFace);
    QImage played = RenderMetafile(data, QSize(400, 300));
    Keep(played, "chart-emf.png");
    Keep(view.grab().toImage(), "chart-grab.png");
    if (!keep.empty()) test::WriteBytes(fs::FromNative(keep) + "\\chart.emf", data);
    QVERIFY(Count(played, QColor(255, 0, 0)) > 100);

    std::string bmp = temp.path() + "chart.BMP";
    std::string error;
    QVERIFY(SaveWidgetBitmap(&view, bmp, &error));
    std::string file = test::ReadBytes(bmp);
    QCOMPARE(BmpBitsPerPixel(file), 24);
    std::optional<RgbImage> image = DecodeBmp(file);
    QVERIFY(image);
    QCOMPARE(image->width, 400);
    QCOMPARE(image->height, 300);
    std::string emf = temp.path() + "chart.EMF";
    QVERIFY(SaveWidgetMetafile(&view, emf, &error));
    QVERIFY(ReadEmfHeader(test::ReadBytes(emf)));
  }

  void activeWindowIsCapturedAsBitmapAndJpeg() {
    test::BoxAnswers answers;
    QStatusBar bar;
    QtFace().AttachStatusBar(&bar);
    QWidget window;
    window.setWindowTitle("飽和水蒸気圧曲線");
    window.resize(160, 120);
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 255));
    window.setPalette(pal);
    QVERIFY(test::ShowActive(&window));
    SetCaptureWindow(&window);
    std::string path = temp.path() + "cap\\WCRT.BMP";  // the folder does not exist yet
    SaveWindowToFile(path);
    SetCaptureWindow(nullptr);
    QVERIFY(answers.Panel(0).contains("〔画面をファイルに保存完了〕"));
    std::string bmp = test::ReadBytes(path);
    QCOMPARE(BmpBitsPerPixel(bmp), 24);
    std::optional<RgbImage> image = DecodeBmp(bmp);
    QVERIFY(image);
    QCOMPARE(image->width, 160);
    QCOMPARE(image->height, 120);
    const uint8_t* p = image->Pixel(80, 60);
    QVERIFY(std::abs(p[0] - 0) < 12 && std::abs(p[1] - 128) < 12 && std::abs(p[2] - 255) < 12);
    QVERIFY(DecodeJpeg(test::ReadBytes(temp.path() + "cap\\WCRT.JPG")));
    QVERIFY(answers.boxes.empty());

    // The file names of the capture and the preview are in the cache folder.
    QCOMPARE(WindowCaptureFile(), fs::UserCacheFolder() + "WCRT.BMP");
    QCOMPARE(ChartPreviewFile(), fs::UserCacheFolder() + "Chart.EMF");
    QCOMPARE(WithExtension("C:\\a.b\\WCRT", ".JPG"), std::string("C:\\a.b\\WCRT.JPG"));
    QCOMPARE(WithExtension("C:\\a\\WCRT.BMP", ".JPG"), std::string("C:\\a\\WCRT.JPG"));
  }

  void withoutAWindowOnlyTheStatusIsShown() {
    test::BoxAnswers answers;
    QStatusBar bar;
    QtFace().AttachStatusBar(&bar);
    LastStatusText.clear();
    SetCaptureWindow(nullptr);
    std::string path = temp.path() + "none\\WCRT.BMP";
    if (QApplication::activeWindow()) QApplication::activeWindow()->hide();
    SaveWindowToFile(path);
    QVERIFY(!fs::Exists(path));
    QCOMPARE(LastStatusText, std::string("〔画面をファイルに保存完了〕"));
  }
};

QTEST_MAIN(TestMetafile)
#include "tst_Metafile.moc"
