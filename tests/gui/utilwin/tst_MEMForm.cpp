// The memo viewer as a user meets it: the operating guide opened from the
// installation, its table of contents, jumping to a heading, the line count,
// a missing file, closing and opening again.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "controls/MemoEx.h"
#include "controls/QtText.h"
#include "env/Cp932.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "gui/support/GuiTest.h"
#include "support/TestEnv.h"
#include "utilwin/CLOSEForm.h"
#include "utilwin/MEMForm.h"
#include "output/Palette.h"
#include "output/gui/QtCanvas.h"

using namespace kondra;

namespace {

std::string InstalledGuide() { return fs::FromNative(KONDRA_INSTALL_TREE "/kondra.TXT"); }

// The guide's lines as the program reads them.
std::vector<std::string> GuideLines() {
  std::string bytes, text;
  fs::ReadWhole(InstalledGuide(), bytes);
  FromCp932(bytes, text);
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// Chooses an entry of a drop-down list with the mouse.
void ChooseEntry(QComboBox* combo, int index) {
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  QVERIFY(QTest::qWaitForWindowExposed(view->window()));
  const QModelIndex item = view->model()->index(index, 0);
  view->scrollTo(item);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
}

}  // namespace

class TestMEMForm : public QObject {
  Q_OBJECT

  std::unique_ptr<test::BoxAnswers> answers;
  QStatusBar bar;

  template <class T>
  static T* Find(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    if (!c) qFatal("no %s", name);
    return c;
  }
  static QComboBox* Contents(TMEMForm* w) { return Find<QComboBox>(w, "CBOX1"); }
  static QString Count(TMEMForm* w) { return Find<QLabel>(w, "LBL0_1")->text(); }

 private slots:
  void initTestCase() {
    // The installation as the program starts on it (its palette gives the
    // paper colour); nothing is written into it.
    StartupOptions options;
    options.root = KONDRA_INSTALL_TREE;
    options.readOnly = true;
    QVERIFY(Startup(options));
  }
  void init() {
    answers = std::make_unique<test::BoxAnswers>();
    QtFace().AttachStatusBar(&bar);
    StartDrive = "C:";
  }
  void cleanup() {
    FreeGuide();
    answers.reset();
  }

  void contentsRules() {
    const std::vector<std::string> lines = {
        "１．はじめに",        // marker at bytes 3-4
        "　１．字下げ",        // marker at bytes 5-6
        "ab．half",            // two one-byte characters before it
        "a１．",               // a character across byte 3
        "．",                  // too short to reach the column
        "",
        "１０．十番目",        // marker at bytes 5-6
        "12．x --- (3)",       // a heading that looks like an entry
    };
    const std::vector<std::string> entries = HeadingEntries(lines, 3, "．");
    const std::vector<std::string> expected = {"１．はじめに --- (1)", "ab．half --- (3)", "12．x --- (3) --- (8)"};
    QCOMPARE(entries, expected);
    QCOMPARE(HeadingEntries(lines, 1, "１"), (std::vector<std::string>{"１．はじめに --- (1)", "１０．十番目 --- (7)"}));

    struct {
      std::string entry;
      int line;
    } numbers[] = {{"１．はじめに --- (57)", 57}, {"12．x --- (3) --- (8)", 8}, {"no entry", 0}, {"x --- ()", 0},
                   {"x --- (1a)", 0}};
    for (const auto& n : numbers) QCOMPARE(EntryLine(n.entry), n.line);

    struct {
      int lines;
      const char* text;
    } counts[] = {{0, "全0行"}, {999, "全999行"}, {1000, "全1,000行"}, {1234, "全1,234行"}, {1234567, "全1,234,567行"}};
    for (const auto& c : counts) QCOMPARE(LineCountText(c.lines), std::string(c.text));
  }

  void opensTheGuideAndJumpsByTheContents() {
    const std::vector<std::string> lines = GuideLines();
    QVERIFY(lines.size() > 100);
    TMEMForm* w = ShowGuide(nullptr, InstalledGuide());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->objectName(), QString("MEMForm"));
    QCOMPARE(w->windowTitle(), Q("メモ用紙 － " + InstalledGuide()));
    QCOMPARE(w->size(), QSize(570, 400));
    QCOMPARE(w->maximumWidth(), 600);
    QCOMPARE(Count(w), Q(LineCountText(static_cast<int>(lines.size()))));
    QCOMPARE(w->Memo()->LineCount(), static_cast<int>(lines.size()));
    QVERIFY(w->Memo()->isReadOnly());
    QCOMPARE(w->Memo()->palette().color(QPalette::Base), ToQColor(ColorOf(202)));
    QVERIFY(w->Memo()->palette().color(QPalette::Base) != QColor(Qt::black));

