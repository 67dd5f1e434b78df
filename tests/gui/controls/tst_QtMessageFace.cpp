// Messages on screen: the boxes, the status bar, timed remarks, progress,
// pointer placement and the legacy font names.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "controls/Fonts.h"
#include "controls/QtMessageFace.h"
#include "controls/QtText.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "gui/support/GuiTest.h"

using namespace kondra;

class QtMessageFaceTest : public QObject {
  Q_OBJECT

 private:
  QMainWindow* window = nullptr;

 private slots:
  void init() {
    test::ResetEditing();
    window = new QMainWindow;
    window->resize(600, 300);
    QtFace().AttachStatusBar(window->statusBar());
    InstallQtMessageFace();
    QVERIFY(test::ShowActive(window));
  }

  void cleanup() {
    SetMessageFace(nullptr);
    QtFace().SetWaitFactor(1.0);
    QtFace().AttachProgressBar(nullptr);
    delete window;
  }

  void boxLooks_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("defaultAnswer");
    QTest::addColumn<int>("escapeAnswer");
    const int ok = int(MsgButton::Ok), yes = int(MsgButton::Yes), no = int(MsgButton::No),
              cancel = int(MsgButton::Cancel), retry = int(MsgButton::Retry), abort = int(MsgButton::Abort);
    QTest::newRow("notice") << 1 << 1 << "情報" << int(QMessageBox::Information) << QStringList{"OK"} << ok << ok;
    QTest::newRow("question") << 2 << 2 << "確認" << int(QMessageBox::Question)
                              << QStringList{"はい(&Y)", "いいえ(&N)"} << yes << no;
    QTest::newRow("question with cancel") << 2 << 3 << "確認" << int(QMessageBox::Question)
                                          << QStringList{"はい(&Y)", "いいえ(&N)", "キャンセル"} << yes << cancel;
    QTest::newRow("warning") << 3 << 1 << "警告" << int(QMessageBox::Warning) << QStringList{"OK"} << ok << ok;
    QTest::newRow("retry") << 4 << 4 << "エラー" << int(QMessageBox::Critical)
                           << QStringList{"再試行(&R)", "キャンセル"} << retry << cancel;
    QTest::newRow("yes and abort") << 3 << 5 << "警告" << int(QMessageBox::Warning) << QStringList{"はい(&Y)", "中止"}
                                   << yes << abort;
    QTest::newRow("unknown kind and set") << 7 << 9 << "情報" << int(QMessageBox::Information) << QStringList{"OK"}
                                          << ok << ok;
  }

  void boxLooks() {
    QFETCH(int, kind);
    QFETCH(int, buttons);
    QFETCH(QString, caption);
    QFETCH(int, icon);
    QFETCH(QStringList, captions);
    QFETCH(int, defaultAnswer);
    QFETCH(int, escapeAnswer);
    QMessageBox* box = QtMessageFace::MakeBox("一行目\r二行目", kind, buttons, window);
    QCOMPARE(box->windowTitle(), caption);
    QCOMPARE(int(box->icon()), icon);
    QCOMPARE(box->text(), QString("一行目\n二行目"));
    QStringList shown;
    for (QAbstractButton* b : box->buttons()) shown << b->text();
    shown.sort();
    captions.sort();
    QCOMPARE(shown, captions);
    QCOMPARE(box->defaultButton()->property("kondraAnswer").toInt(), defaultAnswer);
    QCOMPARE(box->escapeButton()->property("kondraAnswer").toInt(), escapeAnswer);
    delete box;
  }

  void boxesAnswerThroughTheFlags() {
    QString text, caption;
    QStringList buttons;
    test::AnswerNextRealBox(MsgButton::No, &text, &caption, &buttons);
    MsgBox("保存しますか？", 2, 3);
    QCOMPARE(text, QString("保存しますか？"));
    QCOMPARE(caption, QString("確認"));
    QCOMPARE(buttons.size(), 3);
    QCOMPARE(MsgAnswer, 2);
    QVERIFY(!MsgYes);
    QVERIFY(!MsgCancel);

    // Escape on a real box.
    QTimer::singleShot(50, [] {
      if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Escape);
    });
    MsgBox("続けますか？", 2, 3);
    QCOMPARE(MsgAnswer, 3);
    QVERIFY(MsgCancel);
  }

  void statusPanels() {
    StatusFileName = "C:\\work\\calc\\a-rather-long-name.KDR";
    DataModified = false;
    ShowStatus("計算ファイルを読み込みました。");
    QCOMPARE(QtFace().PanelText(0), QString("　△ 計算ファイルを読み込みました。"));
    QCOMPARE(QtFace().PanelText(1), QString("変更なし"));
    QCOMPARE(QtFace().PanelText(2), QString());
    QCOMPARE(QtFace().PanelText(3), QString("C:\\work\\calc\\a-rathe..."));
    QCOMPARE(window->statusBar()->toolTip(), QtFace().PanelText(0));
    Edit.editing = true;
    Edit.itemCode = 1102;
    Edit.overwrite = true;
    DataModified = true;
    ShowStatus("温度です。");
    QCOMPARE(QtFace().PanelText(0), QString("　▲ 温度です。"));
    QCOMPARE(QtFace().PanelText(1), QString("変更あり1102"));
    QCOMPARE(QtFace().PanelText(2), QString("上書モード"));
  }

  void statusMessageKeepsEventsFlowing() {
    QtFace().SetWaitFactor(0.01);  // 3 s become 30 ms
    ShowStatus("前の表示");
    QString during;
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] {
      ++ticks;
      during = QtFace().PanelText(0);
    });
    tick.start(1);
    QElapsedTimer clock;
    clock.start();
    StatusMsg("値が範囲外です。");
    tick.stop();
    QVERIFY(clock.elapsed() >= 25);
    QVERIFY(ticks > 0);  // other events ran during the wait
    QCOMPARE(during, QString("　※値が範囲外です。"));
    QCOMPARE(QtFace().PanelText(0), QString("　△ 前の表示"));
    QCOMPARE(LastStatusMsg, std::string("値が範囲外です。"));
    QVERIFY(!QApplication::overrideCursor());  // the pointer is back to the arrow
  }

  void waitLetsTimersRun() {
    bool fired = false;
    QTimer::singleShot(10, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    Wait(0.05);
    QVERIFY(clock.elapsed() >= 45);
    QVERIFY(fired);
    clock.restart();
    Wait(0);
    QVERIFY(clock.elapsed() < 20);
  }

  void progressBar() {
    ProgressStart(0, 100, 10);  // no bar yet: nothing happens
    ProgressEnd();
    auto* bar = new QProgressBar(window);
    bar->hide();
    QtFace().AttachProgressBar(bar);
    ProgressStart(0, 100, 10);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ProgressStep(25);
    QCOMPARE(bar->value(), 0);  // not a multiple of the step
    ProgressStep(30);
    QCOMPARE(bar->value(), 30);
    ProgressEnd();
    QVERIFY(!bar->isVisible());
    QVERIFY(!QApplication::overrideCursor());
  }

  void pointerPlacement() {
    auto* button = new QPushButton("OK", window);
    button->setGeometry(100, 50, 80, 30);
    button->show();
    auto* edit = new QLineEdit(window);
    edit->setGeometry(200, 50, 80, 24);
    edit->show();
    PointAtControl(button);
    QCOMPARE(QCursor::pos(), button->mapToGlobal(QPoint(40, 15)));
    PointAtControl(edit);
    QVERIFY(edit->hasFocus());
    edit->setEnabled(false);
    button->setFocus();
    PointAtControl(edit);
    QVERIFY(button->hasFocus());  // disabled: the pointer moves, the focus stays
    edit->hide();
    QPoint before = QCursor::pos();
    PointAtControl(edit);
    QCOMPARE(QCursor::pos(), before);
    PointAtControl(nullptr);

    CentrePointer();
    int w = 0, h = 0;
    QtFace().ScreenSize(w, h);
    QCOMPARE(QCursor::pos(), QPoint(w / 2, h / 2));
  }

  void legacyFontNames() {
    struct {
      QString legacy, face;
    } cases[] = {{kFontGothic, "IPAGothic"},
                 {kFontPGothic, "IPAPGothic"},
                 {kFontMincho, "IPAMincho"},
                 {kFontPMincho, "IPAPMincho"}};
    for (const auto& c : cases) QCOMPARE(QFontInfo(QFont(c.legacy)).family(), c.face);
    QVERIFY(QFontInfo(QFont(kFontSmall)).family().startsWith("DejaVu Sans"));
  }
};

QTEST_MAIN(QtMessageFaceTest)
#include "tst_QtMessageFace.moc"
