#include "env/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "env/Text.h"

namespace kondra {
namespace {

constexpr int kMaxOperators = 12;
constexpr int kMaxListNumbers = 999;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsIntegerKind(int kind) { return kind == etByte || kind == etInteger || kind == etSmallInt || kind == etWord; }

bool IsDateKind(int kind) { return kind == etDate || kind == etDateTime || kind == etTime; }

// A double as a whole number without undefined conversions: NaN is 0,
// anything beyond the 64-bit range is held at its edge.
int64_t RoundToInt64(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kEdge = 9.2e18;
  if (value >= kEdge) return static_cast<int64_t>(kEdge);
  if (value <= -kEdge) return -static_cast<int64_t>(kEdge);
  return std::llround(value);
}

int64_t Clamp(int64_t v, int64_t lo, int64_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The number written with d decimals, no padding; 0 is "0".
std::string WriteFixed(int d, float value) {
  if (value == 0.0f) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", d, static_cast<double>(value));
  return buf;
}

// Decimals after the width rule: a width narrower than the decimals leaves
// room for a digit, the point and a sign.
int DecimalsFor(int width, int d) {
  if (width < d) d = width - 3;
  return d < 0 ? 0 : d;
}

// Two digits at byte offset pos of an all-ASCII text, or -1.
int TwoDigits(std::string_view text, std::size_t pos) {
  if (pos + 2 > text.size() || !IsDigit(text[pos]) || !IsDigit(text[pos + 1])) return -1;
  return (text[pos] - '0') * 10 + (text[pos + 1] - '0');
}

int MonthLength(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[month - 1];
}

std::tm LocalTime(std::time_t moment) {
  std::tm t{};
  localtime_r(&moment, &t);
  return t;
}

}  // namespace

// ---------------------------------------------------------------- expressions

double Evaluate(std::string_view raw) {
  std::string text = ReplaceAll(",", "", TrimBoth(raw));
  if (text.empty() || text.back() != '=') text += '=';
  int operators = CountCharsIn(text, "+-*/=");

  if (HasTwoByte(text)) {
    MsgBox("※文字式に２バイト文字(漢字)が含まれています。", 3, 1);
    return 0;
  }
  if (text.find_first_of("()") != std::string::npos) {
    MsgBox("※文字式に括弧'(',')'は使えません。（'0123456789+-*/.,'）", 3, 1);
    return 0;
  }
  if (operators > kMaxOperators) {
    MsgBox("※演算子は最大12個までです。", 3, 1);
    return 0;
  }

  std::vector<char> ops;
  std::vector<double> terms;
  std::size_t termStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '+' || c == '-' || c == '*' || c == '/' || c == '=') {
      ops.push_back(c);
      terms.push_back(TextToFloat(std::string_view(text).substr(termStart, i - termStart)));
      termStart = i + 1;
    }
  }
  if (ops.empty()) return 0;

  double value = terms[0];
  for (std::size_t k = 0; k + 1 < ops.size(); ++k) {
    double next = terms[k + 1];
    switch (ops[k]) {
      case '+':
        value += next;
        break;
      case '-':
        value -= next;
        break;
      case '*':
        value *= next;
        break;
      case '/':
        if (next != 0) value /= next;
        break;
      default:  // "=": the term after it is ignored
        break;
    }
  }
  return value;
}

// ---------------------------------------------------------------- input

std::string NormalizeInput(int kind, int m, int d, std::string_view raw, bool calculable, bool zeroDisplay,
                           bool negativesAllowed) {
  const bool integerKind = IsIntegerKind(kind);
  const bool numberKind = integerKind || kind == etFloat;
  std::string text(raw);
  if (m != 0) {
    const std::string blanks(80, ' ');
    text = numberKind ? RightMB(blanks + text, m) : LeftMB(text + blanks, m);
  }

  if (!numberKind) {
    text = TrimRight(text);
    if (IsDateKind(kind)) {
      text = TrimLeft(text);
      bool valid = kind == etDate ? ValidDate(text) : kind == etDateTime ? ValidDateTime(text) : ValidTime(text);
      if (!valid) text = Edit.cellTextBefore;
    }
    return text;
  }

  double value = 0;
  if (integerKind) {
    int64_t n = calculable ? RoundToInt64(Evaluate(text)) : TextToInt(text);
    switch (kind) {
      case etByte:
        n = Clamp(n, 0, 255);
        break;
      case etWord:
        n = Clamp(n, 0, 65535);
        break;
      case etSmallInt:
        n = Clamp(n, -32768, 32767);
        if (n < 0 && !negativesAllowed) n = 0;
        break;
      default:  // etInteger: held within the 32 bits it is stored in
        n = ClampToInt32(n);
        if (n < 0 && !negativesAllowed) n = 0;
        break;
    }
    value = static_cast<double>(n);
  } else {
    value = calculable ? Evaluate(text) : TextToFloat(text);
    if (std::isnan(value)) value = 0;
    if (value < 0 && !negativesAllowed) value = 0;
  }
  return FormatValue(kind, m, d, value, zeroDisplay, negativesAllowed);
}

