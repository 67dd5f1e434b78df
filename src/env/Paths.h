// Paths as the program writes them ("C:\dir\name.EXT"): splitting into the
// shared path components, the "..." / "･･･" abbreviations of stored paths,
// checks of files and folders, file listing into the shared name list, and
// the tests of names typed by the user. Every disk access goes through
// fs:: (FileSystem.h).
//
// Texts are UTF-8, so the second byte of a two-byte character can never be
// taken for "\" or "|": every character test here works on whole
// characters, and two-byte characters are never forbidden characters.
//
// Names starting with "rf" are accepted by CheckFile and CheckDir without
// looking at the disk. The program creates no such names; a loader that is
// handed one reports it as unreadable.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "env/FileSystem.h"

namespace kondra {

// Components of the last path given to SplitPath.
extern std::string CurPath;        // full path, absolute when the file exists
extern std::string CurDrive;       // first two bytes, e.g. "C:"
extern std::string CurDir;         // folder with drive and trailing "\"
extern std::string CurDirNoDrive;  // CurDir from byte 3, ASCII upper case, at most 80 bytes
extern std::string CurFileName;    // name with extension
extern std::string CurExt;         // ".EXT" in ASCII upper case, or empty
extern std::string CurName;        // name up to its first "." (whole name without extension)

// The shared name list, filled by every table-file load and by ListFiles;
// callers copy what they need at once. Index 0 is unused.
inline constexpr int kMaxNames = 999;
extern std::array<std::string, kMaxNames + 1> NameList;
extern int32_t NameCount;
extern int32_t NameMaxLen;  // longest entry in CP932 bytes
extern std::array<int32_t, kMaxNames + 1> NameOrder;

// Sets the path components. An empty path clears them all. A tag before
// ":" (see StripTag) is dropped and the first "..." stands for RootDir.
void SplitPath(std::string path);
// The file name of a program path (after the last "\" or ":"), without
// touching the path components SplitPath fills.
std::string FileNameOf(std::string_view path);

// First occurrence of RootDir replaced by "...".
std::string AbbrevRoot(std::string path);
// For a drive path with an extension: the first folder named exactly like
// the file's base name becomes "･･･"; the extension is written upper case.
std::string AbbrevName(std::string path);
std::string AbbrevPath(std::string path);  // AbbrevRoot(AbbrevName(path))
// "･･･" back to the base name, "..." back to RootDir; also splits the result.
std::string ExpandPath(std::string text);

std::string AddBackslash(std::string text);   // empty stays empty
std::string DropBackslash(std::string text);

// Whether the file exists. mode 0: silent; 1: status-bar remark; 2: box.
bool CheckFile(std::string path, int mode);
// Whether the folder exists on a present drive; an existing folder becomes
// the process's current folder. With report a status-bar remark when not.
bool CheckDir(std::string path, bool report);
// Creates the folder and its parents when missing (asking first with ask,
// only when it is missing). MsgCancel = not the result.
bool EnsureFolder(std::string path, bool ask);
// "NoFile", "Directory", "Hidden", "SysFile", "ReadOnly" or "Archive".
std::string AttrClass(std::string path);
// Size of a readable plain or read-only file, else 0.
int64_t OpenSize(std::string path, bool warn);
// Modification time "yyyy/mm/dd hh:nn:ss" in local time, or empty.
std::string FileDateText(std::string path);
// Open-dialog filter for the path's extension.
std::string FilterText(std::string path);
// First drive "X:" of that kind among the first `letters` letters from "A".
std::string FindDriveOfType(int letters, fs::DriveKind kind);

// Fills the name list with the plain and read-only files of the folder that
// match namePattern + extPattern ("*" and "?", ASCII case ignored), sorted.
// More than 999 matches: errors 521 and 522, the first 999 are kept.
void ListFiles(std::string folder, std::string namePattern, std::string extPattern);
// Sorts names[1..count] ascending (ASCII case ignored, CP932 byte order,
// equal names keep their order) and order[1..count] with them, order[i]
// being the position before sorting; direction "D" then reverses both.
// Nothing happens for count of 1000 or more, or when the arrays are too short.
void SortNames(std::string_view direction, int count, std::span<std::string> names,
               std::span<int32_t> order);

struct FileParts {
  std::string drive;
  std::array<std::string, 9> folders;  // [1..8]
  int count = 0;                       // folders returned
  std::string name;                    // CurName
  std::string ext;                     // CurExt
};
// Splits a path into drive, folders, name and extension. A path more than
// eight folders deep is reported and only its first eight folders returned.
FileParts FileSplit_All(std::string path);

// Checks a typed name: forbidden characters in drive, folders, name and
// extension, then its structure. With report the first fault is shown.
bool ValidateFileName(std::string path, bool report);
// Whether the expanded path lies in `folder` (a text below the
// installation folder, e.g. "CAL\"); an empty folder accepts every path.
bool CheckSaveLocation(std::string path, std::string folder);

}  // namespace kondra
