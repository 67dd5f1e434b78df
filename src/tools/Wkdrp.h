// The visual humidity tool: TDPForm, its entry points ShowHumidityTool,
// HumidityTool, CloseHumidityTool, and the hand-over of its room condition
// to the main window (AdoptIndoor, HandoverText, ReadHandover).
#pragma once

#include "psychro/HumidityAir.h"
#include "tools/DPForm.h"
#include "tools/Handover.h"
#include "tools/ToolPrinting.h"
