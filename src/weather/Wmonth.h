// The monthly weather window: TMONForm and ShowMonthlyWeather (the main
// window's "月次気象データ" commands), with the station operations it rests
// on (InitWeather joins the start-up after the environment).
#pragma once

#include "weather/Stations.h"      // IWYU pragma: export
#include "weather/gui/Wmonth.h"    // IWYU pragma: export
