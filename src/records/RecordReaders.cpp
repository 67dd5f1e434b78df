// The reader family: one column layout per type code, applied to a line
// found in the store and stored into the type's scratch record.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

#include "env/Cp932.h"
#include "env/Text.h"
#include "records/RecordStore.h"
#include "records/RecordTypes.h"

namespace kondra {

TSLDT_SS1 SLDT_SS1;
TSLDT_VV8 SLDT_VV8;
TSLDT_NS2 SLDT_NS2;
TSLDT_NSV5 SLDT_NSV5;
TSLDT_AA0 SLDT_AA0;
TSLDT_SS0 SLDT_SS0;
TSLDT_AA1 SLDT_AA1;
TSLDT_AA2 SLDT_AA2;
TSLDT_SS2 SLDT_SS2;
TSLDT_AA3 SLDT_AA3;
TSLDT_SS3 SLDT_SS3;
TSLDT_AA4 SLDT_AA4;
TSLDT_SS4 SLDT_SS4;
TSLDT_SS8 SLDT_SS8;
TSLDT_SS16 SLDT_SS16;
TSLDT_SS20 SLDT_SS20;
TSLDT_SS24 SLDT_SS24;
TSLDT_SS64 SLDT_SS64;
TSLDT_NN8 SLDT_NN8;
TSLDT_MM8 SLDT_MM8;
TSLDT_NN10 SLDT_NN10;
TSLDT_MM10 SLDT_MM10;
TSLDT_NN12 SLDT_NN12;
TSLDT_MM12 SLDT_MM12;
TSLDT_PX12 SLDT_PX12;
TSLDT_PY12 SLDT_PY12;
TSLDT_NN13 SLDT_NN13;
TSLDT_NN16 SLDT_NN16;
TSLDT_MM16 SLDT_MM16;
TSLDT_NN20 SLDT_NN20;
TSLDT_MM20 SLDT_MM20;
TSLDT_NN24 SLDT_NN24;
TSLDT_NN32 SLDT_NN32;
TSLDT_HH12 SLDT_HH12;
TSLDT_HH24 SLDT_HH24;
TSLDT_HH32 SLDT_HH32;
TSLDT_VV6 SLDT_VV6;
TSLDT_WW8 SLDT_WW8;
TSLDT_VV9 SLDT_VV9;
TSLDT_VV10 SLDT_VV10;
TSLDT_WW10 SLDT_WW10;
TSLDT_VV12 SLDT_VV12;
TSLDT_NV4 SLDT_NV4;
TSLDT_NV8 SLDT_NV8;
TSLDT_NS1 SLDT_NS1;
TSLDT_NS3 SLDT_NS3;
TSLDT_NS4 SLDT_NS4;
TSLDT_NS6 SLDT_NS6;
TSLDT_NS8 SLDT_NS8;
TSLDT_NSS1 SLDT_NSS1;
TSLDT_NSN4 SLDT_NSN4;
TSLDT_NSN8 SLDT_NSN8;
TSLDT_NSV3 SLDT_NSV3;
TSLDT_NSV4 SLDT_NSV4;
TSLDT_NSV6 SLDT_NSV6;
TSLDT_N8S4 SLDT_N8S4;
TSLDT_N4S2 SLDT_N4S2;
TSLDT_N4S4 SLDT_N4S4;
TSLDT_V4S2 SLDT_V4S2;
TSLDT_V4S4 SLDT_V4S4;
TSLDT_XYV4 SLDT_XYV4;
TSLDT_CADA SLDT_CADA;
TSLDT_CADB SLDT_CADB;
TSLDT_CHDA SLDT_CHDA;
TSLDT_CHDB SLDT_CHDB;
TSLDT_CHDC SLDT_CHDC;
TSLDT_DT8 SLDT_DT8;
TSLDT_ZAI3 SLDT_ZAI3;
TSLDT_YMD9 SLDT_YMD9;
TSLDT_MONY SLDT_MONY;
TSLDT_MON1 SLDT_MON1;
TSLDT_MON2 SLDT_MON2;
TSLDT_MON3 SLDT_MON3;
TSLDT_MON4 SLDT_MON4;
TSLDT_ADN1 SLDT_ADN1;
TSLDT_ADN2 SLDT_ADN2;
TSLDT_ADN3 SLDT_ADN3;
TSLDT_ADN4 SLDT_ADN4;
TSLDT_ADR1 SLDT_ADR1;
TSLDT_ADR2 SLDT_ADR2;
TSLDT_ADR3 SLDT_ADR3;
TSLDT_ADR4 SLDT_ADR4;
TSLDT_KSA1 SLDT_KSA1;
TSLDT_KSA2 SLDT_KSA2;
TSLDT_KSA3 SLDT_KSA3;
TSLDT_KSA4 SLDT_KSA4;
TSLDT_KSA5 SLDT_KSA5;
TSLDT_KSA6 SLDT_KSA6;
TSLDT_KSA7 SLDT_KSA7;
TSLDT_KSA8 SLDT_KSA8;
TSLDT_KSA9 SLDT_KSA9;

namespace {

// How the bytes of a field become a value.
enum class Kind : uint8_t {
  Text,      // trailing blanks removed
  Char,      // one byte, blanks kept
  TextDec,   // text, and its decimal count
  Int,       // 32-bit integer
  Byte,      // integer limited to 0..255
  Hex2,      // hexadecimal byte
  Hex5,      // hexadecimal, kept as text too
  Float,     // single
  FloatDec,  // single, and its decimal count
  IntFloat,  // integer stored as a single
  Big,       // 64-bit integer
  BigDec,    // 64-bit integer, and its decimal count
};

struct Field {
  Kind kind;
  int col;    // 1-based first byte
  int width;  // bytes
  std::size_t index;  // 1-based slot in the array of its kind
};
using Layout = std::vector<Field>;

class Builder {
 public:
  // `count` fields of `width` bytes from column `col`, each `step` bytes
  // after the previous one (default: packed).
  Builder& Add(Kind kind, int col, int width, int count = 1, int step = 0) {
    if (step == 0) step = width;
    for (int k = 0; k < count; ++k) fields_.push_back({kind, col + k * step, width, NextIndex(kind)});
    return *this;
  }
  Layout Done() { return fields_; }

