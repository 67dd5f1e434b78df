// The file commands of the main window as a user meets them: New asks for a
// name and writes the file at once, Open, Save and Save As with their
// questions and refusals, the sample that is never written, the title as
// file name, and closing the program with unsaved changes.
#include <QCheckBox>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "env/Paths.h"
#include "gui/mainwin/MainWindowDriver.h"
#include "records/RecordStore.h"
#include "utilwin/CLOSEForm.h"

using namespace kondra;

namespace {

using Reply = HeadlessInputFace::Reply;

bool Exists(const std::string& path) { return fs::Exists(path); }

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

  test::MainWindowDriver main;
  std::unique_ptr<test::BoxAnswers> boxes;
  std::unique_ptr<test::FileDialogAnswers> dialogs;
  HeadlessInputFace names;

  QToolButton* Button(const char* name) const { return main.Find<QToolButton>(name); }

  // A saved file of the work folder with `title`, open in the window.
  void OpenSaved(const std::string& file, const QString& title) {
    QVERIFY(main.Open(main.workDir + file));
    main.Type("EDIT1_1", title);
    QVERIFY(SaveCalcFile(main.workDir + file));
    main.form->RefreshScreen();
    QVERIFY(!DataModified);
  }

 private slots:
  void initTestCase() {
    QVERIFY2(main.Install(), "the installation copy could not be started");
    SetInputFace(&names);
  }
  void cleanupTestCase() { SetInputFace(nullptr); }

  void init() {
    test::ResetEditing();
    SetUnitSystem(kEngineeringUnits);
    boxes = std::make_unique<test::BoxAnswers>();
    dialogs = std::make_unique<test::FileDialogAnswers>();
    names.replies.clear();
    names.asked.clear();
  }

  void cleanup() {
    main.Discard();
    dialogs.reset();
    boxes.reset();
  }

  // New: the discard question for unsaved changes, the name, the creation
  // question; the file exists as soon as the answers are given.
  void newAsksForANameAndWritesTheFileAtOnce_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QList<int>>("answers");  // MsgButton values, in order
    QTest::addColumn<QString>("typed");       // empty: the name dialog is cancelled
    QTest::addColumn<QStringList>("asked");   // the starts of the questions
    QTest::addColumn<bool>("created");

