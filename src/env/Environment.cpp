#include "env/Environment.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "env/Units.h"
#include "records/RecordStore.h"
#include "records/TableFile.h"

namespace kondra {

std::string ProgramTitle;
std::string ProgramName;
std::string UserName;
int32_t CountryNo = 0;
std::string CountryName;
std::string DriveFD, DriveCD, DriveMC, DriveHD;
std::array<std::array<int32_t, 7>, 4> ColorScheme{};
std::string ColorFile;
std::string WinDrive;
int32_t ScreenWidth = 0;
int32_t ScreenHeight = 0;
std::string LastCalcFile;
std::array<std::string, 11> LastFileRow;
bool EnvReadOnly = false;
bool EnvDamaged = false;

namespace {

constexpr const char* kCountryMark = "国№";
constexpr const char* kNoFile = "なし";
constexpr const char* kOwnFolder = "<??" "?>";  // split so that it is not read as a trigraph
constexpr int kLastFileRows = 10;
const char* const kNoEnvironment = "利用環境ファイルが見つからないので、プログラムは実行できません。";

std::string NowText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
  return text;
}

// "." and ".." folders of a drive path resolved; a trailing "\" kept.
std::string Normalised(const std::string& path) {
  auto [drive, rest] = SplitAt(path, 2);
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (pos <= rest.size()) {
    std::size_t next = rest.find('\\', pos);
    if (next == std::string::npos) next = rest.size();
    std::string part = rest.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out = drive + "\\";
  for (const std::string& part : parts) out += part + "\\";
  return out;
}

// A folder given as a program path or a native one, as a program path with
// a trailing "\".
std::string AsFolder(const std::string& given) {
  std::string path;
  if (given.size() >= 2 && given[1] == ':') {
    path = given;
  } else if (!given.empty() && given[0] == '/') {
    path = fs::FromNative(given);
  } else {
    path = fs::CurrentFolder() + fs::FromNative(given);
  }
  std::replace(path.begin(), path.end(), '/', '\\');
  return Normalised(path);
}

std::string EnvFileOf(const std::string& base) { return base + "DATA\\" + kEnvFileName; }

bool HasInstallation(const std::string& base) { return fs::IsFile(EnvFileOf(base)); }

// Whether start-up may rewrite the environment file of the installation
// (atomic writes also need the folder).
bool Writable(const std::string& base) {
  return !fs::GetAttributes(base + "DATA").readOnly && !fs::GetAttributes(EnvFileOf(base)).readOnly;
}

// The tree a per-user installation is seeded from.
std::string FactoryTree(const std::string& program) {
  if (HasInstallation(program)) return program;
  std::string shared = Normalised(program + "..\\share\\kondra\\");
  return HasInstallation(shared) ? shared : std::string();
}

// Copies the folder `from` into `to`, never replacing a file that is there.
// `last` (a path below `from`) is left out; the caller copies it at the end.
bool CopyFolder(const std::string& from, const std::string& to, const std::string& last, std::string& error) {
  if (!fs::IsDir(to) && !fs::MakeFolders(to, &error)) {
    error = "<" + to + ">" + error;
    return false;
  }
  std::vector<std::string> names = fs::ListFolder(from);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string source = from + name;
    if (fs::IsDir(source)) {
      if (!CopyFolder(source + "\\", to + name + "\\", last, error)) return false;
    } else if (fs::IsFile(source) && source != last && !fs::Exists(to + name)) {
      std::string bytes;
      if (!fs::ReadWhole(source, bytes, &error)) {
        error = "<" + source + ">" + error;
        return false;
      }
      if (!fs::WriteWhole(to + name, bytes, &error)) {
        error = "<" + to + name + ">" + error;
        return false;
      }
    }
  }
  return true;
}

// Programs and libraries that may lie beside the installation's folders
// (the factory tree can be the program's own folder).
bool IsProgramFile(const std::string& name) {
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return true;
  const std::string ext = UpperAscii(name.substr(dot));
  return ext == ".EXE" || ext == ".DLL" || ext == ".SO" || ext == ".DYLIB" || ext == ".COM";
}

// Copies the factory tree into the per-user folder: every folder, and the
// loose files that are not programs (the operating guide). The environment
// file comes last, so a start that was cut short seeds again.
bool Seed(const std::string& factory, const std::string& user, std::string& error) {
  if (!fs::IsDir(user) && !fs::MakeFolders(user, &error)) {
    error = "<" + user + ">" + error;
    return false;
  }
  std::vector<std::string> names = fs::ListFolder(factory);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string source = factory + name;
    if (fs::IsDir(source)) {
      if (!CopyFolder(source + "\\", user + name + "\\", EnvFileOf(factory), error)) return false;
    } else if (fs::IsFile(source) && !IsProgramFile(name) && !fs::Exists(user + name)) {
      std::string bytes;
      if (!fs::ReadWhole(source, bytes, &error) || !fs::WriteWhole(user + name, bytes, &error)) {
        error = "<" + user + name + ">" + error;
        return false;
      }
    }
  }
  std::string bytes;
  if (!fs::ReadWhole(EnvFileOf(factory), bytes, &error) || !fs::WriteWhole(EnvFileOf(user), bytes, &error)) {
    error = "<" + EnvFileOf(user) + ">" + error;
    return false;
  }
  return true;
}

