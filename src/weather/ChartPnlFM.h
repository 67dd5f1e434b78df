// The chart panel TCPNLFrame of the weather charts, the legend checks and
// the hook through which the chart-save dialog saves a chart.
#pragma once

#include "weather/gui/ChartPnlFM.h"  // IWYU pragma: export
