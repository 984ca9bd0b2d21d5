#include "ui/imagelist/TLMDImageListItem.h"

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
  FStrip = QImage();
  FDoubleStrip = QImage();
  FDoubleStripFile.clear();
  FAtRatio.clear();
  FCount = 0;
  if (strip.isNull() || strip.height() != FHeight || strip.width() < FWidth) return false;

  FCount = strip.width() / FWidth;
  // An opaque strip of whole pictures is shared as it is, not copied.
  FStrip = strip.width() == FCount * FWidth ? strip : strip.copy(0, 0, FCount * FWidth, FHeight);
  FStrip = std::move(FStrip).convertToFormat(QImage::Format_RGB32);
  FDoubleStrip = DoubledPart(doubleStrip, FCount, FWidth, FHeight);
  return true;
}

QRect TLMDImageListItem::PictureRect(int index) const {
  if (!IsValidPicture(index)) return {};
  return {index * FWidth, 0, FWidth, FHeight};
}

QImage TLMDImageListItem::Picture(int index) const {
  if (index < 0 || FStrip.isNull() || (index + 1) * FWidth > FStrip.width()) return {};
  return FStrip.copy(index * FWidth, 0, FWidth, FHeight);
}

QRgb TLMDImageListItem::TransparencyKey(int index) const {
  if (!IsValidPicture(index)) return 0;
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
