#include "controls/QtMessageFace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "controls/Fonts.h"
#include "controls/QtText.h"

namespace kondra {
namespace {

const char* const kCaptions[5] = {"", "情報", "確認", "警告", "エラー"};

// The lines of a box stand as the program wrote them. The toolkit wraps a
// text wider than half the screen (500 pixels at most), and Japanese wraps
// between any two characters ("…を上書き保存します" / "か？"); the text is
// given the width of its longest line instead, as long as the box then fits
// the widest box the toolkit makes on that screen. Only a longer line wraps.
void KeepLinesWhole(QMessageBox* box, QWidget* parent) {
  auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (!label || !screen) return;
  const QFontMetrics metrics(box->font());
  int widest = 0;
  for (const QString& line : box->text().split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(line));
  const int screenWidth = screen->availableGeometry().width();
  const int widestBox = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
  constexpr int kBesideText = 120;  // icon, margins and spacing, with room to spare
  const int wanted = widest + metrics.averageCharWidth();
  if (wanted + kBesideText <= widestBox) label->setMinimumWidth(wanted);
}

QString BoxText(const std::string& text) {
  QString shown = Q(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace

QtMessageFace::QtMessageFace() = default;

QtMessageFace::~QtMessageFace() {
  if (&Face() == this) SetMessageFace(nullptr);
  if (pointerOverridden_ && qApp) QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------- boxes

QMessageBox* QtMessageFace::MakeBox(const std::string& text, int kind, int buttons, QWidget* parent) {
  if (kind < 2 || kind > 4) kind = 1;
  if (buttons < 2 || buttons > 5) buttons = 1;
  auto* box = new QMessageBox(parent);
  box->setAttribute(Qt::WA_DeleteOnClose, false);
  box->setWindowTitle(Q(kCaptions[kind]));
  box->setText(BoxText(text));
  box->setIcon(kind == 2   ? QMessageBox::Question
               : kind == 3 ? QMessageBox::Warning
               : kind == 4 ? QMessageBox::Critical
                           : QMessageBox::Information);
  box->setFont(LegacyFont(kFontPGothic, 9));
  KeepLinesWhole(box, parent);

  auto add = [box](const char* caption, QMessageBox::ButtonRole role, MsgButton answer) {
    QPushButton* b = box->addButton(Q(caption), role);
    b->setProperty("kondraAnswer", static_cast<int>(answer));
    return b;
  };
  QPushButton *ok = nullptr, *yes = nullptr, *no = nullptr, *cancel = nullptr, *retry = nullptr, *abort = nullptr;
  switch (buttons) {
    case 2:
      yes = add("はい(&Y)", QMessageBox::YesRole, MsgButton::Yes);
      no = add("いいえ(&N)", QMessageBox::NoRole, MsgButton::No);
      break;
    case 3:
      yes = add("はい(&Y)", QMessageBox::YesRole, MsgButton::Yes);
      no = add("いいえ(&N)", QMessageBox::NoRole, MsgButton::No);
      cancel = add("キャンセル", QMessageBox::RejectRole, MsgButton::Cancel);
      break;
    case 4:
      retry = add("再試行(&R)", QMessageBox::AcceptRole, MsgButton::Retry);
      cancel = add("キャンセル", QMessageBox::RejectRole, MsgButton::Cancel);
      break;
    case 5:
      yes = add("はい(&Y)", QMessageBox::YesRole, MsgButton::Yes);
      abort = add("中止", QMessageBox::RejectRole, MsgButton::Abort);
      break;
    default:
      ok = add("OK", QMessageBox::AcceptRole, MsgButton::Ok);
      break;
  }
  box->setDefaultButton(ok ? ok : yes ? yes : retry);
  // Escape: Cancel, else No, else OK; a Yes/Abort box is left by Abort.
  box->setEscapeButton(cancel ? cancel : no ? no : ok ? ok : abort);
  return box;
}

MsgButton QtMessageFace::AnswerOf(const QMessageBox* box) {
  QAbstractButton* clicked = box->clickedButton();
  if (!clicked) return MsgButton::Cancel;  // closed without an answer
  return static_cast<MsgButton>(clicked->property("kondraAnswer").toInt());
}

QWidget* QtMessageFace::BoxParent() const {
  if (boxParent_) return boxParent_;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return bar_ ? bar_->window() : nullptr;
}

MsgButton QtMessageFace::ShowBox(const std::string& text, int kind, int buttons) {
  if (hook_) return hook_(BoxRequest{text, kind, buttons, false});
  QMessageBox* box = MakeBox(text, kind, buttons, BoxParent());
  // The pointer goes on the default button once the box stands.
  QTimer::singleShot(0, box, [box] {
    if (QPushButton* b = box->defaultButton(); b && b->isVisible())
      QCursor::setPos(b->mapToGlobal(b->rect().center()));
  });
  box->exec();
  MsgButton answer = AnswerOf(box);
  delete box;
  return answer;
}

void QtMessageFace::ShowSystemError(const std::string& text) {
  if (hook_) {
    hook_(BoxRequest{text, 4, 1, true});
    return;
  }
  QMessageBox::critical(BoxParent(), QApplication::applicationDisplayName(), Q(text));
}

// ---------------------------------------------------------------- status bar

void QtMessageFace::AttachStatusBar(QStatusBar* bar, const std::array<int, 4>& widths) {
  for (auto& panel : panels_) delete panel.data();
  bar_ = bar;
  if (!bar) return;
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(bar);
    label->setObjectName(QStringLiteral("SBAR_Panel%1").arg(i));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setFont(LegacyFont(kFontPGothic, 9));
    label->setTextFormat(Qt::PlainText);
    if (i < 3)
      label->setFixedWidth(widths[i]);
    else
      label->setMinimumWidth(widths[i]);
    bar->addWidget(label, i == 3 ? 1 : 0);
    panels_[i] = label;
  }
}

QString QtMessageFace::PanelText(int panel) const {
  if (panel < 0 || panel > 3 || !panels_[panel]) return {};
  return panels_[panel]->text();
}

bool QtMessageFace::HasStatusBar() const { return bar_ && panels_[0]; }

void QtMessageFace::SetStatusPanels(const std::array<std::string, 4>& panels) {
  if (!HasStatusBar()) return;
  for (int i = 0; i < 4; ++i)
    if (panels_[i]) panels_[i]->setText(Q(panels[i]));
  bar_->setToolTip(Q(panels[0]));
  bar_->repaint();
}

// ---------------------------------------------------------------- time, sound, pointer

void QtMessageFace::Beep() { QApplication::beep(); }

void QtMessageFace::ProcessEvents() { QCoreApplication::processEvents(); }

void QtMessageFace::WaitMs(int ms) {
  const int scaled = static_cast<int>(ms * waitFactor_);
  QCoreApplication::processEvents();
  if (scaled <= 0) return;
  // Other window events run while the time passes.
  QEventLoop loop;
  QTimer::singleShot(scaled, &loop, &QEventLoop::quit);
  loop.exec();
}

void QtMessageFace::SetPointerShape(PointerShape shape) {
  if (shape == PointerShape::Arrow) {
    if (pointerOverridden_) QApplication::restoreOverrideCursor();
    pointerOverridden_ = false;
    return;
  }
  const Qt::CursorShape cursor = shape == PointerShape::NotAllowed ? Qt::ForbiddenCursor
                                 : shape == PointerShape::Hourglass ? Qt::WaitCursor
                                                                    : Qt::SizeAllCursor;
  if (pointerOverridden_)
    QApplication::changeOverrideCursor(cursor);
  else
    QApplication::setOverrideCursor(cursor);
  pointerOverridden_ = true;
}

void QtMessageFace::MovePointer(int x, int y) { QCursor::setPos(x, y); }

void QtMessageFace::ScreenSize(int& width, int& height) const {
  width = height = 0;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    width = screen->geometry().width();
    height = screen->geometry().height();
  }
}

// ---------------------------------------------------------------- progress

void QtMessageFace::ProgressStart(int min, int max, int) {
  if (!progress_) return;
  progress_->setRange(min, max);
  progress_->setValue(min);
  progress_->show();
}

void QtMessageFace::ProgressSet(int value) {
  if (progress_) progress_->setValue(value);
}

void QtMessageFace::ProgressEnd() {
  if (progress_) progress_->hide();
}

// ---------------------------------------------------------------- process-wide

QtMessageFace& QtFace() {
  static QtMessageFace* face = new QtMessageFace();  // lives as long as the program
  return *face;
}

void InstallQtMessageFace() { SetMessageFace(&QtFace()); }

void PointAtControl(QWidget* control) {
  if (!control || !control->isVisible()) return;
  QCursor::setPos(control->mapToGlobal(QPoint(control->width() / 2, control->height() / 2)));
  if (control->isEnabled() && control->focusPolicy() != Qt::NoFocus) control->setFocus(Qt::OtherFocusReason);
}

}  // namespace kondra
