#include "tools/imagepainter/Output.h"

#include <cstdio>

namespace marnova::paint {

std::optional<QDir> OutputFolder(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return std::nullopt;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return std::nullopt;
  }
  return folder;
}

bool SavePng(QImage image, const QString& path, int scale) {
  image.setDotsPerMeterX(3780 * scale);
  image.setDotsPerMeterY(3780 * scale);
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace marnova::paint
