// TMWDDispFrame: the monthly weather display, the working part of the
// window TMONForm (weather/Wmonth.h).
//
// Shows the monthly statistics of the shown point (ShownPoint of
// weather/Stations.h): the station's caption, position and extremes, a
// table STRG1 of the 36 items by month and year in the unit system of the
// moment, and on request one of three charts drawn from the table text:
// 1 "気象概要", 2 "温度", 3 "日射量". The point is chosen with the
// point-number input PNOINPFM or the station chooser PSTINPFM. A click on
// a value explains it in a box.
#pragma once

#include <QFrame>
#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class TMWDDispFrame;
}

class QChartView;
class QLabel;
class QRadioButton;
class QToolButton;

namespace kondra {

class TCPNLFrame;
class TPNOINPFrame;
class TPSTINPFrame;
class TStrGridEx;

class TMWDDispFrame : public QFrame {
  Q_OBJECT

 public:
  explicit TMWDDispFrame(QWidget* parent = nullptr);
  ~TMWDDispFrame() override;

  // 0 until the set-up, then the chart shown or to be shown (1..3).
  int32_t ChartKind() const { return chartKind_; }

  // The set-up at the window's activation; acts the first time only.
  void SetupFrame();
  // Reads and shows a point's record (and refreshes a chart on show).
  void ShowMonthly(int32_t pointNo);
  // Shows the chart of ChartKind, filled from the table.
  void ShowChart();
  void UpdateChartButtons();
  // The box that explains a table cell.
  void ExplainCell(int col, int row);
  // A chart-kind radio button.
  void SelectChartKind(int kind);

  TStrGridEx* Table() const;
  QChartView* Chart(int kind) const;
  TCPNLFrame* ChartPanel(int kind) const;
  TPNOINPFrame* PointInput() const;
  TPSTINPFrame* StationChooser() const;
  QToolButton* ChartButton() const;
  QLabel* Label(const char* name) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildCharts();
  void FillChart(int kind, const QStringList& lines);
  void DrawTableCell(QPainter* canvas, int col, int row, const QRect& rect, int state);
  void OnPointAccepted(bool fromUpDown);
  void OnChartClosed();
  void FitToHeight();
  // Widens the unit column to its widest text, at the month columns' cost.
  void FitTableColumns();

  std::unique_ptr<Ui::TMWDDispFrame> ui;
  int32_t chartKind_ = 0;
  std::array<QChartView*, 4> charts_{};   // [1..3]
  std::array<TCPNLFrame*, 4> panels_{};   // [1..3]
  int baseHeight_ = 390;
};

}  // namespace kondra
