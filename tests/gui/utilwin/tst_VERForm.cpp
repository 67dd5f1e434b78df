// The version box as a user meets it: the program's title and name, the
// executable's date and time, the first environment row and the picture.
#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>
#include <memory>

#include "controls/ImagEx.h"
#include "controls/QtText.h"
#include "env/Environment.h"
#include "env/Folders.h"
#include "env/Messages.h"
#include "gui/support/GuiTest.h"
#include "support/TestEnv.h"
#include "utilwin/VERForm.h"

using namespace kondra;

class TestVERForm : public QObject {
  Q_OBJECT

  std::unique_ptr<test::BoxAnswers> answers;
  std::unique_ptr<TVERForm> box;
  QStatusBar bar;

  QString Label(const char* name) {
    auto* l = box->findChild<QLabel*>(name);
    if (!l) qFatal("no %s", name);
    return l->text();
  }
  TImageEx* Picture() { return box->findChild<TImageEx*>("IMAG1"); }
  QPushButton* Close() { return box->findChild<QPushButton*>("BTN1"); }
  void Open() {
    box = std::make_unique<TVERForm>();
    QVERIFY(test::ShowActive(box.get()));
  }

 private slots:
  void initTestCase() {
    StartupOptions options;
    options.root = KONDRA_INSTALL_TREE;
    options.readOnly = true;
    QVERIFY(Startup(options));
  }
  void init() {
    answers = std::make_unique<test::BoxAnswers>();
    QtFace().AttachStatusBar(&bar);
    SetProgramIdentity();
  }
  void cleanup() {
    box.reset();
    answers.reset();
  }

  void showsTheProgramAndItsFile() {
    Open();
    QCOMPARE(box->objectName(), QString("VERForm"));
    QCOMPARE(box->windowTitle(), QString("プログラムバージョン情報"));
    QCOMPARE(Label("LBL1"), QString("roraridev Ver.8.20"));
    QCOMPARE(Label("LBL2"), QString("Kondra.EXE Ver.8.20"));
    // The last-write time of the running executable, as the file system has it.
    const QDateTime written = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
    QCOMPARE(Label("LBL3"), written.toString("yyyy/MM/dd hh:mm:ss"));
    // The first row of the installation's environment file.
    QCOMPARE(Label("LBL4"), QString("(C) Kondra Project  標準インストール"));
    QVERIFY(!Picture()->Picture().isNull());
    QCOMPARE(Picture()->Picture().size(), QSize(60, 70));
    QCOMPARE(Picture()->size(), QSize(60, 70));
    QCOMPARE(Close()->text(), QString("閉じる(&X)"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Close()));
    QVERIFY(!test::GrabPng(box.get(), "TVERForm").isEmpty());
    test::ClickWidget(Close());
    QVERIFY(!box->isVisible());
  }

  void withoutTheProgramsNamesTheBoxShowsItsOwn() {
    ProgramTitle.clear();
    ProgramName.clear();
    Open();
    QCOMPARE(Label("LBL1"), QString("プログラムバージョン情報 Ver.1.00"));
    QCOMPARE(Label("LBL2"), QString("Duvo.EXE Ver.1.00"));
  }

  void aMissingPictureLeavesTheBoxEmpty() {
    test::TempFolder temp;
    const std::string pictures = PictDir;
    PictDir = temp.path();
    Open();
    PictDir = pictures;
    QVERIFY(Picture()->Picture().isNull());
    QVERIFY(answers->boxes.empty());
  }

  void showVersionBoxClearsTheStatusAfterwards() {
    ShowStatus("前の表示");
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [attempt] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<TVERForm*>(w); d && d->isVisible() && d->windowHandle() &&
                                                   d->windowHandle()->isExposed()) {
          test::ClickWidget(d->findChild<QPushButton*>("BTN1"));
          return;
        }
      QTimer::singleShot(10, *attempt);
    };
    QTimer::singleShot(0, *attempt);
    ShowVersionBox(nullptr);
    QCOMPARE(answers->Panel(0), QString("　"));
  }
};

QTEST_MAIN(TestVERForm)
#include "tst_VERForm.moc"
