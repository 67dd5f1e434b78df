// TPNOINPFrame: the point-number input of the monthly weather display.
//
// A button "地点№" that opens the station chooser (or a plain label in its
// place), an edit box for the point number (item code 9100) and an up-down
// beside it. A number is taken when the edit ends changed (group 91) or the
// up-down is let go: it must lie in 1..PointCount, else the box shows the
// previous number again. A taken number becomes the shown point and the
// current station (weather/Stations.h); PointAccepted then tells the display.
#pragma once

#include <QFrame>
#include <memory>

#include "controls/EditProtocol.h"

namespace Ui {
class TPNOINPFrame;
}

class QLabel;
class QToolButton;

namespace kondra {

class TUpDown;

// A point number was taken since the input's last refresh.
extern bool PointChanged;

inline constexpr int kPointNoItem = 9100;

class TPNOINPFrame : public QFrame, public TEditHost {
  Q_OBJECT

 public:
  explicit TPNOINPFrame(QWidget* parent = nullptr);
  ~TPNOINPFrame() override;

  // Up-down maximum := PointCount; shows PointNo; PointChanged := false.
  void RefreshPointInput();
  // Enables or disables the whole input; showButton 1 shows the "地点№"
  // button, 0 the label in its place.
  void EnablePointInput(bool enabled, int showButton);

  // Takes a point number (typed: from the edit box in progress); false,
  // with the previous number shown again, when it is not a point of the
  // list.
  bool AcceptPoint(int value, bool typed = false);

  TEditEx* NumberEdit() const;
  TUpDown* UpDown() const;
  QToolButton* PointButton() const;

  void CommitItem(QWidget* sender, int group, int row, int column) override;
  QString ItemHint(int itemCode) const override;

 signals:
  // A number was taken; fromUpDown when it came from the up-down.
  void PointAccepted(bool fromUpDown);
  // The "地点№" button: the station chooser is to be opened.
  void ChooserRequested();

 private:
  void ShowNumber(int number);

  std::unique_ptr<Ui::TPNOINPFrame> ui;
};

}  // namespace kondra
