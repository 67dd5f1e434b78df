#include "controls/StrGEx.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Cp932.h"
#include "env/EditState.h"
#include "env/Numbers.h"

namespace kondra {

CellEditPlace LastCellPlace;

namespace {
constexpr int kLine = 1;  // grid line between cells
constexpr int kMaxLead = 99;
}  // namespace

TStrGridEx::TStrGridEx(QWidget* parent) : QAbstractScrollArea(parent) {
  setFont(LegacyFont(kFontGothic, 9));
  // Flat: one plain line around the cells.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
  color_ = palette().color(QPalette::Base);
  fixedColor_ = palette().color(QPalette::Button);
  fontColor_ = palette().color(QPalette::Text);
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(1);
  Resize(5, 5);
  resize(192, 108);
  setScrollBars(ssBoth);
}

TStrGridEx::~TStrGridEx() {
  if (Edit.currentGrid == static_cast<void*>(this)) Edit.currentGrid = nullptr;
  if (LastCellPlace.grid == this) LastCellPlace.grid = nullptr;
}

// ---------------------------------------------------------------- size

void TStrGridEx::Resize(int cols, int rows) {
  cols = std::max(cols, 1);
  rows = std::max(rows, 1);
  colWidths_.resize(cols);
  for (int c = colCount_; c < cols; ++c) colWidths_[c] = defaultColWidth_;
  rowHeights_.resize(rows);
  for (int r = rowCount_; r < rows; ++r) rowHeights_[r] = defaultRowHeight_;
  cells_.resize(rows);
  for (auto& line : cells_) line.resize(cols);
  colCount_ = cols;
  rowCount_ = rows;
  fixedCols_ = std::min(fixedCols_, cols - 1);
  fixedRows_ = std::min(fixedRows_, rows - 1);
  col_ = std::clamp(col_, fixedCols_, cols - 1);
  row_ = std::clamp(row_, fixedRows_, rows - 1);
  topRow_ = std::clamp(topRow_, fixedRows_, rows - 1);
  leftCol_ = std::clamp(leftCol_, fixedCols_, cols - 1);
  UpdateScrollBars();
  viewport()->update();
}

void TStrGridEx::setColCount(int count) { Resize(count, rowCount_); }
void TStrGridEx::setRowCount(int count) { Resize(colCount_, count); }

void TStrGridEx::setFixedCols(int count) {
  fixedCols_ = std::clamp(count, 0, colCount_ - 1);
  col_ = std::max(col_, fixedCols_);
  leftCol_ = std::max(leftCol_, fixedCols_);
  UpdateScrollBars();
  viewport()->update();
}

void TStrGridEx::setFixedRows(int count) {
  fixedRows_ = std::clamp(count, 0, rowCount_ - 1);
  row_ = std::max(row_, fixedRows_);
  topRow_ = std::max(topRow_, fixedRows_);
  UpdateScrollBars();
  viewport()->update();
}

void TStrGridEx::setDefaultColWidth(int width) {
  defaultColWidth_ = std::max(width, 0);
  colWidths_.fill(defaultColWidth_);
  UpdateScrollBars();
  viewport()->update();
}

void TStrGridEx::setDefaultRowHeight(int height) {
  defaultRowHeight_ = std::max(height, 0);
  rowHeights_.fill(defaultRowHeight_);
  UpdateScrollBars();
  viewport()->update();
}

static QString JoinNumbers(const QVector<int>& v) {
  QStringList parts;
  for (int n : v) parts << QString::number(n);
  return parts.join(QLatin1Char(' '));
}

static void ApplyNumbers(const QString& text, QVector<int>& target) {
  const QStringList parts = text.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
  for (int i = 0; i < parts.size() && i < target.size(); ++i) {
    bool ok = false;
    int n = parts[i].toInt(&ok);
    if (ok && n >= 0) target[i] = n;
  }
}

QString TStrGridEx::ColWidths() const { return JoinNumbers(colWidths_); }
void TStrGridEx::setColWidths(const QString& widths) {
  ApplyNumbers(widths, colWidths_);
  UpdateScrollBars();
  viewport()->update();
}
QString TStrGridEx::RowHeights() const { return JoinNumbers(rowHeights_); }
void TStrGridEx::setRowHeights(const QString& heights) {
  ApplyNumbers(heights, rowHeights_);
  UpdateScrollBars();
  viewport()->update();
}

int TStrGridEx::ColWidth(int col) const { return col >= 0 && col < colCount_ ? colWidths_[col] : 0; }
int TStrGridEx::RowHeight(int row) const { return row >= 0 && row < rowCount_ ? rowHeights_[row] : 0; }

void TStrGridEx::SetColWidth(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  colWidths_[col] = std::max(width, 0);
  UpdateScrollBars();
  viewport()->update();
}

void TStrGridEx::SetRowHeight(int row, int height) {
  if (row < 0 || row >= rowCount_) return;
  rowHeights_[row] = std::max(height, 0);
  UpdateScrollBars();
  viewport()->update();
}

void TStrGridEx::setColor(const QColor& c) {
  color_ = c;
  viewport()->update();
}
void TStrGridEx::setFixedColor(const QColor& c) {
  fixedColor_ = c;
  viewport()->update();
}
void TStrGridEx::setFontColor(const QColor& c) {
  fontColor_ = c;
  viewport()->update();
}
void TStrGridEx::setDefaultDrawing(bool on) {
  defaultDrawing_ = on;
  viewport()->update();
}

void TStrGridEx::setScrollBars(TScrollStyle style) {
  scrollBars_ = style;
  setVerticalScrollBarPolicy(style == ssVertical || style == ssBoth ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(style == ssHorizontal || style == ssBoth ? Qt::ScrollBarAsNeeded
                                                                        : Qt::ScrollBarAlwaysOff);
  UpdateScrollBars();
}

// ---------------------------------------------------------------- cells

QString TStrGridEx::Cells(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
  return cells_[row][col];
}

void TStrGridEx::SetCells(int col, int row, const QString& text) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return;
  if (cells_[row][col] == text) return;
  cells_[row][col] = text;
  QRect r = CellRect(col, row);
  if (!r.isEmpty()) viewport()->update(r);
}

QStringList TStrGridEx::RowTexts(int row) const {
  QStringList out;
  if (row < 0 || row >= rowCount_) return out;
  for (int c = 0; c < colCount_; ++c) out << cells_[row][c];
  return out;
}

void TStrGridEx::SetRowTexts(int row, const QStringList& texts) {
  for (int c = 0; c < colCount_; ++c) SetCells(c, row, c < texts.size() ? texts[c] : QString());
}

QStringList TStrGridEx::ColTexts(int col) const {
  QStringList out;
  if (col < 0 || col >= colCount_) return out;
  for (int r = 0; r < rowCount_; ++r) out << cells_[r][col];
  return out;
}

void TStrGridEx::SetColTexts(int col, const QStringList& texts) {
  for (int r = 0; r < rowCount_; ++r) SetCells(col, r, r < texts.size() ? texts[r] : QString());
}

void TStrGridEx::ClearCells() {
  for (int r = fixedRows_; r < rowCount_; ++r)
    for (int c = fixedCols_; c < colCount_; ++c) cells_[r][c].clear();
  viewport()->update();
}

// ---------------------------------------------------------------- geometry

int TStrGridEx::FixedWidth() const {
  int x = 0;
  for (int c = 0; c < fixedCols_; ++c) x += colWidths_[c] + kLine;
  return x;
}

int TStrGridEx::FixedHeight() const {
  int y = 0;
  for (int r = 0; r < fixedRows_; ++r) y += rowHeights_[r] + kLine;
  return y;
}

QPoint TStrGridEx::ClientOrigin() const { return viewport()->geometry().topLeft(); }

QRect TStrGridEx::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
  if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return {};
  int x = 0;
  if (col < fixedCols_) {
    for (int c = 0; c < col; ++c) x += colWidths_[c] + kLine;
  } else {
    x = FixedWidth();
    for (int c = leftCol_; c < col; ++c) x += colWidths_[c] + kLine;
  }
  int y = 0;
  if (row < fixedRows_) {
    for (int r = 0; r < row; ++r) y += rowHeights_[r] + kLine;
  } else {
    y = FixedHeight();
    for (int r = topRow_; r < row; ++r) y += rowHeights_[r] + kLine;
  }
  QRect rect(x, y, colWidths_[col], rowHeights_[row]);
  if (x >= viewport()->width() || y >= viewport()->height()) return {};
  return rect;
}

