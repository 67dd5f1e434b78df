#include "assess/gui/AnnualForm.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <cmath>

#include "calc/CalcState.h"
#include "calc/Engine.h"
#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Units.h"
#include "output/gui/Printing.h"

namespace kondra {
namespace {

constexpr double kPaPerMmHg = 133.322368;
constexpr int kTypedClimate = -1;  // item data of the typed months

QString Number(double value, int decimals) { return QString::number(value, 'f', decimals); }

const char* const kMonthTitles[] = {"月",           "外気温\n(℃)",         "外気水蒸気圧\n(mmHg)", "室温\n(℃)",
                                    "室内水蒸気圧\n(mmHg)", "結露面\n(境界)", "結露量\n(g/m2h)",     "累積\n(g/m2)",
                                    "fRsi,min"};

QPointer<TAnnualForm> g_window;

}  // namespace

TAnnualForm::TAnnualForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("AnnualForm");
  setWindowTitle(QStringLiteral("年間結露判定"));
  setFont(LegacyFont(kFontPGothic, 9));
  auto* layout = new QVBoxLayout(this);

  auto* choose = new QHBoxLayout;
  choose->addWidget(new QLabel(QStringLiteral("外気:")));
  climate_ = new QComboBox;
  climate_->setObjectName("CB_Climate");
  climate_->setMinimumWidth(220);
  choose->addWidget(climate_);
  choose->addSpacing(12);
  choose->addWidget(new QLabel(QStringLiteral("室内:")));
  inside_ = new QComboBox;
  inside_->setObjectName("CB_Inside");
  inside_->addItem(QStringLiteral("内側の条件で一定"));
  static const int kClassPa[] = {270, 540, 810, 1080, 1350};
  for (int k = 1; k <= 5; ++k)
    inside_->addItem(QStringLiteral("湿度クラス%1（外気＋%2Pa）").arg(k).arg(kClassPa[k - 1]));
  choose->addWidget(inside_);
  choose->addWidget(new QLabel(QStringLiteral("室温(℃):")));
  insideTemp_ = new QLineEdit;
  insideTemp_->setObjectName("ED_InsideTemp");
  insideTemp_->setMaximumWidth(60);
  choose->addWidget(insideTemp_);
  choose->addStretch();
  layout->addLayout(choose);

  typed_ = new QTableWidget(2, 12);
  typed_->setObjectName("GRD_Typed");
  QStringList monthNames;
  for (int m = 1; m <= 12; ++m) monthNames << QStringLiteral("%1月").arg(m);
  typed_->setHorizontalHeaderLabels(monthNames);
  typed_->setVerticalHeaderLabels({QStringLiteral("外気温(℃)"), QStringLiteral("外気湿度(%)")});
  typed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  typed_->setFixedHeight(90);
  layout->addWidget(typed_);

  months_ = new QTableWidget(12, 9);
  months_->setObjectName("GRD_Months");
  QStringList titles;
  for (const char* t : kMonthTitles) titles << Q(t);
  months_->setHorizontalHeaderLabels(titles);
  months_->verticalHeader()->hide();
  months_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Every figure whole: the columns take their contents' width.
  months_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  months_->horizontalHeader()->setStretchLastSection(true);
  months_->setTextElideMode(Qt::ElideNone);
  months_->verticalHeader()->setDefaultSectionSize(20);
  months_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  months_->setFixedHeight(months_->horizontalHeader()->sizeHint().height() + 12 * 20 + 4);
  layout->addWidget(months_);

  chart_ = new QChartView;
  chart_->setObjectName("CHV_Water");
  chart_->setMinimumHeight(220);
  chart_->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(chart_);

  verdict_ = new QLabel;
  verdict_->setObjectName("LBL_Verdict");
  verdict_->setFont(LegacyFont(kFontPGothic, 11));
  surface_ = new QLabel;
  surface_->setObjectName("LBL_Surface");
  surface_->setWordWrap(true);
  surface_->setMinimumHeight(36);
  layout->addWidget(verdict_);
  layout->addWidget(surface_);

