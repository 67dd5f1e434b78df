#include "env/Paths.h"

#include <algorithm>
#include <ctime>
#include <numeric>
#include <vector>

#include "env/Cp932.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Text.h"

namespace kondra {

std::string CurPath;
std::string CurDrive;
std::string CurDir;
std::string CurDirNoDrive;
std::string CurFileName;
std::string CurExt;
std::string CurName;

std::array<std::string, kMaxNames + 1> NameList;
int32_t NameCount = 0;
int32_t NameMaxLen = 0;
std::array<int32_t, kMaxNames + 1> NameOrder{};

namespace {

constexpr const char* kDriveSet = "*?\\\"<>|;/.";
constexpr const char* kNameSet = "*?\\\"<>|;/:.";
constexpr const char* kExtSet = "*?\\\"<>|;/:";
constexpr const char* kNameDots = "･･･";

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

bool HasDrive(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

// A drive the platform knows; paths without a drive need none.
bool DrivePresent(std::string_view path) {
  if (!HasDrive(path)) return true;
  fs::DriveKind kind = fs::DriveKindOf(path[0]);
  return kind != fs::DriveKind::NoRoot && kind != fs::DriveKind::Unknown;
}

bool IsExistingFile(const std::string& path) { return fs::Exists(path) && !fs::IsDir(path); }

// Resolves "." and ".." folders of a drive path.
std::string Normalize(const std::string& path) {
  std::string drive = path.substr(0, 2);
  std::string rest = path.substr(2);
  bool trailing = !rest.empty() && rest.back() == '\\';
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
  for (std::size_t i = 0; i < parts.size(); ++i) {
    out += parts[i];
    if (i + 1 < parts.size() || trailing) out += '\\';
  }
  return out;
}

std::string Absolute(const std::string& path) {
  if (HasDrive(path)) return Normalize(path);
  if (StartsWith(path, "\\")) return Normalize("C:" + path);
  return Normalize(fs::CurrentFolder() + path);
}

// Folders of a split folder text: the texts between consecutive "\".
std::vector<std::string> FoldersOf(const std::string& dir) {
  std::vector<std::string> folders;
  std::size_t first = dir.find('\\');
  while (first != std::string::npos) {
    std::size_t next = dir.find('\\', first + 1);
    if (next == std::string::npos) break;
    folders.push_back(dir.substr(first + 1, next - first - 1));
    first = next;
  }
  return folders;
}

struct SplitResult {
  FileParts parts;
  std::vector<std::string> folders;  // every folder, however deep
};

SplitResult SplitParts(std::string path) {
  SplitResult r;
  if (path.empty()) return r;
  std::string text = StripTag(path);
  if (text.find('.') == std::string::npos) text += "*.";
  SplitPath(text);
  r.parts.drive = CurDrive;
  r.parts.name = CurName;
  r.parts.ext = CurExt;
  r.folders = FoldersOf(CurDir);
  r.parts.count = static_cast<int>(std::min<std::size_t>(r.folders.size(), 8));
  for (int i = 0; i < r.parts.count; ++i) r.parts.folders[static_cast<std::size_t>(i) + 1] = r.folders[i];
  return r;
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// "*" and "?" over whole characters, ASCII case ignored.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  auto chars = [](std::string_view s) {
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < s.size();) {
      std::size_t len = static_cast<std::size_t>(Utf8SeqLen(static_cast<unsigned char>(s[pos])));
      len = std::min(len, s.size() - pos);
      std::string c(s.substr(pos, len));
      if (len == 1) c[0] = FoldAscii(c[0]);
      out.push_back(c);
      pos += len;
    }
    return out;
  };
  std::vector<std::string> n = chars(name), p = chars(pattern);
  std::size_t ni = 0, pi = 0, starP = std::string::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == "?" || p[pi] == n[ni])) {
      ++ni;
      ++pi;
    } else if (pi < p.size() && p[pi] == "*") {
      starP = pi++;
      starN = ni;
    } else if (starP != std::string::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == "*") ++pi;
  return pi == p.size();
}