bool TStrGridEx::MouseToCell(QPoint p, int& col, int& row) const {
  col = row = -1;
  auto find = [](int pos, int fixedCount, int first, int count, const QVector<int>& sizes) {
    int edge = 0;
    for (int i = 0; i < fixedCount; ++i) {
      edge += sizes[i] + kLine;
      if (pos < edge) return i;
    }
    for (int i = first; i < count; ++i) {
      edge += sizes[i] + kLine;
      if (pos < edge) return i;
    }
    return -1;
  };
  if (p.x() < 0 || p.y() < 0) return false;
  col = find(p.x(), fixedCols_, leftCol_, colCount_, colWidths_);
  row = find(p.y(), fixedRows_, topRow_, rowCount_, rowHeights_);
  return col >= 0 && row >= 0;
}

int TStrGridEx::MaxTopRow() const {
  int room = viewport()->height() - FixedHeight();
  int top = rowCount_;
  int used = 0;
  while (top - 1 >= fixedRows_ && used + rowHeights_[top - 1] + kLine <= room) {
    used += rowHeights_[top - 1] + kLine;
    --top;
  }
  if (top == rowCount_) top = rowCount_ - 1;
  return std::max(top, fixedRows_);
}

int TStrGridEx::MaxLeftCol() const {
  int room = viewport()->width() - FixedWidth();
  int left = colCount_;
  int used = 0;
  while (left - 1 >= fixedCols_ && used + colWidths_[left - 1] + kLine <= room) {
    used += colWidths_[left - 1] + kLine;
    --left;
  }
  if (left == colCount_) left = colCount_ - 1;
  return std::max(left, fixedCols_);
}