  auto* buttons = new QHBoxLayout;
  auto* judge = new QPushButton(QStringLiteral("判定(&J)"));
  judge->setObjectName("BTN_Judge");
  print_ = new QPushButton(QStringLiteral("印刷(&P)..."));
  print_->setObjectName("BTN_Print");
  pdf_ = new QPushButton(QStringLiteral("PDF保存(&F)..."));
  pdf_->setObjectName("BTN_Pdf");
  auto* close = new QPushButton(QStringLiteral("閉じる(&C)"));
  close->setObjectName("BTN_Close");
  buttons->addWidget(judge);
  buttons->addStretch();
  buttons->addWidget(print_);
  buttons->addWidget(pdf_);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  resize(900, 820);

  FillClimates();
  connect(climate_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) Assess();
  });
  connect(inside_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) Assess();
  });
  connect(insideTemp_, &QLineEdit::editingFinished, this, [this] { Assess(); });
  connect(judge, &QPushButton::clicked, this, [this] { Assess(); });
  connect(print_, &QPushButton::clicked, this, [this] { PrintPage(); });
  connect(pdf_, &QPushButton::clicked, this, [this] { AskAndSavePdf(); });
  connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void TAnnualForm::FillClimates() {
  filling_ = true;
  climate_->clear();
  climate_->addItem(QStringLiteral("入力した12か月"), kTypedClimate);
  auto* model = qobject_cast<QStandardItemModel*>(climate_->model());
  int first = -1;
  for (const ClimateChoice& c : ClimateChoices()) {
    climate_->addItem(QStringLiteral("№%1 %2").arg(c.point).arg(Q(c.name)), c.point);
    QStandardItem* item = model->item(climate_->count() - 1);
    if (!c.usable) {
      item->setEnabled(false);
      item->setToolTip(Q(c.reason));
    } else if (first < 0) {
      first = climate_->count() - 1;
    }
  }
  climate_->setCurrentIndex(first >= 0 ? first : 0);
  LoadTypedClimate(typedMonths_);
  for (int m = 0; m < 12; ++m) {
    typed_->setItem(0, m, new QTableWidgetItem(Number(typedMonths_[static_cast<std::size_t>(m)].temp, 1)));
    typed_->setItem(1, m, new QTableWidgetItem(Number(typedMonths_[static_cast<std::size_t>(m)].relHum, 0)));
  }
  filling_ = false;
}

void TAnnualForm::Reload() {
  filling_ = true;
  insideTemp_->setText(Number(Calc.SideCond[2].Temp, 1));
  filling_ = false;
  Assess();
}

void TAnnualForm::StoreTypedMonths() {
  TypedClimate months{};
  for (int m = 0; m < 12; ++m) {
    auto cell = [&](int row) {
      const QTableWidgetItem* item = typed_->item(row, m);
      bool ok = false;
      const double v = item ? item->text().trimmed().toDouble(&ok) : 0;
      return ok ? v : 0.0;
    };
    months[static_cast<std::size_t>(m)] = {cell(0), cell(1)};
  }
  bool changed = false;
  for (std::size_t m = 0; m < 12; ++m)
    changed = changed || months[m].temp != typedMonths_[m].temp || months[m].relHum != typedMonths_[m].relHum;
  typedMonths_ = months;
  if (changed) SaveTypedClimate(typedMonths_);
}

void TAnnualForm::Assess() {
  assessed_ = false;
  const bool typed = climate_->currentData().toInt() == kTypedClimate;
  typed_->setVisible(typed);
  insideTemp_->setEnabled(inside_->currentIndex() > 0);
  std::string problem;
  const InputCheck check = CheckInput(Calc);
  if (!check.ok) problem = "計算の入力が揃っていません：" + check.message;
  std::vector<AnnualRow> rows;
  for (int k = 1; k <= Calc.LayerCount; ++k)
    rows.push_back({Calc.LayerData[static_cast<std::size_t>(k)].ThermalRes,
                    Calc.LayerData[static_cast<std::size_t>(k)].VapourRes});
  year_ = YearClimate{};
  if (problem.empty()) {
    if (typed) {
      StoreTypedMonths();
      for (const TypedMonth& m : typedMonths_)
        if (m.relHum <= 0 || m.relHum > 100 || m.temp < -50 || m.temp > 100)
          problem = "入力した12か月の温湿度が範囲外か未入力です（-50～100℃、0より大きく100％以下）。";
      ApplyTypedClimate(typedMonths_, year_);
    } else {
      std::string name;
      PointClimate(climate_->currentData().toInt(), year_, name, problem);
    }
  }
  if (problem.empty()) {
    bool ok = false;
    double ti = insideTemp_->text().trimmed().toDouble(&ok);
    if (inside_->currentIndex() == 0 || !ok) ti = Calc.SideCond[2].Temp;
    ApplyInside(year_, inside_->currentIndex(), ti, Calc.SideCond[2].RelHum);
    if (AssessYear(rows, year_, result_, problem)) assessed_ = true;
  }
  print_->setEnabled(assessed_);
  pdf_->setEnabled(assessed_);
  if (!assessed_) {
    result_ = AnnualResult{};
    months_->clearContents();
    chart_->setChart(new QChart);
    verdict_->setText(QStringLiteral("判定できません"));
    surface_->setText(Q(problem));
    return;
  }
  ShowResult();
  ShowChart();
}

