// The monthly weather window as a user meets it, on a copy of the factory
// installation: the default station, the point-number input, the station
// chooser, the unit systems, the explanations and the three charts.
#include <QAbstractItemView>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QGraphicsLayout>
#include <QValueAxis>
#include <QToolButton>
#include <QPushButton>
#include <QLineEdit>
#include <functional>
#include <memory>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "controls/QtText.h"
#include "controls/StrGEx.h"
#include "core/weather/SourcesDir.h"
#include "env/Environment.h"
#include "env/FileSystem.h"
#include "env/Folders.h"
#include "env/Numbers.h"
#include "env/Paths.h"
#include "env/Units.h"
#include "gui/support/GuiTest.h"
#include "output/Bitmap.h"
#include "output/Metafile.h"
#include "output/gui/GRSVForm.h"
#include "records/TableFile.h"
#include "support/TestEnv.h"
#include "weather/ChartPnlFM.h"
#include "weather/ClimateSources.h"
#include "weather/MWDDispFM.h"
#include "weather/MonthlyNotice.h"
#include "weather/PntNoInpFM.h"
#include "weather/PntStInpFM.h"
#include "weather/Wmonth.h"
#include "weather/gui/UpDown.h"

using namespace kondra;

namespace {

namespace sfs = std::filesystem;

// Chooses the entry named `name` (numbered "%3d:name") from a combo's list
// as a user does: a click opens the list, the keys walk to the entry and
// Enter takes it.
bool ChooseFromList(QComboBox* combo, const QString& name) {
  int index = -1;
  for (int i = 0; i < combo->count(); ++i)
    if (combo->itemText(i).section(':', 1) == name) index = i;
  if (index < 0) {
    qWarning() << "no" << name << "in" << combo->objectName() << combo->count();
    return false;
  }
  test::ClickWidget(combo);
  QAbstractItemView* view = combo->view();
  if (!QTest::qWaitForWindowExposed(view->window())) return false;
  QTest::keyClick(view, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_Return);
  for (int waited = 0; view->window()->isVisible() && waited < 1000; waited += 10) QTest::qWait(10);
  return !view->window()->isVisible() && combo->currentIndex() == index;
}

int PointNumber(const std::string& name, const std::string& region) {
  DataLoad(PointListPath());
  for (int r = 1; r <= DT_RowCount; ++r)
    if (DT_Cell[r][1] == name && DT_Cell[r][2] == region) return r;
  return 0;
}

NormalsStation Normals(int number) {
  std::vector<NormalsStation> all;
  std::string error;
  ReadNormals(test::WeatherSourcesDir() + "jma-normals\\normals.csv", all, error);
  for (const auto& s : all)
    if (s.number == number) return s;
  return {};
}

int SeriesPoints(QAbstractSeries* series) {
  if (auto* line = qobject_cast<QLineSeries*>(series)) return static_cast<int>(line->count());
  int bars = 0;
  if (auto* bar = qobject_cast<QBarSeries*>(series))
    for (QBarSet* set : bar->barSets())
      if (!set->property("blankSlot").toBool())
        for (int i = 0; i < set->count(); ++i) bars += set->at(i) != 0.0 ? 1 : 0;
  return bars;
}

// Acts on the chart-save dialog once it is open (modally) and closes it
// when the action left it open. The watch stops when `watch` is reset.
void WatchSaveDialog(std::shared_ptr<bool> watch, std::function<void(TGRSVForm*)> act) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [=] {
    if (!*watch) return;
    auto* dialog = qobject_cast<TGRSVForm*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
      QTimer::singleShot(20, *attempt);
      return;
    }
    *watch = false;
    act(dialog);
    if (dialog->isVisible()) dialog->reject();
  };
  QTimer::singleShot(0, *attempt);
}

}  // namespace

class MonthlyWeatherTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempFolder> root;
  std::unique_ptr<test::BoxAnswers> boxes;
  TMONForm* form = nullptr;
  TMWDDispFrame* frame = nullptr;
  int hamamatsu = 0;
  std::shared_ptr<bool> saveDialogWatch;

  void OnSaveDialog(std::function<void(TGRSVForm*)> act) {
    if (saveDialogWatch) *saveDialogWatch = false;
    saveDialogWatch = std::make_shared<bool>(true);
    WatchSaveDialog(saveDialogWatch, std::move(act));
  }

  TStrGridEx* Grid() const { return frame->Table(); }
  QString Cell(int col, int row) const { return Grid()->Cells(col, row); }
  QString LabelText(const char* name) const { return frame->Label(name)->text(); }

  // A picture of the window once pending drawing has run.
  void Grab(const QString& name) const {
    QTest::qWait(30);
    test::GrabPng(form, name);
  }

  // Opens the window and waits for its set-up.
  void Open() {
    form = ShowMonthlyWeather(nullptr);
    QVERIFY(test::ShowActive(form));
    frame = form->Frame();
    QTRY_COMPARE(frame->ChartKind(), 1);
  }

  void TypePoint(const QString& text) {
    TEditEx* edit = frame->PointInput()->NumberEdit();
    test::ClickWidget(edit);
    edit->selectAll();
    test::TypeText(edit, text);
    test::PressKey(edit, Qt::Key_Return);
  }

  void ChooseStation(const QString& region, const QString& point) {
    QTest::mouseClick(frame->PointInput()->PointButton(), Qt::LeftButton);
    TPSTINPFrame* chooser = frame->StationChooser();
    QVERIFY(chooser->isVisible());
    QVERIFY(ChooseFromList(chooser->RegionList(), region));
    if (!point.isEmpty()) QVERIFY(ChooseFromList(chooser->PointList(), point));
  }

 private slots:
  void initTestCase() {
    root = std::make_unique<test::TempFolder>();
    const sfs::path tree(KONDRA_INSTALL_TREE);
    QVERIFY2(sfs::exists(tree / "WCD" / "JPN_MONT.DAT"), "the installation tree has not been built");
    for (const char* folder : {"DATA", "WCD"})
      sfs::copy(tree / folder, sfs::path(root->native()) / folder, sfs::copy_options::recursive);
    StartupOptions options;
    options.root = root->path();
    QVERIFY(StartProgram(options));
    InitWeather();
    hamamatsu = CurStation.PointNo;
    QVERIFY(hamamatsu > 0);
  }

  void init() {
    test::ResetEditing();
    boxes = std::make_unique<test::BoxAnswers>();
    SetUnitSystem(kEngineeringUnits);
    SelectStation(hamamatsu, "", "", "");
  }

  void cleanup() {
    if (MonthlyWeatherWindow()) {
      MonthlyWeatherWindow()->close();
      QTRY_VERIFY(!MonthlyWeatherWindow());
    }
    boxes.reset();
  }

  void showsHamamatsuWithItsNormals() {
    Open();
    QCOMPARE(boxes->boxes.size(), size_t(1));
    QCOMPARE(boxes->Texts()[0], Q(MonthlyNoticeText()));
    QCOMPARE(form->windowTitle(), QString("月次気象データの表示"));
    QCOMPARE(ShownPoint, hamamatsu);
    QCOMPARE(LabelText("LBL10"), QString("〔 静岡県 浜松 〕"));
    QCOMPARE(LabelText("LBL7"), QString("SHIZUOKA   HAMAMATSU"));
    QCOMPARE(LabelText("LBL8"), QString("47654"));
    QCOMPARE(LabelText("LBL3"), QString("(北)緯度   34ﾟ45'  (東)経度  137ﾟ43'"));
    // The sources give 浜松 neither elevation nor extremes.
    QCOMPARE(LabelText("LBL4"), QString("標高   －m   観測高さ    －m"));
    QCOMPARE(LabelText("LBL5"), QString("最高気温    － ℃   最低気温    － ℃"));
    QVERIFY(frame->Label("LBL_ERR")->isHidden());
    QCOMPARE(LabelText("LBL9"), Q(AbbrevPath(WeatherDir + "JPN_MONT.DAT")));
    QCOMPARE(frame->Label("PNL_SI")->text(), QString("工学単位"));
    QCOMPARE(frame->PointInput()->NumberEdit()->text(), Q(FormatInt(5, hamamatsu)));

    // Spot checks against the sources: normals.csv of 浜松 (47654).
    const NormalsStation n = Normals(47654);
    QCOMPARE(n.name, std::string("浜松"));
    QCOMPARE(Cell(2, 1), Q(FormatSingle(6, 1, n.temperature[0])));
    QCOMPARE(Cell(14, 1), Q(FormatSingle(6, 1, n.temperature[12])));
    QCOMPARE(Cell(14, 2), Q(FormatSingle(6, 0, n.precipitation[12])));
    QCOMPARE(Cell(8, 2), Q(FormatSingle(6, 0, n.precipitation[6])));
    // Titles, names and units; what the sources do not give reads "－".
    QCOMPARE(Cell(0, 0), QString("  項  目"));
    QCOMPARE(Cell(13, 0), QString("１２月"));
    QCOMPARE(Cell(0, 1), QString(" 平均気温"));
    QCOMPARE(Cell(1, 1), QString("℃"));
    QCOMPARE(Cell(0, 13), QString(" 全日射量"));
    for (int row : {9, 13, 20, 23, 24, 36}) QCOMPARE(Cell(5, row), QString("    －"));
    QVERIFY(frame->ChartButton()->isEnabled());
    QVERIFY(frame->Label("LBL11")->isVisible());
    Grab("monthly-hamamatsu");
  }

  void theNoticeSaysWhatThePointsHold() {
    Open();
    QCOMPARE(boxes->boxes.size(), size_t(1));
    const QString notice = boxes->Texts()[0];
    // Counted from the sources: every station of the normals and 北見 of
    // its own; eight points carry an hourly standard year.
    std::vector<NormalsStation> normals;
    std::string error;
    QVERIFY(ReadNormals(test::WeatherSourcesDir() + "jma-normals\\normals.csv", normals, error));
    const int points = static_cast<int>(normals.size()) + 1;
    QVERIFY2(notice.contains(QString("収録した%1地点のうち%2地点は、気象庁の平年値（1991～2020年）の月平均気温と月降水量だけ")
                                 .arg(points)
                                 .arg(points - 8)),
             qPrintable(notice));
    for (const char* name : {"北見", "岩見沢", "盛岡", "長野", "宇都宮", "岡山", "宮崎", "那覇"})
      QVERIFY2(notice.section("の8地点は", 0, 0).contains(QString::fromUtf8(name)), name);
    QVERIFY(notice.contains("北見は降水量なし"));
    QVERIFY(notice.contains("出典：気象庁ホームページ（平年値 1991～2020年）を加工して作成"));
    QVERIFY(notice.contains("BRI-EES-House/pyhees（Copyright (c) 2021 BRI-EES-House、MIT License）"));
    // No claim that every point is a standard year of AMeDAS data.
    QVERIFY(!notice.contains("アメダス"));
  }

  void theNoticeComesOnlyAtTheFirstActivation() {
    Open();
    QCOMPARE(boxes->boxes.size(), size_t(1));
    QWidget other;
    other.resize(200, 100);
    QVERIFY(test::ShowActive(&other));
    // Leaving the window writes the station hand-off file.
    QTRY_VERIFY(fs::IsFile(DataDir + "QVWD情報.DAT"));
    QVERIFY(DataLoad(DataDir + "QVWD情報.DAT"));
    QCOMPARE(DT_Name[7], std::string("SHIZUOKA HAMAMATSU"));
    QCOMPARE(DT_Name[9], std::string("標準年"));
    QVERIFY(test::ShowActive(form));
    QTest::qWait(50);
    QCOMPARE(boxes->boxes.size(), size_t(1));
  }

  void choosingNaganoShowsEveryItemAndTheChartsDraw() {
    Open();
    ChooseStation("長野県", "長野");
    QCOMPARE(CurStation.PointText, std::string("長野"));
    QCOMPARE(ShownPoint, CurStation.PointNo);
    QCOMPARE(LabelText("LBL10"), QString("〔 長野県 長野 〕"));
    QCOMPARE(LabelText("LBL8"), QString("47610"));
    QCOMPARE(frame->PointInput()->NumberEdit()->text(), Q(FormatInt(5, CurStation.PointNo)));
    // Every item the hourly year gives; ground temperature and the unused rows read "－".
    for (int row = 1; row <= 36; ++row)
      for (int col = 2; col <= 14; ++col) {
        const bool absent = row == 24 || row >= 30;
        QVERIFY2((Cell(col, row) == "    －") == absent, qPrintable(QString("%1/%2").arg(col).arg(row)));
      }
    QVERIFY(LabelText("LBL4").contains("－"));
    QVERIFY(!LabelText("LBL5").contains("－"));

    // 長野 July mean temperature is the mean of its hourly year's July.
    HourlyYear year;
    std::string error;
    QVERIFY(ReadHourlyYear(test::WeatherSourcesDir() + "pyhees\\climateData_4.csv", year, error));
    double sum = 0;
    int hours = 0;
    for (const auto& h : year.hours)
      if (h.month == 7) {
        sum += h.temperature;
        ++hours;
      }
    QCOMPARE(Cell(8, 1), Q(FormatSingle(6, 1, static_cast<float>(sum / hours))));

    // The three charts draw from the table.
    QTest::mouseClick(frame->ChartButton(), Qt::LeftButton);
    for (int kind = 1; kind <= 3; ++kind) {
      QRadioButton* radio = frame->findChild<QRadioButton*>(QString("RBTN2_%1").arg(kind));
      QVERIFY(radio->isVisible());
      QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(6, radio->height() / 2));
      QCOMPARE(frame->ChartKind(), kind);
      QChartView* chart = frame->Chart(kind);
      QVERIFY(chart->isVisible());
      for (int other = 1; other <= 3; ++other)
        if (other != kind) QVERIFY(!frame->Chart(other)->isVisible());
      TChartLegend* legend = LegendOf(chart);
      QVERIFY(legend && legend->isVisible());
      QCOMPARE(legend->Checks().size(), chart->chart()->series().size());
      for (QAbstractSeries* series : chart->chart()->series()) {
        QVERIFY(legend->CheckOf(series)->isChecked());
        QCOMPARE(legend->CheckOf(series)->text(), series->name());
        const bool ground = series->name() == "土中温度";
        if (qobject_cast<QLineSeries*>(series))
          QCOMPARE(SeriesPoints(series), ground ? 0 : 12);
        else
          QCOMPARE(SeriesPoints(series), 12);
      }
      QVERIFY(EndsWith(CurPath, "長野(C" + std::to_string(kind) + ").EMF"));
      Grab(QString("monthly-nagano-chart%1").arg(kind));
    }
    // Chart 1's July mean temperature is the table's.
    auto* mean = qobject_cast<QLineSeries*>(frame->Chart(1)->chart()->series()[3]);
    QVERIFY(mean);
    QCOMPARE(mean->name(), QString("平均気温"));
    QCOMPARE(mean->at(6).y(), static_cast<double>(Cell(8, 1).trimmed().toFloat()));
  }

  void siSwitchesTheKcalRowsInUnitsAndValues() {
    Open();
    ChooseStation("長野県", "長野");
    const QStringList engineering = {Cell(5, 6), Cell(5, 13), Cell(5, 21), Cell(5, 1), Cell(5, 2), Cell(5, 22)};
    const QString unit6 = Cell(1, 6), unit13 = Cell(1, 13);
    QCOMPARE(unit6, QString("kcal/㎡日"));
    QCOMPARE(unit13, QString("x100kcal/㎡"));

    SetUnitSystem(kSIUnits);
    frame->ShowMonthly(ShownPoint);
    Grab("monthly-nagano-si");
    QCOMPARE(frame->Label("PNL_SI")->text(), QString("ＳＩ単位"));
    QCOMPARE(Cell(1, 6), QString("Wh/㎡日"));
    QCOMPARE(Cell(1, 13), QString("x100Wh/㎡"));
    QCOMPARE(Cell(1, 1), QString("℃"));
    // The SI rows are the stored kcal values times 1.16279; the others stay.
    const float direct = MonthlyRecord.Value(6, 4);
    QCOMPARE(Cell(5, 6), Q(FormatSingle(6, 0, direct * UnitFactor[6])));
    QVERIFY(Cell(5, 6) != engineering[0]);
    QVERIFY(Cell(5, 13) != engineering[1]);
    QVERIFY(Cell(5, 21) != engineering[2]);
    QCOMPARE(Cell(5, 1), engineering[3]);
    QCOMPARE(Cell(5, 2), engineering[4]);
    QCOMPARE(Cell(5, 22), engineering[5]);

    // The charts follow the table: chart 3's April global radiation.
    QTest::mouseClick(frame->ChartButton(), Qt::LeftButton);
    frame->SelectChartKind(3);
    QVERIFY(frame->findChild<QRadioButton*>("RBTN2_3")->isChecked());
    auto* global = qobject_cast<QBarSeries*>(frame->Chart(3)->chart()->series()[0]);
    QVERIFY(global);
    QCOMPARE(global->barSets()[0]->at(3), static_cast<double>(Cell(5, 13).trimmed().toFloat()));
    Grab("monthly-nagano-si-chart3");
  }

  void theSolarCaptionsSayMonthlyTotalsAndNoCellIsCut() {
    Open();
    ChooseStation("長野県", "長野");
    QTest::mouseClick(frame->ChartButton(), Qt::LeftButton);
    const struct {
      const char* system;
      QString axis;
    } systems[] = {{kEngineeringUnits, "日射量（x100kcal/㎡月）"}, {kSIUnits, "日射量（x100Wh/㎡月）"}};
    for (const auto& u : systems) {
      SetUnitSystem(u.system);
      frame->ShowMonthly(ShownPoint);
      // The charts plot the month columns, which hold the totals of their
      // month.
      frame->SelectChartKind(1);
      QCOMPARE(frame->Chart(1)->chart()->axes(Qt::Vertical)[2]->titleText(), u.axis);
      frame->SelectChartKind(3);
      QCOMPARE(frame->Chart(3)->chart()->axes(Qt::Vertical)[0]->titleText(), u.axis);
      // Every unit and every figure fits its column, and the table still
      // fits the window.
      const QFontMetrics metrics(Grid()->font());
      int total = 0;
      for (int col = 0; col < kTableCols; ++col) {
        total += Grid()->ColWidth(col);
        if (col == 0) continue;
        for (int row = 0; row < kTableRows; ++row)
          QVERIFY2(metrics.horizontalAdvance(Cell(col, row)) + 2 <= Grid()->ColWidth(col),
                   qPrintable(QString("%1 at %2,%3 in %4").arg(Cell(col, row)).arg(col).arg(row).arg(Grid()->ColWidth(col))));
      }
      QVERIFY(total <= Grid()->viewport()->width());
    }
    frame->SelectChartKind(1);
    QTest::mouseClick(frame->ChartPanel(1)->CloseButton(), Qt::LeftButton);
    Grab("monthly-nagano-si-table");
    SetUnitSystem(kEngineeringUnits);
  }

  void aPointNumberOutsideTheListRestoresThePreviousNumber() {
    Open();
    const QString before = frame->PointInput()->NumberEdit()->text();
    const QString january = Cell(2, 1);
    for (const QString& typed : {QString("0"), QString::number(PointCount + 1)}) {
      TypePoint(typed);
      QCOMPARE(frame->PointInput()->NumberEdit()->text(), before);
      QCOMPARE(ShownPoint, hamamatsu);
      QCOMPARE(CurStation.PointNo, hamamatsu);
      QCOMPARE(Cell(2, 1), january);
    }
    // A number of the list shows that point.
    TypePoint(QString::number(hamamatsu + 1));
    QCOMPARE(ShownPoint, hamamatsu + 1);
    QCOMPARE(CurStation.PointText, std::string("御前崎"));
    QCOMPARE(LabelText("LBL10"), QString("〔 静岡県 御前崎 〕"));
    QCOMPARE(frame->PointInput()->NumberEdit()->text(), Q(FormatInt(5, hamamatsu + 1)));
  }

  void theUpDownStepsThroughThePoints() {
    Open();
    TUpDown* updown = frame->PointInput()->UpDown();
    QCOMPARE(updown->maximum(), PointCount);
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, updown->UpRect().center());
    QCOMPARE(ShownPoint, hamamatsu + 1);
    QCOMPARE(LabelText("LBL10"), QString("〔 静岡県 御前崎 〕"));
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, updown->DownRect().center());
    QTest::mouseClick(updown, Qt::LeftButton, Qt::NoModifier, updown->DownRect().center());
    QCOMPARE(ShownPoint, hamamatsu - 1);
    QCOMPARE(frame->PointInput()->NumberEdit()->text(), Q(FormatInt(5, hamamatsu - 1)));
  }

  void closingTheChooserAfterOnlyARegionRestoresThePoint() {
    Open();
    ChooseStation("長野県", "");
    TPSTINPFrame* chooser = frame->StationChooser();
    QCOMPARE(chooser->PointList()->currentIndex(), -1);
    QVERIFY(chooser->PointList()->count() > 0);
    QVERIFY(chooser->PointList()->itemText(0).startsWith(QString("%1:").arg(FirstPointOfRegion, 3)));
    QCOMPARE(CurStation.RegionText, std::string("長野県"));
    Grab("monthly-chooser");
    QTest::mouseClick(chooser->CloseButton(), Qt::LeftButton);
    QVERIFY(!chooser->isVisible());
    QCOMPARE(ShownPoint, hamamatsu);
    QCOMPARE(CurStation.PointNo, hamamatsu);
    QCOMPARE(CurStation.RegionText, std::string("静岡県"));
    QCOMPARE(CurStation.RegionCode, std::string("SZ"));
    QCOMPARE(LabelText("LBL10"), QString("〔 静岡県 浜松 〕"));

    // Opened and closed without a choice: nothing changes either.
    QTest::mouseClick(frame->PointInput()->PointButton(), Qt::LeftButton);
    QCOMPARE(chooser->RegionList()->currentText().section(':', 1), QString("静岡県"));
    QCOMPARE(chooser->PointList()->currentText().section(':', 1), QString("浜松"));
    QTest::mouseClick(chooser->CloseButton(), Qt::LeftButton);
    QCOMPARE(CurStation.PointNo, hamamatsu);
  }

  void theChooserNumbersPointsByTheirNumberAndMoves() {
    Open();
    // 島根県 lists the points from 103 on; its first entry is point 103.
    ChooseStation("島根県", "");
    TPSTINPFrame* chooser = frame->StationChooser();
    QCOMPARE(FirstPointOfRegion, 103);
    QVERIFY(chooser->PointList()->itemText(0).startsWith("103:"));
    const QString first = chooser->PointList()->itemText(0).section(':', 1);
    QVERIFY(ChooseFromList(chooser->PointList(), first));
    QCOMPARE(ShownPoint, 103);
    QCOMPARE(CurStation.PointNo, 103);
    QCOMPARE(CurStation.RegionText, std::string("島根県"));
    QCOMPARE(LabelText("LBL10"), QString("〔 島根県 %1 〕").arg(first));
    QCOMPARE(frame->PointInput()->NumberEdit()->text(), QString("  103"));

    // Dragging the chooser's label moves it.
    QWidget* handle = chooser->findChild<QWidget*>("LBL_St2");
    const QPoint before = chooser->pos();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), handle->mapToGlobal(QPointF(5, 5)) - QPointF(40, 20),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(chooser->pos(), before - QPoint(40, 20));
  }

  void aClickOnAValueExplainsIt() {
    Open();
    boxes->boxes.clear();
    test::ClickCell(Grid(), 14, 1);
    QCOMPARE(boxes->boxes.size(), size_t(1));
    const QString text = Q(boxes->boxes[0].text);
    QVERIFY2(text.startsWith("年平均気温（℃）"), qPrintable(text));
    QVERIFY2(text.endsWith("\r\r年間の平均気温は" + Cell(14, 1).trimmed() + " （℃）です。"), qPrintable(text));
    boxes->boxes.clear();
    test::ClickCell(Grid(), 4, 2);
    QVERIFY(Q(boxes->boxes.at(0).text).endsWith("３月の降水量は" + Cell(4, 2).trimmed() + " （mm）です。"));
    // The title row explains nothing.
    boxes->boxes.clear();
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, Qt::NoModifier, Grid()->CellRect(5, 0).center());
    QVERIFY(boxes->boxes.empty());
  }

  void theChartPanelHidesAndShowsEverySeries() {
    Open();
    QTest::mouseClick(frame->ChartButton(), Qt::LeftButton);
    QVERIFY(frame->Chart(1)->isVisible());
    QVERIFY(!frame->ChartButton()->isEnabled());
    QVERIFY(!frame->Label("LBL11")->isVisible());
    TCPNLFrame* panel = frame->ChartPanel(1);
    QCOMPARE(panel->size(), QSize(80, 41));
    QCOMPARE(panel->pos(), QPoint(frame->Chart(1)->width() - 85, 5));
    QCOMPARE(panel->CheckAllButton()->text(), QString("ｸﾘｱｰ"));
    QTest::mouseClick(panel->CheckAllButton(), Qt::LeftButton);
    QCOMPARE(panel->CheckAllButton()->text(), QString("ﾁｪｯｸ"));
    QVERIFY(SeriesHidden);
    TChartLegend* legend = LegendOf(frame->Chart(1));
    const QList<QAbstractSeries*> series = frame->Chart(1)->chart()->series();
    QCOMPARE(series.size(), 10);
    for (QAbstractSeries* s : series) {
      QVERIFY(!s->isVisible());
      QVERIFY(!legend->CheckOf(s)->isChecked());
    }
    QTest::mouseClick(panel->CheckAllButton(), Qt::LeftButton);
    QCOMPARE(panel->CheckAllButton()->text(), QString("ｸﾘｱｰ"));
    for (QAbstractSeries* s : series) QVERIFY(s->isVisible() && legend->CheckOf(s)->isChecked());

    // A check of the legend switches its series.
    QCheckBox* humidity = legend->CheckOf(series[8]);
    QCOMPARE(humidity->text(), QString("相対湿度"));
    QTest::mouseClick(humidity, Qt::LeftButton, Qt::NoModifier, QPoint(6, humidity->height() / 2));
    QVERIFY(!series[8]->isVisible());
    QTest::mouseClick(humidity, Qt::LeftButton, Qt::NoModifier, QPoint(6, humidity->height() / 2));
    QVERIFY(series[8]->isVisible());

    // "凡例" hides the legend and shows it again.
    QTest::mouseClick(panel->LegendButton(), Qt::LeftButton);
    QVERIFY(!legend->isVisible());
    QTest::mouseClick(panel->LegendButton(), Qt::LeftButton);
    QVERIFY(legend->isVisible());

    // Changing the point refreshes the chart with the table.
    TypePoint(QString::number(PointNumber("NAGANO", "NN")));
    auto* mean = qobject_cast<QLineSeries*>(frame->Chart(1)->chart()->series()[3]);
    QCOMPARE(mean->at(0).y(), static_cast<double>(Cell(2, 1).trimmed().toFloat()));

    QTest::mouseClick(panel->CloseButton(), Qt::LeftButton);
    QVERIFY(!frame->Chart(1)->isVisible());
    QVERIFY(frame->ChartButton()->isEnabled());
    QVERIFY(frame->Label("LBL11")->isVisible());
    QVERIFY(!frame->findChild<QWidget*>("PNL2")->isVisible());
  }

  void noAxisLabelIsElidedAtAnyStation() {
    Open();
    QTest::mouseClick(frame->ChartButton(), Qt::LeftButton);
    const int kitami = PointNumber("KITAMI", "HK");
    QVERIFY(kitami > 0);
    for (int point = 1; point <= PointCount; ++point) {
      TypePoint(QString::number(point));
      QCOMPARE(ShownPoint, point);
      for (int kind = 1; kind <= 3; ++kind) {
        QTest::mouseClick(frame->findChild<QRadioButton*>(QString("RBTN2_%1").arg(kind)), Qt::LeftButton);
        QChartView* view = frame->Chart(kind);
        QVERIFY(view->isVisible());
        view->chart()->layout()->activate();
        QApplication::processEvents();
        for (QAbstractAxis* axis : view->chart()->axes())
          QVERIFY2(!axis->labelsTruncated(), qPrintable(QString("point %1 chart %2 axis %3").arg(point).arg(kind).arg(axis->titleText())));
        if (point == kitami) Grab(QString("monthly-kitami-chart%1").arg(kind));
      }
    }
    // 北見's winter lies below -5 ℃: the temperature axis reaches below zero.
    TypePoint(QString::number(kitami));
    QTest::mouseClick(frame->findChild<QRadioButton*>("RBTN2_2"), Qt::LeftButton);
    auto* temperature = qobject_cast<QValueAxis*>(frame->Chart(2)->chart()->axes(Qt::Vertical).first());
    QVERIFY(temperature);
    QVERIFY(temperature->min() <= -15);
  }

  void absentValuesStayOutOfTheCharts() {
    Open();  // 浜松: temperature and precipitation only
    QTest::mouseClick(frame->ChartButton(), Qt::LeftButton);
    QChart* chart = frame->Chart(1)->chart();
    QCOMPARE(chart->series()[0]->name(), QString("全日射量"));
    QCOMPARE(SeriesPoints(chart->series()[0]), 0);    // 全日射量: none
    QCOMPARE(SeriesPoints(chart->series()[1]), 12);   // 降水量
    QCOMPARE(SeriesPoints(chart->series()[3]), 12);   // 平均気温
    QCOMPARE(SeriesPoints(chart->series()[8]), 0);    // 相対湿度
    Grab("monthly-hamamatsu-chart1");
  }

  void theSaveButtonSavesTheChartThroughTheDialog() {
    Open();
    QTest::mouseClick(frame->ChartButton(), Qt::LeftButton);
    TCPNLFrame* panel = frame->ChartPanel(1);
    QVERIFY(panel->SaveButton()->isEnabled());
    QCOMPARE(panel->SaveButton()->toolTip(), QString("グラフ保存"));
    const std::string target = WeatherDir + "浜松(C1).EMF";
    const std::string bitmap = WeatherDir + "浜松(C1).BMP";
    QVERIFY(!fs::Exists(target));

    // The first save: both formats, the plain question, the report.
    bool seen = false;
    OnSaveDialog([&](TGRSVForm* dialog) {
      seen = true;
      QCOMPARE(dialog->windowTitle(), QString("チャートの保存（拡張メタファイル）"));
      QCOMPARE(dialog->findChild<QLineEdit*>("EDIT1")->text(), Q(target));
      QCOMPARE(dialog->findChild<QLabel*>("LBL2")->text(), QString("Size %1 × %2 Pixcel").arg(frame->Chart(1)->width()).arg(frame->Chart(1)->height()));
      test::GrabPng(dialog, "monthly-chart-save-dialog");
      test::ClickWidget(dialog->findChild<QCheckBox*>("CBTN2_2"));
      boxes->boxes.clear();
      boxes->answers = {MsgButton::Yes, MsgButton::Ok};
      test::ClickWidget(dialog->findChild<QPushButton*>("BBTN1"));
    });
    QTest::mouseClick(panel->SaveButton(), Qt::LeftButton);
    QVERIFY(seen);
    QCOMPARE(boxes->boxes.size(), size_t(2));
    QCOMPARE(boxes->boxes[0].text, "保存ファイル名 ： " + target + "\r\r" + "保存ファイル形式 ： 拡張メタファイル形式" +
                                       "\r\r" + "保存しますか？");
    QCOMPARE(boxes->boxes[1].text, std::string("〔チャート〕を保存しました。"));
    std::optional<EmfHeader> header = ReadEmfHeader(test::ReadBytes(target));
    QVERIFY(header);
    QCOMPARE(header->WidthAt(MetafileScreen().dpiX), frame->Chart(1)->width());
    QCOMPARE(header->HeightAt(MetafileScreen().dpiY), frame->Chart(1)->height());
    std::optional<RgbImage> picture = DecodeBmp(test::ReadBytes(bitmap));
    QVERIFY(picture);
    QCOMPARE(picture->width, frame->Chart(1)->width());
    QCOMPARE(picture->height, frame->Chart(1)->height());

    // Again: the file exists, the question warns; No keeps the dialog open
    // and the file as it was.
    const std::string before = test::ReadBytes(target);
    seen = false;
    OnSaveDialog([&](TGRSVForm* dialog) {
      seen = true;
      QVERIFY(dialog->findChild<QLabel*>("LBL3")->isVisible());
      boxes->boxes.clear();
      boxes->answers = {MsgButton::No};
      test::ClickWidget(dialog->findChild<QPushButton*>("BBTN1"));
      QVERIFY(dialog->isVisible());
      QCOMPARE(boxes->boxes.size(), size_t(1));
      QVERIFY(QString::fromStdString(boxes->boxes[0].text).endsWith("※既に同名のファイルがあります。\r\r上書き保存しますか？"));
      QCOMPARE(boxes->boxes[0].kind, 3);
      QCOMPARE(boxes->boxes[0].buttons, 3);
      test::ClickWidget(dialog->findChild<QPushButton*>("BTN1"));
    });
    QTest::mouseClick(panel->SaveButton(), Qt::LeftButton);
    QVERIFY2(seen, qPrintable(boxes->Texts().join("|") + " " + Q(CurPath)));
    QVERIFY(!MsgYes);
    QCOMPARE(test::ReadBytes(target), before);

    // A current path without ".EMF" is refused before any dialog.
    CurPath = WeatherDir + "浜松.BMP";
    boxes->boxes.clear();
    seen = false;
    OnSaveDialog([&](TGRSVForm*) { seen = true; });
    QTest::mouseClick(panel->SaveButton(), Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(!seen);
    QCOMPARE(boxes->boxes.size(), size_t(1));
    QCOMPARE(boxes->boxes[0].text, "保存ファイル名 ： " + CurPath + "\r\r" +
                                       "ファイル名の拡張子が正しくありません。（拡張子は'.EMF'です）");
    QCOMPARE(boxes->boxes[0].kind, 3);
    saveDialogWatch.reset();
    fs::RemoveFile(target, nullptr);
    fs::RemoveFile(bitmap, nullptr);
  }

  void aPointWithoutDataAndAMissingFileAreShown() {
    const std::string monthly = WeatherDir + "JPN_MONT.DAT";
    const std::string original = test::ReadBytes(monthly);
    // Point hamamatsu + 1 without any value of the mean temperature.
    std::string patched = original;
    const float absent = kMonthlyAbsent;
    for (int c = 1; c <= 13; ++c)
      std::memcpy(patched.data() + MonthlyRecordOffset(hamamatsu + 1) + MonthlyValueOffset(1, c), &absent, 4);
    test::WriteBytes(monthly, patched);
    Open();
    TypePoint(QString::number(hamamatsu + 1));
    QVERIFY(frame->Label("LBL_ERR")->isVisible());
    QCOMPARE(LabelText("LBL_ERR"), QString("-<未登録>-"));
    Grab("monthly-unregistered");
    TypePoint(QString::number(hamamatsu));
    QVERIFY(frame->Label("LBL_ERR")->isHidden());
    // A yearly mean of 0.4 ℃ is data.
    const float cold = 0.4f;
    std::memcpy(patched.data() + MonthlyRecordOffset(hamamatsu + 2) + MonthlyValueOffset(1, 13), &cold, 4);
    test::WriteBytes(monthly, patched);
    TypePoint(QString::number(hamamatsu + 2));
    QCOMPARE(Cell(14, 1), QString("   0.4"));
    QVERIFY(frame->Label("LBL_ERR")->isHidden());

    // Without the monthly file the table keeps its figures and says so in red.
    QVERIFY(fs::RemoveFile(monthly));
    const QString january = Cell(2, 1);
    TypePoint(QString::number(hamamatsu + 3));
    QCOMPARE(LabelText("LBL9"), QString("※ファイルなし"));
    QCOMPARE(frame->Label("LBL9")->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(Cell(2, 1), january);
    test::WriteBytes(monthly, original);
  }

 private:
  static bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  }
};

QTEST_MAIN(MonthlyWeatherTest)
#include "tst_MonthlyWeather.moc"
