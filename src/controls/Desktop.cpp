#include "controls/Desktop.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <algorithm>

namespace kondra {
namespace {

bool g_japanese = false;

void LoadToolkitTranslations() {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(qApp);
  if (translator->load(QStringLiteral("qtbase_ja"), folder)) {
    QCoreApplication::installTranslator(translator);
    g_japanese = true;
  } else {
    delete translator;
  }
}

// The frame the window manager puts around a window, taken from a window of
// the program it has framed already (none without a window manager).
QMargins FrameOf(const QWidget* window) {
  auto margins = [](const QWidget* w) {
    const QRect outer = w->frameGeometry(), inner = w->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
  };
  if (window->isVisible() && window->frameGeometry() != window->geometry()) return margins(window);
  for (const QWidget* other : QApplication::topLevelWidgets())
    if (other != window && other->isVisible() && other->frameGeometry() != other->geometry()) return margins(other);
  return {};
}

bool PlacedOnDesktop(const QWidget* w) {
  if (!w->isWindow()) return false;
  switch (w->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Tool:
      return true;
    default:
      return false;  // pop-ups, tool tips and the like place themselves
  }
}

class ScreenKeeper : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* w = static_cast<QWidget*>(watched);
      if (PlacedOnDesktop(w)) {
        KeepOnScreen(w);
        // Once the window manager has framed it, with the real frame.
        QPointer<QWidget> later(w);
        QTimer::singleShot(250, w, [later] {
          if (later && later->isVisible()) KeepOnScreen(later);
        });
      }
    }
    return false;
  }
};

}  // namespace

void PrepareDesktop() {
  static bool prepared = false;
  if (prepared || !qApp) return;
  prepared = true;
  LoadToolkitTranslations();
  qApp->installEventFilter(new ScreenKeeper(qApp));
}

bool ToolkitSpeaksJapanese() { return g_japanese; }

QRect KeptInside(const QRect& outer, const QRect& area) {
  QRect kept = outer;
  if (kept.right() > area.right()) kept.moveRight(area.right());
  if (kept.bottom() > area.bottom()) kept.moveBottom(area.bottom());
  if (kept.left() < area.left()) kept.moveLeft(area.left());
  if (kept.top() < area.top()) kept.moveTop(area.top());
  return kept;
}

void KeepOnScreen(QWidget* window) {
  if (!window || !window->isWindow()) return;
  const QRect inner = window->geometry();
  QScreen* screen = QGuiApplication::screenAt(inner.center());
  if (!screen) screen = window->screen();
  if (!screen) return;
  const QRect outer = inner.marginsAdded(FrameOf(window));
  const QRect kept = KeptInside(outer, screen->availableGeometry());
  if (kept.topLeft() != outer.topLeft()) window->move(window->pos() + (kept.topLeft() - outer.topLeft()));
}

}  // namespace kondra
