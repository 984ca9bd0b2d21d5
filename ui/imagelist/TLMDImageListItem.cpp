#include "ui/imagelist/TLMDImageListItem.h"

#include <algorithm>
#include <utility>

namespace marnova {

TLMDImageListItem::TLMDImageListItem(QString description, int width, int height, int allocBy)
    : FDescription(std::move(description)),
      FWidth(std::max(width, 1)),
      FHeight(std::max(height, 1)),
      FAllocBy(std::max(allocBy, 1)) {}

bool TLMDImageListItem::SetStrip(const QImage& strip) {
  FStrip = QImage();
  FKeyed.clear();
  if (strip.isNull() || strip.height() != FHeight || strip.width() < FWidth) return false;

  const int count = strip.width() / FWidth;
  FStrip = strip.copy(0, 0, count * FWidth, FHeight).convertToFormat(QImage::Format_RGB32);
  FKeyed.reserve(count);
  for (int k = 0; k < count; ++k) {
    QImage keyed = Picture(k).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, FHeight - 1);
    for (int y = 0; y < FHeight; ++y) {
      auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
      for (int x = 0; x < FWidth; ++x)
        if (line[x] == key) line[x] = 0;
    }
    FKeyed.push_back(keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }
  return true;
}

QRect TLMDImageListItem::PictureRect(int index) const {
  if (!IsValidPicture(index)) return {};
  return {index * FWidth, 0, FWidth, FHeight};
}

QImage TLMDImageListItem::Picture(int index) const {
  // Picture() is also used while SetStrip builds the keyed copies, before
  // FKeyed holds this index, so check against the strip itself.
  if (index < 0 || FStrip.isNull() || (index + 1) * FWidth > FStrip.width()) return {};
  return FStrip.copy(index * FWidth, 0, FWidth, FHeight);
}

QRgb TLMDImageListItem::TransparencyKey(int index) const {
  if (!IsValidPicture(index)) return 0;
  return FStrip.pixel(index * FWidth, FHeight - 1);
}

const QImage& TLMDImageListItem::KeyedPicture(int index) const {
  static const QImage none;
  return IsValidPicture(index) ? FKeyed[static_cast<size_t>(index)] : none;
}

}  // namespace marnova
