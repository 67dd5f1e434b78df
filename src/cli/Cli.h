// The shared start of kondra-cli's commands.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
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

// Exit codes of the commands.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 1;      // a usage error, or a file that cannot be read or written
inline constexpr int kExitRefused = 2;    // the input check refused (its message printed)
inline constexpr int kExitAborted = 3;    // the preparation aborted ("結露計算を中止しました。")

// The folder the program was started in; file arguments are taken relative
// to it (the program's own folder changes may follow from file listings).
extern std::filesystem::path StartFolder;

// A file argument as a program path ("C:\…"): a native path (relative to
// StartFolder), or a program path as given.
std::string ProgramPath(const std::string& arg);
// The native form of a program path, for messages.
std::string NativePath(const std::string& path);

// A single as a JSON number that reads back as the same single (its
// shortest decimal form); null for a value that is not finite.
nlohmann::ordered_json JsonNumber(float value);

// A plain number argument; nothing when the text is not one.
std::optional<double> NumberArg(const std::string& text);

// "kondra-cli <command>: " + text on stderr.
void Complain(const char* command, const std::string& text);

// Whether a database file (材料物性.DAT, 部位区分.DAT) reads cleanly; when it
// does not, says so on stderr, naming the file and the line, and gives false.
bool DatabaseReadsCleanly(const char* command, const std::string& path);

// Lines written to stderr so far by the messages of the program (boxes and
// remarks), so a command does not say again what was said.
int MessageLinesShown();

// Opens a calculation file and runs the calculation as the Calc command
// does (check, preparation, engine), without touching any file. Returns an
// exit code: kExitDone calculated, kExitRefused check refused,
// kExitAborted preparation aborted, kExitUsage file not readable.
int OpenAndCalculate(const char* command, const std::string& path);

// The commands: calc, new, materials, parts, picture, report.
int CalcCommand(const std::vector<std::string>& args);
int NewCommand(const std::vector<std::string>& args);
int MaterialsCommand(const std::vector<std::string>& args);
int PartsCommand(const std::vector<std::string>& args);
int PictureCommand(const std::vector<std::string>& args);
int ReportCommand(const std::vector<std::string>& args);
int AnnualCommand(const std::vector<std::string>& args);

}  // namespace kondra::cli