int TStrGridEx::VisibleRowCount() const {
  int room = viewport()->height() - FixedHeight();
  int n = 0;
  for (int r = topRow_, used = 0; r < rowCount_; ++r) {
    used += rowHeights_[r] + kLine;
    if (used > room) break;
    ++n;
  }
  return n;
}

int TStrGridEx::VisibleColCount() const {
  int room = viewport()->width() - FixedWidth();
  int n = 0;
  for (int c = leftCol_, used = 0; c < colCount_; ++c) {
    used += colWidths_[c] + kLine;
    if (used > room) break;
    ++n;
  }
  return n;
}

void TStrGridEx::UpdateScrollBars() {
  if (colWidths_.isEmpty() || rowHeights_.isEmpty()) return;
  syncingBars_ = true;
  // The bars' policies decide whether the viewport shrinks; settle twice so
  // that a bar appearing does not leave the other one stale.
  for (int pass = 0; pass < 2; ++pass) {
    int maxTop = MaxTopRow(), maxLeft = MaxLeftCol();
    topRow_ = std::clamp(topRow_, fixedRows_, maxTop);
    leftCol_ = std::clamp(leftCol_, fixedCols_, maxLeft);
    verticalScrollBar()->setRange(0, maxTop - fixedRows_);
    verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount()));
    verticalScrollBar()->setValue(topRow_ - fixedRows_);
    horizontalScrollBar()->setRange(0, maxLeft - fixedCols_);
    horizontalScrollBar()->setPageStep(std::max(1, VisibleColCount()));
    horizontalScrollBar()->setValue(leftCol_ - fixedCols_);
  }
  syncingBars_ = false;
}

void TStrGridEx::SetTopRow(int row) {
  int top = std::clamp(row, fixedRows_, MaxTopRow());
  if (top == topRow_) return;
  topRow_ = top;
  UpdateScrollBars();
  viewport()->update();
  emit TopLeftChanged();
}

void TStrGridEx::SetLeftCol(int col) {
  int left = std::clamp(col, fixedCols_, MaxLeftCol());
  if (left == leftCol_) return;
  leftCol_ = left;
  UpdateScrollBars();
  viewport()->update();
  emit TopLeftChanged();
}

void TStrGridEx::scrollContentsBy(int, int) {
  if (syncingBars_) return;
  int top = fixedRows_ + verticalScrollBar()->value();
  int left = fixedCols_ + horizontalScrollBar()->value();
  if (top == topRow_ && left == leftCol_) return;
  topRow_ = top;
  leftCol_ = left;
  viewport()->update();
  emit TopLeftChanged();
}

void TStrGridEx::ScrollIntoView(int col, int row) {
  if (row >= fixedRows_) {
    if (row < topRow_) {
      SetTopRow(row);
    } else {
      while (topRow_ < row && RowTop(this, row) + rowHeights_[row] > viewport()->height() &&
             topRow_ < MaxTopRow())
        SetTopRow(topRow_ + 1);
    }
  }
  if (col >= fixedCols_) {
    if (col < leftCol_) {
      SetLeftCol(col);
    } else {
      while (leftCol_ < col && ColumnLeft(this, col) + colWidths_[col] > viewport()->width() &&
             leftCol_ < MaxLeftCol())
        SetLeftCol(leftCol_ + 1);
    }
  }
}

