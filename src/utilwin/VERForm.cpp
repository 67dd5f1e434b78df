#include "utilwin/VERForm.h"

#include <QCoreApplication>
#include <QShowEvent>

#include "controls/ImagEx.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "ui_VERForm.h"

namespace kondra {

TVERForm::TVERForm(QWidget* parent) : QDialog(parent), ui_(new Ui::TVERForm) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  connect(ui_->BTN1, &QPushButton::clicked, this, &QDialog::accept);
}

TVERForm::~TVERForm() { delete ui_; }

void TVERForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) {
    activated_ = true;
    Activate();
  }
}

void TVERForm::Activate() {
  // A window that did not name the program shows the box's own defaults.
  const bool named = !ProgramTitle.empty() && !ProgramName.empty();
  ui_->LBL1->setText(Q(named ? ProgramTitle : std::string("プログラムバージョン情報 Ver.1.00")));
  ui_->LBL2->setText(Q(named ? ProgramName : std::string("Duvo.EXE Ver.1.00")));
  ui_->LBL3->setText(Q(FileDateText(ExecutablePath())));
  ui_->LBL4->setText(Q(EnvRow[1]));
  if (!ui_->IMAG1->LoadPicture(VersionPicturePath())) ui_->IMAG1->ClearPicture();
  PointAtControl(ui_->BTN1);
}

std::string ExecutablePath() { return fs::FromNative(QCoreApplication::applicationFilePath().toStdString()); }

std::string VersionPicturePath() { return PictDir.empty() ? std::string() : PictDir + "KONDRA.BMP"; }

void ShowVersionBox(QWidget* parent) {
  TVERForm box(parent);
  box.exec();
  ShowStatus();
}

}  // namespace kondra
