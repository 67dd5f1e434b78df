// The main window on a desktop with a window manager, where activation,
// framing and placement are the window manager's and clicks come through
// the X server: the input display after the report preview closes, the
// humidity tool's room taken while a field is being edited, the name dialog
// closed by one click after typing, the material editor's status bar inside
// its window and the windows opened beside a main window in the corner.
// Run by with-window-manager.sh.
#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "env/EditState.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "gui/mainwin/MainWindowDriver.h"
#include "materials/gui/EZAIForm.h"
#include "output/PrinterInfo.h"
#include "output/gui/Printing.h"
#include "report/KDRQRForm.h"
#include "tools/DPForm.h"
#include "tools/HGForm.h"
#include "utilwin/INPForm.h"
#include "utilwin/MEMForm.h"

using namespace kondra;

namespace {

// A modal window only once the window manager has made it the active one.
template <typename T>
bool WithActiveModal(const std::function<void()>& open, const std::function<void(T*)>& inside,
                     const std::function<bool(T*)>& ready = {}) {
  return test::WithModal<T>(open, inside, [ready](T* window) { return window->isActiveWindow() && (!ready || ready(window)); });
}

// Pointer and keys through the X server, as a user's.
bool X(const QStringList& args) { return QProcess::execute("xdotool", args) == 0; }
bool ClickAt(QWidget* widget) {
  const QPoint at = widget->mapToGlobal(widget->rect().center());
  return X({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}
bool TypeKeys(const QString& text) { return X({"type", "--delay", "30", text}); }

bool Inside(const QRect& outer, const QRect& area) {
  return area.contains(outer.topLeft()) && area.contains(outer.bottomRight());
}

std::optional<PrinterFacts> PdfPrinter() { return PrinterFactsOf(kPdfPrinterName); }

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

  test::MainWindowDriver main;
  std::unique_ptr<test::BoxAnswers> boxes;

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    QVERIFY2(main.Install(), "the installation copy could not be started");
    AttachPrintingServices();
    InstallQtInputFace();  // the name dialog, as the program has it
    SetPrinterProbe(PdfPrinter);
    CheckPrinter();
    // The window manager frames the windows it manages.
    QWidget probe;
    probe.resize(200, 100);
    probe.show();
    QTRY_VERIFY_WITH_TIMEOUT(probe.frameGeometry() != probe.geometry(), 10000);
  }

  void init() {
    // The pointer away from every window: no control's hint in the status bar.
    X({"mousemove", "--sync", "1270", "1010"});
    test::ResetEditing();
    AdoptIndoor = false;
    HandedOverText.clear();
    boxes = std::make_unique<test::BoxAnswers>();
  }

  void cleanup() {
    CloseHumidityTool();
    CloseSaturationTool();
    FreeGuide();
    main.Discard();
    boxes.reset();
  }

  // Closing the report preview brings the window back to the input display.
  void reportPreviewClosesIntoInputMode() {
    QVERIFY(main.Open(main.workDir + "R1.KDR"));
    QVERIFY(main.EnterWall("報告書のあと"));
    QVERIFY(SaveCalcFile(CalcPath));
    main.form->RefreshScreen();
    QVERIFY(main.Calculate());
    QCOMPARE(main.form->DisplayMode(), 1);
    auto* preview = main.Find<QToolButton>("SBTN7");
    QVERIFY(preview->isEnabled());
    // Read for a moment, as a user does, then closed.
    bool shown = WithActiveModal<TKDRQRForm>([&] { test::ClickWidget(preview); }, [](TKDRQRForm*) { QTest::qWait(300); });
    QVERIFY(shown);
    QTRY_VERIFY(main.form->isActiveWindow());
    QTRY_COMPARE(main.form->DisplayMode(), 0);
    QVERIFY(Calc.Calculated);  // the results stay; only the display changed
    QVERIFY(main.Find<QWidget>("LBL14")->isVisible());
    QVERIFY2(boxes->Panel(0).contains("roraridev Ver.8.20"), qPrintable(boxes->Panel(0)));
  }

  // The room adopted while a condition field is being typed in reaches
  // side B once the window manager gives the main window back.
  void adoptedRoomArrivesWhileTyping() {
    QVERIFY(main.Open(main.workDir + "H1.KDR"));
    main.Type("EDIT1_1", "デスクトップでの採用");
    QVERIFY(test::ChooseFromList(main.Find<QComboBox>("CBOX1_1"), "外壁"));
    auto* sideA = main.Find<TEditEx>("EDIT1_2");
    QVERIFY(ClickAt(sideA));
    QTRY_VERIFY(sideA->hasFocus());
    X({"key", "ctrl+a"});
    QVERIFY(TypeKeys("3"));
    QTRY_VERIFY(sideA->text().contains('3'));
    QVERIFY(Edit.editing);

    main.Action("MNU_Humidity")->trigger();
    TDPForm* tool = HumidityTool();
    QVERIFY(tool);
    QTRY_VERIFY(tool->isActiveWindow());
    test::MoveBar(tool, "TBAR1", 26);
    QTest::mouseClick(tool->findChild<QRadioButton*>("RBTN1"), Qt::LeftButton);
    test::MoveBar(tool, "TBAR2", 55);
    boxes->answers = {MsgButton::Yes};
    QVERIFY(ClickAt(tool->findChild<QWidget*>("SBTN2")));
    QTRY_VERIFY(HumidityTool() == nullptr);

    QTRY_VERIFY_WITH_TIMEOUT(main.form->isActiveWindow(), 10000);
    QTRY_COMPARE(Calc.SideCond[2].Temp, 26.0f);
    QCOMPARE(Calc.SideCond[2].RelHum, 55.0f);
    QCOMPARE(Calc.SideCond[1].Temp, 3.0f);
    QCOMPARE(main.Find<TEditEx>("EDIT1_4")->text(), QString("26.0"));
    QVERIFY(!AdoptIndoor);
  }

  // Typing a name and clicking 確定 once stores the name and closes the
  // dialog: New then makes the file under that name.
  void nameDialogTakesTypeThenOneClick() {
    QVERIFY(main.Open(main.workDir + "N1.KDR"));
    bool closedByOneClick = false;
    const bool shown = WithActiveModal<TINPForm>(
        [&] { test::ClickWidget(main.Find<QToolButton>("SBTN1")); },
        [&](TINPForm* dialog) {
          auto* box = dialog->findChild<TEditEx*>("EDIT1_1");
          QVERIFY(ClickAt(box));
          QTRY_VERIFY(box->hasFocus());
          X({"key", "ctrl+a"});
          QVERIFY(TypeKeys("W2"));
          QTRY_COMPARE(box->text(), QString("W2"));
          QVERIFY(ClickAt(dialog->findChild<QPushButton*>("BTN1_1")));
          QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 3000);
          closedByOneClick = true;
        },
        [](TINPForm* dialog) { return dialog->findChild<TEditEx*>("EDIT1_1")->isVisible(); });
    QVERIFY(shown);
    QVERIFY(closedByOneClick);
    QTRY_VERIFY(Contains("W2.KDR", CalcPath));
    QVERIFY(fs::Exists(CalcPath));
  }

