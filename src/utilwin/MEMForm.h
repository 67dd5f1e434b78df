// TMEMForm: the memo viewer. It shows a plain Shift-JIS text file read-only
// with a table of contents made of the file's own heading lines, and opens
// beside the main window without blocking it. The main window shows the
// operating guide in it (ShowGuide).
#pragma once

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

namespace Ui {
class TMEMForm;
}

namespace kondra {

class TMemoEx;

class TMEMForm : public QWidget {
  Q_OBJECT

 public:
  explicit TMEMForm(QWidget* parent = nullptr);
  ~TMEMForm() override;

  // The file to show; set before the window is shown (a new file is read at
  // the next activation).
  void SetMemoFile(const std::string& path);
  const std::string& MemoFile() const { return path_; }
  // A line is a heading when `text` stands at byte `column` (1-based).
  // Column 0 means 3, an empty text "．".
  void SetHeadingMarker(int column, const std::string& text);

  TMemoEx* Memo() const;

 protected:
  bool event(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Activate();
  void BuildContents();
  void JumpToEntry(int index);

  Ui::TMEMForm* ui_;
  std::string path_;
  int markerColumn_ = 3;
  std::string marker_ = "．";
  bool loaded_ = false;
};

// The table of contents of some lines: "line --- (n)" for every line whose
// text from byte `column` (1-based, CP932 bytes, whole characters) starts
// with the marker; n is the 1-based line number.
std::vector<std::string> HeadingEntries(const std::vector<std::string>& lines, int column,
                                        const std::string& marker);
// The line number of an entry (0 when it has none).
int EntryLine(const std::string& entry);
// "全" + the number with thousands separators + "行".
std::string LineCountText(int lines);

// The operating guide: the text file beside the program named like the
// program's executable, with ".TXT".
std::string GuideFilePath();
// Opens the memo viewer on `path` with the guide's headings (one viewer,
// made on first use, brought forward afterwards) and returns it.
TMEMForm* ShowGuide(QWidget* parent, const std::string& path);
// The viewer when it exists.
TMEMForm* GuideViewer();
// Closes and frees the viewer (the main window, when it closes).
void FreeGuide();

}  // namespace kondra
