#include "weather/gui/Wmonth.h"

#include <QEvent>
#include <QStatusTipEvent>
#include <QPointer>
#include <QTimer>

#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Messages.h"
#include "ui_Wmonth.h"
#include "weather/MonthlyNotice.h"
#include "weather/Stations.h"
#include "weather/gui/MWDDispFM.h"

namespace kondra {

namespace {

constexpr int kClientWidth = 760;
constexpr int kClientHeight = 390;
constexpr int kMinClientHeight = 381;

QPointer<TMONForm>& Instance() {
  static QPointer<TMONForm> form;
  return form;
}

}  // namespace

TMONForm::TMONForm(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TMONForm>()) {
  InstallLegacyFontNames();
  ui->setupUi(this);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                 Qt::CustomizeWindowHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedWidth(kClientWidth);
  setMinimumHeight(kMinClientHeight);
  resize(kClientWidth, kClientHeight);
}

TMONForm::~TMONForm() = default;

TMWDDispFrame* TMONForm::Frame() const { return ui->MWDDispFM1; }

bool TMONForm::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      // After the activation has been delivered: the notice is a modal box.
      QTimer::singleShot(0, this, &TMONForm::Activate);
      break;
    case QEvent::WindowDeactivate:
      if (activated_ && !activating_) WriteStationInfo();
      break;
    case QEvent::StatusTip:
      // The hints go to the program's status bar, which is not in this window.
      ShowStatus(S(static_cast<QStatusTipEvent*>(event)->tip()));
      return true;
    default:
      break;
  }
  return QWidget::event(event);
}

void TMONForm::Activate() {
  if (activating_) return;
  activating_ = true;
  if (!activated_) {
    activated_ = true;
    MsgBox(MonthlyNoticeText(), 1, 1);
  }
  ui->MWDDispFM1->SetupFrame();
  activating_ = false;
}

TMONForm* ShowMonthlyWeather(QWidget* parent) {
  QPointer<TMONForm>& form = Instance();
  if (!form) {
    form = new TMONForm(parent);
    if (parent) {
      const QRect host = parent->window()->frameGeometry();
      form->move(host.center() - QPoint(form->width() / 2, form->height() / 2));
    }
  }
  form->showNormal();
  form->raise();
  form->activateWindow();
  return form;
}

TMONForm* MonthlyWeatherWindow() { return Instance(); }

}  // namespace kondra
