#include "DataGen.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Text.h"
#include "records/TableFile.h"
#include "records/TextLines.h"

namespace kondra::datagen {
namespace {

constexpr int kSayingBytes = 80;
constexpr int kMaxWidth = 999;

using Converter = bool (*)(std::string_view source, const std::string& file, const std::string& scratch,
                           std::string& out, std::vector<Problem>& problems);

bool TableConverter(std::string_view source, const std::string& file, const std::string& scratch, std::string& out,
                    std::vector<Problem>& problems) {
  return ConvertTable(source, file, scratch, out, problems);
}
bool TextConverter(std::string_view source, const std::string& file, const std::string&, std::string& out,
                   std::vector<Problem>& problems) {
  return ConvertText(source, file, out, problems);
}
bool SayingsConverter(std::string_view source, const std::string& file, const std::string&, std::string& out,
                      std::vector<Problem>& problems) {
  return ConvertSayings(source, file, out, problems);
}

// The kinds of source, by suffix. The sample calculation (CAL/KDR/TEST_KDR.KDR)
// joins here with a source kind of its own, written with the record store's
// writer, beside the calculation document.
struct Kind {
  const char* suffix;
  Converter convert;
};
constexpr Kind kKinds[] = {
    {".tsv", TableConverter},
    {".txt", TextConverter},
    {".sayings", SayingsConverter},
};

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}
bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

// Offset of the first byte that does not belong to well-formed UTF-8, or npos.
std::size_t BadUtf8At(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || (len == 2 && lead < 0xC2) || pos + len > text.size()) return pos;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80) return pos;
    pos += len;
  }
  return std::string_view::npos;
}

// The source's lines (a UTF-8 byte-order mark and CR before LF dropped; a
// final line end makes no empty line). False with a problem when the bytes
// are not UTF-8.
bool SourceLines(std::string_view source, const std::string& file, std::vector<std::string>& lines,
                 std::vector<Problem>& problems) {
  if (StartsWith(source, "\xEF\xBB\xBF")) source.remove_prefix(3);
  if (std::size_t bad = BadUtf8At(source); bad != std::string_view::npos) {
    const int line = 1 + static_cast<int>(std::count(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(bad), '\n'));
    problems.push_back({file, line, "not UTF-8 text (byte " + std::to_string(bad) + ")"});
    return false;
  }
  std::size_t pos = 0;
  while (pos < source.size()) {
    std::size_t end = source.find('\n', pos);
    if (end == std::string_view::npos) end = source.size();
    std::string_view line = source.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    pos = end + 1;
  }
  return true;
}

// A control character other than TAB, or empty.
std::string ControlIn(std::string_view text) {
  for (char c : text) {
    auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && c != '\t') || b == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02X", b);
      return code;
    }
  }
  return {};
}

// Problems of one text that is written as CP932 (empty when none).
std::string TextFault(std::string_view text) {
  if (std::string control = ControlIn(text); !control.empty()) return "control character " + control;
  std::string bad;
  if (!IsCp932Text(text, &bad)) return "\"" + bad + "\" has no Shift-JIS (CP932) form";
  return {};
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t pos = 0;
  while (true) {
    std::size_t tab = line.find('\t', pos);
    cells.push_back(line.substr(pos, tab == std::string::npos ? std::string::npos : tab - pos));
    if (tab == std::string::npos) break;
    pos = tab + 1;
  }
  return cells;
}

