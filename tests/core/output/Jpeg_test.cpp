#include "output/Jpeg.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "env/FileSystem.h"
#include "output/Bitmap.h"
#include "support/TestEnv.h"

namespace kondra {
namespace {

// A picture with smooth colour ramps (JPEG keeps those close).
RgbImage Ramp(int32_t w, int32_t h) {
  RgbImage image(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = image.Pixel(x, y);
      p[0] = static_cast<uint8_t>(x * 255 / std::max(1, w - 1));
      p[1] = static_cast<uint8_t>(y * 255 / std::max(1, h - 1));
      p[2] = 128;
    }
  return image;
}

void Put(std::string& d, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) d.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A bitmap file of `bits` per pixel with the given rows (already packed,
// bottom row first unless `height` is negative) and palette.
std::string Bmp(int32_t width, int32_t height, int bits, const std::vector<uint32_t>& palette,
                const std::vector<std::string>& rows, uint32_t compression = 0,
                const std::vector<uint32_t>& masks = {}) {
  std::string pixels;
  for (const std::string& r : rows) {
    std::string row = r;
    while (row.size() % 4) row.push_back('\0');
    pixels += row;
  }
  uint32_t offBits = 14 + 40 + static_cast<uint32_t>(masks.size() * 4 + palette.size() * 4);
  std::string d = "BM";
  Put(d, offBits + static_cast<uint32_t>(pixels.size()), 4);
  Put(d, 0, 4);
  Put(d, offBits, 4);
  Put(d, 40, 4);
  Put(d, static_cast<uint32_t>(width), 4);
  Put(d, static_cast<uint32_t>(height), 4);
  Put(d, 1, 2);
  Put(d, static_cast<uint32_t>(bits), 2);
  Put(d, compression, 4);
  Put(d, static_cast<uint32_t>(pixels.size()), 4);
  Put(d, 3780, 4);
  Put(d, 3780, 4);
  Put(d, static_cast<uint32_t>(palette.size()), 4);
  Put(d, 0, 4);
  for (uint32_t m : masks) Put(d, m, 4);
  for (uint32_t c : palette) Put(d, c, 4);  // blue, green, red, 0
  return d + pixels;
}

std::string Px(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

std::vector<int> Rgb(const RgbImage& image, int32_t x, int32_t y) {
  const uint8_t* p = image.Pixel(x, y);
  return {p[0], p[1], p[2]};
}

TEST(Bitmap, TwentyFourAndThirtyTwoBitsRoundTrip) {
  RgbImage image = Ramp(13, 7);  // rows padded to 40 bytes
  for (PixelFormat format : {PixelFormat::pf24bit, PixelFormat::pf32bit}) {
    std::string file = EncodeBmp(image, format);
    EXPECT_EQ(BmpBitsPerPixel(file), format == PixelFormat::pf24bit ? 24 : 32);
    std::optional<RgbImage> back = DecodeBmp(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 13);
    EXPECT_EQ(back->height, 7);
    EXPECT_EQ(back->rgb, image.rgb);
  }
  // The rows are stored bottom-up, blue first.
  std::string file = EncodeBmp(image);
  EXPECT_EQ(static_cast<uint8_t>(file[54]), 128);  // blue of (0, 6)
  EXPECT_EQ(static_cast<uint8_t>(file[55]), 255);  // green of the bottom row
}

TEST(Bitmap, PaletteBitFieldAndTopDownForms) {
  struct Case {
    const char* name;
    std::string file;
    std::vector<std::vector<int>> pixels;  // (0,0), (1,0), (0,1)
  } cases[] = {
      {"1 bit", Bmp(2, 2, 1, {0x000000, 0xFFFFFF}, {Px({0x40}), Px({0x80})}),
       {{255, 255, 255}, {0, 0, 0}, {0, 0, 0}}},
      {"4 bits", Bmp(2, 2, 4, {0x0000FF, 0x00FF00, 0xFF0000}, {Px({0x21}), Px({0x01})}),
       {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}}},
      {"8 bits", Bmp(2, 2, 8, {0x102030, 0x405060}, {Px({1, 0}), Px({0, 1})}),
       {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}, {0x40, 0x50, 0x60}}},
      {"16 bits 555", Bmp(2, 2, 16, {}, {Px({0x00, 0x7C, 0x1F, 0x00}), Px({0xE0, 0x03, 0x00, 0x00})}),
       {{0, 255, 0}, {0, 0, 0}, {255, 0, 0}}},
      {"32 bits bit fields", Bmp(2, 2, 32, {}, {Px({0, 0, 0xFF, 0, 0, 0, 0, 0}), Px({0xFF, 0, 0, 0, 0, 0, 0, 0})}, 3,
                                                {0x000000FF, 0x0000FF00, 0x00FF0000}),
       {{255, 0, 0}, {0, 0, 0}, {0, 0, 255}}},
      {"top-down", Bmp(2, -2, 24, {}, {Px({1, 2, 3, 4, 5, 6}), Px({7, 8, 9, 0, 0, 0})}),
       {{3, 2, 1}, {6, 5, 4}, {9, 8, 7}}},
  };
  for (const Case& c : cases) {
    std::string error;
    std::optional<RgbImage> image = DecodeBmp(c.file, &error);
    ASSERT_TRUE(image) << c.name << ": " << error;
    EXPECT_EQ(Rgb(*image, 0, 0), c.pixels[0]) << c.name;
    EXPECT_EQ(Rgb(*image, 1, 0), c.pixels[1]) << c.name;
    EXPECT_EQ(Rgb(*image, 0, 1), c.pixels[2]) << c.name;
  }
}

TEST(Bitmap, DamagedFilesAreRefused) {
  std::string good = EncodeBmp(Ramp(4, 4));
  std::string rle = Bmp(2, 2, 8, {0, 0xFFFFFF}, {Px({0, 1}), Px({1, 0})}, 1);
  std::string zero = Bmp(0, 2, 24, {}, {});
  std::string huge = Bmp(100000, 1, 24, {}, {Px({1, 2, 3})});
  std::string twoBits = Bmp(2, 2, 2, {0, 0, 0, 0}, {Px({0}), Px({0})});
  std::string noPalette = Bmp(2, 2, 8, {}, {Px({0, 1}), Px({1, 0})}).substr(0, 54);
  for (const std::string& bad : {std::string(), std::string("GIF89a"), good.substr(0, 60), rle, zero, huge, twoBits,
                                 noPalette}) {
    std::string error;
    EXPECT_FALSE(DecodeBmp(bad, &error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(Jpeg, EncodesAndDecodesCloseToTheOriginal) {
  RgbImage image = Ramp(64, 48);
  std::string jpeg = EncodeJpeg(image);
  ASSERT_GT(jpeg.size(), 100u);
  EXPECT_EQ(static_cast<uint8_t>(jpeg[0]), 0xFF);
  EXPECT_EQ(static_cast<uint8_t>(jpeg[1]), 0xD8);
  std::optional<RgbImage> back = DecodeJpeg(jpeg);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 64);
  EXPECT_EQ(back->height, 48);
  int worst = 0;
  for (std::size_t i = 0; i < image.rgb.size(); ++i)
    worst = std::max(worst, std::abs(int(image.rgb[i]) - int(back->rgb[i])));
  EXPECT_LT(worst, 24);
  // A lower quality gives a smaller file.
  EXPECT_LT(EncodeJpeg(image, 20).size(), jpeg.size());

  std::string error;
  EXPECT_FALSE(DecodeJpeg("not a jpeg", &error));
  EXPECT_NE(error.find("JPEG"), std::string::npos);
  EXPECT_FALSE(DecodeJpeg(jpeg.substr(0, 30), &error));
}

class JpegFiles : public test::KondraTest {};

// The capture's round trip: bitmap → JPEG → 24-bit bitmap of the same size.
TEST_F(JpegFiles, BitmapToJpegAndBackToATwentyFourBitBitmap) {
  std::string bmp = temp.path() + "WCRT.BMP";
  std::string jpg = temp.path() + "WCRT.JPG";
  test::WriteBytes(bmp, EncodeBmp(Ramp(33, 21), PixelFormat::pf32bit));
  ASSERT_TRUE(BmpToJpeg(bmp, jpg));
  std::string jpeg = test::ReadBytes(jpg);
  ASSERT_TRUE(DecodeJpeg(jpeg));
  ASSERT_TRUE(JpegToBmp(jpg, bmp, PixelFormat::pf24bit));
  std::string file = test::ReadBytes(bmp);
  EXPECT_EQ(BmpBitsPerPixel(file), 24);
  std::optional<RgbImage> back = DecodeBmp(file);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 33);
  EXPECT_EQ(back->height, 21);
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(JpegFiles, MissingSourceDoesNothing) {
  std::string jpg = temp.path() + "none.JPG";
  EXPECT_FALSE(BmpToJpeg(temp.path() + "none.BMP", jpg));
  EXPECT_FALSE(fs::Exists(jpg));
  EXPECT_FALSE(JpegToBmp(jpg, temp.path() + "none.BMP", PixelFormat::pf24bit));
  EXPECT_FALSE(fs::Exists(temp.path() + "none.BMP"));
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(JpegFiles, UnreadableSourceOrFailedWriteIsReportedAndNothingLost) {
  std::string bmp = temp.path() + "bad.BMP";
  std::string jpg = temp.path() + "bad.JPG";
  test::WriteBytes(bmp, "BM not really");
  test::WriteBytes(jpg, "old picture");
  EXPECT_FALSE(BmpToJpeg(bmp, jpg));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_NE(face.boxes[0].text.find(bmp), std::string::npos);
  EXPECT_EQ(face.boxes[0].kind, 4);
  EXPECT_EQ(test::ReadBytes(jpg), "old picture");

  EXPECT_FALSE(JpegToBmp(jpg, bmp, PixelFormat::pf24bit));
  ASSERT_EQ(face.boxes.size(), 2u);
  EXPECT_NE(face.boxes[1].text.find(jpg), std::string::npos);
  EXPECT_EQ(test::ReadBytes(bmp), "BM not really");

  test::WriteBytes(bmp, EncodeBmp(Ramp(8, 8)));
  fs::SetFaultHook([](fs::Op op, const std::string&) { return op == fs::Op::WriteData ? ENOSPC : 0; });
  EXPECT_FALSE(BmpToJpeg(bmp, jpg));
  fs::SetFaultHook(nullptr);
  ASSERT_EQ(face.boxes.size(), 3u);
  EXPECT_NE(face.boxes[2].text.find(jpg), std::string::npos);
  EXPECT_EQ(test::ReadBytes(jpg), "old picture");
}

}  // namespace
}  // namespace kondra
