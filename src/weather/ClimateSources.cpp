#include "weather/ClimateSources.h"

#include <charconv>
#include <cmath>
#include <map>
#include <utility>

#include "env/Cp932.h"
#include "env/FileSystem.h"

namespace kondra {

namespace {

// ---- lines and CSV fields ----

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Comma-separated fields; a field in double quotes may hold commas and "" for ".
bool SplitCsv(std::string_view line, std::vector<std::string>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (true) {
    std::string field;
    if (i < line.size() && line[i] == '"') {
      ++i;
      while (true) {
        if (i >= line.size()) return false;  // unterminated quote
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      if (i < line.size() && line[i] != ',') return false;
    } else {
      std::size_t end = line.find(',', i);
      if (end == std::string_view::npos) end = line.size();
      field.assign(line.substr(i, end - i));
      i = end;
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) return true;
    ++i;  // the comma
  }
}

std::string Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return std::string(s);
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  const char* first = t.data();
  if (*first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, t.data() + t.size(), value);
  return ec == std::errc() && ptr == t.data() + t.size() && std::isfinite(static_cast<double>(value));
}

std::string At(const std::string& fileName, std::size_t lineNo) {
  return fileName + " line " + std::to_string(lineNo) + ": ";
}

// ---- a small JSON reader (objects, arrays, strings, numbers, true/false/null) ----

struct Json {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  bool boolean = false;
  std::string text;  // the number's text or the string's value
  std::vector<Json> items;
  // An object's members as two parallel lists (a pair holding the type being
  // defined is not allowed by every standard library).
  std::vector<std::string> memberNames;
  std::vector<Json> memberValues;

  const Json* Member(std::string_view name) const {
    for (std::size_t i = 0; i < memberNames.size(); ++i)
      if (memberNames[i] == name) return &memberValues[i];
    return nullptr;
  }
};

class JsonReader {
 public:
  explicit JsonReader(std::string_view s) : s_(s) {}

  bool ReadDocument(Json& value, std::string& error) {
    if (!ReadValue(value, 0, error)) return false;
    SkipBlanks();
    if (p_ != s_.size()) return Fail("text after the end of the document", error);
    return true;
  }

  int line() const { return line_; }

 private:
  static constexpr int kMaxDepth = 32;

  void SkipBlanks() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\t' || s_[p_] == '\r' || s_[p_] == '\n')) {
      if (s_[p_] == '\n') ++line_;
      ++p_;
    }
  }

  bool Fail(const std::string& what, std::string& error) {
    error = what;
    return false;
  }

  bool Literal(std::string_view word) {
    if (s_.substr(p_, word.size()) != word) return false;
    p_ += word.size();
    return true;
  }

  bool ReadValue(Json& v, int depth, std::string& error) {
    if (depth > kMaxDepth) return Fail("nested too deeply", error);
    SkipBlanks();
    if (p_ >= s_.size()) return Fail("unexpected end of the document", error);
    const char c = s_[p_];
    if (c == '{') return ReadObject(v, depth, error);
    if (c == '[') return ReadArray(v, depth, error);
    if (c == '"') {
      v.kind = Json::String;
      return ReadString(v.text, error);
    }
    if (Literal("true")) {
      v.kind = Json::Bool;
      v.boolean = true;
      return true;
    }
    if (Literal("false")) {
      v.kind = Json::Bool;
      return true;
    }
    if (Literal("null")) {
      v.kind = Json::Null;
      return true;
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
      const std::size_t start = p_;
      while (p_ < s_.size() && std::string_view("+-.eE0123456789").find(s_[p_]) != std::string_view::npos) ++p_;
      v.kind = Json::Number;
      v.text.assign(s_.substr(start, p_ - start));
      double check = 0;
      if (!ParseNumber(v.text, check)) return Fail("bad number \"" + v.text + "\"", error);
      return true;
    }
    return Fail(std::string("unexpected character '") + c + "'", error);
  }

  bool ReadString(std::string& out, std::string& error) {
    ++p_;  // opening quote
    out.clear();
    while (p_ < s_.size()) {
      const char c = s_[p_++];
      if (c == '"') return true;
      if (c == '\n') return Fail("line break inside a string", error);
      if (c != '\\') {
        out += c;
        continue;
      }
      if (p_ >= s_.size()) break;
      const char e = s_[p_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          unsigned cp = 0;
          if (!Hex4(cp)) return Fail("bad \\u escape", error);
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            unsigned low = 0;
            if (!Literal("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF)
              return Fail("bad surrogate pair", error);
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, cp);
          break;
        }
        default: return Fail("bad escape in a string", error);
      }
    }
    return Fail("unterminated string", error);
  }

