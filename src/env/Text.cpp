#include "env/Text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "env/Cp932.h"

namespace kondra {
namespace {

bool IsBlank(unsigned char c) { return c <= ' '; }

std::string WithoutCommas(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ',') out += c;
  return out;
}

// Code points of a character set, with "a..b" ranges expanded.
struct CharSet {
  std::vector<char32_t> singles;
  char32_t lo = 1, hi = 0;  // empty range
  bool Has(char32_t c) const {
    if (c >= lo && c <= hi) return true;
    for (char32_t s : singles)
      if (s == c) return true;
    return false;
  }
};

CharSet ParseSet(std::string_view set) {
  CharSet cs;
  std::size_t dots = set.find("..");
  if (dots != std::string_view::npos && dots > 0 && dots + 2 < set.size()) {
    // The character before ".." and the one after it bound the range.
    std::size_t before = dots - 1;
    while (before > 0 && (static_cast<unsigned char>(set[before]) & 0xC0) == 0x80) --before;
    cs.lo = Utf8At(set, before);
    cs.hi = Utf8At(set, dots + 2);
    return cs;
  }
  for (std::size_t pos = 0; pos < set.size(); pos += Utf8SeqLen(static_cast<unsigned char>(set[pos])))
    cs.singles.push_back(Utf8At(set, pos));
  return cs;
}

template <typename F>
void ForEachCodePoint(std::string_view text, F f) {
  for (std::size_t pos = 0; pos < text.size(); pos += Utf8SeqLen(static_cast<unsigned char>(text[pos])))
    f(Utf8At(text, pos));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string LeftMB(std::string_view text, int n) {
  if (n <= 0) return {};
  int reached = 0;
  std::size_t end = OffsetOfWidth(text, n, &reached);
  std::string out(text.substr(0, end));
  if (end < text.size() && reached < n) out += ' ';
  return out;
}

std::string RightMB(std::string_view text, int n) {
  if (n <= 0) return {};
  // Walk back character by character.
  std::size_t start = text.size();
  int width = 0;
  while (start > 0 && width < n) {
    std::size_t prev = start - 1;
    while (prev > 0 && (static_cast<unsigned char>(text[prev]) & 0xC0) == 0x80) --prev;
    width += CharWidthAt(text, prev);
    start = prev;
  }
  return std::string(text.substr(start));
}

std::pair<std::string, std::string> SplitAt(std::string_view text, int n) {
  std::size_t end = n <= 0 ? 0 : OffsetOfWidth(text, n);
  return {std::string(text.substr(0, end)), std::string(text.substr(end))};
}

bool Contains(std::string_view sub, std::string_view text) {
  if (sub.empty()) return true;
  return text.find(sub) != std::string_view::npos;
}

std::string ReplaceFirst(std::string_view sub, std::string_view repl, std::string_view text) {
  std::string out(text);
  if (sub.empty()) return out;
  std::size_t at = out.find(sub);
  if (at != std::string::npos) out.replace(at, sub.size(), repl);
  return out;
}

std::string ReplaceAll(std::string_view sub, std::string_view repl, std::string_view text) {
  std::string out;
  if (sub.empty()) return std::string(text);
  std::size_t pos = 0;
  while (true) {
    std::size_t at = text.find(sub, pos);
    if (at == std::string_view::npos) break;
    out.append(text.substr(pos, at - pos));
    out.append(repl);
    pos = at + sub.size();
  }
  out.append(text.substr(pos));
  return out;
}

bool AllCharsIn(std::string_view text, std::string_view set) {
  CharSet cs = ParseSet(set);
  bool all = true;
  ForEachCodePoint(text, [&](char32_t c) { all = all && cs.Has(c); });
  return all;
}

bool AnyCharIn(std::string_view text, std::string_view set) { return CountCharsIn(text, set) > 0; }

int CountCharsIn(std::string_view text, std::string_view set) {
  CharSet cs = ParseSet(set);
  int count = 0;
  ForEachCodePoint(text, [&](char32_t c) { count += cs.Has(c) ? 1 : 0; });
  return count;
}

bool HasTwoByte(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); pos += Utf8SeqLen(static_cast<unsigned char>(text[pos])))
    if (CharWidthAt(text, pos) == 2) return true;
  return false;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string TrimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(0, end));
}

