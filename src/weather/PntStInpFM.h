// The station chooser TPSTINPFrame (region, then point).
#pragma once

#include "weather/gui/PntStInpFM.h"  // IWYU pragma: export