void Fail(const std::string& text) {
  MsgBox(text, 4, 1);
  MsgCancel = true;
}

// The installation folder to start on, or empty (with the reason shown).
std::string ChooseRoot(const StartupOptions& options) {
  if (!options.root.empty()) {
    std::string root = AsFolder(options.root);
    if (HasInstallation(root)) return root;
    Fail(std::string(kNoEnvironment) + CR + CR + "<" + EnvFileOf(root) + ">");
    return {};
  }
  const std::string program =
      options.programFolder.empty() ? fs::ProgramFolder() : AsFolder(options.programFolder);
  const std::string user = options.userFolder.empty() ? fs::UserDataFolder() : AsFolder(options.userFolder);
  if (HasInstallation(program) && Writable(program)) return program;
  if (HasInstallation(user)) return user;
  const std::string factory = FactoryTree(program);
  if (factory.empty()) {
    Fail(std::string(kNoEnvironment) + CR + CR + "<" + program + ">" + CR + "<" + user + ">");
    return {};
  }
  // A read-only start reads the tree the user's installation would be made from.
  if (options.readOnly) return factory;
  std::string error;
  if (!Seed(factory, user, error)) {
    Fail("利用環境<" + user + ">を作成できませんでした。" + CR + CR + error);
    return {};
  }
  return user;
}

// Total and free physical memory in MB (bytes / 2^20, truncated). Free
// memory counts what the system hands out on demand (its caches included),
// as the free memory the row has always shown did.
void PhysicalMemory(int64_t& totalMB, int64_t& freeMB) {
  const int64_t page = sysconf(_SC_PAGESIZE);
  totalMB = static_cast<int64_t>(sysconf(_SC_PHYS_PAGES)) * page >> 20;
  freeMB = static_cast<int64_t>(sysconf(_SC_AVPHYS_PAGES)) * page >> 20;
  int fd = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  char buffer[4096];
  ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
  ::close(fd);
  if (n <= 0) return;
  std::string text(buffer, static_cast<std::size_t>(n));
  std::size_t at = text.find("MemAvailable:");
  if (at == std::string::npos) return;
  int64_t kB = TextToInt(text.substr(at + std::strlen("MemAvailable:"), 24));
  if (kB > 0) freeMB = kB >> 10;
}

// The Windows system drive: "C:" when "C:\Program Files\" exists, else the
// first drive whose root holds MSDOS.SYS.
std::string FindWinDrive() {
  if (fs::IsDir("C:\\Program Files\\")) return "C:";
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    fs::DriveKind kind = fs::DriveKindOf(letter);
    if (kind == fs::DriveKind::NoRoot || kind == fs::DriveKind::Unknown) continue;
    std::string drive = std::string(1, letter) + ":";
    if (fs::IsFile(drive + "\\MSDOS.SYS")) return drive;
  }
  return {};
}

std::string ColorSchemeRow(const std::array<int32_t, 7>& scheme) {
  std::string row(10, ' ');
  for (std::size_t k = 1; k <= 6; ++k) row += "[" + PadLeft(std::to_string(scheme[k]), 3) + "]";
  return row;
}

// The abbreviated folder of an existing file and its base name, as rows 13
// and 14 (or rows 2 and 4 of a last-file record) hold them. Leaves the path
// components describing the file.
void AbbreviatedParts(const std::string& path, std::string& folder, std::string& name) {
  SplitPath(path);
  const std::size_t fileNameBytes = CurFileName.size();
  std::string abbrev = AbbrevPath(path);
  folder = abbrev.substr(0, abbrev.size() - std::min(fileNameBytes, abbrev.size()));
  SplitPath(path);
  name = CurName;
}

bool SaveRows(const std::string& file, const std::string* rows, int count) {
  DT_RowCount = count;
  DT_ColCount = 1;
  DT_ColWidth[1] = kEnvWidth;
  for (std::size_t k = 1; k <= static_cast<std::size_t>(count); ++k) {
    DT_Name[k] = rows[k];
    DT_Cell[k][1] = rows[k];
  }
  return DataSave(file);
}

}  // namespace

