#include "utilwin/CLOSEForm.h"

#include <QButtonGroup>
#include <QShowEvent>

#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/Environment.h"
#include "env/Messages.h"
#include "ui_CLOSEForm.h"

namespace kondra {

int CloseChoice = 0;

namespace {

// The caption of 終了 for each item.
const char* const kFinishCaptions[5] = {"", "終了(&Y)", "破棄終了(&Y)", "保存終了(&Y)", "保存再開(&Y)"};

std::function<int(bool)>& Hook() {
  static std::function<int(bool)> hook;
  return hook;
}

}  // namespace

TCLOSEForm::TCLOSEForm(QWidget* parent) : QDialog(parent), ui_(new Ui::TCLOSEForm) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* group = new QButtonGroup(this);
  group->addButton(ui_->RADG1_1, 1);
  group->addButton(ui_->RADG1_2, 2);
  group->addButton(ui_->RADG1_3, 3);
  group->addButton(ui_->RADG1_4, 4);
  connect(group, &QButtonGroup::idClicked, this, [this](int item) {
    Select(item);
    PointAtControl(ui_->BTN1);
  });
  connect(ui_->BTN1, &QPushButton::clicked, this, [this] { Finish(); });
  connect(ui_->BTN2, &QPushButton::clicked, this, [this] { Cancel(); });
}

TCLOSEForm::~TCLOSEForm() { delete ui_; }

int TCLOSEForm::SelectedItem() const {
  const QRadioButton* items[] = {ui_->RADG1_1, ui_->RADG1_2, ui_->RADG1_3, ui_->RADG1_4};
  for (int i = 0; i < 4; ++i)
    if (items[i]->isChecked()) return i + 1;
  return 1;
}

void TCLOSEForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) {
    activated_ = true;
    Activate();
  }
}

void TCLOSEForm::Activate() {
  // Without unsaved changes there is nothing to choose.
  ui_->RADG1->setEnabled(DataModified);
  Select(DataModified ? kCloseDiscard : kCloseNoChanges);
  CloseChoice = kCloseCancelled;
  ui_->LBL1->setText(Q(ProgramName + " を終了しますか？"));
  PointAtControl(ui_->BTN1);
  ShowStatus();
  Face().Beep();
}

void TCLOSEForm::Select(int item) {
  QRadioButton* items[] = {ui_->RADG1_1, ui_->RADG1_2, ui_->RADG1_3, ui_->RADG1_4};
  items[item - 1]->setChecked(true);
  ui_->BTN1->setText(Q(kFinishCaptions[item]));
}

void TCLOSEForm::Finish() {
  MsgYes = true;
  MsgCancel = false;
  CloseChoice = SelectedItem();
  done(QDialog::Accepted);
}

void TCLOSEForm::Cancel() {
  MsgYes = false;
  MsgCancel = true;
  CloseChoice = kCloseCancelled;
  done(QDialog::Rejected);
}

void TCLOSEForm::reject() {
  // Escape and the close box end nothing.
  Cancel();
}

int AskCloseChoice(QWidget* parent) {
  if (Hook()) {
    CloseChoice = Hook()(DataModified);
    MsgYes = CloseChoice != kCloseCancelled;
    MsgCancel = !MsgYes;
    return CloseChoice;
  }
  TCLOSEForm dialog(parent);
  dialog.exec();
  return CloseChoice;
}

void SetCloseChoiceHook(std::function<int(bool modified)> hook) { Hook() = std::move(hook); }

}  // namespace kondra
