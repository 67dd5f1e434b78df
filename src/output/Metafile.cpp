#include "output/Metafile.h"

#include <uemf.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstddef>
#include <cstring>

namespace kondra {

namespace {

EmfDevice& Screen() {
  static EmfDevice screen;
  return screen;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

uint32_t U32At(std::string_view data, std::size_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(data[offset + static_cast<std::size_t>(i)]);
  return v;
}

int32_t I32At(std::string_view data, std::size_t offset) { return static_cast<int32_t>(U32At(data, offset)); }

void PutI32(std::string& data, std::size_t offset, int64_t value) {
  auto v = static_cast<uint32_t>(static_cast<int32_t>(value));
  for (int i = 0; i < 4; ++i) data[offset + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// a × b ÷ c rounded to the nearest integer (halves away from zero), without
// overflow on the way; a result beyond 64 bits saturates.
int64_t MulDivRound(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  long double v = static_cast<long double>(a) * static_cast<long double>(b) / static_cast<long double>(c);
  if (v >= 9.2e18L) return INT64_MAX;
  if (v <= -9.2e18L) return INT64_MIN;
  return std::llround(v);
}

bool FitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

int32_t Saturated(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Hundredths of a millimetre to pixels of a device, through the micrometre
// size when there is one (the millimetres are whole and may be a little off).
int64_t FrameToPixels(int64_t frame, int32_t pixels, int32_t mm, int32_t um) {
  if (um > 0) return MulDivRound(frame * 10, pixels, um);
  return MulDivRound(frame, pixels, int64_t{mm} * 100);
}

constexpr std::size_t kOffBounds = offsetof(U_EMRHEADER, rclBounds);
constexpr std::size_t kOffFrame = offsetof(U_EMRHEADER, rclFrame);
constexpr std::size_t kOffSignature = offsetof(U_EMRHEADER, dSignature);
constexpr std::size_t kOffBytes = offsetof(U_EMRHEADER, nBytes);
constexpr std::size_t kOffRecords = offsetof(U_EMRHEADER, nRecords);
constexpr std::size_t kOffHandles = offsetof(U_EMRHEADER, nHandles);
constexpr std::size_t kOffDescCount = offsetof(U_EMRHEADER, nDescription);
constexpr std::size_t kOffDescOffset = offsetof(U_EMRHEADER, offDescription);
constexpr std::size_t kOffDevice = offsetof(U_EMRHEADER, szlDevice);
constexpr std::size_t kOffMillimetres = offsetof(U_EMRHEADER, szlMillimeters);
constexpr std::size_t kOffMicrometres = offsetof(U_EMRHEADER, szlMicrometers);
constexpr std::size_t kMinHeader = U_SIZE_EMRHEADER_MIN;

}  // namespace

EmfDevice MetafileScreen() { return Screen(); }

void SetMetafileScreen(const EmfDevice& screen) {
  EmfDevice s = screen;
  if (s.widthPixels <= 0 || s.heightPixels <= 0) {
    s.widthPixels = EmfDevice{}.widthPixels;
    s.heightPixels = EmfDevice{}.heightPixels;
  }
  if (s.dpiX <= 0) s.dpiX = EmfDevice{}.dpiX;
  if (s.dpiY <= 0) s.dpiY = EmfDevice{}.dpiY;
  Screen() = s;
}

std::u16string Utf16Of(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto b = static_cast<uint8_t>(utf8[i]);
    uint32_t cp = 0xFFFD;
    std::size_t len = 1;
    int follow = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
    if (follow == 0) {
      cp = b;
    } else if (follow > 0 && i + static_cast<std::size_t>(follow) < utf8.size()) {
      uint32_t v = b & (0x3F >> follow);
      bool ok = true;
      for (int k = 1; k <= follow; ++k) {
        auto c = static_cast<uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
        if ((c & 0xC0) != 0x80) {
          ok = false;
          break;
        }
        v = (v << 6) | (c & 0x3F);
      }
      static const uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
      if (ok && v >= kMin[follow] && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
        cp = v;
        len = static_cast<std::size_t>(follow) + 1;
      }
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf8Of(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    uint32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

int32_t EmfHeader::WidthAt(int32_t dpi) const {
  return Saturated(MulDivRound(int64_t{frameRight} - frameLeft, dpi, 2540));
}

int32_t EmfHeader::HeightAt(int32_t dpi) const {
  return Saturated(MulDivRound(int64_t{frameBottom} - frameTop, dpi, 2540));
}

int32_t EmfHeader::DeviceWidth() const {
  return Saturated(FrameToPixels(int64_t{frameRight} - frameLeft, deviceWidthPixels, deviceWidthMm, deviceWidthUm));
}

int32_t EmfHeader::DeviceHeight() const {
  return Saturated(
      FrameToPixels(int64_t{frameBottom} - frameTop, deviceHeightPixels, deviceHeightMm, deviceHeightUm));
}

bool SplitEmf(std::string_view data, std::vector<EmfRecord>& records, std::string* error) {
  records.clear();
  if (data.size() < kMinHeader || U32At(data, 0) != kEmrHeader || U32At(data, kOffSignature) != kEmfSignature) {
    SetError(error, "拡張メタファイルではありません");
    return false;
  }
  std::size_t pos = 0;
  while (pos < data.size()) {
    if (data.size() - pos < 8) {
      SetError(error, "メタファイルの末尾が欠けています");
      return false;
    }
    uint32_t type = U32At(data, pos);
    uint32_t size = U32At(data, pos + 4);
    if (size < 8 || size % 4 != 0 || size > data.size() - pos) {
      SetError(error, "メタファイルのレコード " + std::to_string(records.size() + 1) + " の長さが正しくありません");
      return false;
    }
    if (records.empty() && size < kMinHeader) {
      SetError(error, "メタファイルのヘッダーが短すぎます");
      return false;
    }
    records.push_back({type, data.substr(pos, size)});
    pos += size;
    if (type == kEmrEof) break;
  }
  if (records.back().type != kEmrEof) {
    SetError(error, "メタファイルの終わりのレコードがありません");
    return false;
  }
  return true;
}

std::optional<EmfHeader> ReadEmfHeader(std::string_view data, std::string* error) {
  std::vector<EmfRecord> records;
  if (!SplitEmf(data, records, error)) return std::nullopt;
  std::string_view h = records.front().bytes;
  EmfHeader out;
  out.headerSize = static_cast<uint32_t>(h.size());
  out.boundsLeft = I32At(h, kOffBounds);
  out.boundsTop = I32At(h, kOffBounds + 4);
  out.boundsRight = I32At(h, kOffBounds + 8);
  out.boundsBottom = I32At(h, kOffBounds + 12);
  out.frameLeft = I32At(h, kOffFrame);
  out.frameTop = I32At(h, kOffFrame + 4);
  out.frameRight = I32At(h, kOffFrame + 8);
  out.frameBottom = I32At(h, kOffFrame + 12);
  out.bytes = U32At(h, kOffBytes);
  out.records = U32At(h, kOffRecords);
  out.handles = static_cast<uint16_t>(U32At(h, kOffHandles) & 0xFFFF);
  out.deviceWidthPixels = I32At(h, kOffDevice);
  out.deviceHeightPixels = I32At(h, kOffDevice + 4);
  out.deviceWidthMm = I32At(h, kOffMillimetres);
  out.deviceHeightMm = I32At(h, kOffMillimetres + 4);
  if (h.size() >= kOffMicrometres + 8) {
    out.deviceWidthUm = I32At(h, kOffMicrometres);
    out.deviceHeightUm = I32At(h, kOffMicrometres + 4);
  }
  uint32_t count = U32At(h, kOffDescCount);
  uint32_t offset = U32At(h, kOffDescOffset);
  if (count > 0 && offset >= kMinHeader && offset <= h.size() && count <= (h.size() - offset) / 2) {
    std::u16string text;
    for (uint32_t i = 0; i < count; ++i) {
      auto c = static_cast<char16_t>(static_cast<uint8_t>(h[offset + 2 * i]) |
                                     (static_cast<uint8_t>(h[offset + 2 * i + 1]) << 8));
      text.push_back(c);
    }
    while (!text.empty() && text.back() == 0) text.pop_back();
    for (char16_t& c : text)
      if (c == 0) c = u'/';
    out.description = Utf8Of(text);
  }
  if (out.deviceWidthPixels <= 0 || out.deviceHeightPixels <= 0 || out.deviceWidthMm <= 0 ||
      out.deviceHeightMm <= 0) {
    SetError(error, "メタファイルのヘッダーに装置の大きさがありません");
    return std::nullopt;
  }
  return out;
}

bool SetMetafileResolution(std::string& data, int32_t dpiX, int32_t dpiY, std::string* error) {
  if (dpiX <= 0) dpiX = MetafileScreen().dpiX;
  if (dpiY <= 0) dpiY = MetafileScreen().dpiY;
  std::optional<EmfHeader> header = ReadEmfHeader(data, error);
  if (!header) return false;
  // The picture's size in pixels of its device is kept. It is rounded, not
  // truncated: a frame that was itself rounded from whole pixels would
  // otherwise lose a pixel at every rewrite.
  int64_t w = FrameToPixels(int64_t{header->frameRight} - header->frameLeft, header->deviceWidthPixels,
                            header->deviceWidthMm, header->deviceWidthUm);
  int64_t h = FrameToPixels(int64_t{header->frameBottom} - header->frameTop, header->deviceHeightPixels,
                            header->deviceHeightMm, header->deviceHeightUm);
  int64_t frameW = MulDivRound(w, 2540, dpiX);
  int64_t frameH = MulDivRound(h, 2540, dpiY);
  int64_t right = FitsInt32(frameW) ? header->frameLeft + frameW : INT64_MAX;
  int64_t bottom = FitsInt32(frameH) ? header->frameTop + frameH : INT64_MAX;
  // A device is at least a millimetre wide, so the header stays readable.
  int64_t mmW = std::max<int64_t>(1, MulDivRound(header->deviceWidthPixels, 254, int64_t{dpiX} * 10));
  int64_t mmH = std::max<int64_t>(1, MulDivRound(header->deviceHeightPixels, 254, int64_t{dpiY} * 10));
  int64_t umW = std::max<int64_t>(1, MulDivRound(header->deviceWidthPixels, 25400, dpiX));
  int64_t umH = std::max<int64_t>(1, MulDivRound(header->deviceHeightPixels, 25400, dpiY));
  if (!FitsInt32(right) || !FitsInt32(bottom) || !FitsInt32(mmW) || !FitsInt32(mmH) || !FitsInt32(umW) ||
      !FitsInt32(umH)) {
    SetError(error, "メタファイルの大きさが大きすぎます");
    return false;
  }
  PutI32(data, kOffFrame + 8, right);
  PutI32(data, kOffFrame + 12, bottom);
  PutI32(data, kOffMillimetres, mmW);
  PutI32(data, kOffMillimetres + 4, mmH);
  if (header->headerSize >= kOffMicrometres + 8) {
    PutI32(data, kOffMicrometres, umW);
    PutI32(data, kOffMicrometres + 4, umH);
  }
  return true;
}

}  // namespace kondra
