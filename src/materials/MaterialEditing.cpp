#include "materials/MaterialEditing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "env/Cp932.h"
#include "env/FileChanges.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "env/Units.h"
#include "materials/MaterialFiles.h"

namespace kondra {

namespace {

const std::string& Empty() {
  static const std::string empty;
  return empty;
}

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string WithPoint(std::string text) {
  if (text.find('.') == std::string::npos) text += '.';
  return text;
}

// An unsigned decimal number: digits with at most one "." and at least one digit.
bool IsUnsignedDecimal(std::string_view text) {
  int digits = 0, points = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9')
      ++digits;
    else if (c == '.')
      ++points;
    else
      return false;
  }
  return digits > 0 && points <= 1;
}

bool IsWholeNumber(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Significant digits of a stored number: its digits from the first one that
// is not 0 (trailing zeros count, as they were written).
int SignificantDigits(std::string_view text) {
  int digits = 0;
  bool started = false;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    if (c != '0') started = true;
    if (started) ++digits;
  }
  return digits;
}

// Decimals that show `value` with `digits` significant digits.
int DecimalsForDigits(double value, int digits) {
  if (value == 0 || !std::isfinite(value)) return 0;
  const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
  return std::clamp(digits - 1 - exponent, 0, 9);
}

bool NoValue(std::string_view shown) { return shown == kNoValueText || shown.empty(); }

// kcal/(kg·℃) to kJ/(kg·K): 1 kcal = 1.16279 Wh = 4.186 kJ.
float SpecificHeatFactor() { return SIUnits ? UnitFactor[5] * 3.6f : 1.0f; }

}  // namespace

