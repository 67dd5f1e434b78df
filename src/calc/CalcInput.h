// Committing one input of a calculation: the check that may refuse it and
// the store into the open file's records (calc/CalcFile.h), the same for the
// main window's fields and grids and for kondra-cli.
//
// Each Store… function checks first; a refused input stores nothing and
// returns false (with a warning box where the window shows one, otherwise
// silently). A stored input rebuilds the engine's inputs, clears Calculated
// and sets the modified flag. Values are in engineering units: a window
// showing SI units divides by the unit factor before calling.
#pragma once

#include <cstdint>
#include <string>

namespace kondra {

// Item codes of the inputs (the control's Tag; grid cells add the column).
inline constexpr int32_t kItemTitle = 1101;
inline constexpr int32_t kItemTempA = 1102;
inline constexpr int32_t kItemHumA = 1103;
inline constexpr int32_t kItemTempB = 1104;
inline constexpr int32_t kItemHumB = 1105;
inline constexpr int32_t kItemPart = 1106;
inline constexpr int32_t kItemMaterial = 2101;
inline constexpr int32_t kItemThickness = 2102;
inline constexpr int32_t kItemLambda = 2200;  // + column 0 … 3: λ, r, p, rv

inline constexpr const char* kFirstRowNotAlpha = "※まず最初は＜熱伝達率α＞を選んで下さい。";
inline constexpr const char* kTwoAlphaRows = "※＜熱伝達率α＞は連続して入力することはできません。";

// The ranges the fields accept; values beyond them are brought to the limit.
float ClampFieldTemp(float value);  // -50 … 100 °C
float ClampFieldHum(float value);   // 0 … 99 %

// Record 1101: the title, its first 60 bytes. Refused when blank, or (with
// a warning) when it holds a character Shift-JIS cannot store.
bool StoreTitle(const std::string& text);

// Records 1102 / 1103: temperature (kItemTempA, kItemTempB) or humidity
// (kItemHumA, kItemHumB) of a side, clamped, decimals "10------".
bool StoreCondition(int32_t itemCode, float value);

// Record 1104: part class `number` of 部位区分.DAT, its name (29 bytes), 0
// and its class code from column 4. Refused for a number not in the file.
bool StorePartClass(int32_t number);

// Layer row k (1 … 9) takes material `number` of 材料物性.DAT: its name
// (20 bytes), colour number (column 11) and λ, r, p, rv (columns 2 to 5);
// an "α" row gets thickness 0. Refused silently for a free row ("未登録"),
// a row without a name or a number not in the file; refused with a warning
// for a first row that is no "α" row (kFirstRowNotAlpha) and for an "α" row
// right after another (kTwoAlphaRows).
bool StoreLayerMaterial(int k, int32_t number);

// The thickness (mm) of layer row k; r and rv follow from λ and p where
// given. An "α" row's thickness is always 0; 0 (or less) for any other row
// is refused.
// Refused for a row without a material.
bool StoreLayerThickness(int k, float thickness);

// λ, r, p or rv (column 0 … 3 of the property grid) of layer row k as typed.
bool StoreLayerValue(int k, int column, float value);

}  // namespace kondra
