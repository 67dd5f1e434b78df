#include "gui/support/GuiTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "controls/QtText.h"
#include "controls/StrGEx.h"
#include "env/EditState.h"
#include "env/Messages.h"

namespace kondra::test {

BoxAnswers::BoxAnswers() {
  InstallQtMessageFace();
  QtFace().SetWaitFactor(0.0);
  QtFace().SetBoxHook([this](const BoxRequest& request) {
    boxes.push_back(request);
    if (request.system) return MsgButton::Ok;
    if (!answers.empty()) {
      MsgButton answer = answers.front();
      answers.pop_front();
      return answer;
    }
    switch (request.buttons) {
      case 2:
      case 3:
      case 5:
        return MsgButton::Yes;
      case 4:
        return MsgButton::Retry;
      default:
        return MsgButton::Ok;
    }
  });
}

BoxAnswers::~BoxAnswers() {
  QtFace().SetBoxHook(nullptr);
  QtFace().SetWaitFactor(1.0);
  SetMessageFace(nullptr);
}

QStringList BoxAnswers::Texts() const {
  QStringList out;
  for (const auto& b : boxes) out << Q(b.text);
  return out;
}

QString BoxAnswers::Panel(int panel) const { return QtFace().PanelText(panel); }

StatusLog::StatusLog() : inner_(Face()) { SetMessageFace(this); }
StatusLog::~StatusLog() { SetMessageFace(&inner_); }
MsgButton StatusLog::ShowBox(const std::string& text, int kind, int buttons) { return inner_.ShowBox(text, kind, buttons); }
void StatusLog::ShowSystemError(const std::string& text) { inner_.ShowSystemError(text); }
bool StatusLog::HasStatusBar() const { return inner_.HasStatusBar(); }
void StatusLog::SetStatusPanels(const std::array<std::string, 4>& panels) {
  texts << QString::fromStdString(panels[0]);
  inner_.SetStatusPanels(panels);
}
void StatusLog::Beep() { inner_.Beep(); }
void StatusLog::ProcessEvents() { inner_.ProcessEvents(); }
void StatusLog::WaitMs(int ms) { inner_.WaitMs(ms); }
void StatusLog::SetPointerShape(PointerShape shape) { inner_.SetPointerShape(shape); }
void StatusLog::MovePointer(int x, int y) { inner_.MovePointer(x, y); }
void StatusLog::ScreenSize(int& width, int& height) const { inner_.ScreenSize(width, height); }
void StatusLog::ProgressStart(int min, int max, int step) { inner_.ProgressStart(min, max, step); }
void StatusLog::ProgressSet(int value) { inner_.ProgressSet(value); }
void StatusLog::ProgressEnd() { inner_.ProgressEnd(); }

void AnswerNextRealBox(MsgButton answer, QString* text, QString* caption, QStringList* buttons) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [=]() {
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
    if (!box) {
      QTimer::singleShot(10, *attempt);
      return;
    }
    if (text) *text = box->text();
    if (caption) *caption = box->windowTitle();
    if (buttons) {
      buttons->clear();
      for (QAbstractButton* b : box->buttons()) *buttons << b->text();
    }
    for (QAbstractButton* b : box->buttons()) {
      if (b->property("kondraAnswer").toInt() == static_cast<int>(answer)) {
        b->click();
        return;
      }
    }
    box->reject();
  };
  QTimer::singleShot(0, *attempt);
}

void ResetEditing() {
  Edit = EditState{};
  ResetMessageState();
  DataModified = false;
  StatusFileName.clear();
}

bool ShowActive(QWidget* window) {
  window->show();
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

void TypeText(QWidget* widget, const QString& text) {
  for (char32_t c : text.toUcs4()) {
    if (c >= 32 && c < 127) {
      QTest::keyClick(widget, static_cast<char>(c));
    } else {
      const QString one = QString::fromUcs4(&c, 1);
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, one, Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, one, Qt::NoModifier);
    }
  }
}

void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(widget, key, modifiers);
}

void ClickCell(TStrGridEx* grid, int col, int row, Qt::MouseButton button) {
  QRect r = grid->CellRect(col, row);
  QTest::mouseClick(grid->viewport(), button, Qt::NoModifier, r.center());
}

void ClickWidget(QWidget* widget, Qt::MouseButton button) {
  QTest::mouseClick(widget, button, Qt::NoModifier, widget->rect().center());
}

void MoveBar(QWidget* form, const char* name, int position) {
  auto* bar = form->findChild<QSlider*>(name);
  QVERIFY2(bar, name);
  bar->setFocus(Qt::TabFocusReason);
  PressKey(bar, Qt::Key_Home);
  for (int i = 0; i < position; ++i) PressKey(bar, Qt::Key_Right);
}

QString GrabPng(QWidget* widget, const QString& name) {
  QDir dir(QDir::temp().filePath(QStringLiteral("kondra-test-pictures")));
  if (!dir.exists() && !dir.mkpath(QStringLiteral("."))) return {};
  QString path = dir.filePath(name + QStringLiteral(".png"));
  return widget->grab().save(path, "PNG") ? path : QString();
}

}  // namespace kondra::test
