#include "output/Metafile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EmfRecording.h"
#include "output/EmfCanvas.h"

namespace kondra {
namespace {

// A 140 × 142 picture with a little drawing, made for a 1920 × 1080 screen
// at `dpi`.
std::string Picture(int32_t dpi = 96) {
  EmfCanvas canvas(140, 142, "【層構成図】", EmfDevice{1920, 1080, dpi, dpi});
  canvas.brush = {0x00FF00, BrushStyle::Solid};
  canvas.FillRect(10, 10, 50, 60);
  canvas.pen = {0x0000FF, PenMode::Copy, 1, PenStyle::Solid};
  canvas.Line({0, 0}, {139, 141});
  canvas.TextOut(5, 5, "結露", false);
  return canvas.Finish();
}

int32_t I32(const std::string& data, std::size_t at) {
  int32_t v;
  std::memcpy(&v, data.data() + at, 4);
  return v;
}

class MetafileTest : public ::testing::Test {
 protected:
  void TearDown() override { SetMetafileScreen(EmfDevice{}); }
};

TEST_F(MetafileTest, HeaderDescribesThePictureAndItsDevice) {
  std::string data = Picture();
  std::optional<EmfHeader> h = ReadEmfHeader(data);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->boundsLeft, 0);
  EXPECT_EQ(h->boundsTop, 0);
  EXPECT_EQ(h->boundsRight, 139);
  EXPECT_EQ(h->boundsBottom, 141);
  // 140 × 2540 / 96 = 3704.2, 142 × 2540 / 96 = 3757.1 hundredths of a mm.
  EXPECT_EQ(h->frameLeft, 0);
  EXPECT_EQ(h->frameTop, 0);
  EXPECT_EQ(h->frameRight, 3704);
  EXPECT_EQ(h->frameBottom, 3757);
  EXPECT_EQ(h->deviceWidthPixels, 1920);
  EXPECT_EQ(h->deviceHeightPixels, 1080);
  EXPECT_EQ(h->deviceWidthMm, 508);
  EXPECT_EQ(h->deviceHeightMm, 286);  // 285.75
  EXPECT_EQ(h->deviceWidthUm, 508000);
  EXPECT_EQ(h->deviceHeightUm, 285750);
  EXPECT_EQ(h->bytes, data.size());
  EXPECT_EQ(h->records, test::RecordTypes(data).size());
  EXPECT_EQ(h->description, "Kondra/【層構成図】");
  EXPECT_EQ(h->DeviceWidth(), 140);
  EXPECT_EQ(h->DeviceHeight(), 142);
  EXPECT_EQ(h->WidthAt(96), 140);
  EXPECT_EQ(h->HeightAt(96), 142);
  std::vector<uint32_t> types = test::RecordTypes(data);
  EXPECT_EQ(types.front(), kEmrHeader);
  EXPECT_EQ(types.back(), kEmrEof);
}

TEST_F(MetafileTest, ResolutionRewritesFrameAndDeviceSize) {
  struct Case {
    int32_t dpi;
    int32_t frameW, frameH, mmW, mmH;
  } cases[] = {
      {96, 3704, 3757, 508, 286},
      {192, 1852, 1879, 254, 143},
      {72, 4939, 5009, 677, 381},
      {300, 1185, 1202, 163, 91},
  };
  for (const Case& c : cases) {
    std::string data = Picture();
    ASSERT_TRUE(SetMetafileResolution(data, c.dpi, c.dpi));
    std::optional<EmfHeader> h = ReadEmfHeader(data);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->frameRight, c.frameW) << c.dpi;
    EXPECT_EQ(h->frameBottom, c.frameH) << c.dpi;
    EXPECT_EQ(h->deviceWidthMm, c.mmW) << c.dpi;
    EXPECT_EQ(h->deviceHeightMm, c.mmH) << c.dpi;
    // The device's pixels stay, and so does the picture's size in them.
    EXPECT_EQ(h->deviceWidthPixels, 1920);
    EXPECT_EQ(h->DeviceWidth(), 140) << c.dpi;
    EXPECT_EQ(h->DeviceHeight(), 142) << c.dpi;
    EXPECT_EQ(h->WidthAt(c.dpi), 140) << c.dpi;
    EXPECT_EQ(h->HeightAt(c.dpi), 142) << c.dpi;
  }
}

