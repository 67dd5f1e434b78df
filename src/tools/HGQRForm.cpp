#include "tools/HGQRForm.h"

#include <QEvent>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cmath>

#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Numbers.h"
#include "output/gui/WindowCapture.h"
#include "tools/ToolPrinting.h"
#include "ui_HGQRForm.h"

namespace kondra {

namespace {

ReportItem Label(const QString& name, QRect rect, const QString& family, int pixelSize, bool bold,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
  ReportItem item;
  item.name = name;
  item.rect = rect;
  item.family = family;
  item.pixelSize = pixelSize;
  item.bold = bold;
  item.align = align;
  return item;
}

// The parts of the page, empty until the page is built.
QList<ReportItem> PageParts() {
  QList<ReportItem> parts;
  ReportItem band;
  band.name = "QRBAND1";
  band.rect = QRect(38, 38, 718, 1);
  band.rule = true;
  parts << band;
  parts << Label("QRLBL1_A", QRect(208, 49, 392, 26), kFontPMincho, 21, true, Qt::AlignHCenter | Qt::AlignTop);
  parts << Label("QRLBL1_N", QRect(496, 80, 257, 16), kFontPMincho, 15, true, Qt::AlignRight | Qt::AlignTop);
  parts << Label("QRLBL1_B", QRect(64, 104, 0, 16), kFontPMincho, 15, true);
  ReportItem picture;
  picture.name = "QRIMAG1_1";
  picture.rect = QRect(200, 136, 411, 350);
  parts << picture;
  parts << Label("QRLBL1_C", QRect(56, 520, 0, 16), kFontPMincho, 15, true);
  parts << Label("QRLBL1_2", QRect(608, 534, 121, 16), kFontMincho, 13, false, Qt::AlignRight | Qt::AlignTop);
  parts << Label("QRLBL1_1", QRect(96, 552, 641, 16), kFontMincho, 13, false);
  parts << Label("QRMEMO1_1", QRect(96, 576, 641, 469), kFontMincho, 13, false);
  parts << Label("QRLBL1_3", QRect(96, 1048, 0, 14), kFontPMincho, 13, false);
  parts << Label("QRLBL1_F", QRect(40, 1064, 441, 13), kFontPGothic, 11, false);
  parts << Label("QRLBL1_E", QRect(480, 1064, 273, 14), kFontPGothic, 12, true, Qt::AlignRight | Qt::AlignTop);
  return parts;
}

void SetText(SatReportPage* page, const QString& name, const QStringList& lines) {
  if (ReportItem* item = page->Item(name)) item->lines = lines;
}
void SetText(SatReportPage* page, const QString& name, const std::string& text) {
  SetText(page, name, text.empty() ? QStringList() : QStringList{Q(text)});
}

// "Kondra.EXE Ver.8.20" -> "Kondra Ver.8.20".
std::string ProgramIdent() {
  std::string ident = ProgramName;
  const std::size_t at = ident.find(".EXE");
  if (at != std::string::npos) ident.erase(at, 4);
  return ident;
}

}  // namespace

THGQRForm::THGQRForm(const SatChart& chart, QWidget* parent)
    : QDialog(parent), ui(new Ui::THGQRForm), chart_(chart) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setMinimumWidth(417);
  setMaximumWidth(831);
  Page()->Items() = PageParts();
  ui->PCON->setTabText(0, Q(SatReportTitle(chart_.TempMin, chart_.TempMax)));

  // The window as it opens: shrunk, no page shown yet.
  fullSize_ = false;
  zoom_ = 50;
  resize(417, 626);
  reportPage_ = 0;
  ui->SBOX1->verticalScrollBar()->setValue(0);
  Page()->hide();
  ui->BBTN1->setToolTip(Q("プリンター機種：<" + ToolPrinterName() + ">"));

  connect(ui->PCON, &QTabWidget::tabBarClicked, this, [this](int index) {
    if (index >= 0) SelectPage(index);
  });
  connect(ui->RBTN1, &QRadioButton::toggled, this, [this] {
    fullSize_ = ui->RBTN1->isChecked();
    FitReportPage();
  });
  connect(ui->BBTN1, &QPushButton::clicked, this, &THGQRForm::PrintReportPage);
  EnableButtons();
}

THGQRForm::~THGQRForm() = default;

SatReportPage* THGQRForm::Page() const { return ui->QREP1; }

void THGQRForm::SelectPage(int index) {
  reportPage_ = index + 1;
  if (reportPage_ == 1) BuildSatReport();
  FitReportPage();
  EnableButtons();
}

