#include "ui/imagelist/TLMDImageListItem.h"

#include <QImageReader>
#include <QtMath>
#include <algorithm>
#include <utility>

#include "ui/imagelist/ImageListLayout.h"

namespace marnova {

TLMDImageListItem::TLMDImageListItem(QString description, int width, int height, int allocBy)
    : FDescription(std::move(description)),
      FWidth(std::max(width, 1)),
      FHeight(std::max(height, 1)),
      FAllocBy(std::max(allocBy, 1)) {}

namespace {

// Key pixels of `picture` made fully transparent, all others opaque.
QImage Keyed(const QImage& picture, QRgb key) {
  QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
  key |= 0xFF000000u;
  for (int y = 0; y < keyed.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x)
      if (line[x] == key) line[x] = 0;
  }
  return keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The part of `strip` that doubles a strip of `count` pictures of
// `width` x `height`, opaque; null when it does not cover them.
QImage DoubledPart(const QImage& strip, int count, int width, int height) {
  constexpr int d = kDoubleResolution;
  if (strip.height() != d * height || strip.width() < d * count * width) return {};
  return strip.copy(0, 0, d * count * width, d * height).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

bool TLMDImageListItem::SetStrip(const QImage& strip, const QImage& doubleStrip) {
  FStripFile.clear();
  FDoubleStripFile.clear();
  FAtRatio.clear();
  FCount = Take(strip);
  if (FCount == 0) return false;
  FDoubleStrip = DoubledPart(doubleStrip, FCount, FWidth, FHeight);
  return true;
}

bool TLMDImageListItem::SetStripFile(const QString& file) {
  SetStrip(QImage());
  const QSize size = QImageReader(file).size();
  if (size.height() != FHeight || size.width() < FWidth) return false;
  FCount = size.width() / FWidth;
  FStripFile = file;
  return true;
}

int TLMDImageListItem::Take(const QImage& strip) const {
  FStrip = QImage();
  FDoubleStrip = QImage();
  if (strip.isNull() || strip.height() != FHeight || strip.width() < FWidth) return 0;

  const int count = strip.width() / FWidth;
  FStrip = strip.copy(0, 0, count * FWidth, FHeight).convertToFormat(QImage::Format_RGB32);
  return count;
}

const QImage& TLMDImageListItem::Strip() const {
  if (!FStripFile.isEmpty()) {
    // Data that breaks its header's promise leaves the list drawing nothing
    // rather than the wrong pictures.
    if (Take(QImage(std::exchange(FStripFile, QString()))) != FCount) Take(QImage());
  }
  return FStrip;
}

QRect TLMDImageListItem::PictureRect(int index) const {
  if (!IsValidPicture(index)) return {};
  return {index * FWidth, 0, FWidth, FHeight};
}

QImage TLMDImageListItem::Picture(int index) const {
  const QImage& strip = Strip();
  if (index < 0 || strip.isNull() || (index + 1) * FWidth > strip.width()) return {};
  return strip.copy(index * FWidth, 0, FWidth, FHeight);
}

QRgb TLMDImageListItem::TransparencyKey(int index) const {
  if (!IsValidPicture(index) || Strip().isNull()) return 0;
  return FStrip.pixel(index * FWidth, FHeight - 1);
}

void TLMDImageListItem::SetDoubleStripFile(const QString& file) {
  if (FCount == 0) return;
  FDoubleStrip = QImage();
  FDoubleStripFile = file;
  FAtRatio.clear();
}

const QImage& TLMDImageListItem::DoubleStrip() const {
  if (!FDoubleStripFile.isEmpty()) {
    FDoubleStrip = DoubledPart(QImage(FDoubleStripFile), Count(), FWidth, FHeight);
    FDoubleStripFile.clear();
  }
  return FDoubleStrip;
}

QPixmap TLMDImageListItem::DevicePicture(int index, qreal ratio, bool keyed) const {
  if (!IsValidPicture(index)) return {};
  if (!(ratio > 1.0)) ratio = 1.0;
  auto at = std::find_if(FAtRatio.begin(), FAtRatio.end(),
                         [ratio](const TAtRatio& entry) { return entry.Ratio == ratio; });
  if (at == FAtRatio.end()) {
    const size_t count = static_cast<size_t>(FCount);
    at = FAtRatio.insert(FAtRatio.end(),
                         {ratio, std::vector<QPixmap>(count), std::vector<QPixmap>(count)});
  }
  QPixmap& made = (keyed ? at->Keyed : at->Opaque)[static_cast<size_t>(index)];
  if (made.isNull()) made = MakePicture(index, ratio, keyed);
  return made;
}

QPixmap TLMDImageListItem::MakePicture(int index, qreal ratio, bool keyed) const {
  constexpr int d = kDoubleResolution;
  const QImage& doubleStrip = ratio > 1.0 ? DoubleStrip() : FDoubleStrip;
  const bool sharp = !doubleStrip.isNull() && ratio > 1.0;
  QImage image =
      sharp ? doubleStrip.copy(index * d * FWidth, 0, d * FWidth, d * FHeight) : Picture(index);
  // Keyed before resampling, so the edges of what stays blend into
  // transparency rather than into the key colour.
  if (keyed) image = Keyed(image, TransparencyKey(index));
  // Rounded up, so the picture covers its whole logical area.
  const QSize device(qCeil(FWidth * ratio - 1e-9), qCeil(FHeight * ratio - 1e-9));
  if (image.size() != device)
    image = image.scaled(device, Qt::IgnoreAspectRatio,
                         sharp ? Qt::SmoothTransformation : Qt::FastTransformation);
  QPixmap result = QPixmap::fromImage(std::move(image));
  result.setDevicePixelRatio(ratio);
  return result;
}

}  // namespace marnova
