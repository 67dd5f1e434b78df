#include "controls/MemoEx.h"

#include <QScrollBar>
#include <QTextBlock>
#include <cstdio>
#include <vector>

#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Cp932.h"
#include "env/FileSystem.h"
#include "env/Messages.h"

namespace kondra {

TMemoEx::TMemoEx(QWidget* parent) : QPlainTextEdit(parent) {
  setFont(LegacyFont(kFontGothic, 9));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  // Lets the last line scroll up to the top.
  setCenterOnScroll(true);
}

int TMemoEx::FirstVisibleLine() const { return firstVisibleBlock().blockNumber() + 1; }

int TMemoEx::LineCount() const { return document()->blockCount(); }

MemoCaret CaretPosition(TMemoEx* memo) {
  MemoCaret caret;
  if (!memo) return caret;
  const int start = memo->textCursor().selectionStart();
  const QTextBlock block = memo->document()->findBlock(start);
  caret.line = block.blockNumber() + 1;
  caret.column = MBWidth(S(block.text().left(start - block.position()))) + 1;
  int before = 0;
  for (QTextBlock b = memo->document()->firstBlock(); b.isValid() && b != block; b = b.next())
    before += MBWidth(S(b.text())) + 1;
  caret.absolute = before + caret.column;
  memo->Caret = caret;
  return caret;
}

void ScrollMemoToLine(TMemoEx* memo, int line) {
  if (!memo) return;
  if (line <= 0) line = 1;
  if (line > memo->LineCount()) line = memo->LineCount();
  const int first = memo->FirstVisibleLine();
  if (line != first) {
    QScrollBar* bar = memo->verticalScrollBar();
    bar->setValue(bar->value() + (line - first));
  }
  CaretPosition(memo);
}

void LoadMemoFile(TMemoEx* memo, const std::string& path, bool numbered) {
  if (!memo) return;
  if (!fs::IsFile(path)) {
    memo->clear();
    return;
  }
  std::string bytes, error, text;
  if (!fs::ReadWhole(path, bytes, &error)) {
    memo->clear();
    MsgBox("<" + path + ">" + CR + error, 3, 1);
    return;
  }
  std::size_t bad = 0;
  if (!FromCp932(bytes, text, &bad)) {
    memo->clear();
    MsgBox("<" + path + ">" + CR + "Shift-JISのテキストとして読めません。（" + std::to_string(bad + 1) + "バイト目）", 3,
           1);
    return;
  }
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    if (end >= text.size()) break;
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
  QStringList shown;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (numbered) {
      char number[24];
      std::snprintf(number, sizeof number, "%5zu:", i + 1);
      shown << Q(number + lines[i]);
    } else {
      shown << Q(lines[i]);
    }
  }
  memo->setPlainText(shown.join(QLatin1Char('\n')));
  ScrollMemoToLine(memo, 1);
}

}  // namespace kondra
