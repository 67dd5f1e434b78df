// The material property editor's working copy of 材料物性.DAT and the rules
// between the texts it stores and the texts the editor shows and accepts.
//
// The working copy has the shape of the data table (records/TableFile.h) and
// keeps the file's row count, column count and widths with it, so a Save
// writes the material file's layout even when another table file has been
// loaded into the data table meanwhile (the unit explanation, for one).
//
// Stored texts are engineering units. In SI units the constant columns are
// shown multiplied by their factor and typed values are divided by it before
// they are stored:
//   column 2 λ  UnitFactor[1]      column 4 p   UnitFactor[3]
//   column 3 r  UnitFactor[2]      column 5 rv  UnitFactor[4]
//   column 7 specific heat: kcal/(kg·℃) to kJ/(kg·K), UnitFactor[5] × 3.6
//     (1 kcal = 1.16279 Wh = 4.186 kJ), so the column agrees with its caption
//     "kJ/kgﾟK".
// "-" (no value) and "9999." (vapour-tight) are never converted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/TableFile.h"

namespace kondra {

inline constexpr int32_t kMaterialListTag = 2100;  // item code = 2100 + column
inline constexpr int32_t kMaterialGroup = 21;
inline constexpr const char* kNoValueText = "-";
inline constexpr const char* kVapourTightText = "9999.";
inline constexpr const char* kUserCategory = "O";

struct TMaterialWork {
  int32_t RowCount = 0;
  int32_t ColCount = 0;
  std::array<int32_t, 21> ColWidth{};                          // [1..20]
  std::vector<std::string> WorkName;                           // [1..RowCount]
  std::vector<std::array<std::string, kMaxTableCols + 1>> WorkCell;  // [row][1..16]

  // A cell as stored ("" outside the table).
  const std::string& Cell(int row, int col) const;
  const std::string& Name(int row) const { return Cell(row, 1); }
  // Stores a text: column 1 is the name (WorkName and WorkCell[r][1]).
  void SetCell(int row, int col, const std::string& text);
  int32_t Width(int col) const { return col >= 1 && col <= 20 ? ColWidth[static_cast<std::size_t>(col)] : 0; }
};

// The working copy := the data table as loaded / the data table := the
// working copy (counts, widths, names and cells).
void TakeDataTable(TMaterialWork& work);
void PutDataTable(const TMaterialWork& work);

// DataLoad of 材料物性.DAT into the working copy; a file that cannot be
// loaded gives an empty copy (the loader has said why) and false.
bool LoadMaterialWork(TMaterialWork& work);
// Writes the working copy to 材料物性.DAT through the data table. On success
// the copy takes back what was written (a cell cut to its column is cut in
// the copy too). False, copy unchanged, when the file could not be written.
bool SaveMaterialWork(TMaterialWork& work);

// The factor a column is shown with (1 in engineering units and for the
// columns that are never converted).
float MaterialColumnFactor(int col);
// Whether the column holds a constant that the unit system converts.
bool IsConvertedMaterialColumn(int col);

// The text of grid cell (col, row), column 0 being the material number
// ("%5d"). Heading rows show their name only.
std::string MaterialCellText(const TMaterialWork& work, int row, int col);
// How a stored constant of column 2, 3, 4, 5 or 7 is shown in the current
// unit system (see the rules above), with a "." when it has none. In SI the
// permeability (column 4) keeps the significant digits of the stored text.
std::string ShownMaterialValue(int col, std::string_view stored);

// Rows the editor treats apart.
bool IsHeadingRow(const TMaterialWork& work, int row);
bool IsUserRow(const TMaterialWork& work, int row);  // column 8 is "O"

// Whether a typed text may be stored for an item code (2100 + column):
// λ, r, p, rv: "-" or an unsigned decimal number; density and specific heat:
// an unsigned decimal number; category: a first letter "A" to "H"; colour
// 0..255; pattern 0..7; the name: anything.
bool MaterialInputAccepted(int32_t itemCode, std::string_view text);

// The text stored for a typed value of a column (already accepted). In SI
// units the constants are divided by their factor and written with 0
// decimals from 1000 on, 1 from 100, 2 from 10, 3 from 1 and 4 below, more
// below 0.01 so that three significant digits remain, always with a "."; "-"
// stays "-" and "9999" typed for rv stays the vapour-tight "9999.". Nothing
// (std::nullopt) when the result would not fit the column's `width` bytes,
// or when a value above 0 would be stored as 0 (with a status message).
std::optional<std::string> StoredMaterialValue(int col, std::string_view typed, int width);

// The row check on the shown texts: the row is incomplete when its name is
// empty or "-<未登録>-", when λ and r are both "-", p and rv both "-", or
// density or specific heat is "-".
bool MaterialRowComplete(const TMaterialWork& work, int row);

// The status-bar hint of an item code of the material list, in SI wording
// when SI units are on.
std::string MaterialItemHint(int32_t itemCode);

// The unit line above the list in the current unit system.
std::string MaterialUnitLine();

// The check of the stored wall construction when the editor opens: record 1
// of DatDir + 壁体構成.DAT names a part class of 部位区分.DAT; each of its
// layer materials that 材料物性.DAT does not hold is remarked in the status
// bar ("<材料№k>の〔name〕は登録されていない材料名です。"). Returns the
// names remarked.
std::vector<std::string> CheckWallMaterials();

}  // namespace kondra
