#include "output/CalcReport.h"

#include <algorithm>
#include <cstdio>

#include "calc/LayerRecord.h"
#include "calc/Results.h"
#include "env/Cp932.h"
#include "env/Numbers.h"
#include "env/Text.h"
#include "env/Units.h"

namespace kondra {
namespace {

constexpr const char* kBlank8 = "        ";
constexpr const char* kMissing = "-  ";

std::string SideLine(const std::string& name, const TSideCond& c) {
  // Dry air has no dew point: a dash in its field instead of -9999.0.
  const std::string dew = c.DewPoint <= -9999.0f ? PadLeft("-", 5) : FormatPrintf("%5.1f", c.DewPoint);
  if (SIUnits)
    return name + FormatPrintf("条件 ： 温度 %5.1f ℃   湿度 %3.0f ％   水蒸気分圧 %6.0f Pa     露点温度 ", c.Temp, c.RelHum,
                      c.VapPress * kPascalPerMmHg) +
           dew + " ℃";
  return name + FormatPrintf("条件 ： 温度 %5.1f ℃   湿度 %3.0f ％   水蒸気分圧 %6.3f mmHg   露点温度 ", c.Temp, c.RelHum,
                    c.VapPress) +
         dew + " ℃";
}

// value / total in the field, a dash for a construction without resistance.
std::string Ratio(const char* format, int width, float factor, float total) {
  if (total == 0) return PadLeft("-", width);
  return FormatPrintf(format, factor / total);
}

// A layer's thickness in its 6 places: one decimal, or as many more as the
// value has (a 0.15 mm film is "  0.15", not "   0.1").
std::string ThicknessText(float mm) {
  static const char* const kFormats[] = {"%6.1f", "%6.2f", "%6.3f"};
  for (int d = 1; d <= 3; ++d)
    if (TextToSingle(FixedDecimalText(mm, d)) == mm) return FormatPrintf(kFormats[d - 1], mm);
  return FormatPrintf("%6.1f", mm);
}

}  // namespace

std::array<std::string, kMaxBounds + 1> ReportMarks(const CalcState& s) {
  std::array<std::string, kMaxBounds + 1> marks;
  marks.fill(kBlank8);
  const int last = std::min(s.LayerCount + 1, kMaxBounds);
  for (int i = 1; i <= last; ++i) {
    const std::string& mark = s.FlowMark[i];
    if (mark.empty()) continue;
    const bool plane = mark == "▼" || mark == "▲";
    const std::string text = mark + (plane ? FormatSingle(6, 2, s.CondRate) : std::string(6, ' '));
    if (mark == "▼" || mark == "▽") {
      if (i > 1) marks[i - 1] = text;
      marks[i] = kBlank8;
    } else {
      marks[i] = text;
    }
  }
  return marks;
}

CalcReportText BuildCalcReportText(const CalcState& s, const std::string& fileName) {
  CalcReportText r;
  const float fl = UnitFactor[1], fr = UnitFactor[2], fp = UnitFactor[3], frv = UnitFactor[4];
  const char* pf = SIUnits ? "%8.3f" : "%8.4f";
  const char* rf = SIUnits ? "%8.5f" : "%8.2f";
  const int n = std::clamp(s.LayerCount, 0, kMaxLayers);

  r.unitMark = SIUnits ? "【ＳＩ単位】" : "";
  r.title = "計算名   ： " + s.Title + "  （" + fileName + "）";
  r.part = "部位名   ： " + s.PartName;
  r.sideA = SideLine(s.SideNameA, s.SideCond[1]);
  r.sideB = SideLine(s.SideNameB, s.SideCond[2]);
  if (SIUnits) {
    r.kLine = "熱貫流率(Ｋ値)    " + Ratio("%6.3f", 6, fl, s.TotalThermalRes) +
              FormatPrintf(" W/(㎡ﾟK)         熱貫流抵抗(Ｒ値)     %6.3f (㎡ﾟK)/W", s.TotalThermalRes * fr);
    r.pLine = "湿気貫流率(Ｐ値)  " + Ratio("%7.1f", 7, fp, s.TotalVapourRes) +
              FormatPrintf(" ng/(㎡sPa)      湿気貫流抵抗(Ｒv値)  %7.5f (㎡sPa)/ng", s.TotalVapourRes * frv);
    r.layerUnits = "                      mm        W/mﾟK    ㎡ﾟK/W    ng/msPa   ㎡sPa/ng";
    r.resultUnits = "                      mm        ℃          Pa        Pa        Pa          g/㎡h";
  } else {
    r.kLine = "熱貫流率(Ｋ値)    " + Ratio("%6.3f", 6, 1, s.TotalThermalRes) +
              FormatPrintf(" kcal/(㎡h℃)     熱貫流抵抗(Ｒ値)     %6.3f (㎡h℃)/kcal", s.TotalThermalRes);
    r.pLine = "湿気貫流率(Ｐ値)  " + Ratio("%7.4f", 7, 1, s.TotalVapourRes) +
              FormatPrintf(" g/(㎡hmmHg)     湿気貫流抵抗(Ｒv値)  %7.2f (㎡hmmHg)/g", s.TotalVapourRes);
    r.layerUnits = "                      mm        kcal/mrC ㎡hC/kcal g/mhmmHg  ㎡hmmHg/g";
    r.resultUnits = "                      mm        ℃          mmHg      mmHg      mmHg        g/㎡h";
  }
  r.layerCount = FormatPrintf("壁体層数 ： %d 層   全体厚さ%6.1f mm", s.LayerCount, s.TotalThickness);

  for (int k = 1; k <= kMaxLayers; ++k) {
    if (k > n) {
      r.layers[k] = FormatPrintf("  %d   ", k);
      continue;
    }
    const TLayerData& d = s.LayerData[k];
    const std::string name = PadRight(s.LayerName[k], 12);
    const float lambda = d.Conductivity * fl, res = d.ThermalRes * fr, perm = d.Permeability * fp,
                vres = d.VapourRes * frv;
    const std::string lead = (d.Conductivity == 0 && d.Permeability == 0) ? FormatPrintf("  %d   ", k) : FormatPrintf(" %2d   ", k);
    const std::string lambdaText = d.Conductivity == 0 ? PadLeft(kMissing, 8) : FormatPrintf("%8.3f", lambda);
    const std::string permText = d.Permeability == 0 ? PadLeft(kMissing, 8) : FormatPrintf(pf, perm);
    r.layers[k] = lead + name + "   " + ThicknessText(d.Thickness) + "    " + lambdaText + FormatPrintf("  %8.3f  ", res) + permText +
                  "  " + FormatPrintf(rf, vres);
  }
  r.total = FormatPrintf("  合計(%d層)          %6.1f              %8.3f            ", s.LayerCount, s.TotalThickness,
                s.TotalThermalRes * fr) +
            FormatPrintf(rf, s.TotalVapourRes * frv);

  const std::array<std::string, kMaxBounds + 1> marks = ReportMarks(s);
  const float pressure = SIUnits ? kPascalPerMmHg : 1.0f;
  const char* pp = SIUnits ? "%8.0f  %8.0f  %8.0f" : "%8.2f  %8.2f  %8.2f";
  for (int i = 1; i <= kMaxBounds; ++i) {
    if (i > n + 1) {
      r.results[i] = FormatPrintf("  %d   ", i);
      continue;
    }
    // The row that starts at boundary i; the last boundary starts none.
    const bool layer = i <= n;
    const std::string name = PadRight(layer ? s.LayerName[i] : std::string(), 12);
    const std::string thickness = layer ? ThicknessText(s.LayerData[i].Thickness) : std::string(6, ' ');
    std::string row = FormatPrintf(" %2d   ", i) + name + "   " + thickness + FormatPrintf("    %8.1f  ", s.BoundTemp[i]) +
                      FormatPrintf(pp, s.SatPress[i] * pressure, s.CalcPress[i] * pressure, s.RealPress[i] * pressure);
    if (marks[i] != kBlank8)
      row += "    " + PadLeft(marks[i], 8);
    else
      row += "  ";
    r.results[i] = row;
  }

  r.judgement = Judge(s).panel;
  // An amount on a surface boundary is named for what it is, with a line
  // under the judgement saying how it was found.
  if (s.CondRate > 0)
    r.judgement += FormatPrintf(SurfacePlane(s) ? "  ※表面結露量%6.2f (g/㎡h)" : "  ※結露水量%6.2f (g/㎡h)", s.CondRate);
  r.surfaceNote = SurfaceAmountNote(s);
  r.judgementRed = s.CondRate != 0;
  return r;
}

}  // namespace kondra
