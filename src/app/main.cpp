// kondra: the desktop program.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "controls/QtMessageFace.h"
#include "env/Environment.h"
#include "env/Messages.h"
#include "mainwin/KDRForm.h"
#include "mainwin/KDRStart.h"
#include "output/gui/MetafileSupport.h"
#include "output/gui/QtCanvas.h"
#include "utilwin/INPForm.h"

namespace {

// Every error no window caught goes to the one report of unexpected errors.
class KondraApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      kondra::ReportException(e);
    } catch (...) {
      kondra::ReportException(std::string("不明なエラー"));
    }
    return false;
  }
};

// Start-up timing (bench/): with KONDRA_QUIT_AFTER_PAINT set the program
// ends once its main window has been painted for the first time.
class QuitAfterPaint : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  KondraApplication app(argc, argv);
  QApplication::setApplicationName("Kondra.EXE Ver.8.20");
  std::set_terminate([] {
    if (auto error = std::current_exception()) {
      try {
        std::rethrow_exception(error);
      } catch (const std::exception& e) {
        kondra::ReportException(e);
      } catch (...) {
        kondra::ReportException(std::string("不明なエラー"));
      }
    }
    std::abort();
  });

  try {
    kondra::InstallQtMessageFace();
    kondra::InstallQtSystemColors();
    kondra::InstallQtMetafileSupport();
    kondra::InstallQtInputFace();
    // The window first: its status bar (panels 350, 80, 80, 50) receives the
    // messages of the start-up.
    kondra::TKDRForm window;

    std::vector<std::string> args(argv + 1, argv + argc);
    // "--grab FILE": the window as it first appears is saved as a picture
    // and the program ends (screenshots for the guide, checks of the layout).
    // A relative name is taken from the folder the program was started in.
    QString grab;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
      if (args[i] != "--grab") continue;
      grab = QFileInfo(QString::fromStdString(args[i + 1])).absoluteFilePath();
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      break;
    }
    kondra::StartupOptions options;
    std::string error;
    if (!kondra::TakeStartupArgs(args, options, error)) {
      std::cerr << "kondra: " << error << "\n";
      return 1;
    }
    if (qEnvironmentVariableIsSet("KONDRA_QUIT_AFTER_PAINT")) window.installEventFilter(new QuitAfterPaint(&window));
    if (!kondra::StartMainWindow(window, options)) return 1;
    if (!grab.isEmpty()) {
      QTimer::singleShot(500, &window, [&window, grab] {
        const bool saved = window.grab().save(grab, "PNG");
        if (!saved) std::cerr << "kondra: cannot write " << grab.toStdString() << "\n";
        QApplication::exit(saved ? 0 : 1);
      });
    }
    // Closing the window writes the current file into the environment file.
    return app.exec();
  } catch (const std::exception& e) {
    kondra::ReportException(e);
    return 1;
  }
}
