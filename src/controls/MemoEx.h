// TMemoEx: a read-mostly multi-line text box that reports its caret
// position, scrolls a given line to the top, and loads text files (with or
// without line numbers).
#pragma once

#include <QPlainTextEdit>
#include <string>

namespace kondra {

// Line and column are 1-based; column and absolute position count CP932
// bytes (a line break counts one).
struct MemoCaret {
  int line = 0;
  int column = 0;
  int absolute = 0;
};

class TMemoEx : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE setTag)

 public:
  explicit TMemoEx(QWidget* parent = nullptr);

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }
  // The caret position as last read by CaretPosition.
  MemoCaret Caret;
  // 1-based number of the first visible line; the number of lines.
  int FirstVisibleLine() const;
  int LineCount() const;

 private:
  int tag_ = 0;
};

MemoCaret CaretPosition(TMemoEx* memo);
// Makes `line` the first visible line (0 counts as 1, a line past the end as
// the last), then reads the caret position.
void ScrollMemoToLine(TMemoEx* memo, int line);
// Fills the memo from a Shift-JIS text file ("%5d:%s" per line when
// numbered) and shows its first line. A missing file empties the memo; a
// file that cannot be read or is not Shift-JIS text is named in a warning.
void LoadMemoFile(TMemoEx* memo, const std::string& path, bool numbered);

}  // namespace kondra
