// The yardstick for the start-up of kondra: the smallest Qt Widgets program
// with a main window (menu bar, a label, a status bar) that ends once the
// window has been painted for the first time, as kondra does with
// KONDRA_QUIT_AFTER_PAINT set. Run by process_bench, never on its own.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {

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
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu("File");
  window.setCentralWidget(new QLabel("Hello"));
  window.statusBar()->showMessage("Ready");
  window.resize(674, 520);
  window.installEventFilter(new QuitAfterPaint(&window));
  window.show();
  return app.exec();
}
