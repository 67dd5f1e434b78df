// Printing as a user meets it: the printer the program finds, the
// print-method dialog opened from a report and for a hard copy, changing the
// printer there, and a hard copy of a window printed into a PDF file.
#include <QLabel>
#include <QProcess>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QtTest>

#include <cerrno>
#include <memory>
#include <string>

#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Environment.h"
#include "env/Messages.h"
#include "gui/output/PrintDialogAnswer.h"
#include "gui/support/GuiTest.h"
#include "output/PrinterInfo.h"
#include "output/gui/Printing.h"
#include "support/TestEnv.h"

using namespace kondra;
using test::PrintAnswer;
using test::PrintDialogSeen;

namespace {

PrinterFacts Facts(const std::string& name) {
  std::optional<PrinterFacts> f = PrinterFactsOf(QString::fromUtf8(kPdfPrinterName));
  f->DeviceName = name;
  f->WritesPdf = false;
  return *f;
}

}  // namespace

class TestPrinting : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempFolder> temp;
  std::unique_ptr<test::BoxAnswers> answers;
  std::string printerName;
  std::optional<std::string> pdfTarget;
  int pdfAsked = 0;
  QByteArray savedCache;
  QStatusBar bar;

 private slots:
  void initTestCase() {
    savedCache = qgetenv("XDG_CACHE_HOME");
    SetProgramIdentity();
    DatDir = fs::FromNative(KONDRA_INSTALL_TREE) + "\\DATA\\DAT\\";
    QVERIFY2(fs::IsFile(DatDir + kPaperFileName), "the installation tree has not been built");
  }
  void cleanupTestCase() { qputenv("XDG_CACHE_HOME", savedCache); }

  void init() {
    temp = std::make_unique<test::TempFolder>();
    answers = std::make_unique<test::BoxAnswers>();
    QtFace().AttachStatusBar(&bar);
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(temp->native() + "cache"));
    SelectPrinter(QString::fromUtf8(kPdfPrinterName));
    SetPrinterProbe(nullptr);
    pdfTarget = temp->path() + "out.pdf";
    pdfAsked = 0;
    SetPdfFileDialog([this](QWidget*, const std::string&) {
      ++pdfAsked;
      return pdfTarget;
    });
    SetPrinterSetupDialog(nullptr);
    PrintMethod = pmCancelled;
  }
  void cleanup() {
    SetPrinterProbe(nullptr);
    SetPdfFileDialog(nullptr);
    SetPrinterSetupDialog(nullptr);
    answers.reset();
    temp.reset();
  }

  void theProgramsPdfPrinterIsAlwaysThere() {
    QVERIFY(PrinterNames().contains(QString::fromUtf8(kPdfPrinterName)));
    CheckPrinter();
    QCOMPARE(PrinterInfo.DeviceName, std::string(kPdfPrinterName));
    QVERIFY(PrinterInfo.IsPdf);
    // A4 at 600 dpi: 4961 × 7016 dots, the paper file's A4 row.
    QCOMPARE(PrinterInfo.PageWidth, 4961);
    QCOMPARE(PrinterInfo.PageHeight, 7016);
    QCOMPARE(PrinterInfo.PaperName, std::string("A4 (210x297mm) 縦"));
    QCOMPARE(PrinterInfo.PageWidthMm, 210);
    QCOMPARE(PrinterInfo.MarginLeftMm, 5);
    QVERIFY(answers->boxes.empty());
  }

  void withoutAnyPrinterNothingPrints() {
    SetPrinterProbe([] { return std::nullopt; });
    CheckPrinter();
    QCOMPARE(PrinterInfo.DeviceName, std::string());
    QCOMPARE(answers->Texts(), QStringList{QString::fromUtf8(kNoPrinterText)});
    QCOMPARE(answers->boxes.back().kind, 3);

    PrintDialogSeen seen;
    test::AnswerPrintDialog(PrintAnswer::Yes, 0, &seen);
    QVERIFY(!AskPrintMethod(0));
    QTest::qWait(50);
    QVERIFY(!seen.shown);
    QWidget window;
    window.resize(100, 50);
    HardCopyForm(&window);
    QTest::qWait(50);
    QCOMPARE(pdfAsked, 0);
    QVERIFY(!fs::Exists(*pdfTarget));
  }

  void dialogLookFromAReportAndForAHardCopy_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("scaling");
    QTest::addColumn<QString>("label");
    QTest::newRow("report, Acrobat") << 0 << "Adobe Acrobat" << 118 << false << "Adobe Acrobat（ＰＤＦファイル）でいいですか？";
    QTest::newRow("hard copy, printer") << 1 << "Office Laser" << 217 << true << "Office Laser（プリンター）の準備はいいですか？";
    QTest::newRow("report, printer") << 0 << "Office Laser" << 118 << false << "Office Laser（プリンター）の準備はいいですか？";
  }
  void dialogLookFromAReportAndForAHardCopy() {
    QFETCH(int, mode);
    QFETCH(QString, printer);
    QFETCH(int, height);
    QFETCH(bool, scaling);
    QFETCH(QString, label);
    const std::string name = printer.toStdString();
    SetPrinterProbe([name] { return Facts(name); });
    PrintDialogSeen seen;
    test::AnswerPrintDialog(PrintAnswer::Cancel, 0, &seen,
                            [&](TPRYNForm* dialog) { test::GrabPng(dialog, QStringLiteral("print-dialog-%1").arg(mode)); });
    QVERIFY(!AskPrintMethod(mode));
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, QString("印刷方法の指定"));
    QCOMPARE(seen.width, 440);
    QCOMPARE(seen.height, height);
    QCOMPARE(seen.scalingVisible, scaling);
    QCOMPARE(seen.label, label);
    QCOMPARE(PrinterInfo.DialogMode, mode);
  }

  void answersAndScalings_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("method");
    QTest::newRow("yes, proportional") << int(PrintAnswer::Yes) << 0 << true << 1;
    QTest::newRow("yes, fit") << int(PrintAnswer::Yes) << 1 << true << 2;
    QTest::newRow("yes, none") << int(PrintAnswer::Yes) << 2 << true << 3;
    QTest::newRow("cancel") << int(PrintAnswer::Cancel) << 1 << false << 0;
    QTest::newRow("close box") << int(PrintAnswer::CloseBox) << 1 << false << 0;
  }
  void answersAndScalings() {
    QFETCH(int, answer);
    QFETCH(int, item);
    QFETCH(bool, yes);
    QFETCH(int, method);
    PrintMethod = 3;
    test::AnswerPrintDialog(PrintAnswer(answer), item);
    QCOMPARE(AskPrintMethod(1), yes);
    QCOMPARE(PrintMethod, method);
    QCOMPARE(MsgYes, yes);
    QCOMPARE(MsgCancel, !yes);
  }

  void changingThePrinterInTheDialog() {
    printerName = "Office Laser";
    SetPrinterProbe([this] { return Facts(printerName); });
    SetPrinterSetupDialog([this](QWidget*) {
      printerName = "Acrobat Distiller";
      return true;
    });
    QString before, after;
    test::AnswerPrintDialog(PrintAnswer::Cancel, 0, nullptr, [&](TPRYNForm* dialog) {
      auto* label = dialog->findChild<QLabel*>("LBL1");
      before = label->text();
      QTest::mouseClick(dialog->findChild<QPushButton*>("SBTN1"), Qt::LeftButton);
      after = label->text();
    });
    AskPrintMethod(0);
    QCOMPARE(before, QString("Office Laser（プリンター）の準備はいいですか？"));
    QCOMPARE(after, QString("Acrobat Distiller（ＰＤＦファイル）でいいですか？"));
    QCOMPARE(PrinterInfo.DeviceName, std::string("Acrobat Distiller"));
  }

  void hardCopyIntoAPdfFile_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("redRight");  // last red column at 60 dpi, from the printable corner
    // Window 192 × 96 pixels; printable area from 5 mm (11.8 dots at 60 dpi).
    QTest::newRow("proportional") << 0 << 12 + 120;  // 2 inches wide
    QTest::newRow("fit to page") << 1 << 12 + 472;   // the printable width, 200 mm
  }
  void hardCopyIntoAPdfFile() {
    QFETCH(int, item);
    QFETCH(int, redRight);
    QWidget window;
    window.setWindowTitle("画面");
    window.setFixedSize(192, 96);
    window.setStyleSheet("background: red");
    window.setAutoFillBackground(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    test::AnswerPrintDialog(PrintAnswer::Yes, item);
    HardCopyForm(&window);
    QCOMPARE(pdfAsked, 1);
    std::string bytes;
    QVERIFY(fs::ReadWhole(*pdfTarget, bytes));
    QVERIFY(bytes.starts_with("%PDF"));
    QVERIFY(fs::IsFile(fs::UserCacheFolder() + "WinCRT.BMP"));
    QVERIFY(answers->Panel(0).endsWith("〔画面ハードコピー印刷完了〕"));

    const QString exe = QStandardPaths::findExecutable("pdftoppm");
    if (exe.isEmpty()) QSKIP("pdftoppm is not installed");
    const QString png = QString::fromStdString(temp->native() + "page");
    QCOMPARE(QProcess::execute(exe, {"-r", "60", "-png", "-singlefile", QString::fromStdString(fs::ToNative(*pdfTarget)), png}), 0);
    QImage page(png + ".png");
    QVERIFY(!page.isNull());
    auto red = [&](int x, int y) {
      QColor c = page.pixelColor(x, y);
      return c.red() > 200 && c.green() < 60 && c.blue() < 60;
    };
    QVERIFY(!red(6, 20));            // the unprintable border stays white
    QVERIFY(red(16, 20));            // the image starts at the printable corner
    QVERIFY(red(redRight - 3, 20));  // … and is as wide as the scaling makes it
    QVERIFY(!red(redRight + 3, 20));
  }

  void cancelledPrintsAndWritesNothing() {
    QWidget window;
    window.resize(100, 50);
    test::AnswerPrintDialog(PrintAnswer::Cancel);
    HardCopyForm(&window);
    QVERIFY(!fs::Exists(*pdfTarget));
    QVERIFY(!fs::Exists(fs::UserCacheFolder() + "WinCRT.BMP"));

    // Cancelling the PDF file's choice prints nothing either.
    pdfTarget.reset();
    test::AnswerPrintDialog(PrintAnswer::Yes);
    HardCopyForm(&window);
    QCOMPARE(pdfAsked, 1);
    QVERIFY(!answers->Panel(0).contains("完了"));
  }

  void aPdfThatCannotBeWrittenIsReported() {
    QWidget window;
    window.resize(100, 50);
    fs::SetFaultHook([](fs::Op op, const std::string& path) {
      return op == fs::Op::WriteData && path.find("out.pdf") != std::string::npos ? ENOSPC : 0;
    });
    test::AnswerPrintDialog(PrintAnswer::Yes);
    HardCopyForm(&window);
    fs::SetFaultHook(nullptr);
    QVERIFY(!fs::Exists(*pdfTarget));
    QCOMPARE(answers->boxes.size(), std::size_t(1));
    QVERIFY(answers->Texts().front().contains("out.pdf"));
    QCOMPARE(answers->boxes.front().kind, 4);
  }
  // A report window of another kind: three pages of plain widgets, found by
  // their names.
  void reportServicesOnAThreePageWindow() {
    QWidget form;
    form.setMaximumWidth(831);
    auto* pages = new QTabWidget(&form);
    pages->setObjectName("PCON");
    auto* print = new QPushButton("印刷(&P)...", &form);
    print->setObjectName("BBTN1");
    auto* shrink = new QRadioButton(&form);
    shrink->setObjectName("RBTN2");
    for (int n = 1; n <= 3; ++n) {
      auto* box = new QScrollArea;
      box->setObjectName(QStringLiteral("SBOX%1").arg(n));
      auto* page = new QWidget;
      page->setObjectName(QStringLiteral("QREP%1").arg(n));
      page->resize(794, 1123);
      box->setWidget(page);
      for (const char* suffix : {"E", "N", "F"}) {
        auto* label = new QLabel("old", page);
        label->setObjectName(QStringLiteral("QRLBL%1_%2").arg(n).arg(suffix));
      }
      pages->addTab(box, QStringLiteral("頁%1").arg(n));
    }
    CheckPrinter();
    InitReportWindow(&form);
    QCOMPARE(form.size(), QSize(417, 626));
    QCOMPARE(ReportPageCount, 3);
    QCOMPARE(ReportPage, 0);
    QCOMPARE(ReportZoom, 50);
    QCOMPARE(print->toolTip(), QString("プリンター機種：<Kondra PDF>"));
    for (int n = 1; n <= 3; ++n) QCOMPARE(ReportLabelText(&form, QStringLiteral("QRLBL%1_E").arg(n)), QString());

    ReportPage = 2;
    SetReportFooter(&form, "C:\\calc\\W1.KDR");
    QVERIFY(ReportLabelText(&form, "QRLBL2_E").endsWith(" Kondra Ver.8.20 2/3"));
    QCOMPARE(ReportLabelText(&form, "QRLBL2_N"), QString::fromStdString(UserName));
    QCOMPARE(ReportLabelText(&form, "QRLBL2_F"), QString("C:\\calc\\W1.KDR"));
    QCOMPARE(ReportLabelText(&form, "QRLBL1_N"), QString("old"));

    auto* box = form.findChild<QScrollArea*>("SBOX2");
    box->resize(401, 600);
    FitReportPage(&form);
    QCOMPARE(ReportZoom, 51);
    QCOMPARE(form.size(), QSize(417, 635));
    QCOMPARE(shrink->text(), QString("51％縮小"));
    QCOMPARE(form.findChild<QWidget*>("QREP2")->property("zoom").toInt(), 51);

    // Printing a page drawn by its own painter.
    bool painted = false;
    test::AnswerPrintDialog(PrintAnswer::Yes);
    PrintReportPainter(&form, [&](QPaintDevice* device) {
      painted = device->width() > 4000;
      QPainter painter(device);
      painter.drawText(100, 100, "page");
    });
    QVERIFY(painted);
    std::string bytes;
    QVERIFY(fs::ReadWhole(*pdfTarget, bytes));
    QVERIFY(bytes.starts_with("%PDF"));
    QVERIFY(answers->Panel(0).endsWith("〔印刷完了〕"));
  }
};

QTEST_MAIN(TestPrinting)
#include "tst_Printing.moc"
