// The calculation file: bytes of a .KDR as ReadCalcFile gets them, the check
// of its records, then (for a file that passes) the rebuild of the inputs,
// a calculation and every results text. A file that passed must pass again
// after the rebuild has written its layer records back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/CalcFile.h"
#include "calc/Engine.h"
#include "calc/Results.h"
#include "env/Cp932.h"
#include "records/RecordStore.h"
#include "support/QuietFace.h"

using namespace kondra;
using kondra::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::InstallQuietFace(), true);
  (void)ready;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  RecordStore store;
  if (!ParseRecordFile(bytes, store)) return 0;
  if (!CalcFileProblem(store).empty()) return 0;

  CalcStore = store;
  ResetCalcState(Calc);
  RebuildInputs(Calc);
  Require(CalcFileProblem(CalcStore).empty(), "the rebuilt store is still a calculation file");
  Require(Calc.LayerCount >= 0 && Calc.LayerCount <= kMaxLayers, "at most nine rows");
  if (CheckInput(Calc).ok && !PrepareCumulative(Calc)) {
    RunEngine(Calc);
    Calc.Calculated = true;
  }
  KValueText(Calc);
  PValueText(Calc);
  for (int side = 1; side <= 2; ++side) {
    SideVapPressText(side, Calc);
    SideDewPointText(side, Calc);
  }
  for (int k = 1; k <= kMaxLayers; ++k) LayerPropertyCells(k, Calc);
  if (Calc.Calculated) {
    Require(TableA(Calc).rows.size() == static_cast<std::size_t>(Calc.LayerCount) + 1, "one row per boundary");
    TableB(Calc);
    Judge(Calc);
    AdviceText(Calc);
  }
  return 0;
}