bool ParseWidths(const std::string& line, std::vector<int>& widths, std::string& fault) {
  std::vector<std::string> cells = SplitTabs(line);
  if (cells.front() != "#widths" || cells.size() < 2) {
    fault = "expected \"#widths\" and a TAB-separated width per column";
    return false;
  }
  for (std::size_t j = 1; j < cells.size(); ++j) {
    const std::string& cell = cells[j];
    if (cell.empty() || cell.size() > 3 || !std::all_of(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        std::stoi(cell) < 1) {
      fault = "width " + std::to_string(j) + " \"" + cell + "\" is not a whole number from 1 to " + std::to_string(kMaxWidth);
      return false;
    }
    widths.push_back(std::stoi(cell));
  }
  if (widths.size() > static_cast<std::size_t>(kMaxTableCols)) {
    fault = std::to_string(widths.size()) + " columns; a table file has at most " + std::to_string(kMaxTableCols);
    return false;
  }
  return true;
}

std::string Fingerprint(std::string_view bytes) {
  uint64_t hash = 1469598103934665603ULL;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char text[40];
  std::snprintf(text, sizeof text, "%016llx-%zu", static_cast<unsigned long long>(hash), bytes.size());
  return text;
}

// "path: dep dep ..." as make reads it.
std::string MakeEscaped(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

std::string ProgramFolderOf(const std::string& native) {
  std::string path = fs::FromNative(std::filesystem::absolute(native).lexically_normal().string());
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

struct Source {
  std::string native;  // path as reported
  std::string path;    // program path
  std::string rel;     // below its root, "/" separated
};

void Walk(const std::string& folder, const std::string& native, const std::string& rel, std::vector<Source>& out) {
  std::vector<std::string> names = fs::ListFolder(folder);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (name.empty() || name[0] == '.') continue;
    const std::string path = folder + name;
    if (fs::IsDir(path)) {
      Walk(path + "\\", native + "/" + name, rel + name + "/", out);
    } else if (fs::IsFile(path)) {
      out.push_back({native + "/" + name, path, rel + name});
    }
  }
}

struct Built {
  std::string rel;  // output, "/" separated
  std::string bytes;
  std::string source;
};

std::map<std::string, std::string> ReadManifest(const std::string& native) {
  std::map<std::string, std::string> entries;
  std::string bytes;
  if (native.empty() || !fs::ReadWhole(fs::FromNative(native), bytes)) return entries;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(pos, end - pos);
    pos = end + 1;
    std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    entries[line.substr(tab + 1)] = line.substr(0, tab);
  }
  return entries;
}

// Removed with everything in it when the run ends.
struct ScratchFolder {
  std::string native;
  explicit ScratchFolder(std::string folder) : native(std::move(folder)) {}
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(native, ec);
  }
};

std::string Replaced(std::string text, char from, char to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}

}  // namespace

std::string Describe(const Problem& problem) {
  std::string where = problem.file;
  if (problem.line > 0) where += ":" + std::to_string(problem.line);
  return where + ": error: " + problem.text;
}

bool ConvertTable(std::string_view source, const std::string& file, const std::string& scratch, std::string& out,
                  std::vector<Problem>& problems) {
  const std::size_t before = problems.size();
  auto problem = [&](int line, const std::string& text) { problems.push_back({file, line, text}); };
  std::vector<std::string> lines;
  if (!SourceLines(source, file, lines, problems)) return false;

  std::vector<int> widths;
  std::vector<std::vector<std::string>> rows;
  std::vector<int> rowLines;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    const int lineNo = static_cast<int>(n) + 1;
    if (line == "#" || StartsWith(line, "# ")) continue;
    if (widths.empty()) {
      std::string fault;
      if (!ParseWidths(line, widths, fault)) {
        problem(lineNo, fault + " (the first line that is not a \"# \" comment)");
        return false;
      }
      continue;
    }
    if (StartsWith(line, "#")) {
      problem(lineNo, "a line starting with \"#\" is neither a \"# \" comment nor a row (a second #widths?)");
      continue;
    }
    std::vector<std::string> cells = SplitTabs(line);
    if (cells.size() > widths.size()) {
      problem(lineNo, std::to_string(cells.size()) + " values for " + std::to_string(widths.size()) + " columns");
      continue;
    }
    for (std::size_t j = 0; j < cells.size(); ++j) {
      const std::string& value = cells[j];
      const std::string column = "column " + std::to_string(j + 1);
      if (std::string fault = TextFault(value); !fault.empty()) {
        problem(lineNo, column + ": " + fault);
      } else if (!value.empty() && (value.front() == ' ' || value.back() == ' ')) {
        problem(lineNo, column + ": \"" + value + "\" starts or ends with a blank, which the program does not read back");
      } else if (MBWidth(value) > widths[j]) {
        problem(lineNo, column + ": \"" + value + "\" is " + std::to_string(MBWidth(value)) +
                            " bytes wide in Shift-JIS; the column holds " + std::to_string(widths[j]));
      }
    }
    cells.resize(widths.size());
    rows.push_back(std::move(cells));
    rowLines.push_back(lineNo);
  }
  if (widths.empty()) problem(0, "no #widths line");
  else if (rows.empty()) problem(0, "no rows (a table file has 1 to 999)");
  else if (rows.size() > static_cast<std::size_t>(kMaxTableRows))
    problem(rowLines[kMaxTableRows], std::to_string(rows.size()) + " rows; a table file has at most 999");
  if (problems.size() > before) return false;

  DT_RowCount = static_cast<int32_t>(rows.size());
  DT_ColCount = static_cast<int32_t>(widths.size());
  for (std::size_t j = 1; j <= widths.size(); ++j) DT_ColWidth[j] = widths[j - 1];
  for (std::size_t i = 1; i <= rows.size(); ++i) {
    DT_Cell[i] = {};
    for (std::size_t j = 1; j <= widths.size(); ++j) DT_Cell[i][j] = rows[i - 1][j - 1];
    DT_Name[i] = DT_Cell[i][1];
  }

  // DataSave reports through the message face; here every message is a fault.
  HeadlessFace quiet;
  MessageFace* previous = &Face();
  SetMessageFace(&quiet);
  const bool saved = DataSave(scratch);
  SetMessageFace(previous);
  std::string said = quiet.AllStatusText();
  for (const auto& box : quiet.boxes) said += box.text + "\n";
  if (!saved || !said.empty()) {
    problem(0, "the table writer refused it: " + said);
    fs::RemoveFile(scratch);
    return false;
  }
  std::string error;
  const bool read = fs::ReadWhole(scratch, out, &error);
  fs::RemoveFile(scratch);
  if (!read) {
    problem(0, "the written table could not be read back: " + error);
    return false;
  }
  return true;
}

