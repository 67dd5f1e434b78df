// TCPNLFrame: the small panel in the corner of a weather chart: legend on
// and off ("凡例"), every series off and on again ("ｸﾘｱｰ" / "ﾁｪｯｸ"), save
// the chart (through the chart-save dialog) and close ("×"). The panels act on PanelChart, the chart the monthly display
// made current. The panel can be dragged around inside its chart.
//
// TChartLegend: the legend of a weather chart, a check box per series.
#pragma once

#include <QFrame>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class TCPNLFrame;
}

class QAbstractSeries;
class QChartView;
class QCheckBox;
class QToolButton;

namespace kondra {

extern QPointer<QChartView> PanelChart;  // the chart the panels act on
extern int32_t PanelMode;                // layout mode of the last set-up
extern bool SeriesHidden;                // the check-all button reads "ﾁｪｯｸ"

// The legend of a chart: a check box per series, with the series' colour
// and line, laid out in rows along the chart's top edge (clear of the chart
// panel). A check switches its series on and off and follows the series
// when it is switched otherwise.
class TChartLegend : public QWidget {
  Q_OBJECT

 public:
  explicit TChartLegend(QChartView* view);

  // One check per series of the chart, in series order.
  void Rebuild();
  QCheckBox* CheckOf(const QAbstractSeries* series) const;
  const QList<QCheckBox*>& Checks() const { return checks_; }
  // Shows or hides the legend; the plot takes the room it leaves.
  void SetShown(bool shown);
  bool Shown() const { return shown_; }
  // Lays the checks out for the chart's width.
  void Relayout();

 private:
  QChartView* view_;
  QList<QCheckBox*> checks_;
  bool shown_ = true;
};

// The legend inside a chart view (nullptr when it has none).
TChartLegend* LegendOf(const QChartView* view);
// Shows or hides a series (its check follows).
void SetSeriesChecked(QAbstractSeries* series, bool checked);

class TCPNLFrame : public QFrame {
  Q_OBJECT

 public:
  explicit TCPNLFrame(QWidget* parent = nullptr);
  ~TCPNLFrame() override;

  // Sizes and places the panel for a mode (11, 12, 21, 22, 31, 32: width
  // by the last digit, height by the first) in its chart's top-right
  // corner. Nothing without a PanelChart.
  void SetupChartPanel(int mode);

  QToolButton* LegendButton() const;
  QToolButton* CheckAllButton() const;
  QToolButton* SaveButton() const;
  QToolButton* CloseButton() const;

  void ToggleLegend();
  void ToggleAllSeries();
  // The chart-save dialog for PanelChart and the current path, shown
  // modally; a current path without ".EMF" is refused with a warning.
  void SaveChart();

 signals:
  // "×": the chart was hidden.
  void ChartClosed();

 private:
  std::unique_ptr<Ui::TCPNLFrame> ui;
};

}  // namespace kondra
