#include "weather/gui/ChartPnlFM.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "controls/Fonts.h"
#include "controls/ListHelpers.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "output/gui/GRSVForm.h"
#include "ui_ChartPnlFM.h"

namespace kondra {

QPointer<QChartView> PanelChart;
int32_t PanelMode = 0;
bool SeriesHidden = false;

namespace {

const QString kClearCaption = QStringLiteral("ｸﾘｱｰ");
const QString kCheckCaption = QStringLiteral("ﾁｪｯｸ");
constexpr int kLegendRowHeight = 17;
constexpr int kPanelRoom = 95;  // the chart panel's corner

// A small picture of the series: a filled square for bars, a piece of its
// line for lines.
QIcon SeriesIcon(QAbstractSeries* series) {
  QPixmap picture(22, 12);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  if (auto* bar = qobject_cast<QBarSeries*>(series)) {
    for (QBarSet* set : bar->barSets()) {
      if (set->property("blankSlot").toBool()) continue;
      p.fillRect(QRect(6, 1, 10, 10), set->color());
      p.setPen(set->borderColor());
      p.drawRect(QRect(6, 1, 9, 9));
      break;
    }
  } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(line->pen());
    p.drawLine(1, 6, 21, 6);
  }
  return QIcon(picture);
}

}  // namespace

void SetSeriesChecked(QAbstractSeries* series, bool checked) {
  if (series) series->setVisible(checked);
}

TChartLegend::TChartLegend(QChartView* view) : QWidget(view), view_(view) {
  setObjectName(QStringLiteral("LEGEND"));
  setFont(LegacyFont(kFontGothic, 8));
  setAttribute(Qt::WA_TranslucentBackground);
}

void TChartLegend::Rebuild() {
  qDeleteAll(checks_);
  checks_.clear();
  view_->chart()->legend()->hide();
  for (QAbstractSeries* series : view_->chart()->series()) {
    auto* check = new QCheckBox(series->name(), this);
    check->setIcon(SeriesIcon(series));
    check->setIconSize(QSize(22, 12));
    check->setChecked(series->isVisible());
    check->setFocusPolicy(Qt::NoFocus);
    check->setProperty("series", QVariant::fromValue(static_cast<QObject*>(series)));
    connect(check, &QCheckBox::toggled, series, [series](bool on) { series->setVisible(on); });
    connect(series, &QAbstractSeries::visibleChanged, check, [check, series] {
      QSignalBlocker quiet(check);
      check->setChecked(series->isVisible());
    });
    checks_ << check;
  }
  Relayout();
}

QCheckBox* TChartLegend::CheckOf(const QAbstractSeries* series) const {
  for (QCheckBox* check : checks_)
    if (check->property("series").value<QObject*>() == series) return check;
  return nullptr;
}

void TChartLegend::Relayout() {
  const int width = std::max(100, view_->width() - kPanelRoom - 8);
  int x = 0, y = 0;
  for (QCheckBox* check : checks_) {
    const QSize size = check->sizeHint();
    if (x > 0 && x + size.width() > width) {
      x = 0;
      y += kLegendRowHeight;
    }
    check->setGeometry(x, y, size.width(), kLegendRowHeight);
    x += size.width() + 6;
  }
  const int height = checks_.isEmpty() ? 0 : y + kLegendRowHeight;
  setGeometry(8, 4, width, height);
  QMargins margins = view_->chart()->margins();
  margins.setTop(shown_ ? height + 4 : 2);
  view_->chart()->setMargins(margins);
  setVisible(shown_);
}

void TChartLegend::SetShown(bool shown) {
  shown_ = shown;
  Relayout();
}

TChartLegend* LegendOf(const QChartView* view) {
  return view ? view->findChild<TChartLegend*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

TCPNLFrame::TCPNLFrame(QWidget* parent) : QFrame(parent), ui(std::make_unique<Ui::TCPNLFrame>()) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  connect(ui->SBTN_1, &QToolButton::clicked, this, &TCPNLFrame::ToggleLegend);
  connect(ui->SBTN_2, &QToolButton::clicked, this, &TCPNLFrame::ToggleAllSeries);
  connect(ui->SBTN_5, &QToolButton::clicked, this, &TCPNLFrame::SaveChart);
  connect(ui->SBTN_6, &QToolButton::clicked, this, [this] {
    QWidget* chart = PanelChart ? static_cast<QWidget*>(PanelChart.data()) : parentWidget();
    if (chart) chart->hide();
    emit ChartClosed();
  });
  connect(ui->SBTN_3, &QToolButton::clicked, this, [] {
    if (PanelChart) PanelChart->chart()->zoom(1.25);
  });
  connect(ui->SBTN_4, &QToolButton::clicked, this, [] {
    if (PanelChart) PanelChart->chart()->zoom(0.8);
  });
  InstallPanelDrag(this, {ui->PNL_0});
}

TCPNLFrame::~TCPNLFrame() = default;

QToolButton* TCPNLFrame::LegendButton() const { return ui->SBTN_1; }
QToolButton* TCPNLFrame::CheckAllButton() const { return ui->SBTN_2; }
QToolButton* TCPNLFrame::SaveButton() const { return ui->SBTN_5; }
QToolButton* TCPNLFrame::CloseButton() const { return ui->SBTN_6; }

void TCPNLFrame::SetupChartPanel(int mode) {
  if (!PanelChart) return;
  const int w = mode % 10 == 2 ? 135 : 80;
  const int byRows = mode / 10;
  const int h = byRows == 3 ? 93 : byRows == 2 ? 57 : 41;
  setFixedSize(w, h);
  ui->PNL_0->setGeometry(0, 0, w, h);
  QWidget* chart = parentWidget() ? parentWidget() : PanelChart.data();
  move(chart->width() - w - 5, 5);
  raise();
  PanelMode = mode;
  SeriesHidden = false;
  ui->SBTN_2->setText(kClearCaption);
  ui->SBTN_3->setVisible(PanelMode > 20);
  ui->SBTN_4->setVisible(PanelMode > 20);
  ui->SBTN_5->setEnabled(true);
  PointAtControl(ui->SBTN_6);
}

void TCPNLFrame::ToggleLegend() {
  if (!PanelChart) return;
  if (TChartLegend* legend = LegendOf(PanelChart)) legend->SetShown(!legend->Shown());
}

void TCPNLFrame::ToggleAllSeries() {
  if (!PanelChart) return;
  const bool clear = ui->SBTN_2->text() == kClearCaption;
  for (QAbstractSeries* series : PanelChart->chart()->series()) SetSeriesChecked(series, !clear);
  ui->SBTN_2->setText(clear ? kCheckCaption : kClearCaption);
  SeriesHidden = clear;
}

void TCPNLFrame::SaveChart() {
  if (!PanelChart) return;
  if (!Contains(".EMF", CurPath)) {
    MsgBox("保存ファイル名 ： " + CurPath + "\r\r" + "ファイル名の拡張子が正しくありません。（拡張子は'.EMF'です）", 3, 1);
    return;
  }
  TGRSVForm dialog(window());
  SetupPictureSave(dialog, PanelChart.data(), CurPath);
  dialog.exec();
  PointAtControl(ui->SBTN_5);
}

}  // namespace kondra
