#include "output/ReportPages.h"

#include <cmath>

#include "env/Text.h"

namespace kondra {

int32_t ReportPageCount = 0;
int32_t ReportPage = 0;
bool ReportFullSize = false;
int32_t ReportZoom = 50;
std::array<bool, kMaxReportPages + 1> ReportPageBuilt{};

namespace {

int32_t RoundEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

}  // namespace

PageBox FitPageBox(int32_t width, int32_t height, bool vistaFrames) {
  PageBox box{width + (vistaFrames ? 2 : 0), height};
  if (box.width <= 0 || box.height <= 0) return box;
  const float ratio = static_cast<float>(box.height) / static_cast<float>(box.width);
  if (ratio > 1.41f) {
    box.height = RoundEven(box.width * 1.414);
  } else if (ratio < 1.41f) {
    box.width = RoundEven(box.height / 1.414);
  }
  return box;
}

int32_t ZoomForWidth(int32_t width) { return RoundEven(width * 100.0 / kReportPageWidth); }

std::string ShrinkCaption(int32_t zoom) { return std::to_string(zoom) + "％縮小"; }

std::string FooterLine(const std::string& stamp, const std::string& programName, int32_t page, int32_t pageCount) {
  std::string line = stamp + " " + ReplaceFirst(".EXE", "", programName);
  if (pageCount >= 2) line += " " + std::to_string(page) + "/" + std::to_string(pageCount);
  return line;
}

PageBox HardCopySize(int32_t method, int32_t imageWidth, int32_t imageHeight, int32_t windowDpi, int32_t printerDpiX,
                     int32_t printerDpiY, int32_t printableWidth, int32_t printableHeight) {
  const int64_t iw = imageWidth, ih = imageHeight;
  switch (method) {
    case 1:
      if (windowDpi <= 0) return {imageWidth, imageHeight};
      return {static_cast<int32_t>(iw * printerDpiX / windowDpi), static_cast<int32_t>(ih * printerDpiY / windowDpi)};
    case 2: {
      if (iw <= 0 || ih <= 0) return {0, 0};
      const int64_t width = iw * printableHeight / ih;
      if (width < printableWidth) return {static_cast<int32_t>(width), printableHeight};
      return {printableWidth, static_cast<int32_t>(ih * printableWidth / iw)};
    }
    default:
      return {imageWidth, imageHeight};
  }
}

}  // namespace kondra
