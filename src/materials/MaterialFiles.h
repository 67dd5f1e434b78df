// The material property file 材料物性.DAT, the part class file 部位区分.DAT and
// the first record of the wall composition file 壁体構成.DAT, all in DatDir.
//
// 材料物性.DAT is a table file of 12 columns; the row number is the material
// number. Columns: 1 name, 2 λ, 3 r, 4 p, 5 rv (engineering units; "-" for
// a value not given, "9999." in column 5 for a vapour-tight material),
// 6 density, 7 specific heat, 8 category ("A".."H", "O" for user rows),
// 9 and 10 marks, 11 colour number, 12 pattern number. Cells are kept as
// the text that stands in the file and read as numbers only when used.
//
// 部位区分.DAT: the row number is the part class number; column 1 is the
// name, column 4 the class code ("V" for a vertical element).
//
// Both table files go through the one data table (records/TableFile.h):
// every reader here loads the file it needs immediately before using it,
// except FindMaterial and MaterialValuesOf, which read the table as the
// caller loaded it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/RecordStore.h"

namespace kondra {

inline constexpr const char* kMaterialFileName = "材料物性.DAT";
inline constexpr const char* kPartClassFileName = "部位区分.DAT";
inline constexpr const char* kWallFileName = "壁体構成.DAT";

inline constexpr int kMaterialColumns = 12;
inline constexpr const char* kFreeMaterialName = "-<未登録>-";
inline constexpr const char* kVerticalCode = "V";

std::string MaterialFilePath();   // DatDir + 材料物性.DAT
std::string PartClassFilePath();  // DatDir + 部位区分.DAT

// Whether a database file read cleanly: "" when it exists and is a whole
// table file, otherwise a notice naming the file and the damaged line. The
// tables are still loaded as the loader reads them, but nothing is written
// on the strength of a file that did not read cleanly.
std::string DatabaseFileProblem(const std::string& path);
bool MaterialFileClean();

// Loads 材料物性.DAT / 部位区分.DAT and gives the names of all rows in row
// order (position + 1 is the number). A file that cannot be loaded gives an
// empty list (the table loader has said why) and false.
bool LoadMaterialList(std::vector<std::string>& list);
bool LoadPartClassList(std::vector<std::string>& list);

// The material number of a name in the data table as loaded: the first row
// whose name equals it byte for byte (empty rows skipped). Number 0 and not
// found for an empty or unknown name.
struct MaterialMatch {
  int32_t number = 0;
  bool found = false;
};
MaterialMatch FindMaterial(std::string_view name);

// What a calculation takes from a material row of the data table as loaded.
struct TMaterialValues {
  float Conductivity = 0;  // column 2, λ
  float ThermalRes = 0;    // column 3, r
  float Permeability = 0;  // column 4, p
  float VapourRes = 0;     // column 5, rv
  std::string ColorText;   // column 11 as it stands (stored with a layer, 4 bytes)
  int32_t Color = 0;       // column 11 as a number
  int32_t Pattern = 0;     // column 12 as a number
};
// Zeros and empty texts for a number outside the table.
TMaterialValues MaterialValuesOf(int32_t number);

// Kinds of material rows, told by the name (and column 8 for user rows).
bool IsHeadingMaterial(std::string_view name);  // begins with "【"
bool IsFreeMaterial(std::string_view name);     // "-<未登録>-"
bool IsSurfaceMaterial(std::string_view name);  // contains "α"
bool IsUserMaterial(int32_t number);            // column 8 is "O" (table as loaded)

// One row of 材料物性.DAT with every cell as it stands, [1..12].
struct TMaterialRow {
  int32_t number = 0;
  std::array<std::string, kMaterialColumns + 1> cell;
};
// Loads 材料物性.DAT and gives every row. False (empty) when it cannot be loaded.
bool LoadMaterialRows(std::vector<TMaterialRow>& rows);

// One part class: its number, name and class code (column 4).
struct TPartClass {
  int32_t number = 0;
  std::string name;
  std::string code;
  bool vertical() const { return code == kVerticalCode; }
};
// Loads 部位区分.DAT and gives every row. False (empty) when it cannot be loaded.
bool LoadPartClasses(std::vector<TPartClass>& parts);

// Brings the material numbers of a calculation's layer records (labels
// baseLabel + 1 … baseLabel + count) up to date with 材料物性.DAT: a record
// whose name now stands in another row (or in none: 0) gets that number and
// is written again with its name and values, with the given decimals
// (widened where a value would otherwise be lost, see calc/LayerRecord.h).
// Missing records are left alone. True when no record had to change.
bool RefreshLayerMaterialNumbers(RecordStore& store, int32_t baseLabel, int32_t count, std::string_view decimals);

// Record 1 of 壁体構成.DAT: fixed records of 340 bytes whose texts are a
// length byte followed by their CP932 bytes.
inline constexpr int kWallRecordBytes = 340;
inline constexpr int kWallLayers = 8;
struct TWallRecord {
  std::string WallName;   // offset 0, 30 bytes; leading blanks removed
  std::string PartName;   // offset 31, 12 bytes; "*" = none; leading blanks removed
  std::array<std::string, kWallLayers + 1> LayerName;  // [1..8] at 44 + 13·(k − 1), 12 bytes
};
// Reads record 1 of the file. False without a message when the file does
// not exist (it is optional); false with the report of unexpected errors
// when it cannot be read or is shorter than one record.
bool ReadWallRecord(const std::string& path, TWallRecord& record);

}  // namespace kondra
