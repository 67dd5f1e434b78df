#include "output/gui/GRSVForm.h"

#include <QFileDialog>
#include <QShowEvent>

#include <algorithm>

#include "controls/QtMessageFace.h"
#include "env/EditState.h"
#include "env/FileSystem.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "output/gui/MetafileSupport.h"
#include "output/gui/WidgetPicture.h"
#include "output/gui/WindowCapture.h"
#include "ui_GRSVForm.h"

namespace kondra {

QPointer<QWidget> SaveChart;
std::string SaveTarget;
std::string SaveOriginal;

namespace {

constexpr const char* kCaption = "チャートの保存（拡張メタファイル）";
constexpr const char* kNoPicture = "画像なし";
constexpr const char* kFilter = "保存ファイル(*.EMF)|*.EMF";

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

SavePictureDialog& PictureDialog() {
  static SavePictureDialog dialog;
  return dialog;
}

// "Name(*.EXT)|*.EXT" as Qt writes a filter.
QString QtFilter(const std::string& filter) {
  std::size_t bar = filter.find('|');
  if (bar == std::string::npos) return Q(filter);
  return Q(filter.substr(0, bar)) + " (" + Q(filter.substr(bar + 1)) + ")";
}

std::optional<std::string> PlatformSaveDialog(QWidget* parent, const std::string& file, const std::string& filter) {
  QString chosen = QFileDialog::getSaveFileName(parent, QString(), Q(fs::ToNative(file)), QtFilter(filter));
  if (chosen.isEmpty()) return std::nullopt;
  return fs::FromNative(S(chosen));
}

}  // namespace

void SetSavePictureDialog(SavePictureDialog dialog) { PictureDialog() = std::move(dialog); }

TGRSVForm::TGRSVForm(QWidget* parent) : QDialog(parent), ui_(new Ui::TGRSVForm) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  // The format group of a chart stands where the first group would.
  ui_->GBOX2->move(ui_->GBOX1->x(), ui_->GBOX2->y());
  connect(ui_->SBTN1, &QPushButton::clicked, this, [this] { Browse(); });
  connect(ui_->SBTN2, &QPushButton::clicked, this, [this] { RestoreName(); });
  connect(ui_->CBTN1, &QCheckBox::clicked, this, [this] {
    ApplyDisplayRule();
    ApplyEnablingRules();
  });
  connect(ui_->CBTN2_1, &QCheckBox::toggled, this, [this] { ApplyEnablingRules(); });
  connect(ui_->CBTN2_2, &QCheckBox::toggled, this, [this] { ApplyEnablingRules(); });
  connect(ui_->BBTN1, &QPushButton::clicked, this, [this] { Run(); });
  connect(ui_->BTN1, &QPushButton::clicked, this, [this] { Cancel(); });
}

TGRSVForm::~TGRSVForm() { delete ui_; }

void TGRSVForm::ApplyEnablingRules() {
  ui_->GBOX2->setVisible(true);
  ui_->GBOX1->setVisible(false);
  bool chart = !SaveChart.isNull();
  ui_->SBTN1->setEnabled(chart);
  ui_->EDIT1->setEnabled(chart);
  ui_->SBTN2->setEnabled(true);
  ui_->BTN1->setEnabled(true);
  bool format = ui_->CBTN2_1->isChecked() || ui_->CBTN2_2->isChecked();
  bool picture = ui_->LBL2->text() != QString::fromUtf8(kNoPicture);
  ui_->BBTN1->setEnabled(chart && format && picture && ValidateFileName(SaveTarget, false));
  ui_->LBL3->setVisible(!SaveTarget.empty() && fs::IsFile(SaveTarget));
}

void TGRSVForm::ApplyDisplayRule() {
  ui_->EDIT1->setText(Q(ui_->CBTN1->isChecked() ? AbbrevPath(SaveTarget) : SaveTarget));
  ui_->EDIT1->setModified(false);
  ui_->EDIT1->setToolTip(Q(SaveTarget));
}

QString TGRSVForm::ItemHint(int itemCode) const { return itemCode == 1000 ? Q(SaveTarget) : QString(); }

void TGRSVForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) {
    activated_ = true;
    Activate();
  }
}

