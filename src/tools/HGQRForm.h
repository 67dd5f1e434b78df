// THGQRForm: the saturation curve report, the print preview of the curve
// tool. One A4 page with the captured tool window and the table of the
// saturated humidity amount with its 90 % … 10 % fractions for the tool's
// temperature range and unit (at most 35 lines), shrunk to the window or
// shown at 100 %, printed through the tools' printing services.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "psychro/SatChart.h"
#include "tools/SatReportPage.h"

namespace Ui {
class THGQRForm;
}

namespace kondra {

class THGQRForm : public QDialog {
  Q_OBJECT

 public:
  // Reads the tool's range, unit and saturation table; the picture of the
  // tool is the window capture WindowCaptureFile() (output/gui/WindowCapture.h).
  explicit THGQRForm(const SatChart& chart, QWidget* parent = nullptr);
  ~THGQRForm() override;

  SatReportPage* Page() const;
  // The page shown (1) or none yet (0).
  int ReportPage() const { return reportPage_; }
  int ReportZoom() const { return zoom_; }
  bool ReportFullSize() const { return fullSize_; }

  // Shows page `index` + 1, building it the first time.
  void SelectPage(int index);
  // Fills the page once (while its footer is still empty).
  void BuildSatReport();
  // Shrinks the preview to the page's shape (or shows it at 100 %).
  void FitReportPage();
  // "印刷(&P)...": through the attached printing services, or, when none are
  // attached, into a PDF file the user names.
  void PrintReportPage();
  // Writes the page (built first when it is not yet) as a one-page A4 PDF
  // file, whole: an earlier file stays as it was when writing fails. False,
  // with a message naming the file, on failure.
  bool SaveReportPdf(const std::string& path);

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Activate();
  void LayOut();
  void EnableButtons();

  std::unique_ptr<Ui::THGQRForm> ui;
  SatChart chart_;
  int reportPage_ = 0;
  int zoom_ = 50;
  bool fullSize_ = false;
  bool fitting_ = false;
};

}  // namespace kondra
