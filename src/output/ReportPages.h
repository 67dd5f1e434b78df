// The state of the open report window and the arithmetic of its preview:
// fitting the page into the window at an A-series shape, the zoom, the
// footer line; and the size of a window printed as a hard copy.
//
// One report window is open at a time; creating one resets the state.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kondra {

// An A4 page at zoom 100.
inline constexpr int kReportPageWidth = 794;
inline constexpr int kReportPageHeight = 1123;
inline constexpr int kMaxReportPages = 24;

extern int32_t ReportPageCount;  // pages (tabs) of the open report window
extern int32_t ReportPage;       // page shown, 1-based; 0 = none yet
extern bool ReportFullSize;      // shown at 100 % (else shrunk to the window)
extern int32_t ReportZoom;       // %
extern std::array<bool, kMaxReportPages + 1> ReportPageBuilt;  // [0..24]

// The preview box cut to the page's shape: a box taller than 1.41 times its
// width loses height, a wider one loses width (1.414, rounded to nearest,
// ties to even). Where the environment names Windows Vista the box is taken
// 2 pixels wider first (its frames were thinner).
struct PageBox {
  int32_t width = 0;
  int32_t height = 0;
};
PageBox FitPageBox(int32_t width, int32_t height, bool vistaFrames);
// The zoom at which a page fills the width: round(width × 100 / 794).
int32_t ZoomForWidth(int32_t width);
// The caption of the shrink button: "51％縮小".
std::string ShrinkCaption(int32_t zoom);

// The footer's date and program line: stamp + " " + the program name without
// its ".EXE", and " page/count" when the window has two pages or more.
std::string FooterLine(const std::string& stamp, const std::string& programName, int32_t page, int32_t pageCount);

// A window image of imageWidth × imageHeight pixels (shown at windowDpi) on
// the printer: the size in printer dots for the scaling (PrintMethod 1 the
// on-screen size, 2 fitted into the printable area keeping the proportions,
// 3 one dot per pixel).
PageBox HardCopySize(int32_t method, int32_t imageWidth, int32_t imageHeight, int32_t windowDpi, int32_t printerDpiX,
                     int32_t printerDpiY, int32_t printableWidth, int32_t printableHeight);

}  // namespace kondra
