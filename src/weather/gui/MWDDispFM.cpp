#include "weather/gui/MWDDispFM.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPointer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "controls/Fonts.h"
#include "controls/ListHelpers.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "controls/StrGEx.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "env/Units.h"
#include "output/Palette.h"
#include "records/TableFile.h"
#include "ui_MWDDispFM.h"
#include "weather/MonthlyTable.h"
#include "weather/Stations.h"
#include "weather/gui/ChartPnlFM.h"
#include "weather/gui/PntNoInpFM.h"
#include "weather/gui/PntStInpFM.h"

namespace kondra {

namespace {

constexpr int kChartLeft = 32;
constexpr int kChartTop = 88;
constexpr int kChartW = 699;
constexpr int kChartH = 268;
constexpr int kChooserLeft = 554;
constexpr int kBaseHeight = 390;
constexpr int kCellPadding = 4;  // the grid's text inset and a pixel to spare

enum class SeriesKind { Bar, Line };
enum AxisId { kAxisLeft, kAxisRight, kAxisHumidity, kAxisPrecipitation };

struct SeriesStyle {
  const char* title;
  SeriesKind kind;
  AxisId axis;
  int width;
  bool dotted;
  QRgb colour;
};

// Series of each chart, in the order of its table rows (ChartRows).
const std::vector<SeriesStyle>& SeriesOf(int kind) {
  static const std::vector<SeriesStyle> overview = {
      {"全日射量", SeriesKind::Bar, kAxisRight, 0, false, 0xF4A43C},
      {"降水量", SeriesKind::Bar, kAxisPrecipitation, 0, false, 0x5A8CE6},
      {"垂直壁南", SeriesKind::Bar, kAxisRight, 0, false, 0xE6D25A},
      {"平均気温", SeriesKind::Line, kAxisLeft, 2, false, 0x008C00},
      {"最高気温", SeriesKind::Line, kAxisLeft, 1, false, 0xE00000},
      {"最低気温", SeriesKind::Line, kAxisLeft, 1, false, 0x0000E0},
      {"極暑気温", SeriesKind::Line, kAxisLeft, 1, true, 0xC80078},
      {"極寒気温", SeriesKind::Line, kAxisLeft, 1, true, 0x0078C8},
      {"相対湿度", SeriesKind::Line, kAxisHumidity, 2, false, 0x00A0A0},
      {"土中温度", SeriesKind::Line, kAxisLeft, 2, false, 0x8B4513},
  };
  static const std::vector<SeriesStyle> temperature = {
      {"最高気温", SeriesKind::Line, kAxisLeft, 1, false, 0xE00000},
      {"最低気温", SeriesKind::Line, kAxisLeft, 1, false, 0x0000E0},
      {"極暑気温", SeriesKind::Line, kAxisLeft, 1, true, 0xC80078},
      {"極寒気温", SeriesKind::Line, kAxisLeft, 1, true, 0x0078C8},
      {"土中温度", SeriesKind::Line, kAxisLeft, 2, false, 0x8B4513},
      {"平均気温", SeriesKind::Line, kAxisLeft, 2, false, 0x008C00},
  };
  static const std::vector<SeriesStyle> radiation = {
      {"全日射量", SeriesKind::Bar, kAxisLeft, 0, false, 0xF4A43C},
      {"４寸傾東", SeriesKind::Bar, kAxisLeft, 0, false, 0xE65A5A},
      {"４寸傾西", SeriesKind::Bar, kAxisLeft, 0, false, 0x5AB45A},
      {"４寸傾南", SeriesKind::Bar, kAxisLeft, 0, false, 0xE6A0C8},
      {"４寸傾北", SeriesKind::Bar, kAxisLeft, 0, false, 0x78A0E6},
      {"垂直壁東", SeriesKind::Bar, kAxisLeft, 0, false, 0xA03232},
      {"垂直壁西", SeriesKind::Bar, kAxisLeft, 0, false, 0x287828},
      {"垂直壁南", SeriesKind::Bar, kAxisLeft, 0, false, 0xE6D25A},
      {"垂直壁北", SeriesKind::Bar, kAxisLeft, 0, false, 0x2850A0},
  };
  static const std::vector<SeriesStyle> none;
  switch (kind) {
    case 1:
      return overview;
    case 2:
      return temperature;
    case 3:
      return radiation;
    default:
      return none;
  }
}

const char* const kMonthNames[12] = {"１月", "２月", "３月", "４月",   "５月",   "６月",
                                     "７月", "８月", "９月", "１０月", "１１月", "１２月"};
// The radiation rows hold monthly totals (the table's unit "x100kcal/㎡" is
// the total of the column's month or year); a chart plots months only.
const char* const kSolarTitle = "日射量（x100kcal/㎡月）";

QFont ChartFont(int size) { return LegacyFont(kFontGothic, size); }

QValueAxis* ValueAxis(const QString& title, double min, double max, double step) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setTitleFont(ChartFont(8));
  axis->setLabelsFont(ChartFont(7));
  axis->setLabelFormat(QStringLiteral("%d"));
  // A label is always drawn whole ("-15", never "…").
  axis->setTruncateLabels(false);
  axis->setRange(min, max);
  axis->setTickCount(static_cast<int>(std::lround((max - min) / step)) + 1);
  axis->setProperty("step", step);
  return axis;
}

// An axis whose labels cover only part of the height: `from` (0..1 of the
// plot height, counted from the top) down to the bottom holds lo..hi.
QCategoryAxis* PartAxis(const QString& title, double lo, double hi, double step, double from) {
  auto* axis = new QCategoryAxis;
  axis->setTitleText(title);
  axis->setTitleFont(ChartFont(8));
  axis->setLabelsFont(ChartFont(7));
  axis->setRange(lo, lo + (hi - lo) / (1.0 - from));
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (double v = lo; v <= hi + 1e-9; v += step) axis->append(QString::number(std::lround(v)), v);
  axis->setGridLineVisible(false);
  axis->setTruncateLabels(false);
  return axis;
}

// Range lo..hi in whole steps around the values, with a floor of `floor`
// when every value is above it.
void FitAxis(QValueAxis* axis, float lo, float hi, bool any, double fallbackLo, double fallbackHi) {
  const double step = axis->property("step").toDouble();
  double min = fallbackLo, max = fallbackHi;
  if (any) {
    min = std::min(0.0, std::floor(lo / step) * step);
    max = std::ceil(hi / step) * step;
    if (max <= min) max = min + step;
  }
  axis->setTickCount(static_cast<int>(std::lround((max - min) / step)) + 1);
  axis->setRange(min, max);
}

QColor PaletteColour(int32_t number) {
  if (number < 0) return QColor(Qt::white);
  const int32_t rgb = ColorOf(number);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

}  // namespace

TMWDDispFrame::TMWDDispFrame(QWidget* parent) : QFrame(parent), ui(std::make_unique<Ui::TMWDDispFrame>()) {
  InstallLegacyFontNames();
  ui->setupUi(this);

  TStrGridEx* grid = ui->STRG1;
  grid->setColCount(kTableCols);
  grid->setRowCount(kTableRows);
  grid->setFixedCols(2);
  grid->setFixedRows(1);
  grid->setDefaultRowHeight(18);
  for (int c = 0; c < kTableCols; ++c) {
    grid->SetColWidth(c, TableColWidths()[static_cast<std::size_t>(c)]);
    grid->SetCells(c, 0, Q(TableTitles()[static_cast<std::size_t>(c)]));
  }
  grid->setScrollBars(TStrGridEx::ssVertical);
  connect(grid, &TStrGridEx::DrawCell, this, &TMWDDispFrame::DrawTableCell);
  connect(grid, &TStrGridEx::MouseUp, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (button != Qt::LeftButton) return;
    int col = 0, row = 0;
    if (ui->STRG1->MouseToCell(QPoint(x, y), col, row)) ExplainCell(col, row);
  });

