#include "mainwin/KDRForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <cmath>
#include <vector>

#include "assess/gui/SurfaceRiskPanel.h"
#include "calc/CalcFile.h"
#include "calc/CalcInput.h"
#include "calc/Diagram.h"
#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "calc/Results.h"
#include "controls/Desktop.h"
#include "controls/Fonts.h"
#include "controls/ListHelpers.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/Environment.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "env/Units.h"
#include "materials/MaterialFiles.h"
#include "output/Palette.h"
#include "output/PrinterInfo.h"
#include "output/gui/QtCanvas.h"
#include "records/RecordStore.h"
#include "tools/Handover.h"
#include "ui_KDRForm.h"
#include "weather/Wmonth.h"

namespace kondra {
namespace {

constexpr int kTotalRow = 10;
constexpr int kLayerGridTop = 24;
constexpr int kLayerGridShiftedTop = 34;
constexpr int kHintButtonTop = 239;
constexpr int kHintButtonShiftedTop = 243;
constexpr int kTitleAsFileNameBytes = 40;

const char* const kInputUnitHeader = "  kcal/mhﾟC  m2h℃/kcal   g/mhmmHg    m2hmmHg/g";
const char* const kTableBUnitHeader = "     mm      m2h℃/kcal  m2h℃/kcal   m2hmmHg/g   m2hmmHg/g";
const char* const kBeerPicture = "ビール.BMP";

const QStringList kPropertyTitles = {"熱伝導率(λ)", "熱抵抗(r)", "透湿率(p)", "透湿抵抗(rv)", "-<予備>-"};

const char* const kLayerHintLines[] = {
    "○層構成の最初と最後には必ず＜表面熱伝達率（α）＞を入力して下さい。",
    "　 外側の表面熱伝達率αoは通常＜外側(αo=20)＞です。",
    "　 内側のαiは壁＜内側(αi=8)＞、天井＜内側(αi=10)＞、床＜内側(αi=6)＞です。",
    "　 特に、隅角部など空気の滞留がある所では＜内側(αi=4)＞を用いることもあります。",
    "",
    "○土間床など土中と接する場合には＜仮想(α=100)＞を仮に指定します。",
    "　 また、空気と直接接しない場合も同様に考えます。",
    "",
    "○材料がない場合には、それに近い材料（材質）で代用します。",
    "",
    "○断熱材などの厚さが１００mmを越える場合には、２つ以上に分割して入力します。",
    "　 こうすることで、断熱材内部での内部結露（自己結露）が判定できます。",
    "",
    "○【１行挿入】や【１行削除】は、左の層番号を右クリックすることで行えます。",
};

QColor PaletteColour(int32_t number) { return ToQColor(ColorOf(number)); }

// A stored layer record (material number, colour number, thickness).
struct StoredLayer {
  int32_t number = 0;
  int32_t colour = 0;
  std::string name;
  float thickness = 0;
};
StoredLayer ReadLayer(int k) {
  StoredLayer layer;
  if (!Exists_SLDT(CalcStore, "№" + std::to_string(LayerLabel(k)))) return layer;
  Read_NSV5(CalcStore, LayerLabel(k));
  layer.number = SLDT_NSV5.Number;
  layer.colour = static_cast<int32_t>(TextToInt(TrimBoth(SLDT_NSV5.HeadText[2])));
  layer.name = SLDT_NSV5.Name;
  layer.thickness = SLDT_NSV5.Value[1];
  return layer;
}

bool HasLayer(int k) {
  return k >= 1 && k <= kMaxLayers && !Calc.LayerName[static_cast<std::size_t>(k)].empty();
}

// The name of a file without folder and extension.
std::string BaseName(const std::string& path) {
  std::string name = path.substr(path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\') + 1);
  return name.substr(0, name.find('.'));
}

// "12", "-3.5", ".5", also in full-width digits.
bool IsPlainNumber(const QString& text) {
  static const QRegularExpression number(QStringLiteral("^[+\\-－＋]?([0-9０-９]+([.．][0-9０-９]*)?|[.．][0-9０-９]+)$"));
  return number.match(text).hasMatch();
}

QIcon TextIcon(const QString& text) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setFont(LegacyFont(kFontPGothic, 10));
  painter.setPen(QColor(0, 0, 0x80));
  painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
  return QIcon(pixmap);
}

// Tells of every window of the application that becomes active.
class ActivationWatch : public QObject {
 public:
  ActivationWatch(QObject* parent, std::function<void(QWidget*)> activated)
      : QObject(parent), activated_(std::move(activated)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
      activated_(static_cast<QWidget*>(watched));
    return false;
  }

 private:
  std::function<void(QWidget*)> activated_;
};

}  // namespace

TKDRForm::TKDRForm(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TKDRForm>()) {
  // Every other window of the program is made after this one.
  PrepareDesktop();
  InstallLegacyFontNames();
  ui->setupUi(this);
  setCentralWidget(ui->CLIENT);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(kProgramTitle));
  QtFace().AttachStatusBar(statusBar(), {350, 80, 80, 50});
  statusBar()->setObjectName("SBAR");
  statusBar()->setFixedHeight(24);
  statusBar()->setSizeGripEnabled(false);

  // The grids: titles, fonts, row heights.
  ui->STRG2_1->setColTitles({" №", " 材料名", " 厚さ(mm)"});
  QStringList rows{" №"};
  for (int k = 1; k <= kMaxLayers; ++k) rows << QString("  %1").arg(k);
  rows << "";
  ui->STRG2_1->setRowTitles(rows);
  ui->STRG2_2->setFixedCols(0);
  ui->STRG2_2->SetLeftCol(0);
  ui->STRG2_2->SetCol(0);
  ui->STRG2_2->setColTitles(kPropertyTitles);
  for (auto* grid : {ui->STRG2_1, ui->STRG2_2}) {
    grid->setFont(LegacyFont(kFontGothic, 9));
    grid->setColor(Qt::white);
  }
  for (auto* editor : {ui->EDIT2_1, ui->EDIT2_2}) {
    editor->setCellFrame(true);
    editor->hide();
  }
  ui->CBOX2_1->setCellFrame(true);
  ui->CBOX2_1->hide();
  ui->LBL14->setText(Q(kInputUnitHeader));
  ui->LBL15->setText(Q(kTableBUnitHeader));
  ui->PNL2->raise();
  ui->PNL1->setFont(LegacyFont(kFontPGothic, 9));
  ui->LBL2_1->raise();
  ui->UPDN1->raise();
  ui->TXT1->raise();
  ui->TXT_S->raise();
  // The surface display takes the result grid's place while it is chosen.
  surfacePanel_ = new TSurfaceRiskPanel(ui->GBOX2);
  surfacePanel_->setGeometry(ui->STRG2_2->geometry());
  surfacePanel_->hide();

