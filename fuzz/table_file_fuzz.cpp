// The table-file reader: bytes of a file as DataLoad gets them; a table that
// loads keeps its promises, and writing it gives bytes that load as the same
// table.
#include <cstddef>
#include <cstdint>
#include <string>

#include "env/Cp932.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "records/TableFile.h"
#include "records/TextLines.h"
#include "support/QuietFace.h"

using namespace kondra;
using kondra::fuzz::Require;

namespace {

bool Trimmed(const std::string& text) { return TrimBoth(text) == text; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  TableParse parsed = ParseTableFile(bytes);
  if (!parsed.ok) {
    Require(DT_RowCount == 0 && DT_ColCount == 0 && NameCount == 0 && !DT_Loaded, "a refused file empties the table");
    return 0;
  }
  Require(DT_RowCount >= 1 && DT_RowCount <= kMaxTableRows, "row count in range");
  Require(DT_ColCount >= 1 && DT_ColCount <= kMaxTableCols, "column count in range");
  Require(NameCount == DT_RowCount && DT_Loaded, "name list follows the table");
  const auto rows = static_cast<std::size_t>(DT_RowCount), cols = static_cast<std::size_t>(DT_ColCount);
  std::size_t rowWidth = 0;
  for (std::size_t j = 1; j <= cols; ++j) {
    Require(DT_ColWidth[j] >= 0 && DT_ColWidth[j] <= kMaxColumnWidth, "column width in range");
    Require(DT_ColStart[j + 1] == DT_ColStart[j] + DT_ColWidth[j], "columns follow each other");
    rowWidth += static_cast<std::size_t>(DT_ColWidth[j]);
  }
  for (std::size_t i = 1; i <= rows; ++i) {
    Require(DT_Name[i] == DT_Cell[i][1] && NameList[i] == DT_Name[i], "column 1 is the name");
    Require(NameOrder[i] == static_cast<int32_t>(i), "names keep their order");
    for (std::size_t j = 1; j <= cols; ++j) {
      Require(Trimmed(DT_Cell[i][j]), "cells are trimmed");
      Require(MBWidth(DT_Cell[i][j]) <= DT_ColWidth[j], "cells fit their column");
    }
  }
  if (rows * rowWidth > (1u << 20)) return 0;  // writing it back would be slow, not wrong

  // Tabs inside a cell are written as blanks; apart from that the table
  // survives being written and read again.
  auto cells = DT_Cell;
  for (std::size_t i = 1; i <= rows; ++i)
    for (std::size_t j = 1; j <= cols; ++j) cells[i][j] = BlankControls(cells[i][j]);
  TableWrite written;
  if (!TableFileBytes(written)) return 0;  // a text without CP932 form
  Require(written.cuts == 0, "loaded cells never need cutting");
  TableParse again = ParseTableFile(written.bytes);
  Require(again.ok && !again.rowsCut, "written tables load again");
  Require(static_cast<std::size_t>(DT_RowCount) == rows && static_cast<std::size_t>(DT_ColCount) == cols,
          "written tables keep their size");
  for (std::size_t i = 1; i <= rows; ++i)
    for (std::size_t j = 1; j <= cols; ++j) Require(DT_Cell[i][j] == TrimBoth(cells[i][j]), "cells survive");
  return 0;
}
