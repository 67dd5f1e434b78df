// The saturation curve tool and its report, driven as a user would.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "controls/CBoxEx.h"
#include "controls/EditEx.h"
#include "controls/ImagEx.h"
#include "controls/QtText.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "gui/support/GuiTest.h"
#include "gui/tools/ToolTestInstall.h"
#include "output/Bitmap.h"
#include "output/gui/WindowCapture.h"
#include "psychro/Psychro.h"
#include "tools/Glass.h"
#include "tools/HGQR.h"
#include "tools/UpDown.h"
#include "tools/WmmHg.h"

using namespace kondra;

namespace {

constexpr QRgb kSilver = 0xC0C0C0;
constexpr QRgb kRed = 0xFF0000;

template <typename T>
T* Child(QWidget* form, const char* name) {
  T* w = form->findChild<T*>(QString::fromLatin1(name));
  if (!w) qWarning("no %s", name);
  return w;
}

// Types a value into a field and ends it with Enter, as a user would.
void Enter(QWidget* form, const char* name, const QString& text) {
  auto* edit = Child<TEditEx>(form, name);
  QTest::mouseClick(edit, Qt::LeftButton);
  edit->selectAll();
  test::TypeText(edit, text);
  test::PressKey(edit, Qt::Key_Return);
}

// Chooses a unit from the list with the keyboard.
void ChooseUnit(QWidget* form, const QString& unit) {
  auto* combo = Child<TCBoxEx>(form, "CBOX1_1");
  combo->setFocus(Qt::TabFocusReason);
  const int target = combo->findText(unit);
  QVERIFY(target >= 0);
  while (combo->currentIndex() < target) test::PressKey(combo, Qt::Key_Down);
  while (combo->currentIndex() > target) test::PressKey(combo, Qt::Key_Up);
}

// Columns of the chart that are grid lines over most of their height.
int GridColumns(const QImage& chart) {
  int columns = 0;
  for (int x = 1; x < 350; ++x)
    if (test::CountColour(chart, QRect(x, 0, 1, 351), kSilver) > 175) ++columns;
  return columns;
}

// Pixels of text and lines: dark in every channel.
int CountDark(const QImage& image, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) < 110 && qGreen(p) < 110 && qBlue(p) < 110) ++n;
    }
  return n;
}

// Runs `check` on the report window once it is open, then closes it.
void OnReport(std::function<void(THGQRForm*)> check) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [=] {
    auto* report = qobject_cast<THGQRForm*>(QApplication::activeModalWidget());
    if (!report) {
      QTimer::singleShot(20, *attempt);
      return;
    }
    check(report);
    report->close();
  };
  QTimer::singleShot(0, *attempt);
}

}  // namespace

class SaturationToolTest : public QObject {
  Q_OBJECT

  test::TempFolder temp;
  THGForm* tool = nullptr;
  QStatusBar statusBar;  // the main window's, where the tools report

  void Reopen() {
    tool->close();
    QTRY_VERIFY(!SaturationTool());
    tool = ShowSaturationTool(nullptr);
    QVERIFY(test::ShowActive(tool));
  }

  QImage Chart() const { return Child<TImageEx>(tool, "IMAG1")->Picture(); }
  QString Text(const char* name) const {
    if (auto* e = tool->findChild<QLineEdit*>(name)) return e->text();
    return Child<QLabel>(tool, name)->text();
  }

 private slots:
  void initTestCase() {
    QVERIFY(test::StartOnInstallCopy(temp));
    QtFace().AttachStatusBar(&statusBar);
    tool = ShowSaturationTool(nullptr);
    QVERIFY(test::ShowActive(tool));
  }

  void init() { test::ResetEditing(); }

