#include "report/KDRQRForm.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QShowEvent>

#include "assess/SurfaceRisk.h"
#include "calc/CalcFile.h"
#include "calc/Results.h"
#include "controls/Fonts.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "output/CalcReport.h"
#include "output/DiagramMetafile.h"
#include "output/ReportPages.h"
#include "output/gui/Printing.h"
#include "output/gui/QuickRep.h"
#include "ui_KDRQRForm.h"

namespace kondra {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Where the page's lines stand (pixels of the page at zoom 100).
struct LabelPlace {
  const char* name;
  int left, top, width;  // width only for centred and right-aligned lines
  const QString* face;
  int height;
  bool bold;
  Qt::Alignment alignment;
  QColor colour;
  const char* text;  // fixed lines; nullptr for lines filled from the calculation
};

const QColor kGrey(128, 128, 128);

// The surface condensation and mould block, right of the layer table.
constexpr int kSurfaceLeft = 544;
constexpr int kSurfaceTop = 312;
constexpr int kSurfaceStep = 16;
constexpr int kSurfaceLines = 12;
QString SurfaceLabelName(int i) { return QStringLiteral("QRLBL1_S%1").arg(i, 2, 10, QChar('0')); }

}  // namespace

TKDRQRForm::TKDRQRForm(QWidget* parent) : QDialog(parent), ui_(new Ui::TKDRQRForm) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  MakePage();
  connect(ui_->PCON, &QTabWidget::currentChanged, this, [this](int index) { SelectPage(index); });
  connect(ui_->RBTN1, &QRadioButton::toggled, this, [this] { ZoomChosen(); });
  connect(ui_->BBTN1, &QPushButton::clicked, this, [this] { PrintReportPage(this); });
  InitReportWindow(this);
  Arrange();
}

TKDRQRForm::~TKDRQRForm() { delete ui_; }

