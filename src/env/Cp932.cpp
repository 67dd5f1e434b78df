#include "env/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace kondra {
namespace {

// One converter per direction, opened on first use and kept for the run.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; on failure returns false with the offset of the
  // input byte that could not be converted.
  bool Run(std::string_view in, std::string& out, std::size_t& badOffset) {
    out.clear();
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      badOffset = 0;
      return in.empty();
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::string buffer(in.size() * 2 + 16, '\0');
    while (true) {
      char* dst = buffer.data();
      std::size_t dstLeft = buffer.size();
      std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer.data(), buffer.size() - dstLeft);
      if (r != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      badOffset = in.size() - srcLeft;
      out.clear();
      return false;
    }
    // Flush any shift state (none for CP932, but keep the protocol).
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer.data(), buffer.size() - dstLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& Encoder() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}
Converter& Decoder() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}

bool IsAsciiOnly(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

bool ToCp932(std::string_view utf8, std::string& out, std::string* bad) {
  if (IsAsciiOnly(utf8)) {
    out.assign(utf8);
    return true;
  }
  std::size_t badOffset = 0;
  if (Encoder().Run(utf8, out, badOffset)) return true;
  if (bad) {
    std::size_t len = badOffset < utf8.size() ? Utf8SeqLen(static_cast<unsigned char>(utf8[badOffset])) : 0;
    *bad = std::string(utf8.substr(badOffset, len));
  }
  return false;
}

bool FromCp932(std::string_view bytes, std::string& out, std::size_t* badOffset) {
  if (IsAsciiOnly(bytes)) {
    out.assign(bytes);
    return true;
  }
  std::size_t offset = 0;
  if (Decoder().Run(bytes, out, offset)) return true;
  if (badOffset) *badOffset = offset;
  return false;
}

bool IsCp932Text(std::string_view utf8, std::string* bad) {
  std::string ignored;
  return ToCp932(utf8, ignored, bad);
}

int Utf8SeqLen(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

char32_t Utf8At(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  int len = Utf8SeqLen(lead);
  if (len == 1) return lead < 0x80 ? lead : 0xFFFD;
  if (pos + len > text.size()) return 0xFFFD;
  char32_t c = lead & (0x7F >> len);
  for (int i = 1; i < len; ++i) {
    unsigned char b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (b & 0x3F);
  }
  return c;
}

int CharWidth(char32_t c) {
  if (c < 0x80) return 1;
  if (c >= 0xFF61 && c <= 0xFF9F) return 1;  // half-width katakana
  return 2;
}

int CharWidthAt(std::string_view text, std::size_t pos) {
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return 1;
  return CharWidth(Utf8At(text, pos));
}

namespace {

// Walks the text one character at a time: f(offset, length, width).
template <typename F>
void ForEachChar(std::string_view text, F f) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    int len = Utf8SeqLen(static_cast<unsigned char>(text[pos]));
    if (pos + len > text.size()) len = static_cast<int>(text.size() - pos);
    int w = CharWidthAt(text, pos);
    if (!f(pos, static_cast<std::size_t>(len), w)) return;
    pos += len;
  }
}

}  // namespace

int MBWidth(std::string_view text) {
  int width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
      ++width;
      ++pos;
      continue;
    }
    width += CharWidthAt(text, pos);
    pos += Utf8SeqLen(lead);
  }
  return width;
}

std::size_t OffsetOfWidth(std::string_view text, int width, int* reached) {
  std::size_t end = 0;
  int covered = 0;
  ForEachChar(text, [&](std::size_t pos, std::size_t len, int w) {
    if (covered + w > width) return false;
    covered += w;
    end = pos + len;
    return true;
  });
  if (reached) *reached = covered;
  return end;
}

std::string SliceMB(std::string_view text, int start, int width) {
  std::string out;
  if (width <= 0) return out;
  int col = 0;
  const int stop = start + width;
  ForEachChar(text, [&](std::size_t pos, std::size_t len, int w) {
    if (col >= stop) return false;
    if (col >= start && col + w <= stop) out.append(text.substr(pos, len));
    col += w;
    return true;
  });
  return out;
}

std::string CutMB(std::string_view text, int width) {
  if (width <= 0) return {};
  return std::string(text.substr(0, OffsetOfWidth(text, width)));
}

std::string PadRight(std::string_view text, int width) {
  std::string out(text);
  int w = MBWidth(text);
  if (w < width) out.append(static_cast<std::size_t>(width - w), ' ');
  return out;
}

std::string PadLeft(std::string_view text, int width) {
  int w = MBWidth(text);
  if (w >= width) return std::string(text);
  std::string out(static_cast<std::size_t>(width - w), ' ');
  out.append(text);
  return out;
}

std::string FitRight(std::string_view text, int width) {
  return PadRight(CutMB(text, width), width);
}

}  // namespace kondra
