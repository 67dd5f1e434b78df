#include "tools/HGForm.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>

#include "controls/Fonts.h"
#include "controls/ListHelpers.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "output/Palette.h"
#include "psychro/SatChartDraw.h"
#include "records/TableFile.h"
#include "tools/HGQRForm.h"
#include "tools/ToolIcons.h"
#include "output/gui/WindowCapture.h"
#include "tools/ToolPrinting.h"
#include "ui_HGForm.h"

namespace kondra {

namespace {

QPointer<THGForm>& OpenTool() {
  static QPointer<THGForm> tool;
  return tool;
}

// A window of a fixed size with only the close box in its title bar.
void MakeToolWindow(QWidget* w) {
  w->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void CentreOn(QWidget* window, QWidget* parent) {
  QRect around = parent ? parent->frameGeometry() : QRect();
  if (around.isEmpty() && window->screen()) around = window->screen()->availableGeometry();
  if (around.isEmpty()) return;
  window->move(around.center() - QPoint(window->width() / 2, window->height() / 2));
}

void SetBoxColour(QLineEdit* edit, int32_t colourNumber) {
  const int32_t rgb = ColorOf(colourNumber);
  const QColor colour(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
  QPalette pal = edit->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    pal.setColor(group, QPalette::Base, colour);
  edit->setPalette(pal);
}

QString NoDecimals(float value) { return Q(FormatSingle(0, 0, value)); }

}  // namespace

// The chart as the rubber band sees it.
class THGForm::ChartBand : public BandControl {
 public:
  explicit ChartBand(TImageEx* chart) : chart_(chart) {}
  int32_t Width() const override { return chart_->width(); }
  int32_t Height() const override { return chart_->height(); }
  // The legend and the glass lie over the chart on purpose; the band is
  // drawn into the chart's own picture, so nothing needs to move.
  void BringToFront() override {}
  void SetResizePointer(bool resizing) override {
    if (resizing)
      chart_->setCursor(Qt::SizeFDiagCursor);
    else
      chart_->setCursor(Qt::CrossCursor);
  }

 private:
  TImageEx* chart_;
};

THGForm::THGForm(QWidget* parent) : QDialog(parent), ui(new Ui::THGForm) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  MakeToolWindow(this);
  setFixedSize(532, 426);

  chartCanvas_.SetImage(ui->IMAG1);
  xCanvas_.SetImage(ui->IMAG_X);
  yCanvas_.SetImage(ui->IMAG_Y);
  chartCanvas_.Clear(kSatChartSize + 1, kSatChartSize + 1);
  xCanvas_.Clear();
  yCanvas_.Clear();
  band_ = std::make_unique<ChartBand>(ui->IMAG1);

  QPalette white = ui->PNL2->palette();
  white.setColor(QPalette::Window, Qt::white);
  ui->PNL2->setPalette(white);
  ui->PNL2->installEventFilter(this);
  QPalette red = ui->LBL16->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  ui->LBL16->setPalette(red);
  for (QLabel* link : {ui->LBL1, ui->LBL6, ui->LBL10}) link->installEventFilter(this);
  ui->IMAG_Gage->setAttribute(Qt::WA_TransparentForMouseEvents);

  ui->SBTN2->setIcon(PrinterIcon());
  ui->SBTN3->setIcon(PreviewIcon());
  ui->SBTN2->setEnabled(HardCopyAvailable());

  LoadTableNames(ui->CBOX1_1, DatDir + "単位分圧.DAT", false);
  SelectListItem(ui->CBOX1_1, Q(chart_.HumUnit));

  pop1_ = new QMenu(this);
  pop1_->setObjectName("POP1");
  for (int i = 0; i < static_cast<int>(kSatPresets.size()); ++i) {
    QAction* item = pop1_->addAction(Q(kSatPresets[static_cast<std::size_t>(i)].caption));
    connect(item, &QAction::triggered, this, [this, i] { ApplyPreset(i); });
  }
  ui->GBOX1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ui->GBOX1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { pop1_->popup(ui->GBOX1->mapToGlobal(at)); });