void SetProgramIdentity() {
  ProgramTitle = kProgramTitle;
  ProgramName = kProgramName;
}

void SetFolders(const std::string& base) {
  DataDir = base + "DATA\\";
  CalcDir = base + "CAL\\";
  DatDir = DataDir + "DAT\\";
  ColorDir = DataDir + "COLOR\\";
  PictDir = DataDir + "PICT\\";
  HelpDir = DataDir + "HELP\\";
}

void LoadEnvironment() {
  EnvRow = {};
  // A damaged environment file is read as far as it goes but never written
  // over: the user's settings in it stay until the user mends or removes it.
  const std::string envFile = DataDir + kEnvFileName;
  const std::string damage = fs::IsFile(ExpandPath(envFile)) ? TableFileProblemAt(envFile) : std::string();
  EnvDamaged = !damage.empty();
  if (EnvDamaged)
    StatusMsg("〔" + std::string(kEnvFileName) + "〕が壊れているので書き換えません（直すか削除すれば次の起動で作り直します）。<" +
              envFile + "> " + damage);
  if (DataLoad(envFile)) {
    const int32_t rows = std::min<int32_t>(DT_RowCount, kEnvRows);
    for (std::size_t k = 1; k <= static_cast<std::size_t>(rows); ++k) EnvRow[k] = DT_Name[k];
  }

  CountryNo = 0;
  CountryName.clear();
  const bool countries = DataLoad(DatDir + "国名.DAT");
  if (std::size_t at = EnvRow[11].find(kCountryMark); at != std::string::npos) {
    const std::string after = EnvRow[11].substr(at + std::strlen(kCountryMark));
    CountryNo = ClampToInt32(TextToInt(SplitAt(after, 2).first));
    if (countries && CountryNo >= 1 && CountryNo <= DT_RowCount) CountryName = DT_Name[static_cast<std::size_t>(CountryNo)];
  }
  // A negative number names no country either.
  if (CountryNo <= 0) {
    CountryNo = 1;
    CountryName = "日本";
  }

  UserName = EnvRow[2].substr(0, EnvRow[2].find("†"));

  // The last calculation file. Rows 13 to 15 are kept as read; an old row
  // 13 stands for the file's own folder with "<???>".
  std::string folder = EnvRow[13];
  if (Contains(std::string("\\") + kOwnFolder, folder)) folder = ReplaceFirst(kOwnFolder, EnvRow[14], folder);
  folder = AddBackslash(folder);
  ExpandPath(folder + EnvRow[14] + EnvRow[15]);
  if (CurPath.empty() || !fs::IsFile(CurPath)) {
    ExpandPath(StartDrive + "..." + kNoFile + ".???");
    CurDrive = StartDrive;
    CurDir = StartDrive + "...";
    CurFileName = std::string(kNoFile) + ".???";
    CurExt = ".???";
  }
  LastCalcFile = CurPath;

  DriveFD = TrimBoth(SliceMB(EnvRow[16], 3, 2));
  DriveCD = TrimBoth(SliceMB(EnvRow[16], 10, 2));
  DriveMC = TrimBoth(SliceMB(EnvRow[16], 17, 2));
  DriveHD = TrimBoth(SliceMB(EnvRow[16], 24, 2));
  for (std::size_t r = 1; r <= 3; ++r)
    for (std::size_t k = 1; k <= 6; ++k)
      ColorScheme[r][k] = ClampToInt32(TextToInt(SliceMB(EnvRow[16 + r], static_cast<int>(1 + 5 * (k - 1)), 3)));
  ColorFile = ColorDir + EnvRow[20];
}

