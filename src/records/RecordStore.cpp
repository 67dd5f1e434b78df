#include "records/RecordStore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "records/RecordTypes.h"
#include "records/TextLines.h"

namespace kondra {

bool SLDT_Found = false;
std::string SLDT_Line;
std::array<int32_t, 13> SLDT_Decimals{};
RecordStore SavedCopy;

namespace {

// A record file of a calculation is a few kilobytes; anything near this is
// not one.
constexpr int64_t kMaxRecordFileBytes = 16 * 1024 * 1024;
constexpr const char* kHeaderMark = "---<<<";

// Label text and type code of the last find, for label 0 and empty keys.
std::string g_lastLabel;
std::string g_lastCode;
TSLDTHead g_otherHead;

std::string Bracketed(std::string_view code) {
  if (code.empty() || code.front() == '<') return std::string(code);
  return "<" + std::string(code) + ">";
}

std::string Unbracketed(std::string_view code) {
  if (!code.empty() && code.front() == '<') code.remove_prefix(1);
  if (!code.empty() && code.back() == '>') code.remove_suffix(1);
  return std::string(code);
}

bool LabelWritable(int32_t label) {
  if (label <= 999) {
    StatusMsg("ラベル番号が1000未満は保存できません。(Write_SLDT)");
    SLDT_Found = false;
    return false;
  }
  if (label > 999999) {
    StatusMsg("ラベル番号が999999を超えると保存できません。(Write_SLDT)");
    SLDT_Found = false;
    return false;
  }
  return true;
}

// A text field as written: control characters blanked, cut to the width
// without splitting a character; the scratch field keeps the cut text.
std::string TextField(std::string& field, int width) {
  field = CutMB(BlankControls(field), width);
  return PadRight(field, width);
}

// "%.<decimals>f" rounded half away from zero; "-" only on a non-zero result.
std::string FixedText(float value, int decimals) {
  static constexpr long double kPow10[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L};
  // Exact: a single has 24 significant bits and 10^9 fits in 30 more.
  long double scaled = static_cast<long double>(value) * kPow10[decimals];
  if (std::fabs(scaled) >= 1e18L) {  // far too wide for any field; written out for the message
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(value));
    return buf;
  }
  auto units = static_cast<int64_t>(std::llroundl(scaled));
  bool negative = units < 0;
  std::string digits = std::to_string(negative ? -units : units);
  if (decimals > 0) {
    if (digits.size() <= static_cast<std::size_t>(decimals))
      digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
  }
  return negative ? "-" + digits : digits;
}

// Decimal places per float field from a decimals text: at most 12
// characters, extended with "-", the first `fields` bytes; a digit gives
// its value, anything else 0.
std::array<int, 13> DecimalPlaces(std::string_view text, int fields) {
  std::string padded = LeftMB(CutMB(text, 12) + "------------", fields);
  std::array<int, 13> places{};
  int pos = 1;
  for (std::size_t i = 0; i < padded.size() && pos <= fields;) {
    int len = Utf8SeqLen(static_cast<unsigned char>(padded[i]));
    int width = CharWidthAt(padded, i);
    for (int w = 0; w < width && pos <= fields; ++w)
      places[static_cast<std::size_t>(pos++)] = (len == 1 && padded[i] >= '0' && padded[i] <= '9') ? padded[i] - '0' : 0;
    i += static_cast<std::size_t>(len);
  }
  return places;
}

// Collects the payload of a writer; the first value that does not fit its
// field stops the write.
class Payload {
 public:
  Payload(int32_t label, std::string code) : label_(label), code_(std::move(code)) {}

  void Text(std::string& field, int width) { text_ += TextField(field, width); }
  void Int(int32_t value, int width) { Put(std::to_string(value), width); }
  void Float(float value, int decimals, int width) {
    if (!std::isfinite(value)) {
      Refuse("の値が数値ではありません。");
      return;
    }
    Put(FixedText(value, decimals), width);
  }
  bool ok() const { return ok_; }
  const std::string& text() const { return text_; }

 private:
  void Put(const std::string& value, int width) {
    if (!ok_) return;
    if (static_cast<int>(value.size()) > width) {
      Refuse("の値 " + value + " は" + std::to_string(width) + "桁の欄に入りません。");
      return;
    }
    text_ += PadLeft(value, width);
  }
  void Refuse(const std::string& what) {
    if (!ok_) return;
    ok_ = false;
    StatusMsg(LabelText(label_) + Bracketed(code_) + what + "書き込みを中止しました。(Write_" + code_ + ")");
  }

