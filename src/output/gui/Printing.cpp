#include "output/gui/Printing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <cmath>

#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "calc/CalcFile.h"
#include "output/gui/PRYNForm.h"
#include "output/gui/QuickRep.h"
#include "output/gui/WidgetPicture.h"

namespace kondra {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

constexpr int kPdfDpi = 600;
constexpr double kPdfBorderMm = 5.0;
constexpr int kWindowDpi = 96;
constexpr const char* kHardCopyFile = "WinCRT.BMP";

QString& ChosenPrinter() {
  static QString name;
  return name;
}
PrinterProbe& Probe() {
  static PrinterProbe probe;
  return probe;
}
PdfFileDialog& PdfDialog() {
  static PdfFileDialog dialog;
  return dialog;
}
PrinterSetupDialog& SetupDialog() {
  static PrinterSetupDialog dialog;
  return dialog;
}

int Dots(double mm, int dpi) { return static_cast<int>(std::lround(mm * dpi / 25.4)); }

std::optional<std::string> PlatformPdfDialog(QWidget* parent, const std::string& proposed) {
  QString chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("PDFファイルの保存"), Q(fs::ToNative(proposed)),
                                                QStringLiteral("PDFファイル (*.pdf)"));
  if (chosen.isEmpty()) return std::nullopt;
  if (!chosen.section('/', -1).contains('.')) chosen += QStringLiteral(".pdf");
  return fs::FromNative(S(chosen));
}

bool PlatformPrinterSetup(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  const QString current = CurrentPrinterName();
  if (current == kPdfPrinterName) {
    printer.setOutputFormat(QPrinter::PdfFormat);
  } else {
    printer.setPrinterName(current);
  }
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("プリンターの設定"));
  dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
  if (dialog.exec() != QDialog::Accepted) return false;
  SelectPrinter(printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty()
                    ? QString::fromUtf8(kPdfPrinterName)
                    : printer.printerName());
  return true;
}


// One print job on the current printer. The PDF printer paints into memory
// and writes the file when the job ends.
class PrintJob {
 public:
  // fullPage: the device covers the whole sheet (a report page); otherwise
  // its printable area, the origin at the area's corner (a hard copy).
  bool Open(QWidget* parent, bool fullPage, const QString& title, const std::string& proposedPdf) {
    const QString name = CurrentPrinterName();
    if (name == kPdfPrinterName) {
      std::optional<std::string> file = AskPdfFile(parent, proposedPdf);
      if (!file) return false;
      path_ = *file;
      buffer_ = std::make_unique<QBuffer>(&bytes_);
      buffer_->open(QIODevice::WriteOnly);
      pdf_ = std::make_unique<QPdfWriter>(buffer_.get());
      pdf_->setResolution(kPdfDpi);
      pdf_->setPageSize(QPageSize(QPageSize::A4));
      pdf_->setPageOrientation(QPageLayout::Portrait);
      const double border = fullPage ? 0.0 : kPdfBorderMm;
      pdf_->setPageMargins(QMarginsF(border, border, border, border), QPageLayout::Millimeter);
      pdf_->setTitle(title);
      pdf_->setCreator(Q(ProgramTitle));
      return true;
    }
    printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    printer_->setDocName(title);
    printer_->setFullPage(fullPage);
    if (fullPage) printer_->setPageSize(QPageSize(QPageSize::A4));
    return printer_->isValid();
  }

  QPaintDevice* Device() {
    if (pdf_) return pdf_.get();
    return printer_.get();
  }

  // The painting is over (every painter on the device has ended).
  bool Finish(std::string* error) {
    if (!pdf_) return true;
    pdf_.reset();
    buffer_->close();
    std::string why;
    if (!fs::WriteWhole(path_, std::string_view(bytes_.constData(), static_cast<std::size_t>(bytes_.size())), &why)) {
      if (error) *error = path_ + ": " + why;
      return false;
    }
    return true;
  }

 private:
  std::unique_ptr<QPrinter> printer_;
  QByteArray bytes_;
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QPdfWriter> pdf_;
  std::string path_;
};

// Runs `paint` as one job; false when the job did not take place.
bool RunJob(QWidget* parent, bool fullPage, const QString& title, const std::string& proposedPdf,
            const std::function<void(QPaintDevice*)>& paint) {
  PrintJob job;
  if (!job.Open(parent, fullPage, title, proposedPdf)) return false;
  paint(job.Device());
  std::string error;
  if (!job.Finish(&error)) {
    MsgBox(error, 4, 1);
    return false;
  }
  return true;
}

QTabWidget* PageControl(QWidget* form) { return form ? form->findChild<QTabWidget*>("PCON") : nullptr; }

template <class T>
T* Part(QWidget* form, const QString& name) {
  return form ? form->findChild<T*>(name) : nullptr;
}

QString PageName(const char* kind, int n) { return QString::fromLatin1(kind) + QString::number(n); }
QString LabelName(int n, const char* suffix) { return QStringLiteral("QRLBL%1_%2").arg(n).arg(QLatin1String(suffix)); }

}  // namespace

