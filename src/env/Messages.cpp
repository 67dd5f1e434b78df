#include "env/Messages.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <random>
#include <utility>

#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/FileSystem.h"
#include "env/Folders.h"

namespace kondra {

int32_t MsgAnswer = 0;
bool MsgYes = false;
bool MsgCancel = false;
std::string LastMessageText;
std::string LastStatusMsg;
std::string LastStatusText;
std::string LastErrorText;
int32_t ErrorNo = 0;
bool DataModified = false;
std::string StatusFileName;

namespace {

MessageFace* g_face = nullptr;
int g_progressStep = 1;
bool g_startup = false;
std::vector<std::string> g_startupRemarks;

void KeepStartupRemark(const std::string& text) {
  if (text.empty()) return;
  if (std::find(g_startupRemarks.begin(), g_startupRemarks.end(), text) == g_startupRemarks.end())
    g_startupRemarks.push_back(text);
}

bool Has(const std::string& text, const char* sub) { return text.find(sub) != std::string::npos; }

int CountLines(const std::string& text) {
  int lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      ++lines;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      ++lines;
    }
  }
  return lines;
}

MsgButton DefaultButton(int buttons) {
  switch (buttons) {
    case 2:
    case 3:
    case 5:
      return MsgButton::Yes;
    case 4:
      return MsgButton::Retry;
    default:
      return MsgButton::Ok;
  }
}

std::string FileNamePanel() {
  if (MBWidth(StatusFileName) > 20) return CutMB(StatusFileName, 20) + "...";
  return StatusFileName;
}

}  // namespace

// ---------------------------------------------------------------- faces

MsgButton HeadlessFace::ShowBox(const std::string& text, int kind, int buttons) {
  boxes.push_back({text, kind, buttons});
  if (echo) std::cerr << "[" << kind << "] " << text << "\n";
  if (answers.empty()) return DefaultButton(buttons);
  MsgButton b = answers.front();
  answers.pop_front();
  return b;
}

void HeadlessFace::ShowSystemError(const std::string& text) {
  systemErrors.push_back(text);
  if (echo) std::cerr << text << "\n";
}

void HeadlessFace::SetStatusPanels(const std::array<std::string, 4>& p) {
  panels = p;
  statusHistory.push_back(p);
}

std::string HeadlessFace::AllStatusText() const {
  std::string all;
  for (const auto& p : statusHistory) {
    all += p[0];
    all += '\n';
  }
  return all;
}

void HeadlessFace::Clear() {
  boxes.clear();
  systemErrors.clear();
  statusHistory.clear();
  panels = {};
  answers.clear();
  waits.clear();
  beeps = 0;
}

HeadlessFace& DefaultHeadlessFace() {
  static HeadlessFace face;
  return face;
}

MessageFace& Face() { return g_face ? *g_face : DefaultHeadlessFace(); }

void SetMessageFace(MessageFace* face) { g_face = face; }

// ---------------------------------------------------------------- boxes

void BoxPointerOffset(const std::string& text, int buttons, int& dx, int& dy) {
  if (buttons < 2 || buttons > 5) buttons = 1;
  dx = (buttons == 1) ? 0 : (buttons == 3 ? 174 : 215);
  int lines = CountLines(text);
  dy = lines <= 2 ? 34 : (lines - 1) * 6 + 24;
  if (Has(EnvRow[3], "WindowsVista")) {
    dx -= (buttons - 1) * 5;
    dy += 3 * lines;
  }
}

