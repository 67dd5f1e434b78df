#include "output/Bitmap.h"

#include <array>
#include <bit>

namespace kondra {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeader = 14;

void SetError(std::string* error, const char* text) {
  if (error) *error = text;
}

uint32_t U16(std::string_view d, std::size_t at) {
  return static_cast<uint8_t>(d[at]) | (static_cast<uint32_t>(static_cast<uint8_t>(d[at + 1])) << 8);
}

uint32_t U32(std::string_view d, std::size_t at) { return U16(d, at) | (U16(d, at + 2) << 16); }

void Put16(std::string& d, uint32_t v) {
  d.push_back(static_cast<char>(v & 0xFF));
  d.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& d, uint32_t v) {
  Put16(d, v & 0xFFFF);
  Put16(d, v >> 16);
}

// A channel of a bit-field pixel scaled to 8 bits.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  uint32_t max = mask >> shift;
  uint32_t v = (pixel & mask) >> shift;
  return static_cast<uint8_t>((v * 255 + max / 2) / max);
}

}  // namespace

int BmpBitsPerPixel(std::string_view data) {
  if (data.size() < kFileHeader + 12 || data[0] != 'B' || data[1] != 'M') return 0;
  if (U32(data, kFileHeader) == 12) return static_cast<int>(U16(data, kFileHeader + 10));
  if (data.size() < kFileHeader + 16) return 0;
  return static_cast<int>(U16(data, kFileHeader + 14));
}

std::optional<RgbImage> DecodeBmp(std::string_view data, std::string* error) {
  if (data.size() < kFileHeader + 12 || data[0] != 'B' || data[1] != 'M') {
    SetError(error, "ビットマップ形式ではありません");
    return std::nullopt;
  }
  uint32_t offBits = U32(data, 10);
  uint32_t headerSize = U32(data, kFileHeader);
  bool core = headerSize == 12;
  if (!core && (headerSize < 40 || headerSize > data.size() - kFileHeader)) {
    SetError(error, "ビットマップのヘッダーが正しくありません");
    return std::nullopt;
  }
  int64_t width = 0, height = 0;
  uint32_t bits = 0, compression = kBiRgb, colours = 0;
  int32_t ppmX = 3780, ppmY = 3780;
  std::array<uint32_t, 3> masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  std::size_t paletteAt = kFileHeader + headerSize;
  std::size_t paletteEntry = core ? 3 : 4;
  if (core) {
    width = U16(data, kFileHeader + 4);
    height = static_cast<int16_t>(U16(data, kFileHeader + 6));
    bits = U16(data, kFileHeader + 10);
  } else {
    width = static_cast<int32_t>(U32(data, kFileHeader + 4));
    height = static_cast<int32_t>(U32(data, kFileHeader + 8));
    bits = U16(data, kFileHeader + 14);
    compression = U32(data, kFileHeader + 16);
    ppmX = static_cast<int32_t>(U32(data, kFileHeader + 24));
    ppmY = static_cast<int32_t>(U32(data, kFileHeader + 28));
    colours = U32(data, kFileHeader + 32);
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
      // The masks follow a 40-byte header, or are part of a larger one.
      std::size_t at = kFileHeader + 40;
      if (at + 12 > data.size()) {
        SetError(error, "ビットマップのヘッダーが正しくありません");
        return std::nullopt;
      }
      masks = {U32(data, at), U32(data, at + 4), U32(data, at + 8)};
      if (headerSize == 40) paletteAt += compression == kBiAlphaBitfields ? 16 : 12;
    } else if (compression != kBiRgb) {
      SetError(error, "圧縮されたビットマップには対応していません");
      return std::nullopt;
    }
    if (bits == 16 && compression == kBiRgb) masks = {0x7C00, 0x03E0, 0x001F};
  }
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      width * height > kMaxBitmapPixels) {
    SetError(error, "ビットマップの大きさが正しくありません");
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    SetError(error, "この色数のビットマップには対応していません");
    return std::nullopt;
  }

  std::vector<std::array<uint8_t, 3>> palette;
  if (bits <= 8) {
    uint32_t n = colours == 0 || colours > (1u << bits) ? (1u << bits) : colours;
    if (paletteAt + static_cast<std::size_t>(n) * paletteEntry > data.size()) {
      SetError(error, "ビットマップの色表が欠けています");
      return std::nullopt;
    }
    for (uint32_t i = 0; i < n; ++i) {
      std::size_t at = paletteAt + i * paletteEntry;
      palette.push_back({static_cast<uint8_t>(data[at + 2]), static_cast<uint8_t>(data[at + 1]),
                         static_cast<uint8_t>(data[at])});
    }
  }

  std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (offBits > data.size() || stride * static_cast<std::size_t>(height) > data.size() - offBits) {
    SetError(error, "ビットマップの画素データが欠けています");
    return std::nullopt;
  }
  RgbImage image(static_cast<int32_t>(width), static_cast<int32_t>(height));
  image.dotsPerMetreX = ppmX > 0 ? ppmX : 3780;
  image.dotsPerMetreY = ppmY > 0 ? ppmY : 3780;
  for (int64_t row = 0; row < height; ++row) {
    std::size_t at = offBits + static_cast<std::size_t>(row) * stride;
    auto y = static_cast<int32_t>(topDown ? row : height - 1 - row);
    for (int32_t x = 0; x < image.width; ++x) {
      uint8_t* out = image.Pixel(x, y);
      if (bits <= 8) {
        std::size_t bit = static_cast<std::size_t>(x) * bits;
        auto byte = static_cast<uint8_t>(data[at + bit / 8]);
        uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        const auto& c = index < palette.size() ? palette[index] : palette.back();
        out[0] = c[0], out[1] = c[1], out[2] = c[2];
      } else if (bits == 24) {
        std::size_t p = at + static_cast<std::size_t>(x) * 3;
        out[0] = static_cast<uint8_t>(data[p + 2]);
        out[1] = static_cast<uint8_t>(data[p + 1]);
        out[2] = static_cast<uint8_t>(data[p]);
      } else {
        uint32_t px = bits == 16 ? U16(data, at + static_cast<std::size_t>(x) * 2)
                                 : U32(data, at + static_cast<std::size_t>(x) * 4);
        out[0] = Channel(px, masks[0]);
        out[1] = Channel(px, masks[1]);
        out[2] = Channel(px, masks[2]);
      }
    }
  }
  return image;
}

std::string EncodeBmp(const RgbImage& image, PixelFormat format) {
  uint32_t bits = format == PixelFormat::pf32bit ? 32 : 24;
  std::size_t bytesPerPixel = bits / 8;
  std::size_t stride = ((static_cast<std::size_t>(image.width) * bits + 31) / 32) * 4;
  auto imageSize = static_cast<uint32_t>(stride * static_cast<std::size_t>(image.height));
  std::string out;
  out.reserve(54 + imageSize);
  out += "BM";
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.width));
  Put32(out, static_cast<uint32_t>(image.height));
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, kBiRgb);
  Put32(out, imageSize);
  Put32(out, static_cast<uint32_t>(image.dotsPerMetreX));
  Put32(out, static_cast<uint32_t>(image.dotsPerMetreY));
  Put32(out, 0);
  Put32(out, 0);
  std::string row(stride, '\0');
  for (int32_t y = image.height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = image.Pixel(x, y);
      std::size_t at = static_cast<std::size_t>(x) * bytesPerPixel;
      row[at] = static_cast<char>(p[2]);
      row[at + 1] = static_cast<char>(p[1]);
      row[at + 2] = static_cast<char>(p[0]);
    }
    out += row;
  }
  return out;
}

}  // namespace kondra
