#include "env/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace kondra::fs {
namespace {

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

int Fault(Op op, const std::string& native) {
  if (!Hook()) return 0;
  return Hook()(op, native);
}

void SetError(std::string* error, const std::string& native, int err) {
  if (error) *error = ErrorText(err);
  (void)native;
}

bool NativeExists(const std::string& native) {
  struct stat st;
  return ::lstat(native.c_str(), &st) == 0;
}

std::string Dirname(const std::string& native) {
  auto slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

std::string Basename(const std::string& native) {
  auto slash = native.rfind('/');
  return slash == std::string::npos ? native : native.substr(slash + 1);
}

// Finds an entry of `dir` equal to `name` ignoring ASCII case.
std::optional<std::string> FindCaseVariant(const std::string& dir, const std::string& name) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

// Resolves each missing component of a native path against a differently
// cased existing entry. Components that match nothing stay as written.
std::string ResolveCase(const std::string& native) {
  if (native.empty() || NativeExists(native)) return native;
  std::string parent = Dirname(native);
  std::string name = Basename(native);
  if (name.empty() || name == "." || name == "..") return native;
  std::string resolvedParent = (parent == native) ? parent : ResolveCase(parent);
  if (auto variant = FindCaseVariant(resolvedParent, name)) {
    return (resolvedParent == "/" ? "/" : resolvedParent + "/") + *variant;
  }
  if (resolvedParent == parent) return native;
  return (resolvedParent == "/" ? "/" : resolvedParent + "/") + name;
}

std::string FromEnvOrHome(const char* var, const char* homeSuffix) {
  std::string base;
  if (const char* v = std::getenv(var); v && *v) {
    base = v;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + homeSuffix;
  } else {
    base = "/tmp";
  }
  if (base.back() != '/') base += '/';
  return FromNative(base + "kondra/");
}

}  // namespace

std::string ToNative(std::string_view path) {
  std::string native;
  std::string_view rest = path;
  if (rest.size() >= 2 && rest[1] == ':' &&
      ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
    rest.remove_prefix(2);
    native = "/";
    while (!rest.empty() && (rest.front() == '\\' || rest.front() == '/')) rest.remove_prefix(1);
  }
  for (char c : rest) native += (c == '\\') ? '/' : c;
  // Collapse doubled separators that come from joining folder texts.
  std::string collapsed;
  for (char c : native) {
    if (c == '/' && !collapsed.empty() && collapsed.back() == '/') continue;
    collapsed += c;
  }
  if (collapsed.size() > 1 && collapsed.back() == '/') collapsed.pop_back();
  return ResolveCase(collapsed);
}

std::string FromNative(std::string_view native) {
  std::string out;
  if (!native.empty() && native.front() == '/') out = "C:";
  for (char c : native) out += (c == '/') ? '\\' : c;
  if (out == "C:") out = "C:\\";
  return out;
}

bool Exists(std::string_view path) {
  if (path.empty()) return false;
  struct stat st;
  return ::stat(ToNative(path).c_str(), &st) == 0;
}

bool IsFile(std::string_view path) {
  if (path.empty()) return false;
  struct stat st;
  return ::stat(ToNative(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDir(std::string_view path) {
  if (path.empty()) return false;
  struct stat st;
  return ::stat(ToNative(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Attributes GetAttributes(std::string_view path) {
  Attributes a;
  if (path.empty()) return a;
  std::string native = ToNative(path);
  struct stat st;
  if (::stat(native.c_str(), &st) != 0) return a;
  a.exists = true;
  a.directory = S_ISDIR(st.st_mode);
  a.system = !S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode);
  a.hidden = !Basename(native).empty() && Basename(native)[0] == '.';
  a.readOnly = ::access(native.c_str(), W_OK) != 0;
  return a;
}

std::optional<int64_t> FileSize(std::string_view path) {
  std::string native = ToNative(path);
  struct stat st;
  if (::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (::access(native.c_str(), R_OK) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_size);
}

std::optional<int64_t> ModifiedTime(std::string_view path) {
  struct stat st;
  if (::stat(ToNative(path).c_str(), &st) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_mtime);
}

bool ReadWhole(std::string_view path, std::string& bytes, std::string* error, int64_t limit) {
  bytes.clear();
  std::string native = ToNative(path);
  if (int err = Fault(Op::Read, native)) {
    SetError(error, native, err);
    return false;
  }
  int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetError(error, native, errno);
    return false;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    SetError(error, native, err ? err : EINVAL);
    return false;
  }
  if (st.st_size > limit) {
    ::close(fd);
    if (error) *error = "ファイルが大きすぎます（" + std::to_string(st.st_size) + "バイト）";
    return false;
  }
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      bytes.clear();
      SetError(error, native, err);
      return false;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  ::close(fd);
  return true;
}

bool WriteWhole(std::string_view path, std::string_view bytes, std::string* error) {
  std::string native = ToNative(path);
  struct stat old;
  bool existed = ::stat(native.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode)) {
    SetError(error, native, EISDIR);
    return false;
  }
  if (existed && ::access(native.c_str(), W_OK) != 0) {
    SetError(error, native, EACCES);
    return false;
  }
  std::string dir = Dirname(native);
  std::string temp = dir + "/." + Basename(native) + ".tmpXXXXXX";
  if (int err = Fault(Op::CreateTemp, native)) {
    SetError(error, native, err);
    return false;
  }
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    SetError(error, native, errno);
    return false;
  }
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    SetError(error, native, err);
    return false;
  };
  std::size_t toWrite = bytes.size();
  int injected = Fault(Op::WriteData, native);
  if (injected) toWrite /= 2;
  std::size_t done = 0;
  while (done < toWrite) {
    ssize_t n = ::write(fd, bytes.data() + done, toWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(errno);
    done += static_cast<std::size_t>(n);
  }
  if (injected) return fail(injected);
  if (int err = Fault(Op::Flush, native)) return fail(err);
  if (::fsync(fd) != 0) return fail(errno);
  mode_t mode = existed ? (old.st_mode & 07777) : 0644;
  if (!existed) {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, native, err);
    return false;
  }
  if (int err = Fault(Op::Rename, native)) {
    ::unlink(temp.c_str());
    SetError(error, native, err);
    return false;
  }
  if (::rename(temp.c_str(), native.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, native, err);
    return false;
  }
  return true;
}

bool MakeFolders(std::string_view path, std::string* error) {
  std::string native = ToNative(path);
  if (native.empty()) {
    SetError(error, native, ENOENT);
    return false;
  }
  std::string partial;
  std::size_t pos = 0;
  while (pos <= native.size()) {
    std::size_t next = native.find('/', pos);
    if (next == std::string::npos) next = native.size();
    partial = native.substr(0, next);
    pos = next + 1;
    if (partial.empty()) continue;
    struct stat st;
    if (::stat(partial.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) {
        SetError(error, partial, ENOTDIR);
        return false;
      }
      continue;
    }
    if (int err = Fault(Op::MakeFolder, partial)) {
      SetError(error, partial, err);
      return false;
    }
    if (::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) {
      SetError(error, partial, errno);
      return false;
    }
  }
  return true;
}

bool RemoveFile(std::string_view path, std::string* error) {
  std::string native = ToNative(path);
  if (int err = Fault(Op::Remove, native)) {
    SetError(error, native, err);
    return false;
  }
  if (::unlink(native.c_str()) != 0) {
    SetError(error, native, errno);
    return false;
  }
  return true;
}

bool RenameFile(std::string_view from, std::string_view to, std::string* error) {
  std::string a = ToNative(from);
  std::string b = ToNative(to);
  if (int err = Fault(Op::Rename, b)) {
    SetError(error, b, err);
    return false;
  }
  if (::rename(a.c_str(), b.c_str()) != 0) {
    SetError(error, b, errno);
    return false;
  }
  return true;
}

std::vector<std::string> ListFolder(std::string_view folder) {
  std::vector<std::string> names;
  std::string native = ToNative(folder);
  DIR* d = ::opendir(native.empty() ? "." : native.c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    names.push_back(name);
  }
  ::closedir(d);
  return names;
}

DriveKind DriveKindOf(char letter) {
  return (letter == 'C' || letter == 'c') ? DriveKind::Fixed : DriveKind::NoRoot;
}

std::string CurrentFolder() {
  std::string buf(4096, '\0');
  if (!::getcwd(buf.data(), buf.size())) return {};
  buf.resize(std::strlen(buf.c_str()));
  std::string out = FromNative(buf);
  if (out.back() != '\\') out += '\\';
  return out;
}

bool SetCurrentFolder(std::string_view path) {
  return ::chdir(ToNative(path).c_str()) == 0;
}

std::string ProgramFolder() {
  std::string buf(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return CurrentFolder();
  buf.resize(static_cast<std::size_t>(n));
  std::string out = FromNative(Dirname(buf));
  if (out.back() != '\\') out += '\\';
  return out;
}

std::string UserDataFolder() { return FromEnvOrHome("XDG_DATA_HOME", "/.local/share"); }
std::string UserCacheFolder() { return FromEnvOrHome("XDG_CACHE_HOME", "/.cache"); }

void SetFaultHook(FaultHook hook) { Hook() = std::move(hook); }

std::string ErrorText(int err) {
  switch (err) {
    case ENOSPC:
    case EDQUOT:
      return "ディスクの空き容量が足りません";
    case EACCES:
    case EPERM:
      return "書き込み（読み込み）が許可されていません";
    case EROFS:
      return "読み取り専用の場所です";
    case ENOENT:
      return "ファイルまたはフォルダーがありません";
    case ENOTDIR:
      return "フォルダーではありません";
    case EISDIR:
      return "フォルダーです（ファイルではありません）";
    case EIO:
      return "入出力エラーが発生しました";
    case ENAMETOOLONG:
      return "ファイル名が長すぎます";
    default:
      return std::string("システムエラー（") + std::strerror(err) + "）";
  }
}

}  // namespace kondra::fs
