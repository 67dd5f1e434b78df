// The commands of the main window that reach beyond the input screen: the
// file commands (New, Open, Save, Save As, the title as file name), closing
// the program, the report preview, the hard copy and the side windows
// (material editor, saturation curve, humidity tool, quick guide, version
// box). WireMainWindow gives every one of them to the window; until it runs
// they stay disabled.
//
// The file dialogs go through a seam: the platform's dialogs unless replaced
// (window tests answer them without showing anything).
#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace kondra {

class TKDRForm;

// The folder below the installation a calculation may be saved into with
// "名前を付けて保存".
inline constexpr const char* kCalcSaveFolder = "\\CAL\\KDR\\";
inline constexpr const char* kCalcSaveFilter = "計算ファイル(*.KDR)|*.KDR";
inline constexpr const char* kOpenPrompt = "読込みファイル名を入力して下さい。";
inline constexpr const char* kSaveAsPrompt = "保存ファイル名を入力して下さい。";
// The sample calculation is shown and calculated but never written.
inline constexpr const char* kSampleNotSaved =
    "サンプルファイルには保存できません。" "\r\r" "別のファイル名を指定して下さい。";

// What a file dialog is asked: its title, the file it starts at (program
// form), the filter ("Name(*.EXT)|*.EXT|…") and whether it saves.
struct CalcFileRequest {
  std::string title;
  std::string start;
  std::string filter;
  bool save = false;
};
// Returns the chosen path (program form), or nothing when cancelled.
using CalcFileDialog = std::function<std::optional<std::string>(QWidget* parent, const CalcFileRequest& request)>;
// Replaces the file dialogs; an empty function restores the platform's.
void SetCalcFileDialog(CalcFileDialog dialog);

// How a save asked for by a command ended.
enum class SaveOutcome {
  Saved,     // written
  Declined,  // the user answered No to the question
  Stopped,   // cancelled, refused or not written: nothing was saved
};

// The file commands, on the window's current calculation.
void NewCalcCommand(TKDRForm& form);
void OpenCalcCommand(TKDRForm& form);
SaveOutcome SaveCalcCommand(TKDRForm& form);
SaveOutcome SaveCalcAsCommand(TKDRForm& form);
// The title becomes the file name (the window's "ファイル名と共通にする").
void TitleAsFileNameCommand(TKDRForm& form);

// Asked when the window closes: the exit dialog for unsaved changes of a
// file of the user's own, saving for the two saving choices. True when the
// window may close; then the side windows are freed and the current file is
// written into the environment file, so that the next start reopens it.
bool CloseMainWindow(TKDRForm& form);

// The printing services for the side tools and the current printer's name.
void AttachPrintingServices();

// Gives every command and the close guard to the window.
void WireMainWindow(TKDRForm& form);

}  // namespace kondra
