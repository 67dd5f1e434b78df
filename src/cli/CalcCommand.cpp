// `kondra-cli calc FILE [--json] [--si]`: a calculation as the main window
// shows it after the Calc command.
#include <iostream>
#include <sstream>

#include "assess/SurfaceRisk.h"
#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "calc/Results.h"
#include "cli/Cli.h"
#include "env/Cp932.h"
#include "env/Numbers.h"
#include "env/Text.h"
#include "env/Units.h"
#include "psychro/Psychro.h"
#include "records/RecordStore.h"

namespace kondra::cli {
namespace {

const char* const kCalcUsage =
    "使い方: kondra-cli calc FILE [--json] [--si] [--root DIR]\n"
    "  FILE     a calculation file (.KDR)\n"
    "  --json   one JSON object instead of the tables\n"
    "  --si     table texts in SI units (JSON numbers stay in engineering units)\n";

// Line breaks of message texts as the terminal writes them.
std::string Lines(std::string text) {
  for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) text.replace(at, 1, "\n");
  return text;
}

nlohmann::ordered_json TableJson(const ResultTable& t) {
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (const ResultRow& r : t.rows) rows.push_back(r);
  return {{"titles", t.titles}, {"rows", rows}};
}

nlohmann::ordered_json OptionalNumber(const std::optional<float>& v) {
  return v ? JsonNumber(*v) : nlohmann::ordered_json(nullptr);
}

// Both surfaces and the inside temperature factor; null before a calculation.
nlohmann::ordered_json SurfaceJson(const CalcState& s) {
  const SurfaceAssessment a = AssessSurfaces(s);
  if (!a.assessed) return nullptr;
  nlohmann::ordered_json sides = nlohmann::ordered_json::array();
  for (const SurfaceSide& side : a.sides)
    sides.push_back({{"side", side.side == 1 ? "A" : "B"},
                     {"boundary", side.boundary},
                     {"surfaceTemp", JsonNumber(side.surfaceTemp)},
                     {"surfaceSatPress", JsonNumber(side.surfaceSatPress)},
                     {"airVapPress", JsonNumber(side.airVapPress)},
                     {"surfaceRelHum", JsonNumber(side.surfaceRelHum)},
                     {"dewMargin", OptionalNumber(side.dewMargin)},
                     {"verdict", SurfaceVerdictText(side.verdict)}});
  nlohmann::ordered_json factor = nullptr;
  if (a.factor) {
    const SurfaceFactor& f = *a.factor;
    factor = {{"insideSide", f.insideSide == 1 ? "A" : "B"},
              {"fRsi", JsonNumber(f.fRsi)},
              {"insideSurfaceRes", JsonNumber(f.insideSurfaceRes)},
              {"fRsiMouldCheck", JsonNumber(f.fRsiMouldCheck)},
              {"mouldCheckSurfaceRes", JsonNumber(f.mouldCheckSurfaceRes)},
              {"criticalSurfaceTemp", OptionalNumber(f.criticalSurfaceTemp)},
              {"fRsiMin", OptionalNumber(f.fRsiMin)},
              {"sufficient", f.sufficient},
              {"mouldCheckSufficient", f.mouldCheckSufficient}};
  }
  return {{"sides", sides}, {"factor", factor}, {"factorMessage", a.factorMessage}};
}

nlohmann::ordered_json CalcJson(const std::string& path, const InputCheck& check) {
  const CalcState& s = Calc;
  nlohmann::ordered_json sides = nlohmann::ordered_json::array();
  for (int side = 1; side <= 2; ++side) {
    const TSideCond& c = s.SideCond[static_cast<std::size_t>(side)];
    sides.push_back({{"name", side == 1 ? s.SideNameA : s.SideNameB},
                     {"temp", JsonNumber(c.Temp)},
                     {"relHum", JsonNumber(c.RelHum)},
                     {"vapPress", JsonNumber(c.VapPress)},
                     {"dewPoint", c.DewPoint == kNoValue ? nlohmann::ordered_json(nullptr) : JsonNumber(c.DewPoint)}});
  }
  nlohmann::ordered_json layers = nlohmann::ordered_json::array();
  for (int k = 1; k <= kMaxLayers; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (s.LayerName[i].empty()) continue;
    Read_NSV5(CalcStore, LayerLabel(k));
    const TLayerData& d = s.LayerData[i];
    layers.push_back({{"row", k},
                      {"material", SLDT_NSV5.Number},
                      {"name", s.LayerName[i]},
                      {"kind", s.LayerName[i].find("α") != std::string::npos ? "A" : "S"},
                      {"thickness", JsonNumber(d.Thickness)},
                      {"conductivity", JsonNumber(d.Conductivity)},
                      {"thermalRes", JsonNumber(d.ThermalRes)},
                      {"permeability", JsonNumber(d.Permeability)},
                      {"vapourRes", JsonNumber(d.VapourRes)},
                      {"color", SLDT_NSV5.HeadValue[2]}});
  }
  auto inverse = [](float total) {
    return total == 0 ? nlohmann::ordered_json(nullptr) : JsonNumber(static_cast<float>(1.0 / static_cast<double>(total)));
  };
  nlohmann::ordered_json out = {
      {"file", NativePath(path)},
      {"title", s.Title},
      {"part", {{"number", s.PartIndex}, {"name", s.PartName}, {"vertical", s.PartVertical}}},
      {"sides", sides},
      {"layers", layers},
      {"totals",
       {{"thickness", JsonNumber(s.TotalThickness)},
        {"thermalRes", JsonNumber(s.TotalThermalRes)},
        {"vapourRes", JsonNumber(s.TotalVapourRes)}}},
      {"check", {{"ok", check.ok}, {"message", check.message}}},
      {"calculated", s.Calculated},
      {"K", inverse(s.TotalThermalRes)},
      {"P", inverse(s.TotalVapourRes)},
  };
  if (!s.Calculated) {
    for (const char* key : {"condPlane", "condRate", "condPosition", "surfacePlane", "condRateNote", "vapourFromB",
                            "judgement", "advice", "tableA", "tableB", "surface"})
      out[key] = nullptr;
    out["boundaries"] = nlohmann::ordered_json::array();
    return out;
  }
  nlohmann::ordered_json bounds = nlohmann::ordered_json::array();
  for (int k = 1; k <= s.LayerCount + 1; ++k) {
    const auto i = static_cast<std::size_t>(k);
    bounds.push_back({{"k", k},
                      {"temp", JsonNumber(s.BoundTemp[i])},
                      {"satPress", JsonNumber(s.SatPress[i])},
                      {"calcPress", JsonNumber(s.CalcPress[i])},
                      {"realPress", JsonNumber(s.RealPress[i])},
                      {"condAmount", JsonNumber(s.CondAmount[i])},
                      {"mark", s.FlowMark[i]}});
  }
  out["boundaries"] = bounds;
  out["condPlane"] = s.CondPlane;
  out["condRate"] = JsonNumber(s.CondRate);
  out["condPosition"] = std::string(1, s.CondPosition);
  out["surfacePlane"] = SurfacePlane(s);
  out["condRateNote"] = SurfaceAmountNote(s);
  out["vapourFromB"] = s.VapourFromB;
  out["judgement"] = Judge(s).panel;
  out["advice"] = Lines(AdviceText(s));
  out["tableA"] = TableJson(TableA(s));
  out["tableB"] = TableJson(TableB(s));
  out["surface"] = SurfaceJson(s);
  return out;
}

void PrintTable(std::ostream& out, const char* caption, const char* first, const ResultTable& t, int firstRow) {
  out << caption << "\n" << PadRight(first, 4);
  for (const std::string& title : t.titles) out << " " << PadLeft(title, 11);
  out << "\n";
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    out << PadLeft(std::to_string(static_cast<int>(r) + firstRow), 4);
    for (const std::string& cell : t.rows[r]) out << " " << PadLeft(cell, 11);
    out << "\n";
  }
}