  // Tool-bar pictures.
  QStyle* s = style();
  ui->SBTN1->setIcon(s->standardIcon(QStyle::SP_FileIcon));
  ui->SBTN2->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  ui->SBTN3->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  ui->SBTN4->setIcon(TextIcon("名"));
  ui->SBTN5->setIcon(TextIcon("編"));
  ui->SBTN6->setIcon(TextIcon("計"));
  ui->SBTN7->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
  ui->SBTN_MWD->setIcon(TextIcon("気"));

  POP1 = new QMenu(this);
  POP1->setObjectName("POP1");
  popInsert_ = POP1->addAction(QString());
  popInsert_->setObjectName("POP1_Insert");
  popDelete_ = POP1->addAction(QString());
  popDelete_->setObjectName("POP1_Delete");
  connect(popInsert_, &QAction::triggered, this, [this] {
    if (InsertLayerRow(popRow_)) RefreshScreen();
  });
  connect(popDelete_, &QAction::triggered, this, [this] {
    if (DeleteLayerRow(popRow_)) RefreshScreen();
  });

  BuildMenu();
  ConnectControls();
  // Every activation of another window of the program is noted.
  qApp->installEventFilter(new ActivationWatch(this, [this](QWidget* window) {
    if (window != this && IsProgramForm(window)) otherFormActive_ = true;
  }));
  ApplyStateRules();
  setFixedSize(sizeHint().expandedTo(size()));
}

TKDRForm::~TKDRForm() = default;

const std::string& TKDRForm::CurrentPath() const { return CalcPath; }

QStatusBar* TKDRForm::StatusBar() const { return QMainWindow::statusBar(); }

// ---------------------------------------------------------------- menu

void TKDRForm::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MENU");
  auto command = [this](QMenu* menu, Command c, const QString& caption, const char* name) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(false);
    commandActions_[static_cast<std::size_t>(c)] = action;
    connect(action, &QAction::triggered, this, [this, c] {
      if (auto& handler = commandHandlers_[static_cast<std::size_t>(c)]) handler();
    });
    return action;
  };
  auto topCommand = [this, bar](Command c, const QString& caption, const char* name) {
    QAction* action = bar->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(false);
    commandActions_[static_cast<std::size_t>(c)] = action;
    connect(action, &QAction::triggered, this, [this, c] {
      if (auto& handler = commandHandlers_[static_cast<std::size_t>(c)]) handler();
    });
  };

  QAction* top = bar->addAction(" ");
  top->setObjectName("MNU_Top");
  connect(top, &QAction::triggered, this, &TKDRForm::CmdTopLeft);

  QMenu* file = bar->addMenu("ファイル(&F)");
  file->setObjectName("MNU_File");
  command(file, Command::New, "新規作成(&N)...", "MNU_New");
  command(file, Command::Open, "ファイルを開く(&O)...", "MNU_Open");
  command(file, Command::Save, "上書き保存(&S)...", "MNU_Save");
  command(file, Command::SaveAs, "名前を付けて保存(&A)...", "MNU_SaveAs");
  file->addSeparator();
  command(file, Command::Preview, "計算結果プレビュー(&P)...", "MNU_Preview");
  command(file, Command::HardCopy, "画面をハードコピー印刷(&H)...", "MNU_HardCopy");
  file->addSeparator();
  actClose_ = file->addAction("全て終了(&X)");
  actClose_->setObjectName("MNU_Exit");
  connect(actClose_, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = bar->addMenu("編集(&E)");
  edit->setObjectName("MNU_Edit");
  actInput_ = edit->addAction("編集(入力)する(&E)");
  actInput_->setObjectName("MNU_Input");
  connect(actInput_, &QAction::triggered, this, &TKDRForm::CmdInputMode);
  actRefresh_ = edit->addAction("現在の材料物性値を更新する(&U)...");
  actRefresh_->setObjectName("MNU_Refresh");
  connect(actRefresh_, &QAction::triggered, this, &TKDRForm::CmdRefreshMaterials);

  actCalc_ = bar->addAction("計算(&C)");
  actCalc_->setObjectName("MNU_Calc");
  connect(actCalc_, &QAction::triggered, this, &TKDRForm::CmdCalc);

  QMenu* view = bar->addMenu("表示(&V)");
  view->setObjectName("MNU_View");
  auto modeItem = [this, view](const QString& caption, int tag, const char* name) {
    QAction* action = view->addAction(caption);
    action->setObjectName(name);
    action->setProperty("Tag", tag);
    connect(action, &QAction::triggered, this, [this, action] {
      SetItemCode(action, ItemMode::None, 0);
      const int mode = TagOf(action);
      FillLayerGrid();
      ShowDisplayMode(mode);
    });
    return action;
  };
  actModeInput_ = modeItem("入力データ(&D)", 0, "MNU_Mode0");
  actModeA_ = modeItem("計算結果(&A)", 1, "MNU_Mode1");
  actModeB_ = modeItem("計算結果(&B)", 2, "MNU_Mode2");
  actModeSurface_ = modeItem("表面結露・カビの判定(&S)", kSurfaceDisplay, "MNU_Mode3");
  view->addSeparator();
  actWeather_ = view->addAction("月次気象データ(&D)");
  actWeather_->setObjectName("MNU_Weather");
  connect(actWeather_, &QAction::triggered, this, &TKDRForm::CmdMonthlyWeather);
  command(view, Command::Annual, "年間結露判定(&Y)...", "MNU_Annual");

  topCommand(Command::MaterialEditor, "材料物性ファイル(&M)", "MNU_Material");
  topCommand(Command::SatCurve, "水蒸気曲線(&H)", "MNU_SatCurve");
  topCommand(Command::Humidity, "結露の話(&W)", "MNU_Humidity");

  QMenu* options = bar->addMenu("オプション(&O)");
  options->setObjectName("MNU_Option");
  command(options, Command::QuickGuide, "簡単操作ガイド(&G)", "MNU_Guide");
  command(options, Command::Version, "バージョン情報(&V)", "MNU_Version");

  // Tool buttons run the commands of their menu items.
  auto button = [](QToolButton* b, QAction* action) { QObject::connect(b, &QToolButton::clicked, action, &QAction::trigger); };
  button(ui->SBTN1, CommandAction(Command::New));
  button(ui->SBTN2, CommandAction(Command::Open));
  button(ui->SBTN3, CommandAction(Command::Save));
  button(ui->SBTN4, CommandAction(Command::SaveAs));
  button(ui->SBTN5, actInput_);
  button(ui->SBTN6, actCalc_);
  button(ui->SBTN7, CommandAction(Command::Preview));
  button(ui->SBTN_MWD, actWeather_);
}

QAction* TKDRForm::CommandAction(Command command) const { return commandActions_[static_cast<std::size_t>(command)]; }

void TKDRForm::SetCommand(Command command, std::function<void()> handler) {
  commandHandlers_[static_cast<std::size_t>(command)] = std::move(handler);
  ApplyStateRules();
}

// ---------------------------------------------------------------- controls

