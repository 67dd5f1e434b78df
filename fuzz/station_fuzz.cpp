// The weather station files of a country: the point list JPN_WPNT.DAT, the
// region list JPN_STAT.DAT and the monthly file JPN_MONT.DAT, as parts 0, 1
// and 2 of the input (support/Scratch.h); part 3 holds up to four point
// numbers to select and read, one byte each. The start-up selection runs
// first, as the program's start does. Whatever the files hold, the station
// stays within its lists and its fields within their widths.
#include <cstddef>
#include <cstdint>
#include <string>

#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Cp932.h"
#include "records/TableFile.h"
#include "support/QuietFace.h"
#include "support/Scratch.h"
#include "weather/Stations.h"

using namespace kondra;
using kondra::fuzz::Require;

namespace {

void WriteTable(const std::string& path, std::initializer_list<int32_t> widths,
                std::initializer_list<std::initializer_list<const char*>> rows) {
  DT_ColCount = static_cast<int32_t>(widths.size());
  DT_RowCount = static_cast<int32_t>(rows.size());
  std::size_t c = 1;
  for (int32_t w : widths) DT_ColWidth[c++] = w;
  std::size_t r = 1;
  for (auto row : rows) {
    c = 1;
    for (const char* cell : row) DT_Cell[r][c++] = cell;
    DT_Name[r] = DT_Cell[r][1];
    ++r;
  }
  Require(DataSave(path), "the fixed tables are written");
}

// The installation around the fuzzed files: its folders and the two fixed
// tables the selection reads besides them.
void PrepareInstallation() {
  const std::string base = fuzz::ScratchFolder();
  StartDrive = base.substr(0, 2);
  RootDir = base.substr(2);
  SetFolders(base);
  Require(fs::MakeFolders(DatDir) && fs::MakeFolders(base + "WCD\\"), "installation folders");
  WriteTable(DatDir + "国名.DAT", {20, 12, 8}, {{"日本", "JAPAN", "JPN"}});
  WriteTable(DatDir + "観測年度.DAT", {8, 6, 4}, {{"標準年", "2020", "SY"}});
}

void CheckStation() {
  const WCD_DataType& s = CurStation;
  Require(s.PointNo >= 0 && (s.PointNo == 0 || s.PointNo <= PointCount), "the point is a row of the list");
  Require(s.RegionNo >= 0 && (s.RegionNo == 0 || s.RegionNo <= RegionCount), "the region is a row of the list");
  Require(MBWidth(s.PointName) <= 20 && MBWidth(s.RegionName) <= 20, "names within 20 bytes");
  Require(MBWidth(s.PointCode) <= 8 && MBWidth(s.RegionCode) <= 8, "codes within 8 bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), PrepareInstallation(), true);
  (void)ready;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  fuzz::ScratchFile("WCD\\JPN_WPNT.DAT", fuzz::Part(input, 0));
  fuzz::ScratchFile("WCD\\JPN_STAT.DAT", fuzz::Part(input, 1));
  fuzz::ScratchFile("WCD\\JPN_MONT.DAT", fuzz::Part(input, 2));

  ResetWeatherState();
  InitWeather();
  CheckStation();
  // A few picks: each one reloads both lists, and a run must stay short.
  const std::string_view picks = fuzz::Part(input, 3).substr(0, 4);
  for (unsigned char pick : picks) {
    const int32_t pointNo = pick;
    SelectStation(pointNo, "", "", "");
    CheckStation();
    ShownPoint = pointNo;
    ReadMonthlyRecord(pointNo);
  }
  return 0;
}