TEST_F(MetafileTest, TwiceTheResolutionHalvesFrameAndSize) {
  std::string at96 = Picture();
  std::string at192 = at96;
  ASSERT_TRUE(SetMetafileResolution(at96, 96, 96));
  ASSERT_TRUE(SetMetafileResolution(at192, 192, 192));
  EmfHeader a = *ReadEmfHeader(at96), b = *ReadEmfHeader(at192);
  EXPECT_NEAR(b.frameRight * 2, a.frameRight, 1);
  EXPECT_NEAR(b.frameBottom * 2, a.frameBottom, 1);
  EXPECT_EQ(b.deviceWidthMm * 2, a.deviceWidthMm);
  EXPECT_NEAR(b.deviceHeightMm * 2, a.deviceHeightMm, 1);
  EXPECT_EQ(b.deviceWidthUm * 2, a.deviceWidthUm);
  EXPECT_EQ(b.deviceHeightUm * 2, a.deviceHeightUm);
  // Only the header changes.
  std::size_t header = a.headerSize;
  EXPECT_EQ(at96.substr(header), at192.substr(header));
  EXPECT_EQ(at96.size(), at192.size());
}

TEST_F(MetafileTest, RewritingForTheSameResolutionKeepsThePicture) {
  // Whole millimetres of the device are not exact (1080 px are 285.75 mm);
  // repeated rewrites must not let the picture shrink a pixel at a time.
  std::string data = Picture();
  std::string first;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(SetMetafileResolution(data, 96, 96));
    if (i == 0) first = data;
  }
  EXPECT_EQ(data, first);
  EXPECT_EQ(ReadEmfHeader(data)->DeviceHeight(), 142);
  // Back and forth between resolutions comes back to the same header.
  ASSERT_TRUE(SetMetafileResolution(data, 120, 144));
  ASSERT_TRUE(SetMetafileResolution(data, 96, 96));
  EXPECT_EQ(data, first);
}

TEST_F(MetafileTest, ZeroResolutionIsTheScreens) {
  SetMetafileScreen(EmfDevice{1280, 1024, 144, 144});
  EXPECT_EQ(MetafileScreen().dpiX, 144);
  std::string data = Picture();
  ASSERT_TRUE(SetMetafileResolution(data, 0, 0));
  EmfHeader h = *ReadEmfHeader(data);
  EXPECT_EQ(h.frameRight, 2469);  // 140 × 2540 / 144
  EXPECT_EQ(h.frameBottom, 2505);
  // A canvas made without naming a device is made for the screen.
  EmfCanvas canvas(100, 50);
  std::string plain = canvas.Finish();
  EmfHeader p = *ReadEmfHeader(plain);
  EXPECT_EQ(p.deviceWidthPixels, 1280);
  EXPECT_EQ(p.frameRight, 1764);
  // Nonsense is replaced by the defaults.
  SetMetafileScreen(EmfDevice{0, -5, 0, 0});
  EXPECT_EQ(MetafileScreen(), EmfDevice{});
}

TEST_F(MetafileTest, DamagedDataIsRefusedAndLeftAlone) {
  std::string good = Picture();
  std::vector<std::string> bad = {
      "",
      "BM6\0\0\0"
      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
      good.substr(0, 60),                // header cut
      good.substr(0, good.size() - 4),  // end record cut
      good.substr(0, good.size() - 20),  // end record missing
  };
  // A record whose size runs past the end.
  std::string overrun = good;
  std::size_t second = static_cast<std::size_t>(I32(good, 4));
  uint32_t huge = 0x7FFFFFF0;
  std::memcpy(overrun.data() + second + 4, &huge, 4);
  bad.push_back(overrun);
  // A record size that is not a multiple of 4.
  std::string odd = good;
  uint32_t size;
  std::memcpy(&size, odd.data() + second + 4, 4);
  size += 2;
  std::memcpy(odd.data() + second + 4, &size, 4);
  bad.push_back(odd);
  for (std::size_t i = 0; i < bad.size(); ++i) {
    std::string data = bad[i];
    std::string error;
    EXPECT_FALSE(SetMetafileResolution(data, 192, 192, &error)) << i;
    EXPECT_FALSE(error.empty()) << i;
    EXPECT_EQ(data, bad[i]) << i;
    test::RecordingTarget target;
    EXPECT_FALSE(PlayMetafile(bad[i], target)) << i;
    EXPECT_TRUE(target.fills.empty() && target.strokes.empty() && target.texts.empty()) << i;
  }
}

TEST(MetafileText, Utf16BothWays) {
  EXPECT_EQ(Utf16Of("A結露℃"), u"A結露℃");
  EXPECT_EQ(Utf16Of("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Utf16Of("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf16Of("\xE7\xB5"), u"\uFFFD\uFFFD");  // cut short
  EXPECT_EQ(Utf8Of(u"ＭＳ ゴシック"), "ＭＳ ゴシック");
  EXPECT_EQ(Utf8Of(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8Of(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kondra
