#include "materials/gui/EZAIForm.h"

#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/Fonts.h"
#include "controls/ImagEx.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Text.h"
#include "env/Units.h"
#include "materials/MaterialFiles.h"
#include "output/Draw.h"
#include "output/Palette.h"
#include "output/gui/QtCanvas.h"
#include "records/TableFile.h"
#include "ui_EZAIForm.h"

namespace kondra {

namespace {

constexpr int kColumns = 13;
constexpr int kColWidths[kColumns] = {40, 89, 55, 55, 55, 55, 42, 41, 34, 34, 33, 28, 28};
const char* const kColTitles[kColumns] = {" 材№",   "  材料名", "熱伝導率", "熱抵抗", "透湿率", "透湿抵抗", "密度",
                                          "比熱",   "区分",     "ﾏｰｸ1",     "ﾏｰｸ2",   "色№",   "模様"};
constexpr std::array<int, 4> kPanelWidths = {370, 80, 80, 50};
constexpr int kJumpRow = 156;  // the heading above the first free row
constexpr int kPatternRow = 16;
constexpr int kPatterns = 8;

const char* const kSaveQuestion = "編集した〔材料物性.DAT〕を保存しますか？";
const char* const kReloadQuestion = "〔材料物性.DAT〕ファイルを読込み、再表示しますか？";
const char* const kNotEditable = "この行は編集できません。";

// The editor's byte limit for a column: the column's width in the file, so
// every value the file holds can be typed again and nothing typed is cut on
// saving; the usual widths where the file gives none.
int EditLimit(const TMaterialWork& work, int col) {
  const int width = work.Width(col);
  if (width > 0) return width;
  return col == 1 ? 12 : 6;
}

bool WholeNumber(const QString& text) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok);
  return ok && n >= 0;
}

}  // namespace

TEZAIForm::TEZAIForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TEZAIForm>()) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  setObjectName(QStringLiteral("EZAIForm"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

  auto* menu = new QMenuBar(this);
  menu->setObjectName(QStringLiteral("MainMenu"));
  menu->addMenu(QStringLiteral("ファイル(&F)"))->setEnabled(false);
  layout()->setMenuBar(menu);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  TStrGridEx* grid = ui->STRG2_1;
  grid->setColCount(kColumns);
  grid->setFixedCols(1);
  grid->setFixedRows(1);
  grid->setDefaultRowHeight(18);
  for (int c = 0; c < kColumns; ++c) {
    grid->SetColWidth(c, kColWidths[c]);
    grid->SetCells(c, 0, QString::fromUtf8(kColTitles[c]));
  }
  grid->setColor(Qt::white);
  grid->setScrollBars(TStrGridEx::ssBoth);
  connect(grid, &TStrGridEx::CellClicked, this, &TEZAIForm::STRG2_1Click);
  connect(grid, &TStrGridEx::DrawCell, this,
          [this](QPainter*, int col, int row, const QRect& rect, int) { DrawMaterialCell(col, row, rect); });

  ui->EDIT2_1_1->setCellFrame(true);
  ui->EDIT2_1_1->SetHost(this);

  ui->PNL_Color->hide();
  ui->LBL_Color->hide();
  ui->PNL_Brush->hide();
  ui->TXT3->hide();
  ui->IMAG_Color->setMouseTracking(true);
  ui->IMAG_Brush->setMouseTracking(true);
  connect(ui->IMAG_Color, &TImageEx::MouseMove, this,
          [this](Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) { PickerMove(11, ColourAt(x, y)); });
  connect(ui->IMAG_Color, &TImageEx::MouseUp, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (button == Qt::LeftButton) PickerCommit(ui->IMAG_Color, 11, ColourAt(x, y));
  });
  connect(ui->IMAG_Brush, &TImageEx::MouseMove, this,
          [this](Qt::MouseButtons, Qt::KeyboardModifiers, int, int y) { PickerMove(12, PatternAt(y)); });
  connect(ui->IMAG_Brush, &TImageEx::MouseUp, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int, int y) {
    if (button == Qt::LeftButton) PickerCommit(ui->IMAG_Brush, 12, PatternAt(y));
  });

  connect(ui->BBTN1, &QPushButton::clicked, this, &TEZAIForm::BBTN1Click);
  connect(ui->BTN2_3, &QPushButton::clicked, this, &TEZAIForm::BTN2_3Click);
  connect(ui->BTN1, &QPushButton::clicked, this, &TEZAIForm::BTN1Click);
  connect(ui->SBTN2_1, &QToolButton::clicked, this, [this] { ui->STRG2_1->SetTopRow(kJumpRow); });
  ui->PNL_SI->installEventFilter(this);

  // Opening: where the file lies, the unit system, the working copy.
  ui->TXT2->setText(Q(DatDir));
  ui->PCON1->setCurrentWidget(ui->TabSheet2);
  ui->PNL_SI->setText(Q(UnitSystemName));
  // The unit line runs under the column titles: half-width characters of
  // 5.5 pixels put each unit roughly over its 56-pixel column.
  QFont unitFont = ui->LBL2_3->font();
  unitFont.setPixelSize(11);
  ui->LBL2_3->setFont(unitFont);
  ui->LBL2_3->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  ui->LBL2_3->setText(Q(MaterialUnitLine()));
  LoadWork();
}

