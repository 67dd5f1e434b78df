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
#include <algorithm>
#include <cstdio>

#include "controls/QtText.h"
#include "env/Paths.h"
#include "env/Text.h"
#include "records/TableFile.h"

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

void LoadNameList(QComboBox* list, bool numbered) { LoadNumberedList(list, NameList, 1, numbered, NameCount); }

void LoadNameList(QListWidget* list, bool numbered) { LoadNumberedList(list, NameList, 1, numbered, NameCount); }

void LoadTableNames(QComboBox* list, const std::string& path, bool numbered) {
  DataLoad(path);
  LoadNumberedList(list, DT_Name, 1, numbered, DT_RowCount);
}

void LoadTableColumn(QComboBox* list, int column, bool numbered) {
  LoadTableColumn(list, column, numbered, 1, DT_RowCount);
}

void LoadTableColumn(QComboBox* list, int column, bool numbered, int first, int last) {
  if (column < 0 || column > kMaxTableCols) {
    LoadNumberedList(list, DT_Name, 1, numbered, 0);  // no such column: an empty list
    return;
  }
  first = std::max(first, 1);
  last = std::min(last, static_cast<int>(DT_RowCount));
  LoadNumberedList(
      list, [column](int row) { return DT_Cell[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; },
      first, numbered, last);
}

void FillFileCombo(QComboBox* combo, const std::string& currentPath, const std::string& filter,
                   FileComboNames names) {
  SplitPath(currentPath);
  const std::string folder = CurDir, ext = CurExt, fileName = CurFileName, path = folder + fileName;
  ListFiles(folder, "*", ext);
  int kept = 0;
  bool listed = false;
  for (int i = 1; i <= NameCount; ++i) {
    const std::string& name = NameList[static_cast<std::size_t>(i)];
    if (!filter.empty() && !Contains(filter, name)) continue;
    if (UpperAscii(name) == UpperAscii(fileName)) listed = true;
    NameList[static_cast<std::size_t>(++kept)] = names == FileComboNames::WithFolder ? folder + name : name;
  }
  NameCount = kept;
  // A new calculation not yet saved is still the one on screen.
  if (Contains("(新規).", fileName) && !listed && NameCount < kMaxNames)
    NameList[static_cast<std::size_t>(++NameCount)] = names == FileComboNames::WithFolder ? path : fileName;
  LoadNameList(combo, true);
  SelectListItem(combo, Q(names == FileComboNames::WithFolder ? path : fileName));
  SplitPath(currentPath);
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

namespace {

class PanelDrag : public QObject {
 public:
  explicit PanelDrag(QWidget* panel) : QObject(panel), panel_(panel) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) break;
        dragging_ = true;
        dragStart_ = mouse->globalPosition().toPoint();
        panel_->setCursor(Qt::SizeAllCursor);
        return true;
      }
      case QEvent::MouseMove: {
        if (!dragging_) break;
        const QPoint now = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        QPoint to = panel_->pos() + (now - dragStart_);
        dragStart_ = now;
        if (QWidget* p = panel_->parentWidget()) {
          to.setX(std::clamp(to.x(), 0, std::max(0, p->width() - panel_->width())));
          to.setY(std::clamp(to.y(), 0, std::max(0, p->height() - panel_->height())));
        }
        panel_->move(to);
        return true;
      }
      case QEvent::MouseButtonRelease:
        if (!dragging_) break;
        dragging_ = false;
        panel_->unsetCursor();
        return true;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* panel_;
  bool dragging_ = false;
  QPoint dragStart_;
};

}  // namespace

void InstallPanelDrag(QWidget* panel, std::initializer_list<QWidget*> handles) {
  auto* drag = new PanelDrag(panel);
  for (QWidget* handle : handles) handle->installEventFilter(drag);
}

}  // namespace kondra