QStringList PrinterNames() {
  QStringList names = QPrinterInfo::availablePrinterNames();
  names << QString::fromUtf8(kPdfPrinterName);
  return names;
}

QString CurrentPrinterName() {
  const QString& chosen = ChosenPrinter();
  if (!chosen.isEmpty() && PrinterNames().contains(chosen)) return chosen;
  const QString system = QPrinterInfo::defaultPrinterName();
  if (!system.isEmpty()) return system;
  return QString::fromUtf8(kPdfPrinterName);
}

void SelectPrinter(const QString& name) { ChosenPrinter() = name; }

std::optional<PrinterFacts> PrinterFactsOf(const QString& name) {
  PrinterFacts f;
  if (name == kPdfPrinterName) {
    f.DeviceName = kPdfPrinterName;
    f.FormName = "A4";
    f.DpiX = f.DpiY = kPdfDpi;
    f.PageWidth = Dots(210, kPdfDpi);
    f.PageHeight = Dots(297, kPdfDpi);
    f.OffsetX = f.OffsetY = Dots(kPdfBorderMm, kPdfDpi);
    f.PrintableWidth = f.PageWidth - 2 * f.OffsetX;
    f.PrintableHeight = f.PageHeight - 2 * f.OffsetY;
    f.Quality = kPdfDpi;
    f.ColorMode = 2;
    f.WritesPdf = true;
    return f;
  }
  QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (info.isNull()) return std::nullopt;
  QPrinter printer(info, QPrinter::HighResolution);
  if (!printer.isValid()) return std::nullopt;
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  f.DeviceName = S(name);
  f.FormName = S(printer.pageLayout().pageSize().name());
  f.PageWidth = paper.width();
  f.PageHeight = paper.height();
  f.PrintableWidth = page.width();
  f.PrintableHeight = page.height();
  f.OffsetX = page.x() - paper.x();
  f.OffsetY = page.y() - paper.y();
  f.DpiX = printer.logicalDpiX();
  f.DpiY = printer.logicalDpiY();
  f.Quality = printer.resolution();
  f.ColorMode = printer.colorMode() == QPrinter::Color ? 2 : 1;
  f.WritesPdf = printer.outputFormat() == QPrinter::PdfFormat;
  return f;
}

void CheckPrinter() {
  std::optional<PrinterFacts> facts = Probe() ? Probe()() : PrinterFactsOf(CurrentPrinterName());
  if (!facts || facts->DeviceName.empty()) {
    ForgetPrinter();
    MsgBox(kNoPrinterText, 3, 1);
    return;
  }
  TakePrinterFacts(*facts);
}

bool AskPrintMethod(int mode, QWidget* owner) {
  CheckPrinter();
  if (PrinterInfo.DeviceName.empty()) return false;
  PrinterInfo.DialogMode = mode;
  bool answer = false;
  {
    TPRYNForm dialog(owner ? owner : QApplication::activeWindow());
    dialog.exec();
    answer = dialog.Answer();
  }
  // The windows under the dialog are drawn again before anything is
  // printed or captured.
  QApplication::processEvents();
  MsgYes = answer;
  MsgCancel = !answer;
  return answer;
}

void HardCopyForm(QWidget* form) {
  if (!form) return;
  if (!AskPrintMethod(1, form)) return;
  const int32_t method = PrintMethod;
  const std::string bitmap = fs::UserCacheFolder() + kHardCopyFile;
  std::string error;
  fs::MakeFolders(fs::UserCacheFolder());
  if (!SaveWidgetBitmap(form, bitmap, &error)) {
    MsgBox(error, 4, 1);
    return;
  }
  const QImage image = form->grab().toImage();
  const PageBox size = HardCopySize(method, image.width(), image.height(), kWindowDpi, PrinterInfo.DpiX,
                                    PrinterInfo.DpiY, PrinterInfo.PrintableWidth, PrinterInfo.PrintableHeight);
  const bool printed = RunJob(form, false, form->windowTitle(), ProposedPdfFile("_ハードコピー.pdf"),
                              [&](QPaintDevice* device) {
                                QPainter painter(device);
                                painter.setRenderHint(QPainter::SmoothPixmapTransform, method != pmNone);
                                painter.drawImage(QRect(0, 0, size.width, size.height), image);
                              });
  if (printed) ShowStatus("〔画面ハードコピー印刷完了〕");
}

void PrintReportPainter(QWidget* reportForm, const std::function<void(QPaintDevice*)>& paint) {
  if (!AskPrintMethod(0, reportForm)) return;
  const QString title = reportForm ? reportForm->windowTitle() : QString();
  if (RunJob(reportForm, true, title, ProposedPdfFile(".pdf"), paint)) ShowStatus("〔印刷完了〕");
}