void THGQRForm::BuildSatReport() {
  SatReportPage* page = Page();
  if (!page->Text("QRLBL1_E").isEmpty()) return;
  page->hide();

  SetText(page, "QRLBL1_N", UserName);
  SetText(page, "QRLBL1_E", ReportStamp() + " " + ProgramIdent());

  if (ReportItem* picture = page->Item("QRIMAG1_1")) {
    std::string bytes;
    QImage image;
    if (fs::ReadWhole(WindowCaptureFile(), bytes))
      image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    picture->image = image;
  }
  SetText(page, "QRLBL1_A", SatReportTitle(chart_.TempMin, chart_.TempMax));
  SetText(page, "QRLBL1_B", std::string("【飽和水蒸気曲線】"));
  SetText(page, "QRLBL1_C", std::string("【飽和水蒸気データ】"));
  SetText(page, "QRLBL1_2", SatReportUnitLine(chart_.HumUnit));
  SetText(page, "QRLBL1_1", std::string(kSatReportHeading));
  QStringList table;
  for (const std::string& line : SatReportLines(chart_)) table << Q(line);
  SetText(page, "QRMEMO1_1", table);
  SetText(page, "QRLBL1_3", SatReportNote(chart_.TempMax));
  SetText(page, "QRLBL1_F", std::string());
  page->show();
  page->update();
}

void THGQRForm::FitReportPage() {
  if (reportPage_ != 1 || fitting_) return;
  fitting_ = true;
  QScrollArea* box = ui->SBOX1;
  int w = box->width();
  int h = box->height();
  const float r = static_cast<float>(h) / static_cast<float>(std::max(1, w));
  if (r > 1.41f)
    h = static_cast<int>(std::nearbyint(w * 1.414));
  else if (r < 1.41f)
    w = static_cast<int>(std::nearbyint(h / 1.414));
  if (fullSize_) {
    zoom_ = 100;
    resize(maximumWidth(), height());
  } else {
    zoom_ = static_cast<int>(std::nearbyint(w * 100.0 / SatReportPage::kPageWidth));
    resize(width() + (w - box->width()), height() + (h - box->height()));
    ui->RBTN2->setText(QString::number(zoom_) + QStringLiteral("％縮小"));
  }
  Page()->SetZoom(zoom_);
  const Qt::ScrollBarPolicy bars = fullSize_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  box->setHorizontalScrollBarPolicy(bars);
  box->setVerticalScrollBarPolicy(bars);
  fitting_ = false;
}

void THGQRForm::PrintReportPage() {
  if (reportPage_ != 1) return;
  const SatReportPage* page = Page();
  if (ReportPrintAvailable()) {
    PrintToolReport(this, [page](QPaintDevice* device) { PaintReportPage(device, *page); });
    return;
  }
  const std::string suggested = fs::CurrentFolder() + "飽和水蒸気曲線.pdf";
  if (const std::optional<std::string> path = ChoosePdfPath(this, suggested)) SaveReportPdf(*path);
}

bool THGQRForm::SaveReportPdf(const std::string& path) {
  if (reportPage_ != 1) SelectPage(0);
  // The printer writes its file as it goes; it writes into a scratch folder
  // and the finished file is put in place whole.
  QTemporaryDir scratch;
  std::string error;
  std::string bytes;
  bool written = false;
  if (scratch.isValid()) {
    const QString file = scratch.filePath(QStringLiteral("page.pdf"));
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(file);
      printer.setDocName(Q(SatReportTitle(chart_.TempMin, chart_.TempMax)));
      printer.setCreator(Q(ProgramIdent()));
      printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
      printer.setFullPage(true);
      PaintReportPage(&printer, *Page());
    }
    QFile done(file);
    if (done.open(QIODevice::ReadOnly)) {
      const QByteArray pdf = done.readAll();
      bytes.assign(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    }
    written = bytes.rfind("%PDF-", 0) == 0 && fs::WriteWhole(path, bytes, &error);
  }
  if (!written) {
    MsgBox("ＰＤＦファイルを保存できません。\n" + path + (error.empty() ? std::string() : "\n" + error), 4, 1);
    return false;
  }
  ShowStatus("〔ファイル保存〕<" + path + ">");
  return true;
}

void THGQRForm::EnableButtons() {
  const bool shown = reportPage_ != 0;
  ui->RBTN1->setEnabled(shown);
  ui->RBTN2->setEnabled(shown);
  ui->BBTN1->setEnabled(shown);
}

void THGQRForm::Activate() {
  ui->BBTN1->setToolTip(Q("プリンター機種：" + ToolPrinterName()));
  FitReportPage();
  EnableButtons();
  ShowStatus(S(windowTitle()));
}

void THGQRForm::LayOut() {
  ui->BBTN1->move(width() - ui->BBTN1->width() - 8, ui->BBTN1->y());
  ui->PCON->setGeometry(4, 34, width() - 8, height() - 38);
}

void THGQRForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Activate();
}

void THGQRForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
  FitReportPage();
}

void THGQRForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  LayOut();
  // The tab of the only page looks chosen from the start, so its page is
  // shown at once rather than after a click on a tab that seems chosen.
  if (reportPage_ == 0) SelectPage(ui->PCON->currentIndex());
  Activate();
}

}  // namespace kondra
