#include "output/PrinterInfo.h"

#include <cmath>

#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Text.h"
#include "records/TableFile.h"

namespace kondra {

PrinterInfoType PrinterInfo;
int32_t PrintMethod = pmCancelled;

namespace {

// Rounded to nearest, ties to even (the current rounding mode is never changed).
int32_t RoundEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

}  // namespace

bool IsPdfPrinterName(const std::string& deviceName) { return Contains("Acrobat", deviceName); }

int32_t PrinterDotsToMm(int32_t value, char axis) {
  const PrinterInfoType& p = PrinterInfo;
  if (p.DeviceName.empty() || p.DpiX == 0 || p.DpiY == 0) return 0;
  if (axis == 'X') return RoundEven(value * 25.4 / p.DpiX);
  if (axis == 'Y') return RoundEven(value * 25.4 / p.DpiY);
  return value;
}

std::string PaperKey(int32_t pageWidth, int32_t pageHeight, int32_t dpiX, int32_t dpiY) {
  const int32_t w = dpiX ? RoundEven(pageWidth * 25.4 / dpiX) : 0;
  const int32_t h = dpiY ? RoundEven(pageHeight * 25.4 / dpiY) : 0;
  return "(" + std::to_string(w) + "x" + std::to_string(h);
}

std::string MatchPaperName(const std::string& key) {
  if (DT_RowCount <= 0) return std::string();
  for (int32_t row = 1; row <= DT_RowCount; ++row)
    if (Contains(key, DT_Name[row])) return DT_Name[row];
  return DT_Name[DT_RowCount];
}

void TakePrinterFacts(const PrinterFacts& f) {
  PrinterInfoType& p = PrinterInfo;
  p.PageWidth = f.PageWidth;
  p.PageHeight = f.PageHeight;
  p.PrintableWidth = f.PrintableWidth;
  p.PrintableHeight = f.PrintableHeight;
  p.OffsetX = f.OffsetX;
  p.OffsetY = f.OffsetY;
  p.MarginLeft = f.OffsetX;
  p.MarginRight = f.PageWidth - f.PrintableWidth - f.OffsetX;
  p.MarginTop = f.OffsetY;
  p.MarginBottom = f.PageHeight - f.PrintableHeight - f.OffsetY;
  p.DpiX = f.DpiX;
  p.DpiY = f.DpiY;
  // The millimetres need the name set (an empty name means no printer).
  p.DeviceName = f.DeviceName;
  p.PageWidthMm = PrinterDotsToMm(p.PageWidth, 'X');
  p.PageHeightMm = PrinterDotsToMm(p.PageHeight, 'Y');
  p.PrintableWidthMm = PrinterDotsToMm(p.PrintableWidth, 'X');
  p.PrintableHeightMm = PrinterDotsToMm(p.PrintableHeight, 'Y');
  p.MarginLeftMm = PrinterDotsToMm(p.MarginLeft, 'X');
  p.MarginRightMm = PrinterDotsToMm(p.MarginRight, 'X');
  p.MarginTopMm = PrinterDotsToMm(p.MarginTop, 'Y');
  p.MarginBottomMm = PrinterDotsToMm(p.MarginBottom, 'Y');
  p.Scale = f.Scale;
  p.Quality = f.Quality;
  p.ColorMode = f.ColorMode;
  p.FormName = f.FormName;
  p.DialogMode = 0;
  p.IsPdf = f.WritesPdf || IsPdfPrinterName(f.DeviceName);
  // A missing paper file only leaves the paper unnamed.
  const std::string paperFile = DatDir + kPaperFileName;
  if (!DatDir.empty() && fs::IsFile(paperFile) && DataLoad(paperFile)) {
    p.PaperName = MatchPaperName(PaperKey(p.PageWidth, p.PageHeight, p.DpiX, p.DpiY));
  } else {
    p.PaperName.clear();
  }
}

void ForgetPrinter() { PrinterInfo.DeviceName.clear(); }

}  // namespace kondra