  // The editor's status bar, with its hints and remarks, lies inside the
  // editor's window.
  void editorStatusBarInsideItsWindow() {
    QVERIFY(main.Open(main.workDir + "E1.KDR"));
    QRect bar, window, client;
    QString picture;
    QVERIFY(WithActiveModal<TEZAIForm>([&] { main.Action("MNU_Material")->trigger(); },
                                 [&](TEZAIForm* editor) {
                                   auto* status = editor->findChild<QStatusBar*>("SBAR");
                                   QVERIFY(status && status->isVisible());
                                   bar = QRect(status->mapToGlobal(QPoint(0, 0)), status->size());
                                   window = editor->frameGeometry();
                                   client = editor->geometry();
                                   picture = test::GrabPng(editor, "material-editor");
                                 },
                                 [](TEZAIForm* e) { return e->Opened(); }));
    QVERIFY2(client.contains(bar), qPrintable(QString("bar %1,%2 %3x%4 in %5,%6 %7x%8")
                                                  .arg(bar.x()).arg(bar.y()).arg(bar.width()).arg(bar.height())
                                                  .arg(client.x()).arg(client.y()).arg(client.width())
                                                  .arg(client.height())));
    QVERIFY(Inside(window, main.form->screen()->availableGeometry()));
  }

  // Beside a main window in the screen's corner every window it opens starts
  // inside the screen, frame included.
  void windowsStayOnScreenBesideACornerWindow() {
    QVERIFY(main.Open(main.workDir + "C1.KDR"));
    QVERIFY(main.EnterWall("隅の窓"));
    QVERIFY(SaveCalcFile(CalcPath));
    main.form->RefreshScreen();
    main.Action("MNU_Top")->trigger();
    QTRY_COMPARE(main.form->frameGeometry().topLeft(), QPoint(0, 0));
    const QRect area = main.form->screen()->availableGeometry();

    main.Action("MNU_Humidity")->trigger();
    QTRY_VERIFY(HumidityTool() && HumidityTool()->isActiveWindow());
    QTRY_VERIFY2(Inside(HumidityTool()->frameGeometry(), area), "humidity tool");
    main.Action("MNU_SatCurve")->trigger();
    QTRY_VERIFY(SaturationTool() && SaturationTool()->isActiveWindow());
    QTRY_VERIFY2(Inside(SaturationTool()->frameGeometry(), area), "saturation tool");
    main.Action("MNU_Guide")->trigger();
    QTRY_VERIFY(GuideViewer() && GuideViewer()->isVisible());
    QTRY_VERIFY2(Inside(GuideViewer()->frameGeometry(), area), "guide");
    QRect editor;
    QVERIFY(WithActiveModal<TEZAIForm>([&] { main.Action("MNU_Material")->trigger(); },
                                 [&](TEZAIForm* e) {
                                   QTest::qWait(300);
                                   editor = e->frameGeometry();
                                 },
                                 [](TEZAIForm* e) { return e->Opened(); }));
    QVERIFY2(Inside(editor, area), "material editor");
    main.form->activateWindow();
    QTRY_VERIFY(main.form->isActiveWindow());
    QVERIFY(main.Calculate());
    QRect report;
    QVERIFY(WithActiveModal<TKDRQRForm>([&] { test::ClickWidget(main.Find<QToolButton>("SBTN7")); },
                                  [&](TKDRQRForm* r) {
                                    QTest::qWait(300);
                                    report = r->frameGeometry();
                                  }));
    QVERIFY2(Inside(report, area), "report preview");
  }
};

QTEST_MAIN(DesktopTest)
#include "wm_Desktop.moc"
