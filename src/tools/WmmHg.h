// The saturation vapour-pressure curve tool: THGForm and its entry points
// ShowSaturationTool, SaturationTool, CloseSaturationTool.
#pragma once

#include "psychro/SatChart.h"
#include "tools/HGForm.h"
#include "tools/ToolPrinting.h"
