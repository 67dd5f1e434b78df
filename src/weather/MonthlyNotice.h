// The notice the monthly weather window shows at its first activation: what
// the shipped points hold and where their figures come from.
#pragma once

#include <string>

namespace kondra {

// Which source a point's figures come from: column 9 of the point list, the
// sum of these flags.
inline constexpr int kSourceNormals = 1;    // mean temperature and precipitation normals 1991-2020
inline constexpr int kSourceRadiation = 2;  // global radiation normals
inline constexpr int kSourceHourly = 4;     // hourly standard year of a climate region

// The notice, built from the current country's point list (the counts of
// points per source, the names of the points with a standard year) and
// closed by the attributions. Without a point list only the general part
// and the attributions remain.
std::string MonthlyNoticeText();

}  // namespace kondra
