// List, lookup and window helpers shared by the windows: filling combo and
// list items (numbered "%3d:name" or plain), finding an entry regardless of
// its numbering and of ASCII case, setting controls without their change
// handlers running, finding components and windows by name, and moving a
// window by dragging its client area.
#pragma once

#include <initializer_list>

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <utility>

class QAbstractButton;
class QAbstractSlider;
class QButtonGroup;
class QComboBox;
class QListWidget;
class QSpinBox;
class QWidget;

namespace kondra {

// Fills `list` with names(first) .. names(last) ("%3d:%s" with the index
// when numbered); the list is cleared first, and stays empty when last <
// first. Updates are suspended meanwhile and no change handler runs.
void LoadNumberedList(QComboBox* list, const std::function<std::string(int)>& names, int first, bool numbered,
                      int last);
void LoadNumberedList(QListWidget* list, const std::function<std::string(int)>& names, int first, bool numbered,
                      int last);
void LoadNumberedList(QStringList& list, const std::function<std::string(int)>& names, int first, bool numbered,
                      int last);

// Any indexable collection of texts (a 1-based array, a vector, ...).
template <typename List, typename Names>
  requires requires(const Names& n) { std::string(n[0]); }
void LoadNumberedList(List&& list, const Names& names, int first, bool numbered, int last) {
  LoadNumberedList(std::forward<List>(list), std::function<std::string(int)>([&names](int i) {
                     return std::string(names[static_cast<std::size_t>(i)]);
                   }),
                   first, numbered, last);
}

// The names of the shared name list, NameList[1..NameCount].
void LoadNameList(QComboBox* list, bool numbered);
void LoadNameList(QListWidget* list, bool numbered);
// Loads a table file (DataLoad) and lists column 1 of its rows.
void LoadTableNames(QComboBox* list, const std::string& path, bool numbered);
// Column `column` (0..16) of rows 1..DT_RowCount of the loaded data table,
// or of rows first..last (held within the loaded rows).
void LoadTableColumn(QComboBox* list, int column, bool numbered);
void LoadTableColumn(QComboBox* list, int column, bool numbered, int first, int last);

// The files of the current path's folder with its extension, numbered,
// each with the folder in front (WithFolder) or the bare file name (Bare);
// with a filter only names containing it. A new file not yet saved ("(新規)."
// in its name) is listed too. The current file is selected. The path
// components (env/Paths.h) are those of the current path afterwards.
enum class FileComboNames { WithFolder, Bare };
void FillFileCombo(QComboBox* combo, const std::string& currentPath, const std::string& filter = std::string(),
                   FileComboNames names = FileComboNames::WithFolder);

// 1-based position of the first entry equal to `text` (0 when none, also for
// an empty list or text). Both sides are compared without a numbering prefix
// (up to a ":" at byte 3 or later) and with ASCII letters in upper case.
int FindListItem(const QStringList& list, const QString& text, bool* found = nullptr);
// Found: that entry is selected; not found: the combo's text is emptied.
void SelectListItem(QComboBox* combo, const QString& text);

// Set a control's value without its change handlers running.
void SetUpDownQuietly(QSpinBox* updown, int position);
void SetUpDownQuietly(QAbstractSlider* updown, int position);
void SetCheckQuietly(QAbstractButton* check, bool state);
// Checks radio button number - 1 (numbers below 0 count as 0): the button of
// that id in a QButtonGroup, or that radio button among a container's.
void SetRadioQuietly(QButtonGroup* group, int number);
void SetRadioQuietly(QWidget* group, int number);

// The component named prefix + suffix inside a window (nullptr when none).
QWidget* FindByPrefix(const QWidget* form, const QString& prefix, const QString& suffix);
// True when an open (shown) window has the object name `name`.
bool FormIsOpen(const QString& name);
// A window's position and size, frame included.
QRect FormBounds(const QWidget* form);

// Moving a window by dragging its client area: StartWindowDrag on the mouse
// press, DragWindow(control) on the next mouse move, EndWindowDrag on the
// release.
void StartWindowDrag();
void DragWindow(QWidget* control);
void EndWindowDrag();
bool WindowDragActive();

// Lets the user move `panel` inside its parent by dragging any of `handles`
// (the panel itself among them, as a rule) with the left button; the panel
// stays within the parent.
void InstallPanelDrag(QWidget* panel, std::initializer_list<QWidget*> handles);

}  // namespace kondra