void MsgBox(const std::string& text, int kind, int buttons) {
  if (kind < 2 || kind > 4) kind = 1;
  if (buttons < 2 || buttons > 5) buttons = 1;
  LastMessageText = text;
  MsgButton answer = MsgButton::Ok;
  if (g_startup && buttons == 1) {
    KeepStartupRemark(text);
  } else {
    MessageFace& face = Face();
    face.SetPointerShape(PointerShape::Arrow);
    MsgAnswer = 0;
    if (kind == 3 || kind == 4 || (kind == 2 && Has(text, "全て終了"))) face.Beep();
    int dx = 0, dy = 0;
    BoxPointerOffset(text, buttons, dx, dy);
    int w = 0, h = 0;
    face.ScreenSize(w, h);
    face.MovePointer(w / 2 + dx, h / 2 + dy);

    TInputType saved = SaveInputState();
    answer = face.ShowBox(text, kind, buttons);
    RestoreInputState(saved);
  }

  if (answer == MsgButton::Ok || answer == MsgButton::Yes) {
    MsgAnswer = 1;
    MsgYes = true;
    MsgCancel = false;
  } else if (answer == MsgButton::No) {
    MsgAnswer = 2;
    MsgYes = false;
    MsgCancel = false;
  } else {
    MsgAnswer = 3;
    MsgYes = false;
    MsgCancel = true;
  }
}

// ---------------------------------------------------------------- status bar

void ShowStatus(const std::string& text) {
  MessageFace& face = Face();
  if (!face.HasStatusBar()) return;
  if (!text.empty() && !Has(text, "．．．") && !Has(text, "※")) LastStatusText = text;
  if (Has(text, "※注意")) face.Beep();
  if (Has(text, "．．．")) Edit.editing = false;

  std::string mark;
  if (text.empty()) {
    mark = "　";
  } else {
    mark = Edit.editing ? "　▲ " : "　△ ";
    if (Has(text, "(ﾟ_ﾟ)")) mark = "　♪ ";
    if (Has(text, "※")) mark = "　";
  }

  std::array<std::string, 4> panels;
  panels[0] = mark + text;
  if (Edit.editing) {
    std::string number = Edit.itemCode != 0 ? std::to_string(Edit.itemCode) : std::string();
    panels[1] = (DataModified ? "変更あり" : "入力№") + number;
    panels[2] = Edit.overwrite ? "上書モード" : "挿入モード";
  } else {
    panels[1] = DataModified ? "変更あり" : "変更なし";
  }
  panels[3] = FileNamePanel();
  face.ProcessEvents();
  face.SetStatusPanels(panels);
}

void StatusMsg(const std::string& text) {
  MessageFace& face = Face();
  if (g_startup) {
    KeepStartupRemark(text);
    LastStatusMsg = text;
    return;
  }
  if (!face.HasStatusBar()) return;
  face.SetPointerShape(PointerShape::NotAllowed);
  ShowStatus();
  if (!text.empty()) face.Beep();
  ShowStatus(Has(text, "※") ? text : "※" + text);
  int bytes = MBWidth(text);
  double seconds = bytes >= 71 ? 5.0 : bytes >= 61 ? 4.0 : bytes >= 31 ? 3.5 : 3.0;
  Wait(seconds);
  LastStatusMsg = text;
  ShowStatus(LastStatusText);
  face.SetPointerShape(PointerShape::Arrow);
}

void BeginStartupRemarks() {
  g_startup = true;
  g_startupRemarks.clear();
}

std::vector<std::string> EndStartupRemarks() {
  g_startup = false;
  return std::exchange(g_startupRemarks, {});
}

bool InStartupRemarks() { return g_startup; }

void Wait(double seconds) {
  if (seconds <= 0) return;
  Face().WaitMs(static_cast<int>(std::lround(seconds * 1000.0)));
}

void EditModeOn() { Edit.editing = true; }

void EditModeOff() {
  Edit.editing = false;
  ShowStatus();
}

// ---------------------------------------------------------------- numbered errors

