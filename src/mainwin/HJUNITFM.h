// THJUNITFrame: the unit-system selector strip of the main window. The
// button " 表示単位系" explains the unit systems (単位系.EXP); the list of
// 単位系.DAT switches the unit system used for every value shown and typed.
// Stored values stay in engineering units; the main window redraws itself
// in the new units when UnitSystemChanged is emitted.
#pragma once

#include <QFrame>

#include "controls/CBoxEx.h"
#include "controls/EditProtocol.h"

class QToolButton;

namespace kondra {

class THJUNITFrame : public QFrame, public TEditHost {
  Q_OBJECT

 public:
  explicit THJUNITFrame(QWidget* parent = nullptr);

  QToolButton* SBTN = nullptr;
  TCBoxEx* CBOX = nullptr;

  // Lists the unit systems again and shows the current one with its hint.
  void Reload();

  void CommitItem(QWidget* sender, int group, int row, int column) override;
  void CBOXcomEnter(TCBoxEx* sender) override;
  void CBOXcomDropDown(TCBoxEx* sender) override;
  void CBOXcomClick(TCBoxEx* sender) override;

 signals:
  void UnitSystemChanged();

 private:
  void ShowCurrent();
  bool listChoice_ = false;  // the list was dropped down: a choice ends the edit
};

}  // namespace kondra
