// Where the twelve months of the year-round check come from: a point of the
// bundled weather (its monthly mean temperature and vapour pressure), twelve
// months typed by the user (kept in DATA\年間気候.DAT, a table file of
// 12 rows: month, outside temperature °C, outside humidity %), or a CSV file;
// and the inside air over them.
#pragma once

#include <string>
#include <vector>

#include "assess/Annual.h"

namespace kondra {

inline constexpr const char* kTypedClimateFile = "年間気候.DAT";

// One point of the bundled weather as a climate to choose: points without
// monthly humidity are listed but cannot be chosen (`reason` says why).
struct ClimateChoice {
  int point = 0;
  std::string name;  // the point list's display name, else its name
  bool usable = false;
  std::string reason;
};
// Every point of the weather of the installation (the weather is read).
std::vector<ClimateChoice> ClimateChoices();

// The outside air of a point; false with `problem` for a point without
// monthly temperature and vapour pressure.
bool PointClimate(int point, YearClimate& year, std::string& name, std::string& problem);

// Twelve lines, January first, "te,rhe" or "te,rhe,ti,rhi" (°C, %);
// `withInside` tells which. False with `problem` naming the line.
bool ParseClimateCsv(const std::string& text, const std::string& fileName, YearClimate& year, bool& withInside,
                     std::string& problem);

// The months typed by the user: outside °C and %, January first.
struct TypedMonth {
  double temp = 0, relHum = 0;
};
using TypedClimate = std::array<TypedMonth, 12>;
std::string TypedClimatePath();
// False (all zero) when the file is missing or does not read cleanly.
bool LoadTypedClimate(TypedClimate& months);
bool SaveTypedClimate(const TypedClimate& months);
void ApplyTypedClimate(const TypedClimate& months, YearClimate& year);

// The inside over the months: constant at side B (`humidityClass` 0) or a
// humidity class 1..5 over the outside at `insideTemp`.
void ApplyInside(YearClimate& year, int humidityClass, double insideTemp, double insideRelHum);

}  // namespace kondra
