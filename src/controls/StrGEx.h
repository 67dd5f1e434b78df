// TStrGridEx: the string grid behind every table on screen.
//
// Cells hold display texts; row 0 and column 0 usually carry titles (the fixed
// rows and columns). The grid never edits in place: a window places a hidden
// TEditEx or TCBoxEx over a cell (see EditProtocol.h). The geometry is the
// classic string grid's: every column is its width plus a one-pixel grid line,
// the cells start one pixel inside the grid's border, and scrolling moves by
// whole rows and columns, so an editor put on PrepareCellEdit's rectangle
// covers its cell exactly.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace kondra {

class TStrGridEx : public QAbstractScrollArea {
  Q_OBJECT
  // Stored with the window descriptions.
  Q_PROPERTY(QStringList ColTitles READ ColTitles WRITE setColTitles)
  Q_PROPERTY(QStringList RowTitles READ RowTitles WRITE setRowTitles)
  Q_PROPERTY(QStringList ClickStrings READ ClickStrings WRITE setClickStrings)
  Q_PROPERTY(TCheckInputType ClickInput READ ClickInput WRITE setClickInput)
  Q_PROPERTY(int ClickNumber READ ClickNumber WRITE setClickNumber)
  Q_PROPERTY(bool Zoom READ Zoom WRITE setZoom)
  Q_PROPERTY(TTotalStyleType TotalStyle READ TotalStyle WRITE setTotalStyle)
  // The string grid itself.
  Q_PROPERTY(int Tag READ Tag WRITE setTag)
  Q_PROPERTY(int ColCount READ ColCount WRITE setColCount)
  Q_PROPERTY(int RowCount READ RowCount WRITE setRowCount)
  Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)
  Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
  Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE setDefaultColWidth)
  Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE setDefaultRowHeight)
  // Widths and heights as blank-separated pixel numbers, e.g. "40 89 55".
  Q_PROPERTY(QString ColWidths READ ColWidths WRITE setColWidths)
  Q_PROPERTY(QString RowHeights READ RowHeights WRITE setRowHeights)
  Q_PROPERTY(QColor Color READ Color WRITE setColor)
  Q_PROPERTY(QColor FixedColor READ FixedColor WRITE setFixedColor)
  Q_PROPERTY(QColor FontColor READ FontColor WRITE setFontColor)
  Q_PROPERTY(TScrollStyle ScrollBars READ ScrollBars WRITE setScrollBars)
  Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE setDefaultDrawing)

 public:
  enum TCheckInputType { ciNone, ciHorizontal, ciVertical, ciBoth };
  Q_ENUM(TCheckInputType)
  enum TTotalStyleType { tsNone, tsAll, tsPlus, tsMinus };
  Q_ENUM(TTotalStyleType)
  enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
  Q_ENUM(TScrollStyle)
  // Cell states handed to the cell-paint handlers.
  enum DrawState { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

  explicit TStrGridEx(QWidget* parent = nullptr);
  ~TStrGridEx() override;

  QStringList ColTitles() const { return RowTexts(0); }
  void setColTitles(const QStringList& titles) { SetRowTexts(0, titles); }
  QStringList RowTitles() const { return ColTexts(0); }
  void setRowTitles(const QStringList& titles) { SetColTexts(0, titles); }
  QStringList ClickStrings() const { return clickStrings_; }
  void setClickStrings(const QStringList& lines) { clickStrings_ = lines; }
  TCheckInputType ClickInput() const { return clickInput_; }
  void setClickInput(TCheckInputType v) { clickInput_ = v; }
  int ClickNumber() const { return clickNumber_; }
  void setClickNumber(int v) { clickNumber_ = v; }
  bool Zoom() const { return zoom_; }
  void setZoom(bool v) { zoom_ = v; }
  TTotalStyleType TotalStyle() const { return totalStyle_; }
  void setTotalStyle(TTotalStyleType v) { totalStyle_ = v; }

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }
  int ColCount() const { return colCount_; }
  void setColCount(int count);
  int RowCount() const { return rowCount_; }
  void setRowCount(int count);
  int FixedCols() const { return fixedCols_; }
  void setFixedCols(int count);
  int FixedRows() const { return fixedRows_; }
  void setFixedRows(int count);
  int DefaultColWidth() const { return defaultColWidth_; }
  void setDefaultColWidth(int width);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void setDefaultRowHeight(int height);
  QString ColWidths() const;
  void setColWidths(const QString& widths);
  QString RowHeights() const;
  void setRowHeights(const QString& heights);
  QColor Color() const { return color_; }
  void setColor(const QColor& c);
  QColor FixedColor() const { return fixedColor_; }
  void setFixedColor(const QColor& c);
  QColor FontColor() const { return fontColor_; }
  void setFontColor(const QColor& c);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void setScrollBars(TScrollStyle style);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void setDefaultDrawing(bool on);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int height);

  // Cell texts; reading outside the grid gives an empty text, writing there
  // does nothing.
  QString Cells(int col, int row) const;
  void SetCells(int col, int row, const QString& text);
  QStringList RowTexts(int row) const;
  void SetRowTexts(int row, const QStringList& texts);
  QStringList ColTexts(int col) const;
  void SetColTexts(int col, const QStringList& texts);
  // Empties every cell that is not fixed (titles stay).
  void ClearCells();

  // The current cell.
  int Col() const { return col_; }
  int Row() const { return row_; }
  void SetCol(int col) { FocusCell(col, row_, false); }
  void SetRow(int row) { FocusCell(col_, row, false); }
  // Makes a cell current (scrolled into view). With `byUser` the windows
  // are asked first (SelectCell) and told afterwards (Click).
  bool FocusCell(int col, int row, bool byUser);

  // Scroll position: the first visible scrolling row and column.
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int col);
  int VisibleRowCount() const;
  int VisibleColCount() const;

  // A cell's rectangle in the grid's client area (inside its border); an
  // empty rectangle when the cell is scrolled out of sight.
  QRect CellRect(int col, int row) const;
  // The cell under a point of the client area; false outside every cell.
  bool MouseToCell(QPoint point, int& col, int& row) const;
  // The painter of the paint in progress (nullptr outside painting).
  QPainter* Canvas() const { return canvas_; }
  // Where the client area starts inside the grid (the border's width).
  QPoint ClientOrigin() const;

 signals:
  // After the default painting of every cell: the cell-paint handler.
  void DrawCell(QPainter* canvas, int col, int row, const QRect& rect, int state);
  // Before the current cell changes by the user; clear *canSelect to refuse.
  void SelectCell(int col, int row, bool* canSelect);
  // The current cell changed by the user (mouse or keys).
  void Click();
  // A left click on a cell that is not fixed, after it became current.
  void CellClicked(int col, int row);
  void DblClick();
  // Any mouse button pressed in the client area (after the selection moved).
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void TopLeftChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Resize(int cols, int rows);
  int FixedWidth() const;
  int FixedHeight() const;
  int MaxTopRow() const;
  int MaxLeftCol() const;
  void UpdateScrollBars();
  void ScrollIntoView(int col, int row);
  void DrawOne(QPainter& p, int col, int row, const QRect& rect);

  QVector<QVector<QString>> cells_;  // [row][col]
  QVector<int> colWidths_;
  QVector<int> rowHeights_;
  QStringList clickStrings_;
  TCheckInputType clickInput_ = ciNone;
  int clickNumber_ = 0;
  bool zoom_ = false;
  TTotalStyleType totalStyle_ = tsNone;
  int tag_ = 0;
  int colCount_ = 0, rowCount_ = 0;
  int fixedCols_ = 1, fixedRows_ = 1;
  int defaultColWidth_ = 32, defaultRowHeight_ = 18;
  int col_ = 1, row_ = 1;
  int topRow_ = 1, leftCol_ = 1;
  QColor color_, fixedColor_, fontColor_;
  TScrollStyle scrollBars_ = ssBoth;
  bool defaultDrawing_ = true;
  bool syncingBars_ = false;
  QPainter* canvas_ = nullptr;
};