 private:
  std::size_t NextIndex(Kind kind) {
    switch (kind) {
      case Kind::Text:
      case Kind::Char:
      case Kind::TextDec:
        return ++text_;
      case Kind::Int:
      case Kind::Byte:
      case Kind::Hex2:
        return ++number_;
      case Kind::Hex5:
        ++number_;
        return ++text_;
      case Kind::Float:
      case Kind::FloatDec:
      case Kind::IntFloat:
        return ++value_;
      case Kind::Big:
      case Kind::BigDec:
        return ++big_;
    }
    return 0;
  }
  Layout fields_;
  std::size_t text_ = 0, number_ = 0, value_ = 0, big_ = 0;
};

using LayoutMap = std::map<std::string, Layout, std::less<>>;

LayoutMap BuildLayouts() {
  using K = Kind;
  LayoutMap m;
  auto same = [&m](std::initializer_list<const char*> codes, const Layout& layout) {
    for (const char* c : codes) m[c] = layout;
  };
  same({"AA0", "SS0"}, Builder().Add(K::Text, 25, 64).Done());
  same({"AA1", "SS1"}, Builder().Add(K::Text, 25, 60).Done());
  same({"AA2", "SS2"}, Builder().Add(K::Text, 25, 30, 2).Done());
  same({"AA3", "SS3"}, Builder().Add(K::Text, 25, 20, 3).Done());
  same({"AA4", "SS4"}, Builder().Add(K::Text, 25, 16, 4).Done());
  m["SS8"] = Builder().Add(K::Text, 25, 8, 8).Done();
  m["SS16"] = Builder().Add(K::Text, 25, 4, 16).Done();
  m["SS20"] = Builder().Add(K::Text, 25, 3, 20).Done();
  m["SS24"] = Builder().Add(K::Text, 25, 2, 24).Add(K::Text, 73, 16).Done();
  m["SS64"] = Builder().Add(K::Char, 25, 1, 64).Done();
  same({"NN8", "MM8"}, Builder().Add(K::Int, 25, 8, 8).Done());
  same({"NN10", "MM10"}, Builder().Add(K::Int, 25, 6, 10).Done());
  same({"NN12", "MM12", "PX12", "PY12"}, Builder().Add(K::Int, 25, 5, 12).Done());
  m["NN13"] = Builder().Add(K::Int, 25, 4, 13).Add(K::Text, 77, 12).Done();
  same({"NN16", "MM16"}, Builder().Add(K::Int, 25, 4, 16).Done());
  same({"NN20", "MM20"}, Builder().Add(K::Int, 25, 3, 20).Done());
  m["NN24"] = Builder().Add(K::Int, 25, 2, 24).Add(K::Text, 73, 16).Done();
  m["NN32"] = Builder().Add(K::Int, 25, 2, 32).Done();
  m["HH12"] = Builder().Add(K::Hex5, 25, 5, 12).Done();
  m["HH24"] = Builder().Add(K::Hex2, 25, 2, 24).Add(K::Text, 73, 16).Done();
  m["HH32"] = Builder().Add(K::Hex2, 25, 2, 32).Done();
  m["VV6"] = Builder().Add(K::FloatDec, 25, 10, 6).Done();
  same({"VV8", "WW8"}, Builder().Add(K::FloatDec, 25, 8, 8).Done());
  m["VV9"] = Builder().Add(K::FloatDec, 25, 7, 9).Done();
  same({"VV10", "WW10"}, Builder().Add(K::FloatDec, 25, 6, 10).Done());
  m["VV12"] = Builder().Add(K::FloatDec, 25, 5, 12).Done();
  m["NV4"] = Builder().Add(K::Int, 25, 6, 4).Add(K::FloatDec, 49, 10, 4).Done();
  m["NV8"] = Builder().Add(K::Int, 25, 3, 8).Add(K::FloatDec, 49, 5, 8).Done();
  m["NS1"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 60).Done();
  // n pairs of a 3-byte number and a name of `width` bytes.
  auto pairs = [](int n, int width) {
    Builder b;
    for (int k = 0; k < n; ++k) b.Add(K::Int, 25 + k * (3 + width), 3).Add(K::Text, 28 + k * (3 + width), width);
    return b.Done();
  };
  m["NS2"] = pairs(2, 29);
  m["NS3"] = pairs(3, 18);
  m["NS4"] = pairs(4, 12);
  m["NS6"] = pairs(6, 6);
  m["NS8"] = pairs(8, 4);
  m["NSS1"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 29).Add(K::Text, 57, 30).Done();
  m["NSN4"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 29).Add(K::Int, 57, 8, 4).Done();
  m["NSN8"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 29).Add(K::Int, 57, 4, 8).Done();
  m["NSV3"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 30).Add(K::FloatDec, 58, 8, 3).Done();
  m["NSV4"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 29).Add(K::FloatDec, 57, 8, 4).Done();
  m["NSV5"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 20).Add(K::FloatDec, 48, 8, 5).Done();
  m["NSV6"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 12).Add(K::FloatDec, 40, 8, 6).Done();
  m["N8S4"] = Builder().Add(K::Int, 25, 4, 8).Add(K::Text, 57, 8, 4).Done();
  m["N4S2"] = Builder().Add(K::Int, 25, 8, 4).Add(K::Text, 57, 16, 2).Done();
  m["N4S4"] = Builder().Add(K::Int, 25, 8, 4).Add(K::Text, 57, 8, 4).Done();
  m["V4S2"] = Builder().Add(K::Float, 25, 8, 4).Add(K::Text, 57, 16, 2).Done();
  m["V4S4"] = Builder().Add(K::Float, 25, 8, 4).Add(K::Text, 57, 8, 4).Done();
  {
    Builder b;
    for (int k = 0; k < 4; ++k)
      b.Add(K::Int, 25 + 16 * k, 4).Add(K::Int, 29 + 16 * k, 4).Add(K::Float, 33 + 16 * k, 8);
    m["XYV4"] = b.Done();
  }
  m["CADA"] = Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 20).Add(K::Int, 48, 3, 13).Done();
  m["CADB"] = Builder()
                  .Add(K::Int, 25, 3)
                  .Add(K::Text, 28, 20)
                  .Add(K::Int, 48, 3)
                  .Add(K::Text, 51, 20)
                  .Add(K::Float, 71, 8, 2)
                  .Done();
  m["CHDA"] = Builder()
                  .Add(K::Text, 25, 20)
                  .Add(K::Text, 45, 12)
                  .Add(K::Text, 57, 9, 2)
                  .Add(K::Text, 75, 7)
                  .Add(K::Text, 82, 7)
                  .Done();
  m["CHDB"] = Builder()
                  .Add(K::Text, 25, 6, 5, 7)
                  .Add(K::Text, 60, 1, 8)
                  .Add(K::Byte, 68, 4)
                  .Add(K::Text, 72, 7)
                  .Add(K::Byte, 79, 3)
                  .Add(K::Text, 82, 3)
                  .Add(K::Text, 85, 3)
                  .Done();
  m["CHDC"] = Builder().Add(K::Text, 25, 40).Add(K::Text, 65, 4, 6).Done();
  m["DT8"] = Builder().Add(K::Text, 25, 12).Add(K::IntFloat, 37, 6, 8).Done();
  {
    Builder b;
    for (int k = 0; k < 3; ++k) b.Add(K::Text, 25 + 21 * k, 14).Add(K::IntFloat, 39 + 21 * k, 7);
    m["ZAI3"] = b.Done();
  }
  m["YMD9"] = Builder().Add(K::TextDec, 25, 6, 9, 7).Done();
  m["MONY"] = Builder().Add(K::BigDec, 25, 12, 5).Done();
  same({"MON1", "MON2", "MON3", "MON4"},
       Builder().Add(K::Text, 25, 10).Add(K::Text, 35, 36).Add(K::Int, 71, 6).Add(K::Big, 77, 12).Done());
  same({"ADN1", "ADN2", "ADN3", "ADN4"}, Builder().Add(K::Text, 25, 16, 4).Done());
  same({"ADR1", "ADR2", "ADR3", "ADR4"},
       Builder().Add(K::Int, 25, 3).Add(K::Text, 28, 10).Add(K::Text, 38, 50).Done());
  same({"KSA1", "KSA2", "KSA3", "KSA4", "KSA5", "KSA6", "KSA7", "KSA8", "KSA9"},
       Builder()
           .Add(K::Text, 25, 6)
           .Add(K::Text, 31, 30)
           .Add(K::Text, 61, 14)
           .Add(K::Int, 75, 7)
           .Add(K::Int, 82, 7)
           .Done());
  return m;
}

const LayoutMap& Layouts() {
  static const LayoutMap layouts = BuildLayouts();
  return layouts;
}

// A hexadecimal field: leading blanks removed (trailing ones are not, so the
// field is right-aligned), "$" allowed in front, at most `digits` upper-case
// hexadecimal digits; 8 digits need a first digit 0..7. Anything else is 0.
int32_t HexField(std::string_view raw, std::size_t digits) {
  std::string t = TrimLeft(raw);
  if (!t.empty() && t[0] == '$') t.erase(0, 1);
  if (t.empty() || t.size() > digits) return 0;
  uint32_t value = 0;
  for (char c : t) {
    int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
    if (d < 0) return 0;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  if (t.size() == 8 && t[0] > '7') return 0;
  return static_cast<int32_t>(value);
}

// The characters of a record line by byte column, so that each field is cut
// without walking the line again. Same result as SliceMB: a character
// straddling either edge of a field is left out.
class ColumnView {
 public:
  explicit ColumnView(std::string_view line) : line_(line) {
    int col = 0;
    for (std::size_t pos = 0; pos < line.size() && col < kRecordWidth;) {
      std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(Utf8SeqLen(static_cast<unsigned char>(line[pos]))),
                                              line.size() - pos);
      int width = CharWidthAt(line, pos);
      chars_.push_back({col, width, pos, len});
      col += width;
      pos += len;
    }
  }
  // Characters covering bytes [start, start + width) (0-based).
  std::string Slice(int start, int width) const {
    auto it = std::lower_bound(chars_.begin(), chars_.end(), start, [](const Char& c, int s) { return c.col < s; });
    std::string out;
    for (; it != chars_.end() && it->col + it->width <= start + width; ++it) out.append(line_.substr(it->pos, it->len));
    return out;
  }

 private:
  struct Char {
    int col, width;
    std::size_t pos, len;
  };
  std::string_view line_;
  std::vector<Char> chars_;
};

void ReadHead(TSLDTHead& head, const ColumnView& line) {
  head.Label = TrimRight(line.Slice(0, 6));
  head.TypeCode = TrimRight(line.Slice(6, 6));
  for (std::size_t k = 1; k <= 3; ++k) {
    head.HeadText[k] = TrimRight(line.Slice(12 + 4 * static_cast<int>(k - 1), 4));
    head.HeadValue[k] = ClampToInt32(TextToInt(head.HeadText[k]));
  }
}

template <class R>
void Apply(R& rec, const Layout& layout, const ColumnView& line) {
  for (const Field& f : layout) {
    std::string raw = line.Slice(f.col - 1, f.width);
    const std::size_t i = f.index;
    switch (f.kind) {
      case Kind::Text:
        rec.Text.at(i) = TrimRight(raw);
        break;
      case Kind::Char:
        rec.Text.at(i) = PadRight(raw, f.width);
        break;
      case Kind::TextDec:
        rec.Text.at(i) = TrimRight(raw);
        SLDT_Decimals.at(i) = DecimalsOf(raw);
        break;
      case Kind::Int:
        rec.Number.at(i) = ClampToInt32(TextToInt(raw));
        break;
      case Kind::Byte:
        rec.Number.at(i) = static_cast<int32_t>(std::clamp<int64_t>(TextToInt(raw), 0, 255));
        break;
      case Kind::Hex2:
        rec.Number.at(i) = HexField(raw, 2);
        break;
      case Kind::Hex5:
        rec.Text.at(i) = TrimRight(raw);
        rec.Number.at(i) = HexField(raw, 8);
        break;
      case Kind::Float:
        rec.Value.at(i) = TextToSingle(raw);
        break;
      case Kind::FloatDec:
        rec.Value.at(i) = TextToSingle(raw);
        SLDT_Decimals.at(i) = DecimalsOf(raw);
        break;
      case Kind::IntFloat:
        rec.Value.at(i) = static_cast<float>(ClampToInt32(TextToInt(raw)));
        break;
      case Kind::Big:
        rec.Big.at(i) = TextToInt(raw);
        break;
      case Kind::BigDec:
        rec.Big.at(i) = TextToInt(raw);
        SLDT_Decimals.at(i) = DecimalsOf(raw);
        break;
    }
  }
}

// Finds the record of `code`, keeps its line (88 blanks when missing) and
// fills `rec` from it.
template <class R>
bool ReadGeneric(const RecordStore& store, int32_t label, std::string_view code, R& rec) {
  int32_t index = Find_SLDT(store, label, code);
  SLDT_Line = SLDT_Found ? store.lines[static_cast<std::size_t>(index)] : std::string(kRecordWidth, ' ');
  const ColumnView columns(SLDT_Line);
  ReadHead(rec, columns);
  Apply(rec, Layouts().find(code)->second, columns);
  return SLDT_Found;
}

std::string Num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

template <class R>
std::vector<std::string> Payload(const R& rec) {
  std::vector<std::string> out;
  for (std::size_t i = 1; i < rec.Text.size(); ++i) out.push_back(rec.Text[i]);
  for (std::size_t i = 1; i < rec.Number.size(); ++i) out.push_back(std::to_string(rec.Number[i]));
  for (std::size_t i = 1; i < rec.Value.size(); ++i) out.push_back(Num(rec.Value[i]));
  for (std::size_t i = 1; i < rec.Big.size(); ++i) out.push_back(std::to_string(rec.Big[i]));
  return out;
}

struct TypeEntry {
  TSLDTHead* head;
  std::function<bool(const RecordStore&, int32_t)> read;
  std::function<std::vector<std::string>()> payload;
};

template <class R>
std::pair<std::string, TypeEntry> Entry(const char* code, R& rec) {
  return {code, TypeEntry{&rec, [code, &rec](const RecordStore& s, int32_t l) { return ReadGeneric(s, l, code, rec); },
                          [&rec] { return Payload(rec); }}};
}

const std::map<std::string, TypeEntry, std::less<>>& Registry() {
  static const std::map<std::string, TypeEntry, std::less<>> registry = {
      {"SS1", {&SLDT_SS1, Read_SS1, [] { return std::vector<std::string>{SLDT_SS1.Text}; }}},
      {"VV8",
       {&SLDT_VV8, Read_VV8,
        [] {
          std::vector<std::string> out;
          for (std::size_t k = 1; k <= 8; ++k) out.push_back(Num(SLDT_VV8.Value[k]));
          return out;
        }}},
      {"NS2",
       {&SLDT_NS2, Read_NS2,
        [] {
          return std::vector<std::string>{SLDT_NS2.Name[1], SLDT_NS2.Name[2], std::to_string(SLDT_NS2.Number[1]),
                                          std::to_string(SLDT_NS2.Number[2])};
        }}},
      {"NSV5",
       {&SLDT_NSV5, Read_NSV5,
        [] {
          std::vector<std::string> out{SLDT_NSV5.Name, std::to_string(SLDT_NSV5.Number)};
          for (std::size_t k = 1; k <= 5; ++k) out.push_back(Num(SLDT_NSV5.Value[k]));
          return out;
        }}},
      Entry<TSLDT_AA0>("AA0", SLDT_AA0),
      Entry<TSLDT_SS0>("SS0", SLDT_SS0),
      Entry<TSLDT_AA1>("AA1", SLDT_AA1),
      Entry<TSLDT_AA2>("AA2", SLDT_AA2),
      Entry<TSLDT_SS2>("SS2", SLDT_SS2),
      Entry<TSLDT_AA3>("AA3", SLDT_AA3),
      Entry<TSLDT_SS3>("SS3", SLDT_SS3),
      Entry<TSLDT_AA4>("AA4", SLDT_AA4),
      Entry<TSLDT_SS4>("SS4", SLDT_SS4),
      Entry<TSLDT_SS8>("SS8", SLDT_SS8),
      Entry<TSLDT_SS16>("SS16", SLDT_SS16),
      Entry<TSLDT_SS20>("SS20", SLDT_SS20),
      Entry<TSLDT_SS24>("SS24", SLDT_SS24),
      Entry<TSLDT_SS64>("SS64", SLDT_SS64),
      Entry<TSLDT_NN8>("NN8", SLDT_NN8),
      Entry<TSLDT_MM8>("MM8", SLDT_MM8),
      Entry<TSLDT_NN10>("NN10", SLDT_NN10),
      Entry<TSLDT_MM10>("MM10", SLDT_MM10),
      Entry<TSLDT_NN12>("NN12", SLDT_NN12),
      Entry<TSLDT_MM12>("MM12", SLDT_MM12),
      Entry<TSLDT_PX12>("PX12", SLDT_PX12),
      Entry<TSLDT_PY12>("PY12", SLDT_PY12),
      Entry<TSLDT_NN13>("NN13", SLDT_NN13),
      Entry<TSLDT_NN16>("NN16", SLDT_NN16),
      Entry<TSLDT_MM16>("MM16", SLDT_MM16),
      Entry<TSLDT_NN20>("NN20", SLDT_NN20),
      Entry<TSLDT_MM20>("MM20", SLDT_MM20),
      Entry<TSLDT_NN24>("NN24", SLDT_NN24),
      Entry<TSLDT_NN32>("NN32", SLDT_NN32),
      Entry<TSLDT_HH12>("HH12", SLDT_HH12),
      Entry<TSLDT_HH24>("HH24", SLDT_HH24),
      Entry<TSLDT_HH32>("HH32", SLDT_HH32),
      Entry<TSLDT_VV6>("VV6", SLDT_VV6),
      Entry<TSLDT_WW8>("WW8", SLDT_WW8),
      Entry<TSLDT_VV9>("VV9", SLDT_VV9),
      Entry<TSLDT_VV10>("VV10", SLDT_VV10),
      Entry<TSLDT_WW10>("WW10", SLDT_WW10),
      Entry<TSLDT_VV12>("VV12", SLDT_VV12),
      Entry<TSLDT_NV4>("NV4", SLDT_NV4),
      Entry<TSLDT_NV8>("NV8", SLDT_NV8),
      Entry<TSLDT_NS1>("NS1", SLDT_NS1),
      Entry<TSLDT_NS3>("NS3", SLDT_NS3),
      Entry<TSLDT_NS4>("NS4", SLDT_NS4),
      Entry<TSLDT_NS6>("NS6", SLDT_NS6),
      Entry<TSLDT_NS8>("NS8", SLDT_NS8),
      Entry<TSLDT_NSS1>("NSS1", SLDT_NSS1),
      Entry<TSLDT_NSN4>("NSN4", SLDT_NSN4),
      Entry<TSLDT_NSN8>("NSN8", SLDT_NSN8),
      Entry<TSLDT_NSV3>("NSV3", SLDT_NSV3),
      Entry<TSLDT_NSV4>("NSV4", SLDT_NSV4),
      Entry<TSLDT_NSV6>("NSV6", SLDT_NSV6),
      Entry<TSLDT_N8S4>("N8S4", SLDT_N8S4),
      Entry<TSLDT_N4S2>("N4S2", SLDT_N4S2),
      Entry<TSLDT_N4S4>("N4S4", SLDT_N4S4),
      Entry<TSLDT_V4S2>("V4S2", SLDT_V4S2),
      Entry<TSLDT_V4S4>("V4S4", SLDT_V4S4),
      Entry<TSLDT_XYV4>("XYV4", SLDT_XYV4),
      Entry<TSLDT_CADA>("CADA", SLDT_CADA),
      Entry<TSLDT_CADB>("CADB", SLDT_CADB),
      Entry<TSLDT_CHDA>("CHDA", SLDT_CHDA),
      Entry<TSLDT_CHDB>("CHDB", SLDT_CHDB),
      Entry<TSLDT_CHDC>("CHDC", SLDT_CHDC),
      Entry<TSLDT_DT8>("DT8", SLDT_DT8),
      Entry<TSLDT_ZAI3>("ZAI3", SLDT_ZAI3),
      Entry<TSLDT_YMD9>("YMD9", SLDT_YMD9),
      Entry<TSLDT_MONY>("MONY", SLDT_MONY),
      Entry<TSLDT_MON1>("MON1", SLDT_MON1),
      Entry<TSLDT_MON2>("MON2", SLDT_MON2),
      Entry<TSLDT_MON3>("MON3", SLDT_MON3),
      Entry<TSLDT_MON4>("MON4", SLDT_MON4),
      Entry<TSLDT_ADN1>("ADN1", SLDT_ADN1),
      Entry<TSLDT_ADN2>("ADN2", SLDT_ADN2),
      Entry<TSLDT_ADN3>("ADN3", SLDT_ADN3),
      Entry<TSLDT_ADN4>("ADN4", SLDT_ADN4),
      Entry<TSLDT_ADR1>("ADR1", SLDT_ADR1),
      Entry<TSLDT_ADR2>("ADR2", SLDT_ADR2),
      Entry<TSLDT_ADR3>("ADR3", SLDT_ADR3),
      Entry<TSLDT_ADR4>("ADR4", SLDT_ADR4),
      Entry<TSLDT_KSA1>("KSA1", SLDT_KSA1),
      Entry<TSLDT_KSA2>("KSA2", SLDT_KSA2),
      Entry<TSLDT_KSA3>("KSA3", SLDT_KSA3),
      Entry<TSLDT_KSA4>("KSA4", SLDT_KSA4),
      Entry<TSLDT_KSA5>("KSA5", SLDT_KSA5),
      Entry<TSLDT_KSA6>("KSA6", SLDT_KSA6),
      Entry<TSLDT_KSA7>("KSA7", SLDT_KSA7),
      Entry<TSLDT_KSA8>("KSA8", SLDT_KSA8),
      Entry<TSLDT_KSA9>("KSA9", SLDT_KSA9),
  };
  return registry;
}

const std::map<std::string, std::vector<std::string>, std::less<>>& Groups() {
  static const std::map<std::string, std::vector<std::string>, std::less<>> groups = {
      {"MONO", {"MON1", "MON2", "MON3", "MON4"}},
      {"ADNM", {"ADN1", "ADN2", "ADN3", "ADN4"}},
      {"ADRS", {"ADR1", "ADR2", "ADR3", "ADR4"}},
      {"KSAN", {"KSA1", "KSA2", "KSA3", "KSA4", "KSA5", "KSA6", "KSA7", "KSA8", "KSA9"}},
      {"CH", {"CHDA", "CHDB", "CHDC"}},
  };
  return groups;
}

bool ReadGroup(const RecordStore& store, int32_t label, std::string_view group) {
  bool any = false;
  for (const std::string& code : Groups().find(group)->second) any = Read_SLDT(store, label, code) || any;
  SLDT_Found = any;
  return any;
}

}  // namespace

