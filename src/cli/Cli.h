// The shared start of kondra-cli's commands.
#pragma once

#include <string>
#include <vector>

#include "env/Environment.h"

namespace kondra::cli {

// Takes the options every command shares out of args (--root DIR: the
// installation to read instead of the one kondra itself would start on).
// False, with the reason on stderr, for a malformed one.
bool TakeCommonOptions(std::vector<std::string>& args, StartupOptions& options);

// The start every command that reads the installation makes: lets message
// boxes and status remarks go to stderr and starts on the installation
// read-only (the environment file is never rewritten), with the unit
// system and caption pairs loaded. False, with the reason on stderr, when
// there is no installation to start on.
bool StartCli(const StartupOptions& options);

// Usage lines of the common options, for a command's help.
extern const char* const kCommonOptions;

// `kondra-cli env`: the installation found and what its environment file says, as JSON.
int EnvCommand(const std::vector<std::string>& args);

}  // namespace kondra::cli
