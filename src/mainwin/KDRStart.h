// kondra's start as the program runs it, shared by the program and the
// window tests: the installation read, the window filled and shown, then
// what start-up had to say.
//
// Nothing waits before the window is painted: remarks raised on the way are
// kept (env/Messages.h) and shown once, together, in one box after the first
// paint; only then do the repairs of the open calculation run, each telling
// the user before it saves (and keeping the original as NAME.KDR.bak).
#pragma once

#include <string>
#include <vector>

#include "env/Environment.h"

namespace kondra {

class TKDRForm;

// Reads the installation and shows the window; false when the installation
// cannot be used (the reason has been shown). `weather`: the weather data
// are read as well (the program does; most window tests do not).
bool StartMainWindow(TKDRForm& window, const StartupOptions& options, bool weather = true);

// Run by StartMainWindow once the window has been painted: the kept remarks
// in one box, then the repairs of the open calculation.
void FinishStartup(TKDRForm& window);

// The box that gathers the remarks of the start-up; empty for none.
std::string StartupRemarksText(const std::vector<std::string>& remarks);

}  // namespace kondra
