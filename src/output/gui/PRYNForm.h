// TPRYNForm: the print-method dialog. It names the current printer and asks
// whether to print on it ("はい(&Y)") or not ("中止(&C)"); for a window hard
// copy it also asks for the scaling. The printer can be changed from here.
//
// Opened by AskPrintMethod (output/gui/Printing.h), which sets
// PrinterInfo.DialogMode first: 217 high with the scaling choice for a mode
// above 0, 118 high without it for mode 0.
#pragma once

#include <QDialog>

namespace Ui {
class TPRYNForm;
}

namespace kondra {

inline constexpr int kPrintDialogWidth = 440;
inline constexpr int kPrintDialogTall = 217;
inline constexpr int kPrintDialogShort = 118;

class TPRYNForm : public QDialog {
  Q_OBJECT

 public:
  explicit TPRYNForm(QWidget* parent = nullptr);
  ~TPRYNForm() override;

  // True after "はい(&Y)".
  bool Answer() const { return answer_; }
  // Height, the scaling group and the label for PrinterInfo as it stands.
  void ApplyLayout();

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ChangePrinter();
  void Yes();
  void Cancel();

  Ui::TPRYNForm* ui_;
  bool answer_ = false;
};

// "<printer>（ＰＤＦファイル）でいいですか？" or "<printer>（プリンター）の準備はいいですか？".
QString PrinterQuestion();

}  // namespace kondra
