// How the psychrometric tools reach the printer.
//
// The hard copy of a tool window and the printing of the saturation curve
// report go through the program's printing services (printer choice, scaling
// dialog, the print job). They are attached here by whoever provides them;
// until then the hard-copy buttons stay disabled and a report is saved as a
// PDF file instead of printed. The report page itself is painted by the
// report window on any paint device (see HGQR.h), so a printer or a PDF file
// only needs a device.
#pragma once

#include <QPaintDevice>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace kondra {

// Prints the image of a window ("画面をハードコピー印刷").
using HardCopyHandler = std::function<void(QWidget* form)>;
// Paints a report page on a device, fitted to its page.
using PagePainter = std::function<void(QPaintDevice* device)>;
// Prints the shown page of a report window ("印刷(&P)..."): asks for the
// printer, then calls `paint` with the printer as the device.
using ReportPrintHandler = std::function<void(QWidget* reportForm, const PagePainter& paint)>;

// The name of the current printer, shown in the hint of a report's print
// button.
using PrinterNameSource = std::function<std::string()>;

void SetToolPrintHandlers(HardCopyHandler hardCopy, ReportPrintHandler reportPrint);
void SetToolPrinterName(PrinterNameSource source);
// The attached printer's name; empty when none is attached.
std::string ToolPrinterName();
bool HardCopyAvailable();
bool ReportPrintAvailable();
// Call the attached handler; nothing when none is attached.
void HardCopyTool(QWidget* form);
void PrintToolReport(QWidget* reportForm, const PagePainter& paint);

// Asks where a report is to be saved as a PDF file when no printing services
// are attached: a file path, or nothing when the user cancels. The platform's
// save dialog unless replaced (tests replace it).
using PdfPathChooser = std::function<std::optional<std::string>(QWidget* parent, const std::string& suggested)>;
void SetPdfPathChooser(PdfPathChooser chooser);
std::optional<std::string> ChoosePdfPath(QWidget* parent, const std::string& suggested);

}  // namespace kondra
