#include "ui/imagelist/TLMDImageList.h"

#include <QPainter>

namespace marnova {

TLMDImageList::TLMDImageList(QObject* parent) : QObject(parent) {}

TLMDImageList::~TLMDImageList() = default;

const TLMDImageListItem* TLMDImageList::Item(int list) const {
  if (list < 0 || list >= Count()) return nullptr;
  return FItems[static_cast<size_t>(list)].get();
}

TLMDImageListItem* TLMDImageList::MutableItem(int list) {
  if (list < 0 || list >= Count()) return nullptr;
  return FItems[static_cast<size_t>(list)].get();
}

int TLMDImageList::Add(const QString& description, int width, int height, int allocBy) {
  FItems.push_back(std::make_unique<TLMDImageListItem>(description, width, height, allocBy));
  emit Changed();
  return Count() - 1;
}

bool TLMDImageList::SetStrip(int list, const QImage& strip, const QImage& doubleStrip) {
  TLMDImageListItem* item = MutableItem(list);
  if (!item) return false;
  const bool fits = item->SetStrip(strip, doubleStrip);
  emit Changed();
  return fits;
}

void TLMDImageList::SetDoubleStripFile(int list, const QString& file) {
  if (TLMDImageListItem* item = MutableItem(list)) item->SetDoubleStripFile(file);
}

void TLMDImageList::Clear() {
  FItems.clear();
  emit Changed();
}

QSize TLMDImageList::PictureSize(int list) const {
  const TLMDImageListItem* item = Item(list);
  return item ? item->Size() : QSize();
}

int TLMDImageList::PictureCount(int list) const {
  const TLMDImageListItem* item = Item(list);
  return item ? item->Count() : 0;
}

bool TLMDImageList::IsValidPicture(int list, int index) const {
  const TLMDImageListItem* item = Item(list);
  return item && item->IsValidPicture(index);
}

namespace {

qreal DeviceRatio(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  return device ? device->devicePixelRatioF() : 1.0;
}

}  // namespace

void TLMDImageList::Draw(QPainter& painter, QPoint at, int list, int index) const {
  DrawInRect(painter, QRect(at, PictureSize(list)), list, index, false);
}

void TLMDImageList::DrawTransparent(QPainter& painter, const QRect& into, int list,
                                    int index) const {
  DrawInRect(painter, into, list, index, true);
}

void TLMDImageList::DrawInRect(QPainter& painter, const QRect& into, int list, int index,
                               bool forceTransparent) const {
  const TLMDImageListItem* item = Item(list);
  if (into.isEmpty() || item == nullptr || !item->IsValidPicture(index)) return;
  const qreal ratio = DeviceRatio(painter);
  painter.save();
  // Pictures are pixel art: a scaled copy repeats pixels, never blends them.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // Opaque pictures are an exact copy of every pixel, whatever lies beneath.
  painter.setCompositionMode(forceTransparent ? QPainter::CompositionMode_SourceOver
                                              : QPainter::CompositionMode_Source);
  // At its own size a picture is placed, not scaled: on a fractional ratio
  // its device size is rounded up, and scaling it back would drop a pixel.
  const bool ownSize = into.size() == item->Size();
  if (!forceTransparent && !(ratio > 1.0)) {
    // On a plain screen an opaque picture is drawn straight from the strip,
    // with no copy of its own.
    const QRect source = item->PictureRect(index);
    if (ownSize)
      painter.drawImage(into.topLeft(), item->Strip(), source);
    else
      painter.drawImage(into, item->Strip(), source);
  } else {
    const QPixmap picture = item->DevicePicture(index, ratio, forceTransparent);
    if (ownSize)
      painter.drawPixmap(into.topLeft(), picture);
    else
      painter.drawPixmap(into, picture);
  }
  painter.restore();
}

QRgb TLMDImageList::TransparencyKey(int list, int index) const {
  const TLMDImageListItem* item = Item(list);
  return item ? item->TransparencyKey(index) : 0;
}

QImage TLMDImageList::Picture(int list, int index) const {
  const TLMDImageListItem* item = Item(list);
  return item ? item->Picture(index) : QImage();
}

QPixmap TLMDImageList::Pixmap(int list, int index, qreal ratio, bool keyed) const {
  const TLMDImageListItem* item = Item(list);
  return item ? item->DevicePicture(index, ratio, keyed) : QPixmap();
}

bool TLMDImageList::CopyPicture(int list, int index, QImage& target) const {
  QImage picture = Picture(list, index);
  if (picture.isNull()) return false;
  target = std::move(picture);
  return true;
}

}  // namespace marnova