  bool Hex4(unsigned& cp) {
    if (p_ + 4 > s_.size()) return false;
    cp = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = s_[p_++];
      cp <<= 4;
      if (h >= '0' && h <= '9') cp |= h - '0';
      else if (h >= 'a' && h <= 'f') cp |= h - 'a' + 10;
      else if (h >= 'A' && h <= 'F') cp |= h - 'A' + 10;
      else return false;
    }
    return true;
  }

  static void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  bool ReadArray(Json& v, int depth, std::string& error) {
    v.kind = Json::Array;
    ++p_;
    SkipBlanks();
    if (p_ < s_.size() && s_[p_] == ']') {
      ++p_;
      return true;
    }
    while (true) {
      Json item;
      if (!ReadValue(item, depth + 1, error)) return false;
      v.items.push_back(std::move(item));
      SkipBlanks();
      if (p_ >= s_.size()) return Fail("unterminated array", error);
      if (s_[p_] == ',') {
        ++p_;
        continue;
      }
      if (s_[p_] == ']') {
        ++p_;
        return true;
      }
      return Fail("expected ',' or ']' in an array", error);
    }
  }

  bool ReadObject(Json& v, int depth, std::string& error) {
    v.kind = Json::Object;
    ++p_;
    SkipBlanks();
    if (p_ < s_.size() && s_[p_] == '}') {
      ++p_;
      return true;
    }
    while (true) {
      SkipBlanks();
      if (p_ >= s_.size() || s_[p_] != '"') return Fail("expected a member name", error);
      std::string name;
      if (!ReadString(name, error)) return false;
      SkipBlanks();
      if (p_ >= s_.size() || s_[p_] != ':') return Fail("expected ':' after a member name", error);
      ++p_;
      Json value;
      if (!ReadValue(value, depth + 1, error)) return false;
      v.memberNames.push_back(std::move(name));
      v.memberValues.push_back(std::move(value));
      SkipBlanks();
      if (p_ >= s_.size()) return Fail("unterminated object", error);
      if (s_[p_] == ',') {
        ++p_;
        continue;
      }
      if (s_[p_] == '}') {
        ++p_;
        return true;
      }
      return Fail("expected ',' or '}' in an object", error);
    }
  }

  std::string_view s_;
  std::size_t p_ = 0;
  int line_ = 1;
};