bool TStrGridEx::FocusCell(int col, int row, bool byUser) {
  col = std::clamp(col, fixedCols_, colCount_ - 1);
  row = std::clamp(row, fixedRows_, rowCount_ - 1);
  if (col == col_ && row == row_) {
    ScrollIntoView(col, row);
    return true;
  }
  if (byUser) {
    bool can = true;
    emit SelectCell(col, row, &can);
    if (!can) return false;
  }
  QRect old = CellRect(col_, row_);
  col_ = col;
  row_ = row;
  ScrollIntoView(col, row);
  if (!old.isEmpty()) viewport()->update(old);
  viewport()->update(CellRect(col, row));
  if (byUser) emit Click();
  return true;
}

// ---------------------------------------------------------------- painting

void TStrGridEx::DrawOne(QPainter& p, int col, int row, const QRect& rect) {
  bool fixed = col < fixedCols_ || row < fixedRows_;
  int state = 0;
  if (fixed) state |= gdFixed;
  if (!fixed && col == col_ && row == row_) {
    state |= gdSelected;
    if (hasFocus()) state |= gdFocused;
  }
  if (defaultDrawing_) {
    QColor back = fixed ? fixedColor_ : color_;
    QColor fore = fontColor_;
    if ((state & gdSelected) && !(state & gdFocused)) {
      back = palette().color(QPalette::Highlight);
      fore = palette().color(QPalette::HighlightedText);
    }
    p.fillRect(rect, back);
    p.setPen(fore);
    p.save();
    p.setClipRect(rect);
    p.drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, cells_[row][col]);
    p.restore();
  }
  p.save();
  emit DrawCell(&p, col, row, rect, state);
  p.restore();
  if ((state & gdFocused) && defaultDrawing_) {
    QPen pen(fontColor_, 1, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
  }
}

void TStrGridEx::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.setFont(font());
  canvas_ = &p;
  const int width = viewport()->width(), height = viewport()->height();
  p.fillRect(viewport()->rect(), color_);

  std::vector<int> cols, rows;
  for (int c = 0; c < fixedCols_; ++c) cols.push_back(c);
  for (int c = leftCol_; c < colCount_; ++c) cols.push_back(c);
  for (int r = 0; r < fixedRows_; ++r) rows.push_back(r);
  for (int r = topRow_; r < rowCount_; ++r) rows.push_back(r);

  const QColor fixedLine = palette().color(QPalette::Shadow);
  const QColor cellLine(0xC0, 0xC0, 0xC0);
  int y = 0;
  for (int row : rows) {
    if (y >= height) break;
    int x = 0;
    int h = rowHeights_[row];
    for (int col : cols) {
      if (x >= width) break;
      int w = colWidths_[col];
      QRect rect(x, y, w, h);
      DrawOne(p, col, row, rect);
      bool fixed = col < fixedCols_ || row < fixedRows_;
      p.setPen(fixed ? fixedLine : cellLine);
      p.drawLine(x + w, y, x + w, y + h);  // right grid line
      p.drawLine(x, y + h, x + w, y + h);  // bottom grid line
      x += w + kLine;
    }
    y += h + kLine;
  }
  canvas_ = nullptr;
}

void TStrGridEx::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TStrGridEx::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update(CellRect(col_, row_));
}

void TStrGridEx::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update(CellRect(col_, row_));
}

// ---------------------------------------------------------------- input

void TStrGridEx::mousePressEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  int col, row;
  bool onCell = MouseToCell(p, col, row);
  if (event->button() == Qt::LeftButton && onCell && col >= fixedCols_ && row >= fixedRows_) {
    if (!FocusCell(col, row, true)) onCell = false;
  } else {
    onCell = false;
  }
  emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
  if (onCell && col_ == col && row_ == row) emit CellClicked(col, row);
  event->accept();
}

void TStrGridEx::mouseReleaseEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  emit MouseUp(event->button(), event->modifiers(), p.x(), p.y());
  event->accept();
}

void TStrGridEx::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  emit DblClick();
}

