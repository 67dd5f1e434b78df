// The tool commands of the main window: the humidity tool's room condition
// taken into side B of the real window, the monthly weather and saturation
// windows opened once and brought forward, the report preview that waits for
// a saved, calculated file and a printer, and the material editor whose save
// offers to refresh the calculation's values.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <functional>
#include <memory>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "gui/mainwin/MainWindowDriver.h"
#include "env/FileSystem.h"
#include "materials/MaterialFiles.h"
#include "materials/gui/EZAIForm.h"
#include "output/PrinterInfo.h"
#include "output/gui/Printing.h"
#include "report/KDRQRForm.h"
#include "tools/DPForm.h"
#include "utilwin/MEMForm.h"
#include "utilwin/VERForm.h"
#include "tools/HGForm.h"
#include "tools/ToolPrinting.h"
#include "weather/Wmonth.h"

using namespace kondra;

namespace {

std::optional<PrinterFacts> NoPrinter() { return std::nullopt; }
std::optional<PrinterFacts> PdfPrinter() { return PrinterFactsOf(kPdfPrinterName); }

}  // namespace

class ToolCommandsTest : public QObject {
  Q_OBJECT

  test::MainWindowDriver main;
  std::unique_ptr<test::BoxAnswers> boxes;

  void UsePrinter(bool present) {
    SetPrinterProbe(present ? PrinterProbe(PdfPrinter) : PrinterProbe(NoPrinter));
    CheckPrinter();
  }

 private slots:
  void initTestCase() {
    QVERIFY2(main.Install(), "the installation copy could not be started");
    AttachPrintingServices();
  }

  void init() {
    test::ResetEditing();
    SetUnitSystem(kEngineeringUnits);
    AdoptIndoor = false;
    boxes = std::make_unique<test::BoxAnswers>();
    UsePrinter(true);
  }

  void cleanup() {
    CloseHumidityTool();
    CloseSaturationTool();
    delete MonthlyWeatherWindow();
    main.Discard();
    boxes.reset();
  }

  // The room the user adopts in the humidity tool is side B of the main
  // window when the window is active again.
  void humidityToolRoomBecomesSideB() {
    QVERIFY(main.Open(main.workDir + "H1.KDR"));
    main.Type("EDIT1_1", "室内条件の採用");
    QVERIFY(test::ChooseFromList(main.Find<QComboBox>("CBOX1_1"), "外壁"));  // the conditions come out
    main.Action("MNU_Humidity")->trigger();
    TDPForm* tool = HumidityTool();
    QVERIFY(tool);
    QVERIFY(test::ShowActive(tool));
    QTest::qWait(100);  // the main window's own activation settles first
    QTRY_VERIFY(tool->isActiveWindow());
    test::MoveBar(tool, "TBAR1", 24);  // the humidity is held meanwhile
    QTest::mouseClick(tool->findChild<QRadioButton*>("RBTN1"), Qt::LeftButton);  // now the temperature
    test::MoveBar(tool, "TBAR2", 45);
    boxes->answers = {MsgButton::Yes};
    QTest::mouseClick(tool->findChild<QWidget*>("SBTN2"), Qt::LeftButton);
    QTRY_VERIFY(HumidityTool() == nullptr);

    main.form->activateWindow();
    QTRY_VERIFY(main.form->isActiveWindow());
    QTRY_COMPARE(main.Find<TEditEx>("EDIT1_4")->text(), QString("24.0"));
    QCOMPARE(main.Find<TEditEx>("EDIT1_5")->text(), QString("45"));
    QCOMPARE(Calc.SideCond[2].Temp, 24.0f);
    QCOMPARE(Calc.SideCond[2].RelHum, 45.0f);
    QVERIFY(!AdoptIndoor);
    QVERIFY(DataModified);
    QVERIFY(main.Find<TEditEx>("EDIT1_4")->isVisible());
    QVERIFY(!main.Find<QWidget>("PNL_Mask")->isVisible());
    test::GrabPng(main.form, "main-adopted");
  }

  // The side windows are made once and brought forward afterwards.
  void sideWindowsOpenOnce() {
    QVERIFY(main.Open(main.workDir + "T1.KDR"));
    InitWeather();
    main.Action("MNU_Weather")->trigger();
    TMONForm* weather = MonthlyWeatherWindow();
    QVERIFY(weather);
    QTRY_VERIFY(weather->isVisible());
    QTRY_VERIFY(weather->Activated());
    const std::size_t notices = boxes->boxes.size();
    test::ClickWidget(main.Find<QToolButton>("SBTN_MWD"));
    QCOMPARE(MonthlyWeatherWindow(), weather);
    main.form->activateWindow();
    QTRY_VERIFY(main.form->isActiveWindow());
    test::ClickWidget(main.Find<QPushButton>("SBTN1_1"));
    QCOMPARE(MonthlyWeatherWindow(), weather);
    QTRY_VERIFY(weather->isActiveWindow());
    QCOMPARE(boxes->boxes.size(), notices);  // the notice of the first opening only
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) windows += qobject_cast<TMONForm*>(w) && w->isVisible();
    QCOMPARE(windows, 1);

