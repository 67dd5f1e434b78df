#include "weather/Stations.h"

#include <vector>

#include "env/Cp932.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "records/TableFile.h"

namespace kondra {

WCD_DataType CurStation;
std::string WeatherDir;
std::string StationDir;
int32_t PointCount = 0;
int32_t RegionCount = 0;
int32_t ShownPoint = 0;
std::string MonthlyFile;
std::string HourlyFile;
MonthlyRecordData MonthlyRecord;

namespace {

// The path MonthlyFilePath returned last.
std::string lastMonthlyPath;

// Column `col` of data-table row `row`; empty outside the loaded rows.
std::string Cell(int32_t row, int col) {
  if (row < 1 || row > DT_RowCount || row > kMaxTableRows || col < 1 || col > kMaxTableCols) return {};
  return DT_Cell[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

// The texts of a column of the loaded table, 1-based for FindName.
std::vector<std::string> Column(int col) {
  std::vector<std::string> names(static_cast<std::size_t>(DT_RowCount) + 1);
  for (int32_t r = 1; r <= DT_RowCount; ++r) names[static_cast<std::size_t>(r)] = Cell(r, col);
  return names;
}

void LoadCountry() {
  DataLoad(DatDir + "国名.DAT");
  const int32_t row = CountryNo;
  CurStation.CountryName = Cell(row, 1);
  CurStation.CountryFolder = Cell(row, 2);
  CurStation.CountryCode = CutMB(Cell(row, 3), 8);
}

}  // namespace

std::string RegionListPath() { return WeatherDir + CurStation.CountryCode + "_STAT.DAT"; }
std::string PointListPath() { return WeatherDir + CurStation.CountryCode + "_WPNT.DAT"; }

void ResetWeatherState() {
  CurStation = WCD_DataType{};
  WeatherDir.clear();
  StationDir.clear();
  PointCount = 0;
  RegionCount = 0;
  ShownPoint = 0;
  MonthlyFile.clear();
  HourlyFile.clear();
  MonthlyRecord = MonthlyRecordData{};
  lastMonthlyPath.clear();
}

void InitWeather() {
  CountryNo = 1;
  LoadCountry();
  const std::string folder = StartDrive + RootDir + "WCD\\";
  const std::string path = folder + CurStation.CountryCode + "_STAT.DAT";
  if (!CheckFile(path, 0))
    MsgBox("気象データファイルのあるのディレクトリ<" + folder + ">が見つかりません。(WCD_Data_Init)", 3, 1);
  SplitPath(path);
  WeatherDir = CurDir;
  StationDir = WeatherDir + CurStation.CountryFolder + "\\";

  WCD_DataType& s = CurStation;
  s.RegionName.clear();
  s.RegionCode.clear();
  s.PointName.clear();
  s.RegionText.clear();
  s.PointText.clear();
  for (auto& caption : s.Captions) caption.clear();
  s.RegionNo = 0;
  s.PointNo = 0;
  s.PointValues.fill(0.0f);
  s.PointCode = "00000";
  HourlyFile = WeatherDir + "なし";

  SelectStation(0, kDefaultPointName, kDefaultRegionCode, kDefaultYearName);
  MonthlyFile = MonthlyFilePath(CurStation.CountryCode);
}

void SelectStation(int32_t pointNo, std::string_view pointName, std::string_view regionCode,
                   std::string_view yearName) {
  if (pointNo == 0 && pointName.empty()) {
    MsgBox("＜地点№＞または＜地点名＞が指定されていません。", 3, 1);
    return;
  }
  LoadCountry();
  WCD_DataType& s = CurStation;
  std::string region(regionCode);

  DataLoad(PointListPath());
  PointCount = DT_RowCount;
  if (pointNo == 0) {
    std::vector<std::string> keys(static_cast<std::size_t>(PointCount) + 1);
    for (int32_t r = 1; r <= PointCount; ++r)
      keys[static_cast<std::size_t>(r)] = Cell(r, 1) + " (" + Cell(r, 2) + ")";
    pointNo = FindName(PointCount, keys, std::string(pointName) + " (" + region + ")");
  }
  // A number beyond the list names no point: the point stays as it was.
  if (pointNo > 0 && pointNo <= PointCount) {
    s.PointName = CutMB(Cell(pointNo, 1), 20);
    s.PointNo = pointNo;
    s.PointCode = CutMB(Cell(pointNo, 10), 8);
    for (int k = 1; k <= 5; ++k) s.PointValues[static_cast<std::size_t>(k)] = TextToSingle(Cell(pointNo, 4 + k));
    s.PointText = Cell(pointNo, 11);
    region = Cell(pointNo, 2);
  } else if (!pointName.empty()) {
    // A name that is not in the list changes nothing: the region stays
    // the current point's, not the one the name was looked for in.
    region.clear();
  }

  DataLoad(RegionListPath());
  RegionCount = DT_RowCount;
  int32_t regionRow = 0;
  if (!region.empty())
    regionRow = FindName(RegionCount, Column(2), region);
  else if (s.RegionNo >= 1 && s.RegionNo <= RegionCount)
    regionRow = s.RegionNo;
  // A region that is not in the list leaves the region as it was.
  if (regionRow > 0) {
    s.RegionNo = regionRow;
    s.RegionName = CutMB(Cell(regionRow, 1), 20);
    s.RegionCode = CutMB(Cell(regionRow, 2), 8);
    s.RegionText = Cell(regionRow, 7);
  }
  s.Captions[0] = s.RegionText + " " + s.PointText;

  DataLoad(DatDir + "観測年度.DAT");
  const int32_t yearRow =
      FindName(DT_RowCount, Column(1), yearName.empty() ? std::string(kDefaultYearName) : std::string(yearName));
  s.YearName = CutMB(Cell(yearRow, 1), 8);
  s.YearCode = CutMB(Cell(yearRow, 3), 2);

  HourlyFile = WeatherDir + s.CountryCode + "_" + s.RegionCode + "\\" + s.PointCode + "\\" + s.PointCode + ".H" +
               s.YearCode;
  if (CheckFile(HourlyFile, 0) && OpenSize(HourlyFile, false) % kHourlyRecordSize != 0)
    MsgBox("このファイルは気象データの書式が正しくありません。", 1, 1);
}

std::string MonthlyFilePath(std::string_view selector) {
  std::string path;
  const int width = MBWidth(selector);
  if (!lastMonthlyPath.empty() && selector == lastMonthlyPath)
    path = lastMonthlyPath;
  else if (width == 3)
    path = WeatherDir + CurStation.CountryCode + "_MONT.DAT";
  else if (selector.empty())
    path = DatDir + "月次気象." + std::to_string(PointCount);
  else if (width == 2)
    path = DatDir + "月次気象.DAT";
  else
    path = std::string(selector);  // a full path ("C:\...")
  SplitPath(path);
  lastMonthlyPath = path;
  return path;
}

void ReadMonthlyRecord(int32_t pointNo) {
  if (pointNo < 1 || pointNo > PointCount) return;
  if (!CheckFile(MonthlyFile, 0)) return;
  std::string bytes;
  std::string error;
  if (!fs::ReadWhole(MonthlyFile, bytes, &error)) {
    StatusMsg("〔" + MonthlyFile + "〕を読めません。" + error);
    return;
  }
  const int64_t offset = MonthlyRecordOffset(pointNo);
  if (static_cast<int64_t>(bytes.size()) < offset + kMonthlyRecordSize) {
    StatusMsg("〔" + MonthlyFile + "〕に地点№" + std::to_string(pointNo) + "のデータがありません。");
    return;
  }
  MonthlyRecordData data;
  if (PointRecordOf(bytes, pointNo, data)) MonthlyRecord = std::move(data);
}

bool PointRecordOf(std::string_view file, int32_t pointNo, MonthlyRecordData& record) {
  if (pointNo < 1) return false;
  const int64_t offset = MonthlyRecordOffset(pointNo);
  if (static_cast<int64_t>(file.size()) < offset + kMonthlyRecordSize) return false;
  std::string bytes(file.substr(static_cast<std::size_t>(offset), kMonthlyRecordSize));
  // The leading name field is not part of what is shown; a record whose
  // code is not text still shows its figures.
  bytes[kRecordNameOffset] = '\0';
  if (DecodeMonthlyRecord(bytes, record)) return true;
  bytes[kRecordCodeOffset] = '\0';
  return DecodeMonthlyRecord(bytes, record);
}

void WriteStationInfo() {
  // Without a shown point there is nothing to select again (and no warning
  // to raise each time the window loses the focus).
  if (ShownPoint != 0) SelectStation(ShownPoint, "", "", "");
  const WCD_DataType& s = CurStation;
  LastFileRow[6].clear();
  LastFileRow[7] = s.RegionName + " " + s.PointName;
  LastFileRow[8] = "[" + FormatInt(4, CountryNo) + "][" + FormatInt(4, s.RegionNo) + "][" + FormatInt(4, s.PointNo) + "]";
  LastFileRow[9] = s.YearName;
  SaveLastFileRecord(kStationInfoFile, HourlyFile);
  MonthlyFile = MonthlyFilePath("WCD");
}

}  // namespace kondra