bool ConvertText(std::string_view source, const std::string& file, std::string& out, std::vector<Problem>& problems) {
  const std::size_t before = problems.size();
  std::vector<std::string> lines;
  if (!SourceLines(source, file, lines, problems)) return false;
  for (std::size_t n = 0; n < lines.size(); ++n)
    if (std::string fault = TextFault(lines[n]); !fault.empty())
      problems.push_back({file, static_cast<int>(n) + 1, fault});
  if (problems.size() > before) return false;
  out.clear();
  if (!EncodeTextLines(lines, out)) {
    problems.push_back({file, 0, "cannot be written as Shift-JIS (CP932)"});
    return false;
  }
  return true;
}

bool ConvertSayings(std::string_view source, const std::string& file, std::string& out,
                    std::vector<Problem>& problems) {
  const std::size_t before = problems.size();
  std::vector<std::string> lines;
  if (!SourceLines(source, file, lines, problems)) return false;
  out.clear();
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const int lineNo = static_cast<int>(n) + 1;
    std::string bytes;
    std::string fault = TextFault(lines[n]);
    if (fault.empty() && lines[n].find('\t') != std::string::npos) fault = "TAB in a saying";
    if (lines[n].empty()) {
      problems.push_back({file, lineNo, "empty saying"});
    } else if (!fault.empty()) {
      problems.push_back({file, lineNo, fault});
    } else if (!ToCp932(lines[n], bytes) || bytes.size() > static_cast<std::size_t>(kSayingBytes)) {
      problems.push_back({file, lineNo, "\"" + lines[n] + "\" is " + std::to_string(MBWidth(lines[n])) +
                                            " bytes wide in Shift-JIS; a saying holds " + std::to_string(kSayingBytes)});
    } else {
      out += static_cast<char>(bytes.size());
      out += bytes;
      out.append(static_cast<std::size_t>(kSayingBytes) - bytes.size(), ' ');
    }
  }
  if (lines.empty()) problems.push_back({file, 0, "no sayings"});
  return problems.size() == before;
}

