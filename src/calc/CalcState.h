// The one in-memory condensation calculation: the inputs rebuilt from the
// open calculation file, the sums prepared for a run, and the results of the
// last run of the engine.
//
// Units are the program's engineering units throughout: °C, %, mmHg, kcal,
// metres (thicknesses in mm) and hours. Every real is single precision.
// Layer rows and boundaries are numbered from 1 as on screen and in the
// file, so index 0 of the per-row and per-boundary arrays is unused (except
// Cumulative[0], the zero start of the sums). Row k lies between boundary k
// and boundary k + 1; boundary 1 is the air of side A and boundary n + 1 the
// air of side B.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kondra {

// At most nine layer rows, hence ten boundaries.
inline constexpr int kMaxLayers = 9;
inline constexpr int kMaxBounds = kMaxLayers + 1;
// The vapour resistance that marks a vapour-tight row (a foil, a sealed
// membrane): the material file holds it as the text "9999.".
inline constexpr float kVapourTight = 9999.0f;

// Air conditions of one side. VapPress and DewPoint follow from Temp and
// RelHum whenever the conditions are loaded (SetSideCond).
struct TSideCond {
  float Temp = 0;      // air temperature, °C
  float RelHum = 0;    // relative humidity, %
  float VapPress = 0;  // vapour pressure, mmHg
  float DewPoint = 0;  // °C, or -9999 for dry air
};

// Properties of one layer row, in the order of the layer record's five values.
struct TLayerData {
  float Thickness = 0;     // mm
  float Conductivity = 0;  // λ, kcal/(m·h·°C); 0 for a row given by its resistance
  float ThermalRes = 0;    // r, (m²·h·°C)/kcal
  float Permeability = 0;  // p, g/(m·h·mmHg); 0 for a row given by its resistance
  float VapourRes = 0;     // rv, (m²·h·mmHg)/g; kVapourTight for a vapour-tight row

  // Value i (1 … 5) in record order: thickness, λ, r, p, rv (any other i: rv).
  float& Value(int i);
  float Value(int i) const;
};

// Running sums over rows 1 … k of thickness, thermal and vapour resistance.
struct TCumulative {
  float x = 0;   // mm
  float R = 0;   // (m²·h·°C)/kcal
  float Rv = 0;  // (m²·h·mmHg)/g
};

struct CalcState {
  // ------------------------------------------------------------ inputs
  std::string Title;     // calculation title
  std::string PartName;  // name of the selected part class
  std::array<TSideCond, 3> SideCond{};  // [1] side A, [2] side B
  int32_t PartIndex = 0;                // 1-based part class number; 0 = none selected
  bool PartVertical = false;            // the part class is a vertical element (code "V")
  std::string SideNameA;                // display names of the two sides
  std::string SideNameB;
  int32_t LayerCount = 0;                          // n, filled layer rows, 0 … 9
  std::array<std::string, kMaxLayers + 1> LayerName{};  // material names [1..9]
  std::array<TLayerData, kMaxLayers + 1> LayerData{};   // [1..9]
  std::string LayerKinds;          // one character per filled row: 'A' α row, 'S' material
  int32_t MaterialLayerCount = 0;  // number of 'S' rows
  float TotalThickness = 0;        // mm
  float TotalThermalRes = 0;       // (m²·h·°C)/kcal
  float TotalVapourRes = 0;        // (m²·h·mmHg)/g
  std::array<TCumulative, kMaxLayers + 1> Cumulative{};  // [0..9], [0] = (0, 0, 0)

  // ------------------------------------------------------------ results, per boundary [1..10]
  std::array<float, kMaxBounds + 1> BoundTemp{};   // °C
  std::array<float, kMaxBounds + 1> SatPress{};    // saturation vapour pressure, mmHg
  std::array<float, kMaxBounds + 1> CalcPress{};   // straight-line profile (計算), mmHg
  std::array<float, kMaxBounds + 1> RealPress{};   // actual (実在): CalcPress limited by SatPress
  std::array<float, kMaxBounds + 1> LayerFlux{};   // per row [1..9], g/(m²·h), in flow direction
  std::array<float, kMaxBounds + 1> CondAmount{};  // balance at the boundary, g/(m²·h); < 0.001 → 0
  std::array<std::string, kMaxBounds + 1> FlowMark{};  // "", or one of "△▲▽▼"

  // ------------------------------------------------------------ overall results
  int32_t CondPlane = 0;     // first condensation plane in flow direction; 0 = none
  float CondRate = 0;        // condensation rate at CondPlane, g/(m²·h)
  char CondPosition = 'C';   // 'L' side A surface, 'R' side B surface, 'C' otherwise
  bool VapourFromB = false;  // vapour flows from side B towards side A
  // Diagram scales.
  float ScaleTempMax = 0;      // the warmer air temperature
  float ScaleTempMin = 0;      // the colder air temperature
  float ScaleSatPressMax = 0;  // SatPressMmHg(ScaleTempMax)
  float ScalePressMin = 0;     // the smaller side vapour pressure

  // The results above belong to the current inputs.
  bool Calculated = false;
};

// The calculation of the open file.
extern CalcState Calc;

}  // namespace kondra
