#include "assess/AnnualClimate.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Text.h"
#include "records/TableFile.h"
#include "weather/MonthlyRecord.h"
#include "weather/Stations.h"

namespace kondra {
namespace {

constexpr int kTempItem = 1;    // 平均気温, °C
constexpr int kVapourItem = 4;  // 水蒸気圧, hPa

bool HasHumidity(const MonthlyRecordData& record) {
  for (int m = 1; m <= 12; ++m)
    if (record.Value(kTempItem, m) == kMonthlyAbsent || record.Value(kVapourItem, m) == kMonthlyAbsent) return false;
  return true;
}

std::optional<double> Number(const std::string& text) {
  const std::string t = TrimBoth(text);
  if (t.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

const char* const kNoHumidity = "月平均の水蒸気圧がない地点です（平均気温と降水量だけ）。";

}  // namespace

std::vector<ClimateChoice> ClimateChoices() {
  std::vector<ClimateChoice> choices;
  InitWeather();
  if (!DataLoad(PointListPath())) return choices;
  PointCount = DT_RowCount;
  // The monthly file once for all points.
  std::string monthly, error;
  const bool read = fs::ReadWhole(MonthlyFile, monthly, &error);
  for (int i = 1; i <= DT_RowCount; ++i) {
    const std::string shown = DT_Cell[static_cast<std::size_t>(i)][static_cast<std::size_t>(DT_ColCount)];
    MonthlyRecordData record;
    const bool usable = read && PointRecordOf(monthly, i, record) && HasHumidity(record);
    choices.push_back({i, shown.empty() ? DT_Name[static_cast<std::size_t>(i)] : shown, usable,
                       usable ? "" : read ? kNoHumidity : "〔" + MonthlyFile + "〕を読めません。" + error});
  }
  return choices;
}

bool PointClimate(int point, YearClimate& year, std::string& name, std::string& problem) {
  InitWeather();
  DataLoad(PointListPath());
  PointCount = DT_RowCount;
  if (point < 1 || point > PointCount) {
    problem = "地点№" + std::to_string(point) + " はありません（1～" + std::to_string(PointCount) + "）。";
    return false;
  }
  name = DT_Name[static_cast<std::size_t>(point)];
  MonthlyRecord = MonthlyRecordData{};
  ReadMonthlyRecord(point);
  if (!HasHumidity(MonthlyRecord)) {
    problem = "地点№" + std::to_string(point) + "〔" + name + "〕は選べません。" + kNoHumidity;
    return false;
  }
  for (int m = 1; m <= 12; ++m) {
    year[static_cast<std::size_t>(m - 1)].outsideTemp = MonthlyRecord.Value(kTempItem, m);
    year[static_cast<std::size_t>(m - 1)].outsidePress = MonthlyRecord.Value(kVapourItem, m) * 100.0;
  }
  return true;
}

bool ParseClimateCsv(const std::string& text, const std::string& fileName, YearClimate& year, bool& withInside,
                     std::string& problem) {
  std::istringstream in(text);
  std::string line;
  int month = 0, columns = 0;
  for (int n = 1; std::getline(in, line); ++n) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (TrimBoth(line).empty()) continue;
    std::vector<double> v;
    std::stringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) {
      const auto value = Number(cell);
      if (!value) {
        problem = fileName + ": " + std::to_string(n) + "行目「" + cell + "」は数値ではありません。";
        return false;
      }
      v.push_back(*value);
    }
    if ((v.size() != 2 && v.size() != 4) || (columns != 0 && static_cast<int>(v.size()) != columns)) {
      problem = fileName + ": " + std::to_string(n) + "行目は「外気温,外気湿度」か「外気温,外気湿度,室温,室内湿度」のはずです。";
      return false;
    }
    if (++month > 12) {
      problem = fileName + ": 13か月目があります（12行のはず）。";
      return false;
    }
    columns = static_cast<int>(v.size());
    for (std::size_t i = 1; i < v.size(); i += 2)
      if (v[i] < 0 || v[i] > 100 || v[i - 1] < -50 || v[i - 1] > 100) {
        problem = fileName + ": " + std::to_string(n) + "行目の温湿度が範囲外です（-50～100℃、0～100％）。";
        return false;
      }
    MonthAir& air = year[static_cast<std::size_t>(month - 1)];
    air.outsideTemp = v[0];
    air.outsidePress = VapourPressOf(v[0], v[1]);
    if (columns == 4) {
      air.insideTemp = v[2];
      air.insidePress = VapourPressOf(v[2], v[3]);
    }
  }
  if (month != 12) {
    problem = fileName + ": " + std::to_string(month) + "か月分しかありません（12行のはず）。";
    return false;
  }
  withInside = columns == 4;
  return true;
}

std::string TypedClimatePath() { return DataDir + kTypedClimateFile; }

bool LoadTypedClimate(TypedClimate& months) {
  months = {};
  const std::string path = TypedClimatePath();
  if (!TableFileProblemAt(path).empty() || !DataLoad(path) || DT_RowCount < 12 || DT_ColCount < 3) return false;
  for (std::size_t m = 1; m <= 12; ++m) {
    const auto t = Number(DT_Cell[m][2]), h = Number(DT_Cell[m][3]);
    months[m - 1] = {t.value_or(0), h.value_or(0)};
  }
  return true;
}

bool SaveTypedClimate(const TypedClimate& months) {
  DT_RowCount = 12;
  DT_ColCount = 3;
  DT_ColWidth[1] = 4;
  DT_ColWidth[2] = 12;
  DT_ColWidth[3] = 12;
  for (std::size_t m = 1; m <= 12; ++m) {
    DT_Name[m] = std::to_string(m) + "月";
    DT_Cell[m][1] = DT_Name[m];
    // Shortest text that reads back as the value typed.
    auto text = [](double v) {
      std::ostringstream out;
      out.precision(10);
      out << v;
      return out.str();
    };
    DT_Cell[m][2] = text(months[m - 1].temp);
    DT_Cell[m][3] = text(months[m - 1].relHum);
  }
  return DataSave(TypedClimatePath());
}

void ApplyTypedClimate(const TypedClimate& months, YearClimate& year) {
  for (std::size_t m = 0; m < 12; ++m) {
    year[m].outsideTemp = months[m].temp;
    year[m].outsidePress = VapourPressOf(months[m].temp, months[m].relHum);
  }
}

void ApplyInside(YearClimate& year, int humidityClass, double insideTemp, double insideRelHum) {
  for (MonthAir& air : year) {
    air.insideTemp = insideTemp;
    air.insidePress = humidityClass == 0 ? VapourPressOf(insideTemp, insideRelHum)
                                         : ClassInsidePress(humidityClass, air.outsideTemp, air.outsidePress, insideTemp);
  }
}

}  // namespace kondra
