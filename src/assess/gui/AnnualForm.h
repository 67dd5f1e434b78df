// The window 年間結露判定: the year-round check of the open calculation's
// construction on a climate of the bundled weather or on twelve months the
// user types. Modeless; opened from the main window's 表示 menu. It shows the
// climate of every month, the condensation planes with their rates and the
// water they hold, a chart of that water through the year, the verdict and
// the mould criterion, and prints or saves all of it as PDF.
#pragma once

#include <QWidget>
#include <string>

#include "assess/Annual.h"
#include "assess/AnnualClimate.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QTableWidget;

namespace kondra {

class TAnnualForm : public QWidget {
 public:
  explicit TAnnualForm(QWidget* parent = nullptr);

  // Takes the open calculation again and judges it.
  void Reload();
  const AnnualResult& Result() const { return result_; }
  // Draws the page: title, verdict, the monthly table and the chart.
  void PaintPage(QPainter& painter, const QRect& page);
  // The page as a one-page PDF (program path); false after a message.
  bool SavePdf(const std::string& path);

 private:
  void FillClimates();
  void Assess();
  void ShowResult();
  void ShowChart();
  void StoreTypedMonths();
  void PrintPage();
  void AskAndSavePdf();

  QComboBox* climate_ = nullptr;
  QComboBox* inside_ = nullptr;
  QLineEdit* insideTemp_ = nullptr;
  QTableWidget* typed_ = nullptr;
  QTableWidget* months_ = nullptr;
  QChartView* chart_ = nullptr;
  QLabel* verdict_ = nullptr;
  QLabel* surface_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* pdf_ = nullptr;
  YearClimate year_{};
  AnnualResult result_;
  bool assessed_ = false;
  bool filling_ = false;
  TypedClimate typedMonths_{};
};

// Opens (or raises) the window for the open calculation.
TAnnualForm* ShowAnnualWindow(QWidget* parent);

}  // namespace kondra
