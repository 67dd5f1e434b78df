// Helpers for window tests (Qt Test, offscreen): answering message boxes
// through the messages seam, typing and clicking as a user would, and
// grabbing a window to a picture.
#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <Qt>
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "controls/QtMessageFace.h"

class QStatusBar;
class QWidget;

namespace kondra {
class TStrGridEx;
}

namespace kondra::test {

// For the life of the object the Qt face is the program's message face;
// boxes are not shown but recorded and answered from `answers` (the default
// button when it is empty), and waits only let pending events run.
class BoxAnswers {
 public:
  BoxAnswers();
  ~BoxAnswers();
  BoxAnswers(const BoxAnswers&) = delete;
  BoxAnswers& operator=(const BoxAnswers&) = delete;

  std::deque<MsgButton> answers;
  std::vector<BoxRequest> boxes;
  // Texts of the recorded boxes.
  QStringList Texts() const;
  // Status panel text (0..3) of the attached status bar.
  QString Panel(int panel) const;
};

// For the life of the object every text given to the message panel of the
// status bar is kept (timed messages included, which a look at the panel
// afterwards would miss); everything is passed on to the face in use.
class StatusLog : public MessageFace {
 public:
  StatusLog();
  ~StatusLog() override;
  StatusLog(const StatusLog&) = delete;
  StatusLog& operator=(const StatusLog&) = delete;

  QStringList texts;

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
  MessageFace& inner_;
};

// Clicks, on the next real message box that opens, the button that gives
// `answer` (for tests of the boxes themselves). The box's text, caption and
// button captions are stored in the given pointers when not null.
void AnswerNextRealBox(MsgButton answer, QString* text = nullptr, QString* caption = nullptr,
                       QStringList* buttons = nullptr);

// Resets the edit state, the answer flags and the modified flag.
void ResetEditing();

// Shows a window and waits until it is active (so focus events flow).
bool ShowActive(QWidget* window);

// Types text into a widget key by key as a user would (characters outside
// ASCII arrive as key events carrying the character).
void TypeText(QWidget* widget, const QString& text);
void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Clicks the centre of a grid cell.
void ClickCell(TStrGridEx* grid, int col, int row, Qt::MouseButton button = Qt::LeftButton);
// Clicks the centre of a widget.
void ClickWidget(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);

// Moves a track bar with the keyboard as a user would: the bar takes the
// focus, goes to 0 and steps right.
void MoveBar(QWidget* form, const char* name, int position);

// Runs `inside` on the modal window of type T once `open` has shown it and
// `ready` holds, then closes it unless `inside` did (also when a check inside
// fails). False when it never showed.
template <typename T>
bool WithModal(const std::function<void()>& open, const std::function<void(T*)>& inside,
               const std::function<bool(T*)>& ready = {}) {
  bool ran = false;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!window || (ready && !ready(window))) return;
    poll.stop();
    ran = true;
    inside(window);
    if (window->isVisible()) window->close();
  });
  poll.start();
  open();
  return ran;
}

// Saves a picture of a widget as PNG in the temporary folder
// (kondra-test-pictures) and returns its path (empty on failure).
QString GrabPng(QWidget* widget, const QString& name);

}  // namespace kondra::test
