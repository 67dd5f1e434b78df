#include "records/TextLines.h"

#include <cstdio>

#include "env/Cp932.h"

namespace kondra {
namespace {

// 1-based line number of a byte offset.
std::size_t LineOf(std::string_view bytes, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ++line;
    } else if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')) {
      ++line;
    }
  }
  return line;
}

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F; }

}  // namespace

bool DecodeTextLines(std::string_view bytes, std::vector<std::string>& lines, std::string* reason) {
  lines.clear();
  if (!bytes.empty() && bytes.back() == '\x1A') bytes.remove_suffix(1);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (IsControl(c)) {
      if (reason) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", c);
        *reason = std::to_string(LineOf(bytes, i)) + "行目に文字でないバイト(" + code +
                  ")があります。テキストファイルではありません";
      }
      return false;
    }
  }
  std::string text;
  std::size_t bad = 0;
  if (!FromCp932(bytes, text, &bad)) {
    if (reason) *reason = std::to_string(LineOf(bytes, bad)) + "行目にShift-JISとして読めない文字があります";
    return false;
  }
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) {
      lines.emplace_back(text.substr(pos));
      break;
    }
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
  return true;
}

bool EncodeTextLines(const std::vector<std::string>& lines, std::string& bytes, std::size_t* badLine,
                     std::string* bad) {
  bytes.clear();
  std::string encoded;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!ToCp932(lines[i], encoded, bad)) {
      if (badLine) *badLine = i;
      bytes.clear();
      return false;
    }
    bytes += encoded;
    bytes += "\r\n";
  }
  return true;
}

std::string BlankControls(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return out;
}

}  // namespace kondra
