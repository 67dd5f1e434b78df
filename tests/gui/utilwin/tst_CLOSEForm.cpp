// The exit dialog as a user meets it: what it offers with and without
// unsaved changes, the caption of 終了 for each way of ending, and the choice
// it leaves for the main window.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>
#include <memory>

#include "env/Environment.h"
#include "env/Messages.h"
#include "gui/support/GuiTest.h"
#include "utilwin/CLOSEForm.h"

using namespace kondra;

class TestCLOSEForm : public QObject {
  Q_OBJECT

  std::unique_ptr<test::BoxAnswers> answers;
  std::unique_ptr<TCLOSEForm> dialog;
  QStatusBar bar;

  template <class T>
  T* Find(const char* name) {
    T* w = dialog->findChild<T*>(name);
    if (!w) qFatal("no %s", name);
    return w;
  }
  QRadioButton* Item(int n) { return Find<QRadioButton>(qPrintable(QString("RADG1_%1").arg(n))); }
  QPushButton* Finish() { return Find<QPushButton>("BTN1"); }
  QPushButton* Stop() { return Find<QPushButton>("BTN2"); }

  void Open(bool modified) {
    DataModified = modified;
    dialog = std::make_unique<TCLOSEForm>();
    QVERIFY(test::ShowActive(dialog.get()));
  }

 private slots:
  void initTestCase() { SetProgramIdentity(); }
  void init() {
    answers = std::make_unique<test::BoxAnswers>();
    QtFace().AttachStatusBar(&bar);
    test::ResetEditing();
    CloseChoice = -1;
  }
  void cleanup() {
    dialog.reset();
    answers.reset();
    SetCloseChoiceHook(nullptr);
  }

  void withoutChangesThereIsNothingToChoose() {
    ShowStatus("前の表示");
    Open(false);
    QCOMPARE(dialog->objectName(), QString("CLOSEForm"));
    QCOMPARE(dialog->windowTitle(), QString("プログラムの終了"));
    QCOMPARE(Find<QGroupBox>("RADG1")->title(), QString("終了方法"));
    QVERIFY(!Find<QGroupBox>("RADG1")->isEnabled());
    QVERIFY(Item(1)->isChecked());
    QCOMPARE(Finish()->text(), QString("終了(&Y)"));
    QCOMPARE(Stop()->text(), QString("中止(&C)"));
    QCOMPARE(Find<QLabel>("LBL1")->text(), QString("Kondra.EXE Ver.8.20 を終了しますか？"));
    QCOMPARE(CloseChoice, 0);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Finish()));
    QCOMPARE(answers->Panel(0), QString("　"));  // the status bar is cleared
    QVERIFY(!test::GrabPng(dialog.get(), "TCLOSEForm-unchanged").isEmpty());
    test::ClickWidget(Finish());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(CloseChoice, 1);
    QVERIFY(MsgYes);
    QVERIFY(!MsgCancel);
  }

  void withChangesEachChoiceHasItsCaption() {
    const QString texts[] = {"変更データはありません。", "変更データを破棄して、終了する。",
                             "変更データを保存して、終了する。", "変更データを保存して、再びプログラムに戻る。"};
    const QString captions[] = {"終了(&Y)", "破棄終了(&Y)", "保存終了(&Y)", "保存再開(&Y)"};
    for (int item = 1; item <= 4; ++item) {
      Open(true);
      QVERIFY(Find<QGroupBox>("RADG1")->isEnabled());
      // It opens on discarding.
      QVERIFY(Item(2)->isChecked());
      QCOMPARE(Finish()->text(), captions[1]);
      QCOMPARE(Item(item)->text(), texts[item - 1]);
      test::ClickWidget(Item(item));
      QVERIFY(Item(item)->isChecked());
      QCOMPARE(Finish()->text(), captions[item - 1]);
      // The pointer and the focus go back to 終了.
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Finish()));
      if (item == 4) QVERIFY(!test::GrabPng(dialog.get(), "TCLOSEForm-changed").isEmpty());
      test::PressKey(Finish(), Qt::Key_Space);
      QCOMPARE(CloseChoice, item);
      QVERIFY(MsgYes);
    }
  }

  void stoppingEndsNothing() {
    for (int how = 0; how < 3; ++how) {
      Open(true);
      test::ClickWidget(Item(3));
      if (how == 0)
        test::ClickWidget(Stop());
      else if (how == 1)
        dialog->close();
      else
        test::PressKey(dialog.get(), Qt::Key_Escape);
      QVERIFY(!dialog->isVisible());
      QCOMPARE(CloseChoice, 0);
      QVERIFY(!MsgYes);
      QVERIFY(MsgCancel);
    }
  }

  void askCloseChoiceShowsTheDialog() {
    DataModified = true;
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [attempt] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<TCLOSEForm*>(w); d && d->isVisible() && d->windowHandle() && d->windowHandle()->isExposed()) {
          test::ClickWidget(d->findChild<QRadioButton*>("RADG1_4"));
          test::ClickWidget(d->findChild<QPushButton*>("BTN1"));
          return;
        }
      QTimer::singleShot(10, *attempt);
    };
    QTimer::singleShot(0, *attempt);
    QCOMPARE(AskCloseChoice(nullptr), 4);
    QCOMPARE(CloseChoice, 4);
  }

  void askCloseChoiceCanBeAnsweredByAHook() {
    bool seen = false;
    SetCloseChoiceHook([&](bool modified) {
      seen = modified;
      return 0;
    });
    DataModified = true;
    QCOMPARE(AskCloseChoice(nullptr), 0);
    QVERIFY(seen);
    QVERIFY(MsgCancel);
  }
};

QTEST_MAIN(TestCLOSEForm)
#include "tst_CLOSEForm.moc"