void TStrGridEx::keyPressEvent(QKeyEvent* event) {
  int col = col_, row = row_;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Up:
      --row;
      break;
    case Qt::Key_Down:
      ++row;
      break;
    case Qt::Key_Left:
      --col;
      break;
    case Qt::Key_Right:
      ++col;
      break;
    case Qt::Key_PageUp:
      row -= std::max(1, VisibleRowCount());
      break;
    case Qt::Key_PageDown:
      row += std::max(1, VisibleRowCount());
      break;
    case Qt::Key_Home:
      if (ctrl) row = fixedRows_;
      col = fixedCols_;
      break;
    case Qt::Key_End:
      if (ctrl) row = rowCount_ - 1;
      col = colCount_ - 1;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  FocusCell(col, row, true);
  event->accept();
}

// ---------------------------------------------------------------- free functions

int ColumnLeft(const TStrGridEx* grid, int col) {
  int x = 0;
  for (int c = 0; c < grid->FixedCols(); ++c) x += grid->ColWidth(c) + kLine;
  if (col < grid->LeftCol()) return x;
  for (int c = grid->LeftCol(); c < col; ++c) x += grid->ColWidth(c) + kLine;
  return x;
}

int RowTop(const TStrGridEx* grid, int row) {
  int y = 0;
  for (int r = 0; r < grid->FixedRows(); ++r) y += grid->RowHeight(r) + kLine;
  if (row < grid->TopRow()) return y;
  for (int r = grid->TopRow(); r < row; ++r) y += grid->RowHeight(r) + kLine;
  return y;
}

void PrepareCellEdit(TStrGridEx* grid, int col, int row) {
  if (!grid) return;
  // The client area starts inside the border (one pixel for a flat grid).
  QPoint origin = grid->ClientOrigin();
  int left = ColumnLeft(grid, col) + grid->x() + origin.x();
  int top = RowTop(grid, row) + grid->y() + origin.y();
  Edit.currentGrid = grid;
  Edit.column = col;
  Edit.row = row;
  Edit.cellRect = CellRect{left, top, left + grid->ColWidth(col), top + grid->RowHeight(row)};
  Edit.cellTextBefore = S(grid->Cells(col, row));
  LastCellPlace.grid = grid;
  LastCellPlace.col = col;
  LastCellPlace.row = row;
  LastCellPlace.topRow = grid->TopRow();
  LastCellPlace.leftCol = grid->LeftCol();
  LastCellPlace.mouse = QCursor::pos();
  LastCellPlace.originalText = grid->Cells(col, row);
}

void DrawSelectedCellPlain(TStrGridEx* grid, int col, int row, int state, const QRect& rect) {
  if (!grid || !(state & TStrGridEx::gdSelected)) return;
  DrawCellText(grid, rect, grid->Color(), grid->Cells(col, row));
}

void DrawCellText(TStrGridEx* grid, const QRect& rect, const QColor& background, const QString& text) {
  if (!grid) return;
  QPainter* p = grid->Canvas();
  if (!p) {
    grid->viewport()->update(rect);  // painted with the next paint
    return;
  }
  p->save();
  p->fillRect(rect, background);
  p->setClipRect(rect);
  p->setPen(grid->FontColor());
  p->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  p->restore();
}

void StoreEditedCellText(TStrGridEx* grid) {
  if (!grid || Edit.column < 0 || Edit.row < 0) return;
  if (Edit.unchanged) {
    grid->SetCells(Edit.column, Edit.row, Q(Edit.cellTextBefore));
    return;
  }
  const std::string& before = Edit.cellTextBefore;
  std::size_t lead = 0;
  while (lead < before.size() && before[lead] == ' ') ++lead;
  std::string text = Edit.newText;
  if (lead > 0) {
    // The column's indent replaces the text's own leading blanks, so the
    // column stays aligned.
    std::size_t own = text.find_first_not_of(' ');
    text = std::string(std::min<std::size_t>(lead, kMaxLead), ' ') +
           (own == std::string::npos ? std::string() : text.substr(own));
  }
  grid->SetCells(Edit.column, Edit.row, Q(text));
  Edit.cellTextBefore = Edit.newText;
}

void GridRowsToLines(const TStrGridEx* grid, const QString& rowList, int width, QStringList& lines) {
  lines.clear();
  if (!grid) return;
  std::vector<int32_t> rows;
  if (ParseNumberList(S(rowList), rows) == 0) return;
  for (int32_t row : rows) {
    if (row < 0 || row >= grid->RowCount()) continue;  // no such row: nothing to print
    std::string line;
    for (int col = 0; col < grid->ColCount(); ++col) line += PadLeft(S(grid->Cells(col, row)), width);
    lines << Q(line);
  }
}

}  // namespace kondra