void TKDRForm::ConnectControls() {
  connect(ui->STRG2_1, &TStrGridEx::CellClicked, this, &TKDRForm::OnLayerCellClicked);
  connect(ui->STRG2_2, &TStrGridEx::CellClicked, this, &TKDRForm::OnPropertyCellClicked);
  connect(ui->STRG2_1, &TStrGridEx::MouseDown, this,
          [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { OnLayerMouseDown(b, x, y); });
  connect(ui->STRG2_2, &TStrGridEx::MouseDown, this,
          [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { OnPropertyMouseDown(b, x, y); });
  connect(ui->STRG2_1, &TStrGridEx::DrawCell, this,
          [this](QPainter*, int col, int row, const QRect& rect, int state) { DrawLayerCell(col, row, rect, state); });
  connect(ui->STRG2_2, &TStrGridEx::DrawCell, this,
          [this](QPainter*, int col, int row, const QRect& rect, int state) {
            DrawPropertyCell(col, row, rect, state);
          });
  for (TUpDown* updown : {ui->UPDN1_2, ui->UPDN1_3, ui->UPDN1_4, ui->UPDN1_5})
    connect(updown, &QAbstractSlider::valueChanged, this, [this, updown](int) { CommitUpDown(updown); });
  connect(ui->UPDN1, &QAbstractSlider::valueChanged, this, [this](int position) {
    if (refreshing_) return;
    FinishEditing();
    ShowDisplayMode(position);
  });
  connect(ui->IMAG, &TImageEx::Clicked, this, [this] {
    if (!Calc.Calculated) return;
    FinishEditing();
    ShowDisplayMode(mode_ == kSurfaceDisplay ? 0 : (mode_ + 1) % 3);
  });
  connect(ui->SBTN2_1, &QPushButton::clicked, this, &TKDRForm::CmdHint);
  connect(ui->SBTN1_1, &QPushButton::clicked, this, &TKDRForm::CmdMonthlyWeather);
  connect(ui->CBTN_Com, &QCheckBox::clicked, this, [this](bool checked) {
    if (checked) OnTitleAsFileName();
  });
  connect(ui->HJUNITFM, &THJUNITFrame::UnitSystemChanged, this, [this] { RefreshScreen(); });
  for (QWidget* w : {static_cast<QWidget*>(ui->LBL7), static_cast<QWidget*>(ui->LBL8), static_cast<QWidget*>(ui->LBL5),
                     static_cast<QWidget*>(ui->LBL9), static_cast<QWidget*>(ui->LBL6), static_cast<QWidget*>(ui->LBL10),
                     static_cast<QWidget*>(ui->PNL1), static_cast<QWidget*>(ui->TXT_Msg)})
    w->installEventFilter(this);
}

bool TKDRForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease ||
      static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
    return QMainWindow::eventFilter(watched, event);
  if (watched == ui->LBL7 || watched == ui->LBL8) {
    MsgBox(SIFactorMessage(FactorItem::SidePressure), 1, 1);
  } else if (watched == ui->LBL5 || watched == ui->LBL9) {
    MsgBox(SIFactorMessage(FactorItem::KValue, S(ui->LBL5->text())), 1, 1);
  } else if (watched == ui->LBL6 || watched == ui->LBL10) {
    MsgBox(SIFactorMessage(FactorItem::PValue, S(ui->LBL6->text())), 1, 1);
  } else if (watched == ui->PNL1) {
    // The advice of a surface plane goes with what its amount is.
    if (Calc.CondPlane != 0)
      MsgBox(AdviceText() + (SurfacePlane() ? std::string(CR) + CR + kSurfaceAmountNote : std::string()), 1, 1);
  } else if (watched == ui->TXT_Msg) {
    PointAtControl(ui->EDIT1_1);
  }
  return QMainWindow::eventFilter(watched, event);
}

void TKDRForm::ShowFactor(int column, const QString& caption) {
  static constexpr FactorItem kColumns[] = {FactorItem::Column0, FactorItem::Column1, FactorItem::Column2,
                                            FactorItem::Column3};
  MsgBox(SIFactorMessage(kColumns[column], S(caption)), 1, 1);
}

// ---------------------------------------------------------------- start-up

void TKDRForm::Startup(bool weather) {
  if (Contains("WindowsVista", EnvRow[3])) setFixedSize(width() + 2, height());
  // The unit systems are known once the folders are: the frame was made before.
  ui->HJUNITFM->Reload();
  std::vector<std::string> parts;
  LoadPartClassList(parts);
  LoadNumberedList(ui->CBOX1_1, [&parts](int i) { return parts[static_cast<std::size_t>(i - 1)]; }, 1, false,
                   static_cast<int>(parts.size()));
  ui->CBOX1_1->setMaxVisibleItems(std::max(1, static_cast<int>(parts.size())));
  FitPartList();
  ReloadMaterialList();
  if (weather) InitWeather();
  ui->PNL_Mask->resize(473, 105);
  OpenStartupFile(LastCalcFile);
  RefreshScreen();
}

// The part list shows its longest entry ("天井(小屋裏に面する)") whole: it
// grows to the left, and the title field before it gives way.
void TKDRForm::FitPartList() {
  QComboBox* parts = ui->CBOX1_1;
  int widest = 0;
  for (int i = 0; i < parts->count(); ++i)
    widest = std::max(widest, parts->fontMetrics().horizontalAdvance(parts->itemText(i)));
  QStyleOptionComboBox option;
  option.initFrom(parts);
  const int needed =
      parts->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(widest, parts->height()), parts).width();
  if (needed <= parts->width()) return;
  QRect place = parts->geometry();
  place.setLeft(place.right() + 1 - needed);
  parts->setGeometry(place);
  ui->LBL2->move(place.left() + 2, ui->LBL2->y());  // "部位名" stays over the list
  constexpr int kGap = 6;
  QRect title = ui->EDIT1_1->geometry();
  if (title.right() > place.left() - kGap) {
    title.setRight(place.left() - kGap);
    ui->EDIT1_1->setGeometry(title);
  }
}

void TKDRForm::ReloadMaterialList() {
  std::vector<std::string> materials;
  LoadMaterialList(materials);
  LoadNumberedList(ui->CBOX2_1, [&materials](int i) { return materials[static_cast<std::size_t>(i - 1)]; }, 1, false,
                   static_cast<int>(materials.size()));
}

// ---------------------------------------------------------------- refresh

