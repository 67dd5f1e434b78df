// TKDRQRForm: the preview of the calculation report, one A4 page "計算結果"
// with the conditions, the layer construction, the results by boundary, the
// judgement, the three pictures of the calculation and the footer, shown
// shrunk to the window or at 100 %, printed on any printer or as PDF.
//
// The page is built from Calc (calculated) and the current unit system the
// first time the page is selected after the window opens. Its pictures are
// the metafiles Kondra(0..2).EMF of the results folder, unless pictures are
// handed over first (SetPictures).
#pragma once

#include <QDialog>

#include <array>
#include <optional>
#include <string>

#include "controls/MetafileEx.h"

namespace Ui {
class TKDRQRForm;
}

namespace kondra {

class TQuickRep;

class TKDRQRForm : public QDialog {
  Q_OBJECT

 public:
  explicit TKDRQRForm(QWidget* parent = nullptr);
  ~TKDRQRForm() override;

  TQuickRep* Page() const { return page_; }
  // Pictures to show instead of the results folder's files.
  void SetPictures(const std::array<TMetafileEx, 3>& pictures);
  // Selects page 1 (built when still missing) as the tab would.
  void SelectPage(int index);
  // Builds the page from Calc.
  void BuildPage();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void MakePage();
  void Activate();
  void Arrange();
  void ZoomChosen();

  Ui::TKDRQRForm* ui_;
  TQuickRep* page_ = nullptr;
  std::optional<std::array<TMetafileEx, 3>> pictures_;
  bool fitting_ = false;
};

// The report-preview command: writes the three pictures into the results
// folder, notes the file's name there and opens the report window modally.
void ShowCalcReport(QWidget* parent);

// The report page of the current calculation as a one-page PDF file, its
// pictures drawn in memory (nothing is written into the results folder).
// False, with the reason in `error`, when the file cannot be written.
bool WriteCalcReportPdf(const std::string& path, std::string* error);

}  // namespace kondra
