// TGRSVForm: the chart-save dialog. It stores a chart as an enhanced
// metafile and, when asked, as a bitmap beside it.
//
//   TGRSVForm dialog(this);
//   SetupPictureSave(dialog, chartView, CurPath);  // a name ending in ".EMF"
//   dialog.exec();                                 // MsgYes: saved
//
// The dialog shows a preview of the chart (drawn through a metafile in the
// user's cache folder, which is deleted again at once) with its size, the
// target's name (in full or abbreviated), whether it exists already, and the
// two formats. The name typed or chosen always ends in ".EMF".
#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>
#include <string>

#include "controls/EditProtocol.h"
#include "controls/MetafileEx.h"

namespace Ui {
class TGRSVForm;
}

namespace kondra {

// The dialog's state; one dialog at a time.
extern QPointer<QWidget> SaveChart;  // the chart to save; none: nothing to save
extern std::string SaveTarget;       // full path of the metafile to write
extern std::string SaveOriginal;     // the path the dialog was opened with

class TGRSVForm : public QDialog, public TEditHost {
  Q_OBJECT

 public:
  explicit TGRSVForm(QWidget* parent = nullptr);
  ~TGRSVForm() override;

  // The rules that follow every change: which controls are enabled and
  // visible.
  void ApplyEnablingRules();
  // EDIT1 shows the target in full, or abbreviated while CBTN1 is checked;
  // its hint is always the full path.
  void ApplyDisplayRule();
  // The preview's picture (empty before the dialog is shown).
  const TMetafileEx& Preview() const { return preview_; }

  void CommitItem(QWidget* sender, int group, int row, int column) override;
  QString ItemHint(int itemCode) const override;

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Activate();
  // A name the user gave: the target becomes its folder and base name with
  // ".EMF".
  void TakeName(const std::string& text);
  void Browse();
  void RestoreName();
  void Run();
  void Cancel();

  Ui::TGRSVForm* ui_;
  TMetafileEx preview_;
  bool activated_ = false;
};

// Prepares the dialog for a chart and the current file name.
void SetupPictureSave(TGRSVForm& dialog, QWidget* chart, const std::string& path);

// The platform's save-picture dialog: gets the parent, the proposed file
// (program path) and the filter; returns the chosen file (program path) or
// nothing when cancelled. Tests put their own in; nullptr restores the
// platform's.
using SavePictureDialog =
    std::function<std::optional<std::string>(QWidget* parent, const std::string& file, const std::string& filter)>;
void SetSavePictureDialog(SavePictureDialog dialog);

}  // namespace kondra