    main.Action("MNU_SatCurve")->trigger();
    THGForm* curve = SaturationTool();
    QVERIFY(curve && curve->isVisible());
    main.Action("MNU_SatCurve")->trigger();
    QCOMPARE(SaturationTool(), curve);
  }

  // The report preview is there only for a saved, calculated file and a
  // known printer; it writes the three pictures of the report first.
  void reportPreviewNeedsFileResultsAndPrinter_data() {
    QTest::addColumn<bool>("printer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("calculated");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("everything") << true << true << true << true;
    QTest::newRow("no printer") << false << true << true << false;
    QTest::newRow("file not on disk") << true << false << true << false;
    QTest::newRow("not calculated") << true << true << false << false;
  }
  void reportPreviewNeedsFileResultsAndPrinter() {
    QFETCH(bool, printer);
    QFETCH(bool, saved);
    QFETCH(bool, calculated);
    QFETCH(bool, enabled);
    UsePrinter(printer);
    QCOMPARE(PrinterInfo.DeviceName.empty(), !printer);
    QVERIFY(main.Open(main.workDir + "R1.KDR"));
    QVERIFY(main.EnterWall("報告書の確認"));
    if (saved) QVERIFY(SaveCalcFile(CalcPath));
    main.form->RefreshScreen();
    if (calculated) QVERIFY(main.Calculate());
    QCOMPARE(main.Action("MNU_Preview")->isEnabled(), enabled);
    QCOMPARE(main.Find<QToolButton>("SBTN7")->isEnabled(), enabled);
    if (!enabled) return;

    bool built = false;
    const bool shown = test::WithModal<TKDRQRForm>([&] { test::ClickWidget(main.Find<QToolButton>("SBTN7")); },
                                             [&](TKDRQRForm* report) { built = report->Page() != nullptr; });
    QVERIFY2(shown, qPrintable(boxes->Texts().join('|')));
    QVERIFY(built);
    for (int n = 0; n <= 2; ++n)
      QVERIFY(fs::Exists(ResultDir + "Kondra(" + std::to_string(n) + ").EMF"));
    QVERIFY(Contains("R1", test::ReadCp932(ResultDir + kResultNameFile)));
    QVERIFY(ToolPrinterName() == PrinterInfo.DeviceName);
    QVERIFY(HardCopyAvailable());
  }

  // A save in the material editor offers to refresh the open calculation's
  // values; closing it without a save asks nothing.
  void materialEditorSaveOffersRefresh() {
    const std::string factory = test::ReadBytes(MaterialFilePath());
    QVERIFY(main.Open(main.workDir + "M1.KDR"));
    auto ready = [](TEZAIForm* editor) { return editor->Opened(); };

    QVERIFY(test::WithModal<TEZAIForm>([&] { main.Action("MNU_Material")->trigger(); }, [](TEZAIForm*) {}, ready));
    QVERIFY(!boxes->Texts().contains("現在の材料物性値を〔材料物性.DAT〕ファイルで更新しますか？"));

    boxes->boxes.clear();
    boxes->answers = {MsgButton::Yes, MsgButton::No};
    QVERIFY(test::WithModal<TEZAIForm>(
        [&] { main.Action("MNU_Material")->trigger(); },
        [](TEZAIForm* editor) {
          TStrGridEx* grid = editor->Grid();
          int plywood = 0;
          for (int row = 1; row < grid->RowCount() && !plywood; ++row)
            if (grid->Cells(1, row).trimmed() == "合板(例)") plywood = row;
          QVERIFY(plywood > 0);
          grid->SetTopRow(std::max(1, plywood - 3));
          test::ClickCell(grid, 2, plywood);
          TEditEx* edit = editor->CellEditor();
          QTRY_VERIFY(edit->isVisible() && edit->hasFocus());
          edit->selectAll();
          test::TypeText(edit, "0.2");
          test::PressKey(edit, Qt::Key_Return);
          auto* save = qobject_cast<QPushButton*>(editor->Component("BBTN1"));
          QVERIFY(save->isEnabled());
          QTest::mouseClick(save, Qt::LeftButton);
          QVERIFY(editor->SavedWhileOpen());
        },
        ready));
    QVERIFY2(boxes->Texts().contains("現在の材料物性値を〔材料物性.DAT〕ファイルで更新しますか？"),
             qPrintable(boxes->Texts().join('|')));
    QVERIFY(test::ReadBytes(MaterialFilePath()) != factory);
    test::WriteBytes(MaterialFilePath(), factory);
  }
  // The guide opens beside the window without blocking it, once; the version
  // box is modal and leaves the status bar empty.
  void guideAndVersionBox() {
    QVERIFY(main.Open(main.workDir + "V1.KDR"));
    main.Action("MNU_Guide")->trigger();
    TMEMForm* guide = GuideViewer();
    QVERIFY(guide);
    QTRY_VERIFY(guide->isVisible());
    QCOMPARE(guide->MemoFile(), GuideFilePath());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    main.form->activateWindow();
    QTRY_VERIFY(main.form->isActiveWindow());
    main.Action("MNU_Guide")->trigger();
    QCOMPARE(GuideViewer(), guide);

    QString program;
    QVERIFY(test::WithModal<TVERForm>([&] { main.Action("MNU_Version")->trigger(); },
                                [&](TVERForm* box) { program = box->findChild<QLabel*>("LBL2")->text(); }));
    QCOMPARE(program, Q(ProgramName));
    QVERIFY(boxes->Panel(0).trimmed().isEmpty());
  }

  // Closing the program frees every side window.
  void closingFreesTheSideWindows() {
    QVERIFY(main.Open(main.workDir + "F1.KDR"));
    InitWeather();
    for (const char* command : {"MNU_Humidity", "MNU_SatCurve", "MNU_Guide", "MNU_Weather"})
      main.Action(command)->trigger();
    QVERIFY(HumidityTool() && SaturationTool() && GuideViewer() && MonthlyWeatherWindow());
    QVERIFY(!DataModified);
    QVERIFY(main.form->close());
    QTRY_VERIFY(HumidityTool() == nullptr);
    QTRY_VERIFY(SaturationTool() == nullptr);
    QVERIFY(GuideViewer() == nullptr);
    QVERIFY(MonthlyWeatherWindow() == nullptr);
  }
};

QTEST_MAIN(ToolCommandsTest)
#include "tst_ToolCommands.moc"
