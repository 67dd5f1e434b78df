#include "output/gui/PRYNForm.h"

#include <QRadioButton>

#include "controls/QtMessageFace.h"
#include "output/PrinterInfo.h"
#include "output/gui/Printing.h"
#include "ui_PRYNForm.h"

namespace kondra {

QString PrinterQuestion() {
  const QString name = QString::fromStdString(PrinterInfo.DeviceName);
  return name + (PrinterInfo.IsPdf ? QStringLiteral("（ＰＤＦファイル）でいいですか？")
                                   : QStringLiteral("（プリンター）の準備はいいですか？"));
}

TPRYNForm::TPRYNForm(QWidget* parent) : QDialog(parent), ui_(new Ui::TPRYNForm) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  connect(ui_->SBTN1, &QPushButton::clicked, this, [this] { ChangePrinter(); });
  connect(ui_->BTN1, &QPushButton::clicked, this, [this] { Yes(); });
  connect(ui_->BTN2, &QPushButton::clicked, this, [this] { Cancel(); });
  ApplyLayout();
}

TPRYNForm::~TPRYNForm() { delete ui_; }

void TPRYNForm::ApplyLayout() {
  const bool scaling = PrinterInfo.DialogMode > 0;
  const int height = scaling ? kPrintDialogTall : kPrintDialogShort;
  setFixedSize(kPrintDialogWidth, height);
  ui_->RADG1->setVisible(scaling);
  // The label and the buttons keep their distance to the bottom edge.
  ui_->LBL1->move(ui_->LBL1->x(), height - 100);
  for (QWidget* button : {static_cast<QWidget*>(ui_->SBTN1), static_cast<QWidget*>(ui_->BTN1),
                          static_cast<QWidget*>(ui_->BTN2)})
    button->move(button->x(), height - 60);
  ui_->SBTN1->setEnabled(true);
  ui_->LBL1->setText(PrinterQuestion());
}

void TPRYNForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ApplyLayout();
  PointAtControl(ui_->BTN1);
}

void TPRYNForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    ApplyLayout();
    PointAtControl(ui_->BTN1);
  }
}

void TPRYNForm::reject() {
  // The close box and Esc are "中止(&C)".
  answer_ = false;
  PrintMethod = pmCancelled;
  QDialog::reject();
}

void TPRYNForm::ChangePrinter() {
  if (!RunPrinterSetupDialog(this)) return;
  CheckPrinter();
  ApplyLayout();
}

void TPRYNForm::Yes() {
  answer_ = true;
  const QRadioButton* items[] = {ui_->RADG1_0, ui_->RADG1_1, ui_->RADG1_2};
  PrintMethod = pmProportional;
  for (int i = 0; i < 3; ++i)
    if (items[i]->isChecked()) PrintMethod = i + 1;
  accept();
}

void TPRYNForm::Cancel() { reject(); }

}  // namespace kondra
