// Paths a user takes through the main window in a normal day, each on the
// wired window as the program builds it: the room of the humidity tool
// adopted while a field is being edited, the status bar under the pointer's
// hints, the legend of result table A, a material saved in the editor and
// then chosen in the layer grid, the unit list in the result displays, the
// part list, the toolkit's dialogs in Japanese, the program's message boxes
// and the windows it opens beside a main window in the screen's corner.
#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "controls/CBoxEx.h"
#include "controls/Desktop.h"
#include "env/EditState.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "gui/mainwin/MainWindowDriver.h"
#include "mainwin/HJUNITFM.h"
#include "materials/MaterialFiles.h"
#include "materials/gui/EZAIForm.h"
#include "output/Palette.h"
#include "output/gui/QtCanvas.h"
#include "tools/DPForm.h"
#include "tools/HGForm.h"
#include "utilwin/MEMForm.h"

using namespace kondra;

namespace {

// Types into a cell of the material editor's grid and commits it with Enter.
void TypeMaterialCell(TEZAIForm* editor, int col, int row, const QString& text) {
  test::ClickCell(editor->Grid(), col, row);
  TEditEx* edit = editor->CellEditor();
  QTRY_VERIFY(edit->isVisible() && edit->hasFocus());
  edit->selectAll();
  test::TypeText(edit, text);
  test::PressKey(edit, Qt::Key_Return);
}

bool Inside(const QRect& outer, const QRect& area) { return area.contains(outer.topLeft()) && area.contains(outer.bottomRight()); }

}  // namespace

class UserPathsTest : public QObject {
  Q_OBJECT

  test::MainWindowDriver main;
  std::unique_ptr<test::BoxAnswers> boxes;

