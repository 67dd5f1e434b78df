// A message face for fuzzing: shows and keeps nothing, so millions of runs
// do not pile up recorded messages.
#pragma once

#include "env/Messages.h"

namespace kondra::fuzz {

// Installs the quiet face (once per process).
void InstallQuietFace();

// Stops the run with a crash report when a promise of the code is broken.
[[noreturn]] void Broken(const char* what);
inline void Require(bool ok, const char* what) {
  if (!ok) Broken(what);
}

}  // namespace kondra::fuzz
