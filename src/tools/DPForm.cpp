#include "tools/DPForm.h"

#include <QEvent>
#include <QFontDialog>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "controls/Fonts.h"
#include "controls/ListHelpers.h"
#include "controls/MemoEx.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Text.h"
#include "tools/Handover.h"
#include "tools/ToolIcons.h"
#include "tools/ToolPrinting.h"
#include "ui_DPForm.h"

namespace kondra {

namespace {

QPointer<TDPForm>& OpenTool() {
  static QPointer<TDPForm> tool;
  return tool;
}

void SetTextColour(QWidget* w, const QColor& colour) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, colour);
  w->setPalette(pal);
}

}  // namespace

TDPForm::TDPForm(QWidget* parent) : QDialog(parent), ui(new Ui::TDPForm) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setMaximumSize(642, kTallHeight);
  setFixedSize(642, kShortHeight);

  QPalette white = ui->PNL1->palette();
  white.setColor(QPalette::Window, Qt::white);
  ui->PNL1->setPalette(white);
  SetTextColour(ui->LBL7, QColor(0, 0, 160));
  SetTextColour(ui->LBL8, QColor(0, 96, 192));
  SetTextColour(ui->LBL10, Qt::red);

  ui->IMAG_Gage->resize(1, 1);
  glass_.Load();
  ui->LBL2_1->setText(QStringLiteral("解説文"));
  LoadMemoFile(ui->MEMO1, HelpDir + "KDR解説.MSG", false);
  ScrollMemoToLine(ui->MEMO1, 1);

  ui->SBTN3->setIcon(PrinterIcon());
  ui->SBTN3->setEnabled(HardCopyAvailable());
  ui->SBTN2->setEnabled(false);

  for (int tag = 1; tag <= 3; ++tag) {
    QSlider* bar = Bar(tag);
    bar->installEventFilter(this);
    connect(bar, &QSlider::valueChanged, this, [this, tag](int position) { BarMoved(tag, position); });
  }
  connect(ui->SBTN2, &QToolButton::clicked, this, &TDPForm::AdoptCondition);
  connect(ui->SBTN1, &QToolButton::clicked, this, &TDPForm::ToggleExplanation);
  connect(ui->SBTN3, &QToolButton::clicked, this, [this] { HardCopyTool(this); });
  connect(ui->BTN1, &QAbstractButton::clicked, this, &TDPForm::ChooseFont);
  ShowAir();
}

TDPForm::~TDPForm() = default;

QSlider* TDPForm::Bar(int tag) const {
  switch (tag) {
    case 1:
      return ui->TBAR1;
    case 2:
      return ui->TBAR2;
    default:
      return ui->TBAR3;
  }
}

AirBar TDPForm::Fixed() const {
  if (ui->RBTN1->isChecked()) return AirBar::Temp;
  if (ui->RBTN3->isChecked()) return AirBar::Vapour;
  return AirBar::RelHum;
}

// ---------------------------------------------------------------- the bars

void TDPForm::EnterBar(int tag) {
  activeBar_ = tag;
  if (tag == 1) {
    if (!ui->RBTN2->isChecked() && !ui->RBTN3->isChecked()) ui->RBTN2->setChecked(true);
  } else {
    ui->RBTN1->setChecked(true);
  }
}

void TDPForm::BarMoved(int tag, int position) {
  if (tag != activeBar_) return;
  BarMoves moves;
  switch (tag) {
    case 1:
      moves = air_.TempBarMoved(position, Fixed());
      break;
    case 2:
      moves = air_.RelHumBarMoved(position);
      break;
    default:
      moves = air_.VapourBarMoved(position);
      break;
  }
  if (moves.relHum >= 0) SetUpDownQuietly(ui->TBAR2, moves.relHum);
  if (moves.vapour >= 0) SetUpDownQuietly(ui->TBAR3, moves.vapour);
  ShowAir();
}

void TDPForm::SetBar(int tag, int position) {
  activeBar_ = tag;
  Bar(tag)->setValue(position);
}

// ---------------------------------------------------------------- display