void TKDRForm::RefreshScreen() {
  refreshing_ = true;
  mode_ = 0;
  SetUpDownQuietly(ui->UPDN1, 0);
  {
    QSignalBlocker quiet(ui->CBOX0);
    FillFileCombo(ui->CBOX0, CalcPath);
  }
  ui->EDIT1_1->setText(Q(Calc.Title));
  ui->EDIT1_1->setToolTip(Q(Calc.Title));
  FillConditions();
  {
    QSignalBlocker quiet(ui->CBOX1_1);
    ui->CBOX1_1->setCurrentIndex(Calc.PartIndex >= 1 && Calc.PartIndex <= ui->CBOX1_1->count() ? Calc.PartIndex - 1
                                                                                                : -1);
  }
  ShowUnitLabels();
  ui->STRG2_2->ClearCells();
  ui->STRG2_2->setColTitles(kPropertyTitles);
  FillLayerGrid();
  FillPropertyGrid();
  MoveLayerGrid(false);
  ui->GBOX2->setTitle(Q(kInputDisplayTitle));
  DrawPicture();
  ApplyStateRules();
  refreshing_ = false;
  // While the program starts, the repairs wait until the window is up.
  if (!InStartupRemarks()) RepairOpenFile();
}

void TKDRForm::RepairOpenFile() {
  const std::vector<std::string> before = CalcStore.lines;
  RepairLayerRecords();
  // A repair writes the file again: show what it wrote.
  if (CalcStore.lines != before && CalcStore.lines != std::vector<std::string>()) {
    refreshing_ = true;
    FillLayerGrid();
    FillPropertyGrid();
    DrawPicture();
    ApplyStateRules();
    refreshing_ = false;
  }
}

void TKDRForm::FillConditions() {
  ui->LBL1_01->setText(Q(Calc.SideNameA));
  ui->LBL1_02->setText(Q(Calc.SideNameB));
  const auto& a = Calc.SideCond[1];
  const auto& b = Calc.SideCond[2];
  ui->EDIT1_2->setText(Q(TrimLeft(FormatSingle(6, 1, a.Temp))));
  ui->EDIT1_3->setText(Q(TrimLeft(FormatSingle(5, 0, a.RelHum))));
  ui->EDIT1_4->setText(Q(TrimLeft(FormatSingle(6, 1, b.Temp))));
  ui->EDIT1_5->setText(Q(TrimLeft(FormatSingle(5, 0, b.RelHum))));
  SetUpDownQuietly(ui->UPDN1_2, static_cast<int>(std::lround(a.Temp)));
  SetUpDownQuietly(ui->UPDN1_3, static_cast<int>(std::lround(a.RelHum)));
  SetUpDownQuietly(ui->UPDN1_4, static_cast<int>(std::lround(b.Temp)));
  SetUpDownQuietly(ui->UPDN1_5, static_cast<int>(std::lround(b.RelHum)));
  ui->LBL1_1->setText(Q(SideVapPressText(1)));
  ui->LBL1_3->setText(Q(SideVapPressText(2)));
  const QString colour = SidePressuresEqual() ? "#ff0000" : "#000000";
  for (QLabel* label : {ui->LBL1_1, ui->LBL1_3})
    label->setStyleSheet("background: white; border: 1px solid #a0a0a0; color: " + colour + ";");
  ui->LBL1_2->setText(Q(SideDewPointText(1)));
  ui->LBL1_4->setText(Q(SideDewPointText(2)));
  ui->LBL1_5->setText(Q(KValueText()));
  ui->LBL1_6->setText(Q(PValueText()));
}

void TKDRForm::ShowUnitLabels() {
  ui->LBL7->setText(Q(UnitText("mmHg")));
  ui->LBL8->setText(Q(UnitText("mmHg")));
  ui->LBL9->setText(Q(UnitText("kcal/(m2･h･ﾟC)")));
  ui->LBL10->setText(Q(UnitText("g/(m2･h･mmHg)")));
  ui->LBL14->setText(Q(UnitText(kInputUnitHeader)));
  ui->LBL15->setText(Q(UnitText(kTableBUnitHeader)));
}

void TKDRForm::FillLayerGrid() {
  std::vector<std::string> materials;
  LoadMaterialList(materials);
  TStrGridEx* grid = ui->STRG2_1;
  for (int k = 1; k <= kMaxLayers; ++k) {
    const StoredLayer layer = ReadLayer(k);
    std::string name;
    if (layer.number >= 1 && layer.number <= static_cast<int32_t>(materials.size()))
      name = materials[static_cast<std::size_t>(layer.number - 1)];
    // A row whose material is no longer in the list still counts: show its own name.
    if (name.empty()) name = Calc.LayerName[static_cast<std::size_t>(k)];
    grid->SetCells(1, k, Q(name));
    grid->SetCells(2, k, Q(LayerThicknessCell(k)));
    QLabel* swatch = findChild<QLabel*>(QString("TXT_0%1").arg(k));
    if (swatch) {
      swatch->setStyleSheet(QString("background: %1; border: 1px solid #808080;")
                                .arg(PaletteColour(layer.colour).name()));
      swatch->setVisible(mode_ == 0 && layer.thickness > 0);
    }
  }
  grid->SetCells(1, kTotalRow, Q("  全層数 " + FormatInt(4, Calc.LayerCount) + " 層"));
  grid->SetCells(2, kTotalRow, Q(" 全厚" + FormatSingle(6, 1, Calc.TotalThickness)));
}

void TKDRForm::FillPropertyGrid() {
  TStrGridEx* grid = ui->STRG2_2;
  for (int k = 1; k <= kMaxLayers; ++k) {
    const auto cells = LayerPropertyCells(k);
    for (int c = 0; c < 4; ++c) grid->SetCells(c, k, Q(cells[static_cast<std::size_t>(c)]));
    grid->SetCells(4, k, QString());
  }
  const int rvDecimals = SIUnits ? 6 : 2;
  grid->SetCells(0, kTotalRow, QString());
  grid->SetCells(1, kTotalRow,
                 Calc.LayerCount > 0 ? Q(FormatSingle(9, 3, Calc.TotalThermalRes * UnitFactor[2])) : QString());
  grid->SetCells(2, kTotalRow, QString());
  grid->SetCells(3, kTotalRow,
                 Calc.LayerCount > 0 ? Q(FormatSingle(9, rvDecimals, Calc.TotalVapourRes * UnitFactor[4]))
                                     : QString());
  grid->SetCells(4, kTotalRow, QString());
}

void TKDRForm::MoveLayerGrid(bool shifted) {
  QRect g = ui->STRG2_1->geometry();
  g.moveTop(shifted ? kLayerGridShiftedTop : kLayerGridTop);
  ui->STRG2_1->setGeometry(g);
  // In the result displays the judgement stands to the right of the button.
  ui->SBTN2_1->setGeometry(20, shifted ? kHintButtonShiftedTop : kHintButtonTop, mode_ == 0 ? 320 : 240, 20);
}

void TKDRForm::DrawLegend() {
  QPixmap legend(ui->IMAG1->size());
  legend.fill(Qt::transparent);
  QPainter painter(&legend);
  for (int i = 1; i <= 4; ++i) {
    painter.setPen(QPen(PaletteColour(kLegendColours[static_cast<std::size_t>(i - 1)]), 2));
    painter.drawLine(72 * i - 57, 5, 72 * i - 10, 5);
  }
  ui->IMAG1->setPixmap(legend);
}

