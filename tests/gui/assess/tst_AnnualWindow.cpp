// The year-round check as a user reaches it: the sample open in the main
// window, 表示 → 年間結露判定, a climate chosen from the list, the verdict
// read off the window; twelve typed months kept for the next time; the page
// saved as PDF.
#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>

#include "assess/AnnualClimate.h"
#include "assess/gui/AnnualForm.h"
#include "env/FileSystem.h"
#include "gui/mainwin/MainWindowDriver.h"
#include "output/gui/Printing.h"

using namespace kondra;

class AnnualWindowTest : public QObject {
  Q_OBJECT

  test::MainWindowDriver main;

  TAnnualForm* OpenFromTheMenu() {
    QAction* item = main.Action("MNU_Annual");
    if (!item || !item->isEnabled()) return nullptr;
    item->trigger();
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* form = dynamic_cast<TAnnualForm*>(w); form && form->isVisible()) return form;
    return nullptr;
  }

 private slots:
  void initTestCase() { QVERIFY2(main.Install(), "the installation copy could not be started"); }
  void init() { test::ResetEditing(); }
  void cleanup() { main.Discard(); }

  void aBundledClimateGivesItsVerdict() {
    QVERIFY(main.Open(SampleCalcPath()));
    test::BoxAnswers boxes;
    TAnnualForm* form = OpenFromTheMenu();
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));

    // Points without monthly humidity are listed but cannot be chosen.
    auto* climate = form->findChild<QComboBox*>("CB_Climate");
    auto* model = qobject_cast<QStandardItemModel*>(climate->model());
    int usable = 0, shut = 0;
    for (int i = 1; i < climate->count(); ++i) (model->item(i)->isEnabled() ? usable : shut)++;
    QCOMPARE(usable, 8);
    QVERIFY(shut > 100);
    QVERIFY(!model->item(1)->toolTip().isEmpty());

    // The standard year of region 1 (the first usable point) is chosen at once.
    QVERIFY(climate->currentText().contains("IWAMIZAWA") || climate->currentText().contains("岩見沢"));
    const auto* verdict = form->findChild<QLabel*>("LBL_Verdict");
    QVERIFY2(verdict->text().startsWith("判定：年間で"), qPrintable(verdict->text()));
    QCOMPARE(form->Result().months.size(), std::size_t{12});
    const auto* months = form->findChild<QTableWidget*>("GRD_Months");
    QCOMPARE(months->item(0, 0)->text(), QString("%1月").arg(form->Result().startMonth));
    QVERIFY(months->item(0, 7)->text() != "-");  // the start month holds water
    auto* chart = form->findChild<QChartView*>("CHV_Water");
    QVERIFY(!chart->chart()->series().isEmpty());
    QVERIFY(!form->findChild<QLabel*>("LBL_Surface")->text().isEmpty());

    // A humid room (class 5 at 20 °C) holds more water than the room of the calculation.
    const double constant = form->Result().maxAccumulated;
    test::ChooseFromList(form->findChild<QComboBox*>("CB_Inside"), "湿度クラス5（外気＋1350Pa）");
    QVERIFY(form->Result().maxAccumulated > constant);
    (void)test::GrabPng(form, "annual-window");

    // Saved as PDF through the window's button.
    const QString pdf = QString::fromStdString(fs::ToNative(main.workDir + "ANNUAL.pdf"));
    std::string proposed;
    SetPdfFileDialog([&](QWidget*, const std::string& offered) {
      proposed = offered;
      return std::optional<std::string>(main.workDir + "ANNUAL.pdf");
    });
    test::ClickWidget(form->findChild<QPushButton*>("BTN_Pdf"));
    SetPdfFileDialog(nullptr);
    QVERIFY2(QString::fromStdString(proposed).endsWith("TEST_KDR_年間結露判定.pdf"), proposed.c_str());
    QVERIFY(QFile::exists(pdf));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QFile::remove(QDir::tempPath() + "/kondra-test-pictures/annual.pdf");
    QFile::copy(pdf, QDir::tempPath() + "/kondra-test-pictures/annual.pdf");
    form->close();
  }

  void typedMonthsAreKeptForTheNextTime() {
    QVERIFY(main.Open(SampleCalcPath()));
    test::BoxAnswers boxes;
    TAnnualForm* form = OpenFromTheMenu();
    QVERIFY(form);
    test::ChooseFromList(form->findChild<QComboBox*>("CB_Climate"), "入力した12か月");
    auto* typed = form->findChild<QTableWidget*>("GRD_Typed");
    QVERIFY(typed->isVisible());
    // Mild all year: nothing condenses.
    for (int m = 0; m < 12; ++m) {
      typed->item(0, m)->setText("18.5");
      typed->item(1, m)->setText("50");
    }
    test::ClickWidget(form->findChild<QPushButton*>("BTN_Judge"));
    QCOMPARE(form->findChild<QLabel*>("LBL_Verdict")->text(), QString("判定：年間を通じて内部結露なし"));
    TypedClimate kept;
    QVERIFY(LoadTypedClimate(kept));
    QCOMPARE(kept[6].temp, 18.5);
    QCOMPARE(kept[11].relHum, 50.0);
    form->close();
  }
};

QTEST_MAIN(AnnualWindowTest)
#include "tst_AnnualWindow.moc"
