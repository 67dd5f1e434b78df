#include "records/TableFile.h"

#include <algorithm>
#include <vector>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "records/RecordStore.h"
#include "records/TextLines.h"

namespace kondra {

int32_t DT_RowCount = 0;
int32_t DT_ColCount = 0;
std::array<int32_t, 21> DT_ColWidth{};
std::array<int32_t, 22> DT_ColStart{};
std::array<std::string, kMaxTableRows + 1> DT_Name;
std::array<std::array<std::string, kMaxTableCols + 1>, kMaxTableRows + 1> DT_Cell;
bool DT_Loaded = false;

namespace {

// The largest table (999 rows of 16 wide columns) stays far below this.
constexpr int64_t kMaxTableFileBytes = 16 * 1024 * 1024;

void Emptied() {
  DT_RowCount = 0;
  DT_ColCount = 0;
  NameCount = 0;
  DT_Loaded = false;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the next whitespace-delimited integer, passing over blanks and line
// ends. False when there is none or it is not a plain signed integer.
bool NextInteger(const std::vector<std::string>& lines, std::size_t& line, std::size_t& pos, int64_t& value) {
  while (true) {
    if (line >= lines.size()) return false;
    const std::string& text = lines[line];
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos < text.size()) break;
    ++line;
    pos = 0;
  }
  const std::string& text = lines[line];
  std::size_t end = pos;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  std::string token = text.substr(pos, end - pos);
  pos = end;
  std::size_t digits = (token[0] == '+' || token[0] == '-') ? 1 : 0;
  if (digits >= token.size()) return false;
  for (std::size_t i = digits; i < token.size(); ++i)
    if (token[i] < '0' || token[i] > '9') return false;
  value = TextToInt(token);
  return true;
}

}  // namespace

TableParse ParseTableFile(std::string_view bytes) {
  TableParse result;
  std::vector<std::string> lines;
  if (!DecodeTextLines(bytes, lines, &result.reason)) {
    Emptied();
    return result;
  }
  std::size_t line = 0, pos = 0;
  int64_t rows = 0, cols = 0;
  if (!NextInteger(lines, line, pos, rows) || !NextInteger(lines, line, pos, cols) || rows <= 0 || cols < 1 ||
      cols > kMaxTableCols) {
    Emptied();
    return result;
  }
  if (rows > kMaxTableRows) {
    result.rowsCut = true;
    rows = kMaxTableRows;
  }
  const std::size_t widthLine = line + 1;
  const std::string widths = widthLine < lines.size() ? lines[widthLine] : std::string();
  DT_ColStart[1] = 0;
  for (int j = 1; j <= cols; ++j) {
    int64_t width = TextToInt(SliceMB(widths, 6 * j - 6, 6));
    if (width < 0 || width > kMaxColumnWidth) {
      Emptied();
      return result;
    }
    DT_ColWidth[static_cast<std::size_t>(j)] = static_cast<int32_t>(width);
    DT_ColStart[static_cast<std::size_t>(j) + 1] = DT_ColStart[static_cast<std::size_t>(j)] + static_cast<int32_t>(width);
    DT_Cell[0][static_cast<std::size_t>(j)].clear();
  }
  DT_Name[0].clear();
  NameMaxLen = 0;
  for (std::size_t i = 1; i <= static_cast<std::size_t>(rows); ++i) {
    const std::size_t at = widthLine + i;
    const std::string row = at < lines.size() ? lines[at] : std::string();
    auto& cells = DT_Cell[i];
    std::string name = TrimBoth(SliceMB(row, 0, DT_ColWidth[1]));
    NameMaxLen = std::max(NameMaxLen, MBWidth(name));
    DT_Name[i] = name;
    NameList[i] = name;
    cells[1] = std::move(name);
    for (std::size_t j = 2; j <= static_cast<std::size_t>(cols); ++j)
      cells[j] = TrimBoth(SliceMB(row, DT_ColStart[j], DT_ColWidth[j]));
    for (std::size_t j = static_cast<std::size_t>(cols) + 1; j < cells.size(); ++j) cells[j].clear();
    NameOrder[i] = static_cast<int32_t>(i);
  }
  DT_RowCount = static_cast<int32_t>(rows);
  NameCount = DT_RowCount;
  DT_ColCount = static_cast<int32_t>(cols);
  DT_Loaded = true;
  result.ok = true;
  return result;
}

std::string TableFileProblem(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string reason;
  if (!DecodeTextLines(bytes, lines, &reason)) return reason;
  if (lines.empty() || (lines.size() == 1 && TrimBoth(lines[0]).empty())) return "空のファイルです。";
  // Line 1: the two counts and nothing else.
  std::vector<std::string> counts;
  for (std::size_t at = 0; at < lines[0].size();) {
    while (at < lines[0].size() && IsBlank(lines[0][at])) ++at;
    std::size_t end = at;
    while (end < lines[0].size() && !IsBlank(lines[0][end])) ++end;
    if (end > at) counts.push_back(lines[0].substr(at, end - at));
    at = end;
  }
  auto isCount = [](const std::string& t) {
    return !t.empty() && t.size() <= 6 && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (counts.size() != 2 || !isCount(counts[0]) || !isCount(counts[1]))
    return "1行目：行数と列数の2つの整数のはずが「" + CutMB(lines[0], 40) + "」です。" +
           (lines.size() == 1 ? "改行のないファイルです。" : "");
  const int64_t rows = TextToInt(counts[0]), cols = TextToInt(counts[1]);
  if (rows < 1 || rows > kMaxTableRows) return "1行目：行数 " + counts[0] + " は1から999のはずです。";
  if (cols < 1 || cols > kMaxTableCols) return "1行目：列数 " + counts[1] + " は1から16のはずです。";
  // Line 2: a width for every column, none of them 0.
  if (lines.size() < 2) return "2行目（列の幅）がありません。";
  int64_t rowWidth = 0;
  for (int j = 1; j <= cols; ++j) {
    const std::string field = TrimBoth(SliceMB(lines[1], 6 * j - 6, 6));
    const int64_t width = isCount(field) ? TextToInt(field) : -1;
    if (width < 1 || width > kMaxColumnWidth)
      return "2行目：" + std::to_string(j) + "列目の幅「" + field + "」が正しくありません。";
    rowWidth += width;
  }
  if (MBWidth(TrimRight(lines[1])) > 6 * cols) return "2行目：列数 " + counts[1] + " より多くの幅が書かれています。";
  // The rows: as many lines as the count says, none wider than its columns.
  const auto present = static_cast<int64_t>(lines.size()) - 2;
  int64_t last = present;
  while (last > rows && TrimBoth(lines[static_cast<std::size_t>(last) + 1]).empty()) --last;
  if (last > rows)
    return "1行目：行数は " + counts[0] + " ですが、" + std::to_string(last) + "行あります（" + std::to_string(rows + 3) +
           "行目から先が読まれません）。";
  if (present < rows)
    return "1行目：行数は " + counts[0] + " ですが、" + std::to_string(std::max<int64_t>(present, 0)) +
           "行しかありません（ファイルが途中で切れています）。";
  // A one-column file (the environment file) may hold a value longer than
  // its column: it is read whole. Past that, a long row is not one of ours.
  const int64_t longest = cols == 1 ? kMaxColumnWidth : rowWidth;
  for (std::size_t i = 2; i < lines.size() && i < static_cast<std::size_t>(rows) + 2; ++i) {
    const int width = MBWidth(TrimRight(lines[i]));
    if (width > longest)
      return std::to_string(i + 1) + "行目：長すぎます（" + std::to_string(width) + "バイト、" + std::to_string(longest) +
             "バイト以下のはず）。";
  }
  return std::string();
}

std::string TableFileProblemAt(const std::string& path) {
  const std::string file = ExpandPath(path);
  if (!fs::IsFile(file)) return std::string();
  std::string bytes, error;
  if (!fs::ReadWhole(file, bytes, &error, kMaxTableFileBytes)) return error.empty() ? "読めません。" : error + "。";
  return TableFileProblem(bytes);
}

bool DataLoad(std::string_view path) {
  const std::string given(path);
  if (!CheckFile(given, 1)) {
    Emptied();
    if (Contains("利用環境.WIN", given))
      MsgBox("ファイル名 ： " + given + CR + CR + "〔利用環境.WIN〕ファイルが見つからないので実行できません。", 3, 1);
    return false;
  }
  const std::string file = ExpandPath(given);
  auto fail = [&](const std::string& detail) {
    Emptied();
    StatusMsg("あれっ？〔" + FileNameOf(file) + "〕ファイルが読めないぞ。(DataLoad)" + (detail.empty() ? "" : " " + detail));
    return false;
  };
  std::string bytes, error;
  if (!fs::ReadWhole(file, bytes, &error, kMaxTableFileBytes)) return fail(error);
  TableParse parsed = ParseTableFile(bytes);
  if (!parsed.ok) return fail(parsed.reason);
  if (parsed.rowsCut) {
    ErrorMsg(521, FileNameOf(file));
    ErrorMsg(522, FileNameOf(file));
  }
  return true;
}

bool TableFileBytes(TableWrite& out) {
  out = TableWrite{};
  const int32_t rows = DT_RowCount, cols = DT_ColCount;
  if (rows < 0 || rows > kMaxTableRows || cols < 1 || cols > kMaxTableCols) {
    out.problem = "（行数" + std::to_string(rows) + "・列数" + std::to_string(cols) + "が範囲外）";
    return false;
  }
  for (std::size_t j = 1; j <= static_cast<std::size_t>(cols); ++j) {
    if (DT_ColWidth[j] < 0 || DT_ColWidth[j] > kMaxColumnWidth) {
      out.problem = "（" + std::to_string(j) + "列目の幅" + std::to_string(DT_ColWidth[j]) + "が範囲外）";
      return false;
    }
  }
  std::vector<std::string> lines;
  lines.push_back(PadLeft(std::to_string(rows), 6) + PadLeft(std::to_string(cols), 6));
  std::string widths;
  for (std::size_t j = 1; j <= static_cast<std::size_t>(cols); ++j) widths += PadLeft(std::to_string(DT_ColWidth[j]), 6);
  lines.push_back(widths);
  for (std::size_t i = 1; i <= static_cast<std::size_t>(rows); ++i) {
    std::string row;
    for (std::size_t j = 1; j <= static_cast<std::size_t>(cols); ++j) {
      std::string& cell = j == 1 ? DT_Name[i] : DT_Cell[i][j];
      const int width = DT_ColWidth[j];
      std::string value = BlankControls(cell);
      if (MBWidth(value) > width) {
        if (out.cuts++ == 0) out.firstCut = std::to_string(i) + "行" + std::to_string(j) + "列〔" + value + "〕";
        value = CutMB(value, width);
      }
      cell = value;
      row += PadLeft(value, width);
    }
    lines.push_back(std::move(row));
  }
  std::string bad;
  std::size_t badLine = 0;
  if (!EncodeTextLines(lines, out.bytes, &badLine, &bad)) {
    out.problem = "（" + std::to_string(badLine - 1) + "行目の「" + bad + "」はShift-JISで保存できない文字です）";
    return false;
  }
  return true;
}

bool DataSave(std::string_view path) {
  const std::string file(path);
  const std::string name = FileNameOf(file);
  auto fail = [&](const std::string& detail) {
    StatusMsg("あれっ？〔" + name + "〕ファイルに書き込めないぞ。(DataSave)" + (detail.empty() ? "" : " " + detail));
    return false;
  };
  if (fs::Exists(file) && AttrClass(file) != "Archive") {
    ErrorMsg(511, name);
    return false;
  }
  TableWrite table;
  if (!TableFileBytes(table)) return fail(table.problem);
  std::string error;
  if (!fs::WriteWhole(file, table.bytes, &error)) return fail(error);
  if (table.cuts > 0)
    StatusMsg("〔" + name + "〕" + table.firstCut + (table.cuts > 1 ? "ほか" + std::to_string(table.cuts - 1) + "件" : "") +
              "が欄の幅を超えたので切り詰めました。(DataSave)");
  return true;
}

int32_t FindName(int32_t count, std::span<const std::string> names, std::string_view name) {
  SLDT_Found = false;
  if (name.empty() || names.empty()) return 0;
  const auto last = std::min<std::size_t>(count > 0 ? static_cast<std::size_t>(count) : 0, names.size() - 1);
  for (std::size_t i = 1; i <= last; ++i) {
    if (names[i].empty()) continue;
    if (names[i] == name) {
      SLDT_Found = true;
      return static_cast<int32_t>(i);
    }
  }
  return 0;
}

void ShowTableFile(std::string_view path) {
  const std::string file(path);
  if (!CheckFile(file, 0)) return;
  if (!DataLoad(file)) return;
  std::string text = DT_Name[1];
  for (std::size_t i = 2; i <= static_cast<std::size_t>(DT_RowCount); ++i) text += std::string(CR) + DT_Name[i];
  MsgBox(text, 1, 1);
}

}  // namespace kondra
