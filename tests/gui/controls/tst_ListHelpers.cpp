// Filling and searching lists, quiet setters, finding components and windows.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <array>
#include <vector>

#include "controls/ListHelpers.h"
#include "controls/QtText.h"
#include "env/FileSystem.h"
#include "env/Paths.h"
#include "gui/support/GuiTest.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"

using namespace kondra;

class ListHelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void findListItem_data() {
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    const QStringList numbered{"  1:α外側", "  5:グラスウール", "  9:合板"};
    QTest::newRow("numbered, asked by name") << numbered << "グラスウール" << 2;
    QTest::newRow("numbered, asked numbered") << numbered << "  9:合板" << 3;
    QTest::newRow("other number, same name") << numbered << " 77:合板" << 3;
    QTest::newRow("case of ASCII letters") << QStringList{"abc", "glass wool"} << "GLASS WOOL" << 2;
    QTest::newRow("two-byte letters keep their case") << QStringList{"ａｂｃ"} << "ＡＢＣ" << 0;
    QTest::newRow("colon at byte 2 is no prefix") << QStringList{"1:ab"} << "ab" << 0;
    QTest::newRow("colon at byte 2 compared whole") << QStringList{"1:ab"} << "1:AB" << 1;
    QTest::newRow("colon at byte 3 is a prefix") << QStringList{"12:ab"} << "ab" << 1;
    QTest::newRow("first of equal entries") << QStringList{"x", "y", "  3:y"} << "y" << 2;
    QTest::newRow("empty text") << QStringList{"", "a"} << "" << 0;
    QTest::newRow("empty list") << QStringList{} << "a" << 0;
    QTest::newRow("missing") << numbered << "鉄" << 0;
  }

  void findListItem() {
    QFETCH(QStringList, list);
    QFETCH(QString, text);
    QFETCH(int, position);
    bool found = true;
    QCOMPARE(FindListItem(list, text, &found), position);
    QCOMPARE(found, position > 0);
  }

  void loadNumberedList() {
    std::array<std::string, 5> names{"", "α外側", "合板", "グラスウール", "鉄"};
    QComboBox combo;
    combo.addItem("old");
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);
    LoadNumberedList(&combo, names, 1, true, 3);
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.itemText(0), QString("  1:α外側"));
    QCOMPARE(combo.itemText(2), QString("  3:グラスウール"));
    QCOMPARE(changed.count(), 0);
    LoadNumberedList(&combo, names, 2, false, 4);
    QCOMPARE(combo.itemText(0), QString("合板"));
    QCOMPARE(combo.count(), 3);
    LoadNumberedList(&combo, names, 3, true, 2);
    QCOMPARE(combo.count(), 0);

    std::vector<std::string> many(120, "x");
    QStringList lines;
    LoadNumberedList(lines, many, 99, true, 100);
    QCOMPARE(lines, (QStringList{" 99:x", "100:x"}));
  }

  void tableNamesAndColumns() {
    test::BoxAnswers answers;
    test::TempFolder temp;
    const std::string path = temp.path() + "部位区分.DAT";
    test::WriteCp932(path,
                     "     3     3\r\n    10     6     4\r\n"
                     "      外壁  0.12   1\r\n      屋根  0.34   2\r\n        床  0.56   3\r\n");
    QComboBox combo;
    LoadTableNames(&combo, path, true);
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.itemText(0), QString("  1:外壁"));
    QCOMPARE(combo.itemText(2), QString("  3:床"));
    LoadTableColumn(&combo, 2, false);
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.itemText(1), QString("0.34"));
    LoadTableColumn(&combo, 3, true, 2, 9);  // rows beyond the table are left out
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(0), QString("  2:2"));
    LoadTableColumn(&combo, 17, false);
    QCOMPARE(combo.count(), 0);

    LoadTableNames(&combo, temp.path() + "missing.DAT", false);
    QCOMPARE(combo.count(), 0);

    QListWidget list;
    NameCount = 2;
    NameList[1] = "a";
    NameList[2] = "b";
    LoadNameList(&list, false);
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.item(1)->text(), QString("b"));
  }

  void fileCombo() {
    test::BoxAnswers answers;
    test::TempFolder temp;
    for (const char* name : {"b壁.KDR", "a.KDR", "note.TXT", "c.kdr"}) test::WriteBytes(temp.path() + name, "x");
    QComboBox combo;
    FillFileCombo(&combo, temp.path() + "a.KDR");
    const QString dir = Q(temp.path());
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.itemText(0), "  1:" + dir + "a.KDR");
    QCOMPARE(combo.itemText(2), "  3:" + dir + "c.kdr");
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(Q(CurFileName), QString("a.KDR"));  // the current path's components again

    FillFileCombo(&combo, temp.path() + "計算(新規).KDR", "b");
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(0), "  1:" + dir + "b壁.KDR");
    QCOMPARE(combo.itemText(1), "  2:" + dir + "計算(新規).KDR");
    QCOMPARE(combo.currentIndex(), 1);

    FillFileCombo(&combo, temp.path() + "c.kdr", "", FileComboNames::Bare);
    QCOMPARE(combo.itemText(0), QString("  1:a.KDR"));
    QCOMPARE(combo.currentText(), QString("  3:c.kdr"));
  }

  void selectListItem() {
    QComboBox combo;
    combo.addItems({"  1:α外側", "  2:合板"});
    SelectListItem(&combo, "合板");
    QCOMPARE(combo.currentIndex(), 1);
    SelectListItem(&combo, "鉄");
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(combo.currentText(), QString());
  }

  void quietSetters() {
    QSpinBox updown;
    updown.setRange(-50, 100);
    QSignalSpy spun(&updown, &QSpinBox::valueChanged);
    SetUpDownQuietly(&updown, -20);
    QCOMPARE(updown.value(), -20);
    QCOMPARE(spun.count(), 0);
    QVERIFY(updown.isEnabled());

    QCheckBox check;
    QSignalSpy toggled(&check, &QCheckBox::toggled);
    SetCheckQuietly(&check, true);
    QVERIFY(check.isChecked());
    QCOMPARE(toggled.count(), 0);

    QGroupBox group;
    auto* a = new QRadioButton("a", &group);
    auto* b = new QRadioButton("b", &group);
    a->setChecked(true);
    QSignalSpy bToggled(b, &QRadioButton::toggled);
    SetRadioQuietly(&group, 2);
    QVERIFY(b->isChecked());
    QCOMPARE(bToggled.count(), 0);
    SetRadioQuietly(&group, -3);  // below zero: the first
    QVERIFY(a->isChecked());

    QButtonGroup buttons;
    QRadioButton r0, r1;
    buttons.addButton(&r0, 0);
    buttons.addButton(&r1, 1);
    SetRadioQuietly(&buttons, 2);
    QVERIFY(r1.isChecked());
  }

  void componentsAndWindows() {
    QWidget form;
    form.setObjectName("EZAIForm");
    auto* edit = new QWidget(&form);
    edit->setObjectName("EDIT1_2");
    QCOMPARE(FindByPrefix(&form, "EDIT", "1_2"), edit);
    QCOMPARE(FindByPrefix(&form, "CBOX", "1_2"), nullptr);
    QVERIFY(!FormIsOpen("EZAIForm"));
    form.setGeometry(40, 50, 300, 200);
    form.show();
    QVERIFY(FormIsOpen("EZAIForm"));
    QVERIFY(!FormIsOpen("TMONForm"));
    QRect bounds = FormBounds(&form);
    QCOMPARE(bounds.size(), form.frameGeometry().size());
  }

  void windowDragging() {
    QWidget form;
    form.setGeometry(100, 100, 200, 100);
    QVERIFY(test::ShowActive(&form));
    QPoint start = form.pos();
    StartWindowDrag();
    QVERIFY(WindowDragActive());
    QTest::mousePress(&form, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    DragWindow(&form);
    QVERIFY(!WindowDragActive());
    QTest::mouseMove(&form, QPoint(12, 12));
    QTest::mouseMove(&form, QPoint(40, 30));
    QTest::mouseRelease(&form, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
    QVERIFY(form.pos() != start);
    EndWindowDrag();  // nothing left to end
  }
};

QTEST_MAIN(ListHelpersTest)
#include "tst_ListHelpers.moc"