  ui->LBL_ERR->hide();
  ui->PNL2->hide();
  ui->PNL_SI->installEventFilter(this);
  ui->RBTN2_1->setProperty("Tag", 1);
  ui->RBTN2_2->setProperty("Tag", 2);
  ui->RBTN2_3->setProperty("Tag", 3);
  for (QRadioButton* radio : {ui->RBTN2_1, ui->RBTN2_2, ui->RBTN2_3})
    connect(radio, &QRadioButton::clicked, this, [this, radio] { SelectChartKind(radio->property("Tag").toInt()); });
  connect(ui->SBTN1, &QToolButton::clicked, this, [this] {
    ShowChart();
    UpdateChartButtons();
    if (TCPNLFrame* panel = ChartPanel(chartKind_)) PointAtControl(panel->CloseButton());
  });

  TPNOINPFrame* input = ui->PNOINPFM;
  connect(input, &TPNOINPFrame::PointAccepted, this, &TMWDDispFrame::OnPointAccepted);
  connect(input, &TPNOINPFrame::ChooserRequested, this, [this] { ui->PSTINPFM->OpenChooser(); });
  TPSTINPFrame* chooser = ui->PSTINPFM;
  chooser->hide();
  connect(chooser, &TPSTINPFrame::PointChosen, this, [this] { ShowMonthly(ShownPoint); });
  connect(chooser, &TPSTINPFrame::Closed, this, [this] { PointAtControl(ui->PNOINPFM->PointButton()); });