void TAnnualForm::ShowResult() {
  const bool si = SIUnits;
  const double scale = si ? 1.0 : 1.0 / kPaPerMmHg;
  const int decimals = si ? 0 : 2;
  const QString unit = si ? QStringLiteral("(Pa)") : QStringLiteral("(mmHg)");
  months_->horizontalHeaderItem(2)->setText(QStringLiteral("外気水蒸気圧\n") + unit);
  months_->horizontalHeaderItem(4)->setText(QStringLiteral("室内水蒸気圧\n") + unit);
  months_->clearContents();
  // The months in the order calculated (from the start month), else January first.
  for (int i = 0; i < 12; ++i) {
    const int month = result_.startMonth ? (result_.startMonth - 1 + i) % 12 + 1 : i + 1;
    const MonthAir& air = year_[static_cast<std::size_t>(month - 1)];
    QStringList planes, rates, held;
    for (const AnnualMonthResult& m : result_.months)
      if (m.month == month)
        for (const AnnualPlane& p : m.planes) {
          planes << QString::number(p.boundary);
          rates << Number(p.rate, 4);
          held << Number(p.accumulated, 1);
        }
    const auto& f = result_.surface[static_cast<std::size_t>(month - 1)].fRsiMin;
    const QString cells[] = {QStringLiteral("%1月").arg(month), Number(air.outsideTemp, 1),
                             Number(air.outsidePress * scale, decimals), Number(air.insideTemp, 1),
                             Number(air.insidePress * scale, decimals), planes.isEmpty() ? "-" : planes.join(" / "),
                             rates.isEmpty() ? "-" : rates.join(" / "), held.isEmpty() ? "-" : held.join(" / "),
                             f ? Number(*f, 3) : QStringLiteral("-")};
    for (int c = 0; c < 9; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(c == 0 ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter));
      months_->setItem(i, c, item);
    }
  }
  QString verdict = Q(VerdictText(result_.verdict));
  if (result_.startMonth)
    verdict += QStringLiteral("（%1月から12か月、最大累積 %2 g/m2：%3月）")
                   .arg(result_.startMonth)
                   .arg(Number(result_.maxAccumulated, 1))
                   .arg(result_.maxMonth);
  verdict_->setText(QStringLiteral("判定：") + verdict);
  const bool bad = result_.verdict == AnnualVerdict::Accumulates;
  verdict_->setStyleSheet(bad ? "color: #c00000;" : "color: #000080;");
  if (result_.largestFRsiMin) {
    const double need = *result_.largestFRsiMin;
    surface_->setText(QStringLiteral("表面のカビ判定：必要な温度係数 fRsi,min = %1（%2月）　この構成の fRsi = %3 %4　"
                                     "室内側表面抵抗0.25m2K/Wでは %5 %6")
                          .arg(Number(need, 3))
                          .arg(result_.largestFRsiMinMonth)
                          .arg(Number(result_.fRsi, 3))
                          .arg(result_.fRsi >= need ? QStringLiteral("満たす") : QStringLiteral("満たさない"))
                          .arg(Number(result_.fRsiMouldCheck, 3))
                          .arg(result_.fRsiMouldCheck >= need ? QStringLiteral("満たす") : QStringLiteral("満たさない")));
  } else {
    surface_->setText(QStringLiteral("表面のカビ判定：室内が外気より5K以上暖かい月がないので、温度係数は求めません。"));
  }
}

