// The surface condensation and mould display of the main window: both
// surfaces with their temperature, surface humidity, margin to the dew point
// and verdict, and the inside surface's temperature factor against the least
// factor that keeps mould away. It takes the place of the result grid while
// that display is chosen.
#pragma once

#include <QFrame>

#include "assess/SurfaceRisk.h"

class QLabel;

namespace kondra {

class TSurfaceRiskPanel : public QFrame {
  Q_OBJECT

 public:
  explicit TSurfaceRiskPanel(QWidget* parent = nullptr);

  // Shows the figures of `a` in the current unit system; risks in red.
  void Show(const SurfaceAssessment& a);

 private:
  QLabel* AddLabel(const char* name, int row, int col, int span = 1);

  QLabel* names_[2] = {};
  QLabel* temps_[2] = {};
  QLabel* relHums_[2] = {};
  QLabel* margins_[2] = {};
  QLabel* verdicts_[2] = {};
  QLabel* factor_ = nullptr;
  QLabel* mouldCheck_ = nullptr;
  QLabel* minimum_ = nullptr;
  QLabel* factorVerdict_ = nullptr;
  QLabel* mouldCheckVerdict_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* factorCaptions_[3] = {};
};

}  // namespace kondra