// Sort key of a name: CP932 bytes with ASCII letters folded to upper case
// (the UTF-8 bytes for a name that has no CP932 form).
std::string SortKey(const std::string& name) {
  std::string upper = UpperAscii(name);
  std::string bytes;
  if (!ToCp932(upper, bytes)) bytes = upper;
  return bytes;
}

}  // namespace

std::string FileNameOf(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

void SplitPath(std::string path) {
  if (path.empty()) {
    CurPath.clear();
    CurDrive.clear();
    CurDir.clear();
    CurDirNoDrive.clear();
    CurFileName.clear();
    CurExt.clear();
    CurName.clear();
    return;
  }
  std::string text = StripTag(path);
  if (Contains("...", text)) text = ReplaceFirst("...", RootDir, text);
  CurPath = fs::Exists(text) ? Absolute(text) : text;
  CurDrive = LeftMB(CurPath, 2);
  std::size_t cut = CurPath.find_last_of("\\:");
  CurDir = cut == std::string::npos ? std::string() : CurPath.substr(0, cut + 1);
  CurFileName = cut == std::string::npos ? CurPath : CurPath.substr(cut + 1);
  CurDirNoDrive = CutMB(UpperAscii(SplitAt(CurDir, 2).second), 80);
  std::size_t dot = CurFileName.rfind('.');
  CurExt = dot == std::string::npos ? std::string() : UpperAscii(CurFileName.substr(dot));
  CurName = CurExt.empty() ? CurFileName : CurFileName.substr(0, CurFileName.find('.'));
}

std::string AbbrevRoot(std::string path) {
  if (RootDir.empty()) return path;
  return ReplaceFirst(RootDir, "...", path);
}

std::string AbbrevName(std::string path) {
  if (!HasDrive(path) || path.find('.') == std::string::npos) return path;
  SplitPath(path);
  std::string dir = CurDir;
  if (!CurName.empty()) {
    std::size_t start = dir.find('\\');
    while (start != std::string::npos) {
      std::size_t next = dir.find('\\', start + 1);
      if (next == std::string::npos) break;
      if (dir.compare(start + 1, next - start - 1, CurName) == 0) {
        dir.replace(start + 1, CurName.size(), kNameDots);
        break;
      }
      start = next;
    }
  }
  // The name keeps every part; only its extension is written upper case.
  std::string stem = CurFileName.substr(0, CurFileName.size() - CurExt.size());
  std::string result = dir + stem + CurExt;
  SplitPath(result);
  return result;
}

std::string AbbrevPath(std::string path) { return AbbrevRoot(AbbrevName(std::move(path))); }

std::string ExpandPath(std::string text) {
  SplitPath(text);
  std::string result = ReplaceFirst(kNameDots, CurName, CurPath);
  if (!RootDir.empty()) result = ReplaceFirst("...", RootDir, result);
  SplitPath(result);
  return result;
}

std::string AddBackslash(std::string text) {
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}

std::string DropBackslash(std::string text) {
  if (!text.empty() && text.back() == '\\') text.pop_back();
  return text;
}

bool CheckFile(std::string path, int mode) {
  std::string text = StripTag(path);
  if (text.empty() || Contains("\\なし", text)) return false;
  if (StartsWith(text, "rf")) return true;
  std::string expanded = ExpandPath(text);
  if (IsExistingFile(expanded) || StartsWith(expanded, "rf")) return true;
  if (mode == 1) {
    StatusMsg("<" + AbbrevPath(text) + ">が見つかりません。(ﾌｧｲﾙﾁｪｯｸ)");
  } else if (mode == 2) {
    MsgBox("<" + text + ">" + CR + CR + "ファイルがみつかりません。", 1, 1);
  }
  return false;
}

bool CheckDir(std::string path, bool report) {
  if (StartsWith(path, "rf")) return true;
  bool ok = false;
  if (DrivePresent(path)) {
    std::string dir = DropBackslash(path);
    if (HasDrive(dir) && dir.size() == 2) dir += '\\';
    if (!dir.empty() && fs::IsDir(dir)) ok = fs::SetCurrentFolder(dir);
  }
  if (!ok && report) StatusMsg("<" + AbbrevRoot(path) + ">パスが見つかりません。(DIRﾁｪｯｸ)");
  return ok;
}

bool EnsureFolder(std::string path, bool ask) {
  if (path.empty()) {
    MsgCancel = true;
    return false;
  }
  std::string dir = DropBackslash(path);
  bool present = DrivePresent(path);
  if (present && !fs::IsDir(dir)) {
    if (ask) {
      MsgBox("新しくフォルダー<" + path + ">を作成しますか？", 2, 2);
      if (!MsgYes) {
        MsgCancel = true;
        return false;
      }
    }
    fs::MakeFolders(dir);
  }
  bool ok = present && CheckDir(path, false);
  if (ask && !ok) MsgBox("新しいフォルダー＜" + path + "＞を作成できませんでした。", 3, 1);
  MsgCancel = !ok;
  return ok;
}

std::string AttrClass(std::string path) {
  if (path.empty()) return "NoFile";
  if (path.find('.') == std::string::npos) return "Directory";
  fs::Attributes a = fs::GetAttributes(path);
  if (!a.exists) return "NoFile";
  if (a.directory) return "Directory";
  if (a.hidden) return "Hidden";
  if (a.system) return "SysFile";
  if (a.readOnly) return "ReadOnly";
  return "Archive";
}

int64_t OpenSize(std::string path, bool warn) {
  std::string cls = AttrClass(path);
  if (cls != "Archive" && cls != "ReadOnly") return 0;
  if (warn && cls == "ReadOnly") StatusMsg("このファイルは編集できません。");
  SplitPath(path);
  std::optional<int64_t> size = fs::FileSize(path);
  if (!size) {
    MsgBox("<" + path + ">のファイルが大きすぎて開けません。", 1, 1);
    return 0;
  }
  return *size;
}

std::string FileDateText(std::string path) {
  std::optional<int64_t> when = fs::ModifiedTime(path);
  if (!when) return {};
  std::time_t t = static_cast<std::time_t>(*when);
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return {};
  char buf[96];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::string FilterText(std::string path) {
  SplitPath(path);
  if (CurExt.empty()) return "全てのファイル(*.*)|*.*|";
  return "現在の拡張子(*" + CurExt + ")|*" + CurExt + "|";
}

std::string FindDriveOfType(int letters, fs::DriveKind kind) {
  for (int i = 0; i < letters && i < 26; ++i) {
    char letter = static_cast<char>('A' + i);
    if (fs::DriveKindOf(letter) == kind) return std::string(1, letter) + ":";
  }
  return {};
}

void ListFiles(std::string folder, std::string namePattern, std::string extPattern) {
  NameCount = 0;
  NameMaxLen = 40;
  folder = AddBackslash(folder);
  if (std::size_t dot = namePattern.find('.'); dot != std::string::npos) namePattern.resize(dot);
  if (!CheckDir(folder, false)) return;
  std::string pattern = namePattern + extPattern;
  SplitPath(folder + pattern);
  const std::string dir = CurDir;
  std::vector<std::string> entries = fs::ListFolder(dir);
  std::sort(entries.begin(), entries.end());
  int count = 0;
  bool over = false;
  for (const std::string& name : entries) {
    if (!MatchesPattern(name, pattern)) continue;
    std::string cls = AttrClass(dir + name);
    if (cls[0] != 'A' && cls[0] != 'R') continue;
    if (count == kMaxNames) {
      over = true;
      break;
    }
    NameList[static_cast<std::size_t>(++count)] = name;
    NameMaxLen = std::max(NameMaxLen, MBWidth(name));
  }
  if (over) {
    ErrorMsg(521);
    ErrorMsg(522);
  }
  NameCount = count;
  SortNames("U", NameCount, NameList, NameOrder);
}

void SortNames(std::string_view direction, int count, std::span<std::string> names, std::span<int32_t> order) {
  if (count <= 0 || count >= 1000) return;
  const auto n = static_cast<std::size_t>(count);
  if (names.size() <= n || order.size() <= n) return;
  std::vector<std::string> keys(n + 1);
  for (std::size_t i = 1; i <= n; ++i) keys[i] = SortKey(names[i]);
  std::vector<std::size_t> idx(n);
  std::iota(idx.begin(), idx.end(), std::size_t{1});
  std::stable_sort(idx.begin(), idx.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<std::string> sorted(n);
  for (std::size_t k = 0; k < n; ++k) sorted[k] = std::move(names[idx[k]]);
  for (std::size_t k = 0; k < n; ++k) {
    names[k + 1] = std::move(sorted[k]);
    order[k + 1] = static_cast<int32_t>(idx[k]);
  }
  if (direction == "D") {
    std::reverse(names.begin() + 1, names.begin() + static_cast<std::ptrdiff_t>(n) + 1);
    std::reverse(order.begin() + 1, order.begin() + static_cast<std::ptrdiff_t>(n) + 1);
  }
}

FileParts FileSplit_All(std::string path) {
  SplitResult r = SplitParts(path);
  if (r.folders.size() > 8)
    MsgBox("ファイル名＜" + path + "＞のディレクトリが８階層以上あります。（FileSplit_All）", 3, 1);
  return r.parts;
}

bool ValidateFileName(std::string path, bool report) {
  if (path.empty()) return true;
  std::string work = path;
  if (!HasDrive(work)) work = "C:\\" + work;
  if (work.find('.') == std::string::npos) work += "$.$";
  std::string expanded = ExpandPath(work);
  // The installation folder is the program's own, not typed: only what lies
  // below it is tested.
  std::string tested = expanded;
  if (!RootDir.empty() && HasDrive(tested) && tested.compare(2, RootDir.size(), RootDir) == 0)
    tested = tested.substr(0, 2) + "\\" + tested.substr(2 + RootDir.size());

  auto fail = [&](const std::string& text) {
    if (report) MsgBox("ファイル名 ： " + path + CR + CR + text, 3, 1);
    return false;
  };
  auto forbidden = [&](const char* label, const char* set) {
    return fail(std::string(label) + "の中に不正な文字<" + set + ">が含まれています。");
  };
  SplitResult r = SplitParts(tested);
  if (AnyCharIn(r.parts.drive, kDriveSet)) return forbidden("ドライブ名", kDriveSet);
  for (const std::string& folder : r.folders)
    if (AnyCharIn(folder, kNameSet)) return forbidden("ディレクトリ名", kNameSet);
  if (AnyCharIn(r.parts.name, kNameSet)) return forbidden("名前部分", kNameSet);
  if (AnyCharIn(r.parts.ext, kExtSet)) return forbidden("拡張子名", kExtSet);

  auto countOf = [&](char c) { return std::count(tested.begin(), tested.end(), c); };
  long dots = countOf('.');
  bool sound = countOf(':') == 1 && (dots == 1 || dots == 4) && countOf('\\') >= 1 &&
               !Contains("\\\\", tested) && !Contains("\\.", tested);
  if (!sound) return fail("ファイル名が正しくありません。");
  SplitPath(expanded);
  return true;
}

bool CheckSaveLocation(std::string path, std::string folder) {
  if (folder.empty()) return true;
  std::string expanded = ExpandPath(path);
  if (Contains(folder, expanded)) return true;
  MsgBox("指定場所 ： " + StartDrive + RootDir + folder + CR + CR + "保存場所 ： " + CurDir + CR + CR +
             "この場所には保存できません。（指定以外）",
         3, 1);
  return false;
}

}  // namespace kondra
