// `kondra-cli materials [--json]` and `kondra-cli parts [--json]`: the two
// databases a calculation is built from, with every cell as it stands.
#include <iostream>

#include "cli/Cli.h"
#include "env/Cp932.h"
#include "env/Numbers.h"
#include "materials/MaterialFiles.h"

namespace kondra::cli {
namespace {

// Whether the only argument is --json; false (after a complaint) for anything else.
bool JsonOption(const char* command, const std::vector<std::string>& args, bool& json) {
  json = false;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else {
      Complain(command, "unexpected argument '" + arg + "' (usage: kondra-cli " + command + " [--json])");
      return false;
    }
  }
  return true;
}

}  // namespace

int MaterialsCommand(const std::vector<std::string>& args) {
  bool json = false;
  if (!JsonOption("materials", args, json)) return kExitUsage;
  std::vector<TMaterialRow> rows;
  // The rows are listed as the loader reads them; damage is said beside them.
  DatabaseReadsCleanly("materials", MaterialFilePath());
  if (!LoadMaterialRows(rows)) {
    Complain("materials", NativePath(MaterialFilePath()) + ": 読めません。");
    return kExitUsage;
  }
  static const char* const kKeys[kMaterialColumns + 1] = {
      "",        "name",         "conductivity", "thermalRes", "permeability", "vapourRes", "density",
      "specificHeat", "category", "mark1",        "mark2",      "color",        "pattern"};
  if (json) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const TMaterialRow& row : rows) {
      nlohmann::ordered_json item = {{"number", row.number}};
      for (int j = 1; j <= kMaterialColumns; ++j) item[kKeys[j]] = row.cell[static_cast<std::size_t>(j)];
      out.push_back(item);
    }
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }
  static const char* const kTitles[kMaterialColumns + 1] = {
      "", "材料名", "熱伝導率", "熱抵抗", "透湿率", "透湿抵抗", "密度", "比熱", "区分", "ﾏｰｸ1", "ﾏｰｸ2", "色№", "模様"};
  static const int kWidths[kMaterialColumns + 1] = {0, 12, 9, 9, 9, 9, 7, 7, 5, 6, 7, 5, 5};
  std::cout << "   №  " << PadRight(kTitles[1], kWidths[1]);
  for (int j = 2; j <= kMaterialColumns; ++j) std::cout << PadLeft(kTitles[j], kWidths[j]);
  std::cout << "\n";
  for (const TMaterialRow& row : rows) {
    std::cout << FormatInt(4, row.number) << "  ";
    if (IsHeadingMaterial(row.cell[1])) {
      std::cout << row.cell[1];  // a group heading: its other cells are not shown
    } else {
      std::cout << PadRight(row.cell[1], kWidths[1]);
      for (int j = 2; j <= kMaterialColumns; ++j)
        std::cout << PadLeft(row.cell[static_cast<std::size_t>(j)], kWidths[j]);
    }
    std::cout << "\n";
  }
  return kExitDone;
}

int PartsCommand(const std::vector<std::string>& args) {
  bool json = false;
  if (!JsonOption("parts", args, json)) return kExitUsage;
  std::vector<TPartClass> parts;
  DatabaseReadsCleanly("parts", PartClassFilePath());
  if (!LoadPartClasses(parts)) {
    Complain("parts", NativePath(PartClassFilePath()) + ": 読めません。");
    return kExitUsage;
  }
  if (json) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const TPartClass& p : parts) out.push_back({{"number", p.number}, {"name", p.name}, {"code", p.code}});
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }
  std::cout << "  №  " << PadRight("部位名", 30) << "区分\n";
  for (const TPartClass& p : parts) std::cout << FormatInt(3, p.number) << "  " << PadRight(p.name, 30) << p.code << "\n";
  return kExitDone;
}

}  // namespace kondra::cli
