#include "weather/gui/Wmonth.h"

#include <QEvent>
#include <QStatusTipEvent>
#include <QPointer>
#include <QTimer>
#include <array>
#include <string>
#include <tuple>

#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Messages.h"
#include "env/Paths.h"
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
      if (activated_ && !activating_) {
        // Writing the hand-off file goes through the path operations; the
        // name the chart panel proposes (the current path) must survive a
        // modal dialog of this window taking the focus.
        const std::array<std::string, 7> path = {CurPath, CurDrive, CurDir, CurDirNoDrive, CurFileName, CurExt, CurName};
        WriteStationInfo();
        std::tie(CurPath, CurDrive, CurDir, CurDirNoDrive, CurFileName, CurExt, CurName) =
            std::tie(path[0], path[1], path[2], path[3], path[4], path[5], path[6]);
      }
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
