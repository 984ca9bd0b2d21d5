// Paints the nine image strips of the shared image list, each at 1x and at
// double resolution (@2x), into a folder:
//   marnova_paint_images <folder>
// Deterministic: the same build and fonts give byte-identical files.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <functional>
#include <string>

#include "tools/imagepainter/Output.h"
#include "tools/imagepainter/Strips.h"
#include "ui/imagelist/ImageListLayout.h"

int main(int argc, char** argv) {
  using namespace marnova;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the word mark
  const std::optional<QDir> folder = paint::OutputFolder(argc, argv);
  if (!folder) return 2;

  const std::function<QImage(int)> painters[] = {
      paint::PaintButtons,    paint::PaintSliders,    paint::PaintLogo,
      paint::PaintTestPanel,  paint::PaintSlidePanel, paint::PaintBack,
      paint::PaintUpperPanel, paint::PaintSemaphore,  paint::PaintBoxInfo,
  };
  static_assert(std::size(painters) == kImageListLayout.size());

  int status = 0;
  for (size_t i = 0; i < kImageListLayout.size(); ++i) {
    const TImageListLayout& layout = kImageListLayout[i];
    for (const int scale : {1, kDoubleResolution}) {
      const QString name = QString::fromStdString(scale == 1 ? std::string(layout.FileName)
                                                             : DoubleResolutionFileName(layout));
      QImage strip = painters[i](scale).convertToFormat(QImage::Format_RGB32);
      const QSize expected(layout.Width * layout.Count * scale, layout.Height * scale);
      if (strip.size() != expected) {
        std::fprintf(stderr, "%s: painted %dx%d, expected %dx%d\n", qPrintable(name), strip.width(),
                     strip.height(), expected.width(), expected.height());
        status = 1;
        continue;
      }
      if (!paint::SavePng(strip, folder->filePath(name), scale)) status = 1;
    }
  }
  return status;
}
