// Table files: every database and settings file except the calculations.
// Shift-JIS text, lines ended by CR LF:
//
//   line 1   row count and column count, each right-aligned in 6 bytes
//   line 2   the width of every column, each right-aligned in 6 bytes
//   line 3.. one row per line, each column right-aligned in its width
//
// Widths are CP932 bytes. 1 to 999 rows, 1 to 16 columns of at most 4096
// bytes (a wider column is no table of this program: the file is refused). DataLoad reads a
// file into the one process-wide data table (and the name list of
// env/Paths.h); DataSave writes the data table back. Callers copy what they
// need before the next load.
//
// A cell longer than its column is cut when written (never inside a
// character; the table keeps the cut text) and the cut is reported in the
// status bar, so a row never shifts. Control characters are written as
// blanks.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kondra {

inline constexpr int kMaxTableRows = 999;
inline constexpr int kMaxTableCols = 16;
inline constexpr int kMaxColumnWidth = 4096;

extern int32_t DT_RowCount;                  // rows loaded (0 after a failed load)
extern int32_t DT_ColCount;                  // columns
extern std::array<int32_t, 21> DT_ColWidth;  // [1..20] bytes
extern std::array<int32_t, 22> DT_ColStart;  // [1..21] byte offset of each column in a row
extern std::array<std::string, kMaxTableRows + 1> DT_Name;  // [1..999] column 1; DataSave writes it
extern std::array<std::array<std::string, kMaxTableCols + 1>, kMaxTableRows + 1> DT_Cell;  // [row][col]
extern bool DT_Loaded;

// Replaces the data table and the name list with the file's content. False
// (with a status-bar message, table empty) when the file is missing or is
// not a table file. More than 999 rows: errors 521 and 522, 999 are loaded.
bool DataLoad(std::string_view path);
// Writes DT_RowCount rows of DT_ColCount columns. False (with a message,
// the file untouched) when it cannot.
bool DataSave(std::string_view path);
// First index 1..count whose entry equals the name (empty entries skipped);
// sets SLDT_Found. 0 for an empty name or no match.
int32_t FindName(int32_t count, std::span<const std::string> names, std::string_view name);
// Loads the file and shows column 1 of every row in an information box.
void ShowTableFile(std::string_view path);

// The part of DataLoad that does not touch the disk: fills the data table
// and the name list from a file's bytes without showing anything.
struct TableParse {
  bool ok = false;
  bool rowsCut = false;  // more than 999 rows were declared
  std::string reason;    // why the bytes are not a text file (empty for a bad count or width)
};
TableParse ParseTableFile(std::string_view bytes);

// Whether the bytes are a whole, undamaged table file: "" when they are,
// otherwise the line and what is wrong with it ("2行目：…"). Stricter than
// DataLoad, which reads what it can; a file with a count line that does not
// match its rows, a width of 0, or a row longer than its columns is damaged,
// and nothing may be written on the strength of what was read from it.
std::string TableFileProblem(std::string_view bytes);
// The same for a file on disk: "" when it reads cleanly, "" as well when it
// does not exist (the loader reports that itself).
std::string TableFileProblemAt(const std::string& path);

// The bytes DataSave writes for the data table as it stands; cells longer
// than their column are cut in the table too. False with `problem` when the
// counts or widths are out of range or a text has no CP932 form.
struct TableWrite {
  std::string bytes;
  int cuts = 0;          // cells cut
  std::string firstCut;  // "<row>行<col>列〔<text>〕" of the first
  std::string problem;
};
bool TableFileBytes(TableWrite& out);

}  // namespace kondra
