// kondra: the desktop program.
#include <QApplication>
#include <QMainWindow>
#include <iostream>
#include <string>
#include <vector>

#include "env/Environment.h"
#include "env/Messages.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Until the windows' own message face is installed, boxes and status
  // remarks of the start-up go to stderr.
  kondra::DefaultHeadlessFace().echo = true;

  std::vector<std::string> args(argv + 1, argv + argc);
  kondra::StartupOptions options;
  std::string error;
  if (!kondra::TakeStartupArgs(args, options, error)) {
    std::cerr << "kondra: " << error << "\n";
    return 1;
  }
  if (!kondra::StartProgram(options)) return 1;

  QMainWindow window;
  window.setWindowTitle(QString::fromStdString(kondra::ProgramTitle));
  window.resize(690, 560);
  window.show();
  const int status = app.exec();
  kondra::Shutdown();
  return status;
}