void TKDRForm::DrawPicture() {
  if (Calc.PartIndex == 0) {
    ui->GBOX3->setTitle("【結露写真】");
    if (!ui->IMAG->LoadPicture(PictDir + kBeerPicture)) ui->IMAG->ClearPicture();
    ui->TXT1->hide();
    ui->IMAG->update();
    return;
  }
  ui->GBOX3->setTitle(mode_ == 1   ? Q(kTableACaptions.diagram)
                      : mode_ == 2 ? Q(kTableBCaptions.diagram)
                                   : QString("【層構成図】"));
  QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  picture.fill(Qt::white);
  RateText rate;
  {
    QPainter painter(&picture);
    QtCanvas canvas(painter);
    rate = DrawDisplayPicture(canvas, mode_ == kSurfaceDisplay ? 0 : mode_, MaterialLooks(), Calc);
  }
  ui->IMAG->SetPicture(picture);
  // An amount on a surface boundary is named for what it is; the note under
  // the tables says how it was found.
  const bool surface = rate.visible && mode_ != 0 && SurfacePlane();
  ui->TXT1->setText(Q(surface ? kSurfaceAmountCaption + rate.text : rate.text));
  ui->TXT1->setToolTip(surface ? Q(kSurfaceAmountNote) : QString());
  ui->TXT1->setVisible(rate.visible);
  ui->IMAG->update();
}

// ---------------------------------------------------------------- state

bool TKDRForm::TitleExists() const { return Exists_SLDT(CalcStore, "№" + std::to_string(kTitleLabel)); }

bool TKDRForm::InputsComplete(bool* conditionsComplete, bool* layersComplete) const {
  const bool conditions = !TrimBoth(Calc.Title).empty() && Calc.PartIndex != 0 && !SidePressuresEqual();
  bool layers = Calc.LayerCount >= 2;
  for (int k = 1; layers && k <= Calc.LayerCount; ++k) {
    const auto cells = LayerPropertyCells(k);
    layers = HasLayer(k) && !TrimBoth(cells[1]).empty() && !TrimBoth(cells[3]).empty();
  }
  if (conditionsComplete) *conditionsComplete = conditions;
  if (layersComplete) *layersComplete = layers;
  return conditions && layers;
}

bool TKDRForm::TitleFileNameFree() const {
  const std::string title = TrimBoth(Calc.Title);
  for (int i = 0; i < ui->CBOX0->count(); ++i) {
    const std::string entry = StripTag(S(ui->CBOX0->itemText(i)));
    if (UpperAscii(BaseName(entry)) == UpperAscii(title)) return false;
  }
  return true;
}

void TKDRForm::ApplyStateRules() {
  const bool input = mode_ == 0;
  const bool sample = IsSampleFile(CalcPath);
  const bool exists = !CalcPath.empty() && CheckFile(CalcPath, 0);
  auto set = [this](Command c, bool on) {
    if (QAction* a = CommandAction(c)) a->setEnabled(on && bool(commandHandlers_[static_cast<std::size_t>(c)]));
  };
  set(Command::New, input);
  set(Command::Open, input);
  set(Command::Save, exists && DataModified && !sample);
  set(Command::SaveAs, DataModified && !sample);
  // The report needs the file on disk, its results and a printer to lay the page out for.
  set(Command::Preview, exists && Calc.Calculated && !PrinterInfo.DeviceName.empty());
  set(Command::HardCopy, true);
  set(Command::MaterialEditor, true);
  set(Command::SatCurve, true);
  set(Command::Humidity, true);
  set(Command::QuickGuide, true);
  set(Command::Version, true);
  set(Command::Annual, true);
  bool conditionsComplete = false, layersComplete = false;
  InputsComplete(&conditionsComplete, &layersComplete);
  const bool canCalc = conditionsComplete && layersComplete && Calc.LayerCount > 0;
  actCalc_->setEnabled(canCalc);
  actModeA_->setEnabled(Calc.Calculated);
  actModeB_->setEnabled(Calc.Calculated);
  actModeSurface_->setEnabled(Calc.Calculated);
  ui->SBTN1->setEnabled(CommandAction(Command::New)->isEnabled());
  ui->SBTN2->setEnabled(CommandAction(Command::Open)->isEnabled());
  ui->SBTN3->setEnabled(CommandAction(Command::Save)->isEnabled());
  ui->SBTN4->setEnabled(CommandAction(Command::SaveAs)->isEnabled());
  ui->SBTN6->setEnabled(canCalc);
  ui->SBTN7->setEnabled(CommandAction(Command::Preview)->isEnabled());
  ui->CBOX0->setEnabled(input);
  ui->TXT_S->setVisible(sample);

  // The conditions can be edited in the input display only; the labels that
  // explain units stay live in every display.
  const bool titled = TitleExists();
  for (QWidget* w : {static_cast<QWidget*>(ui->EDIT1_1), static_cast<QWidget*>(ui->EDIT1_2),
                     static_cast<QWidget*>(ui->EDIT1_3), static_cast<QWidget*>(ui->EDIT1_4),
                     static_cast<QWidget*>(ui->EDIT1_5), static_cast<QWidget*>(ui->UPDN1_2),
                     static_cast<QWidget*>(ui->UPDN1_3), static_cast<QWidget*>(ui->UPDN1_4),
                     static_cast<QWidget*>(ui->UPDN1_5), static_cast<QWidget*>(ui->HJUNITFM)})
    w->setEnabled(input);
  ui->CBOX1_1->setEnabled(input && titled);
  ui->GBOX2->setVisible(Calc.PartIndex != 0);

  const bool results = mode_ == 1 || mode_ == 2 || mode_ == kSurfaceDisplay;
  ui->STRG2_2->setVisible(mode_ != kSurfaceDisplay);
  surfacePanel_->setVisible(mode_ == kSurfaceDisplay);
  ui->LBL1_0->setVisible(results);
  ui->LBL2_0->setVisible(results);
  ui->PNL1->setVisible(results);
  if (results) {
    const Judgement j = Judge();
    ui->PNL1->setText(Q(j.panel));
    ui->PNL1->setStyleSheet(QString("QLabel#PNL1 { background: #ffff80; color: %1; border: 1px solid #808080; "
                                    "padding-left: 4px; padding-right: 96px; }")
                                .arg(PaletteColour(j.colour).name()));
  }
  ui->PNL1->setToolTip(Calc.CondPlane != 0 ? "説明文あり" : "");
  const bool surfaceAmount = results && Calc.Calculated && SurfacePlane();
  ui->LBL_SURF->setText(surfaceAmount ? Q(kSurfaceAmountHint) : QString());
  ui->LBL_SURF->setToolTip(surfaceAmount ? Q(kSurfaceAmountNote) : QString());
  ui->LBL_SURF->setVisible(surfaceAmount);
  ui->LBL1_ER->setVisible(input && !conditionsComplete);
  ui->LBL2_ER->setVisible(input && !layersComplete);
  ui->SBTN2_1->setText(input ? Q("※層構成は＜" + Calc.SideNameA + "から＞熱伝達率αより入力します。")
                             : QString("※ここでは編集できません。"));
  ui->IMAG1->setVisible(mode_ == 1);
  ui->LBL14->setVisible(mode_ == 0);
  ui->LBL15->setVisible(mode_ == 2);
  ui->PNL_Mask->setVisible(TrimBoth(Calc.Title).empty() || Calc.PartIndex == 0);
  ui->IMAG->setToolTip(Calc.Calculated ? "表示切替" : "");
  ui->IMAG->setCursor(Calc.Calculated ? Qt::PointingHandCursor : Qt::ArrowCursor);
  ui->UPDN1->setVisible(Calc.Calculated);
  ui->LBL2_1->setVisible(Calc.Calculated);
  ui->TXT_Msg->setVisible(!titled);

  const std::string title = TrimBoth(Calc.Title);
  const int titleBytes = MBWidth(title);
  ui->CBTN_Com->setVisible(!title.empty() && input);
  ui->LBL_Com->setVisible(!title.empty() && input);
  ui->CBTN_Com->setEnabled(!ui->CBTN_Com->isChecked() && titleBytes >= 1 && titleBytes <= kTitleAsFileNameBytes &&
                           !sample && TitleFileNameFree() &&
                           bool(commandHandlers_[static_cast<std::size_t>(Command::TitleAsFileName)]));
}

