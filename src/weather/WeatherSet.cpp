#include "weather/WeatherSet.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "env/Cp932.h"
#include "weather/Climate.h"
#include "weather/ClimateSources.h"
#include "weather/JapanStations.h"

namespace kondra {

namespace {

const std::vector<int> kRegionWidths = {20, 4, 4, 8, 6, 6, 10};
const std::vector<int> kPointWidths = {20, 4, 4, 4, 10, 10, 7, 3, 3, 8, 10};

std::string Fixed(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

std::string Folder(std::string dir) {
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

// One point before it is numbered.
struct PendingPoint {
  const Prefecture* prefecture = nullptr;
  int sortKey = 0;  // the JMA station number; points of their own come last
  std::string name, text, code;
  double latitude = 0, longitude = 0;
  const NormalsStation* normals = nullptr;
  const RadiationNormals* radiation = nullptr;
  const HourlyYear* hourly = nullptr;
  int hourlyFile = 0;
};

}  // namespace

bool CheckWeatherTable(const WeatherTable& table, std::string_view tableName, std::string& error) {
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const auto& row = table.rows[r];
    if (row.size() != table.widths.size()) {
      error = std::string(tableName) + " row " + std::to_string(r + 1) + ": " + std::to_string(row.size()) +
              " cells for " + std::to_string(table.widths.size()) + " columns";
      return false;
    }
    for (std::size_t c = 0; c < row.size(); ++c) {
      const std::string where =
          std::string(tableName) + " row " + std::to_string(r + 1) + " column " + std::to_string(c + 1) + " \"" +
          row[c] + "\": ";
      std::string bad;
      if (!IsCp932Text(row[c], &bad)) {
        error = where + "no Shift-JIS form for " + bad;
        return false;
      }
      if (row[c].find_first_of("\t\r\n") != std::string::npos) {
        error = where + "holds a TAB or a line break";
        return false;
      }
      if (MBWidth(row[c]) > table.widths[c]) {
        error = where + std::to_string(MBWidth(row[c])) + " bytes in a column of " + std::to_string(table.widths[c]);
        return false;
      }
    }
  }
  return true;
}

bool BuildJapanWeather(const std::string& sourcesDir, WeatherSet& set, std::string& error) {
  const std::string dir = Folder(sourcesDir);
  std::vector<NormalsStation> normals;
  std::vector<RadiationNormals> radiation;
  if (!ReadNormals(dir + "jma-normals\\normals.csv", normals, error)) return false;
  if (!ReadRadiationNormals(dir + "jma-normals\\jma_normals.json", radiation, error)) return false;

  std::map<int, const NormalsStation*> normalsByNumber;
  for (const auto& s : normals) {
    if (!FindStationPlace(s.number)) {
      error = "normals.csv: station " + std::to_string(s.number) + " " + s.name +
              " has no prefecture and Latin name in the station list";
      return false;
    }
    normalsByNumber[s.number] = &s;
  }
  for (const auto& p : StationPlaces())
    if (!normalsByNumber.count(p.number)) {
      error = "normals.csv: station " + std::to_string(p.number) + " (" + std::string(p.name) + ") is missing";
      return false;
    }
  std::map<int, const RadiationNormals*> radiationByNumber;
  for (const auto& r : radiation) {
    if (!normalsByNumber.count(r.number)) {
      error = "jma_normals.json: station " + std::to_string(r.number) + " " + r.name + " is not in normals.csv";
      return false;
    }
    radiationByNumber[r.number] = &r;
  }

  std::vector<HourlyYear> hourly(HourlyPlaces().size());
  std::map<int, std::size_t> hourlyByNumber;
  std::vector<PendingPoint> pending;
  for (std::size_t i = 0; i < HourlyPlaces().size(); ++i) {
    const HourlyPlace& h = HourlyPlaces()[i];
    const std::string path = dir + "pyhees\\climateData_" + std::to_string(h.file) + ".csv";
    if (!ReadHourlyYear(path, hourly[i], error)) return false;
    if (h.number != 0) {
      if (!normalsByNumber.count(h.number)) {
        error = "climateData_" + std::to_string(h.file) + ".csv belongs to station " + std::to_string(h.number) +
                ", which is not in normals.csv";
        return false;
      }
      hourlyByNumber[h.number] = i;
    } else {
      PendingPoint p;
      p.prefecture = FindPrefecture(h.region);
      p.sortKey = 1000000 + h.file;
      p.name = h.name;
      p.text = h.text;
      p.code = h.code;
      p.latitude = h.latitude;
      p.longitude = h.longitude;
      p.hourly = &hourly[i];
      p.hourlyFile = h.file;
      pending.push_back(std::move(p));
    }
  }
  for (const auto& s : normals) {
    const StationPlace* place = FindStationPlace(s.number);
    PendingPoint p;
    p.prefecture = FindPrefecture(place->region);
    p.sortKey = s.number;
    p.name = place->name;
    p.text = s.name;
    p.code = std::to_string(s.number);
    p.latitude = s.latitude;
    p.longitude = s.longitude;
    p.normals = &s;
    if (auto it = hourlyByNumber.find(s.number); it != hourlyByNumber.end()) {
      p.hourly = &hourly[it->second];
      p.hourlyFile = HourlyPlaces()[it->second].file;
    } else if (auto r = radiationByNumber.find(s.number); r != radiationByNumber.end()) {
      p.radiation = r->second;
    }
    pending.push_back(std::move(p));
  }
  for (const auto& p : pending)
    if (!p.prefecture) {
      error = "point " + p.name + " names an unknown prefecture";
      return false;
    }

  WeatherSet out;
  out.regions.widths = kRegionWidths;
  out.points.widths = kPointWidths;
  int regionNo = 0;
  for (const Prefecture& pref : Prefectures()) {
    ++regionNo;
    std::vector<const PendingPoint*> mine;
    for (const auto& p : pending)
      if (p.prefecture == &pref) mine.push_back(&p);
    std::sort(mine.begin(), mine.end(), [](const PendingPoint* a, const PendingPoint* b) {
      return a->sortKey < b->sortKey;
    });
    const int first = mine.empty() ? 0 : static_cast<int>(out.records.size()) + 1;
    out.regions.rows.push_back({std::string(pref.name), std::string(pref.code), std::to_string(pref.jisCode),
                                std::string(pref.area), std::to_string(first), std::to_string(mine.size()),
                                std::string(pref.text)});
    int inRegion = 0;
    for (const PendingPoint* p : mine) {
      MonthlyRecordData rec;
      rec.name = p->name;
      rec.code = p->code;
      rec.latitude = ToDegMin(p->latitude);
      rec.longitude = ToDegMin(p->longitude);
      int sources = 0;
      if (p->normals) {
        ApplyNormals(*p->normals, p->hourly == nullptr, rec);
        sources += kPointSourceNormals;
      }
      if (p->radiation) {
        ApplyRadiationNormals(*p->radiation, rec);
        sources += kPointSourceRadiation;
        if (p->radiation->marked)
          out.notes.push_back(p->name + ": the radiation normals carry a remark mark at the source; used as given");
      }
      if (p->hourly) {
        const HourlyDerivation d = DeriveFromHourly(*p->hourly, p->latitude, p->longitude, rec);
        sources += kPointSourceHourly;
        out.notes.push_back(p->name + " (climateData_" + std::to_string(p->hourlyFile) + ".csv): " +
                            std::to_string(d.humidityHoursClamped) + " hours of relative humidity above 100 % " +
                            "limited to 100 %, " + std::to_string(d.beamHoursLost) +
                            " hours of direct radiation without sun");
      }
      out.points.rows.push_back({p->name, std::string(pref.code), std::to_string(regionNo),
                                 std::to_string(++inRegion), Fixed(p->latitude, 4), Fixed(p->longitude, 4),
                                 Fixed(rec.elevation, 0), std::to_string(p->hourlyFile), std::to_string(sources),
                                 p->code, p->text});
      out.records.push_back(std::move(rec));
    }
  }
  if (out.points.rows.size() > 999) {
    error = "more than 999 points";
    return false;
  }
  if (!CheckWeatherTable(out.regions, "JPN_STAT", error) || !CheckWeatherTable(out.points, "JPN_WPNT", error))
    return false;
  set = std::move(out);
  return true;
}

bool MonthlyFileBytes(const WeatherSet& set, std::string& bytes, std::string& error) {
  std::string out;
  out.reserve(set.records.size() * kMonthlyRecordSize);
  for (std::size_t i = 0; i < set.records.size(); ++i) {
    std::string record;
    std::string why;
    if (!EncodeMonthlyRecord(set.records[i], record, &why)) {
      error = "point " + std::to_string(i + 1) + ": " + why;
      return false;
    }
    out += record;
  }
  bytes = std::move(out);
  return true;
}

}  // namespace kondra