void ErrorMsg(int32_t number, const std::string& file) {
  ErrorNo = number;
  std::string text;
  if (number == 0) {
    text = LastStatusMsg;
  } else {
    std::string path = DatDir + "エラー文.DAT";
    std::string bytes, error, decoded;
    if (!fs::ReadWhole(path, bytes, &error)) {
      ReportException("<" + path + ">" + error + "。");
      return;
    }
    if (!FromCp932(bytes, decoded)) {
      ReportException("<" + path + ">がShift-JISのテキストではありません。");
      return;
    }
    bool found = false;
    std::size_t pos = 0;
    while (pos <= decoded.size() && !found) {
      std::size_t end = decoded.find_first_of("\r\n", pos);
      if (end == std::string::npos) end = decoded.size();
      std::string line = decoded.substr(pos, end - pos);
      pos = end + 1;
      if (end < decoded.size() && decoded[end] == '\r' && pos < decoded.size() && decoded[pos] == '\n') ++pos;
      std::string head = SliceMB(line, 0, 3);
      std::size_t i = head.find_first_not_of(' ');
      if (i == std::string::npos) continue;
      int32_t value = 0;
      bool digits = false;
      for (; i < head.size() && head[i] >= '0' && head[i] <= '9'; ++i) {
        value = value * 10 + (head[i] - '0');
        digits = true;
      }
      if (!digits || value != number) continue;
      text = SliceMB(line, 4, 70);
      while (!text.empty() && text.back() == ' ') text.pop_back();
      // A numbered line without a text counts as missing: the user is never
      // left with an empty remark for an error.
      if (text.empty()) continue;
      if (number != 500) text += " （ERRno=" + std::to_string(number) + "）";
      found = true;
      if (end >= decoded.size()) break;
    }
    if (!found) text = "登録されていないエラーが発生しました。 （ERRno=?）";
  }
  if (!file.empty()) text = "〔" + file + "〕" + text;
  StatusMsg(text);
}

void ReportException(const std::exception& e) { ReportException(std::string(e.what())); }

void ReportException(const std::string& message) {
  Face().ShowSystemError(message);
  std::string text =
      message.empty() ? "予期せぬエラーが発生しました。（システム）" : message + "エラーが発生しました。（システム）";
  StatusMsg(text);
  MsgBox(text, 4, 1);
  LastErrorText = text;
}

// ---------------------------------------------------------------- pointer, progress

void CentrePointer() {
  int w = 0, h = 0;
  Face().ScreenSize(w, h);
  Face().MovePointer(w / 2, h / 2);
}

void ProgressStart(int min, int max, int step) {
  g_progressStep = step > 0 ? step : 1;
  Face().SetPointerShape(PointerShape::Hourglass);
  Face().ProgressStart(min, max, g_progressStep);
}

void ProgressStep(int value) {
  if (value % g_progressStep == 0) Face().ProgressSet(value);
}

void ProgressEnd() {
  Face().SetPointerShape(PointerShape::Arrow);
  Face().ProgressEnd();
}

// ---------------------------------------------------------------- sayings

void ShowSaying() {
  std::string path = DatDir + EnvRow[21];
  std::string bytes;
  if (EnvRow[21].empty() || !fs::IsFile(path) || !fs::ReadWhole(path, bytes) || bytes.size() < 81) {
    ShowStatus("ここは一番、どどいつ（都々逸）でも歌いたいところですが．．．");
    EnvRow[21] = "都々逸.DAT";
    return;
  }
  std::size_t count = bytes.size() / 81;
  static std::mt19937 rng{std::random_device{}()};
  std::size_t pick = std::uniform_int_distribution<std::size_t>(0, count - 1)(rng);
  const char* record = bytes.data() + pick * 81;
  std::size_t len = static_cast<unsigned char>(record[0]);
  if (len > 80) len = 80;
  std::string text;
  if (!FromCp932(std::string_view(record + 1, len), text)) text.clear();
  if (Has(EnvRow[21], "都々逸"))
    ShowStatus(" (ﾟ_ﾟ)  " + text + "  (^_^;)");
  else
    ShowStatus(text);
}

void ResetMessageState() {
  MsgAnswer = 0;
  MsgYes = false;
  MsgCancel = false;
  LastMessageText.clear();
  LastStatusMsg.clear();
  LastStatusText.clear();
  LastErrorText.clear();
  ErrorNo = 0;
}

}  // namespace kondra