    const int yes = static_cast<int>(MsgButton::Yes), no = static_cast<int>(MsgButton::No),
              cancel = static_cast<int>(MsgButton::Cancel), ok = static_cast<int>(MsgButton::Ok);
    QTest::newRow("unchanged, W1, yes") << false << QList<int>{yes} << "W1" << QStringList{"保存ファイル名 ： "} << true;
    QTest::newRow("changed, discard yes, W1, yes")
        << true << QList<int>{yes, yes} << "W1"
        << QStringList{"現在編集中のデータを廃棄してもいいですか？", "保存ファイル名 ： "} << true;
    QTest::newRow("changed, discard no") << true << QList<int>{no, ok} << "W1"
                                         << QStringList{"現在編集中のデータを廃棄してもいいですか？",
                                                        "一度、現在編集中のデータを保存して下さい。"}
                                         << false;
    QTest::newRow("name dialog cancelled") << false << QList<int>{} << "" << QStringList{} << false;
    QTest::newRow("creation declined") << false << QList<int>{no} << "W1" << QStringList{"保存ファイル名 ： "} << false;
    QTest::newRow("creation cancelled") << false << QList<int>{cancel} << "W1" << QStringList{"保存ファイル名 ： "}
                                        << false;
    QTest::newRow("forbidden character") << false << QList<int>{ok} << "W*1" << QStringList{"入力した文字列 ： W*1"}
                                         << false;
  }
  void newAsksForANameAndWritesTheFileAtOnce() {
    QFETCH(bool, changed);
    QFETCH(QList<int>, answers);
    QFETCH(QString, typed);
    QFETCH(QStringList, asked);
    QFETCH(bool, created);

    OpenSaved("OLD.KDR", "古い計算");
    if (changed) main.Type("EDIT1_5", "65");
    for (int a : answers) boxes->answers.push_back(static_cast<MsgButton>(a));
    if (!typed.isEmpty()) names.replies.push_back(Reply::Typed(S(typed)));
    boxes->boxes.clear();
    test::ClickWidget(Button("SBTN1"));

    const QStringList texts = boxes->Texts();
    QCOMPARE(texts.size(), asked.size());
    for (int i = 0; i < asked.size(); ++i) QVERIFY2(texts[i].startsWith(asked[i]), qPrintable(texts[i]));
    if (!texts.isEmpty() && asked.last().startsWith("保存ファイル名"))
      QVERIFY(texts.last().endsWith("新しい入力ファイルとして保存しますか？"));
    QCOMPARE(names.asked.size(), std::size_t(changed && answers.value(0) != static_cast<int>(MsgButton::Yes) ? 0 : 1));

    const std::string w1 = main.workDir + "W1.KDR";
    QCOMPARE(Exists(w1), created);
    if (created) {
      QCOMPARE(CalcPath, w1);
      QCOMPARE(Calc.Title, std::string());
      QVERIFY(!DataModified);
      QCOMPARE(main.Find<QComboBox>("CBOX0")->currentText().section(':', -1).endsWith("W1.KDR"), true);
    } else {
      QCOMPARE(CalcPath, main.workDir + "OLD.KDR");
      QCOMPARE(Calc.Title, std::string("古い計算"));
      QCOMPARE(DataModified, changed);
    }
  }

  // A name that is taken is written over only after its own question.
  void newOverAnExistingFileAsksToOverwrite() {
    OpenSaved("OLD.KDR", "古い計算");
    QVERIFY(SaveCalcFile(main.workDir + "W1.KDR"));
    QVERIFY(ReadCalcFile(main.workDir + "OLD.KDR"));
    main.form->RefreshScreen();
    names.replies.push_back(Reply::Typed("W1"));
    boxes->answers = {MsgButton::Yes};
    test::ClickWidget(Button("SBTN1"));
    QCOMPARE(boxes->Texts(), QStringList{"保存ファイル名 ： " + Q(main.workDir) +
                                          "W1.KDR\r\r既存入力ファイルに上書き保存してもいいですか？"});
    QCOMPARE(boxes->boxes[0].kind, 3);
    QCOMPARE(CalcPath, main.workDir + "W1.KDR");
    QVERIFY(!Contains("古い計算", test::ReadCp932(main.workDir + "W1.KDR")));
  }

  // Save asks before writing over the file; No and Cancel leave the disk alone.
  void saveAsksBeforeWritingOver() {
    OpenSaved("S1.KDR", "最初");
    const std::string before = test::ReadBytes(main.workDir + "S1.KDR");
    QVERIFY(!Button("SBTN3")->isEnabled());
    main.Type("EDIT1_1", "二度目");
    QVERIFY(Button("SBTN3")->isEnabled());

    for (MsgButton answer : {MsgButton::No, MsgButton::Cancel}) {
      boxes->boxes.clear();
      boxes->answers = {answer};
      test::ClickWidget(Button("SBTN3"));
      QCOMPARE(boxes->Texts(), QStringList{"〔" + Q(main.workDir) + "S1.KDR〕を上書き保存しますか？"});
      QCOMPARE(boxes->boxes[0].kind, 2);
      QCOMPARE(boxes->boxes[0].buttons, 3);
      QCOMPARE(test::ReadBytes(main.workDir + "S1.KDR"), before);
      QVERIFY(DataModified);
    }
    boxes->answers = {MsgButton::Yes};
    test::ClickWidget(Button("SBTN3"));
    QVERIFY(Contains("二度目", test::ReadCp932(main.workDir + "S1.KDR")));
    QVERIFY(!DataModified);
    QVERIFY(!Button("SBTN3")->isEnabled());
    QVERIFY(boxes->Panel(0).contains("S1.KDR"));
  }

  // Save As: the dialog's question, only into the calculation folder, ".KDR"
  // added to a bare name, never over the sample.
  void saveAsOnlyIntoTheCalculationFolder_data() {
    QTest::addColumn<QString>("chosen");  // below CAL\, empty: cancelled
    QTest::addColumn<QString>("written"); // below CAL\, empty: nothing
    QTest::addColumn<QString>("message"); // the end of the box shown, empty: none
    QTest::newRow("bare name") << "KDR\\X1" << "KDR\\X1.KDR" << "";
    QTest::newRow("with extension") << "KDR\\X2.KDR" << "KDR\\X2.KDR" << "";
    QTest::newRow("other folder") << "WORK\\X3.KDR" << "" << "この場所には保存できません。（指定以外）";
    QTest::newRow("the sample") << "KDR\\TEST_KDR.KDR" << "" << "別のファイル名を指定して下さい。";
    QTest::newRow("cancelled") << "" << "" << "";
  }
  void saveAsOnlyIntoTheCalculationFolder() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QString, message);
    const std::string sample = test::ReadBytes(SampleCalcPath());
    OpenSaved("S2.KDR", "別名");
    main.Type("EDIT1_5", "70");
    if (!chosen.isEmpty()) dialogs->answers.push_back(CalcDir + S(chosen));
    test::ClickWidget(Button("SBTN4"));

    QCOMPARE(dialogs->requests.size(), std::size_t(1));
    QCOMPARE(dialogs->requests[0].title, std::string("保存ファイル名を入力して下さい。"));
    QCOMPARE(dialogs->requests[0].filter, std::string("計算ファイル(*.KDR)|*.KDR"));
    QCOMPARE(dialogs->requests[0].start, main.workDir + "S2.KDR");
    QVERIFY(dialogs->requests[0].save);
    if (message.isEmpty()) {
      QVERIFY(boxes->boxes.empty());
    } else {
      QCOMPARE(boxes->boxes.size(), std::size_t(1));
      QVERIFY2(boxes->Texts()[0].endsWith(message), qPrintable(boxes->Texts()[0]));
      QCOMPARE(boxes->boxes[0].kind, 3);
    }
    if (written.isEmpty()) {
      QCOMPARE(CalcPath, main.workDir + "S2.KDR");
      QVERIFY(DataModified);
      QVERIFY(!Exists(CalcDir + "WORK\\X3.KDR"));
      if (chosen.isEmpty()) QVERIFY(boxes->Panel(0).trimmed().isEmpty());
    } else {
      QCOMPARE(CalcPath, CalcDir + S(written));
      QVERIFY(Exists(CalcPath));
      QVERIFY(Contains("別名", test::ReadCp932(CalcPath)));
      QVERIFY(!DataModified);
    }
    QCOMPARE(test::ReadBytes(SampleCalcPath()), sample);
  }

  // Open: the dialog on the current file, then the discard question.
  void openAsksBeforeDiscardingChanges() {
    OpenSaved("O2.KDR", "二番目");
    QVERIFY(SaveCalcFile(main.workDir + "O1.KDR"));  // the same calculation under another name
    main.Type("EDIT1_1", "変更中");
    QVERIFY(DataModified);

    test::ClickWidget(Button("SBTN2"));  // cancelled
    QCOMPARE(dialogs->requests.size(), std::size_t(1));
    QCOMPARE(dialogs->requests[0].title, std::string("読込みファイル名を入力して下さい。"));
    QCOMPARE(dialogs->requests[0].filter, std::string("現在の拡張子(*.KDR)|*.KDR|"));
    QVERIFY(!dialogs->requests[0].save);
    QVERIFY(boxes->Panel(0).trimmed().isEmpty());
    QVERIFY(boxes->boxes.empty());

    dialogs->answers = {main.workDir + "O2.KDR"};
    boxes->answers = {MsgButton::No};
    test::ClickWidget(Button("SBTN2"));
    QCOMPARE(boxes->Texts().value(0), QString("現在編集中のデータを廃棄してもいいですか？"));
    QCOMPARE(Calc.Title, std::string("変更中"));
    QCOMPARE(CalcPath, main.workDir + "O1.KDR");

    boxes->boxes.clear();
    dialogs->answers = {main.workDir + "O2.KDR"};
    boxes->answers = {MsgButton::Yes};
    test::ClickWidget(Button("SBTN2"));
    QCOMPARE(CalcPath, main.workDir + "O2.KDR");
    QCOMPARE(main.Find<TEditEx>("EDIT1_1")->text(), QString("二番目"));
    QVERIFY(!DataModified);
    QVERIFY(boxes->Panel(0).contains("〔ファイル読込〕"));
  }

  // The sample is calculated and changed but never written: no save command,
  // no new file over it, and closing asks nothing.
  void sampleIsNeverWritten() {
    const std::string sample = test::ReadBytes(SampleCalcPath());
    QVERIFY(main.Open(SampleCalcPath()));
    main.Type("EDIT1_5", "65");
    QVERIFY(DataModified);
    QVERIFY(!Button("SBTN3")->isEnabled() && !Button("SBTN4")->isEnabled());
    QVERIFY(!main.Action("MNU_Save")->isEnabled() && !main.Action("MNU_SaveAs")->isEnabled());

    names.replies.push_back(Reply::Typed("TEST_KDR"));
    boxes->answers = {MsgButton::Yes, MsgButton::Yes, MsgButton::Ok};
    test::ClickWidget(Button("SBTN1"));
    QVERIFY2(boxes->Texts().last().endsWith("別のファイル名を指定して下さい。"), qPrintable(boxes->Texts().join('|')));
    QCOMPARE(test::ReadBytes(SampleCalcPath()), sample);
    QVERIFY(DataModified);

    boxes->boxes.clear();
    QVERIFY(main.form->close());
    QVERIFY(boxes->boxes.empty());
    QCOMPARE(test::ReadBytes(SampleCalcPath()), sample);
  }

  // The title becomes the file name: the old file goes, the new one holds
  // the calculation, and pictures left under the new name are removed.
  void titleBecomesTheFileName() {
    OpenSaved("N1.KDR", "北側外壁");
    for (int k : {0, 2}) test::WriteBytes(main.workDir + "北側外壁(" + std::to_string(k) + ").EMF", "old");
    auto* check = main.Find<QCheckBox>("CBTN_Com");
    QVERIFY(check->isVisible() && check->isEnabled());

    boxes->answers = {MsgButton::No};
    test::ClickWidget(check);
    QVERIFY(Exists(main.workDir + "N1.KDR"));
    QVERIFY(!check->isChecked());

    boxes->boxes.clear();
    boxes->answers = {MsgButton::Yes, MsgButton::Ok};
    test::ClickWidget(check);
    QCOMPARE(boxes->Texts(), (QStringList{"計算名とファイル名 ： 北側外壁\r\rこの計算名をファイル名と＜共通＞にしますか？",
                                          "計算名とファイル名を共通にしました。"}));
    const std::string renamed = main.workDir + "北側外壁.KDR";
    QCOMPARE(CalcPath, renamed);
    QVERIFY(!Exists(main.workDir + "N1.KDR"));
    QVERIFY(Contains("北側外壁", test::ReadCp932(renamed)));
    for (int k : {0, 2}) QVERIFY(!Exists(main.workDir + "北側外壁(" + std::to_string(k) + ").EMF"));
    QVERIFY(!DataModified);
    QVERIFY(!check->isEnabled());  // a file of that name is in the list now
  }
  // Closing with unsaved changes opens the exit dialog on discarding; 終了
  // then ends without writing anything.
  void closingWithChangesOpensTheExitDialogOnDiscard() {
    OpenSaved("C0.KDR", "終了の確認");
    const std::string before = test::ReadBytes(main.workDir + "C0.KDR");
    main.Type("EDIT1_5", "65");
    QString selected;
    QString button;
    bool shown = false;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<TCLOSEForm*>(QApplication::activeModalWidget());
      if (!dialog) return;
      poll.stop();
      shown = true;
      for (auto* radio : dialog->findChildren<QRadioButton*>())
        if (radio->isChecked()) selected = radio->text();
      auto* finish = dialog->findChild<QPushButton*>("BTN1");
      button = finish->text();
      QTest::mouseClick(finish, Qt::LeftButton);
    });
    poll.start();
    main.form->close();
    QVERIFY(shown);
    QCOMPARE(selected, QString("変更データを破棄して、終了する。"));
    QCOMPARE(button, QString("破棄終了(&Y)"));
    QVERIFY(!main.form->isVisible());
    QCOMPARE(test::ReadBytes(main.workDir + "C0.KDR"), before);
  }

  // What each choice of the exit dialog does with the changes and the window.
  void exitChoicesSaveAndCloseAsChosen_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("answer");  // to the save question (MsgButton), -1: none asked
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("closed");
    const int yes = static_cast<int>(MsgButton::Yes), no = static_cast<int>(MsgButton::No),
              cancel = static_cast<int>(MsgButton::Cancel);
    QTest::newRow("cancelled") << int(kCloseCancelled) << -1 << false << false;
    QTest::newRow("discard") << int(kCloseDiscard) << -1 << false << true;
    QTest::newRow("save, yes") << int(kCloseSave) << yes << true << true;
    QTest::newRow("save, no") << int(kCloseSave) << no << false << true;
    QTest::newRow("save, cancel") << int(kCloseSave) << cancel << false << false;
    QTest::newRow("save and stay, yes") << int(kCloseSaveStay) << yes << true << false;
    QTest::newRow("save and stay, no") << int(kCloseSaveStay) << no << false << false;
  }
  void exitChoicesSaveAndCloseAsChosen() {
    QFETCH(int, choice);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    QFETCH(bool, closed);
    OpenSaved("C1.KDR", "保存前");
    main.Type("EDIT1_1", "保存後");
    std::vector<bool> asked;
    SetCloseChoiceHook([&](bool modified) {
      asked.push_back(modified);
      return choice;
    });
    if (answer >= 0) boxes->answers = {static_cast<MsgButton>(answer)};
    const bool accepted = main.form->close();
    SetCloseChoiceHook({});

    QCOMPARE(asked, std::vector<bool>{true});
    QCOMPARE(accepted, closed);
    QCOMPARE(main.form->isVisible(), !closed);
    if (answer >= 0)
      QCOMPARE(boxes->Texts(), QStringList{"〔" + Q(main.workDir) + "C1.KDR〕を上書き保存しますか？"});
    else
      QVERIFY(boxes->boxes.empty());
    QCOMPARE(Contains("保存後", test::ReadCp932(main.workDir + "C1.KDR")), saved);
    QCOMPARE(DataModified, !saved);
  }

  // The unnamed new file is saved under a name the user gives; nothing
  // unchanged asks anything.
  void exitSavesTheUnnamedFileUnderANewName() {
    QVERIFY(main.Open(main.kdrDir + "(新規).KDR"));
    main.Type("EDIT1_1", "名前なし");
    SetCloseChoiceHook([](bool) { return int(kCloseSave); });
    dialogs->answers = {main.kdrDir + "Y1"};
    const bool accepted = main.form->close();
    SetCloseChoiceHook({});
    QVERIFY(accepted);
    QCOMPARE(dialogs->requests.size(), std::size_t(1));
    QVERIFY(dialogs->requests[0].save);
    QVERIFY(Contains("名前なし", test::ReadCp932(main.kdrDir + "Y1.KDR")));
    QVERIFY(!fs::Exists(main.kdrDir + "(新規).KDR"));

    main.Discard();
    OpenSaved("C2.KDR", "変更なし");
    int asked = 0;
    SetCloseChoiceHook([&](bool) { return ++asked, int(kCloseCancelled); });
    QVERIFY(main.form->close());
    SetCloseChoiceHook({});
    QCOMPARE(asked, 0);
    QVERIFY(boxes->boxes.empty());
  }

  // The next start opens the file the program was closed on.
  void theNextStartReopensTheLastFile() {
    OpenSaved("L1.KDR", "最後のファイル");
    main.Type("EDIT1_1", "最後のファイル（保存済み）");
    SetCloseChoiceHook([](bool) { return int(kCloseSave); });
    boxes->answers = {MsgButton::Yes};
    QVERIFY(main.form->close());
    SetCloseChoiceHook({});
    delete main.form;
    main.form = nullptr;

    CalcPath = main.workDir + "elsewhere.KDR";
    LoadEnvironment();
    QCOMPARE(LastCalcFile, main.workDir + "L1.KDR");
    QVERIFY(main.Open(LastCalcFile));
    QCOMPARE(CalcPath, main.workDir + "L1.KDR");
    QCOMPARE(main.Find<TEditEx>("EDIT1_1")->text(), QString("最後のファイル（保存済み）"));
  }
};

QTEST_MAIN(FileCommandsTest)
#include "tst_FileCommands.moc"
