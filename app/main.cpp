// The entry sequence: application information first, then the application
// object, the main window from its description, the data module (whose
// creation hands the image list to the windows' picture references), and
// the event loop until the main window closes.

#include <QApplication>

#include "services/AppInfo.h"
#include "ui/DataModule.h"
#include "ui/MainUnit.h"
#include "ui/widgets/FontSubstitutes.h"

int main(int argc, char** argv) {
  marnova::InitAppInfo();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Marnova"));
  QApplication::setApplicationDisplayName(QStringLiteral("Marnova"));
  marnova::InstallFontSubstitutes();

  marnova::TFormMain formMain;
  marnova::TDM dataModule;

  formMain.show();
  return QApplication::exec();
}
