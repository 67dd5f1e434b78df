#include "calc/Results.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "env/Cp932.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "env/Text.h"
#include "env/Units.h"
#include "materials/MaterialFiles.h"
#include "records/RecordStore.h"
#include "psychro/Psychro.h"
#include "records/TableFile.h"

namespace kondra {

namespace {

int Rows(const CalcState& s) { return std::clamp<int>(s.LayerCount, 0, kMaxLayers); }

const std::string& Name(const CalcState& s, int k) {
  static const std::string kNone;
  return (k >= 1 && k <= kMaxLayers) ? s.LayerName[static_cast<std::size_t>(k)] : kNone;
}

bool IsPlaneMark(const std::string& mark) { return mark == kMarkPlaneFromA || mark == kMarkPlaneFromB; }
bool IsDownMark(const std::string& mark) { return mark == kMarkPlaneFromA || mark == kMarkSuperFromA; }

std::string Bracketed(const std::string& name) { return "<" + name + ">"; }

// Significant digits shown by a number text (leading zeros, sign, point and
// blanks do not count).
int ShownDigits(const std::string& text) {
  int digits = 0;
  bool leading = true;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    if (leading && c == '0') continue;
    leading = false;
    ++digits;
  }
  return digits;
}

// Significant digits of the shortest text that reads back as `value`.
int ValueDigits(float value) {
  char buf[48];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  if (ec != std::errc()) return 9;
  const std::string text(buf, end);
  return ShownDigits(text.substr(0, text.find('e')));
}

// `value` in w characters with d decimals, unless that shows fewer than
// `digits` of its significant digits (or all it has, when fewer): then more
// decimals while they fit, else the exponent form ("4.80E-07").
std::string SignificantCell(int w, int d, float value, int digits) {
  std::string text = FormatSingle(w, d, value);
  if (value == 0 || !std::isfinite(value)) return text;
  const int want = std::min(digits, ValueDigits(value));
  if (ShownDigits(text) >= want) return text;
  for (int more = d + 1; more <= 9; ++more) {
    const std::string wider = FixedDecimalText(value, more);
    if (static_cast<int>(wider.size()) > w) break;
    if (ShownDigits(wider) >= want) return PadLeft(wider, w);
  }
  for (int precision = std::max(want - 1, 0); precision >= 0; --precision) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*E", precision, static_cast<double>(value));
    if (static_cast<int>(std::strlen(buf)) <= w) return PadLeft(buf, w);
  }
  return text;
}

}  // namespace

float PressureFactor() { return SIUnits ? kPascalPerMmHg : 1.0f; }

std::string KValueText(const CalcState& s) {
  if (s.TotalThermalRes == 0) return kNoValueText;
  return FormatSingle(9, 3, static_cast<float>(UnitFactor[1] / static_cast<double>(s.TotalThermalRes)));
}

std::string PValueText(const CalcState& s) {
  if (s.TotalVapourRes == 0) return kNoValueText;
  return FormatSingle(9, SIUnits ? 1 : 4, static_cast<float>(UnitFactor[3] / static_cast<double>(s.TotalVapourRes)));
}

std::string SideVapPressText(int side, const CalcState& s) {
  if (side != 1 && side != 2) return std::string();
  const float value = static_cast<float>(static_cast<double>(s.SideCond[static_cast<std::size_t>(side)].VapPress) *
                                         PressureFactor());
  return FormatSingle(7, SIUnits ? 0 : 2, value);
}

std::string SideDewPointText(int side, const CalcState& s) {
  if (side != 1 && side != 2) return std::string();
  const float dew = s.SideCond[static_cast<std::size_t>(side)].DewPoint;
  if (dew == kNoValue || !std::isfinite(dew)) return "    - ";
  // A dew point just below zero rounds to 0.0, shown without a sign.
  return dew < 0 && dew > -0.05f ? "   0.0" : FormatSingle(6, 1, dew);
}

bool SidePressuresEqual(const CalcState& s) { return SideVapPressText(1, s) == SideVapPressText(2, s); }