TEZAIForm::~TEZAIForm() { GiveBackStatusBar(); }

TStrGridEx* TEZAIForm::Grid() const { return ui->STRG2_1; }
TEditEx* TEZAIForm::CellEditor() const { return ui->EDIT2_1_1; }
TImageEx* TEZAIForm::ColourPicture() const { return ui->IMAG_Color; }
TImageEx* TEZAIForm::PatternPicture() const { return ui->IMAG_Brush; }
QWidget* TEZAIForm::Component(const char* name) const { return findChild<QWidget*>(QString::fromUtf8(name)); }

QString TEZAIForm::ItemHint(int itemCode) const { return Q(MaterialItemHint(itemCode)); }

// ---------------------------------------------------------------- opening and closing

void TEZAIForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  TakeStatusBar();
  if (!shownOnce_) {
    shownOnce_ = true;
    // After the window is on screen: the wall check's remarks wait in the status bar.
    QTimer::singleShot(0, this, &TEZAIForm::Open);
  }
}

void TEZAIForm::hideEvent(QHideEvent* event) {
  GiveBackStatusBar();
  QDialog::hideEvent(event);
}

void TEZAIForm::Open() {
  CheckWallMaterials();
  materialsModified_ = false;
  savedWhileOpen_ = false;
  ShowStatus();
  PointAtControl(ui->BTN1);
  opened_ = true;
}

void TEZAIForm::TakeStatusBar() {
  if (holdsStatusBar_) return;
  QtMessageFace& face = QtFace();
  formerBar_ = face.StatusBar();
  formerWidths_ = {};
  if (formerBar_) {
    for (int i = 0; i < 4; ++i)
      if (auto* panel = formerBar_->findChild<QLabel*>(QStringLiteral("SBAR_Panel%1").arg(i)))
        formerWidths_[static_cast<std::size_t>(i)] = panel->minimumWidth();
  }
  formerFileName_ = StatusFileName;
  face.AttachStatusBar(ui->SBAR, kPanelWidths);
  StatusFileName = kMaterialFileName;
  holdsStatusBar_ = true;
  ShowStatus();
}

void TEZAIForm::GiveBackStatusBar() {
  if (!holdsStatusBar_) return;
  holdsStatusBar_ = false;
  std::array<int, 4> widths = formerWidths_;
  if (widths[0] == 0) widths = {350, 80, 80, 50};
  QtFace().AttachStatusBar(formerBar_, widths);
  StatusFileName = formerFileName_;
  ShowStatus();
}

void TEZAIForm::reject() {
  // Closing drops the working copy: an edit in progress is dropped with it.
  AbandonEditing();
  HidePickers();
  QDialog::reject();
}

void TEZAIForm::BTN1Click() { reject(); }

// ---------------------------------------------------------------- the list

