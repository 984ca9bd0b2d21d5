// Paints the nine image strips of the shared image list into a folder:
//   marnova_paint_images <folder>
// Deterministic: the same build and fonts give byte-identical files.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <functional>

#include "tools/imagepainter/Strips.h"
#include "ui/imagelist/ImageListLayout.h"

int main(int argc, char** argv) {
  using namespace marnova;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the word mark
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  const std::function<QImage()> painters[] = {
      paint::PaintButtons,    paint::PaintSliders,    paint::PaintLogo,
      paint::PaintTestPanel,  paint::PaintSlidePanel, paint::PaintBack,
      paint::PaintUpperPanel, paint::PaintSemaphore,  paint::PaintBoxInfo,
  };
  static_assert(std::size(painters) == kImageListLayout.size());

  int status = 0;
  for (size_t i = 0; i < kImageListLayout.size(); ++i) {
    const TImageListLayout& layout = kImageListLayout[i];
    QImage strip = painters[i]().convertToFormat(QImage::Format_RGB32);
    if (strip.width() != layout.Width * layout.Count || strip.height() != layout.Height) {
      std::fprintf(stderr, "%s: painted %dx%d, expected %dx%d\n", layout.FileName, strip.width(),
                   strip.height(), layout.Width * layout.Count, layout.Height);
      status = 1;
      continue;
    }
    // Fixed resolution, so nothing but the pixels varies the file.
    strip.setDotsPerMeterX(3780);
    strip.setDotsPerMeterY(3780);
    const QString path = folder.filePath(QString::fromUtf8(layout.FileName));
    if (!strip.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      status = 1;
    }
  }
  return status;
}