void TDPForm::ShowAir() {
  const AirView v = ViewOf(air_);

  // The glass stands on the bottom of its window and grows upwards.
  const QRect well = ui->PNL1->geometry();
  const int w = std::max(1, v.glassWidth), h = std::max(1, v.glassHeight);
  ui->IMAG_Gage->setGeometry(well.center().x() - w / 2, well.bottom() - 6 - h, w, h);
  ui->IMAG_Gage->SetPicture(glass_.Compose(v.glass));

  ui->LBL4->setText(Q(v.tempValue));
  ui->LBL5->setText(Q(v.relHumValue));
  ui->LBL6->setText(Q(v.vapourValue));
  ui->LBL7->setText(Q(v.stateText));
  ui->LBL7->setToolTip(Q(v.stateHint));
  ui->LBL8->setText(Q(v.amountText));
  ui->LBL8->setToolTip(Q(v.amountHint));
  ui->LBL9->setText(Q(v.dewPointText));
  ui->LBL9->setToolTip(Q(v.dewPointHint));
  ui->LBL10->setText(Q(v.waterText));
  ui->LBL10->setToolTip(Q(v.waterHint));
  ui->LBL10->setVisible(v.waterVisible);
  ui->SBTN2->setEnabled(v.adoptEnabled);
  if (isVisible()) repaint();
}

void TDPForm::PlaceScales() {
  if (scalesPlaced_) return;
  scalesPlaced_ = true;
  struct Scale {
    int tag, last, step;
  };
  const Scale scales[] = {{1, kTempBarMax, 5}, {2, 100, 10}, {3, kVapourBarMax, 5}};
  QFont small = LegacyFont(kFontPGothic, 7);
  for (const Scale& s : scales) {
    QSlider* bar = Bar(s.tag);
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.tickPosition = bar->tickPosition();
    const QRect groove = bar->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, bar);
    const int handle = bar->style()->pixelMetric(QStyle::PM_SliderLength, &option, bar);
    for (int value = 0; value <= s.last; value += s.step) {
      const int x = groove.x() + handle / 2 +
                    QStyle::sliderPositionFromValue(bar->minimum(), bar->maximum(), value, groove.width() - handle);
      auto* caption = new QLabel(QString::number(value), bar->parentWidget());
      caption->setFont(small);
      caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
      caption->setGeometry(bar->x() + x - 15, bar->y() - 12, 30, 12);
      caption->show();
      scales_ << caption;
    }
  }
}

// ---------------------------------------------------------------- commands

void TDPForm::Activate() {
  if (closing_ || !isVisible()) return;
  AdoptIndoor = false;
  // The room every activation starts from, read back as the hand-over text.
  const std::string text = HandoverText(20, 50);
  if (text.size() >= 10 && text[3] == '.' && text.find("  ") != std::string::npos) {
    for (int n = 1; n <= 2; ++n)
      SetBar(n, static_cast<int>(RoundEven(TextToFloat(text.substr(static_cast<std::size_t>(5 * n - 5), 5)))));
  }
  activeBar_ = 1;
}

void TDPForm::AdoptCondition() {
  MsgBox(AdoptQuestion(air_), 2, 3);
  if (!MsgYes) return;
  HandOverRoom(air_.AirTemp, air_.AirRelHum);
  closing_ = true;
  close();
}

bool TDPForm::ExplanationShown() const { return height() >= kTallHeight; }

void TDPForm::ToggleExplanation() {
  if (!ExplanationShown()) {
    setFixedSize(642, kTallHeight);
    for (int tag : {3, 2, 1}) SetBar(tag, 0);
    ui->SBTN1->setToolTip(QStringLiteral("解説文を消す"));
    ui->SBTN2->setEnabled(false);
  } else {
    setFixedSize(642, kShortHeight);
    ui->SBTN1->setToolTip(QStringLiteral("解説文を表示する"));
  }
}

void TDPForm::SetMemoFont(const QFont& font) {
  ui->MEMO1->setFont(font);
  ui->BTN1->setToolTip(QStringLiteral("フォント<%1>").arg(font.pointSize()));
}

void TDPForm::ChooseFont() {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, ui->MEMO1->font(), this, QStringLiteral("フォント変更"));
  if (ok) SetMemoFont(font);
}

// ---------------------------------------------------------------- events

void TDPForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Activate();
}

void TDPForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PlaceScales();
}

bool TDPForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (int tag = 1; tag <= 3; ++tag)
      if (watched == Bar(tag)) EnterBar(tag);
  }
  return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- entry points

TDPForm* ShowHumidityTool(QWidget* parent) {
  QPointer<TDPForm>& tool = OpenTool();
  if (!tool) {
    tool = new TDPForm(parent);
    tool->setAttribute(Qt::WA_DeleteOnClose);
    QRect around = parent ? parent->frameGeometry() : QRect();
    if (around.isEmpty() && tool->screen()) around = tool->screen()->availableGeometry();
    if (!around.isEmpty()) tool->move(around.center() - QPoint(tool->width() / 2, tool->height() / 2));
  }
  tool->show();
  tool->raise();
  tool->activateWindow();
  return tool;
}

TDPForm* HumidityTool() { return OpenTool(); }

void CloseHumidityTool() {
  if (TDPForm* tool = OpenTool()) tool->close();
}

}  // namespace kondra
