// The material property editor as a user meets it, on a copy of the factory
// installation: the list in both unit systems, cell editing with its checks,
// the pickers, Save, Reload and Close, the wall check on opening, and the main
// window's follow-up after a save (the new material in the material list, a
// calculation with it, the refresh of the open calculation's materials).
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <filesystem>
#include <functional>

#include "calc/CalcFile.h"
#include "calc/CalcInput.h"
#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "controls/ImagEx.h"
#include "controls/QtText.h"
#include "controls/StrGEx.h"
#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Units.h"
#include "gui/support/GuiTest.h"
#include "materials/MaterialEditing.h"
#include "materials/MaterialFiles.h"
#include "materials/gui/EZAIForm.h"
#include "output/Palette.h"
#include "output/gui/QtCanvas.h"
#include "records/RecordStore.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

using namespace kondra;

namespace {

namespace sfs = std::filesystem;

int MaterialNumber(const std::string& name) {
  DataLoad(MaterialFilePath());
  return FindMaterial(name).number;
}

// Record 1 of 壁体構成.DAT: texts are a length byte and their CP932 bytes.
std::string WallRecord(const std::string& part, const std::vector<std::string>& layers) {
  auto text = [](const std::string& utf8, std::size_t max) {
    std::string bytes;
    ToCp932(utf8, bytes);
    std::string field(1, static_cast<char>(bytes.size()));
    bytes.resize(max, ' ');
    return field + bytes;
  };
  std::string record = text("木造外壁", 30) + text(part, 12);
  for (std::size_t k = 0; k < 8; ++k) record += text(k < layers.size() ? layers[k] : "", 12);
  record.resize(kWallRecordBytes, '\0');
  return record;
}

}  // namespace

class EZAIFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempFolder> root;
  std::unique_ptr<test::BoxAnswers> boxes;
  std::string factoryMaterials;
  TEZAIForm* form = nullptr;
  int plywood = 0;   // 合板(例), a user row
  int concrete = 0;  // 普通ｺﾝｸﾘｰﾄ, a row of the factory list
  int freeRow = 0;   // the first "-<未登録>-" row

  TStrGridEx* Grid() const { return form->Grid(); }
  QString Cell(int col, int row) const { return Grid()->Cells(col, row); }
  template <typename T = QWidget>
  T* Part(const char* name) const {
    return qobject_cast<T*>(form->Component(name));
  }
  std::string Stored(int row, int col) const { return form->Work().Cell(row, col); }

  void Open() {
    form = new TEZAIForm(nullptr);
    QVERIFY(test::ShowActive(form));
    QTRY_VERIFY(form->Opened());
  }

  // Clicks a cell (scrolled into view first) as a user does.
  void Click(int col, int row) {
    Grid()->SetTopRow(std::max(1, row - 3));
    test::ClickCell(Grid(), col, row);
  }

  // Clicks a cell, types into its editor and presses Enter.
  void Type(int col, int row, const QString& text) {
    Click(col, row);
    TEditEx* edit = form->CellEditor();
    QTRY_VERIFY(edit->isVisible() && edit->hasFocus());
    edit->selectAll();
    test::TypeText(edit, text);
    test::PressKey(edit, Qt::Key_Return);
    QTRY_VERIFY(!edit->isVisible());
  }

  void Save() {
    boxes->answers.push_back(MsgButton::Yes);
    QVERIFY(Part<QPushButton>("BBTN1")->isEnabled());
    QTest::mouseClick(Part<QPushButton>("BBTN1"), Qt::LeftButton);
    QVERIFY(boxes->Texts().contains("編集した〔材料物性.DAT〕を保存しますか？"));
  }

  void Grab(const QString& name) const {
    QTest::qWait(30);
    test::GrabPng(form, name);
  }

  // Runs `drive` on the editor once EditMaterialFile has opened it.
  bool RunEditor(const std::function<void()>& drive) {
    bool driven = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* open = qobject_cast<TEZAIForm*>(QApplication::activeModalWidget());
      if (!open || !open->Opened()) return;
      poll.stop();
      form = open;
      drive();
      driven = true;
      if (form->isVisible()) QTest::mouseClick(Part<QPushButton>("BTN1"), Qt::LeftButton);
    });
    poll.start();
    const bool saved = EditMaterialFile(nullptr);
    form = nullptr;
    [&] { QVERIFY(driven); }();
    return saved;
  }

  // A calculation of 外側, `name` of `mm` and 内側(αi=8), as the main window enters it.
  void EnterCalculation(const std::string& name, float mm) {
    NewCalcFile(CalcDir + "KDR\\EDITOR.KDR");
    QVERIFY(StoreTitle("材料編集の確認"));
    QVERIFY(StorePartClass(1));
    QVERIFY(StoreCondition(kItemTempA, 0));
    QVERIFY(StoreCondition(kItemHumA, 80));
    QVERIFY(StoreCondition(kItemTempB, 20));
    QVERIFY(StoreCondition(kItemHumB, 60));
    QVERIFY(StoreLayerMaterial(1, MaterialNumber("外側(αo=20)")));
    QVERIFY(StoreLayerMaterial(2, MaterialNumber(name)));
    QVERIFY(StoreLayerThickness(2, mm));
    QVERIFY(StoreLayerMaterial(3, MaterialNumber("内側(αi=8)")));
  }

 private slots:
  void initTestCase() {
    root = std::make_unique<test::TempFolder>();
    const sfs::path tree(KONDRA_INSTALL_TREE);
    QVERIFY2(sfs::exists(tree / "DATA" / "DAT"), "the installation tree has not been built");
    for (const char* folder : {"DATA", "CAL"})
      sfs::copy(tree / folder, sfs::path(root->native()) / folder, sfs::copy_options::recursive);
    StartupOptions options;
    options.root = root->path();
    QVERIFY(StartProgram(options));
    factoryMaterials = test::ReadBytes(MaterialFilePath());
    QVERIFY(!factoryMaterials.empty());
    plywood = MaterialNumber("合板(例)");
    concrete = MaterialNumber("普通ｺﾝｸﾘｰﾄ");
    freeRow = MaterialNumber(kFreeMaterialName);
    QVERIFY(plywood > 0 && concrete > 0 && freeRow > 0);
    fs::MakeFolders(CalcDir + "KDR\\");
  }

  void init() {
    test::ResetEditing();
    boxes = std::make_unique<test::BoxAnswers>();
    SetUnitSystem(kEngineeringUnits);
    test::WriteBytes(MaterialFilePath(), factoryMaterials);
    fs::RemoveFile(DatDir + kWallFileName);
    LastStatusMsg.clear();
  }

  void cleanup() {
    delete form;
    form = nullptr;
    boxes.reset();
    SetUnitSystem(kEngineeringUnits);
  }

  void laysOutTheWholeFile() {
    Open();
    QCOMPARE(form->windowTitle(), QString("壁体登録＆材料物性ファイルの編集"));
    QCOMPARE(form->objectName(), QString("EZAIForm"));
    QCOMPARE(Part("Client")->size(), QSize(691, 459));
    QCOMPARE(Part<QTabWidget>("PCON1")->tabText(0), QString("材料物性ファイル"));
    QCOMPARE(Grid()->geometry(), QRect(26, 12, 622, 324));
    QCOMPARE(Grid()->ColWidths(), QString("40 89 55 55 55 55 42 41 34 34 33 28 28"));
    QCOMPARE(Grid()->ColTitles(), (QStringList{" 材№", "  材料名", "熱伝導率", "熱抵抗", "透湿率", "透湿抵抗", "密度",
                                               "比熱", "区分", "ﾏｰｸ1", "ﾏｰｸ2", "色№", "模様"}));
    QCOMPARE(Grid()->Tag(), 2100);
    DataLoad(MaterialFilePath());
    QCOMPARE(Grid()->RowCount(), DT_RowCount + 1);
    QCOMPARE(Part<QLabel>("LBL2_1")->text(), QString("データ総数 %1").arg(DT_RowCount));
    QCOMPARE(Part<QLabel>("LBL2_3")->text(), QString("kcal/mhﾟC m2h℃/kcal g/mhmmHg m2hmmHg/g kg/m3 kcal/kg℃"));
    QCOMPARE(Part<QLabel>("TXT2")->text(), Q(DatDir));
    QCOMPARE(Part<QLabel>("PNL_SI")->text(), QString("工学単位"));
    QVERIFY(!Part<QPushButton>("BBTN1")->isEnabled());
    QVERIFY(!Part<QPushButton>("BTN2_3")->isEnabled());
    QVERIFY(Part("TXT3")->isHidden());
    QVERIFY(Part("PNL_Color")->isHidden());
    QCOMPARE(Part<QPushButton>("BBTN1")->toolTip(), QString("現在の表示内容を保存します。"));
    QCOMPARE(Part<QPushButton>("BTN1")->toolTip(), QString("編集を中止する"));
    QCOMPARE(Part<QPushButton>("BTN2_3")->toolTip(), QString("編集を中止してデータを読み込む"));
    QCOMPARE(Part<QToolButton>("SBTN2_1")->toolTip(), QString("材料№157へジャンプ"));
    QCOMPARE(boxes->Panel(3), QString("材料物性.DAT"));

    // Rows as the file holds them; heading rows show their name only.
    QCOMPARE(Cell(0, 1), QString("    1"));
    QCOMPARE(Cell(1, 1), QString("【熱伝達率】"));
    QCOMPARE(Cell(2, 1), QString());
    QCOMPARE(Cell(12, 1), QString());
    QCOMPARE(Cell(1, concrete), QString("普通ｺﾝｸﾘｰﾄ"));
    QCOMPARE(Cell(2, concrete), QString("1.376"));
    QCOMPARE(Cell(6, concrete), QString("2300"));
    QCOMPARE(Cell(8, concrete), QString("A"));
    QCOMPARE(Cell(1, freeRow), QString(kFreeMaterialName));
    QCOMPARE(Cell(2, freeRow), QString("-"));

    // The jump to the free rows.
    QTest::mouseClick(Part<QToolButton>("SBTN2_1"), Qt::LeftButton);
    QCOMPARE(Grid()->TopRow(), 156);
    Grid()->SetTopRow(1);
    Grab("EZAIForm-engineering");
  }

  void showsConstantsInSI() {
    SetUnitSystem(kSIUnits);
    Open();
    QCOMPARE(Part<QLabel>("PNL_SI")->text(), QString("ＳＩ単位"));
    QCOMPARE(Part<QLabel>("LBL2_3")->text(), QString("W/mﾟK     m2ﾟK/W   ng/msPa  m2sPa/ng  kg/m3  kJ/kgﾟK"));
    QCOMPARE(Cell(2, concrete), QString("1.600"));     // 1.376 × 1.16279
    QCOMPARE(Cell(4, concrete), QString("2.38"));      // 0.00114 × 2083.6, its three significant digits
    QCOMPARE(Cell(3, concrete), QString("-"));
    QCOMPARE(Cell(6, concrete), QString("2300"));      // density is never converted
    QCOMPARE(Cell(7, concrete), QString("0.88"));      // 0.21 kcal/(kg·℃) in kJ/(kg·K)
    QCOMPARE(Cell(3, 2), QString("0.04"));             // 外側(αo=20): r 0.05 × 0.86
    const int foil = MaterialNumber("ﾋﾞﾆﾙｸﾛｽ");
    QCOMPARE(Cell(5, foil), QString("0.010511"));      // rv 21.9 with six decimals
    Grid()->SetTopRow(concrete - 1);
    Grab("EZAIForm-SI");
  }

  void typesLambdaInSIAndStoresItInEngineeringUnits() {
    SetUnitSystem(kSIUnits);
    Open();
    QCOMPARE(Cell(2, plywood), QString("0.16"));
    Type(2, plywood, "0.035");
    QCOMPARE(Stored(plywood, 2), std::string("0.0301"));
    QCOMPARE(Cell(2, plywood), QString("0.0350"));
    QVERIFY(form->MaterialsModified());
    QVERIFY(Part("TXT3")->isHidden());
    Save();
    QVERIFY(!Part<QPushButton>("BBTN1")->isEnabled());
    QVERIFY(form->SavedWhileOpen());
    QVERIFY(!form->MaterialsModified());
    DataLoad(MaterialFilePath());
    QCOMPARE(DT_Cell[plywood][2], std::string("0.0301"));
    QCOMPARE(DT_ColCount, 12);
  }

  void aPermeabilityTooSmallForTheFileIsRefusedInSI() {
    SetUnitSystem(kSIUnits);
    Open();
    QCOMPARE(Cell(4, plywood), QString("3.3"));  // 0.0016 × 2083.6, two significant digits
    // 0.001 ng/(m·s·Pa) is 0.00000048 g/(m·h·mmHg): nothing but zeros in the
    // column's decimals.
    {
      test::StatusLog status;
      Type(4, plywood, "0.001");
      QVERIFY2(!status.texts.filter("入力値 0.001 は小さすぎて〔材料物性.DAT〕の桁数では 0 になるため、入力できません。").isEmpty(),
               qPrintable(status.texts.join("|")));
    }
    QCOMPARE(Stored(plywood, 4), std::string("0.0016"));
    QCOMPARE(Cell(4, plywood), QString("3.3"));
    QVERIFY(!form->MaterialsModified());
    // A small value the column can hold is stored and shown with its digit.
    Type(4, plywood, "0.01");
    QCOMPARE(Stored(plywood, 4), std::string("0.000005"));
    QCOMPARE(Cell(4, plywood), QString("0.01"));
    Grab("EZAIForm-SI-permeability");
  }

  void refusesBadValuesAndShowsWhatWasThere() {
    Open();
    struct Case {
      int col;
      const char* typed;
      const char* shown;
    } cases[] = {
        {6, "5a0", "550"},    // a density with a letter
        {2, "1-2", "0.14"},   // a λ that is no number
        {4, "", "0.0016"},    // nothing at all
        {7, "1.2.3", "0.311"},
    };
    for (const Case& c : cases) {
      Type(c.col, plywood, c.typed);
      QCOMPARE(Cell(c.col, plywood), QString(c.shown));
      QCOMPARE(Stored(plywood, c.col), S(c.shown));
    }
    QVERIFY(!form->MaterialsModified());
    QVERIFY(!Part<QPushButton>("BBTN1")->isEnabled());
    // A pattern beyond 7 is refused too.
    Type(12, plywood, "9");
    QCOMPARE(Cell(12, plywood), QString("0"));
    QVERIFY(!form->MaterialsModified());
  }

  void aRowWithoutLambdaAndRIsIncompleteAndCannotBeSaved() {
    Open();
    Type(2, plywood, "-");
    QCOMPARE(Stored(plywood, 2), std::string("-"));
    QVERIFY(form->MaterialsModified());
    QVERIFY(!Part("TXT3")->isHidden());
    QCOMPARE(Part<QLabel>("TXT3")->text(), QString("未入力あり"));
    QVERIFY(!Part<QPushButton>("BBTN1")->isEnabled());
    // A change in another row does not make the incomplete one savable.
    Type(6, plywood + 1, "20");
    QVERIFY(!Part("TXT3")->isHidden());
    QVERIFY(!Part<QPushButton>("BBTN1")->isEnabled());
    // Giving r makes the row complete again.
    Type(3, plywood, "0.09");
    QVERIFY(Part("TXT3")->isHidden());
    QVERIFY(Part<QPushButton>("BBTN1")->isEnabled());
  }

  void escRestoresTheTextAndKeepsTheEditorOpen() {
    Open();
    Click(2, plywood);
    TEditEx* edit = form->CellEditor();
    QTRY_VERIFY(edit->isVisible() && edit->hasFocus());
    edit->selectAll();
    test::TypeText(edit, "0.5");
    test::PressKey(edit, Qt::Key_Escape);
    QVERIFY(edit->isVisible());
    QVERIFY(form->isVisible());
    QCOMPARE(edit->text(), QString("0.14"));
    test::PressKey(edit, Qt::Key_Return);
    QTRY_VERIFY(!edit->isVisible());
    QCOMPARE(Stored(plywood, 2), std::string("0.14"));
    QVERIFY(!form->MaterialsModified());
  }

  void cellClicksOpenEditorsOnlyWhereUsersMayEdit() {
    Open();
    TEditEx* edit = form->CellEditor();
    // A heading row.
    Click(2, 1);
    QVERIFY(boxes->Panel(0).contains("この行は編集できません。"));
    QVERIFY(!edit->isVisible());
    QVERIFY(Part<QPushButton>("BTN2_3")->isEnabled());
    // A row of the factory list: the hint, no editor.
    Click(2, concrete);
    QVERIFY(boxes->Panel(0).contains("材料の熱伝導率（kcal/mh℃）です。"));
    QCOMPARE(Edit.itemCode, 2102);
    QVERIFY(!edit->isVisible());
    QCOMPARE(form->SelectedRow(), concrete);
    // The category of a user row is shown only.
    Click(8, plywood);
    QVERIFY(boxes->Panel(0).contains("材料の似かよったものをまとめた区分（A～H）です。"));
    QVERIFY(!edit->isVisible());
    // A free row is named first: its λ cell opens the name.
    Click(2, freeRow);
    QTRY_VERIFY(edit->isVisible());
    QCOMPARE(Edit.itemCode, 2101);
    QCOMPARE(Edit.column, 1);
    QVERIFY(boxes->Panel(0).contains("材料名です。（max=12文字）"));
    const QRect nameCell = Grid()->CellRect(1, freeRow);
    QCOMPARE(edit->geometry().left(), Grid()->x() + Grid()->ClientOrigin().x() + nameCell.left());
    QCOMPARE(edit->geometry().width(), 89);
  }

  void theHintsSpeakSIInSI() {
    SetUnitSystem(kSIUnits);
    Open();
    Click(2, concrete);
    QVERIFY2(boxes->Panel(0).contains("材料の熱伝導率（W/mﾟK）です。"), qPrintable(boxes->Panel(0)));
    Click(7, concrete);
    QVERIFY2(boxes->Panel(0).contains("材料の比熱（kJ/kgﾟK）です。"), qPrintable(boxes->Panel(0)));
  }

  void picksAColourFromThePalette() {
    Open();
    Click(11, plywood);
    QTRY_VERIFY(Part("PNL_Color")->isVisible());
    QVERIFY(Part("LBL_Color")->isVisible());
    TImageEx* palette = form->ColourPicture();
    QCOMPARE(palette->Bitmap().size(), QSize(256, 256));
    // Row 2, column 3 of the palette (counting from 0).
    const QPoint over(3 * 16 + 8, 2 * 16 + 8);
    QTest::mouseMove(palette, over);
    QTRY_COMPARE(Part<QLabel>("LBL_Color")->text(), QString(" 35"));
    QVERIFY(!form->CellEditor()->isVisible());
    Grab("EZAIForm-colours");
    QTest::mouseClick(palette, Qt::LeftButton, Qt::NoModifier, over);
    QCOMPARE(Stored(plywood, 11), std::string("35"));
    QCOMPARE(Cell(11, plywood), QString("35"));
    QVERIFY(Part("PNL_Color")->isHidden());
    QVERIFY(form->MaterialsModified());
    // The cell takes the colour.
    QTest::qWait(30);
    const QImage shot = Grid()->viewport()->grab().toImage();
    const QRect cell = Grid()->CellRect(11, plywood);
    QCOMPARE(QColor(shot.pixel(cell.right() - 1, cell.bottom() - 1)), ToQColor(ColorOf(35)));
    const QRect name = Grid()->CellRect(1, plywood);
    QCOMPARE(QColor(shot.pixel(name.right() - 1, name.bottom() - 1)), QColor(Qt::white));
    // The heading row above the user rows is on the button face.
    QCOMPARE(Cell(1, plywood - 1), QString("【ﾕｰｻﾞｰ用】"));
    const QRect heading = Grid()->CellRect(3, plywood - 1);
    QVERIFY(!heading.isEmpty());
    QCOMPARE(QColor(shot.pixel(heading.right() - 1, heading.bottom() - 1)), form->palette().color(QPalette::Button));
  }

  void picksAPattern() {
    Open();
    Click(12, plywood);
    QTRY_VERIFY(Part("PNL_Brush")->isVisible());
    TImageEx* patterns = form->PatternPicture();
    QTest::mouseMove(patterns, QPoint(40, 5 * 16 + 8));
    Grab("EZAIForm-patterns");
    QTest::mouseClick(patterns, Qt::LeftButton, Qt::NoModifier, QPoint(40, 5 * 16 + 8));
    QCOMPARE(Stored(plywood, 12), std::string("5"));
    QVERIFY(Part("PNL_Brush")->isHidden());
    Type(12, plywood, "2");
    QCOMPARE(Stored(plywood, 12), std::string("2"));
  }

  void reloadDropsTheChanges() {
    Open();
    Type(2, plywood, "0.2");
    QVERIFY(form->MaterialsModified());
    boxes->answers.push_back(MsgButton::No);
    QTest::mouseClick(Part<QPushButton>("BTN2_3"), Qt::LeftButton);
    QCOMPARE(Stored(plywood, 2), std::string("0.2"));
    boxes->answers.push_back(MsgButton::Yes);
    QTest::mouseClick(Part<QPushButton>("BTN2_3"), Qt::LeftButton);
    QVERIFY(boxes->Texts().contains("〔材料物性.DAT〕ファイルを読込み、再表示しますか？"));
    QCOMPARE(Stored(plywood, 2), std::string("0.14"));
    QCOMPARE(Cell(2, plywood), QString("0.14"));
    QVERIFY(!form->MaterialsModified());
    QVERIFY(!Part<QPushButton>("BBTN1")->isEnabled());
  }

  void savingAfterTheUnitExplanationKeepsTheMaterialLayout() {
    Open();
    test::ClickWidget(Part("PNL_SI"));
    QCOMPARE(boxes->boxes.size(), size_t(1));
    QVERIFY(boxes->Texts()[0].startsWith("【入力・表示単位系の説明】"));
    Type(7, plywood, "0.3");
    Save();
    DataLoad(MaterialFilePath());
    QCOMPARE(DT_ColCount, 12);
    QCOMPARE(DT_Cell[plywood][7], std::string("0.3"));
    QCOMPARE(DT_Name[concrete], std::string("普通ｺﾝｸﾘｰﾄ"));
  }

  void aSaveTheDiskRefusesKeepsTheChanges() {
    Open();
    Type(2, plywood, "0.2");
    fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::WriteData ? ENOSPC : 0; });
    Save();
    fs::SetFaultHook(nullptr);
    QCOMPARE(test::ReadBytes(MaterialFilePath()), factoryMaterials);
    QVERIFY(form->MaterialsModified());
    QVERIFY(!form->SavedWhileOpen());
    QVERIFY(Part<QPushButton>("BBTN1")->isEnabled());
    QCOMPARE(Stored(plywood, 2), std::string("0.2"));
    // Once the disk has room, the same changes are saved.
    Save();
    QVERIFY(form->SavedWhileOpen());
    DataLoad(MaterialFilePath());
    QCOMPARE(DT_Cell[plywood][2], std::string("0.2"));
  }

  void remarksUnknownMaterialsOfTheStoredWall() {
    DataLoad(PartClassFilePath());
    const std::string part = DT_Name[1];
    test::WriteBytes(DatDir + kWallFileName, WallRecord(part, {"外側(αo=20)", "謎の材料", "*", "合板(例)"}));
    Open();
    QCOMPARE(LastStatusMsg, std::string("<材料№2>の〔謎の材料〕は登録されていない材料名です。"));
    QCOMPARE(form->Work().RowCount, DT_RowCount);
  }

  void aNewMaterialIsListedAndCalculatesAfterSaving() {
    Open();
    QTest::mouseClick(Part<QToolButton>("SBTN2_1"), Qt::LeftButton);
    test::ClickCell(Grid(), 2, freeRow);  // opens the name
    TEditEx* edit = form->CellEditor();
    QTRY_VERIFY(edit->isVisible() && edit->hasFocus());
    edit->selectAll();
    test::TypeText(edit, "新断熱材");
    test::PressKey(edit, Qt::Key_Return);
    QTRY_VERIFY(!edit->isVisible());
    QVERIFY(!Part("TXT3")->isHidden());  // named, no constants yet
    Type(2, freeRow, "0.03");
    Type(4, freeRow, "0.05");
    Type(6, freeRow, "20");
    QVERIFY(!Part("TXT3")->isHidden());
    Type(7, freeRow, "0.2");
    QVERIFY(Part("TXT3")->isHidden());
    Save();
    QVERIFY(form->SavedWhileOpen());

    std::vector<std::string> list;
    QVERIFY(LoadMaterialList(list));
    QCOMPARE(list[static_cast<std::size_t>(freeRow - 1)], std::string("新断熱材"));

    EnterCalculation("新断熱材", 100);
    QVERIFY(RunCalculation());
    QVERIFY(Calc.Calculated);
    QVERIFY(qAbs(Calc.TotalThermalRes - (0.05f + 0.1f / 0.03f + 0.125f)) < 1e-4f);
    QVERIFY(qAbs(Calc.TotalVapourRes - (0.001f + 0.1f / 0.05f + 0.001f)) < 1e-4f);
  }

  void closingWithoutSavingLeavesTheFileAsItWas() {
    QStatusBar mainBar;
    QtFace().AttachStatusBar(&mainBar, {350, 80, 80, 50});
    StatusFileName = "EDITOR.KDR";
    const bool saved = RunEditor([&] {
      QCOMPARE(QtFace().StatusBar(), Part<QStatusBar>("SBAR"));
      Type(2, plywood, "0.2");
      Type(1, freeRow, "捨てる材料");
      QVERIFY(form->MaterialsModified());
    });
    QVERIFY(!saved);
    QCOMPARE(test::ReadBytes(MaterialFilePath()), factoryMaterials);
    QCOMPARE(QtFace().StatusBar(), &mainBar);
    QCOMPARE(StatusFileName, std::string("EDITOR.KDR"));
    QtFace().AttachStatusBar(nullptr);
  }

  void afterASaveTheMainWindowRefreshesTheCalculation() {
    EnterCalculation("合板(例)", 12);
    QVERIFY(RunCalculation());
    const float before = Calc.TotalThermalRes;
    const bool saved = RunEditor([&] { Type(2, plywood, "0.16"); Save(); });
    QVERIFY(saved);
    boxes->answers.push_back(MsgButton::Yes);  // "現在の材料物性値を…更新しますか？"
    QVERIFY(RefreshMaterials());
    QCOMPARE(Calc.LayerData[2].Conductivity, 0.16f);
    QVERIFY(RunCalculation());
    QVERIFY(qAbs(Calc.TotalThermalRes - (before - 0.012f / 0.14f + 0.012f / 0.16f)) < 1e-4f);
  }
};

QTEST_MAIN(EZAIFormTest)
#include "tst_EZAIForm.moc"