  BuildCharts();
}

TMWDDispFrame::~TMWDDispFrame() {
  for (QChartView* chart : charts_)
    if (chart && PanelChart == chart) PanelChart = nullptr;
}

TStrGridEx* TMWDDispFrame::Table() const { return ui->STRG1; }
QChartView* TMWDDispFrame::Chart(int kind) const { return kind >= 1 && kind <= 3 ? charts_[kind] : nullptr; }
TCPNLFrame* TMWDDispFrame::ChartPanel(int kind) const { return kind >= 1 && kind <= 3 ? panels_[kind] : nullptr; }
TPNOINPFrame* TMWDDispFrame::PointInput() const { return ui->PNOINPFM; }
TPSTINPFrame* TMWDDispFrame::StationChooser() const { return ui->PSTINPFM; }
QToolButton* TMWDDispFrame::ChartButton() const { return ui->SBTN1; }
QLabel* TMWDDispFrame::Label(const char* name) const { return findChild<QLabel*>(QString::fromLatin1(name)); }

void TMWDDispFrame::BuildCharts() {
  for (int kind = 1; kind <= 3; ++kind) {
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setAnimationOptions(QChart::NoAnimation);

    auto* months = new QBarCategoryAxis;
    for (const char* m : kMonthNames) months->append(QString::fromUtf8(m));
    months->setLabelsFont(ChartFont(7));
    months->setGridLineVisible(false);
    months->setTruncateLabels(false);
    chart->addAxis(months, Qt::AlignBottom);

    std::array<QAbstractAxis*, 4> axes{};
    if (kind == 1) {
      axes[kAxisLeft] = ValueAxis(QStringLiteral("温度（℃）"), -20, 40, 10);
      axes[kAxisRight] = ValueAxis(Q(kSolarTitle), 0, 1000, 200);
      axes[kAxisRight]->setProperty("solar", true);
      axes[kAxisHumidity] = PartAxis(QStringLiteral("湿度（％）"), 30, 90, 10, 0.50);
      axes[kAxisPrecipitation] = PartAxis(QStringLiteral("降水量（mm）"), 0, 600, 100, 0.17);
      chart->addAxis(axes[kAxisLeft], Qt::AlignLeft);
      chart->addAxis(axes[kAxisPrecipitation], Qt::AlignLeft);
      chart->addAxis(axes[kAxisRight], Qt::AlignRight);
      chart->addAxis(axes[kAxisHumidity], Qt::AlignRight);
    } else if (kind == 2) {
      axes[kAxisLeft] = ValueAxis(QStringLiteral("温度（℃）"), -10, 35, 5);
      axes[kAxisRight] = ValueAxis(QStringLiteral("日射量（kcal/㎡日）"), -2000, 4000, 1000);
      chart->addAxis(axes[kAxisLeft], Qt::AlignLeft);
      chart->addAxis(axes[kAxisRight], Qt::AlignRight);
    } else {
      axes[kAxisLeft] = ValueAxis(Q(kSolarTitle), 0, 1000, 200);
      axes[kAxisLeft]->setProperty("solar", true);
      chart->addAxis(axes[kAxisLeft], Qt::AlignLeft);
    }
    for (int i = 0; i < 4; ++i)
      if (axes[static_cast<std::size_t>(i)]) axes[static_cast<std::size_t>(i)]->setProperty("axisId", i);

    // Bars of different series stand side by side: each bar series keeps
    // a slot for every bar series of the chart and fills only its own.
    const auto& styles = SeriesOf(kind);
    const int bars =
        static_cast<int>(std::count_if(styles.begin(), styles.end(), [](const SeriesStyle& s) { return s.kind == SeriesKind::Bar; }));
    int barSlot = 0;
    for (const SeriesStyle& style : styles) {
      const QString title = QString::fromUtf8(style.title);
      QAbstractSeries* series = nullptr;
      if (style.kind == SeriesKind::Bar) {
        auto* bar = new QBarSeries;
        bar->setName(title);
        bar->setBarWidth(0.85);
        for (int slot = 0; slot < bars; ++slot) {
          auto* set = new QBarSet(slot == barSlot ? title : QString());
          if (slot == barSlot) {
            set->setColor(QColor(style.colour));
            set->setBorderColor(QColor(style.colour).darker(130));
          } else {
            set->setColor(Qt::transparent);
            set->setBorderColor(Qt::transparent);
            set->setProperty("blankSlot", true);
          }
          for (int m = 0; m < 12; ++m) set->append(0.0);
          bar->append(set);
        }
        ++barSlot;
        series = bar;
      } else {
        auto* line = new QLineSeries;
        line->setName(title);
        QPen pen(QColor(style.colour));
        pen.setWidth(style.width);
        pen.setStyle(style.dotted ? Qt::DotLine : Qt::SolidLine);
        line->setPen(pen);
        line->setPointsVisible(true);
        series = line;
      }
      series->setProperty("checked", true);
      chart->addSeries(series);
      series->attachAxis(months);
      series->attachAxis(axes[style.axis]);
    }
    auto* view = new QChartView(chart, this);
    view->setObjectName(QStringLiteral("CHAT%1").arg(kind));
    view->setRenderHint(QPainter::Antialiasing);
    view->setRubberBand(QChartView::NoRubberBand);
    view->setFrameShape(QFrame::Box);
    view->setGeometry(kChartLeft, kChartTop, kChartW, kChartH);
    view->hide();
    auto* legend = new TChartLegend(view);
    legend->Rebuild();
    auto* panel = new TCPNLFrame(view);
    panel->setObjectName(QStringLiteral("CPNLFM%1").arg(kind));
    panel->move(kChartW - 85, 5);
    connect(panel, &TCPNLFrame::ChartClosed, this, &TMWDDispFrame::OnChartClosed);
    charts_[static_cast<std::size_t>(kind)] = view;
    panels_[static_cast<std::size_t>(kind)] = panel;
  }
}

