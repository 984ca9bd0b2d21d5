#include "app/Entry.h"

#include <QApplication>
#include <QTranslator>

#include "app/FontConfigWarmUp.h"
#include "app/QtTranslation.h"
#include "services/AppInfo.h"
#include "ui/DataModule.h"
#include "ui/MainUnit.h"
#include "ui/widgets/FontSubstitutes.h"

namespace marnova {

int RunMarnova(int argc, char** argv, const std::function<void(QWidget&)>& beforeShow) {
  TFontConfigWarmUp fontConfig;
  InitAppInfo();
  QApplication application(argc, argv);
  // The task bar and the desktop file know the program by this name. No
  // display name is set: Qt would append it to every window title.
  QApplication::setApplicationName(QStringLiteral("Marnova"));
  // The Wayland app id and the X11 class name the menu entry, whatever the
  // executable is called.
  QGuiApplication::setDesktopFileName(QStringLiteral("marnova"));
  InstallFontSubstitutes();
  // About 60 000 instructions: cheap enough to load before any window
  // exists. Without it Qt's texts stay English, which is no reason to stop.
  QTranslator qtTexts;
  InstallQtTranslation(qtTexts);
  fontConfig.Wait();  // the window's first text needs it

  TFormMain formMain;
  // Created after the main window: its creation hands the image list to the
  // picture references the windows have made.
  TDM dataModule;

  if (beforeShow) beforeShow(formMain);
  formMain.show();
  return QApplication::exec();
}

}  // namespace marnova
