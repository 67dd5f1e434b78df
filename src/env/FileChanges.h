// Changes to the user's files that were not typed in a file dialog: deleting
// and renaming with a confirmation, naming a new calculation file, and naming
// the file after the calculation. Each reports through the answer flags
// (MsgYes, MsgCancel, env/Messages.h) whether it acted.
//
// A new name is asked with the input dialog: the caller describes the
// question in InpType and the installed InputFace shows it. The gui installs
// the dialog window (utilwin/INPForm.h); tests and the command line use a
// HeadlessInputFace, which records every question and answers from a queue.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace kondra {

// The question of the input dialog (one shared record). Value and Saved are
// used from index 1.
struct TInpType {
  std::string Line1;  // first explanation line
  std::string Line2;  // second explanation line
  char Mode = 'E';    // 'E': input of values
  int Kind = 7;       // numbered as TEditType: 4 real, 5 integer, other text
  int Count = 1;      // 1 or 2 values
  std::array<std::string, 3> Value;
  std::array<std::string, 3> Saved;  // put back by 中止
};
extern TInpType InpType;

// What the dialog leaves besides InpType: whether 確定 closed it, and the
// last text entered in the first box (its text as the dialog closed, typed
// or not, after 中止 as well).
struct InputAnswer {
  bool accepted = false;
  std::string lastText;
};

class InputFace {
 public:
  virtual ~InputFace() = default;
  // Asks the question in InpType modally; after 確定 InpType.Value holds the
  // values entered, after 中止 InpType.Saved again.
  virtual InputAnswer AskInput() = 0;
};

// Answers from a queue; an empty queue answers 中止 with nothing typed.
class HeadlessInputFace : public InputFace {
 public:
  struct Reply {
    bool accept = true;
    bool typed = true;  // false: nothing typed, the shown value is kept
    std::string text;   // what was typed into the first box

    static Reply Typed(std::string text, bool accept = true) { return Reply{accept, true, std::move(text)}; }
    static Reply Untouched(bool accept = true) { return Reply{accept, false, {}}; }
  };
  std::deque<Reply> replies;
  std::vector<TInpType> asked;  // every question as it was put

  InputAnswer AskInput() override;
};

// The face in use (a built-in headless one until another is set); nullptr
// goes back to the built-in one. The face is not owned.
InputFace& CurrentInputFace();
void SetInputFace(InputFace* face);

// Shows the dialog for InpType: MsgYes after 確定, MsgCancel after 中止.
InputAnswer ShowInputDialog();

// Rules of the dialog that do not depend on the screen.
std::string InputTitle(int kind);  // "実数入力", "整数入力" or "文字入力"
// Width of the dialog for its two explanation lines.
int InputDialogWidth(const std::string& line1, const std::string& line2);
// Whether a value typed for a number kind holds only what a number may.
bool InputValueAccepted(int kind, const std::string& text);

// Asks for the name part of a new file. The answer is used only when MsgYes
// is set: an empty answer becomes "(新規)", one with a character a name may
// not hold is refused with a warning, and then `current` is returned.
std::string AskNamePart(const std::string& current);

// Deletes one file (after a question with ask). Paths with "*" or "?" and
// missing files are left alone without a word. MsgCancel: declined or failed.
// Returns whether the file was deleted.
bool DeleteFileChecked(const std::string& path, bool ask);
// Deletes every file of the folder that matches "*" + pattern, each after a
// question with ask; Cancel stops before the remaining files.
void DeleteMatching(std::string folder, const std::string& pattern, bool ask);
// Renames a file within its folder (after a question with ask). A new name
// with a drive is cut to its file name. Same name or taken name: a status
// remark. MsgCancel: declined or failed. Returns whether it was renamed.
bool RenameFileChecked(const std::string& oldPath, std::string newName, bool ask);
// Asks for the name part of a new calculation file in the folder of `path`
// (with its extension) and confirms creation or overwriting. The new path is
// left in CurPath; the caller saves there when MsgYes (also returned).
bool ConfirmSaveAs(const std::string& path);

// The "name the file after the calculation" check box of a window.
struct NameCheckBox {
  bool enabled = false;
  bool checked = false;
};
// Offers to name the file after the calculation. On consent the file is
// renamed to the calculation name (same folder and extension) and the new
// path returned; otherwise the old path, MsgYes false and the box unchecked.
std::string ApplyCalcNameAsFileName(NameCheckBox& box, const std::string& oldPath,
                                    const std::string& calcName);

// Before a file is saved over by something the user did not type (a repair,
// a save over a damaged file): the file as it stands is kept beside it as
// path + ".bak". True when kept (or when there is no file yet); false after
// a warning naming the copy, followed by `notSaved`, when it cannot be made.
bool KeepOriginalCopy(const std::string& path, const std::string& notSaved);

}  // namespace kondra