const std::string& TMaterialWork::Cell(int row, int col) const {
  if (row < 1 || row > RowCount || col < 1 || col > kMaxTableCols) return Empty();
  if (static_cast<std::size_t>(row) >= WorkCell.size()) return Empty();
  return WorkCell[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TMaterialWork::SetCell(int row, int col, const std::string& text) {
  if (row < 1 || row > RowCount || col < 1 || col > kMaxTableCols) return;
  WorkCell[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
  if (col == 1) WorkName[static_cast<std::size_t>(row)] = text;
}

void TakeDataTable(TMaterialWork& work) {
  work.RowCount = DT_RowCount;
  work.ColCount = DT_ColCount;
  work.ColWidth = DT_ColWidth;
  const auto rows = static_cast<std::size_t>(DT_RowCount) + 1;
  work.WorkName.assign(rows, std::string());
  work.WorkCell.assign(rows, {});
  for (std::size_t i = 1; i < rows; ++i) {
    work.WorkName[i] = DT_Name[i];
    work.WorkCell[i] = DT_Cell[i];
    work.WorkCell[i][1] = DT_Name[i];
  }
}

void PutDataTable(const TMaterialWork& work) {
  DT_RowCount = work.RowCount;
  DT_ColCount = work.ColCount;
  DT_ColWidth = work.ColWidth;
  DT_ColStart[1] = 0;
  for (std::size_t j = 1; j <= 20; ++j) DT_ColStart[j + 1] = DT_ColStart[j] + DT_ColWidth[j];
  for (int32_t i = 1; i <= work.RowCount; ++i) {
    const auto r = static_cast<std::size_t>(i);
    DT_Name[r] = work.WorkName[r];
    DT_Cell[r] = work.WorkCell[r];
    DT_Cell[r][1] = work.WorkName[r];
  }
}

bool LoadMaterialWork(TMaterialWork& work) {
  const bool loaded = DataLoad(MaterialFilePath());
  if (!loaded) DT_RowCount = 0;
  TakeDataTable(work);
  return loaded;
}

bool SaveMaterialWork(TMaterialWork& work) {
  // Saving over a file that did not read cleanly keeps only what was read:
  // asked first, and the file as it was stays beside it as .bak.
  const std::string path = MaterialFilePath();
  if (const std::string problem = DatabaseFileProblem(path); !problem.empty() && fs::IsFile(ExpandPath(path))) {
    MsgBox(problem + CR + CR + "読めなかった部分は保存すると失われます（元のファイルは<" + path +
               ".bak>として残します）。" + CR + "保存しますか？",
           2, 2);
    if (!MsgYes || !KeepOriginalCopy(path, "保存しません。")) return false;
  }
  PutDataTable(work);
  if (!DataSave(MaterialFilePath())) return false;
  TakeDataTable(work);
  return true;
}

bool IsConvertedMaterialColumn(int col) { return (col >= 2 && col <= 5) || col == 7; }

float MaterialColumnFactor(int col) {
  if (col >= 2 && col <= 5) return UnitFactor[static_cast<std::size_t>(col - 1)];
  if (col == 7) return SpecificHeatFactor();
  return 1.0f;
}

std::string ShownMaterialValue(int col, std::string_view stored) {
  const std::string text = TrimBoth(stored);
  if (text.empty() || text == kNoValueText || text == kVapourTightText) return text;
  if (!SIUnits || !IsConvertedMaterialColumn(col)) return WithPoint(text);
  const float value = TextToSingle(text) * MaterialColumnFactor(col);
  // The permeability in ng/(m·s·Pa) is a small number: as many significant
  // digits as the stored text has (at least one), not whole numbers that
  // read "0." and "2.".
  const int decimals = col == 4   ? DecimalsForDigits(value, std::max(1, SignificantDigits(text)))
                       : col == 5 ? 6
                                  : DecimalsOf(text);
  return WithPoint(Fixed(value, decimals));
}

std::string MaterialCellText(const TMaterialWork& work, int row, int col) {
  if (col == 0) return FormatInt(5, row);
  if (col == 1) return work.Name(row);
  if (IsHeadingRow(work, row)) return std::string();
  if (IsConvertedMaterialColumn(col)) return ShownMaterialValue(col, work.Cell(row, col));
  return work.Cell(row, col);
}

bool IsHeadingRow(const TMaterialWork& work, int row) { return IsHeadingMaterial(work.Name(row)); }

bool IsUserRow(const TMaterialWork& work, int row) { return work.Cell(row, 8) == kUserCategory; }

bool MaterialInputAccepted(int32_t itemCode, std::string_view typed) {
  const std::string text = TrimBoth(typed);
  switch (itemCode - kMaterialListTag) {
    case 2:
    case 3:
    case 4:
    case 5:
      return text == kNoValueText || IsUnsignedDecimal(text);
    case 6:
    case 7:
      return IsUnsignedDecimal(text);
    case 8:
      return !text.empty() && text[0] >= 'A' && text[0] <= 'H';
    case 11:
      return IsWholeNumber(text) && TextToInt(text) <= 255;
    case 12:
      return IsWholeNumber(text) && TextToInt(text) <= 7;
    default:
      return true;
  }
}

std::optional<std::string> StoredMaterialValue(int col, std::string_view typed, int width) {
  std::string text = TrimBoth(typed);
  if (col == 11 || col == 12) text = std::to_string(TextToInt(text));
  if (SIUnits && IsConvertedMaterialColumn(col) && text != kNoValueText) {
    const float typedValue = TextToSingle(text);
    if (col == 5 && typedValue == 9999.0f) {
      text = kVapourTightText;
    } else {
      const float value = typedValue / MaterialColumnFactor(col);
      int decimals = value >= 1000 ? 0 : value >= 100 ? 1 : value >= 10 ? 2 : value >= 1 ? 3 : 4;
      // Small values keep three significant digits as far as the column allows.
      const int room = width > 2 ? width - 2 : 4;
      while (value > 0 && value < 0.01f && decimals < room && std::abs(value) * std::pow(10.0, decimals) < 100.0)
        ++decimals;
      text = value == 0 ? std::string("0.") : WithPoint(Fixed(value, decimals));
      // A value too small for the column's decimals is refused rather than
      // kept as 0.
      if (value > 0 && TextToSingle(text) == 0) {
        StatusMsg("入力値 " + TrimBoth(typed) + " は小さすぎて〔材料物性.DAT〕の桁数では 0 になるため、入力できません。");
        return std::nullopt;
      }
    }
  }
  if (width > 0 && MBWidth(text) > width) return std::nullopt;
  return text;
}

bool MaterialRowComplete(const TMaterialWork& work, int row) {
  const std::string name = MaterialCellText(work, row, 1);
  if (name.empty() || IsFreeMaterial(name)) return false;
  auto shown = [&](int col) { return MaterialCellText(work, row, col); };
  if (NoValue(shown(2)) && NoValue(shown(3))) return false;
  if (NoValue(shown(4)) && NoValue(shown(5))) return false;
  if (NoValue(shown(6)) || NoValue(shown(7))) return false;
  return true;
}

std::string MaterialItemHint(int32_t itemCode) {
  switch (itemCode - kMaterialListTag) {
    case 1:
      return "材料名です。（max=12文字）";
    case 2:
      return UnitText("材料の熱伝導率（kcal/mh℃）です。");
    case 3:
      return UnitText("材料の熱抵抗（㎡h℃/kcal）です。（※熱伝導率で表せないもの）");
    case 4:
      return UnitText("材料の透湿率（g/mhmmHg）です。");
    case 5:
      return UnitText("材料の透湿抵抗（㎡hmmHg/g）です。（※水蒸気透過率で表せないもの）");
    case 6:
      return "材料の密度（kg/m3）です。";
    case 7:
      return UnitText("材料の比熱（kcal/kg℃）です。");
    case 8:
      return "材料の似かよったものをまとめた区分（A～H）です。";
    case 11:
      return "材料の色です。（0～255）";
    case 12:
      return "材料の模様です。（0:ベタ塗り 2～7:網かけ）";
    default:
      return std::string();
  }
}

std::string MaterialUnitLine() {
  return SIUnits ? "W/mﾟK     m2ﾟK/W   ng/msPa  m2sPa/ng  kg/m3  kJ/kgﾟK"
                 : "kcal/mhﾟC m2h℃/kcal g/mhmmHg m2hmmHg/g kg/m3 kcal/kg℃";
}

std::vector<std::string> CheckWallMaterials() {
  std::vector<std::string> remarked;
  TWallRecord wall;
  if (!ReadWallRecord(DatDir + kWallFileName, wall)) return remarked;
  if (wall.PartName.empty() || wall.PartName == "*") return remarked;
  if (!DataLoad(PartClassFilePath())) return remarked;
  if (FindName(DT_RowCount, DT_Name, wall.PartName) == 0) return remarked;
  if (!DataLoad(MaterialFilePath())) return remarked;
  for (int k = 1; k <= kWallLayers; ++k) {
    const std::string& name = wall.LayerName[static_cast<std::size_t>(k)];
    if (name.empty() || name == "*") continue;
    if (FindName(DT_RowCount, DT_Name, name) != 0) continue;
    StatusMsg("<材料№" + std::to_string(k) + ">の〔" + name + "〕は登録されていない材料名です。");
    remarked.push_back(name);
  }
  return remarked;
}

}  // namespace kondra
