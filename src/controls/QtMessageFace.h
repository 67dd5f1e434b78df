// Messages on screen: the Qt face of the program's messages (env/Messages.h).
//
// Boxes are modal message boxes with the kind's icon and caption and the
// program's Japanese buttons; the four status panels live in the main
// window's status bar once it is attached; waits keep window events running;
// the pointer is placed with QCursor. Tests answer boxes through SetBoxHook
// instead of showing them.
#pragma once

#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QString>
#include <array>
#include <functional>
#include <string>

#include "env/Messages.h"

class QLabel;
class QMessageBox;
class QWidget;

namespace kondra {

// What a box asks: its text, kind (1..4), button set (1..5); `system` marks
// the platform's own error box of an unexpected error.
struct BoxRequest {
  std::string text;
  int kind = 1;
  int buttons = 1;
  bool system = false;
};

class QtMessageFace : public MessageFace {
 public:
  QtMessageFace();
  ~QtMessageFace() override;

  // The main window's status bar: four panels (message, change state,
  // input mode, file name) of the given widths are put into it.
  void AttachStatusBar(QStatusBar* bar, const std::array<int, 4>& widths = {350, 80, 80, 50});
  QStatusBar* StatusBar() const { return bar_; }
  QString PanelText(int panel) const;
  // The bar that shows progress (none: progress is not shown).
  void AttachProgressBar(QProgressBar* bar) { progress_ = bar; }
  QProgressBar* ProgressBar() const { return progress_; }
  // The window boxes are centred on (default: the active window).
  void SetBoxParent(QWidget* parent) { boxParent_ = parent; }

  // Answers boxes without showing them (tests). An empty hook shows them again.
  using BoxHook = std::function<MsgButton(const BoxRequest&)>;
  void SetBoxHook(BoxHook hook) { hook_ = std::move(hook); }
  // Scales every wait (0: waits only let pending events run; tests).
  void SetWaitFactor(double factor) { waitFactor_ = factor; }

  // Builds the box MsgBox shows (exposed for tests of its look).
  static QMessageBox* MakeBox(const std::string& text, int kind, int buttons, QWidget* parent);
  static MsgButton AnswerOf(const QMessageBox* box);

  MsgButton ShowBox(const std::string& text, int kind, int buttons) override;
  void ShowSystemError(const std::string& text) override;
  bool HasStatusBar() const override;
  void SetStatusPanels(const std::array<std::string, 4>& panels) override;
  void Beep() override;
  void ProcessEvents() override;
  void WaitMs(int ms) override;
  void SetPointerShape(PointerShape shape) override;
  void MovePointer(int x, int y) override;
  void ScreenSize(int& width, int& height) const override;
  void ProgressStart(int min, int max, int step) override;
  void ProgressSet(int value) override;
  void ProgressEnd() override;

 private:
  QWidget* BoxParent() const;

  QPointer<QStatusBar> bar_;
  std::array<QPointer<QLabel>, 4> panels_;
  QPointer<QProgressBar> progress_;
  QPointer<QWidget> boxParent_;
  BoxHook hook_;
  double waitFactor_ = 1.0;
  bool pointerOverridden_ = false;
};

// The application's Qt face (made on first use).
QtMessageFace& QtFace();
// Makes the Qt face the program's message face.
void InstallQtMessageFace();

// Puts the pointer on the centre of a shown control and, when it can take
// the focus and is enabled, focuses it.
void PointAtControl(QWidget* control);

}  // namespace kondra
