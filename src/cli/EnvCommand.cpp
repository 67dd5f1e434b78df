#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Cli.h"
#include "env/Wios.h"

namespace kondra::cli {

int EnvCommand(const std::vector<std::string>& args) {
  if (!args.empty()) {
    std::cerr << "kondra-cli env: unexpected argument '" << args.front() << "'\n";
    return 1;
  }
  nlohmann::json rows = nlohmann::json::array();
  for (std::size_t k = 1; k < EnvRow.size(); ++k) rows.push_back(EnvRow[k]);
  nlohmann::json out = {
      {"root", fs::ToNative(StartDrive + RootDir)},
      {"folders",
       {{"StartDrive", StartDrive},
        {"RootDir", RootDir},
        {"DataDir", DataDir},
        {"CalcDir", CalcDir},
        {"DatDir", DatDir},
        {"ColorDir", ColorDir},
        {"PictDir", PictDir},
        {"HelpDir", HelpDir}}},
      {"rows", rows},
      {"userName", UserName},
      {"countryNo", CountryNo},
      {"countryName", CountryName},
      {"colorFile", ColorFile},
      {"lastFile", LastCalcFile},
      {"unitSystem", UnitSystemName},
      {"unitPairs", UnitPairCount},
  };
  std::cout << out.dump(2) << "\n";
  return 0;
}

}  // namespace kondra::cli