// A unit caption as the terminal shows it: the degree written "℃" as in the
// column titles, the kelvin "K".
std::string Caption(std::string_view engineering) {
  return ReplaceAll("ﾟK", "K", ReplaceAll("ﾟC", "℃", UnitText(engineering)));
}

void PrintCalculation(std::ostream& out, const std::string& path, const InputCheck& check) {
  const CalcState& s = Calc;
  out << "計算ファイル: " << NativePath(path) << "\n"
      << "表題: " << s.Title << "\n"
      << "部位: " << s.PartIndex << " " << s.PartName << (s.PartVertical ? "（鉛直）" : "") << "\n\n";
  out << PadRight("条件", 8) << PadLeft("温度(℃)", 9) << PadLeft("湿度(％)", 9)
      << PadLeft("分圧(" + UnitText("mmHg") + ")", 13) << PadLeft("露点(℃)", 9) << "\n";
  for (int side = 1; side <= 2; ++side) {
    const TSideCond& c = s.SideCond[static_cast<std::size_t>(side)];
    out << PadRight(side == 1 ? s.SideNameA : s.SideNameB, 8) << PadLeft(FormatSingle(6, 1, c.Temp), 9)
        << PadLeft(FormatSingle(5, 0, c.RelHum), 9) << PadLeft(SideVapPressText(side, s), 13)
        << PadLeft(SideDewPointText(side, s), 9) << "\n";
  }
  out << "\n【層構成条件】\n"
      << PadRight("  №", 4) << " " << PadRight("材料名", 20) << PadLeft("厚さ(mm)", 10) << PadLeft("熱伝導率(λ)", 13)
      << PadLeft("熱抵抗(r)", 11) << PadLeft("透湿率(p)", 11) << PadLeft("透湿抵抗(rv)", 13) << "\n";
  for (int k = 1; k <= kMaxLayers; ++k) {
    if (s.LayerName[static_cast<std::size_t>(k)].empty()) continue;
    std::array<std::string, 4> cells = LayerPropertyCells(k, s);
    out << PadLeft(std::to_string(k), 4) << " " << PadRight(s.LayerName[static_cast<std::size_t>(k)], 20)
        << PadLeft(LayerThicknessCell(k, s), 10) << PadLeft(cells[0], 13) << PadLeft(cells[1], 11)
        << PadLeft(cells[2], 11) << PadLeft(cells[3], 13) << "\n";
  }
  out << "  全層数 " << FormatInt(4, s.LayerCount) << " 層  全厚" << FormatSingle(6, 1, s.TotalThickness) << "\n\n"
      << "熱貫流率(Ｋ値)   " << KValueText(s) << " " << Caption("kcal/(m2･h･ﾟC)") << "\n"
      << "湿気貫流率(Ｐ値) " << PValueText(s) << " " << Caption("g/(m2･h･mmHg)") << "\n";
  if (!check.ok) {
    out << "\n" << check.message << "\n";
    return;
  }
  if (!s.Calculated) {
    out << "\n結露計算を中止しました。\n";
    return;
  }
  out << "\n";
  PrintTable(out, kTableACaptions.table, "境界", TableA(s), 1);
  if (SurfacePlane(s)) out << SurfaceAmountNote(s) << "\n";
  out << "\n";
  PrintTable(out, kTableBCaptions.table, "  №", TableB(s), 1);
  out << "\n" << Judge(s).panel << "\n";
  if (std::string advice = AdviceText(s); !advice.empty()) out << "\n" << Lines(advice) << "\n";
  out << "\n";
  for (const std::string& line : SurfaceLines(AssessSurfaces(s))) out << line << "\n";
}

}  // namespace

int CalcCommand(const std::vector<std::string>& args) {
  bool json = false, si = false;
  std::string file;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (arg == "--si") {
      si = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kCalcUsage;
      return kExitDone;
    } else if (arg.starts_with("-") || !file.empty()) {
      Complain("calc", "unexpected argument '" + arg + "'");
      std::cerr << kCalcUsage;
      return kExitUsage;
    } else {
      file = arg;
    }
  }
  if (file.empty()) {
    Complain("calc", "no calculation file given");
    std::cerr << kCalcUsage;
    return kExitUsage;
  }
  if (si) SetUnitSystem(kSIUnits);
  const std::string path = ProgramPath(file);
  const int code = OpenAndCalculate("calc", path);
  if (code == kExitUsage) return code;
  const InputCheck check = CheckInput(Calc);
  if (code == kExitRefused) Complain("calc", check.message);
  if (code == kExitAborted) Complain("calc", "結露計算を中止しました。");
  if (json)
    std::cout << CalcJson(path, check).dump(2) << "\n";
  else
    PrintCalculation(std::cout, path, check);
  return code;
}

}  // namespace kondra::cli
