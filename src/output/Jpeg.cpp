#include "output/Jpeg.h"

// jpeglib.h needs the size type and FILE declared before it.
#include <cstddef>
#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>

#include <cstdlib>
#include <vector>

#include "env/FileSystem.h"
#include "env/Messages.h"

namespace kondra {

namespace {

// The library reports errors through this; error_exit jumps back instead of
// ending the program.
struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
  (*info->err->format_message)(info, trap->message);
  std::longjmp(trap->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings are not shown

// The pointer is an hourglass for as long as this lives.
class Hourglass {
 public:
  Hourglass() { Face().SetPointerShape(PointerShape::Hourglass); }
  ~Hourglass() { Face().SetPointerShape(PointerShape::Arrow); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;
};

void ReportFile(const std::string& what, const std::string& path, const std::string& why) {
  MsgBox(what + CR + CR + path + CR + why, 4, 1);
}

// Runs the encoder. No C++ object with a destructor may live between the
// setjmp and the library calls, so the work is done here on plain memory.
bool Compress(const RgbImage& image, int quality, unsigned char** out, unsigned long* size, char* message) {
  jpeg_compress_struct info;
  ErrorTrap trap;
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = OnError;
  trap.manager.emit_message = OnMessage;
  if (setjmp(trap.jump)) {
    jpeg_destroy_compress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", trap.message);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.density_unit = 2;  // dots per centimetre
  info.X_density = static_cast<UINT16>((image.dotsPerMetreX + 50) / 100);
  info.Y_density = static_cast<UINT16>((image.dotsPerMetreY + 50) / 100);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.Pixel(0, static_cast<int32_t>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

struct Decoded {
  int32_t width = 0;
  int32_t height = 0;
  int components = 0;
  bool cmyk = false;
  bool adobe = false;
  int32_t ppmX = 3780;
  int32_t ppmY = 3780;
  unsigned char* pixels = nullptr;  // malloc'd, width × height × components
};

bool Decompress(std::string_view data, Decoded& out, char* message) {
  jpeg_decompress_struct info;
  ErrorTrap trap;
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = OnError;
  trap.manager.emit_message = OnMessage;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    std::free(out.pixels);
    out.pixels = nullptr;
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", trap.message);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxBitmapSide ||
      info.image_height > kMaxBitmapSide ||
      static_cast<int64_t>(info.image_width) * info.image_height > kMaxBitmapPixels) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", "JPEG画像の大きさが正しくありません");
    return false;
  }
  out.cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  out.adobe = info.saw_Adobe_marker;
  info.out_color_space = out.cmyk ? JCS_CMYK : JCS_RGB;
  if (info.density_unit == 1) {
    out.ppmX = static_cast<int32_t>(info.X_density * 10000 / 254);
    out.ppmY = static_cast<int32_t>(info.Y_density * 10000 / 254);
  } else if (info.density_unit == 2) {
    out.ppmX = info.X_density * 100;
    out.ppmY = info.Y_density * 100;
  }
  jpeg_start_decompress(&info);
  out.width = static_cast<int32_t>(info.output_width);
  out.height = static_cast<int32_t>(info.output_height);
  out.components = info.output_components;
  std::size_t stride = static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.components);
  out.pixels = static_cast<unsigned char*>(std::malloc(stride * static_cast<std::size_t>(out.height)));
  if (!out.pixels) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", "メモリが足りません");
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.pixels + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

std::string EncodeJpeg(const RgbImage& image, int quality) {
  if (image.width <= 0 || image.height <= 0) return {};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX] = {};
  bool ok = Compress(image, quality, &buffer, &size, message);
  std::string out;
  if (ok && buffer) out.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return out;
}

std::optional<RgbImage> DecodeJpeg(std::string_view data, std::string* error) {
  Decoded d;
  char message[JMSG_LENGTH_MAX] = {};
  if (!Decompress(data, d, message)) {
    if (error) *error = std::string("JPEG画像を読めません: ") + message;
    return std::nullopt;
  }
  RgbImage image(d.width, d.height);
  image.dotsPerMetreX = d.ppmX > 0 ? d.ppmX : 3780;
  image.dotsPerMetreY = d.ppmY > 0 ? d.ppmY : 3780;
  for (int32_t y = 0; y < d.height; ++y) {
    for (int32_t x = 0; x < d.width; ++x) {
      const unsigned char* s =
          d.pixels + (static_cast<std::size_t>(y) * static_cast<std::size_t>(d.width) + static_cast<std::size_t>(x)) *
                         static_cast<std::size_t>(d.components);
      uint8_t* p = image.Pixel(x, y);
      if (d.cmyk) {
        // Adobe writes CMYK inverted.
        int c = s[0], m = s[1], yy = s[2], k = s[3];
        if (!d.adobe) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
        p[0] = static_cast<uint8_t>(c * k / 255);
        p[1] = static_cast<uint8_t>(m * k / 255);
        p[2] = static_cast<uint8_t>(yy * k / 255);
      } else {
        p[0] = s[0], p[1] = s[1], p[2] = s[2];
      }
    }
  }
  std::free(d.pixels);
  return image;
}

bool BmpToJpeg(const std::string& bmpPath, const std::string& jpgPath) {
  if (!fs::IsFile(bmpPath)) return false;
  Hourglass hourglass;
  std::string bytes, why;
  if (!fs::ReadWhole(bmpPath, bytes, &why)) {
    ReportFile("ビットマップファイルを読めません。", bmpPath, why);
    return false;
  }
  std::optional<RgbImage> image = DecodeBmp(bytes, &why);
  if (!image) {
    ReportFile("ビットマップファイルを読めません。", bmpPath, why);
    return false;
  }
  std::string jpeg = EncodeJpeg(*image);
  if (jpeg.empty()) {
    ReportFile("JPEGファイルを作れません。", jpgPath, "JPEG画像に変換できませんでした");
    return false;
  }
  if (!fs::WriteWhole(jpgPath, jpeg, &why)) {
    ReportFile("JPEGファイルを保存できません。", jpgPath, why);
    return false;
  }
  return true;
}

bool JpegToBmp(const std::string& jpgPath, const std::string& bmpPath, PixelFormat format) {
  if (!fs::IsFile(jpgPath)) return false;
  Hourglass hourglass;
  std::string bytes, why;
  if (!fs::ReadWhole(jpgPath, bytes, &why)) {
    ReportFile("JPEGファイルを読めません。", jpgPath, why);
    return false;
  }
  std::optional<RgbImage> image = DecodeJpeg(bytes, &why);
  if (!image) {
    ReportFile("JPEGファイルを読めません。", jpgPath, why);
    return false;
  }
  if (!fs::WriteWhole(bmpPath, EncodeBmp(*image, format), &why)) {
    ReportFile("ビットマップファイルを保存できません。", bmpPath, why);
    return false;
  }
  return true;
}

}  // namespace kondra
