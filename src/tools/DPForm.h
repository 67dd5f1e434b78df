// TDPForm: the visual humidity tool ("目で見る温度と湿度と水蒸気").
//
// Three track bars set the temperature, the relative humidity and the water
// vapour of a room; the quantity chosen with the "一定" buttons stays while
// another moves, and the third follows. A glass grows with the vapour the air
// can hold and fills to the humidity; above saturation it overflows and the
// condensed water is shown. The room condition can be adopted as side B of
// the main window (tools/Handover.h). An explanation text can be shown below.
// The rules live in psychro/HumidityAir.h; this is the window around them.
#pragma once

#include <QDialog>
#include <QFont>
#include <memory>

#include "psychro/HumidityAir.h"
#include "tools/Glass.h"

namespace Ui {
class TDPForm;
}
class QLabel;
class QSlider;

namespace kondra {

class TDPForm : public QDialog {
  Q_OBJECT

 public:
  // Client heights without and with the explanation below.
  static constexpr int kShortHeight = 316;
  static constexpr int kTallHeight = 516;

  explicit TDPForm(QWidget* parent = nullptr);
  ~TDPForm() override;

  const HumidityAir& Air() const { return air_; }
  // The bar whose changes are applied (1 temperature, 2 humidity, 3 vapour).
  int ActiveBar() const { return activeBar_; }
  // The quantity held fixed by the radio buttons.
  AirBar Fixed() const;

  // Every activation: the bars go back to 20 °C and 50 % and the hand-over
  // flag is lowered.
  void Activate();
  void ShowAir();
  // "室内条件として採用する": asks, then hands the condition over and closes.
  void AdoptCondition();
  // "解説文表示(ON/OFF)".
  void ToggleExplanation();
  bool ExplanationShown() const;
  // The memo's font (the "A" button's choice).
  void SetMemoFont(const QFont& font);

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSlider* Bar(int tag) const;
  void EnterBar(int tag);
  void BarMoved(int tag, int position);
  // Moves a bar as the program: its rule runs when it is the active bar.
  void SetBar(int tag, int position);
  void PlaceScales();
  void ChooseFont();

  std::unique_ptr<Ui::TDPForm> ui;
  HumidityAir air_;
  GlassPictures glass_;
  int activeBar_ = 1;
  bool closing_ = false;
  bool scalesPlaced_ = false;
  QList<QLabel*> scales_;
};

// Opens the visual humidity tool beside `parent` (the main window), or
// brings the open one forward. Modeless, one instance, freed when closed.
TDPForm* ShowHumidityTool(QWidget* parent);
// The open tool, or nullptr.
TDPForm* HumidityTool();
// Closes the open tool, if any (the main window does so when it closes).
void CloseHumidityTool();

}  // namespace kondra
