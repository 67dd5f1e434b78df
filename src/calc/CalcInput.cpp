#include "calc/CalcInput.h"

#include <algorithm>

#include "calc/CalcFile.h"
#include "calc/LayerRecord.h"
#include "env/Cp932.h"
#include "env/Messages.h"
#include "env/Text.h"
#include "materials/MaterialFiles.h"
#include "records/RecordStore.h"
#include "records/TableFile.h"

namespace kondra {

namespace {

constexpr double kMetresPerMm = 0.001;

void Stored() {
  RebuildInputs(Calc);
  Calc.Calculated = false;
  DataModified = true;
}

bool ValidRow(int k) { return k >= 1 && k <= kLayerRecords; }

}  // namespace

float ClampFieldTemp(float value) { return std::clamp(value, -50.0f, 100.0f); }
float ClampFieldHum(float value) { return std::clamp(value, 0.0f, 99.0f); }

bool StoreTitle(const std::string& text) {
  if (TrimBoth(text).empty()) return false;
  std::string bad;
  if (!IsCp932Text(text, &bad)) {
    MsgBox("「" + bad + "」はShift-JISで保存できない文字なので、表題には使えません。", 3, 1);
    return false;
  }
  Read_SS1(CalcStore, kTitleLabel);
  SLDT_SS1.Text = CutMB(text, kTitleBytes);
  Write_SS1(CalcStore, kTitleLabel);
  Stored();
  return true;
}

bool StoreCondition(int32_t itemCode, float value) {
  if (itemCode < kItemTempA || itemCode > kItemHumB) return false;
  const bool temp = itemCode == kItemTempA || itemCode == kItemTempB;
  const int32_t label = itemCode <= kItemHumA ? kSideALabel : kSideBLabel;
  if (value != value) return false;  // not a number
  Read_VV8(CalcStore, label);
  SLDT_VV8.Value[temp ? 1 : 2] = temp ? ClampFieldTemp(value) : ClampFieldHum(value);
  if (!Write_VV8(CalcStore, label, kConditionDecimals)) return false;
  Stored();
  return true;
}

bool StorePartClass(int32_t number) {
  if (!DataLoad(PartClassFilePath()) || number < 1 || number > DT_RowCount) return false;
  Read_NS2(CalcStore, kPartLabel);
  SLDT_NS2.Number[1] = number;
  SLDT_NS2.Name[1] = CutMB(DT_Name[static_cast<std::size_t>(number)], kPartNameBytes);
  SLDT_NS2.Number[2] = 0;
  SLDT_NS2.Name[2] = DT_Cell[static_cast<std::size_t>(number)][4];
  if (!Write_NS2(CalcStore, kPartLabel)) return false;
  Stored();
  return true;
}

bool StoreLayerMaterial(int k, int32_t number) {
  if (!ValidRow(k) || !DataLoad(MaterialFilePath()) || number < 1 || number > DT_RowCount) return false;
  const std::string name = DT_Name[static_cast<std::size_t>(number)];
  if (TrimBoth(name).empty() || Contains("未登録", name)) return false;
  const bool alpha = IsSurfaceMaterial(name);
  if (k == 1 && !alpha) {
    MsgBox(kFirstRowNotAlpha, 3, 1);
    return false;
  }
  if (k >= 2 && alpha && IsSurfaceMaterial(Calc.LayerName[static_cast<std::size_t>(k - 1)])) {
    MsgBox(kTwoAlphaRows, 3, 1);
    return false;
  }
  const TMaterialValues values = MaterialValuesOf(number);
  Read_NSV5(CalcStore, LayerLabel(k));
  SLDT_NSV5.Number = number;
  SLDT_NSV5.Name = CutMB(name, kLayerNameBytes);
  if (alpha) SLDT_NSV5.Value[1] = 0;
  SLDT_NSV5.HeadText[2] = CutMB(values.ColorText, kColorTextBytes);
  SLDT_NSV5.Value[2] = values.Conductivity;
  SLDT_NSV5.Value[3] = values.ThermalRes;
  SLDT_NSV5.Value[4] = values.Permeability;
  SLDT_NSV5.Value[5] = values.VapourRes;
  if (!WriteLayerRecord(CalcStore, LayerLabel(k))) return false;
  Stored();
  return true;
}

bool StoreLayerThickness(int k, float thickness) {
  if (!ValidRow(k) || !(thickness == thickness)) return false;
  Read_NSV5(CalcStore, LayerLabel(k));
  if (SLDT_NSV5.Name.empty()) return false;
  if (IsSurfaceMaterial(SLDT_NSV5.Name))
    thickness = 0;
  else if (thickness <= 0)
    return false;
  auto& v = SLDT_NSV5.Value;
  v[1] = thickness;
  if (v[2] != 0) v[3] = static_cast<float>(kMetresPerMm * v[1] / v[2]);
  if (v[4] != 0) v[5] = static_cast<float>(kMetresPerMm * v[1] / v[4]);
  if (!WriteLayerRecord(CalcStore, LayerLabel(k))) return false;
  Stored();
  return true;
}

bool StoreLayerValue(int k, int column, float value) {
  if (!ValidRow(k) || column < 0 || column > 3 || !(value == value)) return false;
  Read_NSV5(CalcStore, LayerLabel(k));
  if (SLDT_NSV5.Name.empty()) return false;
  SLDT_NSV5.Value[static_cast<std::size_t>(column) + 2] = value;
  if (!WriteLayerRecord(CalcStore, LayerLabel(k))) return false;
  Stored();
  return true;
}

}  // namespace kondra