std::string TrimLeft(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(static_cast<unsigned char>(text[start]))) ++start;
  return std::string(text.substr(start));
}

std::string TrimBoth(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string StripTag(std::string_view text) {
  std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::string(text);
  int bytePos = MBWidth(text.substr(0, colon)) + 1;
  if (bytePos >= 3) return std::string(text.substr(colon + 1));
  return std::string(text);
}

std::string OverwriteAt(int pos, std::string_view sub, std::string_view text) {
  int width = MBWidth(text);
  if (pos <= 0 || pos > width) return std::string(text);
  std::string out = LeftMB(text, pos - 1);
  out += sub;
  int after = pos - 1 + MBWidth(sub);
  if (after < width) {
    int startWidth = 0;
    std::size_t start = OffsetOfWidth(text, after, &startWidth);
    if (startWidth < after) {  // the overwritten part ended inside a character
      out += ' ';
      start += Utf8SeqLen(static_cast<unsigned char>(text[start]));
    }
    out.append(text.substr(start));
  }
  return out;
}

namespace {

// How far the integer rule reads `text` (commas already gone): the value,
// the byte after the last digit read and whether a digit was read at all.
struct IntScan {
  int64_t value = 0;
  std::size_t end = 0;
  bool digits = false;
};

IntScan ScanInt(const std::string& text) {
  IntScan scan;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'X' || text[i] == 'x')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  bool saturated = false;
  for (; i < text.size(); ++i) {
    int d = base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (d < 0) break;
    scan.digits = true;
    if (saturated) continue;
    if (value > (kMax - d) / base) {
      value = kMax;  // saturate instead of wrapping
      saturated = true;
      continue;
    }
    value = value * base + d;
  }
  scan.value = negative ? -value : value;
  scan.end = i;
  return scan;
}

// The same for the float rule; `ok` is false for a text the rule cannot read
// (no number at its start, or beyond the range of a double).
struct FloatScan {
  double value = 0.0;
  std::size_t end = 0;
  bool ok = false;
};

FloatScan ScanFloat(const std::string& text) {
  FloatScan scan;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  scan.end = i;
  if (i >= text.size()) return scan;
  // Only digits, point and exponent make a number here ("inf" and "nan" do not).
  char c = text[i];
  if (!((c >= '0' && c <= '9') || c == '.')) return scan;
  double value = 0.0;
  auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc()) return scan;
  scan.value = negative ? -value : value;
  scan.end = static_cast<std::size_t>(end - text.data());
  scan.ok = true;
  return scan;
}

}  // namespace

int64_t TextToInt(std::string_view raw) { return ScanInt(WithoutCommas(TrimRight(raw))).value; }

double TextToFloat(std::string_view raw) {
  FloatScan scan = ScanFloat(WithoutCommas(TrimRight(raw)));
  return scan.ok ? scan.value : 0.0;
}

bool IsNumberText(std::string_view raw, bool integer) {
  const std::string text = WithoutCommas(TrimRight(raw));
  if (integer) {
    IntScan scan = ScanInt(text);
    return scan.digits && scan.end == text.size();
  }
  FloatScan scan = ScanFloat(text);
  return scan.ok && scan.end == text.size();
}

float TextToSingle(std::string_view text) {
  double v = TextToFloat(text);
  if (v > FLT_MAX) return FLT_MAX;
  if (v < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(v);
}

int DecimalsOf(std::string_view raw) {
  std::string text = TrimBoth(raw);
  std::size_t dot = text.rfind('.');
  if (dot == std::string::npos) return 0;
  return MBWidth(std::string_view(text).substr(dot + 1));
}

int32_t ClampToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace kondra
