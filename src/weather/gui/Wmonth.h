// TMONForm: the window "月次気象データの表示" around the monthly weather
// display (weather/MWDDispFM.h). Modeless, one instance, created on first
// use and reused while it is open. Its first activation shows a notice on
// what the monthly figures are; every activation sets up the display (once);
// losing the focus writes the station hand-off file (WriteStationInfo).
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TMONForm;
}

namespace kondra {

class TMWDDispFrame;

class TMONForm : public QWidget {
  Q_OBJECT

 public:
  explicit TMONForm(QWidget* parent = nullptr);
  ~TMONForm() override;

  TMWDDispFrame* Frame() const;
  // Whether the first activation (with its notice) has happened.
  bool Activated() const { return activated_; }

 protected:
  bool event(QEvent* event) override;

 private:
  void Activate();

  std::unique_ptr<Ui::TMONForm> ui;
  bool activated_ = false;
  bool activating_ = false;
};

// The "月次気象データ" command: shows the monthly weather window (creating it
// on first use, centred on `parent`) and brings it to the front.
TMONForm* ShowMonthlyWeather(QWidget* parent = nullptr);
// The open window, or nullptr.
TMONForm* MonthlyWeatherWindow();

}  // namespace kondra
