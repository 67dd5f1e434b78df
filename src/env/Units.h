// Unit systems. Every value is stored and calculated in engineering units
// (kcal, m2·h·℃, mmHg, g); in SI units the windows multiply a value by the
// factor of its quantity class on the way out, divide by it on the way in,
// and pass their unit captions through UnitText. Nothing stored changes.
//
// The engineering system is selected at every start; the choice is not
// stored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kondra {

inline constexpr const char* kEngineeringUnits = "工学単位";
inline constexpr const char* kSIUnits = "ＳＩ単位";

extern std::string UnitSystemName;  // kEngineeringUnits or kSIUnits
extern bool SIUnits;                // UnitSystemName is kSIUnits

// Factor from the engineering to the SI value, [1..6]; all 1 in engineering
// units. In SI units, as singles:
//   1  1.16279       λ, K (kcal/h based heat flow)
//   2  1/1.16279     r, R
//   3  2083.6        p, P
//   4  1/2083.6      rv, Rv
//   5  1.16279       further kcal quantities (material editor)
//   6  1.16279       further kcal quantities (weather values)
extern std::array<float, 7> UnitFactor;

// A caption in engineering units and its SI form, as 単位系SIW.DAT holds
// them (written with "ﾟC", "ﾟK" and "m2").
struct TUnitPair {
  std::string Eng;
  std::string SI;
};
inline constexpr int kMaxUnitPairs = 100;
extern std::array<TUnitPair, kMaxUnitPairs + 1> UnitPair;  // [1..UnitPairCount]
extern int32_t UnitPairCount;

// Selects SI units for exactly kSIUnits, engineering units for any other name.
void SetUnitSystem(std::string_view name);

// Loads the caption pairs from DatDir + "単位系SIW.DAT" (at most the first
// 100 rows). A missing or unreadable file leaves no pairs (the table
// loader has said why).
void LoadUnitPairs();

// In engineering units the caption unchanged. In SI units: "℃", "Ｋ" and
// "㎡" become "ﾟC", "ﾟK" and "m2"; the first pair (in file order) whose
// engineering caption occurs replaces its first occurrence; then each of the
// three symbols the caption was written with is put back. Without a
// matching pair the replaced forms stay.
std::string UnitText(std::string_view text);

}  // namespace kondra
