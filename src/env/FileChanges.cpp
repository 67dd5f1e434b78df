#include "env/FileChanges.h"

#include <algorithm>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"

namespace kondra {

TInpType InpType;

namespace {

// The characters a name part may not hold, in the order messages list them.
constexpr const char* kNameForbidden = "*?\\\"<>|;/:.";

HeadlessInputFace& BuiltInInputFace() {
  static HeadlessInputFace face;
  return face;
}

InputFace* g_inputFace = nullptr;

std::string DeleteQuestion(const std::string& path) {
  return "削除ファイル名 : " + path + CR + CR + "ファイルを削除しますか？";
}

bool IsFilePresent(const std::string& path) { return fs::IsFile(path); }

}  // namespace

InputAnswer HeadlessInputFace::AskInput() {
  asked.push_back(InpType);
  Reply reply = Reply::Untouched(false);
  if (!replies.empty()) {
    reply = replies.front();
    replies.pop_front();
  }
  InputAnswer answer;
  answer.accepted = reply.accept;
  answer.lastText = reply.typed ? reply.text : InpType.Value[1];
  if (reply.accept)
    InpType.Value[1] = answer.lastText;
  else
    InpType.Value = InpType.Saved;
  return answer;
}

InputFace& CurrentInputFace() { return g_inputFace ? *g_inputFace : BuiltInInputFace(); }

void SetInputFace(InputFace* face) { g_inputFace = face; }

InputAnswer ShowInputDialog() {
  InputAnswer answer = CurrentInputFace().AskInput();
  MsgYes = answer.accepted;
  MsgCancel = !answer.accepted;
  return answer;
}

std::string InputTitle(int kind) {
  if (kind == 4) return "実数入力";
  if (kind == 5) return "整数入力";
  return "文字入力";
}

int InputDialogWidth(const std::string& line1, const std::string& line2) {
  return std::max(300, 6 * std::max(MBWidth(line1), MBWidth(line2)) + 40);
}

bool InputValueAccepted(int kind, const std::string& text) {
  if (kind == 4) return AllCharsIn(text, "1234567890+-. ");
  if (kind == 5) return AllCharsIn(text, "1234567890+- ");
  return true;
}

std::string AskNamePart(const std::string& current) {
  InpType.Line1 = "新しいファイルの名前部分の入力";
  InpType.Line2 = "現在の名前は<" + current + ">です。（拡張子不要）";
  InpType.Mode = 'E';
  InpType.Kind = 7;
  InpType.Count = 1;
  InpType.Value = {};
  InpType.Value[1] = current;
  InpType.Saved = InpType.Value;

  // The answer is what was last in the box, after 中止 too: a forbidden
  // character is pointed out whichever button closed the dialog.
  InputAnswer shown = ShowInputDialog();
  const bool accepted = MsgYes;
  std::string answer = shown.lastText;
  if (answer.empty()) answer = "(新規)";
  if (AnyCharIn(answer, kNameForbidden)) {
    MsgBox("入力した文字列 ： " + answer + CR + CR + "文字列中に不正な文字〔" + kNameForbidden + "〕があります。", 3,
           1);
    MsgYes = false;
    MsgCancel = !accepted;
    return current;
  }
  MsgYes = accepted;
  MsgCancel = !accepted;
  return answer;
}

bool DeleteFileChecked(const std::string& path, bool ask) {
  MsgCancel = false;
  if (Contains("*", path) || Contains("?", path)) return false;
  if (!CheckFile(path, 0)) return false;
  const std::string target = CurPath;  // expanded by the check
  if (ask) {
    MsgBox(DeleteQuestion(path), 2, 3);
    MsgCancel = !MsgYes;
    if (MsgCancel) return false;
  }
  std::string error;
  if (!fs::RemoveFile(target, &error)) {
    ReportException("<" + path + ">" + error + "。");
    MsgCancel = true;
    return false;
  }
  return true;
}

void DeleteMatching(std::string folder, const std::string& pattern, bool ask) {
  folder = AddBackslash(folder);
  ListFiles(folder, "*", pattern);
  // The shared name list may be refilled while a question is open.
  std::vector<std::string> names(NameList.begin() + 1, NameList.begin() + 1 + NameCount);
  for (const std::string& name : names) {
    const std::string path = folder + name;
    MsgYes = true;
    if (ask) {
      MsgBox(DeleteQuestion(path), 2, 3);
      if (MsgCancel) return;
    }
    if (!MsgYes) continue;
    std::string error;
    if (!fs::RemoveFile(path, &error)) ReportException("<" + path + ">" + error + "。");
  }
}

bool RenameFileChecked(const std::string& oldPath, std::string newName, bool ask) {
  MsgCancel = false;
  // The file stays in its folder: a name given with a drive or folder is
  // cut to its file name.
  if (Contains(":", newName) || Contains("\\", newName)) {
    SplitPath(newName);
    newName = CurFileName;
  }
  SplitPath(oldPath);
  if (newName == CurFileName) {
    StatusMsg("まったく同じファイル名ですよ。（" + newName + "）");
    return false;
  }
  if (!CheckFile(oldPath, 1)) return false;
  const std::string from = CurPath;  // expanded by the check
  const std::string to = CurDir + newName;
  // Only the typed name is checked: the folder is the file's own.
  if (!ValidateFileName(newName, true)) {
    MsgCancel = true;
    return false;
  }
  if (fs::Exists(to)) {
    StatusMsg("既に同名のファイルがありますね。（" + newName + "）");
    return false;
  }
  if (ask) {
    MsgBox("変更前 : " + oldPath + CR + "変更後 : " + to + CR + CR + "ファイル名を変更しますか？", 2, 3);
    MsgCancel = !MsgYes;
    if (MsgCancel) return false;
  }
  std::string error;
  if (!fs::RenameFile(from, to, &error)) {
    ReportException("<" + oldPath + ">" + error + "。");
    MsgCancel = true;
    return false;
  }
  return true;
}

bool ConfirmSaveAs(const std::string& path) {
  const std::string name = AskNamePart("(新規)");
  if (!MsgYes) return false;
  SplitPath(path);
  const std::string newPath = CurDir + name + CurExt;
  MsgYes = ValidateFileName(newPath, true);
  if (MsgYes) {
    if (IsFilePresent(newPath))
      MsgBox("保存ファイル名 ： " + newPath + CR + CR + "既存入力ファイルに上書き保存してもいいですか？", 3, 3);
    else
      MsgBox("保存ファイル名 ： " + newPath + CR + CR + "新しい入力ファイルとして保存しますか？", 2, 3);
  }
  SplitPath(newPath);
  return MsgYes;
}

std::string ApplyCalcNameAsFileName(NameCheckBox& box, const std::string& oldPath,
                                    const std::string& calcName) {
  auto keepOld = [&] {
    MsgYes = false;
    box.checked = false;
    return oldPath;
  };
  if (!box.enabled || !box.checked) return keepOld();
  MsgBox("計算名とファイル名 ： " + calcName + CR + CR + "この計算名をファイル名と＜共通＞にしますか？", 2, 2);
  if (!MsgYes) return keepOld();
  const std::string from = ExpandPath(oldPath);
  const std::string newPath = CurDir + calcName + CurExt;
  // A calculation name is free text: one that cannot be a file name is
  // reported and the file keeps its name.
  if (!ValidateFileName(calcName + CurExt, true)) return keepOld();
  if (fs::Exists(newPath)) {
    MsgBox("既に同名のファイルがあるので、共通にはできません。", 3, 1);
    return keepOld();
  }
  // The file moves to its new name rather than being deleted, so the
  // calculation stays on disk until the caller saves it there.
  if (IsFilePresent(from)) {
    std::string error;
    if (!fs::RenameFile(from, newPath, &error)) {
      ReportException("<" + oldPath + ">" + error + "。");
      return keepOld();
    }
  }
  MsgBox("計算名とファイル名を共通にしました。", 1, 1);
  SplitPath(newPath);
  return newPath;
}

bool KeepOriginalCopy(const std::string& path, const std::string& notSaved) {
  const std::string file = ExpandPath(path);
  if (!fs::IsFile(file)) return true;
  const std::string backup = path + ".bak";
  std::string bytes, error;
  if (!fs::ReadWhole(file, bytes, &error) || !fs::WriteWhole(backup, bytes, &error)) {
    MsgBox("<" + backup + ">" + CR + CR + "元のファイルの控えが作れないので、" + notSaved + error, 3, 1);
    return false;
  }
  return true;
}

}  // namespace kondra