// Where the last cell editor was prepared: the scroll position, the mouse
// pointer (screen coordinates) and the cell's text as it stood.
struct CellEditPlace {
  TStrGridEx* grid = nullptr;
  int col = -1, row = -1;
  int topRow = 0, leftCol = 0;
  QPoint mouse;
  QString originalText;
};
extern CellEditPlace LastCellPlace;

// x offset of a column inside the grid's client area (fixed columns, then the
// visible scrolling columns before it, each with its grid line). A column
// scrolled out to the left gives the end of the fixed columns.
int ColumnLeft(const TStrGridEx* grid, int col);
// y offset of a row, the same way.
int RowTop(const TStrGridEx* grid, int row);

// Records the cell about to be edited in the edit state: current grid,
// column, row, the cell rectangle in the coordinates of the grid's parent and
// the cell's text before editing.
void PrepareCellEdit(TStrGridEx* grid, int col, int row);

// The common cell-paint handler: a selected cell is painted like the others
// (grid colour, grid font colour), so the editor over it shows the edit.
void DrawSelectedCellPlain(TStrGridEx* grid, int col, int row, int state, const QRect& rect);

// Paints one cell on a background colour (white for cells that can be edited,
// button face for those that cannot).
void DrawCellText(TStrGridEx* grid, const QRect& rect, const QColor& background, const QString& text);

// Writes the edit's result into the current cell: the text as it was when
// nothing changed, else the new text behind the cell's own leading blanks.
void StoreEditedCellText(TStrGridEx* grid);

// Text lines of the listed rows ("1,3..5"), every cell right-aligned in
// `width` bytes; no lines for an empty or refused list.
void GridRowsToLines(const TStrGridEx* grid, const QString& rowList, int width, QStringList& lines);

}  // namespace kondra