// ---------------------------------------------------------------- display modes

void TKDRForm::ShowDisplayMode(int mode) {
  if (mode < 0 || mode > kSurfaceDisplay) return;
  if (mode == 0) {
    RefreshScreen();
    ShowStatus(kInputDisplayStatus);
    ui->GBOX2->setTitle(Q(kInputDisplayTitle));
    return;
  }
  if (!Calc.Calculated) return;
  mode_ = mode;
  refreshing_ = true;
  SetUpDownQuietly(ui->UPDN1, mode);
  refreshing_ = false;
  FillLayerGrid();
  if (mode == kSurfaceDisplay)
    ShowSurfaceDisplay();
  else
    ShowResultTable(mode);
}

void TKDRForm::ShowResultTable(int mode) {
  TStrGridEx* grid = ui->STRG2_2;
  grid->ClearCells();
  const ResultTable table = mode == 1 ? TableA() : TableB();
  QStringList titles;
  for (const auto& t : table.titles) titles << Q(t);
  grid->setColTitles(titles);
  for (std::size_t r = 0; r < table.rows.size() && r < static_cast<std::size_t>(kTotalRow); ++r)
    for (int c = 0; c < kResultColumns; ++c)
      grid->SetCells(c, static_cast<int>(r) + 1, Q(table.rows[r][static_cast<std::size_t>(c)]));
  MoveLayerGrid(mode == 1);
  // Drawn each time with the palette as it stands (it is read during the
  // start-up, after the window was made).
  if (mode == 1) DrawLegend();
  const ResultCaptions& captions = mode == 1 ? kTableACaptions : kTableBCaptions;
  ui->GBOX2->setTitle(Q(captions.table));
  DrawPicture();
  ApplyStateRules();
  grid->viewport()->update();
  ui->STRG2_1->viewport()->update();
  ShowStatus(captions.status);
}

// The surface figures in the result grid's place, the layers unshifted beside
// them and the section in the picture. The display switch stands at its top
// (table B), so a step down leads back to table A.
void TKDRForm::ShowSurfaceDisplay() {
  refreshing_ = true;
  SetUpDownQuietly(ui->UPDN1, 2);
  refreshing_ = false;
  surfacePanel_->Show(AssessSurfaces());
  MoveLayerGrid(false);
  ui->GBOX2->setTitle(Q(kSurfaceHeading));
  DrawPicture();
  ApplyStateRules();
  ui->STRG2_1->viewport()->update();
  ShowStatus(kSurfaceDisplayStatus);
}

// ---------------------------------------------------------------- commands

void TKDRForm::CmdCalc() {
  if (!actCalc_->isEnabled()) return;
  const bool done = RunCalculation([] {
    FinishEditing();
    DeleteNumberedMetafiles(CalcPath, 2);
  });
  if (done) {
    ShowDisplayMode(1);
    ShowStatus("〔結露計算完了〕");
    DrawPicture();
  } else {
    ApplyStateRules();
  }
}

void TKDRForm::CmdInputMode() {
  SetItemCode(actModeInput_, ItemMode::None, 0);
  FillLayerGrid();
  ShowDisplayMode(0);
}

void TKDRForm::CmdRefreshMaterials() {
  FinishEditing();
  // The status bar shows the change before the notice stands over the window.
  RefreshMaterials([this] {
    RefreshScreen();
    ShowStatus(LastStatusText);
  });
}

void TKDRForm::CmdMonthlyWeather() { ShowMonthlyWeather(this); }

void TKDRForm::CmdTopLeft() {
  move(0, 0);
  ShowSaying();
}

void TKDRForm::CmdHint() {
  if (mode_ != 0) return;
  std::string text;
  for (const char* line : kLayerHintLines) {
    if (!text.empty()) text += CR;
    text += line;
  }
  MsgBox(text, 1, 1);
}

void TKDRForm::OnTitleAsFileName() {
  auto& handler = commandHandlers_[static_cast<std::size_t>(Command::TitleAsFileName)];
  if (handler) handler();
  QSignalBlocker quiet(ui->CBTN_Com);
  ui->CBTN_Com->setChecked(false);
  ApplyStateRules();
}

// ---------------------------------------------------------------- grids

bool TKDRForm::LayerCellWhite(int col, int row) const {
  if (row < 1 || row >= kTotalRow) return false;
  if (col == 1) return mode_ == 0;
  if (col == 2) return HasLayer(row) && !IsSurfaceMaterial(Calc.LayerName[static_cast<std::size_t>(row)]);
  return false;
}

bool TKDRForm::PropertyCellWhite(int col, int row) const {
  const int n = Calc.LayerCount;
  if (mode_ == 1) return row >= 1 && row <= n + 1 && row < kTotalRow;
  if (row < 1 || row >= kTotalRow || col == 4 || !HasLayer(row) || row > n + 1) return false;
  if (mode_ == 0) {
    const QString text = ui->STRG2_2->Cells(col, row).trimmed();
    if ((col == 0 || col == 2) && text.isEmpty()) return false;
    if ((col == 1 || col == 3) && !ui->STRG2_2->Cells(col - 1, row).trimmed().isEmpty()) return false;
  }
  return true;
}

void TKDRForm::DrawLayerCell(int col, int row, const QRect& rect, int state) {
  if (state & TStrGridEx::gdFixed) return;
  DrawCellText(ui->STRG2_1, rect, LayerCellWhite(col, row) ? QColor(Qt::white) : ui->STRG2_1->FixedColor(),
               ui->STRG2_1->Cells(col, row));
}

