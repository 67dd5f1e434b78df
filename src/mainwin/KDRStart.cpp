#include "mainwin/KDRStart.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>

#include "env/Messages.h"
#include "mainwin/KDRCommands.h"
#include "mainwin/KDRForm.h"
#include "materials/MaterialFiles.h"
#include "output/gui/Printing.h"

namespace kondra {
namespace {

// Runs the rest of the start-up once the window has been painted.
class AfterFirstPaint : public QObject {
 public:
  explicit AfterFirstPaint(TKDRForm& window) : QObject(&window), window_(window) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, this, [this] {
        FinishStartup(window_);
        deleteLater();
      });
    }
    return false;
  }

 private:
  TKDRForm& window_;  // the parent: this filter goes with it
  bool done_ = false;
};

constexpr int kRemarksShown = 12;

}  // namespace

std::string StartupRemarksText(const std::vector<std::string>& remarks) {
  if (remarks.empty()) return std::string();
  std::string text = "起動中に次のことがありました。";
  for (std::size_t i = 0; i < remarks.size() && i < kRemarksShown; ++i) {
    std::string line = remarks[i];
    for (char& c : line)
      if (c == '\r' || c == '\n') c = ' ';
    text += std::string(CR) + "・" + line;
  }
  if (remarks.size() > kRemarksShown)
    text += std::string(CR) + "ほか" + std::to_string(remarks.size() - kRemarksShown) + "件";
  return text;
}

bool StartMainWindow(TKDRForm& window, const StartupOptions& options, bool weather) {
  BeginStartupRemarks();
  if (!StartProgram(options)) {
    if (const std::string text = StartupRemarksText(EndStartupRemarks()); !text.empty()) MsgBox(text, 3, 1);
    return false;
  }
  // The printer before the lists: the report and the tools lay out for it.
  CheckPrinter();
  AttachPrintingServices();
  WireMainWindow(window);
  // The databases are read as the loader reads them; a damaged one is named
  // here, once, and nothing is written on its strength.
  for (const std::string& path : {MaterialFilePath(), PartClassFilePath()})
    if (const std::string problem = DatabaseFileProblem(path); !problem.empty())
      StatusMsg(problem + " 材料データベースに基づく修正・保存は行いません。");
  window.Startup(weather);
  if (const QScreen* screen = window.screen())
    window.move(screen->availableGeometry().center() - window.rect().center());
  window.installEventFilter(new AfterFirstPaint(window));
  window.show();
  // Should no paint reach the window (a platform that paints only its
  // children), the start-up still ends: remarks never stay without their pause.
  QTimer::singleShot(2000, &window, [&window] { FinishStartup(window); });
  return true;
}

void FinishStartup(TKDRForm& window) {
  if (!InStartupRemarks()) return;
  if (const std::string text = StartupRemarksText(EndStartupRemarks()); !text.empty()) MsgBox(text, 3, 1);
  window.RepairOpenFile();
}

}  // namespace kondra
