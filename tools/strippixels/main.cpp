// Build step: writes the pixels of each image strip as raw opaque 32-bit
// words (QImage::Format_RGB32: rows top to bottom, no padding, this
// machine's byte order). The program takes them in place, with no decoding.
// Usage: marnova_strip_pixels <output-folder> <strip.png>...
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdio>

#include "ui/imagelist/ImageListLayout.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: marnova_strip_pixels <output-folder> <strip.png>...\n", stderr);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "marnova_strip_pixels: cannot create %s\n", argv[1]);
    return 1;
  }
  for (int i = 2; i < argc; ++i) {
    const QString source = QString::fromLocal8Bit(argv[i]);
    const QImage strip = QImage(source).convertToFormat(QImage::Format_RGB32);
    const QString name =
        QString::fromStdString(marnova::PixelsFileName(QFileInfo(source).fileName().toStdString()));
    QFile target(folder.filePath(name));
    // Format_RGB32 rows are whole words, so the image is one block.
    if (strip.isNull() || !target.open(QIODevice::WriteOnly) ||
        target.write(reinterpret_cast<const char*>(strip.constBits()), strip.sizeInBytes()) !=
            strip.sizeInBytes()) {
      std::fprintf(stderr, "marnova_strip_pixels: cannot convert %s\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
