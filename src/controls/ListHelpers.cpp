#include "controls/ListHelpers.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QWindow>
#include <cstdio>

#include "controls/QtText.h"
#include "env/Text.h"

namespace kondra {
namespace {

QStringList NumberedNames(const std::function<std::string(int)>& names, int first, bool numbered, int last) {
  QStringList out;
  for (int i = first; i <= last; ++i) {
    std::string name = names(i);
    if (numbered) {
      char number[16];
      std::snprintf(number, sizeof number, "%3d:", i);
      name = number + name;
    }
    out << Q(name);
  }
  return out;
}

// The text an entry is compared by.
std::string ListKey(const QString& text) { return UpperAscii(StripTag(S(text))); }

}  // namespace

void LoadNumberedList(QComboBox* list, const std::function<std::string(int)>& names, int first, bool numbered,
                      int last) {
  if (!list) return;
  QSignalBlocker quiet(list);
  list->setUpdatesEnabled(false);
  list->clear();
  list->addItems(NumberedNames(names, first, numbered, last));
  list->setCurrentIndex(-1);
  list->setUpdatesEnabled(true);
}

void LoadNumberedList(QListWidget* list, const std::function<std::string(int)>& names, int first, bool numbered,
                      int last) {
  if (!list) return;
  QSignalBlocker quiet(list);
  list->setUpdatesEnabled(false);
  list->clear();
  list->addItems(NumberedNames(names, first, numbered, last));
  list->setUpdatesEnabled(true);
}

void LoadNumberedList(QStringList& list, const std::function<std::string(int)>& names, int first, bool numbered,
                      int last) {
  list = NumberedNames(names, first, numbered, last);
}

int FindListItem(const QStringList& list, const QString& text, bool* found) {
  if (found) *found = false;
  if (list.isEmpty() || text.isEmpty()) return 0;
  const std::string key = ListKey(text);
  for (int i = 0; i < list.size(); ++i) {
    if (ListKey(list[i]) == key) {
      if (found) *found = true;
      return i + 1;
    }
  }
  return 0;
}

void SelectListItem(QComboBox* combo, const QString& text) {
  if (!combo) return;
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  int position = FindListItem(items, text);
  if (position > 0) {
    combo->setCurrentIndex(position - 1);
  } else {
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
  }
}

void SetUpDownQuietly(QSpinBox* updown, int position) {
  if (!updown) return;
  QSignalBlocker quiet(updown);
  updown->setValue(position);
}

void SetUpDownQuietly(QAbstractSlider* updown, int position) {
  if (!updown) return;
  QSignalBlocker quiet(updown);
  updown->setValue(position);
}

void SetCheckQuietly(QAbstractButton* check, bool state) {
  if (!check) return;
  QSignalBlocker quiet(check);
  check->setChecked(state);
}

void SetRadioQuietly(QButtonGroup* group, int number) {
  if (!group) return;
  int index = number - 1 < 0 ? 0 : number - 1;
  QAbstractButton* button = group->button(index);
  if (!button && index < group->buttons().size()) button = group->buttons().at(index);
  if (!button) return;
  QSignalBlocker quietGroup(group);
  QSignalBlocker quiet(button);
  button->setChecked(true);
}

void SetRadioQuietly(QWidget* group, int number) {
  if (!group) return;
  int index = number - 1 < 0 ? 0 : number - 1;
  const QList<QRadioButton*> buttons = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  if (index >= buttons.size()) return;
  QSignalBlocker quiet(buttons[index]);
  buttons[index]->setChecked(true);
}

QWidget* FindByPrefix(const QWidget* form, const QString& prefix, const QString& suffix) {
  if (!form) return nullptr;
  return form->findChild<QWidget*>(prefix + suffix);
}

bool FormIsOpen(const QString& name) {
  const auto windows = QApplication::topLevelWidgets();
  for (QWidget* w : windows)
    if (w->objectName() == name && w->isVisible()) return true;
  return false;
}

QRect FormBounds(const QWidget* form) { return form ? form->frameGeometry() : QRect(); }

// ---------------------------------------------------------------- dragging

namespace {

bool g_dragging = false;

// Follows the mouse with a window until the button is released, where the
// platform cannot move windows itself.
class DragFollower : public QObject {
 public:
  explicit DragFollower(QWidget* window) : QObject(window), window_(window), startPos_(window->pos()) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseMove) {
      const QPoint mouse = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      if (!anchored_) {
        anchor_ = mouse;
        anchored_ = true;
      }
      if (window_) window_->move(startPos_ + (mouse - anchor_));
    } else if (event->type() == QEvent::MouseButtonRelease) {
      qApp->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  QPointer<QWidget> window_;
  QPoint startPos_, anchor_;
  bool anchored_ = false;
};

}  // namespace

void StartWindowDrag() {
  g_dragging = true;
  QApplication::setOverrideCursor(Qt::SizeAllCursor);
}

void DragWindow(QWidget* control) {
  if (!g_dragging || !control) return;
  QWidget* window = control->window();
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  bool moved = window->windowHandle() && window->windowHandle()->startSystemMove();
  if (!moved) new DragFollower(window);
  EndWindowDrag();
}

void EndWindowDrag() {
  if (!g_dragging) return;
  g_dragging = false;
  QApplication::restoreOverrideCursor();
}

bool WindowDragActive() { return g_dragging; }

}  // namespace kondra