std::array<std::string, 4> LayerPropertyCells(int k, const CalcState& s) {
  std::array<std::string, 4> cells;
  if (k < 1 || k > kMaxLayers) return cells;
  Read_NSV5(CalcStore, LayerLabel(k));
  const TLayerData& d = s.LayerData[static_cast<std::size_t>(k)];
  const float values[4] = {d.Conductivity, d.ThermalRes, d.Permeability, d.VapourRes};
  for (int c = 0; c < 4; ++c) {
    int decimals = SLDT_Decimals[static_cast<std::size_t>(c) + 2];
    // The SI p and rv have fixed decimals of their own, which say nothing of
    // the value's digits: they show at least three significant ones. Every
    // cell shows a value that is not zero as not zero.
    const bool siFixed = SIUnits && (c == 2 || c == 3);
    if (SIUnits && c == 2) decimals = 3;
    if (SIUnits && c == 3) decimals = 6;
    const float shown = static_cast<float>(static_cast<double>(values[c]) * UnitFactor[static_cast<std::size_t>(c) + 1]);
    if (shown != 0) cells[static_cast<std::size_t>(c)] = SignificantCell(9, decimals, shown, siFixed ? 3 : 1);
  }
  if (cells[1].empty() && !cells[0].empty()) cells[1] = "    0.000";
  return cells;
}

std::string LayerThicknessCell(int k, const CalcState& s) {
  if (k < 1 || k > kMaxLayers) return std::string();
  const float mm = s.LayerData[static_cast<std::size_t>(k)].Thickness;
  if (mm == 0) return std::string();
  // As many decimals as the record holds (a 0.15 mm film is not "0.2").
  Read_NSV5(CalcStore, LayerLabel(k));
  return FormatSingle(10, std::max(1, static_cast<int>(SLDT_Decimals[1])), mm);
}

LayerLooks MaterialLooks(const CalcState& s) {
  LayerLooks looks{};
  DataLoad(MaterialFilePath());
  for (int k = 1; k <= Rows(s); ++k) {
    MaterialMatch m = FindMaterial(s.LayerName[static_cast<std::size_t>(k)]);
    if (!m.found) continue;
    TMaterialValues v = MaterialValuesOf(m.number);
    looks[static_cast<std::size_t>(k)] = {v.Color, v.Pattern};
  }
  return looks;
}

ResultTable TableA(const CalcState& s) {
  ResultTable t;
  t.titles = SIUnits ? ResultRow{"温度(℃)", "飽和(Pa)", "計算(Pa)", "実在(Pa)", "結露(g/m2h)"}
                     : ResultRow{"温度(℃)", "飽和(mmHg)", "計算(mmHg)", "実在(mmHg)", "結露(g/m2h)"};
  const int bounds = Rows(s) + 1;
  const float pf = PressureFactor();
  const int pd = SIUnits ? 0 : 2;
  auto press = [&](float v) { return FormatSingle(9, pd, static_cast<float>(static_cast<double>(v) * pf)); };
  t.rows.resize(static_cast<std::size_t>(bounds));
  for (int k = 1; k <= bounds; ++k) {
    const auto i = static_cast<std::size_t>(k);
    ResultRow& row = t.rows[i - 1];
    row[0] = FormatSingle(9, 1, s.BoundTemp[i]);
    row[1] = press(s.SatPress[i]);
    row[2] = press(s.CalcPress[i]);
    row[3] = press(s.RealPress[i]);
    row[4].clear();
  }
  for (int k = 1; k <= bounds; ++k) {
    const std::string& mark = s.FlowMark[static_cast<std::size_t>(k)];
    if (mark.empty()) continue;
    const std::string cell = " " + mark + (IsPlaneMark(mark) ? FormatSingle(7, 2, s.CondRate) : std::string());
    if (IsDownMark(mark)) {
      // Boundary 1 is the air of side A: nothing above it to hold the mark.
      if (k >= 2) t.rows[static_cast<std::size_t>(k - 2)][4] = cell;
      t.rows[static_cast<std::size_t>(k - 1)][4].clear();
    } else {
      t.rows[static_cast<std::size_t>(k - 1)][4] = cell;
    }
  }
  return t;
}

