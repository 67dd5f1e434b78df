// kondra: the desktop program.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("roraridev Ver.8.20"));
  window.resize(690, 560);
  window.show();
  return app.exec();
}
