// The yardstick for the start-up benchmark: a bare Qt Widgets program that
// shows one 618 x 348 window, with the same probe when the launcher set its
// clock (MARNOVA_LAUNCH_NS).
#include <QApplication>
#include <QWidget>

#include "StartupProbe.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(618, 348);
  if (qEnvironmentVariableIsSet("MARNOVA_LAUNCH_NS")) marnova::InstallStartupProbe(window, 0);
  window.show();
  return QApplication::exec();
}
