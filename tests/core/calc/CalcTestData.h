// Database files for calculation tests: small tables written on the spot,
// and the factory tables built from the readable sources in data/install
// (so the tests use the materials and part classes users get).
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "env/FileSystem.h"
#include "env/Folders.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

namespace kondra::test {

// Writes a table file: `widths` per column, rows of cells (missing cells empty).
inline void WriteTable(const std::string& path, const std::vector<int>& widths,
                       const std::vector<std::vector<std::string>>& rows) {
  DT_RowCount = static_cast<int32_t>(rows.size());
  DT_ColCount = static_cast<int32_t>(widths.size());
  for (std::size_t j = 1; j <= widths.size(); ++j) DT_ColWidth[j] = widths[j - 1];
  for (std::size_t i = 1; i <= rows.size(); ++i) {
    for (std::size_t j = 1; j <= widths.size(); ++j)
      DT_Cell[i][j] = j - 1 < rows[i - 1].size() ? rows[i - 1][j - 1] : std::string();
    DT_Name[i] = DT_Cell[i][1];
  }
  ASSERT_TRUE(DataSave(path)) << path;
}

// The factory table data/install/<relative>.tsv written to `path`.
inline void WriteFactoryTable(const std::string& relative, const std::string& path) {
  const std::string source = std::string(KONDRA_FIXTURES) + "/../../data/install/" + relative + ".tsv";
  std::ifstream in(source);
  ASSERT_TRUE(in) << source;
  std::vector<int> widths;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("# ")) continue;
    std::vector<std::string> cells;
    std::stringstream parts(line);
    for (std::string cell; std::getline(parts, cell, '\t');) cells.push_back(cell);
    if (widths.empty()) {
      ASSERT_FALSE(cells.empty());
      ASSERT_EQ(cells[0], "#widths") << source;
      for (std::size_t j = 1; j < cells.size(); ++j) widths.push_back(std::stoi(cells[j]));
      continue;
    }
    rows.push_back(cells);
  }
  WriteTable(path, widths, rows);
}

// DatDir below the temporary folder with the factory 材料物性.DAT and 部位区分.DAT.
inline void UseFactoryDatabases(const TempFolder& temp) {
  DatDir = temp.path() + "DATA\\DAT\\";
  CalcDir = temp.path() + "CAL\\";
  ASSERT_TRUE(fs::MakeFolders(DatDir));
  WriteFactoryTable("DATA/DAT/材料物性.DAT", DatDir + "材料物性.DAT");
  WriteFactoryTable("DATA/DAT/部位区分.DAT", DatDir + "部位区分.DAT");
}

}  // namespace kondra::test
