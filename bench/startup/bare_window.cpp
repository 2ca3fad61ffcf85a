// The floor for start-up time and memory: a bare Qt program showing a main window of the game's
// size with a menu bar and a status bar, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu("&Game")->addAction("&New");
  window.statusBar()->showMessage("Ready");
  window.resize(646, 593);
  window.show();
  return app.exec();
}
