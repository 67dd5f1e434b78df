// The point-number input TPNOINPFrame of the monthly weather display.
#pragma once

#include "weather/gui/PntNoInpFM.h"  // IWYU pragma: export
