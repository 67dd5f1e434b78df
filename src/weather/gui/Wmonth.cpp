#include "weather/gui/Wmonth.h"

#include <QEvent>
#include <QStatusTipEvent>
#include <QPointer>
#include <QTimer>

#include "controls/Fonts.h"
#include "controls/QtText.h"
#include "env/Messages.h"
#include "ui_Wmonth.h"
#include "weather/Stations.h"
#include "weather/gui/MWDDispFM.h"

namespace kondra {

const char* const kMonthlyNotice =
    "※ご注意\r\r"
    "この【月次気象データ】は、主として結露計算や熱負荷計算に用いるもので、"
    "\r\r"
    "15年間のアメダス気象データから代表的（≒平均的）なある年の月を抽出し、"
    "\r\r"
    "これらをつなぎ合わせて＜標準年気象データ＞を作成しています。"
    "\r\r"
    "ここに表示した月次データは、この＜標準年気象データ＞を統計処理したものです。"
    "\r\r"
    "従って、毎月のデータついては１年間としての正確な連続性はありません。"
    "\r\r"
    "※特に降水量データについては注意が必要です。（あくまで目安です）";

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
    MsgBox(kMonthlyNotice, 1, 1);
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
