// The calculation report as a user meets it: the report-preview command
// writes the pictures and opens the window; the page shows the sample's
// calculation in either unit system; the zoom buttons; the page is built
// once per opening; printing it into a PDF file.
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>

#include "calc/CalcFile.h"
#include "calc/CalcInput.h"
#include "calc/Engine.h"
#include "calc/Results.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Units.h"
#include "gui/output/PrintDialogAnswer.h"
#include "gui/support/GuiTest.h"
#include "materials/MaterialFiles.h"
#include "output/DiagramMetafile.h"
#include "output/ReportPages.h"
#include "output/gui/Printing.h"
#include "output/gui/QuickRep.h"
#include "records/TableFile.h"
#include "report/KDRQRForm.h"
#include "support/TestEnv.h"

using namespace kondra;
namespace sfs = std::filesystem;

class TestKDRQRForm : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempFolder> root;
  std::unique_ptr<test::BoxAnswers> answers;
  QStatusBar bar;
  std::string sample;
  std::optional<std::string> pdfTarget;

  static QString Text(QWidget* form, const char* name) { return ReportLabelText(form, name); }
  static TQRLabel* Label(QWidget* form, const char* name) { return form->findChild<TQRLabel*>(name); }

  // Opens the report-preview command; `inside` runs in the open window,
  // which is closed afterwards (also when a check inside fails).
  void Preview(const std::function<void(TKDRQRForm*)>& inside) {
    // The window may take seconds to appear on a loaded machine (fonts are
    // loaded on first use); whatever is modal after a minute is closed so a
    // missing window fails the test instead of hanging it.
    bool ran = false;
    QElapsedTimer clock;
    clock.start();
    auto attempt = std::make_shared<std::function<void()>>();
    // Only from the preview's own event loop: a timer that fires while the
    // dialog is still being shown (events let through on the way) would
    // close it before its loop runs, and the loop would then wait for ever.
    const int outside = QThread::currentThread()->loopLevel();
    *attempt = [&, attempt, outside] {
      TKDRQRForm* form = nullptr;
      if (QThread::currentThread()->loopLevel() > outside)
        for (QWidget* w : QApplication::topLevelWidgets())
          if (auto* f = qobject_cast<TKDRQRForm*>(w); f && f->isVisible()) form = f;
      if (!form) {
        if (clock.elapsed() < 60000)
          QTimer::singleShot(10, [attempt] { (*attempt)(); });
        else if (QWidget* modal = QApplication::activeModalWidget())
          modal->close();
        return;
      }
      ran = true;
      inside(form);
      form->close();
    };
    QTimer::singleShot(0, [attempt] { (*attempt)(); });
    ShowCalcReport(nullptr);
    QVERIFY(ran);
  }

 private slots:
  void initTestCase() {
    root = std::make_unique<test::TempFolder>();
    const sfs::path tree(KONDRA_INSTALL_TREE);
    QVERIFY2(sfs::exists(tree / "CAL" / "KDR" / "TEST_KDR.KDR"), "the installation tree has not been built");
    for (const char* folder : {"DATA", "CAL"})
      sfs::copy(tree / folder, sfs::path(root->native()) / folder, sfs::copy_options::recursive);
    StartupOptions options;
    options.root = root->path();
    QVERIFY(StartProgram(options));
    sample = OpenStartupFile("");
    QVERIFY(IsSampleFile(sample));
  }

  void init() {
    answers = std::make_unique<test::BoxAnswers>();
    QtFace().AttachStatusBar(&bar);
    SetUnitSystem(kEngineeringUnits);
    QVERIFY(ReadCalcFile(sample));
    QVERIFY(RunCalculation());
    SelectPrinter(QString::fromUtf8(kPdfPrinterName));
    CheckPrinter();
    pdfTarget = root->path() + "report.pdf";
    SetPdfFileDialog([this](QWidget*, const std::string&) { return pdfTarget; });
  }
  void cleanup() {
    SetPdfFileDialog(nullptr);
    SetUnitSystem(kEngineeringUnits);
    answers.reset();
  }

  void previewWritesThePicturesAndShowsThePage() {
    for (int n = 0; n < 3; ++n) fs::RemoveFile(ReportPictureName(ResultDir, n));
    Preview([&](TKDRQRForm* form) {
      QCOMPARE(form->windowTitle(), QString("レポート作成〔プレビュー画面〕"));
      QCOMPARE(ReportPage, 1);
      QVERIFY(ReportPageBuilt[1]);
      QCOMPARE(form->findChild<QTabWidget*>("PCON")->tabText(0), QString("計算結果"));
      QCOMPARE(form->findChild<QPushButton*>("BBTN1")->toolTip(), QString("プリンター機種：Kondra PDF"));
      for (const char* name : {"RBTN1", "RBTN2", "BBTN1"})
        QVERIFY(form->findChild<QWidget*>(name)->isEnabled());
      for (int n = 1; n <= 3; ++n) {
        auto* image = form->findChild<TQRImage*>(QStringLiteral("QRIMAG1_%1").arg(n));
        QVERIFY(image && !image->Picture().Empty());
        QCOMPARE(image->Rect().size(), QSize(140, 142));
      }
      QCOMPARE(Text(form, "QRLBL1_SI"), QString());
      QVERIFY(Text(form, "QRLBL1_1").endsWith("（TEST_KDR.KDR）"));
      QCOMPARE(Text(form, "QRLBL1_N"), QString::fromStdString(UserName));
      QVERIFY(Text(form, "QRLBL1_E").endsWith(" Kondra Ver.8.20"));
      QVERIFY(Text(form, "QRLBL1_F").endsWith("TEST_KDR.KDR"));
      QVERIFY(Text(form, "QRLBL1_12").contains("mmHg"));
      // Pressures with two decimals.
      QVERIFY(QRegularExpression(R"(\d+\.\d\d  +\d+\.\d\d  +\d+\.\d\d)").match(Text(form, "QRLBL1_21")).hasMatch());
      test::GrabPng(form, "report-preview");
    });
    // The pictures stay in the results folder, named for the file.
    for (int n = 0; n < 3; ++n) QVERIFY(fs::IsFile(ReportPictureName(ResultDir, n)));
    QVERIFY(DataLoad(ResultDir + kResultNameFile));
    QCOMPARE(DT_Name[1], std::string("TEST_KDR"));
  }

  void siUnits() {
    SetUnitSystem(kSIUnits);
    Preview([&](TKDRQRForm* form) {
      QCOMPARE(Text(form, "QRLBL1_SI"), QString("【ＳＩ単位】"));
      QCOMPARE(Label(form, "QRLBL1_SI")->Colour(), QColor(Qt::blue));
      QVERIFY(Text(form, "QRLBL1_12").contains("Pa"));
      QVERIFY(QRegularExpression(R"( \d+  +\d+  +\d+  )").match(Text(form, "QRLBL1_21")).hasMatch());
      QVERIFY(!QRegularExpression(R"(\.\d\d)").match(Text(form, "QRLBL1_21")).hasMatch());
      test::GrabPng(form, "report-preview-si");
    });
  }

  // A single glass pane in winter: the amount on the inner surface is named
  // surface condensation, and the line under the judgement says what it is.
  void surfaceCondensationToldOnThePage() {
    const std::string path = CalcDir + "KDR\\GLASS.KDR";
    NewCalcFile(path);
    QVERIFY(StoreTitle("単板ガラス"));
    QVERIFY(StorePartClass(1));
    QVERIFY(StoreCondition(kItemTempA, -5));
    QVERIFY(StoreCondition(kItemHumA, 80));
    QVERIFY(StoreCondition(kItemTempB, 20));
    QVERIFY(StoreCondition(kItemHumB, 60));
    QVERIFY(DataLoad(MaterialFilePath()));
    const int32_t outside = FindMaterial("外側(αo=20)").number, glass = FindMaterial("板ｶﾞﾗｽ").number,
                  inside = FindMaterial("内側(αi=8)").number;
    QVERIFY(StoreLayerMaterial(1, outside));
    QVERIFY(StoreLayerMaterial(2, glass));
    QVERIFY(StoreLayerThickness(2, 3));
    QVERIFY(StoreLayerMaterial(3, inside));
    QVERIFY(SaveCalcFile(path));
    QVERIFY(RunCalculation());
    QVERIFY(SurfacePlane());
    Preview([&](TKDRQRForm* form) {
      QVERIFY2(Text(form, "QRLBL1_40").contains("※表面結露量"), qPrintable(Text(form, "QRLBL1_40")));
      QCOMPARE(Text(form, "QRLBL1_42"), QString(kSurfaceAmountNote));
      test::GrabPng(form, "report-preview-glass");
    });
    QVERIFY(ReadCalcFile(sample));
    QVERIFY(RunCalculation());
    Preview([&](TKDRQRForm* form) { QCOMPARE(Text(form, "QRLBL1_42"), QString()); });
  }

  void judgementColour() {
    Preview([&](TKDRQRForm* form) {
      const bool condensation = Calc.CondRate != 0;
      QCOMPARE(Label(form, "QRLBL1_40")->Colour(), condensation ? QColor(Qt::red) : QColor(Qt::black));
      QVERIFY(Text(form, "QRLBL1_40").startsWith("判定："));
      QCOMPARE(Text(form, "QRLBL1_40").contains("※結露水量"), Calc.CondRate > 0);
    });
  }

  // The surface condensation and mould block stands right of the layer table,
  // clear of it, on the one page; a wet room surface (the sample's room at
  // 95 %) is printed red, the dry outer surface black.
  void surfaceBlockBesideTheLayers() {
    SetSideCond(2, 20, 95);
    QVERIFY(RunCalculation());
    Preview([&](TKDRQRForm* form) {
      QCOMPARE(ReportPageCount, 1);
      QCOMPARE(Text(form, "QRLBL1_S01"), QString("【表面結露・カビの判定】"));
      QVERIFY(Text(form, "QRLBL1_S02").startsWith("外側表面"));
      QCOMPARE(Text(form, "QRLBL1_S04"), QString("  判定：問題なし"));
      QCOMPARE(Label(form, "QRLBL1_S04")->Colour(), QColor(Qt::black));
      QCOMPARE(Text(form, "QRLBL1_S05"), QString("内側表面    温度   19.1 ℃"));
      QCOMPARE(Text(form, "QRLBL1_S07"), QString("  判定：表面結露あり"));
      QCOMPARE(Label(form, "QRLBL1_S07")->Colour(), QColor(Qt::red));
      QVERIFY(Text(form, "QRLBL1_S08").startsWith("温度係数fRsi"));
      QCOMPARE(Label(form, "QRLBL1_S08")->Colour(), QColor(Qt::red));
      QCOMPARE(Text(form, "QRLBL1_S12"), QString());
      // Clear of the layer table's head and rows, inside the page.
      const QRect block = Label(form, "QRLBL1_S01")->TextRect();
      QCOMPARE(block.topLeft(), QPoint(544, 312));
      for (const char* name : {"QRLBL1_8", "QRLBL1_9", "QRLBL1_01", "QRLBL1_05", "QRLBL1_10"})
        QVERIFY2(Label(form, name)->TextRect().right() < block.left(), name);
      for (int i = 1; i <= 11; ++i) {
        TQRLabel* line = Label(form, qPrintable(QStringLiteral("QRLBL1_S%1").arg(i, 2, 10, QChar('0'))));
        QCOMPARE(line->TextRect().top(), 312 + 16 * (i - 1));
        QVERIFY(line->TextRect().right() < kReportPageWidth - 40);
      }
      test::GrabPng(form, "report-surface");
    });
  }

  void zoomButtons() {
    Preview([&](TKDRQRForm* form) {
      auto* box = form->findChild<QScrollArea*>("SBOX1");
      auto* page = form->Page();
      // Shrunk: the box has the page's shape and the page fills its width.
      QVERIFY(!ReportFullSize);
      const PageBox fitted = FitPageBox(box->width(), box->height(), false);
      QCOMPARE(ReportZoom, ZoomForWidth(fitted.width));
      QCOMPARE(form->findChild<QRadioButton*>("RBTN2")->text(), QString::fromStdString(ShrinkCaption(ReportZoom)));
      QCOMPARE(page->Zoom(), ReportZoom);
      QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

      QTest::mouseClick(form->findChild<QRadioButton*>("RBTN1"), Qt::LeftButton);
      QVERIFY(ReportFullSize);
      QCOMPARE(ReportZoom, 100);
      QCOMPARE(page->size(), QSize(794, 1123));
      QCOMPARE(form->width(), 831);
      QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
      test::GrabPng(form, "report-full-size");

      QTest::mouseClick(form->findChild<QRadioButton*>("RBTN2"), Qt::LeftButton);
      QVERIFY(!ReportFullSize);
      QVERIFY(ReportZoom < 100);
    });
  }

  void fitsABoxOfAnyShape_data() {
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("fitted");
    QTest::addColumn<int>("zoom");
    QTest::newRow("tall") << QSize(401, 600) << QSize(401, 567) << 51;
    QTest::newRow("wide") << QSize(500, 600) << QSize(424, 600) << 53;
  }
  void fitsABoxOfAnyShape() {
    QFETCH(QSize, box);
    QFETCH(QSize, fitted);
    QFETCH(int, zoom);
    Preview([&](TKDRQRForm* form) {
      // The window less 16 × 68 is the preview box.
      form->resize(box.width() + 16, box.height() + 68);
      auto* sbox = form->findChild<QScrollArea*>("SBOX1");
      QCOMPARE(sbox->size(), fitted);
      QCOMPARE(ReportZoom, zoom);
      QCOMPARE(form->findChild<QRadioButton*>("RBTN2")->text(), QString("%1％縮小").arg(zoom));
    });
  }

  void thePageIsBuiltOncePerOpening() {
    Preview([&](TKDRQRForm* form) {
      const QString title = Text(form, "QRLBL1_1");
      Calc.Title = "別の計算";
      form->findChild<QTabWidget*>("PCON")->setCurrentIndex(0);
      form->SelectPage(0);
      QCOMPARE(Text(form, "QRLBL1_1"), title);
    });
    Preview([&](TKDRQRForm* form) { QVERIFY(Text(form, "QRLBL1_1").contains("別の計算")); });
  }

  void printingIntoAPdfFile() {
    Preview([&](TKDRQRForm* form) {
      test::PrintDialogSeen seen;
      test::AnswerPrintDialog(test::PrintAnswer::Yes, 0, &seen);
      QTest::mouseClick(form->findChild<QPushButton*>("BBTN1"), Qt::LeftButton);
      QCOMPARE(seen.height, 118);
      QVERIFY(!seen.scalingVisible);
      QCOMPARE(seen.label, QString("Kondra PDF（ＰＤＦファイル）でいいですか？"));
      QVERIFY(answers->Panel(0).endsWith("〔印刷完了〕"));
    });
    std::string bytes;
    QVERIFY(fs::ReadWhole(*pdfTarget, bytes));
    QVERIFY(bytes.starts_with("%PDF"));

    // Cancelled in the dialog: no file.
    fs::RemoveFile(*pdfTarget);
    Preview([&](TKDRQRForm* form) {
      test::AnswerPrintDialog(test::PrintAnswer::Cancel);
      QTest::mouseClick(form->findChild<QPushButton*>("BBTN1"), Qt::LeftButton);
    });
    QVERIFY(!fs::Exists(*pdfTarget));
  }
};

QTEST_MAIN(TestKDRQRForm)
#include "tst_KDRQRForm.moc"