void TMWDDispFrame::SetupFrame() {
  if (chartKind_ != 0) return;
  for (int kind = 1; kind <= 3; ++kind) charts_[static_cast<std::size_t>(kind)]->move(kChartLeft, kChartTop);
  ui->PSTINPFM->move(kChooserLeft, ui->PSTINPFM->y());
  FitToHeight();
  chartKind_ = 1;
  ShownPoint = CurStation.PointNo;
  if (ShownPoint != 0) SelectStation(ShownPoint, "", "", "");
  ui->PNOINPFM->EnablePointInput(true, 1);
  ShowMonthly(ShownPoint);
  UpdateChartButtons();
}

void TMWDDispFrame::ShowMonthly(int32_t pointNo) {
  Face().SetPointerShape(PointerShape::Hourglass);
  ReadMonthlyRecord(pointNo);
  const MonthlyRecordData& r = MonthlyRecord;
  ui->LBL10->setText(Q("〔 " + CurStation.Captions[0] + " 〕"));
  ui->LBL3->setText(Q(LatLongText(r)));
  ui->LBL4->setText(Q(ElevationText(r)));
  ui->LBL7->setText(Q(CurStation.RegionName + "   " + CurStation.PointName));
  ui->LBL8->setText(Q(r.code));
  ui->LBL5->setText(Q(ExtremesText(r)));

  TStrGridEx* grid = ui->STRG1;
  grid->ClearCells();
  for (int row = 1; row < kTableRows; ++row) grid->SetCells(0, row, QString());
  DataLoad(DatDir + "気象項目.DAT");
  const int rows = std::min<int>(DT_RowCount, kWeatherItemCount);
  for (int row = 1; row <= rows; ++row) {
    const auto r32 = static_cast<std::size_t>(row);
    grid->SetCells(0, row, Q(" " + DT_Name[r32]));
    grid->SetCells(1, row, Q(UnitCellText(row, DT_ColCount >= 2 ? DT_Cell[r32][2] : std::string())));
    for (int col = 2; col <= kTableYearCol; ++col) grid->SetCells(col, row, Q(ValueCellText(row, r.Value(row, col - 1))));
  }
  FitTableColumns();
  Face().SetPointerShape(PointerShape::Arrow);

  ui->PNOINPFM->RefreshPointInput();
  ui->PNOINPFM->EnablePointInput(true, 1);
  ui->PNL_SI->setText(Q(UnitSystemName));
  // No data for the point: no yearly mean temperature (a record of zeros
  // reads 0; a mean between -1 and 1 ℃ is data all the same).
  const std::string year = S(grid->Cells(kTableYearCol, 1));
  ui->LBL_ERR->setVisible(IsAbsentCell(year) || TextToFloat(year) == 0.0);

  const bool exists = CheckFile(MonthlyFile, 0);
  ui->LBL9->setText(exists ? Q(AbbrevPath(MonthlyFile)) : QStringLiteral("※ファイルなし"));
  QPalette pal = ui->LBL9->palette();
  pal.setColor(QPalette::WindowText, exists ? QColor(Qt::black) : QColor(Qt::red));
  ui->LBL9->setPalette(pal);
  setToolTip(Q(MonthlyFile));

  if (ui->PNL2->isVisible()) ShowChart();
}

