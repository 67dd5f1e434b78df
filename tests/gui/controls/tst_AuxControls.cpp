// The memo, the picture box and the owner-drawn button.
#include <QImage>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTest>
#include <QVBoxLayout>

#include "controls/ImagEx.h"
#include "controls/MemoEx.h"
#include "controls/PlrBtn.h"
#include "controls/QtText.h"
#include "env/FileSystem.h"
#include "gui/support/GuiTest.h"
#include "support/TestEnv.h"

using namespace kondra;

namespace {

// Counts the pixels of a colour inside a rectangle of a picture.
int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y) == colour) ++n;
  return n;
}

// The box around the pixels that differ from the background.
QRect InkBox(const QImage& image, const QColor& background) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

}  // namespace

class AuxControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::ResetEditing(); }

  void loadMemoFileWithAndWithoutNumbers() {
    test::TempFolder temp;
    const std::string path = temp.path() + "guide.TXT";
    test::WriteCp932(path, "第一行\r\nsecond\r\n\r\nfourth\r\n");
    TMemoEx memo;
    memo.resize(300, 120);
    memo.show();
    LoadMemoFile(&memo, path, true);
    QCOMPARE(memo.LineCount(), 4);
    QCOMPARE(memo.document()->findBlockByNumber(0).text(), QString("    1:第一行"));
    QCOMPARE(memo.document()->findBlockByNumber(2).text(), QString("    3:"));
    QCOMPARE(memo.FirstVisibleLine(), 1);
    LoadMemoFile(&memo, path, false);
    QCOMPARE(memo.toPlainText(), QString("第一行\nsecond\n\nfourth"));

    LoadMemoFile(&memo, temp.path() + "missing.TXT", false);
    QCOMPARE(memo.toPlainText(), QString());

    test::BoxAnswers boxes;
    memo.setPlainText("old");
    test::WriteBytes(path, std::string("ok\r\n\x82", 5));  // a lead byte without its second byte
    LoadMemoFile(&memo, path, false);
    QCOMPARE(memo.toPlainText(), QString());
    QCOMPARE(boxes.boxes.size(), size_t(1));
    QVERIFY(boxes.Texts()[0].contains(Q(path)));
    QCOMPARE(boxes.boxes[0].kind, 3);
  }

  void scrollToLineAndCaret() {
    TMemoEx memo;
    memo.resize(300, 100);
    memo.show();
    QStringList lines;
    for (int i = 1; i <= 50; ++i) lines << QString("line %1").arg(i);
    memo.setPlainText(lines.join('\n'));
    ScrollMemoToLine(&memo, 20);
    QCOMPARE(memo.FirstVisibleLine(), 20);
    ScrollMemoToLine(&memo, 0);
    QCOMPARE(memo.FirstVisibleLine(), 1);
    ScrollMemoToLine(&memo, 500);  // past the end: the last line on top
    QCOMPARE(memo.FirstVisibleLine(), 50);
    ScrollMemoToLine(&memo, 3);
    QCOMPARE(memo.FirstVisibleLine(), 3);

    memo.setPlainText("ab\n漢字xy\nz");
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(3 + 2);  // after "漢字" on the second line
    memo.setTextCursor(cursor);
    MemoCaret caret = CaretPosition(&memo);
    QCOMPARE(caret.line, 2);
    QCOMPARE(caret.column, 5);    // four bytes before it
    QCOMPARE(caret.absolute, 8);  // "ab" and the line break, then four bytes
    QCOMPARE(memo.Caret.line, 2);
  }

  void imageTellsAfterPainting() {
    TImageEx image;
    image.resize(40, 30);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::green);
    image.SetPicture(picture);
    int paints = 0;
    connect(&image, &TImageEx::Paint, [&](QPainter* canvas) {
      ++paints;
      canvas->fillRect(QRect(0, 0, 5, 5), Qt::red);  // a mark over the picture
    });
    QImage shown = image.grab().toImage();
    QVERIFY(paints >= 1);
    QCOMPARE(shown.pixelColor(2, 2), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(20, 20), QColor(Qt::green));

    QSignalSpy clicked(&image, &TImageEx::Clicked);
    QTest::mouseClick(&image, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(image.setProperty("Zoom", true));
    QVERIFY(image.Zoom());
  }

  void buttonCaptionLinesAndAlignment() {
    TPeloraButton button;
    button.resize(100, 60);
    button.setColor(Qt::white);
    button.setCaptionLines({"上段", "下段"});
    QCOMPARE(button.Caption(), QString("上段\n下段"));
    QImage shown = button.grab().toImage();
    QRect ink = InkBox(shown.copy(3, 3, 94, 54), Qt::white).translated(3, 3);
    QVERIFY(ink.height() > QFontMetrics(button.font()).height());  // two lines
    // Centred both ways, within a pixel or two of rounding.
    QVERIFY(qAbs((ink.left() - 0) - (99 - ink.right())) <= 3);
    QVERIFY(qAbs(ink.top() - (59 - ink.bottom())) <= 4);

    button.setText("OK");
    QCOMPARE(button.Caption(), QString("OK"));  // the caption wins over the lines
    button.setCapAlignH(TPeloraButton::haLeft);
    button.setCapAlignV(TPeloraButton::vaTop);
    shown = button.grab().toImage();
    ink = InkBox(shown.copy(3, 3, 94, 54), Qt::white).translated(3, 3);
    QVERIFY(ink.left() >= 5 && ink.left() <= 7);
    QVERIFY(ink.top() >= 4 && ink.top() <= 8);
  }

  void disabledButtonIsEngravedOnTheButtonFace() {
    TPeloraButton button;
    button.resize(90, 30);
    button.setText("中止");
    button.setColor(Qt::yellow);
    QImage on = button.grab().toImage();
    QCOMPARE(on.pixelColor(10, 15), QColor(Qt::yellow));
    button.setEnabled(false);
    QImage off = button.grab().toImage();
    const QColor face = button.palette().color(QPalette::Button);
    QCOMPARE(off.pixelColor(10, 15), face);
    QVERIFY(CountColour(off, QRect(2, 2, 86, 26), Qt::yellow) == 0);
    // The engraving: the highlight copy one pixel down and right, the shadow on top.
    QVERIFY(CountColour(off, QRect(2, 2, 86, 26), button.palette().color(QPalette::Light)) > 0);
    QVERIFY(CountColour(off, QRect(2, 2, 86, 26), button.palette().color(QPalette::Dark)) > 0);
  }

  void framesByStyle() {
    TPeloraButton button;
    button.resize(60, 24);
    button.setColor(Qt::white);
    button.setEdgeHighlight(Qt::white);
    button.setEdgeShadow(Qt::gray);
    button.setFrameColor(Qt::black);
    QImage std = button.grab().toImage();
    QCOMPARE(std.pixelColor(59, 23), QColor(Qt::black));  // outer bottom-right line
    QCOMPARE(std.pixelColor(58, 10), QColor(Qt::gray));   // shadow inside the right edge
    button.setButtonStyle(TPeloraButton::bsIELike);
    QImage flat = button.grab().toImage();
    QCOMPARE(flat.pixelColor(59, 23), QColor(Qt::white));  // flat until the pointer comes
    button.setButtonStyle(TPeloraButton::bsNone);
    QCOMPARE(button.grab().toImage().pixelColor(59, 23), QColor(Qt::white));
  }

  void pointerAndClicks() {
    QWidget window;
    window.resize(200, 100);
    auto* button = new TPeloraButton(&window);
    button->setGeometry(10, 10, 80, 30);
    button->setText("実行");
    QVERIFY(test::ShowActive(&window));
    QSignalSpy entered(button, &TPeloraButton::MouseEnter);
    QSignalSpy left(button, &TPeloraButton::MouseLeave);
    QSignalSpy clicked(button, &TPeloraButton::clicked);
    QTest::mouseMove(button, QPoint(20, 10));
    QVERIFY(button->Hovering());
    QCOMPARE(entered.count(), 1);
    QTest::mouseMove(&window, QPoint(150, 80));
    QVERIFY(!button->Hovering());
    QCOMPARE(left.count(), 1);

    QTest::mouseClick(button, Qt::LeftButton);
    // Two quick clicks: the second press arrives as a double click, and counts.
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseDClick(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 3);

    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 5);

    auto* cancel = new TPeloraButton(&window);
    cancel->setGeometry(100, 10, 80, 30);
    cancel->setCancel(true);
    cancel->show();
    QSignalSpy cancelled(cancel, &TPeloraButton::clicked);
    QTest::keyClick(&window, Qt::Key_Escape);
    QTRY_COMPARE(cancelled.count(), 1);
  }
};

QTEST_MAIN(AuxControlsTest)
#include "tst_AuxControls.moc"
