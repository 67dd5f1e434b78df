#include "utilwin/MEMForm.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHideEvent>
#include <QShowEvent>
#include <QTextBlock>

#include <algorithm>
#include <cstdlib>

#include "controls/MemoEx.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "output/Palette.h"
#include "output/gui/QtCanvas.h"
#include "ui_MEMForm.h"

namespace kondra {

namespace {

constexpr int kPaperColour = 202;
constexpr const char* kEntrySeparator = " --- (";
constexpr const char* kUnknownCount = "全?,???行";

QPointer<TMEMForm>& Viewer() {
  static QPointer<TMEMForm> viewer;
  return viewer;
}

}  // namespace

// ---------------------------------------------------------------- contents rules

std::vector<std::string> HeadingEntries(const std::vector<std::string>& lines, int column,
                                        const std::string& marker) {
  std::vector<std::string> entries;
  if (marker.empty() || column < 1) return entries;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    // Whole characters only: a two-byte character across the column is no
    // marker, whatever its bytes.
    int reached = 0;
    const std::size_t at = OffsetOfWidth(line, column - 1, &reached);
    if (reached != column - 1 || line.compare(at, marker.size(), marker) != 0) continue;
    entries.push_back(line + kEntrySeparator + std::to_string(i + 1) + ")");
  }
  return entries;
}

int EntryLine(const std::string& entry) {
  const std::size_t start = entry.rfind(kEntrySeparator);
  if (start == std::string::npos) return 0;
  const std::size_t from = start + std::string(kEntrySeparator).size();
  const std::size_t close = entry.find(')', from);
  if (close == std::string::npos || close == from) return 0;
  const std::string digits = entry.substr(from, close - from);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
  return std::atoi(digits.c_str());
}

std::string LineCountText(int lines) {
  std::string digits = std::to_string(std::max(0, lines));
  for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3) digits.insert(pos, ",");
  return "全" + digits + "行";
}

// ---------------------------------------------------------------- the window

TMEMForm::TMEMForm(QWidget* parent) : QWidget(parent, Qt::Window), ui_(new Ui::TMEMForm) {
  ui_->setupUi(this);
  const QColor paper = ToQColor(ColorOf(kPaperColour));
  QPalette memoPalette = ui_->MEMO1->palette();
  memoPalette.setColor(QPalette::Base, paper);
  ui_->MEMO1->setPalette(memoPalette);
  QPalette panelPalette = ui_->PNL0->palette();
  panelPalette.setColor(QPalette::Window, paper);
  ui_->PNL0->setPalette(panelPalette);
  ui_->PNL0->setAutoFillBackground(true);
  ui_->MEMO1->clear();
  connect(ui_->CBOX1, &QComboBox::activated, this, [this](int index) { JumpToEntry(index); });
  connect(ui_->SBTN1, &QToolButton::clicked, this, [this] { close(); });
}

TMEMForm::~TMEMForm() { delete ui_; }

TMemoEx* TMEMForm::Memo() const { return ui_->MEMO1; }

void TMEMForm::SetMemoFile(const std::string& path) {
  if (path != path_) loaded_ = false;
  path_ = path;
}

void TMEMForm::SetHeadingMarker(int column, const std::string& text) {
  const int newColumn = column == 0 ? 3 : column;
  const std::string newMarker = text.empty() ? "．" : text;
  if (newColumn != markerColumn_ || newMarker != marker_) loaded_ = false;
  markerColumn_ = newColumn;
  marker_ = newMarker;
}

bool TMEMForm::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  // The window is prepared each time it is opened (not at every return to
  // it, which would move the pointer away from where the user reads).
  if (event->type() == QEvent::Show) Activate();
  return handled;
}

void TMEMForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // The file is read again when the window opens next.
  if (!event->spontaneous()) loaded_ = false;
}

void TMEMForm::Activate() {
  std::string path = path_;
  SplitPath(path);
  const bool exists = !path.empty() && fs::IsFile(path);
  if (!exists) {
    SplitPath((StartDrive.empty() ? std::string("C:") : StartDrive) + "\\なし.DAT");
    path = CurDir + "一時ﾌｧｲﾙ.DAT";
  }
  setWindowTitle(Q("メモ用紙 － " + path));
  if (!loaded_) {
    loaded_ = true;
    ui_->CBOX1->clear();
    ui_->MEMO1->clear();
    ui_->LBL0_1->setText(Q(kUnknownCount));
    if (fs::IsFile(path)) {
      LoadMemoFile(ui_->MEMO1, path, false);
      BuildContents();
    }
  }
  ui_->CBOX1->show();
  ui_->PNL0->setFocus(Qt::OtherFocusReason);
  PointAtControl(ui_->SBTN1);
}

void TMEMForm::BuildContents() {
  Face().SetPointerShape(PointerShape::Hourglass);
  std::vector<std::string> lines;
  const QTextDocument* document = ui_->MEMO1->document();
  if (!document->isEmpty())
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next())
      lines.push_back(S(block.text()));
  QStringList items;
  for (const std::string& entry : HeadingEntries(lines, markerColumn_, marker_)) items << Q(entry);
  ui_->CBOX1->clear();
  ui_->CBOX1->addItems(items);
  ui_->CBOX1->setCurrentIndex(items.isEmpty() ? -1 : 0);
  ui_->LBL0_1->setText(Q(LineCountText(static_cast<int>(lines.size()))));
  Face().SetPointerShape(PointerShape::Arrow);
}

void TMEMForm::JumpToEntry(int index) {
  if (index < 0) return;
  const int line = EntryLine(S(ui_->CBOX1->itemText(index)));
  if (line > 0) ScrollMemoToLine(ui_->MEMO1, line);
  ui_->PNL0->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- the guide

std::string GuideFilePath() {
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return fs::ProgramFolder() + S(program) + ".TXT";
}

TMEMForm* ShowGuide(QWidget* parent, const std::string& path) {
  QPointer<TMEMForm>& viewer = Viewer();
  if (!viewer) {
    viewer = new TMEMForm(parent);
    viewer->setAttribute(Qt::WA_DeleteOnClose, false);
    if (parent) {
      const QRect frame = parent->window()->frameGeometry();
      viewer->move(frame.center() - viewer->rect().center());
    }
  }
  // Asked again for the file it shows, the viewer only comes forward and
  // keeps the reader's place; another file is read afresh.
  const bool otherFile = viewer->isVisible() && viewer->MemoFile() != path;
  viewer->SetMemoFile(path);
  viewer->SetHeadingMarker(3, "．");
  if (otherFile) viewer->hide();
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

TMEMForm* GuideViewer() { return Viewer(); }

void FreeGuide() { delete Viewer().data(); }

}  // namespace kondra
