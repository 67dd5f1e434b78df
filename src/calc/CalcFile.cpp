#include "calc/CalcFile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "env/Cp932.h"
#include "env/FileChanges.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "materials/MaterialFiles.h"
#include "records/TableFile.h"

namespace kondra {

RecordStore CalcStore;
std::string CalcPath;
std::string ResultDir;

namespace {

// Each repair runs at most once per load or save (see RepairLayerRecords).
bool g_colourRepairArmed = true;
bool g_numberRepairArmed = true;
bool g_repairSaving = false;

void ArmRepairs() {
  if (g_repairSaving) return;
  g_colourRepairArmed = true;
  g_numberRepairArmed = true;
}

const char* const kNoMaterialTail = "〕は材料登録されていませんね。";

// ------------------------------------------------------------ checking a file

// The type code each label of a calculation must have.
std::string ExpectedType(int32_t label) {
  if (label == kTitleLabel) return "<SS1>";
  if (label == kSideALabel || label == kSideBLabel) return "<VV8>";
  if (label == kPartLabel) return "<NS2>";
  if (label > kLayerBaseLabel && label <= kLayerBaseLabel + kLayerRecords) return "<NSV5>";
  return std::string();
}

struct NumberField {
  int start;  // 0-based byte column
  int width;
  bool integer;
  const char* name;
};

std::vector<NumberField> NumberFields(int32_t label) {
  if (label == kSideALabel || label == kSideBLabel) {
    std::vector<NumberField> f = {{24, 8, false, "温度"}, {32, 8, false, "湿度"}};
    for (int k = 3; k <= 8; ++k) f.push_back({24 + 8 * (k - 1), 8, false, "予備値"});
    return f;
  }
  if (label == kPartLabel) return {{24, 3, true, "部位№"}, {56, 3, true, "区分№"}};
  if (label > kLayerBaseLabel && label <= kLayerBaseLabel + kLayerRecords)
    return {{24, 3, true, "材料№"},     {47, 8, false, "厚さ"},   {55, 8, false, "熱伝導率"},
            {63, 8, false, "熱抵抗"},   {71, 8, false, "透湿率"}, {79, 8, false, "透湿抵抗"}};
  return {};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The label of a record line, or -1 when the label field is not one.
constexpr const char* kHeaderStart = "---<<<";

int32_t LabelOf(const std::string& line) {
  std::string field = SliceMB(line, 0, 6);
  std::string digits;
  if (field.starts_with("№")) {
    digits = TrimLeft(field.substr(std::string("№").size()));
  } else {
    digits = field;
  }
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) return -1;
  return static_cast<int32_t>(TextToInt(digits));
}

std::string Quoted(const std::string& text) { return "「" + CutMB(text, 24) + "」"; }

bool IsUtf8Text(std::string_view bytes) {
  bool wide = false;
  for (std::size_t i = 0; i < bytes.size();) {
    auto c = static_cast<unsigned char>(bytes[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + static_cast<std::size_t>(len) > bytes.size()) return false;
    for (int k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80) return false;
    wide = wide || len > 1;
    i += static_cast<std::size_t>(len);
  }
  return wide;
}

// ------------------------------------------------------------ results folder

void WriteResultName(const std::string name) {
  if (ResultDir.empty() || !fs::IsDir(ResultDir)) return;
  const std::string path = ResultDir + kResultNameFile;
  if (!fs::IsFile(path) || !DataLoad(path)) {
    DT_RowCount = 1;
    DT_ColCount = 1;
    DT_ColWidth[1] = 40;
  }
  DT_Name[1] = name;
  DT_Cell[1][1] = name;
  DT_ColWidth[1] = std::max(DT_ColWidth[1], MBWidth(name));
  DataSave(path);
}

void RemoveFileReported(const std::string& path) {
  std::string error;
  if (!fs::RemoveFile(path, &error)) ReportException("<" + path + ">" + error + "。");
}

}  // namespace

// ------------------------------------------------------------ names and paths

std::pair<std::string, std::string> SideNames(int32_t partIndex) {
  switch (partIndex) {
    case 6: return {"土中", "室内"};
    case 7: return {"室内", "床下"};
    case 8: return {"室内", "外気"};
    case 9:
    case 10:
    case 11: return {"室内", "土中"};
    case 12:
    case 14:
    case 15: return {"Ａ側", "Ｂ側"};
    case 13: return {"上側", "下側"};
    default: return {"外側", "内側"};
  }
}

std::string SampleCalcPath() { return CalcDir + "KDR\\" + kSampleFile; }

bool IsSampleFile(const std::string& path) { return Contains(std::string("\\") + kSampleFile, path); }

// ------------------------------------------------------------ rebuilding

void RebuildInputs(CalcState& s) {
  Read_SS1(CalcStore, kTitleLabel);
  s.Title = SLDT_SS1.Text;
  Read_VV8(CalcStore, kSideALabel);
  SetSideCond(1, SLDT_VV8.Value[1], SLDT_VV8.Value[2], s);
  Read_VV8(CalcStore, kSideBLabel);
  SetSideCond(2, SLDT_VV8.Value[1], SLDT_VV8.Value[2], s);
  Read_NS2(CalcStore, kPartLabel);
  s.PartIndex = SLDT_NS2.Number[1];
  s.PartName = SLDT_NS2.Name[1];
  s.PartVertical = TrimBoth(SLDT_NS2.Name[2]) == kVerticalCode;
  std::tie(s.SideNameA, s.SideNameB) = SideNames(s.PartIndex);

  ClearLayers(s);
  if (!Exists_SLDT(CalcStore, LabelText(LayerLabel(1)))) {
    DeriveLayers(s);
    return;
  }
  for (int k = 1; k <= kLayerRecords; ++k) {
    Read_NSV5(CalcStore, LayerLabel(k));
    if (SLDT_NSV5.Name.empty()) continue;
    const auto& v = SLDT_NSV5.Value;
    SetLayer(k, SLDT_NSV5.Name, v[1], v[2], v[3], v[4], v[5], s);
  }
  DeriveLayers(s);
  // Every record goes back with the values in use, so all nine exist and the
  // store holds what the calculation uses.
  for (int k = 1; k <= kLayerRecords; ++k) {
    Read_NSV5(CalcStore, LayerLabel(k));
    if (!s.LayerName[static_cast<std::size_t>(k)].empty())
      for (int i = 1; i <= 5; ++i)
        SLDT_NSV5.Value[static_cast<std::size_t>(i)] = s.LayerData[static_cast<std::size_t>(k)].Value(i);
    WriteLayerRecord(CalcStore, LayerLabel(k));
  }
  DataLoad(MaterialFilePath());
  for (int k = 1; k <= kLayerRecords; ++k) {
    const std::string& name = s.LayerName[static_cast<std::size_t>(k)];
    if (!name.empty() && !FindMaterial(name).found)
      StatusMsg(std::to_string(k) + "番目の材料〔" + name + kNoMaterialTail);
  }
}

// ------------------------------------------------------------ file commands

void NewCalcFile(const std::string& path) {
  New_SLDT(path, CalcStore);
  CalcPath = path;
  ResetCalcState(Calc);
  RebuildInputs(Calc);
  ArmRepairs();
  ShowStatus("〔全データ初期化〕<" + path + ">");
}

std::string CalcFileProblem(const RecordStore& store) {
  // Line 1 is the header, unless it is a record itself.
  const std::size_t first = (!store.lines.empty() && store.lines[0].starts_with("№")) ? 0 : 1;
  // A file without a single record is a calculation only when its one line
  // is the header a new calculation is saved with; anything else (nothing
  // at all, a copy cut short, some other text file) would open as a blank
  // calculation and be saved over as one.
  const bool anyRecord = std::any_of(store.lines.begin() + static_cast<std::ptrdiff_t>(std::min(first, store.lines.size())),
                                     store.lines.end(), [](const std::string& l) { return !TrimBoth(l).empty(); });
  if (!anyRecord && (store.lines.empty() || !store.lines[0].starts_with(kHeaderStart)))
    return store.lines.empty() || TrimBoth(store.lines[0]).empty() ? "空のファイルです。"
                                                                    : "計算ファイルの見出し行も記録もありません。";
  // Header and records are one line of 88 bytes each. A longer line is a
  // file whose line ends were lost or something else entirely: its labels
  // would be found inside the one line and the rest taken as junk records.
  for (std::size_t i = 0; i < store.lines.size(); ++i) {
    const int width = MBWidth(TrimRight(store.lines[i]));
    if (width > kRecordWidth)
      return std::to_string(i + 1) + "行目が長すぎます（" + std::to_string(width) + "バイト、" +
             std::to_string(kRecordWidth) + "バイト以下のはず）。" +
             (store.lines.size() == 1 ? "改行のないファイルです。" : "");
  }
  for (std::size_t i = first; i < store.lines.size(); ++i) {
    const std::string& line = store.lines[i];
    const std::string where = std::to_string(i + 1) + "行目";
    if (TrimBoth(line).empty()) continue;
    const int32_t label = LabelOf(line);
    if (label < 0) return where + "は計算ファイルの記録ではありません" + Quoted(line) + "。";
    if (label < 1000) return where + "のラベル番号 " + std::to_string(label) + " は1000未満です" + Quoted(line) + "。";
    const std::string type = TrimRight(SliceMB(line, 6, 6));
    // Every record carries its type code in angle brackets right after the
    // label; without one the label was misread and every field is shifted.
    if (type.size() < 3 || type.front() != '<' || type.back() != '>')
      return where + "の型コードの欄" + Quoted(SliceMB(line, 6, 6)) + "が<…>の形ではありません" + Quoted(line) + "。";
    const std::string expected = ExpectedType(label);
    if (expected.empty()) continue;
    const std::string record = LabelText(label) + expected;
    if (type != expected)
      return where + "（" + LabelText(label) + "）の型 " + Quoted(type) + " は " + expected + " のはずです。";
    const std::vector<NumberField> fields = NumberFields(label);
    if (fields.empty()) continue;
    const int width = MBWidth(line);
    const NumberField& last = fields.back();
    if (width < last.start + last.width)
      return where + "（" + record + "）が途中で切れています（" + std::to_string(width) + "バイト、" +
             std::to_string(kRecordWidth) + "バイトのはず）。";
    // A field passes when the record reader takes it wholly as a number
    // (thousands separators and exponents included), so a hand-edited file
    // opens as exactly what it shows.
    for (const NumberField& f : fields) {
      const std::string raw = SliceMB(line, f.start, f.width);
      const std::string text = TrimBoth(raw);
      if (MBWidth(raw) != f.width || (!text.empty() && !IsNumberText(text, f.integer)))
        return where + "（" + record + "）の" + f.name + "の欄" + Quoted(raw) + "が数値ではありません。";
      // Beyond the single range the reader could only hold the limit.
      if (!f.integer && std::fabs(TextToFloat(text)) > FLT_MAX)
        return where + "（" + record + "）の" + f.name + "の欄" + Quoted(raw) + "は大きすぎて数値として扱えません。";
    }
  }
  return std::string();
}

bool ReadCalcFile(const std::string& path) {
  auto refuse = [&](const std::string& reason) {
    MsgBox("<" + path + ">" + CR + CR + reason + "（読込み中止）", 3, 1);
    return false;
  };
  if (fs::IsFile(path)) {
    std::string bytes;
    if (fs::ReadWhole(path, bytes, nullptr, 16 * 1024 * 1024) && IsUtf8Text(bytes))
      return refuse("UTF-8で書かれたテキストです。計算ファイルはShift-JIS（CP932）で保存されたものに限ります。");
  }
  // The open file stays as it is until the new one has proved readable.
  const RecordStore savedCopy = SavedCopy;
  const bool modified = DataModified;
  const std::string fileName = StatusFileName;
  RecordStore store;
  if (!Load_SLDT(path, store)) {
    if (fs::Exists(path) && !fs::IsDir(path)) return false;  // reported by the loader
    NewCalcFile(path);
    return false;
  }
  if (std::string problem = CalcFileProblem(store); !problem.empty()) {
    SavedCopy = savedCopy;
    DataModified = modified;
    StatusFileName = fileName;
    return refuse("計算ファイルとして読めません。" + std::string(CR) + problem);
  }
  CalcStore = std::move(store);
  CalcPath = path;
  ResetCalcState(Calc);
  RebuildInputs(Calc);
  ArmRepairs();
  ShowStatus("〔ファイル読込〕<" + path + ">");
  return true;
}

bool SaveCalcFile(const std::string& path) {
  ClearResultFiles(path, kPictureWord);
  if (!Save_SLDT(path, CalcStore)) return false;
  CalcPath = path;
  RebuildInputs(Calc);
  ArmRepairs();
  ShowStatus("〔ファイル保存〕<" + path + ">");
  return true;
}

// ------------------------------------------------------------ result files

void ClearResultFiles(const std::string& path, const std::string& word) {
  SplitPath(path);
  const std::string folder = CurDir + kResultFolderName + "\\";
  if (fs::IsDir(folder)) {
    ListFiles(folder, "*" + word + "*", ".*");
    std::vector<std::string> names(NameList.begin() + 1, NameList.begin() + 1 + NameCount);
    for (const std::string& name : names) RemoveFileReported(folder + name);
  }
  WriteResultName(kNoResultName);
}

void NoteFileName(const std::string& path) {
  SplitPath(path);
  WriteResultName(CurName);
}

void DeleteNumberedMetafiles(const std::string& path, int last) {
  SplitPath(path);
  const std::string stem = CurDir + CurName;
  for (int k = 0; k <= last; ++k) {
    const std::string file = stem + "(" + std::to_string(k) + ").EMF";
    if (fs::IsFile(file)) RemoveFileReported(file);
  }
}

// ------------------------------------------------------------ row commands

bool InsertLayerRow(int k) {
  const int n = Calc.LayerCount;
  if (n >= kMaxLayers || k < 1 || k > n) return false;
  MsgBox(std::to_string(k) + "層目〔" + Calc.LayerName[static_cast<std::size_t>(k)] + "〕の上に１行挿入しますか？", 2, 3);
  if (!MsgYes) return false;
  for (int j = n; j >= k; --j) {
    Read_NSV5(CalcStore, LayerLabel(j));
    WriteLayerRecord(CalcStore, LayerLabel(j + 1));
  }
  RebuildInputs(Calc);
  Calc.Calculated = false;
  DataModified = true;
  ShowStatus("〔１行挿入完了〕");
  return true;
}

bool DeleteLayerRow(int k) {
  const int n = Calc.LayerCount;
  if (k < 1 || k > n) return false;
  MsgBox(std::to_string(k) + "層目〔" + Calc.LayerName[static_cast<std::size_t>(k)] + "〕を削除しますか？", 2, 3);
  if (!MsgYes) return false;
  for (int j = k; j <= n - 1; ++j) {
    Read_NSV5(CalcStore, LayerLabel(j + 1));
    WriteLayerRecord(CalcStore, LayerLabel(j));
  }
  Delete_SLDT(CalcStore, LabelText(LayerLabel(n)));
  RebuildInputs(Calc);
  Calc.Calculated = false;
  DataModified = true;
  ShowStatus("〔１行削除完了〕");
  return true;
}

bool RefreshMaterials(const std::function<void()>& beforeMessage) {
  if (const std::string problem = DatabaseFileProblem(MaterialFilePath()); !problem.empty()) {
    MsgBox(problem + CR + CR + "材料物性値は更新しません。", 3, 1);
    return false;
  }
  MsgBox("現在の材料物性値を〔材料物性.DAT〕ファイルで更新しますか？", 2, 3);
  if (!MsgYes) return false;
  if (Exists_SLDT(CalcStore, LabelText(LayerLabel(1)))) {
    DataLoad(MaterialFilePath());
    for (int k = 1; k <= Calc.LayerCount; ++k) {
      Read_NSV5(CalcStore, LayerLabel(k));
      MaterialMatch match = FindMaterial(SLDT_NSV5.Name);
      if (!match.found) continue;
      TMaterialValues values = MaterialValuesOf(match.number);
      SLDT_NSV5.Number = match.number;
      SLDT_NSV5.Value[2] = values.Conductivity;
      SLDT_NSV5.Value[3] = values.ThermalRes;
      SLDT_NSV5.Value[4] = values.Permeability;
      SLDT_NSV5.Value[5] = values.VapourRes;
      WriteLayerRecord(CalcStore, LayerLabel(k));
    }
  }
  RebuildInputs(Calc);
  Calc.Calculated = false;
  DataModified = true;
  if (beforeMessage) beforeMessage();
  MsgBox("材料物性値を更新しました。", 1, 1);
  return true;
}

void RepairLayerRecords() {
  // A repair takes what it writes from the material file: one that did not
  // read cleanly (missing, cut short, miscounted) would write junk numbers
  // and colours into the calculation, so nothing is repaired from it.
  if (!MaterialFileClean()) return;
  // The file as it was read is kept beside it as NAME.KDR.bak first (once:
  // a second repair of the same file does not copy the first one's save).
  bool kept = false;
  auto saveNow = [&kept] {
    if (!kept && !KeepOriginalCopy(CalcPath, "修正を保存しません。")) return;
    kept = true;
    g_repairSaving = true;
    if (SaveCalcFile(CalcPath)) ShowStatus("〔修正して保存〕元のファイルは<" + CalcPath + ".bak>");
    g_repairSaving = false;
  };
  if (g_colourRepairArmed && Read_NSV5(CalcStore, LayerLabel(1)) && SLDT_NSV5.HeadValue[2] == 0) {
    g_colourRepairArmed = false;
    DataLoad(MaterialFilePath());
    for (int k = 1; k <= kLayerRecords; ++k) {
      Read_NSV5(CalcStore, LayerLabel(k));
      SLDT_NSV5.HeadText[2] = CutMB(MaterialValuesOf(SLDT_NSV5.Number).ColorText, kColorTextBytes);
      WriteLayerRecord(CalcStore, LayerLabel(k));
    }
    MsgBox("入力データに材料の色番号がないので、〔材料物性.DAT〕ファイルの色番号を補って保存します。" + std::string(CR) +
               "元のファイルは<" + CalcPath + ".bak>として残します。",
           1, 1);
    saveNow();
  }
  if (g_numberRepairArmed && !RefreshLayerMaterialNumbers(CalcStore, kLayerBaseLabel, kLayerRecords, kLayerDecimals)) {
    g_numberRepairArmed = false;
    MsgBox("〔材料物性.DAT〕ファイルが更新さているので、入力データの＜材料名＞を修正し保存します。", 1, 1);
    saveNow();
  }
}

// ------------------------------------------------------------ start-up

std::string OpenStartupFile(const std::string& recorded) {
  SplitPath(recorded);
  const std::string path = (!recorded.empty() && CurExt == ".KDR") ? recorded : SampleCalcPath();
  SplitPath(path);
  ResultDir = CurDir + kResultFolderName + "\\";
  if (fs::IsFile(path))
    ReadCalcFile(path);
  else
    NewCalcFile(path);
  return path;
}

}  // namespace kondra