  int32_t label_;
  std::string code_;
  std::string text_;
  bool ok_ = true;
};

int32_t BeginWrite(RecordStore& store, int32_t label, const std::string& code, TSLDTHead& head) {
  if (!LabelWritable(label)) return -1;
  int32_t index = Find_SLDT(store, label, code);
  if (!SLDT_Found) {
    store.lines.emplace_back();
    index = static_cast<int32_t>(store.lines.size() - 1);
  }
  head.Label = LabelText(label);
  head.TypeCode = code;
  SLDT_Line = PadRight(head.Label, 6) + PadRight(head.TypeCode, 6);
  for (std::size_t k = 1; k <= 3; ++k) SLDT_Line += TextField(head.HeadText[k], 4);
  return index;
}

void FinishWrite(RecordStore& store, int32_t index, const std::string& payload) {
  SLDT_Line = PadRight(SLDT_Line + payload, kRecordWidth);
  store.lines[static_cast<std::size_t>(index)] = SLDT_Line;
}

bool IsHeader(const std::string& line) { return line.rfind(kHeaderMark, 0) == 0; }

std::string NowStampText(std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::string HeaderOf(const std::string& text) { return LeftMB(BlankControls(text) + std::string(80, ' '), kRecordWidth); }

}  // namespace

std::string LabelText(int32_t label) {
  char buf[32];
  if (label >= 1000 && label <= 9999)
    std::snprintf(buf, sizeof buf, "№%4d", static_cast<int>(label));
  else
    std::snprintf(buf, sizeof buf, "%.6d", static_cast<int>(label));
  return buf;
}

int32_t Find_SLDT(const RecordStore& store, int32_t label, std::string_view typeCode) {
  std::string code = Bracketed(typeCode);
  if (label >= 1 && label <= 999) {
    SLDT_Found = static_cast<std::size_t>(label) < store.lines.size();
    return SLDT_Found ? label : 0;
  }
  if (label != 0) g_lastLabel = LabelText(label);
  g_lastCode = code;
  return FindLine_SLDT(store, g_lastLabel + code);
}

int32_t FindLine_SLDT(const RecordStore& store, std::string_view key) {
  std::string k = key.empty() ? g_lastLabel + g_lastCode : std::string(key);
  SLDT_Found = false;
  if (k.empty()) return 0;
  for (std::size_t i = 0; i < store.lines.size(); ++i) {
    if (store.lines[i].find(k) != std::string::npos) {
      SLDT_Found = true;
      return static_cast<int32_t>(i);
    }
  }
  return 0;
}

bool Exists_SLDT(const RecordStore& store, std::string_view key) {
  FindLine_SLDT(store, key);
  return SLDT_Found;
}

int32_t Write_SLDT(RecordStore& store, int32_t label, std::string_view typeCode) {
  TSLDTHead* head = records_detail::ScratchHead(Unbracketed(typeCode));
  return BeginWrite(store, label, Bracketed(typeCode), head ? *head : g_otherHead);
}

bool Write_SS1(RecordStore& store, int32_t label) {
  if (!LabelWritable(label)) return false;
  Payload p(label, "SS1");
  p.Text(SLDT_SS1.Text, 60);
  int32_t index = BeginWrite(store, label, "<SS1>", SLDT_SS1);
  FinishWrite(store, index, p.text());
  return true;
}

bool Write_NS2(RecordStore& store, int32_t label) {
  if (!LabelWritable(label)) return false;
  Payload p(label, "NS2");
  for (std::size_t k = 1; k <= 2; ++k) {
    p.Int(SLDT_NS2.Number[k], 3);
    p.Text(SLDT_NS2.Name[k], 29);
  }
  if (!p.ok()) return false;
  int32_t index = BeginWrite(store, label, "<NS2>", SLDT_NS2);
  FinishWrite(store, index, p.text());
  return true;
}

bool Write_VV8(RecordStore& store, int32_t label, std::string_view decimals) {
  if (!LabelWritable(label)) return false;
  std::array<int, 13> places = DecimalPlaces(decimals, 8);
  Payload p(label, "VV8");
  for (std::size_t k = 1; k <= 8; ++k) p.Float(SLDT_VV8.Value[k], places[k], 8);
  if (!p.ok()) return false;
  int32_t index = BeginWrite(store, label, "<VV8>", SLDT_VV8);
  for (std::size_t k = 1; k <= 8; ++k) SLDT_Decimals[k] = places[k];
  FinishWrite(store, index, p.text());
  return true;
}

bool Write_NSV5(RecordStore& store, int32_t label, std::string_view decimals) {
  if (!LabelWritable(label)) return false;
  std::array<int, 13> places = DecimalPlaces(decimals, 5);
  Payload p(label, "NSV5");
  p.Int(SLDT_NSV5.Number, 3);
  p.Text(SLDT_NSV5.Name, 20);
  for (std::size_t k = 1; k <= 5; ++k) p.Float(SLDT_NSV5.Value[k], places[k], 8);
  if (!p.ok()) return false;
  int32_t index = BeginWrite(store, label, "<NSV5>", SLDT_NSV5);
  for (std::size_t k = 1; k <= 5; ++k) SLDT_Decimals[k] = places[k];
  FinishWrite(store, index, p.text());
  return true;
}

int Delete_SLDT(RecordStore& store, std::string_view text) {
  if (TrimBoth(text).empty()) return 0;
  return static_cast<int>(std::erase_if(store.lines, [&](const std::string& line) {
    return line.find(text) != std::string::npos;
  }));
}

void Pad_SLDT(RecordStore& store) {
  for (std::string& line : store.lines) line = PadRight(line, kRecordWidth);
}

void SortRecords(RecordStore& store) {
  Pad_SLDT(store);
  struct Keyed {
    bool header;
    std::string key;
    std::string line;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(store.lines.size());
  for (std::string& line : store.lines) {
    std::string upper = UpperAscii(line);
    std::string key;
    if (!ToCp932(upper, key)) key = upper;
    keyed.push_back({IsHeader(line), std::move(key), std::move(line)});
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.header != b.header) return a.header;
    return a.key < b.key;
  });
  store.lines.clear();
  for (Keyed& k : keyed) store.lines.push_back(std::move(k.line));
}