void TKDRForm::DrawPropertyCell(int col, int row, const QRect& rect, int state) {
  if (state & TStrGridEx::gdFixed) return;
  DrawCellText(ui->STRG2_2, rect, PropertyCellWhite(col, row) ? QColor(Qt::white) : ui->STRG2_2->FixedColor(),
               ui->STRG2_2->Cells(col, row));
}

void TKDRForm::OnLayerCellClicked(int col, int row) {
  clickedCol_ = col;
  clickedRow_ = row;
  if (mode_ != 0 || row < 1 || row >= kTotalRow) return;
  TStrGridEx* grid = ui->STRG2_1;
  if (col == 1) {
    // Rows fill from the top: a click below the first free row moves up.
    if (row > 1 && !HasLayer(row - 1)) {
      --row;
      grid->FocusCell(col, row, false);
    }
    if (row > 1 && !HasLayer(row - 1)) return;
    PrepareCellEdit(grid, col, row);
    SetItemCode(grid, ItemMode::Column, 1);
    ShowItemHint(Edit.itemCode);
    OpenCellCombo(ui->CBOX2_1, csDropDownList, true);
  } else if (col == 2) {
    if (!HasLayer(row) || IsSurfaceMaterial(Calc.LayerName[static_cast<std::size_t>(row)])) return;
    PrepareCellEdit(grid, col, row);
    SetItemCode(grid, ItemMode::Column, 1);
    ShowItemHint(Edit.itemCode);
    OpenCellEdit(ui->EDIT2_1, etFloat, 8, 0, 1);
  }
}

void TKDRForm::OnPropertyCellClicked(int col, int row) {
  clickedCol_ = col;
  clickedRow_ = row;
  if (mode_ != 0 || row < 1 || row >= kTotalRow || col > 3) return;
  TStrGridEx* grid = ui->STRG2_2;
  if (grid->Cells(col, row).trimmed().isEmpty() || !HasLayer(row)) return;
  if ((col == 1 || col == 3) && !grid->Cells(col - 1, row).trimmed().isEmpty()) return;
  // The decimals of the display; in SI units p and rv are small numbers.
  static constexpr int kDecimals[] = {3, 3, 5, 2};
  int decimals = kDecimals[col];
  if (SIUnits && col == 2) decimals = 3;
  if (SIUnits && col == 3) decimals = 6;
  PrepareCellEdit(grid, col, row);
  SetItemCode(grid, ItemMode::Column, 1);
  ShowItemHint(Edit.itemCode);
  OpenCellEdit(ui->EDIT2_2, etFloat, 9, 0, decimals);
}

void TKDRForm::OnLayerMouseDown(Qt::MouseButton button, int x, int y) {
  if (button != Qt::RightButton || mode_ != 0) return;
  int col = 0, row = 0;
  if (!ui->STRG2_1->MouseToCell(QPoint(x, y), col, row)) return;
  ShowStatus("行の挿入、削除ができます。");
  if (row < 1 || row > Calc.LayerCount) return;
  popRow_ = row;
  const std::string head =
      "材料№" + FullWidthNumber(row) + "＜" + Calc.LayerName[static_cast<std::size_t>(row)] + "＞";
  const bool canInsert = row != 1 && Calc.LayerCount != kMaxLayers;
  popInsert_->setText(canInsert ? Q(head + "の手前に１行挿入する(&I)...") : QString());
  popInsert_->setVisible(canInsert);
  popDelete_->setText(Q(head + "を削除する(&D)..."));
  POP1->popup(ui->STRG2_1->viewport()->mapToGlobal(QPoint(x, y)));
}

void TKDRForm::OnPropertyMouseDown(Qt::MouseButton button, int x, int y) {
  if (button != Qt::LeftButton) return;
  int col = 0, row = 0;
  if (!ui->STRG2_2->MouseToCell(QPoint(x, y), col, row)) return;
  if (row == 0 && col >= 0 && col <= 3) ShowFactor(col, ui->STRG2_2->Cells(col, 0).trimmed());
}

// ---------------------------------------------------------------- editing

QString TKDRForm::ItemHint(int itemCode) const {
  switch (itemCode) {
    case 1000:
      return "計算ファイル名を選んで下さい。";
    case kItemTitle:
      return "本計算のタイトルです。（max=60文字）";
    case kItemTempA:
      return Q(Calc.SideNameA + "の温度（℃）です。（-50～100℃）");
    case kItemHumA:
      return Q(Calc.SideNameA + "の相対湿度（％）です。（0～99％）");
    case kItemTempB:
      return Q(Calc.SideNameB + "の温度（℃）です。（-50～100℃）");
    case kItemHumB:
      return Q(Calc.SideNameB + "の相対湿度（％）です。（0～99％）");
    case kItemPart:
      return "部位名を選んで下さい。";
    case kItemMaterial:
      return "材料名です。（左の層番号を右クリック：１行挿入or削除）";
    case kItemThickness:
      return "材料の厚さ（mm）です。（αは厚さ0mm）";
    case kItemLambda:
      return Q(UnitText("材料の熱伝導率（kcal/kcal/(m･h･ﾟC)）です。"));
    case kItemLambda + 1:
      return Q(UnitText("材料の熱抵抗（(㎡･h･℃)/kcal）です。"));
    case kItemLambda + 2:
      return Q(UnitText("材料の透湿率（g/(m･h･mmHg)）です。"));
    case kItemLambda + 3:
      return Q(UnitText("材料の透湿抵抗（(㎡･h･mmHg)/g）です。"));
    default:
      return {};
  }
}

// A number box takes a plain number only: an empty text, letters or an
// expression put the value back as it was, with a remark for what was typed.
void TKDRForm::RefuseTypedText(TEditEx* sender) {
  if (sender->EditType() == TEditEx::etString || !sender->isModified() || Edit.lastKey == kKeyEsc) return;
  const QString typed = sender->text().trimmed();
  if (IsPlainNumber(typed)) {
    // Digits typed in full width (an input method left on) are read as the same number.
    QString half = typed;
    for (QChar& ch : half) {
      if (ch >= QChar(u'０') && ch <= QChar(u'９'))
        ch = QChar(u'0' + (ch.unicode() - u'０'));
      else if (ch == QChar(u'．'))
        ch = QChar(u'.');
      else if (ch == QChar(u'－'))
        ch = QChar(u'-');
      else if (ch == QChar(u'＋'))
        ch = QChar(u'+');
    }
    if (half != sender->text()) sender->setText(half);
    return;
  }
  // Said once the edit has ended, so that its own status does not cover it.
  if (!typed.isEmpty()) pendingRemark_ = "※「" + S(typed) + "」は数値ではありません。数値を入力して下さい。";
  sender->setText(Q(Edit.startText));
}

void TKDRForm::EDITcomKeyPress(TEditEx* sender, int& ch) {
  if (ch == kKeyTab || ch == kKeyEnter) RefuseTypedText(sender);
  TEditHost::EDITcomKeyPress(sender, ch);
  TellPendingRemark();
}