void TGRSVForm::Activate() {
  InstallQtMetafileSupport();
  ApplyDisplayRule();
  ui_->LBL2->setText(QString::fromUtf8(kNoPicture));
  ui_->IMAG1->ClearPicture();
  preview_ = TMetafileEx();
  if (SaveChart) {
    // Through a metafile in the cache folder, deleted again at once; when
    // the folder cannot be written the picture is taken straight from
    // memory.
    std::string file = ChartPreviewFile();
    std::string why;
    fs::MakeFolders(fs::UserCacheFolder(), &why);
    if (SaveWidgetMetafile(SaveChart, file, &why)) {
      preview_.LoadFromFile(file, &why);
      fs::RemoveFile(file, &why);
    }
    if (preview_.Empty()) preview_ = TMetafileEx(WidgetMetafile(SaveChart));
    if (!preview_.Empty()) {
      QSize box = ui_->IMAG1->size();
      QSize size = QSize(preview_.Width(), preview_.Height()).scaled(box, Qt::KeepAspectRatio);
      ui_->IMAG1->SetPicture(preview_.ToImage(size.expandedTo(QSize(1, 1))));
      ui_->LBL2->setText(QString("Size %1 × %2 Pixcel").arg(preview_.Width()).arg(preview_.Height()));
    }
  }
  ApplyEnablingRules();
  PointAtControl(ui_->BBTN1->isEnabled() ? ui_->BBTN1 : ui_->BTN1);
}

void TGRSVForm::TakeName(const std::string& text) {
  ExpandPath(text);
  SaveTarget = CurDir + CurName + ".EMF";
  SplitPath(SaveTarget);
  PointAtControl(ui_->BBTN1);
  ApplyDisplayRule();
  ApplyEnablingRules();
  ShowStatus();
}

void TGRSVForm::CommitItem(QWidget* sender, int group, int, int) {
  if (Edit.commitGuard) return;
  Edit.commitGuard = true;
  if (group != 10 || sender != ui_->EDIT1) return;
  if (!ValidateFileName(Edit.newText, true)) {
    RevertEdit(ui_->EDIT1);
    ApplyEnablingRules();
    return;
  }
  TakeName(Edit.newText);
}

void TGRSVForm::Browse() {
  SplitPath(SaveTarget);
  std::string ext = CurExt;
  SavePictureDialog dialog = PictureDialog() ? PictureDialog() : SavePictureDialog(PlatformSaveDialog);
  std::optional<std::string> chosen = dialog(this, SaveTarget, kFilter);
  if (!chosen || chosen->empty()) return;
  std::string name = *chosen;
  SplitPath(name);
  if (CurExt.empty()) name += ext;
  TakeName(name);
}

void TGRSVForm::RestoreName() {
  MsgBox("編集前のファイル名に戻しますか？", 2, 2);
  if (!MsgYes) return;
  SaveTarget = SaveOriginal;
  ApplyDisplayRule();
  ApplyEnablingRules();
}

void TGRSVForm::Run() {
  std::string question = "保存ファイル名 ： " + SaveTarget + CR + CR + "保存ファイル形式 ： " + "拡張メタ" + "ファイル形式";
  if (fs::IsFile(SaveTarget)) {
    question += "※既に同名のファイルがあります。";
    question += std::string(CR) + CR + "上書き保存しますか？";
    MsgBox(question, 3, 3);
  } else {
    question += std::string(CR) + CR + "保存しますか？";
    MsgBox(question, 2, 2);
  }
  if (!MsgYes) {
    PointAtControl(ui_->BTN1);
    return;
  }
  SplitPath(SaveTarget);
  if (!CheckDir(CurDir, false)) EnsureFolder(CurDir, false);
  std::string error;
  if (ui_->CBTN2_1->isChecked() && !SaveWidgetMetafile(SaveChart, SaveTarget, &error)) {
    MsgBox("チャートを保存できません。" + std::string(CR) + CR + error, 4, 1);
    return;
  }
  // A bitmap of the same name is replaced without a question.
  if (ui_->CBTN2_2->isChecked() && !SaveWidgetBitmap(SaveChart, WithExtension(SaveTarget, ".BMP"), &error)) {
    MsgBox("チャートを保存できません。" + std::string(CR) + CR + error, 4, 1);
    return;
  }
  MsgBox("〔チャート〕を保存しました。", 1, 1);
  MsgYes = true;
  accept();
}

void TGRSVForm::Cancel() { reject(); }

void TGRSVForm::reject() {
  MsgYes = false;
  QDialog::reject();
}

void SetupPictureSave(TGRSVForm& dialog, QWidget* chart, const std::string& path) {
  SaveChart = chart;
  ExpandPath(path);
  SaveTarget = SaveOriginal = CurPath;
  dialog.setWindowTitle(QString::fromUtf8(kCaption));
  if (auto* heading = dialog.findChild<QLabel*>("LBL0")) heading->setText(QString::fromUtf8(kCaption));
  dialog.ApplyEnablingRules();
}

}  // namespace kondra