// ---------------------------------------------------------------- formatting

std::string FormatValue(int kind, int m, int d, double value, bool zeroDisplay, bool negativesAllowed) {
  if (m == 0) m = 8;
  if (value < 0 && !negativesAllowed) value = 0;
  std::string text;
  if (kind == etFloat) {
    float single = static_cast<float>(value);
    // The number must fit its field whole: a value that would lose its
    // leading digit or its sign to the cut shows the start text instead.
    std::string written = WriteFixed(DecimalsFor(m, d), single);
    if (!FitsDigits(value, m - d - 1) || static_cast<int>(written.size()) > m)
      text = Edit.startText;
    else
      text = FormatSingle(m, d, single);
  } else {
    std::string digits = std::to_string(RoundToInt64(value));
    int width = static_cast<int>(digits.size());
    text = width > m ? digits.substr(static_cast<std::size_t>(width - m)) : std::string(m - width, ' ') + digits;
  }
  if (!zeroDisplay && value == 0) return std::string();
  return text;
}

std::string FormatSingle(int m, int d, float value) {
  int w = m == 0 ? 10 : m;
  d = DecimalsFor(w, d);
  std::string text = PadLeft(WriteFixed(d, value), w);
  if (m != 0) return RightMB(std::string(40, ' ') + text, m);
  return TrimLeft(text);
}

std::string FormatInt(int width, int64_t value) { return PadLeft(std::to_string(value), width); }

std::string FormatGrouped(int width, int64_t value) {
  std::string digits = std::to_string(value);
  std::size_t first = (!digits.empty() && digits[0] == '-') ? 1 : 0;
  std::string grouped;
  for (std::size_t i = first; i < digits.size(); ++i) {
    grouped += digits[i];
    std::size_t left = digits.size() - i - 1;
    if (left > 0 && left % 3 == 0) grouped += ',';
  }
  if (first) grouped.insert(grouped.begin(), '-');
  return PadLeft(grouped, width);
}

bool FitsDigits(double value, int n) {
  if (value == 0 || n <= 0) return true;
  double limit = std::pow(10.0, n);
  return -limit < value && value < limit;
}

bool InRange(int64_t value, int64_t b1, int64_t b2) {
  return std::min(b1, b2) <= value && value <= std::max(b1, b2);
}

bool InRangeF(float value, float b1, float b2) { return std::min(b1, b2) <= value && value <= std::max(b1, b2); }

// ---------------------------------------------------------------- dates and times

