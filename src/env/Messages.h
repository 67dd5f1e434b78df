// How the program talks to the user: modal message boxes, the four-panel
// status bar, timed remarks, numbered error texts and the report of
// unexpected errors.
//
// The texts, marks, answer flags and timings are decided here; a MessageFace
// only shows them. The gui installs a Qt face at start-up; tests and the
// command line use a HeadlessFace, which records everything and answers
// boxes from a queue.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <exception>
#include <string>
#include <vector>

namespace kondra {

enum class MsgButton { Ok = 1, Yes, No, Cancel, Retry, Abort };
enum class PointerShape { Arrow, NotAllowed, Hourglass, Drag };

class MessageFace {
 public:
  virtual ~MessageFace() = default;
  // Shows a modal box; kind is 1..4, buttons 1..5 (already normalised).
  virtual MsgButton ShowBox(const std::string& text, int kind, int buttons) = 0;
  // The platform's own error box for an unexpected error.
  virtual void ShowSystemError(const std::string& text) = 0;
  // Whether a status bar exists to write to.
  virtual bool HasStatusBar() const = 0;
  virtual void SetStatusPanels(const std::array<std::string, 4>& panels) = 0;
  virtual void Beep() = 0;
  // Lets pending window events run.
  virtual void ProcessEvents() = 0;
  // Waits the given milliseconds while letting window events run.
  virtual void WaitMs(int ms) = 0;
  virtual void SetPointerShape(PointerShape shape) = 0;
  virtual void MovePointer(int x, int y) = 0;
  virtual void ScreenSize(int& width, int& height) const = 0;
  virtual void ProgressStart(int min, int max, int step) = 0;
  virtual void ProgressSet(int value) = 0;
  virtual void ProgressEnd() = 0;
};

// Records every message and answers boxes from a queue. With an empty queue
// a box is answered by its default button (OK, else Yes, else Retry).
class HeadlessFace : public MessageFace {
 public:
  struct Box {
    std::string text;
    int kind;
    int buttons;
  };
  std::vector<Box> boxes;
  std::vector<std::string> systemErrors;
  std::vector<std::array<std::string, 4>> statusHistory;
  std::array<std::string, 4> panels;
  std::deque<MsgButton> answers;
  std::vector<int> waits;
  int beeps = 0;
  int pointerX = 0, pointerY = 0;
  int screenWidth = 1024, screenHeight = 768;
  bool statusBar = true;
  // When set, every box and status text is also written to stderr.
  bool echo = false;

  MsgButton ShowBox(const std::string& text, int kind, int buttons) override;
  void ShowSystemError(const std::string& text) override;
  bool HasStatusBar() const override { return statusBar; }
  void SetStatusPanels(const std::array<std::string, 4>& p) override;
  void Beep() override { ++beeps; }
  void ProcessEvents() override {}
  void WaitMs(int ms) override { waits.push_back(ms); }
  void SetPointerShape(PointerShape) override {}
  void MovePointer(int x, int y) override {
    pointerX = x;
    pointerY = y;
  }
  void ScreenSize(int& width, int& height) const override {
    width = screenWidth;
    height = screenHeight;
  }
  void ProgressStart(int, int, int) override {}
  void ProgressSet(int) override {}
  void ProgressEnd() override {}

  // Texts of every status panel 0 shown so far, joined for searching.
  std::string AllStatusText() const;
  std::string LastBoxText() const { return boxes.empty() ? std::string() : boxes.back().text; }
  void Clear();
};

// The face in use. A HeadlessFace is installed until another is set.
MessageFace& Face();
// Installs a face (not owned); nullptr goes back to the built-in headless one.
void SetMessageFace(MessageFace* face);
HeadlessFace& DefaultHeadlessFace();

// Answer flags and remembered texts.
extern int32_t MsgAnswer;
extern bool MsgYes;
extern bool MsgCancel;
extern std::string LastMessageText;
extern std::string LastStatusMsg;
extern std::string LastStatusText;
extern std::string LastErrorText;
extern int32_t ErrorNo;

// The open calculation's unsaved-changes flag and the status bar's file name.
extern bool DataModified;
extern std::string StatusFileName;

// Line break inside message texts.
inline constexpr const char* CR = "\r";

void MsgBox(const std::string& text, int kind, int buttons);
void ShowStatus(const std::string& text = std::string());
void StatusMsg(const std::string& text);
// Shows numbered text `number` of the error-message file in the status bar;
// with `file` the text starts with "〔file〕", so a message about a file says
// which one.
void ErrorMsg(int32_t number, const std::string& file = std::string());
void ReportException(const std::exception& e);
void ReportException(const std::string& message);
void CentrePointer();
void ProgressStart(int min, int max, int step);
void ProgressStep(int value);
void ProgressEnd();
void Wait(double seconds);
void ShowSaying();
void EditModeOn();
void EditModeOff();

// The start-up: until the main window is up nothing waits. A remark
// (StatusMsg, ErrorMsg) is shown without its pause and kept; a box that only
// informs (one OK button) is kept instead of shown; a question is still
// asked. EndStartupRemarks ends the phase and gives what was kept, each
// text once, in the order raised, for the window to show once it is painted.
void BeginStartupRemarks();
std::vector<std::string> EndStartupRemarks();
bool InStartupRemarks();

// Offset of the pointer from the screen centre for a box (platform rules,
// including the environment's older-system correction).
void BoxPointerOffset(const std::string& text, int buttons, int& dx, int& dy);

// Forgets the answer flags and remembered texts (start-up and tests).
void ResetMessageState();

}  // namespace kondra
