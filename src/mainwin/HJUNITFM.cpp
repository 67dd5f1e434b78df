#include "mainwin/HJUNITFM.h"

#include <QToolButton>

#include "controls/ListHelpers.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Folders.h"
#include "env/Text.h"
#include "env/Units.h"
#include "records/TableFile.h"

namespace kondra {

THJUNITFrame::THJUNITFrame(QWidget* parent) : QFrame(parent) {
  setObjectName("HJUNITFrame");
  setFixedSize(148, 21);
  SBTN = new QToolButton(this);
  SBTN->setObjectName("SBTN");
  SBTN->setText(" 表示単位系");
  SBTN->setToolTip("説明文");
  SBTN->setStatusTip("説明文");
  SBTN->setAutoRaise(true);
  SBTN->setGeometry(1, 0, 68, 20);
  CBOX = new TCBoxEx(this);
  CBOX->setObjectName("CBOX");
  CBOX->setCellFrame(false);
  CBOX->setTag(1000);
  CBOX->setMaxVisibleItems(14);
  CBOX->setGeometry(71, 0, 75, 20);
  // Yellow while it can be used; disabled it looks as any disabled list.
  CBOX->setStyleSheet("QComboBox:enabled { background: #ffff00; }");
  connect(SBTN, &QToolButton::clicked, this, [this] {
    ShowTableFile(DatDir + "単位系.EXP");
    PointAtControl(SBTN);
  });
  Reload();
}

void THJUNITFrame::Reload() {
  LoadTableNames(CBOX, DatDir + "単位系.DAT", false);
  ShowCurrent();
}

void THJUNITFrame::ShowCurrent() {
  SelectListItem(CBOX, Q(UnitSystemName));
  const QString hint = Q("入力・表示単位系（" + UnitSystemName + "）");
  CBOX->setToolTip(hint);
  CBOX->setStatusTip(hint);
}

void THJUNITFrame::CBOXcomEnter(TCBoxEx* sender) {
  if (Edit.editing && CurrentCombo() != sender) AbandonEditing();
  TEditHost::CBOXcomEnter(sender);
}

void THJUNITFrame::CBOXcomDropDown(TCBoxEx* sender) {
  listChoice_ = true;
  TEditHost::CBOXcomDropDown(sender);
}

void THJUNITFrame::CBOXcomClick(TCBoxEx* sender) {
  TEditHost::CBOXcomClick(sender);
  // A choice from the dropped list is taken at once; arrow keys on the
  // closed list only move the choice until the box is left or Enter pressed.
  if (listChoice_) {
    listChoice_ = false;
    CBOXcomExit(sender);
  }
}

void THJUNITFrame::CommitItem(QWidget*, int group, int, int) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  if (group != 10) return;
  const std::string name = TrimBoth(StripTag(Edit.newText));
  const bool changed = !name.empty() && name != UnitSystemName;
  if (changed) SetUnitSystem(name);
  ShowCurrent();
  AbandonEditing();
  setFocus(Qt::OtherFocusReason);
  if (changed) emit UnitSystemChanged();
}

}  // namespace kondra