  void opensOnceWithTheUnitList() {
    QCOMPARE(ShowSaturationTool(nullptr), tool);
    QCOMPARE(SaturationTool(), tool);
    QCOMPARE(tool->size(), QSize(532, 426));
    QCOMPARE(Child<TCBoxEx>(tool, "CBOX1_1")->Items(), (QStringList{"g/m3", "g/kg'", "mmHg", "hPa", "mb"}));
    QCOMPARE(tool->windowTitle(), QString("水蒸気量曲線 （-50～100℃）"));
    QCOMPARE(Text("LBL12"), QString("水蒸気量 (g/m3)"));
    QCOMPARE(Text("EDIT2_1"), QString("  20.0"));
    QCOMPARE(Text("EDIT2_2"), QString("    50"));
    QCOMPARE(Text("EDIT2_3"), QString("  8.64"));
    QCOMPARE(Text("EDIT2_4"), QString("   9.3"));
    QCOMPARE(Text("EDIT1_4"), QString("30"));
    QCOMPARE(Child<QWidget>(tool, "EDIT2_4")->toolTip(), QString("20.0℃、50％の時に結露する温度です。"));
    // Curves in blue, grid in silver, every 2 °C.
    QCOMPARE(GridColumns(Chart()), 14);
    QVERIFY(test::CountColour(Chart(), QRect(0, 0, 351, 351), 0x0000FF) > 500);
    QVERIFY(!test::GrabPng(tool, "saturation-start").isEmpty());
  }

  void defaultHumidityRangeFollowsTheUnit() {
    ChooseUnit(tool, "mmHg");
    QCOMPARE(tool->Chart().HumUnit, std::string("mmHg"));
    QCOMPARE(Text("EDIT1_3"), QString("0"));
    QCOMPARE(Text("EDIT1_4"), QString("32"));
    QCOMPARE(Text("LBL3"), QString("湿度範囲(mmHg)"));
    QCOMPARE(Text("LBL12"), QString("水蒸気分圧 (mmHg)"));
    QCOMPARE(tool->windowTitle(), QString("水蒸気分圧曲線 （-50～100℃）"));
    ChooseUnit(tool, "hPa");
    QCOMPARE(Text("EDIT1_4"), QString("42"));
    QCOMPARE(Text("LBL9"), QString("hPa"));
    QVERIFY(!test::GrabPng(tool, "saturation-hPa").isEmpty());
    ChooseUnit(tool, "g/kg'");
    QCOMPARE(Text("PNL2"), QString("比較湿度 (％)"));
    QCOMPARE(Text("LBL6"), QString("比較湿度※"));
    ChooseUnit(tool, "g/m3");
    QCOMPARE(Text("PNL2"), QString("相対湿度 (％)"));
  }

  void gridStepsFollowTheSpan() {
    Enter(tool, "EDIT1_1", "-50");
    Enter(tool, "EDIT1_2", "100");
    QCOMPARE(tool->Chart().TempSpan, 150);
    QCOMPARE(tool->Chart().TempStep, 10);
    QCOMPARE(GridColumns(Chart()), 14);
    QVERIFY(!test::GrabPng(tool, "saturation-wide").isEmpty());
    Enter(tool, "EDIT1_1", "-20");
    Enter(tool, "EDIT1_2", "40");
    QCOMPARE(tool->Chart().TempStep, 5);
    QCOMPARE(GridColumns(Chart()), 11);
    Enter(tool, "EDIT1_1", "-10");
    QCOMPARE(tool->Chart().TempStep, 2);
    QCOMPARE(GridColumns(Chart()), 24);
    Enter(tool, "EDIT1_1", "0");
    Enter(tool, "EDIT1_2", "30");
    QCOMPARE(tool->Chart().TempStep, 2);
    QCOMPARE(GridColumns(Chart()), 14);
  }