void TKDRQRForm::MakePage() {
  page_ = new TQuickRep;
  page_->setObjectName("QREP1");
  const QString& mincho = kFontMincho;
  const QString& pmincho = kFontPMincho;
  const QString& pgothic = kFontPGothic;
  const LabelPlace places[] = {
      {"QRLBL1_A", 201, 43, 392, &pmincho, 21, true, Qt::AlignHCenter, Qt::black, kReportHeading},
      {"QRLBL1_SI", 640, 48, 113, &mincho, 15, true, Qt::AlignRight, Qt::blue, nullptr},
      {"QRLBL1_N", 496, 80, 257, &pmincho, 15, true, Qt::AlignRight, Qt::black, nullptr},
      {"QRLBL1_B", 64, 104, 0, &pmincho, 15, true, Qt::AlignLeft, Qt::black, kReportConditions},
      {"QRLBL1_1", 96, 136, 0, &mincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_4", 96, 160, 0, &mincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_2", 96, 184, 0, &mincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_3", 96, 208, 0, &mincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_5", 96, 232, 0, &mincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_6", 96, 256, 0, &mincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_7", 96, 280, 0, &mincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_8", 96, 312, 0, &mincho, 12, false, Qt::AlignLeft, Qt::black, kReportLayerHead},
      {"QRLBL1_9", 96, 324, 0, &mincho, 12, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_10", 96, 496, 0, &mincho, 12, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_C", 56, 536, 0, &pmincho, 15, true, Qt::AlignLeft, Qt::black, kReportResults},
      {"QRLBL1_11", 96, 568, 0, &mincho, 12, false, Qt::AlignLeft, Qt::black, kReportResultHead},
      {"QRLBL1_12", 96, 580, 0, &mincho, 12, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_D", 56, 784, 0, &pmincho, 15, true, Qt::AlignLeft, Qt::black, kReportJudgement},
      {"QRLBL1_40", 136, 824, 0, &pmincho, 13, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_42", 136, 846, 0, &mincho, 11, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_41", 136, 868, 0, &mincho, 12, false, Qt::AlignLeft, Qt::black, kReportFigures},
      {"QRLBL1_F", 40, 1064, 0, &pgothic, 11, false, Qt::AlignLeft, Qt::black, nullptr},
      {"QRLBL1_E", 480, 1064, 273, &pgothic, 12, true, Qt::AlignRight, kGrey, nullptr},
  };
  for (const LabelPlace& p : places) {
    auto* label = new TQRLabel(page_, QString::fromLatin1(p.name), QPoint(p.left, p.top), p.width,
                               ReportFont(*p.face, p.height, p.bold), p.alignment, p.colour);
    if (p.text) label->SetCaption(QString::fromUtf8(p.text));
  }
  for (int k = 1; k <= kMaxLayers; ++k)
    new TQRLabel(page_, QStringLiteral("QRLBL1_0%1").arg(k), QPoint(96, 344 + 16 * (k - 1)), 0,
                 ReportFont(mincho, 12));
  for (int i = 1; i <= kMaxBounds; ++i)
    new TQRLabel(page_, QStringLiteral("QRLBL1_%1").arg(20 + i), QPoint(96, 600 + 16 * (i - 1)), 0,
                 ReportFont(mincho, 12));
  for (int i = 1; i <= kSurfaceLines; ++i)
    new TQRLabel(page_, SurfaceLabelName(i), QPoint(kSurfaceLeft, kSurfaceTop + kSurfaceStep * (i - 1)), 0,
                 ReportFont(mincho, 12));
  const int pictureLefts[] = {128, 344, 552};
  for (int n = 0; n < 3; ++n)
    new TQRImage(page_, QStringLiteral("QRIMAG1_%1").arg(n + 1), QRect(pictureLefts[n], 888, 140, 142));
  ui_->SBOX1->setWidget(page_);
}

void TKDRQRForm::SetPictures(const std::array<TMetafileEx, 3>& pictures) { pictures_ = pictures; }

void TKDRQRForm::SelectPage(int index) {
  if (index < 0) return;
  ReportPage = index + 1;
  if (!ReportPageBuilt[ReportPage]) BuildPage();
  FitReportPage(this);
  const bool shown = ReportPage != 0;
  ui_->RBTN1->setEnabled(shown);
  ui_->RBTN2->setEnabled(shown);
  ui_->BBTN1->setEnabled(shown);
}

void TKDRQRForm::BuildPage() {
  page_->hide();
  SetReportFooter(this, CalcPath);
  SplitPath(CalcPath);
  const CalcReportText text = BuildCalcReportText(Calc, CurFileName);
  auto set = [this](const QString& name, const std::string& value) { SetReportLabelText(this, name, Q(value)); };
  set("QRLBL1_SI", text.unitMark);
  set("QRLBL1_1", text.title);
  set("QRLBL1_4", text.part);
  set("QRLBL1_2", text.sideA);
  set("QRLBL1_3", text.sideB);
  set("QRLBL1_5", text.kLine);
  set("QRLBL1_6", text.pLine);
  set("QRLBL1_7", text.layerCount);
  set("QRLBL1_9", text.layerUnits);
  for (int k = 1; k <= kMaxLayers; ++k) set(QStringLiteral("QRLBL1_0%1").arg(k), text.layers[k]);
  set("QRLBL1_10", text.total);
  set("QRLBL1_12", text.resultUnits);
  for (int i = 1; i <= kMaxBounds; ++i) set(QStringLiteral("QRLBL1_%1").arg(20 + i), text.results[i]);
  set("QRLBL1_40", text.judgement);
  if (auto* judgement = page_->findChild<TQRLabel*>("QRLBL1_40"))
    judgement->SetColour(text.judgementRed ? Qt::red : Qt::black);
  const std::vector<SurfaceReportLine> surface = SurfaceReportLines(AssessSurfaces(Calc));
  for (int i = 1; i <= kSurfaceLines; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    set(SurfaceLabelName(i), at < surface.size() ? surface[at].text : std::string());
    if (auto* label = page_->findChild<TQRLabel*>(SurfaceLabelName(i)))
      label->SetColour(at < surface.size() && surface[at].red ? Qt::red : Qt::black);
  }
  set("QRLBL1_42", text.surfaceNote);
  for (int n = 0; n < 3; ++n) {
    auto* image = page_->findChild<TQRImage*>(QStringLiteral("QRIMAG1_%1").arg(n + 1));
    if (!image) continue;
    if (pictures_) {
      image->SetPicture((*pictures_)[n]);
    } else {
      TMetafileEx picture;
      std::string error;
      if (!picture.LoadFromFile(ReportPictureName(ResultDir, n), &error)) StatusMsg(error);
      image->SetPicture(picture);
    }
  }
  page_->show();
  ReportPageBuilt[ReportPage] = true;
}

void TKDRQRForm::Activate() {
  ui_->BBTN1->setToolTip(QStringLiteral("プリンター機種：") + Q(PrinterInfo.DeviceName));
  // The window opens with no page shown: the first is chosen for the user.
  if (ReportPage == 0 && ui_->PCON->currentIndex() >= 0) SelectPage(ui_->PCON->currentIndex());
  FitReportPage(this);
  const bool shown = ReportPage != 0;
  ui_->RBTN1->setEnabled(shown);
  ui_->RBTN2->setEnabled(shown);
  ui_->BBTN1->setEnabled(shown);
  ShowStatus(windowTitle().toStdString());
}

void TKDRQRForm::ZoomChosen() {
  ReportFullSize = ui_->RBTN1->isChecked();
  FitReportPage(this);
}

void TKDRQRForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Activate();
}

void TKDRQRForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Activate();
}