void TMWDDispFrame::FitTableColumns() {
  // The unit column is as wide as its widest unit ("x100kcal/㎡" does not
  // fit the classic 44 pixels); the month columns give up the room, down to
  // the width of their widest figure.
  TStrGridEx* grid = ui->STRG1;
  const QFontMetrics metrics(grid->font());
  auto needed = [&](int col) {
    int widest = 0;
    for (int row = 0; row < kTableRows; ++row) widest = std::max(widest, metrics.horizontalAdvance(grid->Cells(col, row)));
    return widest + kCellPadding;
  };
  const auto& classic = TableColWidths();
  for (int c = 0; c < kTableCols; ++c) grid->SetColWidth(c, classic[static_cast<std::size_t>(c)]);
  int extra = std::max(0, needed(1) - classic[1]);
  if (extra == 0) return;
  grid->SetColWidth(1, classic[1] + extra);
  for (bool gave = true; extra > 0 && gave;) {
    gave = false;
    for (int c = 2; c < kTableYearCol && extra > 0; ++c)
      if (grid->ColWidth(c) > needed(c)) {
        grid->SetColWidth(c, grid->ColWidth(c) - 1);
        --extra;
        gave = true;
      }
  }
}

void TMWDDispFrame::ShowChart() {
  if (chartKind_ < 1 || chartKind_ > 3) return;
  for (QChartView* chart : charts_)
    if (chart) chart->hide();
  QChartView* view = charts_[static_cast<std::size_t>(chartKind_)];
  PanelChart = view;
  view->show();
  view->raise();
  panels_[static_cast<std::size_t>(chartKind_)]->SetupChartPanel(11);

  const QString solar = Q(UnitText(kSolarTitle));
  for (QAbstractAxis* axis : view->chart()->axes())
    if (axis->property("solar").toBool()) axis->setTitleText(solar);

  QStringList lines;
  GridRowsToLines(ui->STRG1, Q(ChartRows(chartKind_)), kChartWidth, lines);
  FillChart(chartKind_, lines);
  // An open station chooser stays above the chart.
  if (ui->PSTINPFM->isVisible()) ui->PSTINPFM->raise();
  CurPath = WeatherDir + CurStation.PointText + "(C" + std::to_string(chartKind_) + ")" + ".EMF";
}

