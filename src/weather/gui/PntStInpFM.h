// TPSTINPFrame: the station chooser of the monthly weather display.
//
// Hidden until the "地点№" button opens it. Two lists: the regions of the
// country (item code 9101) and the points of the chosen region (9102),
// both numbered "%3d:name". Choosing a region lists its points without
// choosing one; choosing a point makes it the shown point and the current
// station (weather/Stations.h) and PointChosen tells the display. The
// close button "×" puts back the station of the moment of opening when a
// region was chosen but no point. The panel and its labels drag the
// chooser around inside its parent.
#pragma once

#include <QFrame>
#include <QPoint>
#include <cstdint>
#include <memory>

#include "controls/EditProtocol.h"

namespace Ui {
class TPSTINPFrame;
}

class QToolButton;

namespace kondra {

extern int32_t FirstPointOfRegion;  // number of the first point listed (0: none)
extern int32_t ChooserRegion;       // region when the chooser was opened
extern int32_t ChooserPoint;        // point when the chooser was opened

inline constexpr int kRegionListItem = 9101;
inline constexpr int kPointListItem = 9102;

class TPSTINPFrame : public QFrame, public TEditHost {
  Q_OBJECT

 public:
  explicit TPSTINPFrame(QWidget* parent = nullptr);
  ~TPSTINPFrame() override;

  // Shows the chooser with the regions and the current region's points,
  // the current station selected.
  void OpenChooser();
  // Lists the points of the region RegionName of the current station.
  void FillPointList();
  // The "×" button.
  void CloseChooser();

  TCBoxEx* RegionList() const;
  TCBoxEx* PointList() const;
  QToolButton* CloseButton() const;

  void CommitItem(QWidget* sender, int group, int row, int column) override;
  QString ItemHint(int itemCode) const override;
  // A choice from a list is committed at once.
  void CBOXcomClick(TCBoxEx* sender) override;

 signals:
  void PointChosen();
  void Closed();

 private:
  void ChooseRegion(int index);
  void ShowStation();

  std::unique_ptr<Ui::TPSTINPFrame> ui;
};

}  // namespace kondra
