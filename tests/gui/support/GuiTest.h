// Helpers for window tests (Qt Test, offscreen): answering message boxes
// through the messages seam, typing and clicking as a user would, and
// grabbing a window to a picture.
#pragma once

#include <QString>
#include <QStringList>
#include <Qt>
#include <deque>
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

// Saves a picture of a widget as PNG in the temporary folder
// (kondra-test-pictures) and returns its path (empty on failure).
QString GrabPng(QWidget* widget, const QString& name);

}  // namespace kondra::test
