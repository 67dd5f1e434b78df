#include "output/ReportPages.h"

#include <gtest/gtest.h>

namespace kondra {
namespace {

TEST(ReportPages, PageBoxTakesTheA4Shape) {
  struct Case {
    int32_t w, h;
    bool vista;
    int32_t fw, fh, zoom;
  };
  const Case cases[] = {
      {401, 600, false, 401, 567, 51},  // too tall: height cut
      {500, 600, false, 424, 600, 53},  // too wide: width cut
      {401, 565, false, 400, 565, 50},  // 1.409 is below 1.41: the width follows the height
      {794, 1123, false, 794, 1123, 100},
      {399, 600, true, 401, 567, 51},   // Vista frames: 2 wider first
  };
  for (const Case& c : cases) {
    PageBox box = FitPageBox(c.w, c.h, c.vista);
    EXPECT_EQ(box.width, c.fw) << c.w << "x" << c.h;
    EXPECT_EQ(box.height, c.fh) << c.w << "x" << c.h;
    EXPECT_EQ(ZoomForWidth(box.width), c.zoom) << c.w << "x" << c.h;
  }
}

TEST(ReportPages, ShrinkCaption) { EXPECT_EQ(ShrinkCaption(51), "51％縮小"); }

TEST(ReportPages, FooterLine) {
  const std::string stamp = "2026/01/02 03:04:05";
  EXPECT_EQ(FooterLine(stamp, "Kondra.EXE Ver.8.20", 1, 1), "2026/01/02 03:04:05 Kondra Ver.8.20");
  EXPECT_EQ(FooterLine(stamp, "Kondra.EXE Ver.8.20", 2, 3), "2026/01/02 03:04:05 Kondra Ver.8.20 2/3");
  EXPECT_EQ(FooterLine(stamp, "HG.EXE Ver.1.EXE", 1, 2), "2026/01/02 03:04:05 HG Ver.1.EXE 1/2");
}

TEST(ReportPages, HardCopySizes) {
  struct Case {
    int32_t method, iw, ih;
    int32_t w, h;
  };
  // A 640 × 480 window on a 600 dpi printer with a 4725 × 6780 printable area.
  const Case cases[] = {
      {1, 640, 480, 4000, 3000},  // the on-screen size: 640 / 96 inch
      {2, 640, 480, 4725, 3543},  // fitted: the width limits (480 × 4725 / 640)
      {2, 300, 900, 2260, 6780},  // fitted: the height limits (300 × 6780 / 900)
      {3, 640, 480, 640, 480},    // one dot a pixel
  };
  for (const Case& c : cases) {
    PageBox box = HardCopySize(c.method, c.iw, c.ih, 96, 600, 600, 4725, 6780);
    EXPECT_EQ(box.width, c.w) << "method " << c.method;
    EXPECT_EQ(box.height, c.h) << "method " << c.method;
  }
}

}  // namespace
}  // namespace kondra