void TEZAIForm::LoadWork() {
  LoadMaterialWork(work_);
  changedRows_.clear();
  materialsModified_ = false;
  DisplayAll();
  RefreshChecks();
}

void TEZAIForm::DisplayRow(int row) {
  if (row < 1 || row > work_.RowCount) return;
  for (int c = 0; c < kColumns; ++c) ui->STRG2_1->SetCells(c, row, Q(MaterialCellText(work_, row, c)));
}

void TEZAIForm::DisplayAll() {
  TStrGridEx* grid = ui->STRG2_1;
  grid->setRowCount(work_.RowCount + 1);
  grid->ClearCells();
  for (int r = 1; r <= work_.RowCount; ++r) DisplayRow(r);
  ui->LBL2_1->setText(QStringLiteral("データ総数 %1").arg(work_.RowCount));
  grid->viewport()->update();
}

void TEZAIForm::DrawMaterialCell(int col, int row, const QRect& rect) {
  if (row < 1 || col < 1 || col >= kColumns) return;
  TStrGridEx* grid = ui->STRG2_1;
  QColor background = Qt::white;
  const QString text = grid->Cells(col, row);
  if (grid->Cells(2, row).isEmpty())
    background = palette().color(QPalette::Button);
  else if (col == 11 && WholeNumber(text))
    background = ToQColor(ColorOf(text.trimmed().toInt()));
  DrawCellText(grid, rect, background, text);
}

void TEZAIForm::RefreshChecks() {
  QStringList incomplete;
  for (int r : changedRows_)
    if (!MaterialRowComplete(work_, r)) incomplete << QString::number(r);
  ui->TXT3->setVisible(!incomplete.isEmpty());
  ui->TXT3->setToolTip(incomplete.isEmpty() ? QString() : QStringLiteral("材№") + incomplete.join(QStringLiteral(",")));
  ui->BBTN1->setEnabled(materialsModified_ && incomplete.isEmpty());
}

void TEZAIForm::STRG2_1Click(int col, int row) {
  TStrGridEx* grid = ui->STRG2_1;
  if (row < 1 || row > work_.RowCount) return;
  EditModeOn();
  // A free material row is named first.
  if (col > 1 && IsFreeMaterial(work_.Name(row))) {
    col = 1;
    grid->SetCol(1);
  }
  HidePickers();
  PrepareCellEdit(grid, col, row);
  SetItemCode(grid, ItemMode::Column, 1);
  ShowItemHint(Edit.itemCode);
  ui->BTN2_3->setEnabled(true);
  selectedRow_ = row;

  if (IsHeadingRow(work_, row)) {
    ShowStatus(kNotEditable);
    return;
  }
  if (!IsUserRow(work_, row) || col > work_.ColCount) return;
  switch (col) {
    case 1:
      OpenCellEdit(ui->EDIT2_1_1, etString, EditLimit(work_, 1), 0, 0);
      break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
      OpenCellEdit(ui->EDIT2_1_1, etString, EditLimit(work_, col), 0, 0);
      break;
    case 11:
      ShowColourPicker();
      OpenCellEdit(ui->EDIT2_1_1, etByte, 3, 0, 0);
      break;
    case 12:
      ShowPatternPicker();
      OpenCellEdit(ui->EDIT2_1_1, etByte, 1, 0, 0);
      break;
    default:  // category and marks are shown only
      break;
  }
}

void TEZAIForm::CommitItem(QWidget* sender, int group, int row, int column) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  if (group != kMaterialGroup || row < 1 || row > work_.RowCount) return;
  const std::string typed = Edit.newText;
  std::optional<std::string> stored;
  if (MaterialInputAccepted(kMaterialListTag + column, typed))
    stored = StoredMaterialValue(column, typed, work_.Width(column));
  if (!stored) {
    // Refused: the cell shows what it showed before.
    if (sender == ui->EDIT2_1_1) RevertEdit(ui->EDIT2_1_1);
    DisplayRow(row);
    return;
  }
  work_.SetCell(row, column, *stored);
  changedRows_.insert(row);
  materialsModified_ = true;
  RefreshChecks();
  DisplayRow(row);
}