bool IsLeapYear(int year) {
  if (year < 100) year += year < 50 ? 2000 : 1900;
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool ValidDate(std::string_view text) {
  if (!AllCharsIn(text, "1234567890/")) return false;
  if (text.size() == 10) {
    if (text[4] != '/' || text[7] != '/' || TwoDigits(text, 0) < 0) return false;
    text = text.substr(2);
  } else if (text.size() != 8) {
    return false;
  }
  if (text[2] != '/' || text[5] != '/') return false;
  int yy = TwoDigits(text, 0), mm = TwoDigits(text, 3), dd = TwoDigits(text, 6);
  if (yy < 0 || mm < 1 || mm > 12 || dd < 1) return false;
  return dd <= MonthLength(yy, mm);
}

bool ValidTime(std::string_view text) {
  if (text.size() != 8 || !AllCharsIn(text, "1234567890:")) return false;
  if (text[2] != ':' || text[5] != ':') return false;
  int hh = TwoDigits(text, 0), mi = TwoDigits(text, 3), ss = TwoDigits(text, 6);
  return hh >= 0 && hh <= 23 && mi >= 0 && mi <= 59 && ss >= 0 && ss <= 59;
}

bool ValidDateTime(std::string_view text) {
  std::size_t dateLength;
  if (text.size() == 17)
    dateLength = 8;
  else if (text.size() == 19)
    dateLength = 10;
  else
    return false;
  return ValidDate(text.substr(0, dateLength)) && text[dateLength] == ' ' && ValidTime(text.substr(dateLength + 1));
}

// ---------------------------------------------------------------- row lists

std::string ExpandRanges(std::string_view text) {
  std::string s(text);
  if (s.empty()) {
    MsgYes = true;
    return s;
  }
  auto refuse = [&]() {
    ErrorMsg(700);
    MsgYes = false;
    return std::string(text);
  };
  if (HasTwoByte(s) || s.find("...") != std::string::npos || !AllCharsIn(s, "1234567890.,")) return refuse();

  for (std::size_t dots = s.find(".."); dots != std::string::npos; dots = s.find("..")) {
    std::size_t start = dots;
    while (start > 0 && IsDigit(s[start - 1])) --start;
    std::size_t end = dots + 2;
    while (end < s.size() && IsDigit(s[end])) ++end;
    if (start == dots || end == dots + 2) return refuse();
    int64_t a = TextToInt(std::string_view(s).substr(start, dots - start));
    int64_t b = TextToInt(std::string_view(s).substr(dots + 2, end - dots - 2));
    if (b < a || b - a >= kMaxListNumbers) return refuse();
    std::string written;
    for (int64_t v = a; v <= b; ++v) {
      if (v != a) written += ',';
      written += std::to_string(v);
    }
    s.replace(start, end - start, written);
  }
  MsgYes = true;
  return s;
}

int ParseNumberList(std::string_view text, std::vector<int32_t>& numbers) {
  numbers.clear();
  std::string list = ExpandRanges(text);
  if (!MsgYes || list.empty()) {
    MsgYes = false;
    return 0;
  }
  list += ',';
  std::size_t partStart = 0;
  for (std::size_t i = 0; i < list.size() && static_cast<int>(numbers.size()) < kMaxListNumbers; ++i) {
    if (IsDigit(list[i])) continue;
    numbers.push_back(ClampToInt32(TextToInt(std::string_view(list).substr(partStart, i - partStart))));
    partStart = i + 1;
  }
  MsgYes = !numbers.empty();
  return static_cast<int>(numbers.size());
}

// ---------------------------------------------------------------- degrees

std::string DegMinText(double value) {
  // Rounded as a whole so that 35.996 carries into the degrees.
  int64_t hundredths = RoundToInt64(std::fabs(value) * 100.0);
  int64_t degrees = hundredths / 100;
  int minutes = static_cast<int>(hundredths % 100);
  if (value < 0 && hundredths != 0) degrees = -degrees;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%3lld", static_cast<long long>(degrees));
  std::string text = buf;
  if (value < 0 && degrees == 0 && hundredths != 0) text = " -0";
  std::snprintf(buf, sizeof buf, "%02d", minutes);
  return text + "ﾟ" + buf + "'";
}

// ---------------------------------------------------------------- time texts

std::string NowStamp(std::time_t moment) {
  std::tm t = LocalTime(moment);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d%02d%02d", t.tm_year % 100, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                t.tm_min, t.tm_sec);
  return buf;
}

std::string NowText(std::time_t moment) {
  std::tm t = LocalTime(moment);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}

std::string ReportStamp(std::time_t moment) {
  std::tm t = LocalTime(moment);
  char buf[40];
  std::snprintf(buf, sizeof buf, "20%02d/%02d/%02d %02d:%02d:%02d", t.tm_year % 100, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}

std::string NowStamp() { return NowStamp(std::time(nullptr)); }
std::string NowText() { return NowText(std::time(nullptr)); }
std::string ReportStamp() { return ReportStamp(std::time(nullptr)); }

std::string FormatPrintf(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return std::string();
  return std::string(buffer, static_cast<std::size_t>(std::min<int>(n, sizeof buffer - 1)));
}

}  // namespace kondra
