// `kondra-cli annual FILE (--climate N | --climate-csv F) [--inside constant |
// class:K[,θi]] [--json] [--si]`: the year-round check of a calculation's
// construction on a bundled climate or on twelve months given in a file.
#include <fstream>
#include <iostream>
#include <sstream>

#include "assess/Annual.h"
#include "assess/AnnualClimate.h"
#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "cli/Cli.h"
#include "env/Cp932.h"
#include "env/Numbers.h"
#include "env/Text.h"

namespace kondra::cli {
namespace {

const char* const kAnnualUsage =
    "使い方: kondra-cli annual FILE (--climate N | --climate-csv F) [--inside constant | class:K[,TI]] [--json] [--si]\n"
    "  FILE             a calculation file (.KDR): its rows as the calculation uses them\n"
    "  --climate N      point N of the bundled weather (地点№), its monthly mean temperature\n"
    "                   and vapour pressure (the standard-year points and others that have both)\n"
    "  --climate-csv F  twelve lines, January first: TE,RHE or TE,RHE,TI,RHI (°C, %)\n"
    "  --inside         constant: side B of the calculation (the default);\n"
    "                   class:K[,TI]: humidity class K (1-5) over the outside, at TI (default side B)\n"
    "  --json           one JSON object (g/(m2·h), g/m2)\n"
    "  --si             pressures of the table in Pa\n";

constexpr double kPaPerMmHg = 133.322368;

int Usage(const std::string& text) {
  Complain("annual", text);
  std::cerr << kAnnualUsage;
  return kExitUsage;
}

// Twelve months from a CSV file.
bool CsvClimate(const std::string& file, YearClimate& year, bool& inside, std::string& problem) {
  std::ifstream in(std::filesystem::path(NativePath(ProgramPath(file))), std::ios::binary);
  if (!in) {
    problem = file + ": 読めません。";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseClimateCsv(text.str(), file, year, inside, problem);
}

std::string Fixed(double value, int decimals) {
  std::ostringstream out;
  out.setf(std::ios::fixed);
  out.precision(decimals);
  out << value;
  return out.str();
}

}  // namespace

int AnnualCommand(const std::vector<std::string>& args) {
  std::string file, csv, insideMode = "constant";
  std::optional<int> point;
  bool json = false, si = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      std::cout << kAnnualUsage;
      return kExitDone;
    } else if (a == "--json") {
      json = true;
    } else if (a == "--si") {
      si = true;
    } else if (a == "--climate") {
      const auto v = value();
      const auto n = v ? NumberArg(*v) : std::nullopt;
      if (!n || *n != static_cast<int>(*n)) return Usage("--climate needs a point number");
      point = static_cast<int>(*n);
    } else if (a == "--climate-csv") {
      const auto v = value();
      if (!v) return Usage("--climate-csv needs a file");
      csv = *v;
    } else if (a == "--inside") {
      const auto v = value();
      if (!v) return Usage("--inside needs constant or class:K[,TI]");
      insideMode = *v;
    } else if (a.starts_with("-") || !file.empty()) {
      return Usage("unexpected argument '" + a + "'");
    } else {
      file = a;
    }
  }
  if (file.empty()) return Usage("no calculation file given");
  if (point.has_value() == !csv.empty()) return Usage("give one of --climate N and --climate-csv F");
  int humidityClass = 0;
  std::optional<double> classTemp;
  if (insideMode.starts_with("class:")) {
    const std::string rest = insideMode.substr(6);
    const auto comma = rest.find(',');
    const auto k = NumberArg(rest.substr(0, comma));
    if (!k || *k < 1 || *k > 5 || *k != static_cast<int>(*k)) return Usage("--inside class:K needs K of 1 to 5");
    humidityClass = static_cast<int>(*k);
    if (comma != std::string::npos) {
      classTemp = NumberArg(rest.substr(comma + 1));
      if (!classTemp || *classTemp < -50 || *classTemp > 100) return Usage("--inside class:K,TI needs TI in °C");
    }
  } else if (insideMode != "constant") {
    return Usage("--inside is constant or class:K[,TI]");
  }

  const std::string path = ProgramPath(file);
  if (const int code = OpenAndCalculate("annual", path); code != kExitDone) return code;
  std::vector<AnnualRow> rows;
  for (int k = 1; k <= Calc.LayerCount; ++k) {
    const TLayerData& d = Calc.LayerData[static_cast<std::size_t>(k)];
    rows.push_back({d.ThermalRes, d.VapourRes});
  }

  YearClimate year{};
  std::string climateName, problem;
  bool insideFromFile = false;
  if (point) {
    if (!PointClimate(*point, year, climateName, problem)) {
      Complain("annual", problem);
      return kExitUsage;
    }
    climateName = "地点№" + std::to_string(*point) + " " + climateName;
  } else {
    if (!CsvClimate(csv, year, insideFromFile, problem)) {
      Complain("annual", problem);
      return kExitUsage;
    }
    climateName = csv;
  }
  const TSideCond& b = Calc.SideCond[2];
  std::string insideName = insideFromFile ? "ファイルの室内条件" : "";
  if (!insideFromFile) {
    ApplyInside(year, humidityClass, humidityClass == 0 ? b.Temp : classTemp.value_or(b.Temp), b.RelHum);
    insideName = humidityClass == 0 ? Calc.SideNameB + "一定（" + Fixed(b.Temp, 1) + "℃ " + Fixed(b.RelHum, 0) + "%）"
                                    : "湿度クラス" + std::to_string(humidityClass) + "（" +
                                          Fixed(year[0].insideTemp, 1) + "℃）";
  }

