// Paints the program's icon at every size the desktop's menus use into a
// folder, as marnova-<size>.png:
//   marnova_paint_icons <folder>
// Deterministic: the same build and fonts give byte-identical files.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "tools/imagepainter/AppIcon.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the letter
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  int status = 0;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    QImage icon = marnova::paint::PaintAppIcon(size).convertToFormat(QImage::Format_ARGB32);
    // Fixed resolution, so nothing but the pixels varies the file.
    icon.setDotsPerMeterX(3780);
    icon.setDotsPerMeterY(3780);
    const QString path = folder.filePath(QStringLiteral("marnova-%1.png").arg(size));
    if (!icon.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      status = 1;
    }
  }
  return status;
}