  QStatusBar* Bar() const { return main.form->StatusBar(); }
  // The four panels as shown: each visible, with its text.
  QStringList ShownPanels() const {
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
      auto* panel = Bar()->findChild<QLabel*>(QStringLiteral("SBAR_Panel%1").arg(i));
      shown << (panel && panel->isVisible() ? panel->text() : QStringLiteral("<hidden>"));
    }
    return shown;
  }
  TCBoxEx* UnitList() const { return main.form->findChild<THJUNITFrame*>("HJUNITFM")->CBOX; }

  // A title and a part class, so that the conditions can be typed.
  void StartCalculation(const char* file, const QString& title) {
    QVERIFY(main.Open(main.workDir + file));
    main.Type("EDIT1_1", title);
    QVERIFY(test::ChooseFromList(main.Find<QComboBox>("CBOX1_1"), "外壁"));
  }

 private slots:
  void initTestCase() { QVERIFY2(main.Install(), "the installation copy could not be started"); }

  void init() {
    test::ResetEditing();
    SetUnitSystem(kEngineeringUnits);
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

  // The room adopted in 結露の話 becomes side B's, however the user left the
  // main window: with a field entered, with a value typed and not yet
  // committed (which is then taken as leaving the field takes it), with a
  // cell editor of the layer grid open.
  void adoptedRoomArrivesWhileEditing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("sideATemp");
    QTest::newRow("entered only") << "EDIT1_2" << "" << 0.0f;
    QTest::newRow("typed, not committed") << "EDIT1_2" << "5" << 5.0f;
    QTest::newRow("side B itself typed") << "EDIT1_4" << "15" << 0.0f;
    QTest::newRow("thickness cell open") << "EDIT2_1" << "" << 0.0f;
  }
  void adoptedRoomArrivesWhileEditing() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(float, sideATemp);
    StartCalculation("H1.KDR", "採用と編集");
    main.Type("EDIT1_2", "0");
    QVERIFY(main.ChooseMaterial(1, "外側(αo=20)"));
    QVERIFY(main.ChooseMaterial(2, "合板(例)"));
    main.TypeThickness(2, "12");
    TEditEx* edit = nullptr;
    if (field == "EDIT2_1") {
      test::ClickCell(main.Find<TStrGridEx>("STRG2_1"), 2, 2);
      edit = main.Find<TEditEx>("EDIT2_1");
      QTRY_VERIFY(edit->isVisible());
    } else {
      edit = main.Find<TEditEx>(qPrintable(field));
      test::ClickWidget(edit);
      edit->selectAll();
      if (!typed.isEmpty()) test::TypeText(edit, typed);
    }
    QVERIFY(Edit.editing);

    main.Action("MNU_Humidity")->trigger();
    TDPForm* tool = HumidityTool();
    QVERIFY(tool);
    QVERIFY(test::ShowActive(tool));
    QTRY_VERIFY(tool->isActiveWindow());
    test::MoveBar(tool, "TBAR1", 24);
    QTest::mouseClick(tool->findChild<QRadioButton*>("RBTN1"), Qt::LeftButton);
    test::MoveBar(tool, "TBAR2", 45);
    boxes->answers = {MsgButton::Yes};
    QTest::mouseClick(tool->findChild<QWidget*>("SBTN2"), Qt::LeftButton);
    QTRY_VERIFY(HumidityTool() == nullptr);

    main.form->activateWindow();
    QTRY_VERIFY(main.form->isActiveWindow());
    QTRY_COMPARE(Calc.SideCond[2].Temp, 24.0f);
    QCOMPARE(Calc.SideCond[2].RelHum, 45.0f);
    QCOMPARE(main.Find<TEditEx>("EDIT1_4")->text(), QString("24.0"));
    QCOMPARE(main.Find<TEditEx>("EDIT1_5")->text(), QString("45"));
    QCOMPARE(Calc.SideCond[1].Temp, sideATemp);
    QCOMPARE(Calc.LayerData[2].Thickness, 12.0f);
    QVERIFY(!AdoptIndoor);
    QVERIFY(!main.Find<TEditEx>("EDIT2_1")->isVisible());
    // The field the user comes back to starts a fresh edit: Enter keeps
    // what arrived.
    if (auto* focused = qobject_cast<TEditEx*>(QApplication::focusWidget())) test::PressKey(focused, Qt::Key_Return);
    QCOMPARE(Calc.SideCond[2].Temp, 24.0f);
    QCOMPARE(Calc.SideCond[1].Temp, sideATemp);
    QVERIFY(!boxes->Texts().contains(Q(kHandoverLost)));
  }

  // A raised flag whose text cannot be read is said, not dropped silently.
  void unreadableHandoverIsSaid() {
    StartCalculation("H2.KDR", "読めない受け渡し");
    const float before = Calc.SideCond[2].Temp;
    QWidget other;
    other.resize(100, 50);
    QVERIFY(test::ShowActive(&other));
    Edit.newText = std::string(3, '?');  // no room in it
    AdoptIndoor = true;
    main.form->activateWindow();
    QTRY_VERIFY(main.form->isActiveWindow());
    QTRY_VERIFY(boxes->Texts().contains(Q(kHandoverLost)));
    QCOMPARE(Calc.SideCond[2].Temp, before);
    QVERIFY(!AdoptIndoor);
  }

  // Hints of the controls go into panel 0; the change state, the mode and
  // the file name stay in their panels, while the pointer is over a control,
  // after it left and after a choice in the unit list.
  void hintsLeaveTheOtherPanels() {
    StartCalculation("S1.KDR", "ヒントと状態表示");
    ShowStatus("〔計算条件表示〕");
    const QStringList before = ShownPanels();
    QCOMPARE(before[1], QString("変更あり"));
    QVERIFY(before[3].contains("S1"));

    TCBoxEx* units = UnitList();
    QTest::mouseMove(units);
    QTRY_VERIFY(ShownPanels()[0].contains("入力・表示単位系（工学単位）"));
    QCOMPARE(ShownPanels().mid(1), before.mid(1));
    QVERIFY(Bar()->currentMessage().isEmpty());

    QTest::mouseMove(main.Find<QWidget>("GBOX3"));
    QTRY_COMPARE(ShownPanels(), before);

    // A hint that arrives while a field is edited keeps the editing panels.
    QStatusTipEvent tip("説明文");
    QApplication::sendEvent(main.form->findChild<THJUNITFrame*>("HJUNITFM")->SBTN, &tip);
    QCOMPARE(ShownPanels().mid(1), before.mid(1));
    QVERIFY(ShownPanels()[0].endsWith("説明文"));
    QStatusTipEvent gone("");
    QApplication::sendEvent(main.form->findChild<THJUNITFrame*>("HJUNITFM")->SBTN, &gone);
    QCOMPARE(ShownPanels(), before);

    QVERIFY(test::ChooseFromList(units, Q(kSIUnits)));
    QTRY_COMPARE(Q(UnitSystemName), Q(kSIUnits));
    const QStringList after = ShownPanels();
    QVERIFY(!after.contains("<hidden>"));
    QCOMPARE(after[1], QString("変更あり"));
    QVERIFY(after[3].contains("S1"));
    QVERIFY(Bar()->currentMessage().isEmpty());
    // Typing on shows the change state in its panel again and again.
    main.Type("EDIT1_3", "70");
    QCOMPARE(ShownPanels()[1], QString("変更あり"));
    QVERIFY(ShownPanels()[3].contains("S1"));
  }

  // Refreshing the materials changes the calculation: the change panel says
  // so as the notice appears.
  void refreshedMaterialsShowTheChange() {
    QVERIFY(main.Open(main.workDir + "U1.KDR"));
    QVERIFY(main.EnterWall("材料物性値の更新"));
    QVERIFY(SaveCalcFile(CalcPath));
    main.form->RefreshScreen();
    ShowStatus();
    QCOMPARE(boxes->Panel(1), QString("変更なし"));
    QString panelAtNotice;
    QtFace().SetBoxHook([&](const BoxRequest& request) {
      boxes->boxes.push_back(request);
      if (request.text == "材料物性値を更新しました。") panelAtNotice = boxes->Panel(1);
      return request.buttons == 1 ? MsgButton::Ok : MsgButton::Yes;
    });
    main.Action("MNU_Refresh")->trigger();
    QVERIFY(boxes->Texts().contains("材料物性値を更新しました。"));
    QCOMPARE(panelAtNotice, QString("変更あり"));
    QCOMPARE(boxes->Panel(1), QString("変更あり"));
    QVERIFY(main.Action("MNU_Save")->isEnabled());
  }

  // Table A's legend is drawn in the palette's colours, which the start-up
  // reads only after the window was made.
  void legendInPaletteColours() {
    // The program's order: the window first, then the start-up.
    Palette.fill(0);
    PaletteLoadedFrom.clear();
    EnvRow[20].clear();
    LastCalcFile = main.workDir + "L1.KDR";
    main.form = new TKDRForm;
    StartupOptions options;
    options.root = main.root->path();
    QVERIFY(StartProgram(options));
    LastCalcFile = main.workDir + "L1.KDR";
    WireMainWindow(*main.form);
    main.form->Startup(false);
    QVERIFY(test::ShowActive(main.form));
    QVERIFY(main.EnterWall("凡例の色"));
    QVERIFY(main.Calculate());
    auto* legend = main.Find<QLabel>("IMAG1");
    QVERIFY(legend->isVisible());
    const QImage picture = legend->pixmap().toImage();
    // The colour numbers of the four lines of table A's diagram.
    const int colours[] = {9, 10, 14, 12};
    for (int i = 1; i <= 4; ++i) {
      const QColor expected = ToQColor(ColorOf(colours[i - 1]));
      QVERIFY(expected != QColor(Qt::black));
      QCOMPARE(picture.pixelColor(72 * i - 33, 5).rgb(), expected.rgb());
    }
    test::GrabPng(main.form, "main-after-calc");
  }

  // A material named and saved in the editor is in the layer grid's list at
  // once, and choosing it stores that material.
  void materialSavedInTheEditorCanBeChosen() {
    const std::string factory = test::ReadBytes(MaterialFilePath());
    QVERIFY(main.Open(main.workDir + "N1.KDR"));
    const QString name = "試験断熱材";
    boxes->answers = {MsgButton::Yes, MsgButton::No};
    QVERIFY(test::WithModal<TEZAIForm>(
        [&] { main.Action("MNU_Material")->trigger(); },
        [&](TEZAIForm* editor) {
          TStrGridEx* grid = editor->Grid();
          int row = 0;
          for (int r = 1; r < grid->RowCount() && !row; ++r)
            if (grid->Cells(1, r).trimmed() == "-<未登録>-") row = r;
          QVERIFY(row > 0);
          grid->SetTopRow(std::max(1, row - 3));
          TypeMaterialCell(editor, 1, row, name);
          TypeMaterialCell(editor, 2, row, "0.04");
          TypeMaterialCell(editor, 4, row, "0.1");
          TypeMaterialCell(editor, 6, row, "16");
          TypeMaterialCell(editor, 7, row, "0.2");
          auto* save = qobject_cast<QPushButton*>(editor->Component("BBTN1"));
          QVERIFY(save->isEnabled());
          QTest::mouseClick(save, Qt::LeftButton);
          QVERIFY(editor->SavedWhileOpen());
        },
        [](TEZAIForm* editor) { return editor->Opened(); }));
    main.Type("EDIT1_1", "新しい材料");
    QVERIFY(test::ChooseFromList(main.Find<QComboBox>("CBOX1_1"), "外壁"));
    QVERIFY(main.ChooseMaterial(1, "外側(αo=20)"));
    const bool chosen = main.ChooseMaterial(2, name);
    test::WriteBytes(MaterialFilePath(), factory);
    QVERIFY(chosen);
    QCOMPARE(Q(Calc.LayerName[2]), name);
    QCOMPARE(main.Find<TStrGridEx>("STRG2_1")->Cells(1, 2), name);
    QCOMPARE(Calc.LayerData[2].Conductivity, 0.04f);
  }

  // The unit list can be used in the input display only, and looks so.
  void unitListLooksDisabledInResults() {
    QVERIFY(main.Open(main.workDir + "D1.KDR"));
    QVERIFY(main.EnterWall("単位系の表示"));
    TCBoxEx* units = UnitList();
    // Bright yellow: the box's face, away from its text and arrow.
    auto yellow = [units] {
      const QImage picture = units->grab().toImage();
      const QColor c = picture.pixelColor(picture.width() / 2, picture.height() - 4);
      return c.red() > 220 && c.green() > 220 && c.blue() < 140;
    };
    QVERIFY(units->isEnabled());
    QVERIFY(yellow());
    QVERIFY(main.Calculate());
    QVERIFY(!units->isEnabled());
    QVERIFY(!yellow());
    test::GrabPng(units, "unit-list-disabled");
  }

  // The part list is as wide as its longest entry.
  void partListShowsItsLongestEntry() {
    QVERIFY(main.Open(main.workDir + "P1.KDR"));
    auto* parts = main.Find<QComboBox>("CBOX1_1");
    QString longest;
    for (int i = 0; i < parts->count(); ++i)
      if (parts->fontMetrics().horizontalAdvance(parts->itemText(i)) > parts->fontMetrics().horizontalAdvance(longest))
        longest = parts->itemText(i);
    QVERIFY(longest.contains("天井(小屋裏に面する)"));
    QStyleOptionComboBox option;
    option.initFrom(parts);
    const QSize needed = parts->style()->sizeFromContents(
        QStyle::CT_ComboBox, &option, QSize(parts->fontMetrics().horizontalAdvance(longest), parts->height()), parts);
    QVERIFY2(parts->width() >= needed.width(), qPrintable(QString("%1 < %2").arg(parts->width()).arg(needed.width())));
    // It stays inside its group, clear of the title field.
    QWidget* group = main.Find<QWidget>("GBOX1");
    QVERIFY(group->rect().contains(parts->geometry()));
    QVERIFY(!parts->geometry().intersects(main.Find<QWidget>("EDIT1_1")->geometry()));
    main.Type("EDIT1_1", "天井の部位");
    QVERIFY(test::ChooseFromList(parts, longest.section(':', 1).isEmpty() ? longest : longest.section(':', 1)));
    QVERIFY(parts->currentText().contains("天井(小屋裏に面する)"));
    test::GrabPng(group, "part-list-longest");
  }

  // The toolkit's own dialogs speak Japanese in the program.
  void toolkitDialogsSpeakJapanese() {
    QVERIFY(main.Open(main.workDir + "J1.KDR"));
    QVERIFY(ToolkitSpeaksJapanese());
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("キャンセル"));
    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    QStringList texts;
    for (QLabel* label : colours.findChildren<QLabel*>()) texts << label->text();
    QVERIFY2(!texts.join('|').contains("Basic colors"), qPrintable(texts.join('|')));
    QVERIFY2(texts.join('|').contains("基本"), qPrintable(texts.join('|')));
  }

  // The program's questions stand whole on their lines: the overwrite
  // question with a long path is not broken inside a word.
  void messageBoxesKeepTheirLines_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("save with a long path")
        << QString("〔C:\\home\\engineer\\kondra\\CAL\\KDR\\木造外壁の結露検討（北面・２階）.KDR〕を上書き保存しますか？");
    QTest::newRow("two lines") << QString("サンプルファイルには保存できません。\r\r別のファイル名を指定して下さい。");
    QTest::newRow("discard") << QString("現在編集中のデータを廃棄してもいいですか？");
  }
  void messageBoxesKeepTheirLines() {
    QFETCH(QString, text);
    QVERIFY(main.Open(main.workDir + "B1.KDR"));
    boxes.reset();  // real boxes
    InstallQtMessageFace();
    int wrappedLines = -1;
    QRect geometry;
    QString picture;
    QTimer::singleShot(0, [&] {
      auto look = std::make_shared<std::function<void()>>();
      *look = [&, look] {
        QMessageBox* box = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
          if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
        if (!box) {
          QTimer::singleShot(10, *look);
          return;
        }
        QTest::qWait(50);
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        const int lineHeight = label->fontMetrics().lineSpacing();
        wrappedLines = label->height() / lineHeight;
        geometry = box->frameGeometry();
        picture = test::GrabPng(box, QString("message-box-") + QTest::currentDataTag());
        box->button(QMessageBox::NoButton);
        for (QAbstractButton* b : box->buttons())
          if (b->property("kondraAnswer").toInt() == static_cast<int>(MsgButton::Cancel) ||
              b->property("kondraAnswer").toInt() == static_cast<int>(MsgButton::Ok))
            b->click();
      };
      (*look)();
    });
    MsgBox(S(text), 2, 3);
    const int written = static_cast<int>(text.count('\r')) + 1;
    QCOMPARE(wrappedLines, written);
    QVERIFY(Inside(geometry, main.form->screen()->availableGeometry()));
    SetMessageFace(nullptr);
    boxes = std::make_unique<test::BoxAnswers>();
  }

  // Beside a main window in the screen's top-left corner, every window it
  // opens starts inside the screen.
  void windowsStayOnScreenBesideACornerWindow() {
    QVERIFY(main.Open(main.workDir + "C1.KDR"));
    main.Action("MNU_Top")->trigger();
    QTRY_COMPARE(main.form->frameGeometry().topLeft(), QPoint(0, 0));
    const QRect area = main.form->screen()->availableGeometry();

    main.Action("MNU_Humidity")->trigger();
    QVERIFY(HumidityTool());
    QTRY_VERIFY(HumidityTool()->isVisible());
    QVERIFY2(Inside(HumidityTool()->frameGeometry(), area), "humidity tool");
    main.Action("MNU_SatCurve")->trigger();
    QVERIFY(SaturationTool());
    QTRY_VERIFY(SaturationTool()->isVisible());
    QVERIFY2(Inside(SaturationTool()->frameGeometry(), area), "saturation tool");
    main.Action("MNU_Guide")->trigger();
    QVERIFY(GuideViewer());
    QTRY_VERIFY(GuideViewer()->isVisible());
    QVERIFY2(Inside(GuideViewer()->frameGeometry(), area), "guide");
    QRect editor;
    QVERIFY(test::WithModal<TEZAIForm>([&] { main.Action("MNU_Material")->trigger(); },
                                 [&](TEZAIForm* e) { editor = e->frameGeometry(); },
                                 [](TEZAIForm* e) { return e->Opened(); }));
    QVERIFY2(Inside(editor, area), "material editor");

    // A window pushed out by hand is brought back when shown.
    QWidget wide;
    wide.resize(300, 200);
    wide.move(area.right() - 100, area.bottom() - 50);
    wide.show();
    QTRY_VERIFY(Inside(wide.frameGeometry(), area));
  }

  void keptInsideMovesTheLeast_data() {
    QTest::addColumn<QRect>("outer");
    QTest::addColumn<QRect>("kept");
    const QRect area(0, 0, 800, 600);
    QTest::newRow("inside") << QRect(10, 10, 100, 100) << QRect(10, 10, 100, 100);
    QTest::newRow("left and above") << QRect(-30, -5, 100, 100) << QRect(0, 0, 100, 100);
    QTest::newRow("right and below") << QRect(750, 560, 100, 100) << QRect(700, 500, 100, 100);
    QTest::newRow("wider than the screen") << QRect(-50, 10, 900, 100) << QRect(0, 10, 900, 100);
  }
  void keptInsideMovesTheLeast() {
    QFETCH(QRect, outer);
    QFETCH(QRect, kept);
    QCOMPARE(KeptInside(outer, QRect(0, 0, 800, 600)), kept);
  }
};

QTEST_MAIN(UserPathsTest)
#include "tst_UserPaths.moc"