bool Read_SS1(const RecordStore& store, int32_t label) {
  TSLDTRecord<1, 0, 0> r;
  bool found = ReadGeneric(store, label, "SS1", r);
  static_cast<TSLDTHead&>(SLDT_SS1) = r;
  SLDT_SS1.Text = r.Text[1];
  return found;
}

bool Read_VV8(const RecordStore& store, int32_t label) {
  TSLDTRecord<0, 0, 8> r;
  bool found = ReadGeneric(store, label, "VV8", r);
  static_cast<TSLDTHead&>(SLDT_VV8) = r;
  SLDT_VV8.Value = r.Value;
  return found;
}

bool Read_NS2(const RecordStore& store, int32_t label) {
  TSLDTRecord<2, 2, 0> r;
  bool found = ReadGeneric(store, label, "NS2", r);
  static_cast<TSLDTHead&>(SLDT_NS2) = r;
  SLDT_NS2.Number = r.Number;
  SLDT_NS2.Name = r.Text;
  return found;
}

bool Read_NSV5(const RecordStore& store, int32_t label) {
  TSLDTRecord<1, 1, 5> r;
  bool found = ReadGeneric(store, label, "NSV5", r);
  static_cast<TSLDTHead&>(SLDT_NSV5) = r;
  SLDT_NSV5.Number = r.Number[1];
  SLDT_NSV5.Name = r.Text[1];
  SLDT_NSV5.Value = r.Value;
  return found;
}