void TKDRQRForm::Arrange() {
  // The preview box takes the window less 16 × 68: the tab row and the zoom
  // and print buttons above it.
  const int w = width(), h = height();
  ui_->PCON->setGeometry(4, 32, w - 8, h - 36);
  ui_->SBOX1->setGeometry(2, 0, std::max(w - 16, 1), std::max(h - 68, 1));
  ui_->BBTN1->move(w - 4 - ui_->BBTN1->width(), ui_->BBTN1->y());
  ui_->RBTN2->move(ui_->BBTN1->x() - 4 - ui_->RBTN2->width(), ui_->RBTN2->y());
  ui_->RBTN1->move(ui_->RBTN2->x() - 4 - ui_->RBTN1->width(), ui_->RBTN1->y());
}

void TKDRQRForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Arrange();
  if (fitting_) return;
  fitting_ = true;
  FitReportPage(this);
  fitting_ = false;
}

void ShowCalcReport(QWidget* parent) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  ShowStatus("報告書用メタファイル作成中．．．");
  std::string error;
  const bool written = WriteReportPictures(ResultDir, MaterialLooks(Calc), &error);
  NoteFileName(CalcPath);
  QGuiApplication::restoreOverrideCursor();
  if (!written) {
    MsgBox(error, 4, 1);
    return;
  }
  ShowStatus("〔報告書用メタファイル作成完了〕");
  TKDRQRForm form(parent);
  form.exec();
}

bool WriteCalcReportPdf(const std::string& path, std::string* error) {
  std::array<TMetafileEx, 3> pictures;
  const LayerLooks looks = MaterialLooks(Calc);
  for (int n = 0; n < 3; ++n) pictures[n] = TMetafileEx(DiagramMetafile(n, looks, Calc));
  TKDRQRForm form;
  form.SetPictures(pictures);
  form.SelectPage(0);
  return WritePdfPage(
      path,
      [&form](QPaintDevice* device) {
        QPainter painter(device);
        form.Page()->Render(painter, QRectF(0, 0, device->width(), device->height()));
      },
      error);
}

}  // namespace kondra