int Run(const Options& options, std::ostream& log) {
  if (options.outputRoot.empty() || options.sourceRoots.empty()) {
    log << "kondra-datagen: an output folder and at least one source folder are needed\n";
    return 2;
  }
  const std::string output = ProgramFolderOf(options.outputRoot);
  std::vector<Source> sources;
  for (const std::string& root : options.sourceRoots) {
    const std::string folder = ProgramFolderOf(root);
    if (!fs::IsDir(folder)) {
      log << root << ": error: no such source folder\n";
      return 2;
    }
    std::string native = root;
    while (native.size() > 1 && native.back() == '/') native.pop_back();
    Walk(folder, native, "", sources);
  }

  // A scratch folder for the table writer, outside the tree being built.
  std::string pattern = (std::filesystem::temp_directory_path() / "kondra-datagen-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    log << "kondra-datagen: cannot create a scratch folder in " << std::filesystem::temp_directory_path() << "\n";
    return 1;
  }
  const ScratchFolder scratchFolder{pattern};
  const std::string scratch = fs::FromNative(pattern) + "\\table.tmp";

  std::vector<Problem> problems;
  std::vector<Built> built;
  std::map<std::string, std::string> claimed;  // output in ASCII upper case -> source
  for (const Source& source : sources) {
    std::string bytes, error;
    if (!fs::ReadWhole(source.path, bytes, &error)) {
      problems.push_back({source.native, 0, error});
      continue;
    }
    Built file{source.rel, {}, source.native};
    const Kind* kind = nullptr;
    for (const Kind& k : kKinds)
      if (EndsWith(source.rel, k.suffix) && source.rel.size() > std::string_view(k.suffix).size()) kind = &k;
    if (kind) {
      file.rel.resize(file.rel.size() - std::string_view(kind->suffix).size());
      if (!kind->convert(bytes, source.native, scratch, file.bytes, problems)) continue;
    } else {
      file.bytes = std::move(bytes);
    }
    auto [at, fresh] = claimed.emplace(UpperAscii(file.rel), source.native);
    if (!fresh) {
      problems.push_back({source.native, 0, "makes " + file.rel + ", which " + at->second + " makes too"});
      continue;
    }
    built.push_back(std::move(file));
  }
  if (!problems.empty()) {
    for (const Problem& p : problems) log << Describe(p) << "\n";
    log << "kondra-datagen: " << problems.size() << " fault(s); nothing was written\n";
    return 1;
  }

  const std::map<std::string, std::string> previous = ReadManifest(options.manifest);
  std::string error;
  for (const std::string& folder : options.folders) {
    if (!fs::MakeFolders(output + Replaced(folder, '/', '\\'), &error)) {
      log << options.outputRoot << "/" << folder << ": error: " << error << "\n";
      return 1;
    }
  }
  int written = 0, kept = 0;
  std::string manifest = "# kondra-datagen: fingerprints of the files it generated last\n";
  for (const Built& file : built) {
    const std::string target = output + Replaced(file.rel, '/', '\\');
    const std::string print = Fingerprint(file.bytes);
    manifest += print + "\t" + file.rel + "\n";
    std::string current;
    const bool present = fs::IsFile(target);
    auto last = previous.find(file.rel);
    if (present && last != previous.end() && last->second == print) {
      ++kept;  // the source is as before: the installation's own edits stay
      continue;
    }
    if (present && fs::ReadWhole(target, current) && current == file.bytes) {
      ++kept;
      continue;
    }
    const std::size_t cut = target.rfind('\\');
    if (!fs::MakeFolders(target.substr(0, cut), &error) || !fs::WriteWhole(target, file.bytes, &error)) {
      log << fs::ToNative(target) << ": error: " << error << "\n";
      return 1;
    }
    ++written;
  }
  if (!options.manifest.empty()) {
    if (!options.depfile.empty()) {
      std::string deps = MakeEscaped(std::filesystem::absolute(options.manifest).lexically_normal().string()) + ":";
      for (const Source& source : sources)
        deps += " \\\n  " + MakeEscaped(std::filesystem::absolute(source.native).lexically_normal().string());
      deps += "\n";
      if (!fs::WriteWhole(fs::FromNative(std::filesystem::absolute(options.depfile).string()), deps, &error)) {
        log << options.depfile << ": error: " << error << "\n";
        return 1;
      }
    }
    if (!fs::WriteWhole(fs::FromNative(std::filesystem::absolute(options.manifest).string()), manifest, &error)) {
      log << options.manifest << ": error: " << error << "\n";
      return 1;
    }
  }
  log << "kondra-datagen: " << built.size() << " files in " << options.outputRoot << " (" << written << " written, "
      << kept << " unchanged)\n";
  return 0;
}

}  // namespace kondra::datagen