  AnnualResult r;
  if (!AssessYear(rows, year, r, problem)) {
    Complain("annual", problem);
    return kExitRefused;
  }

  if (json) {
    nlohmann::ordered_json months = nlohmann::ordered_json::array();
    for (const AnnualMonthResult& m : r.months) {
      nlohmann::ordered_json planes = nlohmann::ordered_json::array();
      for (const AnnualPlane& p : m.planes)
        planes.push_back({{"boundary", p.boundary}, {"rate", p.rate}, {"accumulated", p.accumulated}});
      months.push_back({{"month", m.month}, {"planes", planes}});
    }
    nlohmann::ordered_json climate = nlohmann::ordered_json::array();
    nlohmann::ordered_json surface = nlohmann::ordered_json::array();
    for (int m = 1; m <= 12; ++m) {
      const MonthAir& air = year[static_cast<std::size_t>(m - 1)];
      climate.push_back({{"month", m},
                         {"outsideTemp", air.outsideTemp},
                         {"outsideVapPress", air.outsidePress / kPaPerMmHg},
                         {"insideTemp", air.insideTemp},
                         {"insideVapPress", air.insidePress / kPaPerMmHg}});
      const auto& f = r.surface[static_cast<std::size_t>(m - 1)].fRsiMin;
      surface.push_back({{"month", m}, {"fRsiMin", f ? nlohmann::ordered_json(*f) : nlohmann::ordered_json(nullptr)}});
    }
    nlohmann::ordered_json out = {
        {"verdict", VerdictKey(r.verdict)},
        {"startMonth", r.startMonth ? nlohmann::ordered_json(r.startMonth) : nlohmann::ordered_json(nullptr)},
        {"months", months},
        {"maxAccumulated", r.maxAccumulated},
        {"maxMonth", r.maxMonth ? nlohmann::ordered_json(r.maxMonth) : nlohmann::ordered_json(nullptr)},
        {"verdictText", VerdictText(r.verdict)},
        {"climate", {{"name", climateName}, {"inside", insideName}, {"months", climate}}},
        {"surface",
         {{"months", surface},
          {"largestFRsiMin", r.largestFRsiMin ? nlohmann::ordered_json(*r.largestFRsiMin) : nlohmann::ordered_json(nullptr)},
          {"largestMonth", r.largestFRsiMinMonth ? nlohmann::ordered_json(r.largestFRsiMinMonth)
                                                 : nlohmann::ordered_json(nullptr)},
          {"fRsi", r.fRsi},
          {"fRsiMouldCheck", r.fRsiMouldCheck}}}};
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }

  const char* unit = si ? "Pa" : "mmHg";
  const double scale = si ? 1.0 : 1.0 / kPaPerMmHg;
  std::cout << "【年間結露判定】 " << NativePath(path) << "\n"
            << "外気: " << climateName << "    室内: " << insideName << "\n\n"
            << " 月  外気温(℃)  外気水蒸気圧(" << unit << ")  室温(℃)  室内水蒸気圧(" << unit << ")\n";
  for (int m = 1; m <= 12; ++m) {
    const MonthAir& air = year[static_cast<std::size_t>(m - 1)];
    std::cout << PadLeft(std::to_string(m), 3) << PadLeft(Fixed(air.outsideTemp, 1), 11)
              << PadLeft(Fixed(air.outsidePress * scale, si ? 0 : 2), 18) << PadLeft(Fixed(air.insideTemp, 1), 10)
              << PadLeft(Fixed(air.insidePress * scale, si ? 0 : 2), 18) << "\n";
  }
  std::cout << "\n";
  if (r.startMonth == 0) {
    std::cout << "判定: " << VerdictText(r.verdict) << "\n";
  } else {
    std::cout << "開始月: " << r.startMonth << "月\n 月  境界  結露量(g/m2h)  累積(g/m2)\n";
    for (const AnnualMonthResult& m : r.months) {
      if (m.planes.empty()) std::cout << PadLeft(std::to_string(m.month), 3) << "     -\n";
      for (const AnnualPlane& p : m.planes)
        std::cout << PadLeft(std::to_string(m.month), 3) << PadLeft(std::to_string(p.boundary), 6)
                  << PadLeft(Fixed(p.rate, 4), 15) << PadLeft(Fixed(p.accumulated, 1), 12) << "\n";
    }
    std::cout << "最大累積: " << Fixed(r.maxAccumulated, 1) << " g/m2 (" << r.maxMonth << "月)\n"
              << "判定: " << VerdictText(r.verdict) << "\n";
  }
  if (r.largestFRsiMin) {
    const bool ok = r.fRsi >= *r.largestFRsiMin, okCheck = r.fRsiMouldCheck >= *r.largestFRsiMin;
    std::cout << "表面のカビ判定: 必要な温度係数 fRsi,min = " << Fixed(*r.largestFRsiMin, 3) << " ("
              << r.largestFRsiMinMonth << "月)\n"
              << "  この構成の fRsi = " << Fixed(r.fRsi, 3) << (ok ? " 満たす" : " 満たさない")
              << "    室内側表面抵抗0.25m2K/Wで " << Fixed(r.fRsiMouldCheck, 3) << (okCheck ? " 満たす" : " 満たさない")
              << "\n";
  }
  return kExitDone;
}

}  // namespace kondra::cli
