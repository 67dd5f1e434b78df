// Every file access of the program goes through here: the one place that
// turns the program's drive paths into native ones, and the place where
// tests inject failures.
//
// On POSIX the whole file system appears as drive C: with "\" separators:
// "/home/u/calc/W1.KDR" <-> "C:\home\u\calc\W1.KDR". Paths without a drive
// are relative to the process's current folder. A name that is missing in
// its exact spelling is looked up again ignoring ASCII case, so files copied
// from a case-blind system keep being found (and written over in place).
//
// Writes are whole and atomic: the bytes go to a temporary file in the same
// folder, are flushed, and the temporary file is renamed over the target.
// A failure at any step leaves the previous file as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kondra::fs {

std::string ToNative(std::string_view path);
std::string FromNative(std::string_view native);

bool Exists(std::string_view path);
bool IsFile(std::string_view path);
bool IsDir(std::string_view path);

struct Attributes {
  bool exists = false;
  bool directory = false;
  bool readOnly = false;
  bool hidden = false;  // a name starting with "."
  bool system = false;  // not a regular file or folder (device, socket, ...)
};
Attributes GetAttributes(std::string_view path);

// Size in bytes, or nothing when the file cannot be read.
std::optional<int64_t> FileSize(std::string_view path);
// Modification time as seconds since the epoch (local time is applied by callers).
std::optional<int64_t> ModifiedTime(std::string_view path);

// Reads the whole file. At most `limit` bytes are accepted; a larger file
// fails with a message saying so.
bool ReadWhole(std::string_view path, std::string& bytes, std::string* error = nullptr,
               int64_t limit = 64 * 1024 * 1024);

// Writes the whole file atomically (temporary file, flush, rename).
bool WriteWhole(std::string_view path, std::string_view bytes, std::string* error = nullptr);

bool MakeFolders(std::string_view path, std::string* error = nullptr);
bool RemoveFile(std::string_view path, std::string* error = nullptr);
bool RenameFile(std::string_view from, std::string_view to, std::string* error = nullptr);

// Names (not paths) of the entries of a folder, unsorted.
std::vector<std::string> ListFolder(std::string_view folder);

// Drive types, numbered as the platform's drive-type query numbers them.
// POSIX has one drive, the fixed drive C:, and no other letter.
enum class DriveKind { Unknown = 0, NoRoot = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };
DriveKind DriveKindOf(char letter);

std::string CurrentFolder();  // with trailing "\"
bool SetCurrentFolder(std::string_view path);

// The program's own folder (with trailing "\") and the per-user data folder.
std::string ProgramFolder();
std::string UserDataFolder();   // $XDG_DATA_HOME/kondra\ or ~/.local/share/kondra\ .
std::string UserCacheFolder();  // $XDG_CACHE_HOME/kondra\ or ~/.cache/kondra\ .

// Failure injection for tests. The hook is asked before each step; a
// non-zero errno makes that step fail with it. For WriteData the failure
// comes after half of the bytes were written.
enum class Op { Read, CreateTemp, WriteData, Flush, Rename, Remove, MakeFolder };
using FaultHook = std::function<int(Op op, const std::string& nativePath)>;
void SetFaultHook(FaultHook hook);

// Plain-words description of an errno for messages ("ディスクがいっぱいです" ...).
std::string ErrorText(int err);

}  // namespace kondra::fs
