// TINPForm: the small input dialog that asks for one or two short values
// with two lines of explanation above them.
//
// The caller describes the question in InpType (env/FileChanges.h), shows
// the dialog modally and reads the answer back from InpType and the answer
// flags: MsgYes after 確定, MsgCancel after 中止. Core code asks through
// ShowInputDialog(), which reaches this dialog once InstallQtInputFace() has
// run.
#pragma once

#include <QDialog>
#include <QPoint>

#include <string>

#include "controls/EditProtocol.h"
#include "env/FileChanges.h"

namespace Ui {
class TINPForm;
}

namespace kondra {

class TINPForm : public QDialog, public TEditHost {
  Q_OBJECT

 public:
  explicit TINPForm(QWidget* parent = nullptr);
  ~TINPForm() override;

  // The first box's text as the dialog closed (typed or not, whichever
  // button closed it).
  const std::string& LastText() const { return lastText_; }

  void CommitItem(QWidget* sender, int group, int row, int column) override;

 public slots:
  void done(int result) override;
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SpreadRangeLabel();
  void Activate();
  void ShowValues();
  void Accept();
  void Cancel();

  Ui::TINPForm* ui_;
  bool activated_ = false;
  QPoint pointer_;
  int callerItem_ = 0;
  int callerGroup_ = 0;
  std::string lastText_;
};

// Shows the dialog for InpType over `parent` (default: the active window).
InputAnswer RunInputDialog(QWidget* parent = nullptr);

// Makes the dialog the input face of the program (ShowInputDialog,
// AskNamePart, ConfirmSaveAs).
void InstallQtInputFace();

}  // namespace kondra