bool ReadFileText(const std::string& path, std::string& bytes, std::string& error) {
  std::string why;
  if (!fs::ReadWhole(path, bytes, &why)) {
    error = path + ": " + why;
    return false;
  }
  return true;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// ---- normals.csv ----

bool ParseNormals(std::string_view utf8, const std::string& fileName, std::vector<NormalsStation>& stations,
                  std::string& error) {
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  const auto lines = SplitLines(utf8);
  std::vector<std::string> fields;

  // Comment lines (a first field starting with "#") come before the header.
  std::size_t i = 0;
  for (; i < lines.size(); ++i) {
    if (!SplitCsv(lines[i], fields)) {
      error = At(fileName, i + 1) + "unbalanced quotes";
      return false;
    }
    if (fields.empty() || fields[0].empty() || fields[0][0] != '#') break;
  }
  if (i >= lines.size()) {
    error = fileName + ": no header line";
    return false;
  }

  // Columns are found by their titles, so a reordered file still reads right.
  std::map<std::string, std::size_t> column;
  for (std::size_t c = 0; c < fields.size(); ++c) column[Trim(fields[c])] = c;
  auto need = [&](const std::string& title, std::size_t& index) {
    auto it = column.find(title);
    if (it == column.end()) {
      error = At(fileName, i + 1) + "the header has no column \"" + title + "\"";
      return false;
    }
    index = it->second;
    return true;
  };
  std::size_t cNumber, cName, cLat, cLon;
  std::array<std::size_t, 13> cTemp{}, cPrec{};
  if (!need("地点番号", cNumber) || !need("地点名", cName) || !need("緯度", cLat) || !need("経度", cLon))
    return false;
  for (int m = 0; m < 12; ++m) {
    if (!need("気温" + std::to_string(m + 1) + "月", cTemp[m])) return false;
    if (!need("降水量" + std::to_string(m + 1) + "月", cPrec[m])) return false;
  }
  if (!need("気温年", cTemp[12]) || !need("降水量年", cPrec[12])) return false;
  const std::size_t columns = fields.size();

  std::vector<NormalsStation> out;
  for (++i; i < lines.size(); ++i) {
    if (Trim(lines[i]).empty()) continue;
    const std::string where = At(fileName, i + 1);
    if (!SplitCsv(lines[i], fields)) {
      error = where + "unbalanced quotes";
      return false;
    }
    if (fields.size() != columns) {
      error = where + std::to_string(fields.size()) + " fields, the header has " + std::to_string(columns);
      return false;
    }
    NormalsStation s;
    if (!ParseNumber(fields[cNumber], s.number) || s.number <= 0) {
      error = where + "bad station number \"" + fields[cNumber] + "\"";
      return false;
    }
    s.name = Trim(fields[cName]);
    if (s.name.empty()) {
      error = where + "empty station name";
      return false;
    }
    if (!ParseNumber(fields[cLat], s.latitude) || !ParseNumber(fields[cLon], s.longitude) ||
        std::fabs(s.latitude) > 90 || std::fabs(s.longitude) > 180) {
      error = where + "bad latitude or longitude";
      return false;
    }
    for (int m = 0; m < 13; ++m) {
      if (!ParseNumber(fields[cTemp[m]], s.temperature[m]) || s.temperature[m] < -90 || s.temperature[m] > 60) {
        error = where + "bad temperature \"" + fields[cTemp[m]] + "\"";
        return false;
      }
      if (!ParseNumber(fields[cPrec[m]], s.precipitation[m]) || s.precipitation[m] < 0) {
        error = where + "bad precipitation \"" + fields[cPrec[m]] + "\"";
        return false;
      }
    }
    for (const auto& other : out)
      if (other.number == s.number) {
        error = where + "station " + std::to_string(s.number) + " appears twice";
        return false;
      }
    out.push_back(std::move(s));
  }
  if (out.empty()) {
    error = fileName + ": no stations";
    return false;
  }
  stations = std::move(out);
  return true;
}

// ---- jma_normals.json ----

bool ParseRadiationNormals(std::string_view utf8, const std::string& fileName,
                           std::vector<RadiationNormals>& stations, std::string& error) {
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  Json doc;
  JsonReader reader(utf8);
  std::string why;
  if (!reader.ReadDocument(doc, why)) {
    error = At(fileName, reader.line()) + why;
    return false;
  }
  if (doc.kind != Json::Object) {
    error = fileName + ": the document is not an object of stations";
    return false;
  }
  std::vector<RadiationNormals> out;
  for (std::size_t m = 0; m < doc.memberNames.size(); ++m) {
    const std::string& name = doc.memberNames[m];
    const Json& entry = doc.memberValues[m];
    const std::string where = fileName + ", station " + name + ": ";
    if (entry.kind != Json::Object) {
      error = where + "not an object";
      return false;
    }
    const Json* block = entry.Member("block");
    const Json* rad = entry.Member("radMJ");
    const Json* ref = entry.Member("radRef");
    RadiationNormals r;
    r.name = name;
    if (!block || block->kind != Json::Number || !ParseNumber(block->text, r.number) || r.number <= 0) {
      error = where + "no station number (\"block\")";
      return false;
    }
    if (!rad || rad->kind == Json::Null) continue;  // no radiation normals for this station
    if (rad->kind != Json::Array || rad->items.size() != 12) {
      error = where + "\"radMJ\" is not a list of 12 monthly values";
      return false;
    }
    for (int m = 0; m < 12; ++m) {
      const Json& v = rad->items[m];
      if (v.kind != Json::Number || !ParseNumber(v.text, r.dailyMJ[m]) || r.dailyMJ[m] < 0 || r.dailyMJ[m] > 45) {
        error = where + "bad radiation value for month " + std::to_string(m + 1);
        return false;
      }
    }
    r.marked = ref && ref->kind == Json::Bool && ref->boolean;
    for (const auto& other : out)
      if (other.number == r.number) {
        error = where + "station number " + std::to_string(r.number) + " appears twice";
        return false;
      }
    out.push_back(std::move(r));
  }
  stations = std::move(out);
  return true;
}

// ---- climateData_N.csv ----

bool ParseHourlyYear(std::string_view cp932, const std::string& fileName, HourlyYear& year, std::string& error) {
  std::string text;
  std::size_t bad = 0;
  if (!FromCp932(cp932, text, &bad)) {
    error = fileName + ": not Shift-JIS text (byte " + std::to_string(bad) + ")";
    return false;
  }
  const auto lines = SplitLines(text);
  std::vector<std::string> fields;
  static const char* const kTitles[10] = {"月",
                                          "日",
                                          "時",
                                          "外気温[℃]",
                                          "外気絶対湿度 [kg/kgDA]",
                                          "法線面直達日射量 [W/m2]",
                                          "水平面天空日射量 [W/m2]",
                                          "水平面夜間放射量 [W/m2]",
                                          "太陽高度角[度]",
                                          "太陽方位角[度]"};
  if (lines.empty() || !SplitCsv(lines[0], fields) || fields.size() < 10) {
    error = At(fileName, 1) + "the header does not have the 10 columns of an hourly year";
    return false;
  }
  for (int c = 0; c < 10; ++c)
    if (Trim(fields[c]) != kTitles[c]) {
      error = At(fileName, 1) + "column " + std::to_string(c + 1) + " is \"" + fields[c] + "\", expected \"" +
              kTitles[c] + "\"";
      return false;
    }

  static constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  HourlyYear out;
  out.hours.reserve(kHoursPerYear);
  int month = 1, day = 1, hour = 1;  // the next hour expected
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (Trim(lines[i]).empty()) continue;
    const std::string where = At(fileName, i + 1);
    if (!SplitCsv(lines[i], fields)) {
      error = where + "unbalanced quotes";
      return false;
    }
    // Some files end every line with a comma, which leaves one empty field.
    if (fields.size() == 11 && Trim(fields[10]).empty()) fields.pop_back();
    if (fields.size() != 10) {
      error = where + std::to_string(fields.size()) + " fields, expected 10";
      return false;
    }
    if (static_cast<int>(out.hours.size()) >= kHoursPerYear) {
      error = where + "more than " + std::to_string(kHoursPerYear) + " hours";
      return false;
    }
    HourlyValues h;
    double values[7];
    if (!ParseNumber(fields[0], h.month) || !ParseNumber(fields[1], h.day) || !ParseNumber(fields[2], h.hour)) {
      error = where + "bad month, day or hour";
      return false;
    }
    if (h.month != month || h.day != day || h.hour != hour) {
      error = where + "hour " + std::to_string(h.month) + "/" + std::to_string(h.day) + " " +
              std::to_string(h.hour) + " where " + std::to_string(month) + "/" + std::to_string(day) + " " +
              std::to_string(hour) + " was expected";
      return false;
    }
    for (int c = 0; c < 7; ++c)
      if (!ParseNumber(fields[3 + c], values[c])) {
        error = where + "bad number \"" + fields[3 + c] + "\" in column " + std::to_string(4 + c);
        return false;
      }
    h.temperature = values[0];
    h.humidityRatio = values[1];
    h.directNormal = values[2];
    h.diffuseHorizontal = values[3];
    h.nocturnal = values[4];
    h.altitude = values[5];
    if (h.temperature < -80 || h.temperature > 60 || h.humidityRatio < 0 || h.humidityRatio > 0.1 ||
        h.directNormal < 0 || h.directNormal > 1500 || h.diffuseHorizontal < 0 || h.diffuseHorizontal > 1500 ||
        std::fabs(h.nocturnal) > 1000) {
      error = where + "a value lies outside the physical range";
      return false;
    }
    out.hours.push_back(h);
    if (++hour > 24) {
      hour = 1;
      if (++day > kDaysInMonth[month - 1]) {
        day = 1;
        ++month;
      }
    }
  }
  if (static_cast<int>(out.hours.size()) != kHoursPerYear) {
    error = fileName + ": " + std::to_string(out.hours.size()) + " hours, expected " + std::to_string(kHoursPerYear);
    return false;
  }
  year = std::move(out);
  return true;
}

bool ReadNormals(const std::string& path, std::vector<NormalsStation>& stations, std::string& error) {
  std::string bytes;
  return ReadFileText(path, bytes, error) && ParseNormals(bytes, BaseName(path), stations, error);
}

bool ReadRadiationNormals(const std::string& path, std::vector<RadiationNormals>& stations, std::string& error) {
  std::string bytes;
  return ReadFileText(path, bytes, error) && ParseRadiationNormals(bytes, BaseName(path), stations, error);
}

bool ReadHourlyYear(const std::string& path, HourlyYear& year, std::string& error) {
  std::string bytes;
  return ReadFileText(path, bytes, error) && ParseHourlyYear(bytes, BaseName(path), year, error);
}

}  // namespace kondra
