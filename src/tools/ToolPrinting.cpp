#include "tools/ToolPrinting.h"

#include <QBuffer>
#include <QFileDialog>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "env/FileSystem.h"
#include "env/Messages.h"

namespace kondra {

namespace {

HardCopyHandler& HardCopy() {
  static HardCopyHandler handler;
  return handler;
}

ReportPrintHandler& ReportPrint() {
  static ReportPrintHandler handler;
  return handler;
}

PrinterNameSource& PrinterName() {
  static PrinterNameSource source;
  return source;
}

PdfPathChooser& PdfChooser() {
  static PdfPathChooser chooser;
  return chooser;
}

}  // namespace

void SetPdfPathChooser(PdfPathChooser chooser) { PdfChooser() = std::move(chooser); }

std::optional<std::string> ChoosePdfPath(QWidget* parent, const std::string& suggested) {
  if (PdfChooser()) return PdfChooser()(parent, suggested);
  const QString chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("ＰＤＦファイルに保存"),
                                                      QString::fromStdString(fs::ToNative(suggested)),
                                                      QStringLiteral("ＰＤＦファイル (*.pdf)"));
  if (chosen.isEmpty()) return std::nullopt;
  return fs::FromNative(chosen.toStdString());
}

void SetToolPrintHandlers(HardCopyHandler hardCopy, ReportPrintHandler reportPrint) {
  HardCopy() = std::move(hardCopy);
  ReportPrint() = std::move(reportPrint);
}

void SetToolPrinterName(PrinterNameSource source) { PrinterName() = std::move(source); }

std::string ToolPrinterName() { return PrinterName() ? PrinterName()() : std::string(); }

bool HardCopyAvailable() { return static_cast<bool>(HardCopy()); }
bool ReportPrintAvailable() { return static_cast<bool>(ReportPrint()); }

void HardCopyTool(QWidget* form) {
  if (form && HardCopy()) HardCopy()(form);
}

void PrintToolReport(QWidget* reportForm, const PagePainter& paint) {
  if (reportForm && ReportPrint()) ReportPrint()(reportForm, paint);
}

}  // namespace kondra
