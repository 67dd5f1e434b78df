// The grid's geometry, painting and row listing.
#include <QImage>
#include <QTest>

#include "controls/StrGEx.h"
#include "env/EditState.h"
#include "gui/support/GuiTest.h"

using namespace kondra;

class StrGridExTest : public QObject {
  Q_OBJECT

 private:
  // A 5 x 6 grid with texts "c,r" in every cell.
  static void Fill(TStrGridEx& grid) {
    grid.setColCount(5);
    grid.setRowCount(6);
    for (int r = 0; r < 6; ++r)
      for (int c = 0; c < 5; ++c) grid.SetCells(c, r, QString("%1,%2").arg(c).arg(r));
  }

 private slots:
  void init() { test::ResetEditing(); }

  void newGridDefaults() {
    TStrGridEx grid;
    QCOMPARE(grid.width(), 192);
    QCOMPARE(grid.height(), 108);
    QCOMPARE(grid.DefaultColWidth(), 32);
    QCOMPARE(grid.DefaultRowHeight(), 18);
    QCOMPARE(grid.ClickInput(), TStrGridEx::ciNone);
    QCOMPARE(grid.ClickNumber(), 0);
    QCOMPARE(QFontInfo(grid.font()).family(), QString("IPAGothic"));
    QCOMPARE(grid.ClientOrigin(), QPoint(1, 1));  // flat: one line of border
  }

  void titlesAndStoredProperties() {
    TStrGridEx grid;
    grid.setColCount(3);
    grid.setRowCount(4);
    grid.setColTitles({"a", "b", "c", "ignored"});
    QCOMPARE(grid.ColTitles(), (QStringList{"a", "b", "c"}));
    grid.setRowTitles({"a", "1"});
    QCOMPARE(grid.RowTitles(), (QStringList{"a", "1", "", ""}));
    QCOMPARE(grid.Cells(0, 0), QString("a"));
    // What the window descriptions set is kept as it is.
    QVERIFY(grid.setProperty("ClickInput", "ciBoth"));
    QCOMPARE(grid.ClickInput(), TStrGridEx::ciBoth);
    QVERIFY(grid.setProperty("TotalStyle", "tsMinus"));
    QVERIFY(grid.setProperty("ClickStrings", QStringList{"x", "y"}));
    QCOMPARE(grid.ClickStrings(), (QStringList{"x", "y"}));
    QVERIFY(grid.setProperty("ColWidths", "40 89 55"));
    QCOMPARE(grid.ColWidth(1), 89);
    QCOMPARE(grid.ColWidths(), QString("40 89 55"));
    QCOMPARE(grid.Cells(7, 9), QString());  // outside: empty
  }

  void scrolledGeometry() {
    TStrGridEx grid;
    Fill(grid);
    grid.setColWidths("20 40 50 60 70");
    grid.resize(150, 80);
    grid.show();
    grid.SetLeftCol(2);
    grid.SetTopRow(2);
    QCOMPARE(grid.LeftCol(), 2);
    QCOMPARE(ColumnLeft(&grid, 2), 21);
    QCOMPARE(ColumnLeft(&grid, 3), 21 + 51);
    QCOMPARE(ColumnLeft(&grid, 1), 21);  // hidden to the left
    QCOMPARE(RowTop(&grid, 3), 19 + 19);
    QVERIFY(grid.CellRect(1, 3).isEmpty());
    QCOMPARE(grid.CellRect(3, 3), QRect(72, 38, 60, 18));
    int col, row;
    QVERIFY(grid.MouseToCell(QPoint(73, 40), col, row));
    QCOMPARE(col, 3);
    QCOMPARE(row, 3);
    QVERIFY(grid.MouseToCell(QPoint(5, 5), col, row));
    QCOMPARE(col, 0);
    QCOMPARE(row, 0);

    grid.move(10, 20);
    PrepareCellEdit(&grid, 3, 3);
    QCOMPARE(Edit.cellRect.left, 10 + 1 + 72);
    QCOMPARE(Edit.cellRect.top, 20 + 1 + 38);
    QCOMPARE(Edit.cellRect.right - Edit.cellRect.left, 60);
    QCOMPARE(Edit.cellRect.bottom - Edit.cellRect.top, 18);
    QCOMPARE(Edit.cellTextBefore, std::string("3,3"));
    QCOMPARE(Edit.currentGrid, static_cast<void*>(&grid));
    QCOMPARE(LastCellPlace.leftCol, 2);
    QCOMPARE(LastCellPlace.topRow, 2);
  }