    // Every chapter and section of the guide is listed, in order, and
    // nothing else.
    QComboBox* contents = Contents(w);
    QCOMPARE(contents->maxVisibleItems(), 20);
    QCOMPARE(contents->currentIndex(), 0);
    QStringList headings;
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind("．") == 2 || (lines[i].size() > 5 && lines[i].compare(3, 3, "．") == 0 &&
                                       lines[i].compare(0, 3, "　") != 0))
        headings << Q(lines[i] + " --- (" + std::to_string(i + 1) + ")");
    QStringList listed;
    for (int i = 0; i < contents->count(); ++i) listed << contents->itemText(i);
    QCOMPARE(listed, headings);
    QVERIFY(listed.first().startsWith("１．はじめに --- ("));
    QVERIFY(listed.contains(QRegularExpression("^５．３　簡単操作ガイドとバージョン情報 --- \\(\\d+\\)$")));

    QVERIFY(!test::GrabPng(w, "TMEMForm-guide").isEmpty());
    // Choosing a heading brings its line to the top.
    for (const QString& wanted : {QString("５．３"), QString("９．４"), QString("２．")}) {
      const int index = static_cast<int>(listed.indexOf(QRegularExpression(wanted + ".*")));
      QVERIFY(index >= 0);
      ChooseEntry(contents, index);
      const int line = EntryLine(S(listed[index]));
      QCOMPARE(w->Memo()->FirstVisibleLine(), line);
      QVERIFY(w->Memo()->document()->findBlockByNumber(line - 1).text().startsWith(wanted));
    }
    QTest::qWait(50);
    QVERIFY(!test::GrabPng(w, "TMEMForm-jumped").isEmpty());
  }

  void theGuideDescribesTheExitDialogAsItIs() {
    // The guide quotes every way of ending with the caption of its button.
    QString guide;
    for (const std::string& line : GuideLines()) guide += Q(line) + "\n";
    TCLOSEForm dialog;
    for (int item = 1; item <= 4; ++item) {
      auto* radio = dialog.findChild<QRadioButton*>(QString("RADG1_%1").arg(item));
      QVERIFY(radio);
      QVERIFY2(guide.contains(radio->text()), qPrintable(radio->text()));
    }
    for (const char* caption : {"［終了(&Y)］", "［破棄終了(&Y)］", "［保存終了(&Y)］", "［保存再開(&Y)］"})
      QVERIFY2(guide.contains(QString::fromUtf8(caption)), caption);
  }

  void aSmallFileWithOneHeading() {
    test::TempFolder temp;
    std::string text;
    for (int i = 1; i <= 1234; ++i) {
      if (i == 57)
        text += "５．見出し\r\n";
      else if (i == 58)
        text += "本文の中の．は見出しではない\r\n";
      else
        text += "行" + std::to_string(i) + "\r\n";
    }
    const std::string path = temp.path() + "メモ.TXT";
    test::WriteCp932(path, text);
    TMEMForm* w = ShowGuide(nullptr, path);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(Count(w), QString("全1,234行"));
    QCOMPARE(Contents(w)->count(), 1);
    QCOMPARE(Contents(w)->itemText(0), QString("５．見出し --- (57)"));
    ChooseEntry(Contents(w), 0);
    QCOMPARE(w->Memo()->FirstVisibleLine(), 57);

    // Asked again for the same file, the same window comes forward and the
    // place is kept.
    QCOMPARE(ShowGuide(nullptr, path), w);
    QCOMPARE(w->Memo()->FirstVisibleLine(), 57);

    // × closes; the file is read again at the next opening.
    test::ClickWidget(Find<QToolButton>(w, "SBTN1"));
    QVERIFY(!w->isVisible());
    test::WriteCp932(path, "１．新しい見出し\r\n本文\r\n");
    QCOMPARE(ShowGuide(nullptr, path), w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(Count(w), QString("全2行"));
    QCOMPARE(Contents(w)->itemText(0), QString("１．新しい見出し --- (1)"));
  }

  void aMissingFileShowsNothing() {
    test::TempFolder temp;
    TMEMForm* w = ShowGuide(nullptr, temp.path() + "ない.TXT");
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString("メモ用紙 － C:\\一時ﾌｧｲﾙ.DAT"));
    QVERIFY(w->Memo()->toPlainText().isEmpty());
    QCOMPARE(Contents(w)->count(), 0);
    QCOMPARE(Count(w), QString("全?,???行"));
    QVERIFY(answers->boxes.empty());
  }

  void theGuideIsNamedAfterTheProgram() {
    QCOMPARE(GuideFilePath(), fs::ProgramFolder() + "tst_MEMForm.TXT");
  }
};

QTEST_MAIN(TestMEMForm)
#include "tst_MEMForm.moc"