void SaveEnvironment(const std::string& path) {
  if (EnvReadOnly || EnvDamaged || DataDir.empty()) return;
  EnvRow[5] = "Windows Drive[" + WinDrive + "]";
  EnvRow[6] = "Start Drive[" + StartDrive + "]";
  auto [head, rest] = SplitAt(RootDir, kEnvWidth);
  EnvRow[7] = head;
  // Only the start-up folder finds the installation; a third part of a very
  // deep folder is not kept.
  EnvRow[8] = CutMB(rest, kEnvWidth);
  EnvRow[9] = AbbrevRoot(DataDir);
  if (!ProgramTitle.empty()) EnvRow[10] = ProgramTitle;
  if (!ProgramName.empty()) EnvRow[11] = ProgramName + " (" + kCountryMark + PadLeft(std::to_string(CountryNo), 2) + ")";
  EnvRow[12] = NowText();
  if (!path.empty()) {
    std::string folder, name;
    if (fs::IsFile(ExpandPath(path))) AbbreviatedParts(path, folder, name);
    // A folder that does not fit its row could only be stored cut, naming
    // another folder; the next start then opens the sample instead.
    if (folder.empty() || MBWidth(folder) > kEnvWidth || MBWidth(name) > kEnvWidth) {
      folder = StartDrive + "...";
      name = kNoFile;
    }
    EnvRow[13] = folder;
    EnvRow[14] = name;
    SplitPath(path);
  }
  EnvRow[15] = LastErrorText.empty() ? CurExt : CutMB(LastErrorText, kEnvWidth);
  EnvRow[16] = "FD[" + PadLeft(DriveFD, 2) + "] CD[" + PadLeft(DriveCD, 2) + "] MC[" + PadLeft(DriveMC, 2) + "] HD[" +
               PadLeft(DriveHD, 2) + "]";
  for (std::size_t r = 1; r <= 3; ++r) EnvRow[16 + r] = ColorSchemeRow(ColorScheme[r]);
  EnvRow[20] = FileNameOf(ColorFile);
  SaveRows(DataDir + kEnvFileName, EnvRow.data(), kEnvRows);
}

void Shutdown(const std::string& path) { SaveEnvironment(path); }

bool Startup(const StartupOptions& options) {
  MsgCancel = false;
  EnvReadOnly = options.readOnly;
  const std::string base = ChooseRoot(options);
  if (base.empty()) return false;
  auto [drive, root] = SplitAt(base, 2);
  StartDrive = drive;
  RootDir = root;
  SetFolders(StartDrive + RootDir);
  LoadEnvironment();

  WinDrive = FindWinDrive();
  int width = 0, height = 0;
  Face().ScreenSize(width, height);
  ScreenWidth = width;
  ScreenHeight = height;
  int64_t totalMB = 0, freeMB = 0;
  PhysicalMemory(totalMB, freeMB);
  EnvRow[4] = "ﾒﾓﾘ:" + std::to_string(totalMB) + "MB(" + std::to_string(freeMB) + "MB) CRT:" + std::to_string(width) +
              "x" + std::to_string(height);

  DriveFD = FindDriveOfType(3, fs::DriveKind::Removable);
  if (DriveFD.empty()) DriveFD = "A:";
  DriveHD = FindDriveOfType(26, fs::DriveKind::Fixed);
  DriveCD = FindDriveOfType(26, fs::DriveKind::CdRom);

  SaveEnvironment();

  DataModified = false;
  LastStatusMsg.clear();
  LastStatusText.clear();
  LastErrorText.clear();
  if (MsgCancel) return false;
  CentrePointer();
  return true;
}

bool LoadLastFileRecord(const std::string& name) {
  LastFileRow = {};
  const std::string file = DataDir + name;
  if (!fs::IsFile(file)) {
    SplitPath({});
    StatusMsg("〔" + name + "〕が見つからないので、最初の設定で始めます。");
    return false;
  }
  if (!DataLoad(file)) {
    SplitPath({});
    return false;
  }
  const int32_t rows = std::min<int32_t>(DT_RowCount, kLastFileRows);
  for (std::size_t k = 1; k <= static_cast<std::size_t>(rows); ++k) LastFileRow[k] = DT_Name[k];
  ExpandPath(LastFileRow[2] + LastFileRow[3]);
  return true;
}

bool SaveLastFileRecord(const std::string& name, const std::string& path) {
  if (EnvReadOnly) return false;
  std::string folder, base;
  AbbreviatedParts(path, folder, base);
  LastFileRow[1] = CurDrive;
  LastFileRow[2] = folder;
  LastFileRow[3] = CurFileName;
  LastFileRow[4] = base;
  LastFileRow[5] = CurExt;
  LastFileRow[10] = NowText();
  return SaveRows(DataDir + name, LastFileRow.data(), kLastFileRows);
}

bool TakeStartupArgs(std::vector<std::string>& args, StartupOptions& options, std::string& error) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--root") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = "--root needs a folder: --root DIR";
        return false;
      }
      options.root = args[++i];
    } else if (arg.rfind("--root=", 0) == 0) {
      options.root = arg.substr(std::strlen("--root="));
      if (options.root.empty()) {
        error = "--root needs a folder: --root=DIR";
        return false;
      }
    } else {
      rest.push_back(arg);
    }
  }
  args = std::move(rest);
  return true;
}

bool StartProgram(const StartupOptions& options) {
  SetProgramIdentity();
  if (!Startup(options)) return false;
  SetUnitSystem(kEngineeringUnits);
  LoadUnitPairs();
  ExpandPath(LastCalcFile);
  return true;
}

}  // namespace kondra
