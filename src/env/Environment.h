// Start-up and the environment file.
//
// Start-up finds the installation folder, derives the folder set every data
// file is found through (env/Folders.h), reads the environment file
// DATA\利用環境.WIN, records the machine's facts in it and writes it back.
// At the end of the run Shutdown writes it again with the last calculation
// file, so that the next start reopens that file.
//
// The installation folder is, in this order:
//   * the folder named by the caller (kondra-cli --root DIR, tests);
//   * the program's own folder, when it holds an installation it may write;
//   * the per-user data folder ($XDG_DATA_HOME/kondra/). When it holds no
//     installation yet it is seeded from the factory tree (the program
//     folder's installation, or <program folder>/../share/kondra/): its
//     folders and the loose files that are not programs; nothing there is
//     replaced.
// A read-only start chooses the same folder but writes nothing: no seeding
// (it then reads the factory tree itself) and no environment file.
//
// The platform has one drive, C:, and no Windows system drive: row 5 holds
// "Windows Drive[]" and row 16 "FD[A:] CD[  ] MC[..] HD[C:]" (the floppy row
// falls back to A: as it always has; the memory-card drive is kept as read).
// Both rows are informational.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kondra {

inline constexpr const char* kProgramTitle = "roraridev Ver.8.20";
inline constexpr const char* kEnvFileName = "利用環境.WIN";
inline constexpr int kEnvRows = 21;
inline constexpr int kEnvWidth = 40;

// Program identity, set before start-up (SetProgramIdentity); rows 10 and 11
// are written only when set.
extern std::string ProgramTitle;  // "roraridev Ver.8.20"
extern std::string ProgramName;   // "Kondra.EXE Ver.8.20"

// Taken from the environment rows.
extern std::string UserName;     // row 2 up to "†"
extern int32_t CountryNo;        // from "(国№ n)" of row 11; 1 when missing
extern std::string CountryName;  // row CountryNo of 国名.DAT
extern std::string DriveFD, DriveCD, DriveMC, DriveHD;  // "X:" or empty
extern std::array<std::array<int32_t, 7>, 4> ColorScheme;  // [1..3][1..6], rows 17 to 19
extern std::string ColorFile;    // ColorDir + row 20

// Machine facts.
extern std::string WinDrive;  // the Windows system drive; empty on this platform
extern int32_t ScreenWidth;   // pixels
extern int32_t ScreenHeight;

// The calculation file of rows 13 to 15 as start-up found it: the file's
// full path, or the "なし.???" path below the installation folder when it
// does not exist (its extension is then ".???").
extern std::string LastCalcFile;

// A last-file record (10 rows): 1 drive, 2 folder abbreviated, 3 file name,
// 4 base name, 5 extension, 6 to 9 the owner's, 10 time of the save.
extern std::array<std::string, 11> LastFileRow;  // [1..10]

// True after a read-only start: nothing writes the environment file or the
// last-file records.
extern bool EnvReadOnly;
// The environment file did not read cleanly: it is left as it is.
extern bool EnvDamaged;

struct StartupOptions {
  // Installation folder to use instead of the search: a program path
  // ("C:\...") or a native one ("/home/u/kondra", relative to the current
  // folder). Nothing is seeded for it.
  std::string root;
  // Read the installation without writing anything into it.
  bool readOnly = false;
  // The program folder and the per-user folder (program paths); empty for
  // the platform's own. Tests point them at temporary folders.
  std::string programFolder;
  std::string userFolder;
};

// Sets ProgramTitle and ProgramName to this program's.
void SetProgramIdentity();

// The start-up sequence. On failure shows an error box and sets MsgCancel;
// the caller then ends the program. Returns !MsgCancel.
bool Startup(const StartupOptions& options = {});

// Derives DataDir, CalcDir, DatDir, ColorDir, PictDir and HelpDir from the
// installation folder with drive ("C:\...\").
void SetFolders(const std::string& base);

// Reads 利用環境.WIN and 国名.DAT into EnvRow and the values above, and makes
// the last calculation file of rows 13 to 15 the current path components
// (env/Paths.h); when that file does not exist they name "なし.???".
void LoadEnvironment();

// Writes 利用環境.WIN: rows 5 to 12 and 16 to 20 from the current values,
// rows 13 and 14 from `path` when given (a missing file is written as
// "なし"), row 15 the error text of this run or the current extension.
// Nothing is written after a read-only start.
void SaveEnvironment(const std::string& path = std::string());

// SaveEnvironment(path); the end of the run.
void Shutdown(const std::string& path = std::string());

// Reads the last-file record DataDir + name into LastFileRow and makes the
// recorded file the current path components. A missing or unreadable
// record leaves every row empty and the path components cleared (the owner
// then starts from its default), says so in the status bar and returns
// false.
bool LoadLastFileRecord(const std::string& name);

// Fills rows 1 to 5 and 10 from the path (rows 6 to 9 as the owner left
// them) and writes the record DataDir + name.
bool SaveLastFileRecord(const std::string& name, const std::string& path);

// Takes "--root DIR" (or "--root=DIR") out of the arguments into the options.
// False with a message when DIR is missing.
bool TakeStartupArgs(std::vector<std::string>& args, StartupOptions& options, std::string& error);

// What every program does first: SetProgramIdentity, Startup, then the
// engineering unit system and the unit caption pairs; the path components
// are left naming LastCalcFile. Returns !MsgCancel.
bool StartProgram(const StartupOptions& options);

}  // namespace kondra
