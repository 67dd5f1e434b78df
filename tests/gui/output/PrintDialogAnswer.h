// Answers the print-method dialog that AskPrintMethod is about to open
// modally, as a user would: looks at it, picks a scaling, clicks a button.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

#include "output/gui/PRYNForm.h"

namespace kondra::test {

struct PrintDialogSeen {
  bool shown = false;
  int width = 0;
  int height = 0;
  bool scalingVisible = false;
  QString label;
  QString caption;
};

enum class PrintAnswer { Yes, Cancel, CloseBox };

// Before the call that opens the dialog. `item` is the scaling (0 … 2);
// `inside` runs with the open dialog before it is answered.
inline void AnswerPrintDialog(PrintAnswer answer, int item = 0, PrintDialogSeen* seen = nullptr,
                              std::function<void(TPRYNForm*)> inside = {}) {
  auto attempt = std::make_shared<std::function<void(int)>>();
  // Answered only from the dialog's own event loop: answered while it is
  // still being shown, it would close before its loop runs and then wait.
  const int outside = QThread::currentThread()->loopLevel();
  *attempt = [=](int left) {
    TPRYNForm* dialog = nullptr;
    if (QThread::currentThread()->loopLevel() > outside)
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<TPRYNForm*>(w); d && d->isVisible()) dialog = d;
    if (!dialog) {
      if (left > 0) QTimer::singleShot(10, [attempt, left] { (*attempt)(left - 1); });
      return;
    }
    if (inside) inside(dialog);
    if (seen) {
      seen->shown = true;
      seen->width = dialog->width();
      seen->height = dialog->height();
      seen->scalingVisible = dialog->findChild<QWidget*>("RADG1")->isVisibleTo(dialog);
      seen->label = dialog->findChild<QLabel*>("LBL1")->text();
      seen->caption = dialog->windowTitle();
    }
    if (auto* radio = dialog->findChild<QRadioButton*>(QStringLiteral("RADG1_%1").arg(item)); radio && radio->isVisible())
      QTest::mouseClick(radio, Qt::LeftButton);
    if (answer == PrintAnswer::Yes) QTest::mouseClick(dialog->findChild<QPushButton*>("BTN1"), Qt::LeftButton);
    if (answer == PrintAnswer::Cancel) QTest::mouseClick(dialog->findChild<QPushButton*>("BTN2"), Qt::LeftButton);
    if (answer == PrintAnswer::CloseBox) dialog->close();
  };
  QTimer::singleShot(0, [attempt] { (*attempt)(6000); });
}

}  // namespace kondra::test
