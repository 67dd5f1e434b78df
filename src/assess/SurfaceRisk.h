// Surface condensation and mould risk of the two surfaces of a calculated
// construction: the surface temperature from the engine's profile, the
// relative humidity the side's air has at that surface, the margin to its dew
// point, and the temperature factor of the inside surface against the least
// factor that keeps the surface humidity below 80 % (ISO 13788, critical
// surface humidity).
//
// The legacy judgement only looks for a condensation plane; these figures sit
// beside it and change none of its texts. Everything is computed from the
// results of the last run in engineering units (°C, mmHg, m²·h·°C/kcal) with
// the program's own saturation function; only the texts follow the unit
// system.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/CalcState.h"

namespace kondra {

// The surface humidity above which mould may grow, %.
inline constexpr float kCriticalSurfaceRelHum = 80.0f;
// The inside surface resistance ISO 13788 prescribes for the mould check,
// 0.25 m²·K/W, in (m²·h·°C)/kcal.
inline constexpr float kMouldCheckSurfaceRes = static_cast<float>(0.25 / 0.86);

enum class SurfaceVerdict { Dry, MouldRisk, Condensation };

// "問題なし", "カビ発生の危険あり", "表面結露あり".
const char* SurfaceVerdictText(SurfaceVerdict v);

// A surface and the air of its side.
struct SurfaceSide {
  int side = 1;                // 1 side A, 2 side B
  int boundary = 0;            // 2 (side A surface) or n (side B surface)
  std::string name;            // "外側表面", "室内表面", …
  float surfaceTemp = 0;       // θs, °C
  float surfaceSatPress = 0;   // psat(θs), mmHg
  float airVapPress = 0;       // the side's air, mmHg
  float surfaceRelHum = 0;     // φs = p_air / psat(θs), %; not limited to 100
  std::optional<float> dewMargin;  // θs − θdew, K; none for dry air
  SurfaceVerdict verdict = SurfaceVerdict::Dry;
};

// The temperature factor of the inside surface.
struct SurfaceFactor {
  int insideSide = 2;            // the side taken as inside (its air is θi, p_i)
  float fRsi = 0;                // (θsi − θe) / (θi − θe) of the calculated profile
  float insideSurfaceRes = 0;    // r of the inside α row, (m²·h·°C)/kcal
  float fRsiMouldCheck = 0;      // the same with the inside α row's r replaced by Rsi = 0.25 m²·K/W
  float mouldCheckSurfaceRes = kMouldCheckSurfaceRes;
  std::optional<float> criticalSurfaceTemp;  // θsi,min: psat(θsi,min) = p_i / 0.8; none for dry air
  std::optional<float> fRsiMin;              // (θsi,min − θe) / (θi − θe)
  bool sufficient = true;             // θsi ≥ θsi,min (fRsi ≥ fRsi,min for a warm inside)
  bool mouldCheckSufficient = true;   // the same for the mould-check surface
};

struct SurfaceAssessment {
  bool assessed = false;               // the calculation has results
  std::array<SurfaceSide, 2> sides{};  // [0] side A, [1] side B
  std::optional<SurfaceFactor> factor; // none when θi = θe
  std::string factorMessage;           // why there is no factor; empty otherwise
};

inline constexpr const char* kSurfaceHeading = "【表面結露・カビの判定】";
inline constexpr const char* kEqualTempsMessage = "外側と内側の温度が等しいため、温度係数は求められません。";
inline constexpr const char* kFactorEnough = "必要値以上（カビの危険なし）";
inline constexpr const char* kFactorShort = "必要値未満（カビの危険あり）";

// The figures of calculation `s`. Not assessed when `s` is not calculated or
// has fewer than two rows.
SurfaceAssessment AssessSurfaces(const CalcState& s = Calc);

// The side taken as the inside: the one named "室内" when only one of the two
// is, else side B (the layer order runs from outside).
int InsideSide(const CalcState& s = Calc);

// The temperature whose saturation pressure is e mmHg (the inverse of
// SatPressMmHg, over ice below 0 °C); none for e ≤ 0.
std::optional<float> SatTempFromPress(float e);

// Texts in the current unit system, for the window, kondra-cli and the report.
struct SurfaceSideTexts {
  std::string name;      // "外側表面"
  std::string temp;      // "  0.4 ℃"
  std::string relHum;    // " 79.5 ％"
  std::string margin;    // "  2.1 K", "-" for dry air
  std::string verdict;   // SurfaceVerdictText
  bool risk = false;     // condensation or mould risk
};
struct SurfaceTexts {
  std::array<SurfaceSideTexts, 2> sides{};
  std::string factor;             // "0.956（Rsi = 0.125 ㎡h℃/kcal）"
  std::string mouldCheck;         // "0.903（Rsi = 0.2907 ㎡h℃/kcal）"
  std::string minimum;            // "0.770（臨界表面温度 15.4 ℃）"
  std::string factorVerdict;      // kFactorEnough / kFactorShort
  std::string mouldCheckVerdict;
  bool factorRisk = false;
  bool mouldCheckRisk = false;
  std::string message;            // kEqualTempsMessage when there is no factor
};
SurfaceTexts SurfaceTextsOf(const SurfaceAssessment& a);

// The block for the command line's table output, one text per line.
std::vector<std::string> SurfaceLines(const SurfaceAssessment& a);

// The block beside the report's layer table: lines of at most
// kSurfaceReportWidth CP932 bytes, the risky ones marked red.
inline constexpr int kSurfaceReportWidth = 31;
struct SurfaceReportLine {
  std::string text;
  bool red = false;
};
std::vector<SurfaceReportLine> SurfaceReportLines(const SurfaceAssessment& a);

}  // namespace kondra
