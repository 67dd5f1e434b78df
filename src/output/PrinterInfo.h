// The current printer as the program knows it, and the paper it is set to.
//
// PrinterInfo is one process-wide record, refreshed by CheckPrinter (the
// gui's printing services read the platform's printer and hand its facts to
// TakePrinterFacts below). Dot values are printer device units; every "Mm"
// value is rounded to whole millimetres.
//
// The paper name comes from DatDir + "印刷用紙.DAT": the first row whose
// column 1 contains "(" + width + "x" + height of the page in whole
// millimetres, else the last row; empty when the file is missing or empty.
#pragma once

#include <cstdint>
#include <string>

namespace kondra {

struct PrinterInfoType {
  std::string DeviceName;  // empty: no usable printer
  std::string PaperName;   // the matching row of 印刷用紙.DAT
  std::string FormName;    // the driver's name of the paper size
  int32_t PageWidth = 0, PageHeight = 0;            // physical page, dots
  int32_t PrintableWidth = 0, PrintableHeight = 0;  // printable area, dots
  int32_t OffsetX = 0, OffsetY = 0;                 // printable area from the page corner
  int32_t MarginLeft = 0, MarginRight = 0;
  int32_t MarginTop = 0, MarginBottom = 0;
  int32_t DpiX = 0, DpiY = 0;
  int32_t Scale = 100;    // %
  int32_t Quality = 0;    // print quality (dots per inch)
  int32_t ColorMode = 0;  // 1 monochrome, 2 colour
  int32_t DialogMode = 0; // the mode last passed to AskPrintMethod
  bool IsPdf = false;     // the printer writes PDF files
  int32_t PageWidthMm = 0, PageHeightMm = 0;
  int32_t PrintableWidthMm = 0, PrintableHeightMm = 0;
  int32_t MarginLeftMm = 0, MarginRightMm = 0;
  int32_t MarginTopMm = 0, MarginBottomMm = 0;
};
extern PrinterInfoType PrinterInfo;

// The scaling chosen in the print-method dialog.
enum PrintMethodKind : int32_t { pmCancelled = 0, pmProportional = 1, pmPrintToFit = 2, pmNone = 3 };
extern int32_t PrintMethod;

// What the platform tells about a printer.
struct PrinterFacts {
  std::string DeviceName;
  std::string FormName;
  int32_t PageWidth = 0, PageHeight = 0;
  int32_t PrintableWidth = 0, PrintableHeight = 0;
  int32_t OffsetX = 0, OffsetY = 0;
  int32_t DpiX = 0, DpiY = 0;
  int32_t Scale = 100;
  int32_t Quality = 0;
  int32_t ColorMode = 2;
  // A printer that writes PDF files whatever its name (the built-in one).
  bool WritesPdf = false;
};

inline constexpr const char* kPaperFileName = "印刷用紙.DAT";
inline constexpr const char* kNoPrinterText = "デフォルトプリンターが設定されていないので、印刷はできません。";

// A printer whose name says it writes PDF files.
bool IsPdfPrinterName(const std::string& deviceName);

// Fills PrinterInfo from the facts: margins, millimetres, DialogMode 0,
// IsPdf, and the paper name from 印刷用紙.DAT (which replaces the shared
// data table).
void TakePrinterFacts(const PrinterFacts& facts);
// The printer is gone: DeviceName empty, the rest as it was.
void ForgetPrinter();

// Dots of PrinterInfo's printer in millimetres along 'X' or 'Y' (rounded to
// nearest, ties to even); 0 without a printer or a resolution; any other
// axis gives the value back.
int32_t PrinterDotsToMm(int32_t value, char axis);

// "(" + W + "x" + H with the page size in whole millimetres.
std::string PaperKey(int32_t pageWidth, int32_t pageHeight, int32_t dpiX, int32_t dpiY);
// The paper row of the shared data table for the key (the last row when none
// contains it, empty for an empty table).
std::string MatchPaperName(const std::string& key);

}  // namespace kondra