  void keysMoveTheCurrentCell() {
    TStrGridEx grid;
    Fill(grid);
    QVERIFY(test::ShowActive(&grid));
    grid.setFocus();
    int clicks = 0;
    connect(&grid, &TStrGridEx::Click, [&] { ++clicks; });
    test::PressKey(&grid, Qt::Key_Down);
    test::PressKey(&grid, Qt::Key_Right);
    QCOMPARE(grid.Col(), 2);
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(clicks, 2);
    test::PressKey(&grid, Qt::Key_Up);
    test::PressKey(&grid, Qt::Key_Up);  // never onto the fixed row
    QCOMPARE(grid.Row(), 1);
    connect(&grid, &TStrGridEx::SelectCell, [](int, int row, bool* can) { *can = row != 3; });
    test::PressKey(&grid, Qt::Key_Down);
    test::PressKey(&grid, Qt::Key_Down);
    QCOMPARE(grid.Row(), 2);  // row 3 refused
  }

  void selectedCellIsPaintedLikeTheOthers() {
    TStrGridEx grid;
    Fill(grid);
    grid.resize(200, 130);
    grid.SetCells(2, 2, "");
    grid.SetCells(2, 3, "");
    grid.SetCol(2);
    grid.SetRow(2);
    // Without a handler the toolkit marks the (unfocused) selected cell.
    QImage plain = grid.grab().toImage();
    QRect cell = grid.CellRect(2, 2).translated(grid.ClientOrigin());
    QColor marked = plain.pixelColor(cell.center());
    QVERIFY(marked != grid.Color());

    connect(&grid, &TStrGridEx::DrawCell, [&grid](QPainter*, int col, int row, const QRect& rect, int state) {
      DrawSelectedCellPlain(&grid, col, row, state, rect);
    });
    QImage drawn = grid.grab().toImage();
    QCOMPARE(drawn.pixelColor(cell.center()), grid.Color());
    QRect below = grid.CellRect(2, 3).translated(grid.ClientOrigin());
    QCOMPARE(drawn.pixelColor(below.center()), drawn.pixelColor(cell.center()));
  }

  void drawCellTextUsesTheGivenBackground() {
    TStrGridEx grid;
    Fill(grid);
    grid.resize(200, 130);
    const QColor face(0xD4, 0xD0, 0xC8);
    connect(&grid, &TStrGridEx::DrawCell, [&](QPainter*, int col, int row, const QRect& rect, int) {
      if (col == 1 && row == 1) DrawCellText(&grid, rect, face, "");
    });
    QImage drawn = grid.grab().toImage();
    QRect cell = grid.CellRect(1, 1).translated(grid.ClientOrigin());
    QCOMPARE(drawn.pixelColor(cell.center()), face);
    QCOMPARE(drawn.pixelColor(cell.bottomRight()), face);
  }

  void rowsToLines() {
    test::BoxAnswers answers;
    TStrGridEx grid;
    grid.setColCount(3);
    grid.setRowCount(7);
    for (int r = 0; r < 7; ++r) {
      grid.SetCells(0, r, QString::number(r));
      grid.SetCells(1, r, "λ");
      grid.SetCells(2, r, "toolongtext");
    }
    QStringList lines;
    GridRowsToLines(&grid, "1,3..5", 6, lines);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QString("     1    λtoolongtext"));  // widths in bytes; a longer text whole
    QCOMPARE(lines[1].left(6), QString("     3"));
    QCOMPARE(lines[3].left(6), QString("     5"));
    GridRowsToLines(&grid, "", 6, lines);
    QVERIFY(lines.isEmpty());
    GridRowsToLines(&grid, "5..3", 6, lines);
    QVERIFY(lines.isEmpty());
    GridRowsToLines(&grid, "6..9", 2, lines);  // rows the grid does not have are left out
    QCOMPARE(lines, QStringList{" 6λtoolongtext"});
  }
};

QTEST_MAIN(StrGridExTest)
#include "tst_StrGridEx.moc"