  ui->IMAG1->setMouseTracking(true);
  connect(ui->IMAG1, &TImageEx::MouseDown, this,
          [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { ChartMouseDown(b, x, y); });
  connect(ui->IMAG1, &TImageEx::MouseMove, this,
          [this](Qt::MouseButtons b, Qt::KeyboardModifiers, int x, int y) { ChartMouseMove(b, x, y); });
  connect(ui->IMAG1, &TImageEx::MouseUp, this,
          [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { ChartMouseUp(b, x, y); });

  connect(ui->CBTN1, &QCheckBox::toggled, this, &THGForm::SetStateDisplay);
  connect(ui->CBTN2, &QCheckBox::toggled, this, &THGForm::SetGlassDisplay);
  connect(ui->SBTN1, &QToolButton::clicked, this, &THGForm::Redisplay);
  connect(ui->SBTN2, &QToolButton::clicked, this, [this] { HardCopyTool(this); });
  connect(ui->SBTN3, &QToolButton::clicked, this, &THGForm::OpenPreview);
  connect(ui->SBTN2_1, &QToolButton::clicked, this, [this] {
    if (!chart_.CanMark()) return;
    chart_.MarkPoint = chart_.StatePoint();
    AddMark();
  });
  for (TToolUpDown* updown : {ui->UPDN2_1, ui->UPDN2_2, ui->UPDN2_4})
    connect(updown, &QAbstractSlider::valueChanged, this,
            [this, updown](int position) { UpDownEntry(updown->Tag(), position); });

  glass_.Load();
  Redisplay();
}

THGForm::~THGForm() {
  if (PointMove.active) {
    SetRubberBandCanvas(nullptr);
    PointMove.active = false;
  }
}

// ---------------------------------------------------------------- drawing

void THGForm::RedrawAxes() {
  chartCanvas_.Clear(kSatChartSize + 1, kSatChartSize + 1);
  xCanvas_.Clear();
  yCanvas_.Clear();
  DrawSatAxes(chart_, chartCanvas_, xCanvas_, {ui->IMAG_X->width(), ui->IMAG_X->height()}, yCanvas_,
              {ui->IMAG_Y->width(), ui->IMAG_Y->height()});
}

void THGForm::RedrawCurves() { DrawSatCurves(chart_, chartCanvas_); }

void THGForm::AddMark() { DrawSatMark(chart_, chartCanvas_); }

void THGForm::ShowRanges() {
  ui->PNL2->setText(Q(chart_.LegendText()));
  ui->LBL6->setText(Q(chart_.RelHumCaption()));
  setWindowTitle(Q(chart_.Caption(S(windowTitle()))));
  ui->LBL3->setText(Q(chart_.HumRangeCaption()));
  ui->LBL9->setText(Q(chart_.HumUnit));
  ui->LBL12->setText(Q(chart_.AxisTitle()));
  ui->EDIT1_1->setText(NoDecimals(chart_.TempMin));
  ui->EDIT1_2->setText(NoDecimals(chart_.TempMax));
  ui->EDIT1_3->setText(NoDecimals(chart_.HumMin));
  ui->EDIT1_4->setText(NoDecimals(chart_.HumMax));
  chart_.TakeReference();
}

void THGForm::ShowState() {
  const SatStateView v = chart_.StateView();
  ui->EDIT2_1->setText(Q(v.temp));
  ui->EDIT2_2->setText(Q(v.relHum));
  ui->EDIT2_3->setText(Q(v.amount));
  ui->EDIT2_4->setText(Q(v.dewPoint));
  for (QLineEdit* edit : {static_cast<QLineEdit*>(ui->EDIT2_1), static_cast<QLineEdit*>(ui->EDIT2_2),
                          static_cast<QLineEdit*>(ui->EDIT2_3), static_cast<QLineEdit*>(ui->EDIT2_4)}) {
    edit->setEnabled(v.enabled);
    SetBoxColour(edit, v.colour);
  }
  ui->LBL8->setText(Q(v.amountCaption));
  ui->LBL16->setVisible(v.noteVisible);
  if (ui->CBTN2->isChecked()) ShowGlass();
  ui->EDIT2_4->setToolTip(Q(v.dewPointHint));
  SetUpDownQuietly(ui->UPDN2_1, v.tempUpDown);
  SetUpDownQuietly(ui->UPDN2_2, v.relHumUpDown);
  SetUpDownQuietly(ui->UPDN2_4, v.dewPointUpDown);
}

void THGForm::ShowGlass() {
  const TPoint size = chart_.GlassSize();
  const QImage picture = glass_.Compose(chart_.Glass());
  ui->IMAG_Gage->SetPicture(picture);
  ui->IMAG_Gage->resize(std::max(1, size.x), std::max(1, size.y));
  ui->IMAG_Gage->setVisible(!picture.isNull() && size.x > 0 && size.y > 0);
  ui->IMAG_Gage->raise();
  ui->IMAG_Gage->repaint();
}

void THGForm::Redisplay() {
  if (PointMove.active) {
    SetRubberBandCanvas(nullptr);
    PointMove.active = false;
  }
  ShowRanges();
  ShowState();
  RedrawAxes();
  RedrawCurves();
}

// ---------------------------------------------------------------- entries

bool THGForm::ApplyEntry(int tag, double value, const std::string& text) {
  const EntryResult result = chart_.ApplyEntry(tag, value, text);
  if (result == EntryResult::Refused) return false;
  if (result == EntryResult::Range) {
    RedrawAxes();
    RedrawCurves();
    ShowRanges();
  }
  ShowState();
  return true;
}

void THGForm::ApplyPreset(int index) {
  chart_.ApplyPreset(index);
  RedrawAxes();
  RedrawCurves();
  ShowRanges();
  ShowState();
}

void THGForm::CommitItem(QWidget* sender, int, int, int) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  auto* edit = qobject_cast<TEditEx*>(sender);
  auto* combo = qobject_cast<TCBoxEx*>(sender);
  if (combo && Edit.newText.empty()) {
    RevertCombo(combo);
    return;
  }
  if (!ApplyEntry(Edit.itemCode, Edit.newValue, Edit.newText)) {
    if (edit) RevertEdit(edit);
    if (combo) {
      RevertCombo(combo);
      SelectListItem(combo, Q(chart_.HumUnit));
    }
  }
}

void THGForm::CBOXcomClick(TCBoxEx* sender) {
  TEditHost::CBOXcomClick(sender);
  CBOXcomExit(sender);
}

void THGForm::UpDownEntry(int tag, int position) {
  FinishEditing();
  Edit.itemCode = tag;
  Edit.groupCode = tag / 100;
  if (!ApplyEntry(tag, position)) ShowState();
}

QString THGForm::ItemHint(int itemCode) const {
  switch (itemCode) {
    case kTagUnit:
      return QStringLiteral("湿度の単位を選んで下さい。");
    case kTagTempMin:
      return QStringLiteral("グラフの最低温度（℃）です。（-50～100℃）");
    case kTagTempMax:
      return QStringLiteral("グラフの最高温度（℃）です。（-50～100℃）");
    case kTagHumMin:
      return QStringLiteral("グラフの湿度の下限です。（0～1030）");
    case kTagHumMax:
      return QStringLiteral("グラフの湿度の上限です。（0～1030）");
    case kTagTemp:
      return QStringLiteral("空気の温度（℃）です。（-50～100℃）");
    case kTagRelHum:
      return chart_.RelHumCaption() == "比較湿度※" ? QStringLiteral("比較湿度（％）です。（0～100％）")
                                                     : QStringLiteral("相対湿度（％）です。（0～100％）");
    case kTagAmount:
      return QStringLiteral("温度と湿度から求まります。（入力はできません）");
    case kTagDewPoint:
      return QStringLiteral("露点温度（℃）です。入力すると湿度が求まります。");
    default:
      return {};
  }
}

// ---------------------------------------------------------------- the chart

void THGForm::StateFromMouse(int x, int y) {
  chart_.MarkPoint = {x, y};
  chart_.FromMouse(x, y);
  ShowState();
}

void THGForm::ChartMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::RightButton) {
    pop1_->popup(QCursor::pos());
    return;
  }
  if (button != Qt::LeftButton && button != Qt::MiddleButton) return;
  StateFromMouse(x, y);
  SetRubberBandCanvas(&chartCanvas_);
  RubberBandStart(*band_, x, y);
}