  void temperatureHeldAndEqualRangeRefused() {
    Enter(tool, "EDIT2_1", "120");
    QCOMPARE(Text("EDIT2_1"), QString(" 100.0"));
    QVERIFY(Child<QLabel>(tool, "LBL16")->isVisible());
    Enter(tool, "EDIT2_1", "20");
    QVERIFY(!Child<QLabel>(tool, "LBL16")->isVisible());

    Enter(tool, "EDIT1_1", "30");  // TempMax is 30
    QCOMPARE(tool->Chart().TempMin, 0.0f);
    QCOMPARE(Text("EDIT1_1"), QString("0"));
    Enter(tool, "EDIT2_3", "5");  // the amount is no input
    QCOMPARE(Text("EDIT2_3"), QString("  8.64"));

    // The up-down steps the temperature as an entry.
    auto* updown = Child<TToolUpDown>(tool, "UPDN2_1");
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, QPoint(8, 4));
    QCOMPARE(tool->Chart().CurTemp, 21.0f);
    QCOMPARE(Text("EDIT2_1"), QString("  21.0"));
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, QPoint(8, 16));
    QCOMPARE(tool->Chart().CurTemp, 20.0f);

    Enter(tool, "EDIT2_4", "25");  // a dew point above the temperature: water
    QCOMPARE(Text("EDIT2_2"), QString("   水"));
    QVERIFY(!Child<QWidget>(tool, "EDIT2_2")->isEnabled());
    tool->ApplyEntry(kTagRelHum, 50);
    QCOMPARE(Text("EDIT2_2"), QString("    50"));
  }

  void marksAreCountedAndTheThirtyThirdIsNotDrawn() {
    tool->PresetMenu()->actions()[0]->trigger();
    tool->Redisplay();
    auto* chart = Child<TImageEx>(tool, "IMAG1");
    QVERIFY(!chart->isEnabled());
    QTest::mouseClick(Child<QCheckBox>(tool, "CBTN1"), Qt::LeftButton);
    QVERIFY(chart->isEnabled());

    QCOMPARE(test::CountColour(Chart(), QRect(0, 0, 351, 351), kRed), 0);
    QImage after32;
    for (int n = 1; n <= 33; ++n) {
      if (n == 33) after32 = Chart();
      QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, QPoint(40 + 9 * n, 330 - n));
    }
    QCOMPARE(tool->Chart().MarkCount, 33);
    QCOMPARE(Chart(), after32);
    QVERIFY(test::CountColour(after32, QRect(0, 0, 351, 351), kRed) > 32 * 9);
    // The mark list at the top left: heading and 32 lines in black.
    QVERIFY(CountDark(after32, QRect(20, 10, 150, 330)) > 1000);
    QVERIFY(!test::GrabPng(tool, "saturation-marks").isEmpty());

    // The mark button marks the state shown; above saturation nothing.
    tool->ApplyEntry(kTagTemp, 20);
    tool->ApplyEntry(kTagRelHum, 50);
    tool->Redisplay();
    QCOMPARE(tool->Chart().MarkCount, 0);
    QTest::mouseClick(Child<QToolButton>(tool, "SBTN2_1"), Qt::LeftButton);
    QCOMPARE(tool->Chart().MarkCount, 1);
    const TPoint at = tool->Chart().StatePoint();
    QCOMPARE(at, (TPoint{233, 249}));
    QVERIFY(test::CountColour(Chart(), QRect(at.x - 2, at.y - 2, 5, 5), kRed) >= 9);
  }

  void mouseShowsTheStateAndTheGlass() {
    tool->Redisplay();
    QTest::mouseClick(Child<QCheckBox>(tool, "CBTN2"), Qt::LeftButton);
    QVERIFY(Child<QCheckBox>(tool, "CBTN1")->isChecked());
    auto* chart = Child<TImageEx>(tool, "IMAG1");
    auto* glass = Child<TImageEx>(tool, "IMAG_Gage");

    QTest::mouseMove(chart, QPoint(233, 300));  // 20 °C, a little vapour
    QCOMPARE(Text("EDIT2_1"), QString("  20.0"));
    QVERIFY(glass->isVisible());
    const TPoint size = tool->Chart().GlassSize();
    QCOMPARE(glass->size(), QSize(size.x, size.y));
    GlassPictures pictures;
    QVERIFY(pictures.Load());
    QCOMPARE(glass->Picture(), pictures.Compose(GlassFor(tool->Chart().CurRelHum)));
    QVERIFY(!test::GrabPng(tool, "saturation-glass").isEmpty());

    QTest::mouseMove(chart, QPoint(20, 20));  // far above saturation at 1.7 °C
    QCOMPARE(Text("EDIT2_2"), QString("   水"));
    QCOMPARE(Text("EDIT2_3"), QString("   水"));
    QCOMPARE(Text("EDIT2_4"), QString("   －"));
    QCOMPARE(glass->Picture(), pictures.Compose({GlassPicture::Overflowing, 0}));
    QVERIFY(!test::GrabPng(tool, "saturation-water").isEmpty());
    // No mark above saturation.
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QCOMPARE(tool->Chart().MarkCount, 0);

    QTest::mouseClick(Child<QCheckBox>(tool, "CBTN1"), Qt::LeftButton);
    QVERIFY(!Child<QCheckBox>(tool, "CBTN2")->isChecked());
    QVERIFY(!glass->isVisible());
  }

  void dragZoomsAndPresetsRestore() {
    tool->PresetMenu()->actions()[0]->trigger();
    QTest::mouseClick(Child<QCheckBox>(tool, "CBTN1"), Qt::LeftButton);
    auto* chart = Child<TImageEx>(tool, "IMAG1");
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, QPoint(70, 35));
    QTest::mouseMove(chart, QPoint(100, 100));
    QTest::mouseMove(chart, QPoint(140, 175));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, QPoint(140, 175));
    QCOMPARE(Text("EDIT1_1"), QString("6"));
    QCOMPARE(Text("EDIT1_2"), QString("12"));
    QCOMPARE(Text("EDIT1_3"), QString("15"));
    QCOMPARE(Text("EDIT1_4"), QString("27"));
    QCOMPARE(tool->Chart().TempStep, 1);
    QVERIFY(!test::GrabPng(tool, "saturation-zoomed").isEmpty());

    QMenu* presets = tool->PresetMenu();
    QCOMPARE(presets->objectName(), QString("POP1"));
    QCOMPARE(presets->actions().size(), 4);
    QCOMPARE(presets->actions()[2]->text(), QString("通常範囲(-20～40℃)"));
    presets->actions()[2]->trigger();
    QCOMPARE(Text("EDIT1_1"), QString("-20"));
    QCOMPARE(Text("EDIT1_4"), QString("50"));
    presets->actions()[0]->trigger();
    QCOMPARE(Text("EDIT1_2"), QString("30"));
    QCOMPARE(Text("EDIT1_4"), QString("30"));
  }

  void explanationBoxes() {
    test::BoxAnswers boxes;
    QTest::mouseClick(Child<QLabel>(tool, "LBL1"), Qt::LeftButton);
    QTest::mouseClick(Child<QLabel>(tool, "LBL6"), Qt::LeftButton);
    QTest::mouseClick(Child<QLabel>(tool, "LBL10"), Qt::LeftButton);
    QCOMPARE(boxes.boxes.size(), size_t(3));
    QVERIFY(boxes.Texts()[0].contains("【湿り空気の水蒸気量を表す単位】"));
    QVERIFY(boxes.Texts()[1].contains("【相対湿度（％）】"));
    QVERIFY(boxes.Texts()[2].contains("【露点温度（℃）】"));
    QCOMPARE(boxes.boxes[0].kind, 1);
  }

  void humidityRatioFieldNearTheBoilingPoint() {
    // A fresh tool: its state starts at 20 ℃ and 50 %.
    Reopen();
    ChooseUnit(tool, "g/kg'");
    Enter(tool, "EDIT1_2", "100");
    Enter(tool, "EDIT2_2", "100");
    struct Case {
      const char* temp;
      QString amount;
    };
    const Case cases[] = {
        {"99", Q(FieldText(6, 1, SatValueIn("g/kg'", 99)))},  // defined, shown whole
        {"100", "     -"},                                     // at the boiling point: none
    };
    for (const Case& c : cases) {
      Enter(tool, "EDIT2_1", c.temp);
      QCOMPARE(Text("EDIT2_3"), c.amount);
      QCOMPARE(Text("EDIT2_3").size(), 6);
      QVERIFY(!test::GrabPng(tool, QString("saturation-gkg-%1").arg(c.temp)).isEmpty());
    }
    QVERIFY(SatValueIn("g/kg'", 99) > 10000);
    QCOMPARE(Text("EDIT2_3").trimmed(), QString("-"));
    // A dew point just below zero (-0.01 ℃ at 20.7 ℃ and 25 %) shows as
    // 0.0, not -0.0.
    Enter(tool, "EDIT2_1", "20.7");
    Enter(tool, "EDIT2_2", "25");
    QVERIFY(tool->Chart().CurDewPoint < 0 && tool->Chart().CurDewPoint > -0.05f);
    QCOMPARE(Text("EDIT2_4"), QString("   0.0"));
    Reopen();
  }

  void previewShowsTheTable_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("note");
    QTest::newRow("-20..40") << 2 << "  -20.0   " << "  -18.0   " << "   40.0   " << "　";
    QTest::newRow("-50..100") << 3 << "  -50.0   " << "  -45.0   " << "  100.0   "
                              << "※計算式の関係上５０℃以上は計算精度が落ちます。";
  }

  void previewShowsTheTable() {
    QFETCH(int, preset);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, last);
    QFETCH(QString, note);
    tool->PresetMenu()->actions()[preset]->trigger();
    bool seen = false;
    OnReport([&](THGQRForm* report) {
      seen = true;
      SatReportPage* page = report->Page();
      QCOMPARE(report->ReportPage(), 1);
      const QStringList lines = page->Item("QRMEMO1_1")->lines;
      QCOMPARE(lines.size(), 31);
      QCOMPARE(lines[0].left(10), first);
      QCOMPARE(lines[1].left(10), second);
      QCOMPARE(lines[30].left(10), last);
      QCOMPARE(page->Text("QRLBL1_3"), note);
      QCOMPARE(page->Text("QRLBL1_2"), QString("単位 (g/m3)"));
      QCOMPARE(page->Text("QRLBL1_A"), Q(SatReportTitle(tool->Chart().TempMin, tool->Chart().TempMax)));
      QVERIFY(page->Text("QRLBL1_E").endsWith("Kondra Ver.8.20"));
      QVERIFY(!page->Item("QRIMAG1_1")->image.isNull());
      QCOMPARE(page->Item("QRIMAG1_1")->image.size(), QSize(532, 426));
      QVERIFY(!test::GrabPng(report, QString("saturation-report-%1").arg(preset)).isEmpty());
    });
    fs::RemoveFile(WindowCaptureFile(), nullptr);
    fs::RemoveFile(WithExtension(WindowCaptureFile(), ".JPG"), nullptr);
    // The user clicks the tool, which makes it the active window.
    QVERIFY(test::ShowActive(tool));
    test::StatusLog status;
    QTest::mouseClick(Child<QToolButton>(tool, "SBTN3"), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY2(status.texts.filter("〔画面をファイルに保存完了〕").size() == 1, qPrintable(status.texts.join("|")));
    // The capture of the tool: a JPEG and the bitmap decoded from it, in
    // 24-bit colour, the size of the window.
    const std::string bmp = test::ReadBytes(WindowCaptureFile());
    QCOMPARE(BmpBitsPerPixel(bmp), 24);
    std::optional<RgbImage> capture = DecodeBmp(bmp);
    QVERIFY(capture);
    QCOMPARE(QSize(capture->width, capture->height), tool->size());
    const std::string jpg = test::ReadBytes(WithExtension(WindowCaptureFile(), ".JPG"));
    QVERIFY(jpg.size() > 3 && static_cast<unsigned char>(jpg[0]) == 0xFF && static_cast<unsigned char>(jpg[1]) == 0xD8);
  }

  void reportWindowFitsZoomsAndBuildsOnce() {
    tool->PresetMenu()->actions()[0]->trigger();
    THGQRForm report(tool->Chart(), tool);
    QCOMPARE(report.windowTitle(), QString("レポート作成〔プレビュー画面〕"));
    QCOMPARE(Child<QTabWidget>(&report, "PCON")->tabText(0), QString("飽和水蒸気曲線　（0℃～30℃）"));
    report.show();
    QVERIFY(QTest::qWaitForWindowExposed(&report));
    QCOMPARE(report.ReportPage(), 1);
    QTRY_VERIFY(report.ReportZoom() > 30 && report.ReportZoom() < 60);
    // The page takes the A4 shape that fits the scroll box.
    auto* box = Child<QWidget>(&report, "SBOX1");
    const double fit = std::min<double>(box->width(), box->height() / 1.414);
    QVERIFY(std::abs(report.ReportZoom() - fit * 100 / 794) <= 1.0);
    QVERIFY(report.Page()->width() <= box->width());
    QCOMPARE(Child<QRadioButton>(&report, "RBTN2")->text(), QString::number(report.ReportZoom()) + "％縮小");
    QCOMPARE(report.Page()->Item("QRMEMO1_1")->lines.size(), 31);

    QTest::mouseClick(Child<QRadioButton>(&report, "RBTN1"), Qt::LeftButton);
    QCOMPARE(report.ReportZoom(), 100);
    QTRY_COMPARE(report.width(), 831);
    QCOMPARE(report.Page()->width(), 794);
    QTest::mouseClick(Child<QRadioButton>(&report, "RBTN2"), Qt::LeftButton);
    QTRY_VERIFY(report.ReportZoom() < 100);

    // A second choice of the page does not build it again.
    report.Page()->Item("QRMEMO1_1")->lines = QStringList{"kept"};
    report.SelectPage(0);
    QCOMPARE(report.Page()->Text("QRMEMO1_1"), QString("kept"));
  }

  void reportPaintsOnAnyDevice() {
    tool->PresetMenu()->actions()[3]->trigger();
    THGQRForm report(tool->Chart(), tool);
    report.SelectPage(0);

    QImage picture(SatReportPage::kPageWidth, SatReportPage::kPageHeight, QImage::Format_RGB32);
    PaintReportPage(&picture, *report.Page());
    // Ink in the title, the picture, the heading, the table and the note.
    for (const char* name : {"QRLBL1_A", "QRIMAG1_1", "QRLBL1_1", "QRMEMO1_1", "QRLBL1_3", "QRLBL1_E", "QRBAND1"}) {
      const ReportItem* item = report.Page()->Item(name);
      QRect area = item->rect;
      if (area.width() == 0) area.setWidth(300);
      QVERIFY2(test::CountColour(picture, area, 0xFFFFFF) < area.width() * area.height(), name);
    }
    QVERIFY(picture.save(QDir::temp().filePath("kondra-test-pictures/saturation-report-page.png")));

  }

  void reportSavesItselfAsPdf() {
    tool->PresetMenu()->actions()[3]->trigger();
    THGQRForm report(tool->Chart(), tool);
    const std::string path = temp.path() + "page.pdf";
    test::BoxAnswers boxes;
    QVERIFY(report.SaveReportPdf(path));  // builds the page first
    QCOMPARE(report.Page()->Item("QRMEMO1_1")->lines.size(), 31);
    std::string pdf;
    QVERIFY(fs::ReadWhole(path, pdf));
    QVERIFY(pdf.rfind("%PDF-", 0) == 0);
    QCOMPARE(QByteArray::fromStdString(pdf).count("/Type /Page\n") + QByteArray::fromStdString(pdf).count("/Type /Page\r"), 1);
    QVERIFY(pdf.find("/MediaBox [0 0 595") != std::string::npos);  // A4 portrait, in points
    QVERIFY(pdf.size() > 20000);  // the picture and the fonts of the table are in it
    QVERIFY(boxes.Panel(0).endsWith(QString::fromStdString("〔ファイル保存〕<" + path + ">")));

    // A failed write leaves the earlier file as it was and says so.
    fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::WriteData ? 28 : 0; });
    const bool saved = report.SaveReportPdf(path);
    fs::SetFaultHook(nullptr);
    QVERIFY(!saved);
    std::string after;
    QVERIFY(fs::ReadWhole(path, after));
    QVERIFY(after == pdf);
    QCOMPARE(boxes.boxes.size(), size_t(1));
    QCOMPARE(boxes.boxes[0].kind, 4);
    QVERIFY(boxes.Texts()[0].contains(QString::fromStdString(path)));
  }

  void printButtonUsesThePrintingServicesOrAPdfFile() {
    tool->PresetMenu()->actions()[0]->trigger();
    THGQRForm report(tool->Chart(), tool);
    report.show();
    QVERIFY(QTest::qWaitForWindowExposed(&report));
    auto* print = Child<QPushButton>(&report, "BBTN1");
    QVERIFY(print->isEnabled());

    // No printing services: the user names a PDF file.
    int asked = 0;
    const std::string path = temp.path() + "chosen.pdf";
    SetPdfPathChooser([&](QWidget*, const std::string& suggested) -> std::optional<std::string> {
      ++asked;
      if (!QString::fromStdString(suggested).endsWith(".pdf")) return std::nullopt;
      return asked == 1 ? std::optional<std::string>() : std::optional<std::string>(path);
    });
    test::BoxAnswers boxes;
    QTest::mouseClick(print, Qt::LeftButton);  // cancelled
    QCOMPARE(asked, 1);
    QVERIFY(!fs::Exists(path));
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(asked, 2);
    QVERIFY(fs::IsFile(path));

    // With the services attached the page goes to them, painted on their device.
    QImage printed;
    QWidget* from = nullptr;
    SetToolPrintHandlers(nullptr, [&](QWidget* form, const PagePainter& paint) {
      from = form;
      printed = QImage(397, 562, QImage::Format_RGB32);
      printed.fill(Qt::white);
      paint(&printed);
    });
    SetToolPrinterName([] { return std::string("Office Laser"); });
    QTest::mouseClick(print, Qt::LeftButton);
    SetToolPrintHandlers(nullptr, nullptr);
    SetToolPrinterName(nullptr);
    SetPdfPathChooser(nullptr);
    QCOMPARE(asked, 2);
    QCOMPARE(from, &report);
    // The page was painted at half size: the top rule runs across row 19.
    QVERIFY(test::CountColour(printed, QRect(20, 19, 358, 1), 0xFFFFFF) < 100);
    QVERIFY(test::CountColour(printed, QRect(0, 0, 397, 562), 0xFFFFFF) < 397 * 562 - 2000);
  }

  void hardCopyGoesToTheAttachedService() {
    auto* button = Child<QToolButton>(tool, "SBTN2");
    QVERIFY(!button->isEnabled());  // nothing attached when the tool opened
    tool->close();
    QTRY_VERIFY(SaturationTool() == nullptr);
    QWidget* copied = nullptr;
    SetToolPrintHandlers([&](QWidget* form) { copied = form; }, nullptr);
    tool = ShowSaturationTool(nullptr);
    QVERIFY(test::ShowActive(tool));
    button = Child<QToolButton>(tool, "SBTN2");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    SetToolPrintHandlers(nullptr, nullptr);
    QCOMPARE(copied, tool);
  }

  void closingFreesTheTool() {
    tool->close();
    QTRY_VERIFY(SaturationTool() == nullptr);
    THGForm* again = ShowSaturationTool(nullptr);
    QVERIFY(again);
    QCOMPARE(again->Chart().TempMax, 30.0f);
    QCOMPARE(again->Chart().HumUnit, std::string("g/m3"));
    CloseSaturationTool();
    QTRY_VERIFY(SaturationTool() == nullptr);
  }
};

QTEST_MAIN(SaturationToolTest)
#include "tst_SaturationTool.moc"
