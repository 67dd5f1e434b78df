// THGForm: the saturation vapour-pressure curve tool.
//
// A 350 × 350 chart of the relative-humidity curves (10 % … 100 %) over a
// temperature range within -50 … 100 °C in one of five humidity units, the
// state of the air at a point (entered in the fields or read from the mouse),
// numbered marks with their list, zooming by dragging a rectangle, preset
// ranges, a glass that fills with the humidity, the explanation boxes, a hard
// copy and the printable report of the curve table. The chart's rules live
// in psychro/SatChart.h; this is the window around them.
#pragma once

#include <QDialog>
#include <QPoint>
#include <memory>
#include <string>

#include "controls/EditProtocol.h"
#include "output/RubberBand.h"
#include "psychro/SatChart.h"
#include "tools/BitmapCanvas.h"
#include "tools/Glass.h"

namespace Ui {
class THGForm;
}
class QMenu;

namespace kondra {

class THGForm : public QDialog, public TEditHost {
  Q_OBJECT

 public:
  explicit THGForm(QWidget* parent = nullptr);
  ~THGForm() override;

  // The tool's state: ranges, unit, the air shown, the saturation table.
  const SatChart& Chart() const { return chart_; }
  // The preset menu (also on the chart's right button).
  QMenu* PresetMenu() const { return pop1_; }

  void RedrawAxes();
  void RedrawCurves();
  void ShowRanges();
  void ShowState();
  void ShowGlass();
  // A mark at MarkPoint (drawn up to the 32nd).
  void AddMark();
  // An entry in the field or combo with `tag`, as ApplyEntry of the chart,
  // followed by the redisplay it needs. False when refused.
  bool ApplyEntry(int tag, double value, const std::string& text = std::string());
  void ApplyPreset(int index);
  // "クリアー" and every activation: ranges, state, axes and curves again
  // (the marks disappear).
  void Redisplay();
  // "印刷プレビュー": captures the window and opens the report modally.
  void OpenPreview();

  void CommitItem(QWidget* sender, int group, int row, int column) override;
  QString ItemHint(int itemCode) const override;
  // The unit list commits as soon as a unit is chosen.
  void CBOXcomClick(TCBoxEx* sender) override;

 protected:
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class ChartBand;

  void UpDownEntry(int tag, int position);
  void ChartMouseDown(Qt::MouseButton button, int x, int y);
  void ChartMouseMove(Qt::MouseButtons buttons, int x, int y);
  void ChartMouseUp(Qt::MouseButton button, int x, int y);
  void StateFromMouse(int x, int y);
  void SetStateDisplay(bool on);
  void SetGlassDisplay(bool on);

  std::unique_ptr<Ui::THGForm> ui;
  SatChart chart_;
  BitmapCanvas chartCanvas_, xCanvas_, yCanvas_;
  GlassPictures glass_;
  std::unique_ptr<ChartBand> band_;
  QMenu* pop1_ = nullptr;
  QPoint panelGrab_;
  bool draggingPanel_ = false;
};

// Opens the curve tool beside `parent` (the main window), or brings the open
// one forward. The tool is modeless, one instance, freed when closed.
THGForm* ShowSaturationTool(QWidget* parent);
// The open curve tool, or nullptr.
THGForm* SaturationTool();
// Closes the open curve tool, if any.
void CloseSaturationTool();

}  // namespace kondra