// ---------------------------------------------------------------- pickers

void TEZAIForm::HidePickers() {
  ui->PNL_Color->hide();
  ui->LBL_Color->hide();
  ui->PNL_Brush->hide();
}

void TEZAIForm::ShowColourPicker() {
  TImageEx* image = ui->IMAG_Color;
  QImage& bitmap = image->Bitmap();
  bitmap.fill(Qt::white);
  {
    QPainter painter(&bitmap);
    QtCanvas canvas(painter);
    DrawColorChart(canvas);
  }
  image->update();
  ui->LBL_Color->clear();
  ui->PNL_Color->show();
  ui->PNL_Color->raise();
  ui->LBL_Color->show();
  ui->LBL_Color->raise();
}

void TEZAIForm::ShowPatternPicker() {
  TImageEx* image = ui->IMAG_Brush;
  QImage& bitmap = image->Bitmap();
  bitmap.fill(Qt::white);
  {
    QPainter painter(&bitmap);
    QtCanvas canvas(painter);
    SetCanvasFont(canvas, "Small Fonts", 6, 0);
    for (int n = 0; n < kPatterns; ++n) {
      const int top = kPatternRow * n;
      TextOutClear(canvas, 18, top + 4, 0, 6, std::to_string(n));
      FillBox(canvas, 28, top + 2, 52, top + kPatternRow - 2, 0, n);
      DrawBoxOutline(canvas, 28, top + 2, 51, top + kPatternRow - 3, 0);
    }
    SetCanvasFont(canvas, "ＭＳ ゴシック", 9, 0);
  }
  image->update();
  ui->PNL_Brush->show();
  ui->PNL_Brush->raise();
}

int TEZAIForm::ColourAt(int x, int y) const {
  const int s = std::max(1, ui->IMAG_Color->Bitmap().width() / 16);
  const int row = std::clamp(y / s, 0, 15), col = std::clamp(x / s, 0, 15);
  return row * 16 + col;
}

int TEZAIForm::PatternAt(int y) const {
  const int s = std::max(1, ui->IMAG_Brush->Bitmap().height() / kPatterns);
  return std::clamp((y - 4) / s, 0, kPatterns - 1);
}

void TEZAIForm::PickerMove(int column, int value) {
  AbandonEditing();
  Edit.itemCode = kMaterialListTag + column;
  Edit.groupCode = kMaterialGroup;
  Edit.newText = std::to_string(value);
  Edit.newValue = value;
  Edit.newInteger = value;
  Edit.unchanged = false;
  Edit.commitGuard = false;
  if (column == 11) ui->LBL_Color->setText(QString::asprintf("%3d", value));
}

void TEZAIForm::PickerCommit(QWidget* sender, int column, int value) {
  PickerMove(column, value);
  CommitItem(sender, kMaterialGroup, selectedRow_, column);
  HidePickers();
}

// ---------------------------------------------------------------- buttons

void TEZAIForm::BBTN1Click() {
  FinishEditing();  // a value still being typed is committed first
  if (!ui->BBTN1->isEnabled()) return;
  MsgBox(kSaveQuestion, 2, 3);
  if (!MsgYes) return;
  if (!SaveMaterialWork(work_)) return;
  changedRows_.clear();
  materialsModified_ = false;
  savedWhileOpen_ = true;
  DisplayAll();
  RefreshChecks();
}

void TEZAIForm::BTN2_3Click() {
  AbandonEditing();
  HidePickers();
  MsgBox(kReloadQuestion, 2, 3);
  if (!MsgYes) return;
  LoadWork();
}

void TEZAIForm::PNL_SIClick() {
  ShowTableFile(DatDir + "単位系.EXP");
  PointAtControl(ui->PNL_SI);
}

bool TEZAIForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui->PNL_SI && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    PNL_SIClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool EditMaterialFile(QWidget* parent) {
  TEZAIForm form(parent);
  form.exec();
  return form.SavedWhileOpen();
}

}  // namespace kondra