ResultTable TableB(const CalcState& s) {
  ResultTable t;
  t.titles = {"Σ厚さ", "熱抵抗", "Σ熱抵抗", "透湿抵抗", "Σ透湿抵抗"};
  const int n = Rows(s);
  const int rvd = SIUnits ? 5 : 3;
  auto times = [](float v, float f) { return static_cast<float>(static_cast<double>(v) * f); };
  for (int k = 1; k <= n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    t.rows.push_back({FormatSingle(9, 1, s.Cumulative[i].x),
                      FormatSingle(9, 3, times(s.LayerData[i].ThermalRes, UnitFactor[2])),
                      FormatSingle(9, 3, times(s.Cumulative[i].R, UnitFactor[2])),
                      FormatSingle(9, rvd, times(s.LayerData[i].VapourRes, UnitFactor[4])),
                      FormatSingle(9, rvd, times(s.Cumulative[i].Rv, UnitFactor[4]))});
  }
  return t;
}

bool SurfacePlane(const CalcState& s) {
  const int c = s.CondPlane;
  if (c < 2 || c > Rows(s)) return false;
  auto alpha = [&](int row) {
    return row >= 1 && static_cast<std::size_t>(row) <= s.LayerKinds.size() &&
           s.LayerKinds[static_cast<std::size_t>(row - 1)] == 'A';
  };
  return alpha(c - 1) || alpha(c);
}

std::string SurfaceAmountNote(const CalcState& s) { return SurfacePlane(s) ? kSurfaceAmountNote : std::string(); }

int UpstreamRow(const CalcState& s) {
  if (s.CondPlane == 0) return 0;
  return s.VapourFromB ? s.CondPlane : s.CondPlane - 1;
}

int DownstreamRow(const CalcState& s) {
  if (s.CondPlane == 0) return 0;
  return s.VapourFromB ? s.CondPlane - 1 : s.CondPlane;
}

Judgement Judge(const CalcState& s) {
  Judgement j;
  const int c = s.CondPlane;
  if (c == 0) {
    j.text = "結露なし";
  } else {
    j.condensation = true;
    if (s.CondPosition == 'L')
      j.text = Bracketed(Name(s, c)) + "の外側で表面結露発生";
    else if (s.CondPosition == 'R')
      j.text = Bracketed(Name(s, c - 1)) + "の内側で表面結露発生";
    else
      j.text = Bracketed(Name(s, UpstreamRow(s))) + "と" + Bracketed(Name(s, DownstreamRow(s))) + "間で内部結露発生";
    j.freezing = c >= 1 && c <= kMaxBounds && s.BoundTemp[static_cast<std::size_t>(c)] < 0;
  }
  j.panel = "判定：" + j.text + (j.freezing ? "(結氷)" : "");
  j.colour = j.condensation ? 9 : 12;
  return j;
}

std::string AdviceText(const CalcState& s) {
  if (s.CondPlane == 0) return std::string();
  std::string text;
  if (s.CondPosition == 'L') {
    text = "壁体の熱的性能（断熱）を強化する必要があります。";
  } else if (s.CondPosition == 'R') {
    text = "壁体の断熱を強化するか、内側（室内）の温度を高めます。";
  } else {
    text = Bracketed(Name(s, UpstreamRow(s))) + "の高温側に防湿層を施工する必要があります。" + CR + CR +
           "また少量の結露では" + Bracketed(Name(s, DownstreamRow(s))) +
           "に湿気容量があれば実害に至らない場合もあります。";
  }
  return std::string("【結露防止対策】") + CR + CR + text;
}

std::string SIFactorMessage(FactorItem item, std::string_view caption) {
  std::string text;
  const std::string title = TrimLeft(caption);
  switch (item) {
    case FactorItem::SidePressure: text = "水蒸気分圧（mmHg）→ ×133.322（Pa）"; break;
    case FactorItem::KValue: text = title + "（kcal/㎡h℃）→ ×1.16279（W/㎡Ｋ）"; break;
    case FactorItem::PValue: text = title + "（g/㎡hmmHg）→ ×2083.6（ng/㎡sPa）"; break;
    case FactorItem::Column0: text = title + "（kcal/mh℃）→ ×1.16279（W/mＫ）"; break;
    case FactorItem::Column1: text = title + "（㎡h℃/kcal）→ ×0.86（㎡Ｋ/W）"; break;
    case FactorItem::Column2: text = title + "（g/mhmmHg）→ ×2084（ng/msPa）"; break;
    case FactorItem::Column3: text = title + "（㎡hmmHg/g）→ ×0.00048（㎡sPa/ng）"; break;
  }
  return std::string("ＳＩ単位系への換算係数") + CR + CR + text;
}

}  // namespace kondra
