#include "ui/widgets/TLMDNImage.h"

#include <QPainter>
#include <algorithm>

#include "ui/widgets/DisabledPicture.h"

namespace marnova {

TLMDNImage::TLMDNImage(QWidget* parent) : TControl(parent) {}

void TLMDNImage::setBitmap(const QImage& value) {
  FBitmap = value.convertToFormat(QImage::Format_RGB32);
  update();
}

void TLMDNImage::SetBitmapSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (QSize(width, height) == FBitmap.size()) return;
  QImage next(width, height, QImage::Format_RGB32);
  next.fill(Qt::black);
  if (!FBitmap.isNull() && !next.isNull()) {
    QPainter painter(&next);
    painter.drawImage(0, 0, FBitmap);
  }
  FBitmap = next;
  update();
}

void TLMDNImage::DrawOnBitmap(const std::function<void(QPainter& canvas)>& draw) {
  if (FBitmap.isNull() || !draw) return;
  {
    QPainter painter(&FBitmap);
    draw(painter);
  }
  update();
}

TColor TLMDNImage::Pixel(int x, int y) const {
  if (!FBitmap.valid(x, y)) return -1;
  return FromQColor(QColor(FBitmap.pixel(x, y)));
}

void TLMDNImage::SetPixel(int x, int y, TColor color) {
  if (!FBitmap.valid(x, y)) return;
  FBitmap.setPixel(x, y, ToQColor(color).rgb());
  update();
}

void TLMDNImage::setTransparent(bool value) {
  FTransparent = value;
  update();
}

void TLMDNImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!FTransparent) painter.fillRect(rect(), Resolve(Color()));
  if (FBitmap.isNull()) return;
  if (isEnabled())
    painter.drawImage(0, 0, FBitmap);
  else
    DrawGreyed(painter, *this, [this](QPainter& layer) { layer.drawImage(0, 0, FBitmap); });
}

}  // namespace marnova
