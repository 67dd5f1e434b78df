// JPEG pictures through the IJG library (libjpeg), and the conversions
// between bitmap and JPEG files that the window capture uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "output/Bitmap.h"

namespace kondra {

// The library's default quality.
inline constexpr int kJpegDefaultQuality = 75;

// Encodes an RGB picture as a baseline JPEG file.
std::string EncodeJpeg(const RgbImage& image, int quality = kJpegDefaultQuality);
// Decodes a JPEG file to RGB (grey and CMYK pictures are converted). Nothing,
// with `error` saying why, for data the library cannot read.
std::optional<RgbImage> DecodeJpeg(std::string_view data, std::string* error = nullptr);

// Loads the bitmap file bmpPath, converts it to a JPEG picture with the
// library's default settings and saves it as jpgPath, whole and atomically;
// the pointer shows the hourglass meanwhile. Nothing happens when bmpPath
// does not exist. A file that cannot be read or written is reported in a box
// naming it. True when the JPEG file was written.
bool BmpToJpeg(const std::string& bmpPath, const std::string& jpgPath);

// Loads the JPEG file jpgPath and saves it as a bitmap file in `format` as
// bmpPath, the same way.
bool JpegToBmp(const std::string& jpgPath, const std::string& bmpPath, PixelFormat format);

}  // namespace kondra
