// Bitmap pictures in memory and the Windows bitmap file format (.BMP).
//
// Reads uncompressed bitmaps of 1, 4, 8, 16, 24 and 32 bits per pixel
// (palette, RGB and bit-field forms, bottom-up or top-down) and writes 24-
// or 32-bit ones, bottom-up as the format's readers expect.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kondra {

// An RGB picture, 3 bytes a pixel (red, green, blue), top row first.
struct RgbImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
  int32_t dotsPerMetreX = 3780;  // 96 dpi
  int32_t dotsPerMetreY = 3780;

  RgbImage() = default;
  RgbImage(int32_t w, int32_t h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}
  uint8_t* Pixel(int32_t x, int32_t y) { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
  const uint8_t* Pixel(int32_t x, int32_t y) const {
    return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
  }
};

// Pixel formats a bitmap file is written in.
enum class PixelFormat { pf24bit, pf32bit };

// The largest side and the most pixels accepted (a few bytes of a JPEG
// file may claim any size).
inline constexpr int32_t kMaxBitmapSide = 30000;
inline constexpr int64_t kMaxBitmapPixels = 50'000'000;

// Decodes a bitmap file. Nothing, with `error` saying why, for data that is
// not a bitmap this program can read.
std::optional<RgbImage> DecodeBmp(std::string_view data, std::string* error = nullptr);

// Encodes a bitmap file.
std::string EncodeBmp(const RgbImage& image, PixelFormat format = PixelFormat::pf24bit);

// Bits per pixel of a bitmap file's header (0 when it is not a bitmap).
int BmpBitsPerPixel(std::string_view data);

}  // namespace kondra
