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

std::string ToolCapturePath() { return fs::UserCacheFolder() + "WCRT.BMP"; }

bool SaveWindowCapture(QWidget* window, const std::string& path) {
  if (!window) return false;
  QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  std::string error;
  const std::size_t cut = path.find_last_of('\\');
  const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  if (!image.save(&buffer, "BMP") || (!folder.empty() && !fs::IsDir(folder) && !fs::MakeFolders(folder, &error)) ||
      !fs::WriteWhole(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &error)) {
    StatusMsg("画面を保存できません〔" + path + "〕" + error);
    return false;
  }
  return true;
}

}  // namespace kondra
