#include "weather/gui/PntStInpFM.h"

#include <QMouseEvent>

#include "controls/Fonts.h"
#include "controls/ListHelpers.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "env/Text.h"
#include "records/TableFile.h"
#include "ui_PntStInpFM.h"
#include "weather/Stations.h"

namespace kondra {

int32_t FirstPointOfRegion = 0;
int32_t ChooserRegion = 0;
int32_t ChooserPoint = 0;

namespace {

// Data-table cell, empty outside the loaded rows.
std::string TableCell(int32_t row, int col) {
  if (row < 1 || row > DT_RowCount || col < 1 || col > kMaxTableCols) return {};
  return DT_Cell[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

}  // namespace

TPSTINPFrame::TPSTINPFrame(QWidget* parent) : QFrame(parent), ui(std::make_unique<Ui::TPSTINPFrame>()) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  for (TCBoxEx* list : {ui->CBOX_St1, ui->CBOX_St2}) {
    list->setCellFrame(false);
    list->SetStyle(csDropDownList);
    list->setMaxVisibleItems(20);
  }
  ui->CBOX_St1->setTag(kRegionListItem);
  ui->CBOX_St2->setTag(kPointListItem);
  connect(ui->SBTN_St, &QToolButton::clicked, this, &TPSTINPFrame::CloseChooser);
  InstallPanelDrag(this, {ui->PNL_St, ui->LBL_St1, ui->LBL_St2});
  hide();
}

TPSTINPFrame::~TPSTINPFrame() = default;

TCBoxEx* TPSTINPFrame::RegionList() const { return ui->CBOX_St1; }
TCBoxEx* TPSTINPFrame::PointList() const { return ui->CBOX_St2; }
QToolButton* TPSTINPFrame::CloseButton() const { return ui->SBTN_St; }

void TPSTINPFrame::OpenChooser() {
  show();
  raise();
  DataLoad(RegionListPath());
  const int last = DT_ColCount >= 1 ? DT_ColCount : 1;
  LoadNumberedList(
      ui->CBOX_St1, [last](int row) { return TableCell(row, last); }, 1, true, DT_RowCount);
  FillPointList();
  ChooserRegion = CurStation.RegionNo;
  ChooserPoint = CurStation.PointNo;
  ShowStation();
  PointAtControl(ui->SBTN_St);
}

void TPSTINPFrame::FillPointList() {
  DataLoad(RegionListPath());
  std::vector<std::string> names(static_cast<std::size_t>(DT_RowCount) + 1);
  for (int32_t r = 1; r <= DT_RowCount; ++r) names[static_cast<std::size_t>(r)] = TableCell(r, 1);
  const int32_t row = FindName(DT_RowCount, names, CurStation.RegionName);
  int32_t first = row > 0 ? ClampToInt32(TextToInt(TableCell(row, 5))) : 0;
  if (first >= 1) {
    const int32_t count = ClampToInt32(TextToInt(TableCell(row, 6)));
    DataLoad(PointListPath());
    // Only rows the point list has: a region that claims more lists what there is.
    const auto last = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(first) + count - 1, DT_RowCount));
    LoadNumberedList(
        ui->CBOX_St2, [](int r) { return TableCell(r, 11); }, first, true, last);
  } else {
    first = 0;
    ui->CBOX_St2->clear();
  }
  FirstPointOfRegion = first;
  const int index = CurStation.PointNo - first;
  ui->CBOX_St2->setCurrentIndex(first > 0 && index >= 0 && index < ui->CBOX_St2->count() ? index : -1);
}

void TPSTINPFrame::ShowStation() {
  SelectListItem(ui->CBOX_St1, Q(CurStation.RegionText));
  SelectListItem(ui->CBOX_St2, Q(CurStation.PointText));
}

void TPSTINPFrame::ChooseRegion(int index) {
  DataLoad(RegionListPath());
  const int32_t row = index + 1;
  CurStation.RegionNo = row;
  CurStation.RegionName = TableCell(row, 1);
  CurStation.RegionCode = TableCell(row, 2);
  CurStation.RegionText = TableCell(row, 7);
  FillPointList();
  ui->CBOX_St2->setCurrentIndex(-1);
}

void TPSTINPFrame::CommitItem(QWidget*, int group, int, int) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  if (group != kRegionListItem / 100) return;
  const int index = Edit.newIndex - 1;
  if (Edit.itemCode == kRegionListItem) {
    if (index < 0) return;
    ChooseRegion(index);
    SelectListItem(ui->CBOX_St1, Q(CurStation.RegionText));
    ShowStatus();
  } else if (Edit.itemCode == kPointListItem) {
    if (index < 0 || FirstPointOfRegion < 1) return;
    const int32_t point = FirstPointOfRegion + index;
    ShownPoint = point;
    SelectStation(point, "", "", "");
    FillPointList();
    ShowStation();
    ShowStatus();
    emit PointChosen();
  }
}

void TPSTINPFrame::CBOXcomClick(TCBoxEx* sender) {
  ComboClick(sender);
  CBOXcomExit(sender);
}

QString TPSTINPFrame::ItemHint(int itemCode) const {
  if (itemCode == kRegionListItem) return QStringLiteral("行政区選択");
  if (itemCode == kPointListItem) return QStringLiteral("地点名選択");
  return {};
}

void TPSTINPFrame::CloseChooser() {
  if (ui->CBOX_St2->currentIndex() < 0) {
    // A region was chosen but no point: the station of the opening stays.
    if (ChooserRegion > 0) ChooseRegion(ChooserRegion - 1);
    ShownPoint = ChooserPoint;
    if (ChooserPoint != 0) SelectStation(ChooserPoint, "", "", "");
  }
  hide();
  emit Closed();
}

}  // namespace kondra