void TKDRForm::EDITcomExit(TEditEx* sender) {
  if (sender->IsEntered()) RefuseTypedText(sender);
  TEditHost::EDITcomExit(sender);
  TellPendingRemark();
}

void TKDRForm::TellPendingRemark() {
  if (pendingRemark_.empty()) return;
  ShowStatus(pendingRemark_);
  QApplication::beep();
  pendingRemark_.clear();
}

void TKDRForm::CBOXcomDropDown(TCBoxEx* sender) {
  listChoice_ = true;
  TEditHost::CBOXcomDropDown(sender);
}

void TKDRForm::CBOXcomClick(TCBoxEx* sender) {
  TEditHost::CBOXcomClick(sender);
  // A choice from the dropped list is taken at once; the arrow keys on a
  // closed list only move the choice until Enter, Tab or leaving the box.
  if (listChoice_) {
    listChoice_ = false;
    CBOXcomExit(sender);
  }
}

void TKDRForm::CommitUpDown(TUpDown* updown) {
  if (refreshing_ || mode_ != 0) return;
  FinishEditing();
  SetItemCode(updown, ItemMode::None, 0);
  Edit.row = Edit.column = 0;
  Edit.newValue = updown->value();
  Edit.newInteger = updown->value();
  Edit.newText = std::to_string(updown->value());
  Edit.unchanged = false;
  CommitItem(updown, Edit.groupCode, 0, 0);
}

void TKDRForm::CommitItem(QWidget* sender, int group, int row, int) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  auto* edit = qobject_cast<TEditEx*>(sender);
  auto* combo = qobject_cast<TCBoxEx*>(sender);
  auto refuse = [&] {
    if (edit) RevertEdit(edit);
    if (combo) RevertCombo(combo);
    // The field shows what the file holds.
    if (!edit || !edit->CellFrame()) {
      if (!combo || !combo->CellFrame()) RefreshScreen();
    } else {
      ui->STRG2_1->viewport()->update();
      ui->STRG2_2->viewport()->update();
    }
  };
  const int item = Edit.itemCode;
  if (TrimBoth(Edit.newText).empty()) {
    refuse();
    return;
  }

  bool stored = false;
  switch (group) {
    case 10: {
      if (!ConfirmDiscard(DataModified)) {
        refuse();
        return;
      }
      const std::string path = TrimBoth(StripTag(Edit.newText));
      ReadCalcFile(path);
      RefreshScreen();
      ShowStatus(LastStatusText);
      return;
    }
    case 11:
      if (item == kItemTitle)
        stored = StoreTitle(Edit.newText);
      else if (item >= kItemTempA && item <= kItemHumB)
        stored = StoreCondition(item, static_cast<float>(Edit.newValue));
      else if (item == kItemPart)
        stored = StorePartClass(Edit.newIndex);
      break;
    case 21:
      if (item == kItemMaterial) {
        // A heading of the list ("【…】") is no material.
        const std::string chosen = StripTag(Edit.newText);
        stored = !IsHeadingMaterial(chosen) && StoreLayerMaterial(row, Edit.newIndex);
      } else if (item == kItemThickness) {
        stored = StoreLayerThickness(row, static_cast<float>(Edit.newValue));
      }
      break;
    case 22: {
      const int c = item - kItemLambda;
      const float factor = c >= 0 && c <= 3 ? UnitFactor[static_cast<std::size_t>(c) + 1] : 1.0f;
      stored = c >= 0 && c <= 3 && StoreLayerValue(row, c, static_cast<float>(Edit.newValue / factor));
      break;
    }
    default:
      break;
  }
  if (!stored) {
    refuse();
    return;
  }
  RefreshScreen();
  ShowStatus(LastStatusText);
}

// ---------------------------------------------------------------- window

void TKDRForm::Activate() {
  if (AdoptIndoor) {
    float temp = 0, hum = 0;
    if (TakeHandedOverRoom(temp, hum)) {
      for (const auto& [item, value] : {std::pair{kItemTempB, temp}, std::pair{kItemHumB, hum}}) {
        Edit.itemCode = item;
        Edit.groupCode = item / 100;
        Edit.row = Edit.column = 0;
        Edit.newValue = value;
        Edit.newText = FormatSingle(5, 1, value);
        Edit.commitGuard = false;
        CommitItem(nullptr, Edit.groupCode, 0, 0);
      }
    } else {
      MsgBox(kHandoverLost, 3, 1);
    }
  }
  RefreshScreen();
  ShowStatus(S(windowTitle()));
}

void TKDRForm::ShowHoverHint(const QString& tip) {
  if (!tip.isEmpty()) {
    if (hoverHint_.isEmpty()) {
      // What panel 0 said before, without its mark, to be shown again.
      QString before = QtFace().PanelText(0);
      for (const QString& mark : {QString("　▲ "), QString("　△ "), QString("　♪ "), QString("　")})
        if (before.startsWith(mark)) {
          before = before.mid(mark.size());
          break;
        }
      beforeHint_ = before;
    }
    // A passing hint is not the text a timed remark gives back afterwards.
    const std::string kept = LastStatusText;
    ShowStatus(S(tip));
    LastStatusText = kept;
    hoverHint_ = tip;
    return;
  }
  // The pointer left: the message before the hint again, unless another
  // message took its place meanwhile.
  if (hoverHint_.isEmpty()) return;
  const bool stillShown = QtFace().PanelText(0).endsWith(hoverHint_);
  hoverHint_.clear();
  if (stillShown) {
    const std::string kept = LastStatusText;
    ShowStatus(S(beforeHint_));
    LastStatusText = kept;
  }
}

bool TKDRForm::IsProgramForm(const QWidget* window) {
  // The program's own windows, not the platform's dialogs (message boxes,
  // file, print, colour and font dialogs) that its commands open.
  return window && !qobject_cast<const QMessageBox*>(window) &&
         QByteArray(window->metaObject()->className()).startsWith("kondra::");
}

bool TKDRForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // The status bar's four panels are the program's own: a control's hint
    // is a message of panel 0 while the pointer is over it, never a
    // toolkit message laid over all four.
    ShowHoverHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  if (event->type() == QEvent::WindowActivate) {
    // Coming back from another window of the program (a tool, a dialog such
    // as the report preview), whether or not that window still exists — not
    // from a message box or from another program.
    const bool fromOther = otherFormActive_;
    otherFormActive_ = false;
    if (AdoptIndoor) {
      // A handed-over room is taken whatever the window was doing: the
      // field being edited is left first, as a click elsewhere leaves it.
      FinishEditing();
      Activate();
    } else if (fromOther && !Edit.editing) {
      Activate();
    }
  }
  return QMainWindow::event(event);
}

void TKDRForm::closeEvent(QCloseEvent* event) {
  FinishEditing();
  const bool close = closeGuard_ ? closeGuard_() : ConfirmDiscard(DataModified);
  if (close)
    event->accept();
  else
    event->ignore();
}

}  // namespace kondra
