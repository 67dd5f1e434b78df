#include "materials/MaterialFiles.h"

#include <algorithm>

#include "calc/LayerRecord.h"
#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "records/TableFile.h"

namespace kondra {

namespace {

bool LoadNames(const std::string& path, std::vector<std::string>& list) {
  list.clear();
  if (!DataLoad(path)) return false;
  for (int32_t i = 1; i <= DT_RowCount; ++i) list.push_back(DT_Name[static_cast<std::size_t>(i)]);
  return true;
}

const std::string& Cell(int32_t row, int col) {
  static const std::string kEmpty;
  if (row < 1 || row > DT_RowCount || col < 1 || col > kMaxTableCols) return kEmpty;
  return DT_Cell[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

// A length-prefixed CP932 text of at most `max` bytes at `offset`.
std::string WallText(std::string_view bytes, std::size_t offset, std::size_t max) {
  std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(bytes[offset]), max);
  std::string_view raw = bytes.substr(offset + 1, length);
  std::string text;
  if (!FromCp932(raw, text)) {
    // A text cut inside a character (or not CP932 at all): keep what decodes.
    text.clear();
    for (std::size_t n = raw.size(); n > 0; --n)
      if (FromCp932(raw.substr(0, n), text)) break;
  }
  return TrimLeft(text);
}

}  // namespace

std::string MaterialFilePath() { return DatDir + kMaterialFileName; }
std::string PartClassFilePath() { return DatDir + kPartClassFileName; }

bool LoadMaterialList(std::vector<std::string>& list) { return LoadNames(MaterialFilePath(), list); }
bool LoadPartClassList(std::vector<std::string>& list) { return LoadNames(PartClassFilePath(), list); }

MaterialMatch FindMaterial(std::string_view name) {
  const int32_t count = std::clamp<int32_t>(DT_RowCount, 0, kMaxTableRows);
  int32_t n = FindName(count, DT_Name, name);
  return {n, n != 0};
}

TMaterialValues MaterialValuesOf(int32_t number) {
  TMaterialValues v;
  if (number < 1 || number > DT_RowCount) return v;
  v.Conductivity = TextToSingle(Cell(number, 2));
  v.ThermalRes = TextToSingle(Cell(number, 3));
  v.Permeability = TextToSingle(Cell(number, 4));
  v.VapourRes = TextToSingle(Cell(number, 5));
  v.ColorText = Cell(number, 11);
  v.Color = ClampToInt32(TextToInt(v.ColorText));
  v.Pattern = ClampToInt32(TextToInt(Cell(number, 12)));
  return v;
}

bool IsHeadingMaterial(std::string_view name) { return name.starts_with("【"); }
bool IsFreeMaterial(std::string_view name) { return name == kFreeMaterialName; }
bool IsSurfaceMaterial(std::string_view name) { return name.find("α") != std::string_view::npos; }
bool IsUserMaterial(int32_t number) { return Cell(number, 8) == "O"; }

bool LoadMaterialRows(std::vector<TMaterialRow>& rows) {
  rows.clear();
  if (!DataLoad(MaterialFilePath())) return false;
  for (int32_t i = 1; i <= DT_RowCount; ++i) {
    TMaterialRow row;
    row.number = i;
    for (int j = 1; j <= kMaterialColumns; ++j) row.cell[static_cast<std::size_t>(j)] = Cell(i, j);
    rows.push_back(std::move(row));
  }
  return true;
}

bool LoadPartClasses(std::vector<TPartClass>& parts) {
  parts.clear();
  if (!DataLoad(PartClassFilePath())) return false;
  for (int32_t i = 1; i <= DT_RowCount; ++i) parts.push_back({i, DT_Name[static_cast<std::size_t>(i)], Cell(i, 4)});
  return true;
}

std::string DatabaseFileProblem(const std::string& path) {
  const std::string name = FileNameOf(path);
  if (!fs::IsFile(ExpandPath(path))) return "〔" + name + "〕が見つかりません。<" + path + ">";
  const std::string problem = TableFileProblemAt(path);
  if (problem.empty()) return problem;
  return "〔" + name + "〕が壊れています。<" + path + "> " + problem;
}

bool MaterialFileClean() { return DatabaseFileProblem(MaterialFilePath()).empty(); }

bool RefreshLayerMaterialNumbers(RecordStore& store, int32_t baseLabel, int32_t count, std::string_view decimals) {
  DataLoad(MaterialFilePath());
  bool unchanged = true;
  for (int32_t k = 1; k <= count; ++k) {
    const int32_t label = baseLabel + k;
    Read_NSV5(store, label);
    MaterialMatch match = FindMaterial(SLDT_NSV5.Name);
    if (match.number == SLDT_NSV5.Number) continue;
    SLDT_NSV5.Number = match.number;
    WriteLayerRecord(store, label, decimals);
    unchanged = false;
  }
  return unchanged;
}

bool ReadWallRecord(const std::string& path, TWallRecord& record) {
  record = TWallRecord{};
  if (!fs::IsFile(path)) return false;
  std::string bytes, error;
  if (!fs::ReadWhole(path, bytes, &error)) {
    ReportException("<" + path + ">" + error + "。");
    return false;
  }
  if (bytes.size() < static_cast<std::size_t>(kWallRecordBytes)) {
    ReportException("<" + path + ">" + std::to_string(bytes.size()) + "バイトしかなく、壁体構成の1件目（" +
                    std::to_string(kWallRecordBytes) + "バイト）が読めません。");
    return false;
  }
  record.WallName = WallText(bytes, 0, 30);
  record.PartName = WallText(bytes, 31, 12);
  for (int k = 1; k <= kWallLayers; ++k)
    record.LayerName[static_cast<std::size_t>(k)] = WallText(bytes, 44 + 13 * static_cast<std::size_t>(k - 1), 12);
  return true;
}

}  // namespace kondra
