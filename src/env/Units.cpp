#include "env/Units.h"

#include <algorithm>

#include "env/Folders.h"
#include "env/Text.h"
#include "records/TableFile.h"

namespace kondra {

std::string UnitSystemName = kEngineeringUnits;
bool SIUnits = false;
std::array<float, 7> UnitFactor{0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
std::array<TUnitPair, kMaxUnitPairs + 1> UnitPair;
int32_t UnitPairCount = 0;

namespace {

constexpr double kKcalFactor = 1.16279;     // W per kcal/h
constexpr double kMoistureFactor = 2083.6;  // ng/(s·Pa) per g/(h·mmHg)

// The three symbols a caption may be written with, and the forms the pairs use.
struct Symbol {
  const char* written;
  const char* paired;
};
constexpr Symbol kSymbols[] = {{"℃", "ﾟC"}, {"Ｋ", "ﾟK"}, {"㎡", "m2"}};

}  // namespace

void SetUnitSystem(std::string_view name) {
  UnitSystemName = std::string(name);
  SIUnits = name == kSIUnits;
  if (SIUnits) {
    // Each factor is the expression held as a single, so index 2 is
    // 1/1.16279 (0.8600005), not 0.86.
    UnitFactor[1] = static_cast<float>(kKcalFactor);
    UnitFactor[2] = static_cast<float>(1.0 / kKcalFactor);
    UnitFactor[3] = static_cast<float>(kMoistureFactor);
    UnitFactor[4] = static_cast<float>(1.0 / kMoistureFactor);
    UnitFactor[5] = static_cast<float>(kKcalFactor);
    UnitFactor[6] = static_cast<float>(kKcalFactor);
  } else {
    std::fill(UnitFactor.begin() + 1, UnitFactor.end(), 1.0f);
  }
}

void LoadUnitPairs() {
  UnitPairCount = 0;
  for (auto& pair : UnitPair) pair = TUnitPair{};
  if (!DataLoad(DatDir + "単位系SIW.DAT")) return;
  const int32_t rows = std::min<int32_t>(DT_RowCount, kMaxUnitPairs);
  for (std::size_t i = 1; i <= static_cast<std::size_t>(rows); ++i) {
    UnitPair[i].Eng = DT_Name[i];
    UnitPair[i].SI = DT_ColCount >= 2 ? DT_Cell[i][2] : std::string();
  }
  UnitPairCount = rows;
}

std::string UnitText(std::string_view text) {
  if (!SIUnits) return std::string(text);
  std::string work(text);
  for (const Symbol& s : kSymbols) work = ReplaceAll(s.written, s.paired, work);
  bool applied = false;
  for (std::size_t i = 1; i <= static_cast<std::size_t>(UnitPairCount) && i < UnitPair.size(); ++i) {
    const TUnitPair& pair = UnitPair[i];
    // An empty caption would match every text; such a row pairs nothing.
    if (pair.Eng.empty() || !Contains(pair.Eng, work)) continue;
    work = ReplaceFirst(pair.Eng, pair.SI, work);
    applied = true;
    break;
  }
  if (applied) {
    for (const Symbol& s : kSymbols)
      if (Contains(s.written, text)) work = ReplaceAll(s.paired, s.written, work);
  }
  return work;
}

}  // namespace kondra
