// Paints the program's icon at every size the desktop's menus use into a
// folder, as marnova-<size>.png:
//   marnova_paint_icons <folder>
// Deterministic: the same build and fonts give byte-identical files.
#include <QGuiApplication>

#include "tools/imagepainter/AppIcon.h"
#include "tools/imagepainter/Output.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the letter
  const std::optional<QDir> folder = marnova::paint::OutputFolder(argc, argv);
  if (!folder) return 2;
  int status = 0;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const QString path = folder->filePath(QStringLiteral("marnova-%1.png").arg(size));
    if (!marnova::paint::SavePng(
            marnova::paint::PaintAppIcon(size).convertToFormat(QImage::Format_ARGB32), path))
      status = 1;
  }
  return status;
}
