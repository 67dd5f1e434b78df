// Printing: the current printer, the print-method dialog, window hard copies
// and the services of the report preview windows.
//
// The printers are the system's (through Qt Print Support) and a PDF printer
// of the program's own that is always there, so a machine without a printer
// still prints to PDF files. A print job on the PDF printer asks for the
// file and writes it whole when the job ends.
//
// A report window is found by the names of its parts, n the page number:
// the page control PCON (one tab a page), per page the scroll box SBOXn with
// the page QREPn (794 × 1123 at zoom 100; a TQuickRep, or any widget with a
// "zoom" property) and the labels QRLBLn_E (date and program), QRLBLn_N
// (user name) and QRLBLn_F (file name); the zoom buttons RBTN1 ("100％") and
// RBTN2 ("…％縮小") and the print button BBTN1. Parts a window lacks are
// skipped. The window calls InitReportWindow when it is made; on activation
// it sets BBTN1's hint to "プリンター機種：" + the printer and calls
// FitReportPage; on a tab change it sets ReportPage, builds the page when it
// is still missing (then SetReportFooter) and calls FitReportPage; the zoom
// buttons set ReportFullSize and call FitReportPage; BBTN1 calls
// PrintReportPage.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "output/PrinterInfo.h"
#include "output/ReportPages.h"

class QPaintDevice;
class QWidget;

namespace kondra {

// The PDF printer of the program.
inline constexpr const char* kPdfPrinterName = "Kondra PDF";

// The system's printers and the PDF printer (last).
QStringList PrinterNames();
// The printer jobs go to: the one chosen last while it exists, else the
// system's default printer, else the PDF printer.
QString CurrentPrinterName();
void SelectPrinter(const QString& name);

// Refreshes PrinterInfo from the current printer. Without any printer:
// "デフォルトプリンターが設定されていないので、印刷はできません。" (warning) and
// an empty DeviceName.
void CheckPrinter();

// Asks for the printer (and, for mode 1, the scaling) in the print-method
// dialog over `owner` (the active window when none). True for "はい(&Y)";
// PrintMethod holds the scaling; MsgYes/MsgCancel hold the answer.
bool AskPrintMethod(int mode, QWidget* owner = nullptr);

// Prints the window's image (asks first, with the scaling). The image is
// also kept as "WinCRT.BMP" in the user's cache folder.
void HardCopyForm(QWidget* form);

// Prints one report page drawn by `paint` (asks first, without scaling).
// The device covers the whole sheet; `paint` scales its page to the device's
// width. "〔印刷完了〕" when done.
void PrintReportPainter(QWidget* reportForm, const std::function<void(QPaintDevice*)>& paint);

void InitReportWindow(QWidget* form);
void ResetReportPages(QWidget* form);
void FitReportPage(QWidget* form);
void SetReportFooter(QWidget* form, const std::string& fileName);
void PrintReportPage(QWidget* form);

// Text of a label of a report page (a TQRLabel or a QLabel); empty when the
// page has no such label.
QString ReportLabelText(QWidget* form, const QString& name);
// Sets it; false when there is no such label.
bool SetReportLabelText(QWidget* form, const QString& name, const QString& text);

// Writes a page drawn by `paint` as a one-page A4 PDF file, whole and
// atomically. False, with `error` naming the file, when it cannot be written.
bool WritePdfPage(const std::string& path, const std::function<void(QPaintDevice*)>& paint, std::string* error);

// What the printer facts are taken from: the current printer when no probe is
// set. Tests put their own in (nothing: no printer at all).
using PrinterProbe = std::function<std::optional<PrinterFacts>()>;
void SetPrinterProbe(PrinterProbe probe);
// The facts of a printer by name (the PDF printer: A4 at 600 dpi, 5 mm
// unprintable border).
std::optional<PrinterFacts> PrinterFactsOf(const QString& name);

// The file a PDF print job writes: gets the parent and a proposed file
// (program path); nothing when cancelled. Tests put their own in.
using PdfFileDialog = std::function<std::optional<std::string>(QWidget* parent, const std::string& proposed)>;
void SetPdfFileDialog(PdfFileDialog dialog);
// Asks for a PDF file through that dialog; nothing when cancelled.
std::optional<std::string> AskPdfFile(QWidget* parent, const std::string& proposed);
// A PDF proposed beside the open calculation (the user's home folder
// without one): its base name + `suffix`.
std::string ProposedPdfFile(const std::string& suffix);
// The printer change of the print-method dialog: true when the user chose a
// printer (SelectPrinter done). Tests put their own in.
using PrinterSetupDialog = std::function<bool(QWidget* parent)>;
void SetPrinterSetupDialog(PrinterSetupDialog dialog);
bool RunPrinterSetupDialog(QWidget* parent);

}  // namespace kondra