bool Read_AA0(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "AA0", SLDT_AA0); }
bool Read_SS0(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS0", SLDT_SS0); }
bool Read_AA1(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "AA1", SLDT_AA1); }
bool Read_AA2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "AA2", SLDT_AA2); }
bool Read_SS2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS2", SLDT_SS2); }
bool Read_AA3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "AA3", SLDT_AA3); }
bool Read_SS3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS3", SLDT_SS3); }
bool Read_AA4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "AA4", SLDT_AA4); }
bool Read_SS4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS4", SLDT_SS4); }
bool Read_SS8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS8", SLDT_SS8); }
bool Read_SS16(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS16", SLDT_SS16); }
bool Read_SS20(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS20", SLDT_SS20); }
bool Read_SS24(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS24", SLDT_SS24); }
bool Read_SS64(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "SS64", SLDT_SS64); }
bool Read_NN8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN8", SLDT_NN8); }
bool Read_MM8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MM8", SLDT_MM8); }
bool Read_NN10(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN10", SLDT_NN10); }
bool Read_MM10(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MM10", SLDT_MM10); }
bool Read_NN12(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN12", SLDT_NN12); }
bool Read_MM12(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MM12", SLDT_MM12); }
bool Read_PX12(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "PX12", SLDT_PX12); }
bool Read_PY12(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "PY12", SLDT_PY12); }
bool Read_NN13(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN13", SLDT_NN13); }
bool Read_NN16(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN16", SLDT_NN16); }
bool Read_MM16(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MM16", SLDT_MM16); }
bool Read_NN20(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN20", SLDT_NN20); }
bool Read_MM20(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MM20", SLDT_MM20); }
bool Read_NN24(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN24", SLDT_NN24); }
bool Read_NN32(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NN32", SLDT_NN32); }
bool Read_HH12(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "HH12", SLDT_HH12); }
bool Read_HH24(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "HH24", SLDT_HH24); }
bool Read_HH32(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "HH32", SLDT_HH32); }
bool Read_VV6(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "VV6", SLDT_VV6); }
bool Read_WW8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "WW8", SLDT_WW8); }
bool Read_VV9(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "VV9", SLDT_VV9); }
bool Read_VV10(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "VV10", SLDT_VV10); }
bool Read_WW10(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "WW10", SLDT_WW10); }
bool Read_VV12(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "VV12", SLDT_VV12); }
bool Read_NV4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NV4", SLDT_NV4); }
bool Read_NV8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NV8", SLDT_NV8); }
bool Read_NS1(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NS1", SLDT_NS1); }
bool Read_NS3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NS3", SLDT_NS3); }
bool Read_NS4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NS4", SLDT_NS4); }
bool Read_NS6(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NS6", SLDT_NS6); }
bool Read_NS8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NS8", SLDT_NS8); }
bool Read_NSS1(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NSS1", SLDT_NSS1); }
bool Read_NSN4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NSN4", SLDT_NSN4); }
bool Read_NSN8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NSN8", SLDT_NSN8); }
bool Read_NSV3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NSV3", SLDT_NSV3); }
bool Read_NSV4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NSV4", SLDT_NSV4); }
bool Read_NSV6(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "NSV6", SLDT_NSV6); }
bool Read_N8S4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "N8S4", SLDT_N8S4); }
bool Read_N4S2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "N4S2", SLDT_N4S2); }
bool Read_N4S4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "N4S4", SLDT_N4S4); }
bool Read_V4S2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "V4S2", SLDT_V4S2); }
bool Read_V4S4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "V4S4", SLDT_V4S4); }
bool Read_XYV4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "XYV4", SLDT_XYV4); }
bool Read_CADA(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "CADA", SLDT_CADA); }
bool Read_CADB(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "CADB", SLDT_CADB); }
bool Read_CHDA(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "CHDA", SLDT_CHDA); }
bool Read_CHDB(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "CHDB", SLDT_CHDB); }
bool Read_CHDC(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "CHDC", SLDT_CHDC); }
bool Read_DT8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "DT8", SLDT_DT8); }
bool Read_ZAI3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ZAI3", SLDT_ZAI3); }
bool Read_YMD9(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "YMD9", SLDT_YMD9); }
bool Read_MONY(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MONY", SLDT_MONY); }
bool Read_MON1(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MON1", SLDT_MON1); }
bool Read_MON2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MON2", SLDT_MON2); }
bool Read_MON3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MON3", SLDT_MON3); }
bool Read_MON4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "MON4", SLDT_MON4); }
bool Read_ADN1(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADN1", SLDT_ADN1); }
bool Read_ADN2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADN2", SLDT_ADN2); }
bool Read_ADN3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADN3", SLDT_ADN3); }
bool Read_ADN4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADN4", SLDT_ADN4); }
bool Read_ADR1(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADR1", SLDT_ADR1); }
bool Read_ADR2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADR2", SLDT_ADR2); }
bool Read_ADR3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADR3", SLDT_ADR3); }
bool Read_ADR4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "ADR4", SLDT_ADR4); }
bool Read_KSA1(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA1", SLDT_KSA1); }
bool Read_KSA2(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA2", SLDT_KSA2); }
bool Read_KSA3(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA3", SLDT_KSA3); }
bool Read_KSA4(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA4", SLDT_KSA4); }
bool Read_KSA5(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA5", SLDT_KSA5); }
bool Read_KSA6(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA6", SLDT_KSA6); }
bool Read_KSA7(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA7", SLDT_KSA7); }
bool Read_KSA8(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA8", SLDT_KSA8); }
bool Read_KSA9(const RecordStore& store, int32_t label) { return ReadGeneric(store, label, "KSA9", SLDT_KSA9); }

bool Read_MONO(const RecordStore& store, int32_t label) { return ReadGroup(store, label, "MONO"); }
bool Read_ADNM(const RecordStore& store, int32_t label) { return ReadGroup(store, label, "ADNM"); }
bool Read_ADRS(const RecordStore& store, int32_t label) { return ReadGroup(store, label, "ADRS"); }
bool Read_KSAN(const RecordStore& store, int32_t label) { return ReadGroup(store, label, "KSAN"); }

bool Read_SLDT(const RecordStore& store, int32_t label, std::string_view code) {
  if (code != "CH" && Groups().count(code)) return ReadGroup(store, label, code);
  auto it = Registry().find(code);
  if (it == Registry().end()) return false;
  return it->second.read(store, label);
}

const std::vector<std::string>& ReadableTypeCodes() {
  static const std::vector<std::string> codes = [] {
    std::vector<std::string> out;
    for (const auto& [code, entry] : Registry()) out.push_back(code);
    return out;
  }();
  return codes;
}

std::vector<std::string> ScratchPayload(std::string_view code) {
  auto it = Registry().find(code);
  return it == Registry().end() ? std::vector<std::string>() : it->second.payload();
}

void Clear_SLDT(std::string_view code) {
  static const RecordStore empty;
  std::vector<std::string> members;
  if (code.substr(0, 2) == "CH") {
    members = Groups().find("CH")->second;
  } else if (code == "HR24") {
    members = {"HH24"};
  } else if (auto g = Groups().find(code); g != Groups().end()) {
    members = g->second;
  } else if (Registry().count(code)) {
    members = {std::string(code)};
  }
  for (const std::string& m : members) Registry().find(m)->second.read(empty, 9999);
}

namespace records_detail {

TSLDTHead* ScratchHead(std::string_view code) {
  auto it = Registry().find(code);
  return it == Registry().end() ? nullptr : it->second.head;
}

}  // namespace records_detail
}  // namespace kondra