void InitReportWindow(QWidget* form) {
  ReportFullSize = false;
  ReportZoom = 50;
  if (form) form->resize(417, 626);
  ResetReportPages(form);
}

void ResetReportPages(QWidget* form) {
  ReportPage = 0;
  QTabWidget* pages = PageControl(form);
  ReportPageCount = pages ? std::min(pages->count(), kMaxReportPages) : 0;
  for (int n = 1; n <= ReportPageCount; ++n) {
    if (auto* box = Part<QScrollArea>(form, PageName("SBOX", n))) box->verticalScrollBar()->setValue(0);
    // An empty footer marks a page still to be built.
    SetReportLabelText(form, LabelName(n, "E"), QString());
  }
  ReportPageBuilt.fill(false);
  if (auto* print = Part<QAbstractButton>(form, "BBTN1"))
    print->setToolTip(QStringLiteral("プリンター機種：<%1>").arg(Q(PrinterInfo.DeviceName)));
}

void FitReportPage(QWidget* form) {
  if (!form || ReportPageCount == 0 || ReportPage == 0 || ReportPage > ReportPageCount) return;
  const int n = ReportPage;
  auto* box = Part<QScrollArea>(form, PageName("SBOX", n));
  if (!box) return;
  const PageBox fitted = FitPageBox(box->width(), box->height(), Contains("WindowsVista", EnvRow[3]));
  if (ReportFullSize) {
    ReportZoom = 100;
    form->resize(form->maximumWidth(), form->height());
  } else {
    ReportZoom = ZoomForWidth(fitted.width);
    form->resize(fitted.width + 16, fitted.height + 68);
    if (auto* shrink = Part<QAbstractButton>(form, "RBTN2")) shrink->setText(Q(ShrinkCaption(ReportZoom)));
  }
  if (QWidget* page = Part<QWidget>(form, PageName("QREP", n))) page->setProperty("zoom", ReportZoom);
  const Qt::ScrollBarPolicy bars = ReportFullSize ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  box->setHorizontalScrollBarPolicy(bars);
  box->setVerticalScrollBarPolicy(bars);
}

void SetReportFooter(QWidget* form, const std::string& fileName) {
  const int n = std::max(ReportPage, 1);
  SetReportLabelText(form, LabelName(n, "N"), Q(UserName));
  SetReportLabelText(form, LabelName(n, "F"), Q(AbbrevPath(fileName)));
  SetReportLabelText(form, LabelName(n, "E"), Q(FooterLine(ReportStamp(), ProgramName, ReportPage, ReportPageCount)));
}

void PrintReportPage(QWidget* form) {
  if (!form || ReportPage == 0) return;
  QWidget* page = Part<QWidget>(form, PageName("QREP", ReportPage));
  if (!page) return;
  PrintReportPainter(form, [page](QPaintDevice* device) {
    QPainter painter(device);
    const QRectF sheet(0, 0, device->width(), device->height());
    if (auto* report = qobject_cast<TQuickRep*>(page)) {
      report->Render(painter, sheet);
    } else {
      const double scale = sheet.width() / page->width();
      painter.scale(scale, scale);
      page->render(&painter);
    }
  });
}

QString ReportLabelText(QWidget* form, const QString& name) {
  if (!form) return QString();
  if (auto* label = form->findChild<TQRLabel*>(name)) return label->Caption();
  if (auto* label = form->findChild<QLabel*>(name)) return label->text();
  return QString();
}

bool SetReportLabelText(QWidget* form, const QString& name, const QString& text) {
  if (!form) return false;
  if (auto* label = form->findChild<TQRLabel*>(name)) {
    label->SetCaption(text);
    return true;
  }
  if (auto* label = form->findChild<QLabel*>(name)) {
    label->setText(text);
    return true;
  }
  return false;
}

bool WritePdfPage(const std::string& path, const std::function<void(QPaintDevice*)>& paint, std::string* error) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfDpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pdf.setCreator(Q(ProgramTitle));
    paint(&pdf);
  }
  std::string why;
  if (!fs::WriteWhole(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

void SetPrinterProbe(PrinterProbe probe) { Probe() = std::move(probe); }
void SetPdfFileDialog(PdfFileDialog dialog) { PdfDialog() = std::move(dialog); }

std::optional<std::string> AskPdfFile(QWidget* parent, const std::string& proposed) {
  return PdfDialog() ? PdfDialog()(parent, proposed) : PlatformPdfDialog(parent, proposed);
}

std::string ProposedPdfFile(const std::string& suffix) {
  if (CalcPath.empty()) return fs::FromNative(S(QDir::homePath())) + "\\Kondra" + suffix;
  SplitPath(CalcPath);
  return CurDir + CurName + suffix;
}
void SetPrinterSetupDialog(PrinterSetupDialog dialog) { SetupDialog() = std::move(dialog); }

bool RunPrinterSetupDialog(QWidget* parent) {
  return SetupDialog() ? SetupDialog()(parent) : PlatformPrinterSetup(parent);
}

}  // namespace kondra