std::string HeaderLine(std::time_t when) {
  return HeaderOf(std::string("---<<< ") + kProgramName + " Input Data >>>--- " + NowStampText(when));
}

void New_SLDT(std::string_view pathOrTitle, RecordStore& store) {
  store.lines.clear();
  std::string status;
  if (Contains(":\\", pathOrTitle)) {
    SplitPath(std::string(pathOrTitle));
    status = CurName;
    store.lines.push_back(HeaderLine(std::time(nullptr)));
  } else {
    store.lines.push_back(HeaderOf(std::string(pathOrTitle)));
  }
  SavedCopy = store;
  DataModified = false;
  StatusFileName = status;
}

bool ParseRecordFile(std::string_view bytes, RecordStore& store, std::string* reason) {
  return DecodeTextLines(bytes, store.lines, reason);
}

bool RecordFileBytes(const RecordStore& store, std::string& bytes, std::string* problem) {
  std::size_t badLine = 0;
  std::string bad;
  if (EncodeTextLines(store.lines, bytes, &badLine, &bad)) return true;
  if (problem) {
    std::string where = TrimRight(SliceMB(store.lines[badLine], 0, 12));
    if (where.empty() || IsHeader(store.lines[badLine])) where = std::to_string(badLine + 1) + "行目";
    *problem = "「" + bad + "」（" + where + "）はShift-JISで保存できない文字です。";
  }
  return false;
}

bool Load_SLDT(std::string_view path, RecordStore& store) {
  const std::string file(path);
  if (!fs::Exists(file) || fs::IsDir(file)) {
    MsgBox(file + CR + CR + "読込むファイル名が見つかりません。", 3, 1);
    store.lines.clear();
    return false;
  }
  SplitPath(file);
  const std::string fileName = CurFileName;
  auto refuse = [&](const std::string& reason) {
    store.lines.clear();
    MsgBox("<" + file + ">" + CR + CR + reason + "（読込み中止）", 3, 1);
    return false;
  };
  if (std::optional<int64_t> size = fs::FileSize(file); size && *size > kMaxRecordFileBytes)
    return refuse("ファイルが大きすぎます（" + std::to_string(*size) + "バイト）。計算ファイルではありません。");
  std::string bytes, error;
  if (!fs::ReadWhole(file, bytes, &error, kMaxRecordFileBytes)) {
    store.lines.clear();
    ReportException("<" + file + ">" + error + "。");
    return false;
  }
  std::string reason;
  if (!ParseRecordFile(bytes, store, &reason)) return refuse(reason + "。");
  SavedCopy = store;
  DataModified = false;
  StatusFileName = fileName;
  return true;
}

bool Save_SLDT(std::string_view path, RecordStore& store) {
  const std::string file(path);
  if (file.size() <= 1 || file[1] != ':' || fs::DriveKindOf(file[0]) != fs::DriveKind::Fixed) {
    MsgBox(file + CR + CR + "保存するファイル名が正しくありません。", 3, 1);
    return false;
  }
  SplitPath(file);
  const std::string fileName = CurFileName;
  const std::string folder = CurDir;
  if (!fs::Exists(file) && !EnsureFolder(folder, false)) {
    MsgBox("保存用のディレクトリが作成できませんでした。（保存中止）", 3, 1);
    return false;
  }
  RecordStore sorted = store;
  SortRecords(sorted);
  std::string bytes, problem;
  if (!RecordFileBytes(sorted, bytes, &problem)) {
    MsgBox("<" + file + ">" + CR + CR + problem + "（保存中止）", 3, 1);
    return false;
  }
  store = std::move(sorted);
  std::string error;
  if (!fs::WriteWhole(file, bytes, &error)) {
    ReportException("<" + file + ">" + error + "。");
    return false;
  }
  SavedCopy = store;
  DataModified = false;
  StatusFileName = fileName;
  return true;
}

}  // namespace kondra