void TMWDDispFrame::FillChart(int kind, const QStringList& lines) {
  if (lines.isEmpty()) return;
  QChartView* view = charts_[static_cast<std::size_t>(kind)];
  QChart* chart = view->chart();
  chart->zoomReset();
  view->hide();

  struct Extent {
    float lo = 0, hi = 0;
    bool any = false;
    void Add(float v) {
      lo = any ? std::min(lo, v) : v;
      hi = any ? std::max(hi, v) : v;
      any = true;
    }
  };
  std::array<Extent, 4> extents;
  const auto& styles = SeriesOf(kind);
  const QList<QAbstractSeries*> all = chart->series();
  const int count = std::min<int>(static_cast<int>(all.size()), static_cast<int>(lines.size()));
  for (int k = 0; k < count; ++k) {
    const std::string line = S(lines[k]);
    const SeriesStyle& style = styles[static_cast<std::size_t>(k)];
    if (auto* bar = qobject_cast<QBarSeries*>(all[k])) {
      for (QBarSet* set : bar->barSets()) {
        if (set->property("blankSlot").toBool()) continue;
        for (int m = 1; m <= 12; ++m) {
          const std::optional<float> v = ChartLineValue(line, m);
          // A bar of nothing for an absent value.
          set->replace(m - 1, v ? *v : 0.0);
          if (v) extents[style.axis].Add(*v);
        }
      }
    } else if (auto* xy = qobject_cast<QLineSeries*>(all[k])) {
      QList<QPointF> points;
      for (int m = 1; m <= 12; ++m)
        if (const std::optional<float> v = ChartLineValue(line, m)) {
          points << QPointF(m - 1, *v);
          extents[style.axis].Add(*v);
        }
      xy->replace(points);
    }
  }
  for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
    auto* value = qobject_cast<QValueAxis*>(axis);
    if (!value) continue;
    const int id = axis->property("axisId").toInt();
    const Extent& e = extents[static_cast<std::size_t>(id)];
    if (kind == 1 && id == kAxisRight) FitAxis(value, e.lo, e.hi, e.any, 0, 1000);
    if (kind == 2 && id == kAxisLeft) FitAxis(value, e.lo, e.hi, e.any, -10, 35);
    if (kind == 3 && id == kAxisLeft) FitAxis(value, e.lo, e.hi, e.any, 0, 1000);
  }
  view->show();
}

void TMWDDispFrame::UpdateChartButtons() {
  QChartView* view = Chart(chartKind_);
  const bool hidden = !view || view->isHidden();
  ui->SBTN1->setEnabled(hidden);
  ui->LBL11->setVisible(hidden);
  ui->PNL2->setVisible(!hidden);
}

void TMWDDispFrame::SelectChartKind(int kind) {
  if (kind < 1 || kind > 3) return;
  chartKind_ = kind;
  SetRadioQuietly(ui->PNL2, kind);
  ShowChart();
}

void TMWDDispFrame::OnPointAccepted(bool fromUpDown) {
  const QPoint pointer = QCursor::pos();
  ui->PSTINPFM->hide();
  ShowMonthly(ShownPoint);
  UpdateChartButtons();
  if (fromUpDown) QCursor::setPos(pointer);
}

void TMWDDispFrame::OnChartClosed() {
  UpdateChartButtons();
  PointAtControl(ui->SBTN1);
}

void TMWDDispFrame::ExplainCell(int col, int row) {
  if (row < 1 || row >= kTableRows || col < 0 || col >= kTableCols) return;
  DataLoad(DatDir + "気象項目.EXP");
  const std::string explanation = row <= DT_RowCount ? DT_Name[static_cast<std::size_t>(row)] : std::string();
  const std::string text =
      ExplainText(col, row, explanation, S(ui->STRG1->Cells(0, row)), S(ui->STRG1->Cells(col, row)));
  if (!text.empty()) MsgBox(text, 1, 1);
}

void TMWDDispFrame::DrawTableCell(QPainter*, int col, int row, const QRect& rect, int) {
  if (col < 2 || row < 1) return;
  DrawCellText(ui->STRG1, rect, PaletteColour(RowColourNo(row)), ui->STRG1->Cells(col, row));
}

void TMWDDispFrame::FitToHeight() {
  const int dy = std::max(0, height() - kBaseHeight);
  ui->STRG1->setGeometry(kChartLeft, kChartTop, kChartW, kChartH + dy);
  for (QChartView* chart : charts_)
    if (chart) {
      chart->setGeometry(kChartLeft, kChartTop, kChartW, kChartH + dy);
      if (TChartLegend* legend = LegendOf(chart)) legend->Relayout();
    }
  for (int kind = 1; kind <= 3; ++kind)
    if (TCPNLFrame* panel = panels_[static_cast<std::size_t>(kind)]; panel && panel->isVisible())
      panel->move(kChartW - panel->width() - 5, panel->y());
  const int bottom = kChartTop + kChartH + dy + 6;
  ui->LBL11->move(ui->LBL11->x(), bottom);
  ui->LBL9->move(ui->LBL9->x(), bottom);
}

void TMWDDispFrame::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  FitToHeight();
}

bool TMWDDispFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui->PNL_SI && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    ShowTableFile(DatDir + "単位系.EXP");
    PointAtControl(ui->PNL_SI);
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace kondra