void THGForm::ChartMouseMove(Qt::MouseButtons, int x, int y) {
  if (PointMove.active) {
    RubberBandMove(*band_, x, y);
    return;
  }
  StateFromMouse(x, y);
}

void THGForm::ChartMouseUp(Qt::MouseButton button, int x, int y) {
  if (!PointMove.active || (button != Qt::LeftButton && button != Qt::MiddleButton)) return;
  RubberBandMove(*band_, x, y);
  RubberBandEnd(*band_);
  if (chart_.ZoomTo(PointMove.x1, PointMove.y1, PointMove.x2, PointMove.y2)) {
    ShowRanges();
    ShowState();
    RedrawAxes();
    RedrawCurves();
  } else if (PointMove.x1 == PointMove.x2 && PointMove.y1 == PointMove.y2 && chart_.CanMark()) {
    AddMark();
  }
}

void THGForm::SetStateDisplay(bool on) {
  ui->IMAG1->setEnabled(on);
  if (!on) ui->CBTN2->setChecked(false);
}

void THGForm::SetGlassDisplay(bool on) {
  if (on) {
    ui->CBTN1->setChecked(true);
    ShowGlass();
  } else {
    ui->IMAG_Gage->hide();
  }
}

// ---------------------------------------------------------------- commands

void THGForm::OpenPreview() {
  ui->DUMY->setFocus(Qt::OtherFocusReason);
  SaveWindowToFile(WindowCaptureFile());
  THGQRForm report(chart_, this);
  report.exec();
}

void THGForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) Redisplay();
}

bool THGForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui->PNL2) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
          draggingPanel_ = true;
          panelGrab_ = mouse->position().toPoint();
        }
        return true;
      case QEvent::MouseMove:
        if (draggingPanel_) {
          QPoint to = mapFromGlobal(mouse->globalPosition().toPoint()) - panelGrab_;
          to.setX(std::clamp(to.x(), 0, width() - ui->PNL2->width()));
          to.setY(std::clamp(to.y(), 0, height() - ui->PNL2->height()));
          ui->PNL2->move(to);
        }
        return true;
      case QEvent::MouseButtonRelease:
        draggingPanel_ = false;
        return true;
      default:
        return false;
    }
  }
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == ui->LBL1) ShowTableFile(DatDir + "圧力単位.EXP");
    if (watched == ui->LBL6) ShowTableFile(DatDir + "湿度.EXP");
    if (watched == ui->LBL10) ShowTableFile(DatDir + "結露.EXP");
  }
  return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- entry points

THGForm* ShowSaturationTool(QWidget* parent) {
  QPointer<THGForm>& tool = OpenTool();
  if (!tool) {
    tool = new THGForm(parent);
    tool->setAttribute(Qt::WA_DeleteOnClose);
    CentreOn(tool, parent);
  }
  tool->show();
  tool->raise();
  tool->activateWindow();
  return tool;
}

THGForm* SaturationTool() { return OpenTool(); }

void CloseSaturationTool() {
  if (THGForm* tool = OpenTool()) tool->close();
}

}  // namespace kondra
