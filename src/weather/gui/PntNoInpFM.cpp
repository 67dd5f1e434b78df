#include "weather/gui/PntNoInpFM.h"

#include "controls/Fonts.h"
#include "controls/ListHelpers.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Numbers.h"
#include "ui_PntNoInpFM.h"
#include "weather/Stations.h"
#include "weather/gui/UpDown.h"

namespace kondra {

bool PointChanged = false;

TPNOINPFrame::TPNOINPFrame(QWidget* parent) : QFrame(parent), ui(std::make_unique<Ui::TPNOINPFrame>()) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  ui->EDIT_No->setCellFrame(false);
  ui->EDIT_No->setEditType(TEditEx::etSmallInt);
  ui->EDIT_No->setMaxLength(6);
  ui->EDIT_No->setTag(kPointNoItem);
  ui->UPDN_No->setTag(kPointNoItem);
  ui->UPDN_No->setMinimum(1);
  ui->LBL_No->hide();
  connect(ui->SBTN_No, &QToolButton::clicked, this, [this] { emit ChooserRequested(); });
  connect(ui->UPDN_No, &TUpDown::Released, this, [this] {
    if (!ui->UPDN_No->isEnabled()) return;
    if (AcceptPoint(ui->UPDN_No->value())) emit PointAccepted(true);
  });
}

TPNOINPFrame::~TPNOINPFrame() = default;

TEditEx* TPNOINPFrame::NumberEdit() const { return ui->EDIT_No; }
TUpDown* TPNOINPFrame::UpDown() const { return ui->UPDN_No; }
QToolButton* TPNOINPFrame::PointButton() const { return ui->SBTN_No; }

void TPNOINPFrame::ShowNumber(int number) {
  ui->UPDN_No->setMaximum(std::max(1, PointCount));
  ui->EDIT_No->setText(Q(FormatInt(5, number)));
  SetUpDownQuietly(ui->UPDN_No, number);
}

void TPNOINPFrame::RefreshPointInput() {
  PointChanged = false;
  ShowNumber(CurStation.PointNo);
}

void TPNOINPFrame::EnablePointInput(bool enabled, int showButton) {
  for (QWidget* w : std::initializer_list<QWidget*>{ui->PNL_No, ui->EDIT_No, ui->UPDN_No, ui->SBTN_No, this})
    w->setEnabled(enabled);
  ui->SBTN_No->setVisible(showButton == 1);
  ui->LBL_No->setVisible(showButton == 0);
}

bool TPNOINPFrame::AcceptPoint(int value, bool typed) {
  if (!InRange(value, 1, PointCount)) {
    // The box shows the number it showed before.
    if (typed)
      RevertEdit(ui->EDIT_No);
    else
      ShowNumber(CurStation.PointNo);
    return false;
  }
  PointChanged = true;
  ShownPoint = value;
  SelectStation(value, "", "", "");
  ShowNumber(CurStation.PointNo);
  ui->UPDN_No->setFocus(Qt::OtherFocusReason);
  return true;
}

void TPNOINPFrame::CommitItem(QWidget*, int group, int, int) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  if (group != kPointNoItem / 100 || Edit.itemCode != kPointNoItem) return;
  if (AcceptPoint(Edit.newInteger, true)) emit PointAccepted(false);
}

QString TPNOINPFrame::ItemHint(int itemCode) const {
  return itemCode == kPointNoItem ? QStringLiteral("地点№入力") : QString();
}

}  // namespace kondra
