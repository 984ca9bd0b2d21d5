// The yardstick for the start-up benchmark: a bare Qt Widgets program that
// shows one 618 x 348 window, with the same probe.
#include <QApplication>
#include <QWidget>

#include "StartupProbe.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(618, 348);
  marnova::InstallStartupProbe(window, 0);
  window.show();
  return QApplication::exec();
}
