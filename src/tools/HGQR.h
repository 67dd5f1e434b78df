// The saturation curve report: THGQRForm, its page SatReportPage, and
// PaintReportPage, which paints the page on any paint device (printer, PDF).
#pragma once

#include "tools/HGQRForm.h"
#include "tools/SatReportPage.h"
