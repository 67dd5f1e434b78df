// The monthly weather display frame TMWDDispFrame and the texts of its
// table, labels and explanations.
#pragma once

#include "weather/MonthlyTable.h"     // IWYU pragma: export
#include "weather/gui/MWDDispFM.h"    // IWYU pragma: export