void TAnnualForm::ShowChart() {
  auto* chart = new QChart;
  chart->setTitle(QStringLiteral("結露面ごとの累積水分量 (g/m2)"));
  chart->setFont(font());
  std::vector<int> boundaries;
  for (const AnnualMonthResult& m : result_.months)
    for (const AnnualPlane& p : m.planes)
      if (std::find(boundaries.begin(), boundaries.end(), p.boundary) == boundaries.end()) boundaries.push_back(p.boundary);
  double top = 1;
  auto* axisX = new QValueAxis;
  axisX->setRange(0, 12);
  axisX->setTickCount(13);
  axisX->setLabelFormat("%d");
  axisX->setTitleText(result_.startMonth ? QStringLiteral("%1月からの月数").arg(result_.startMonth)
                                         : QStringLiteral("月数"));
  auto* axisY = new QValueAxis;
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  for (int b : boundaries) {
    auto* series = new QLineSeries;
    series->setName(QStringLiteral("境界%1").arg(b));
    series->append(0, 0);
    for (std::size_t i = 0; i < result_.months.size(); ++i) {
      double held = 0;
      for (const AnnualPlane& p : result_.months[i].planes)
        if (p.boundary == b) held = p.accumulated;
      series->append(static_cast<double>(i + 1), held);
      top = std::max(top, held);
    }
    chart->addSeries(series);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
  }
  axisY->setRange(0, top * 1.1);
  axisY->setLabelFormat("%.0f");
  chart->legend()->setVisible(!boundaries.empty());
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  delete old;
}

void TAnnualForm::PaintPage(QPainter& painter, const QRect& page) {
  painter.save();
  const double scale = page.width() / 900.0;
  painter.translate(page.topLeft());
  painter.scale(scale, scale);
  // Pixel sizes: the page is drawn in window pixels, then scaled to the device.
  QFont title = LegacyFont(kFontPGothic);
  title.setPixelSize(20);
  painter.setFont(title);
  painter.drawText(QRect(0, 0, 900, 30), Qt::AlignLeft, QStringLiteral("年間結露判定　") + climate_->currentText());
  QFont text = LegacyFont(kFontPGothic);
  text.setPixelSize(12);
  painter.setFont(text);
  painter.drawText(QRect(0, 32, 900, 20), Qt::AlignLeft,
                   QStringLiteral("室内：") + inside_->currentText() + QStringLiteral("　") + Q(Calc.Title));
  int y = 60;
  for (QWidget* part : std::initializer_list<QWidget*>{verdict_, surface_, months_, chart_}) {
    const QSize size(900, part == months_ ? months_->height() : part == chart_ ? 300 : part->heightForWidth(900) > 0 ? part->heightForWidth(900) + 6 : part->sizeHint().height() + 6);
    QWidget* w = part;
    const QSize was = w->size();
    w->resize(size);
    w->render(&painter, QPoint(0, y), QRegion(), QWidget::DrawChildren);
    w->resize(was);
    y += size.height() + 8;
  }
  painter.restore();
}

bool TAnnualForm::SavePdf(const std::string& path) {
  std::string error;
  const bool ok = WritePdfPage(path,
                               [this](QPaintDevice* device) {
                                 QPainter painter(device);
                                 const QRect page(0, 0, device->width(), device->height());
                                 PaintPage(painter, page.adjusted(page.width() / 20, page.width() / 20,
                                                                  -page.width() / 20, 0));
                               },
                               &error);
  if (!ok) MsgBox(error, 3, 1);
  return ok;
}

void TAnnualForm::AskAndSavePdf() {
  const auto chosen = AskPdfFile(this, ProposedPdfFile("_年間結露判定.pdf"));
  if (!chosen) return;
  if (SavePdf(*chosen)) ShowStatus("〔PDF保存完了〕<" + *chosen + ">");
}

void TAnnualForm::PrintPage() {
  PrintReportPainter(this, [this](QPaintDevice* device) {
    QPainter painter(device);
    const QRect page(0, 0, device->width(), device->height());
    PaintPage(painter, page.adjusted(page.width() / 20, page.width() / 20, -page.width() / 20, 0));
  });
}

TAnnualForm* ShowAnnualWindow(QWidget* parent) {
  if (!g_window) g_window = new TAnnualForm(parent);
  g_window->Reload();
  g_window->show();
  g_window->raise();
  g_window->activateWindow();
  return g_window;
}

}  // namespace kondra
