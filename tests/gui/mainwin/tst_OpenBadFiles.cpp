// Broken files opened through the main window's Open command: each is refused
// with a box that names it, the calculation on screen stays as it was (path,
// inputs, saved state), the broken file is left as it is, and the open
// calculation can still be calculated and saved.
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <string>

#include "calc/CalcFile.h"
#include "calc/CalcState.h"
#include "env/EditState.h"
#include "env/Messages.h"
#include "gui/mainwin/MainWindowDriver.h"

using namespace kondra;

class OpenBadFilesTest : public QObject {
  Q_OBJECT

  test::MainWindowDriver main;

 private slots:
  void initTestCase() { QVERIFY2(main.Install(), "the installation copy could not be started"); }

  void init() {
    test::ResetEditing();
    SetUnitSystem(kEngineeringUnits);
  }
  void cleanup() { main.Discard(); }

  void openingABrokenFileKeepsTheCalculation_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    const std::string corpus = std::string(KONDRA_FIXTURES) + "/../data/bad/";
    for (const char* file : {"binary.bin", "label-negative.KDR", "label-too-wide.KDR", "number-overflow.KDR",
                             "number-too-long.KDR"}) {
      const QByteArray bytes = QByteArray::fromStdString(test::ReadBytes(corpus + file));
      QVERIFY2(!bytes.isEmpty(), file);
      QTest::newRow(file) << QString(file) << bytes;
    }
    QTest::newRow("empty") << "EMPTY.KDR" << QByteArray();
    QTest::newRow("one 10 MB line") << "LONG.KDR" << QByteArray(10 * 1024 * 1024, 'A');
    // The sample saved as UTF-8 by another editor.
    const std::string sample = test::ReadCp932(SampleCalcPath());
    QTest::newRow("UTF-8") << "UTF8.KDR" << QByteArray::fromStdString(sample);
  }
  void openingABrokenFileKeepsTheCalculation() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    const std::string good = main.workDir + "GOOD.KDR";
    QVERIFY(main.Open(good));
    main.Type("EDIT1_1", "元の計算");
    QVERIFY(SaveCalcFile(good));
    main.form->RefreshScreen();
    main.Type("EDIT1_1", "編集中の計算");
    QVERIFY(DataModified);

    const std::string bad = main.workDir + name.toStdString();
    test::WriteBytes(bad, bytes.toStdString());

    test::BoxAnswers boxes;
    test::FileDialogAnswers dialogs;
    dialogs.answers = {bad};
    boxes.answers = {MsgButton::Yes, MsgButton::Ok};  // discard the edit, then the refusal
    test::ClickWidget(main.Find<QToolButton>("SBTN2"));

    // The refusal names the file.
    bool named = false;
    for (const QString& text : boxes.Texts()) named = named || text.contains(QString::fromStdString(bad));
    QVERIFY2(named, qPrintable(boxes.Texts().join(" | ")));

    // The calculation on screen is the one that was open, still changed.
    QCOMPARE(CalcPath, good);
    QCOMPARE(main.Find<TEditEx>("EDIT1_1")->text(), QString("編集中の計算"));
    QCOMPARE(Calc.Title, std::string("編集中の計算"));
    QVERIFY(DataModified);

    // The broken file is untouched, and the open calculation still works.
    QCOMPARE(QByteArray::fromStdString(test::ReadBytes(bad)), bytes);
    QVERIFY(SaveCalcFile(good));
    QVERIFY(ReadCalcFile(good));
    QCOMPARE(Calc.Title, std::string("編集中の計算"));
  }
};

QTEST_MAIN(OpenBadFilesTest)
#include "tst_OpenBadFiles.moc"
