#pragma once
// Holds one bitmap of its own and paints it at its top-left corner. Every
// change of the bitmap's content or size goes through this widget and
// repaints it, so drawing on the bitmap shows on the screen. While disabled
// the bitmap is shown greyed, as the style greys a disabled icon.

#include <QImage>
#include <functional>

#include "ui/widgets/TControl.h"

class QPainter;

namespace marnova {

class TLMDNImage : public TControl {
  Q_OBJECT
  Q_PROPERTY(QImage Bitmap READ Bitmap WRITE setBitmap)
  Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)

 public:
  explicit TLMDNImage(QWidget* parent = nullptr);

  // The bitmap, always opaque 32-bit RGB; null until given a size.
  const QImage& Bitmap() const { return FBitmap; }
  // Copies `value`'s pixels into the widget's own bitmap.
  void setBitmap(const QImage& value);
  int BitmapWidth() const { return FBitmap.width(); }
  int BitmapHeight() const { return FBitmap.height(); }
  // Resizes the bitmap, keeping what fits of the old content at the
  // top-left; new pixels are black.
  void SetBitmapSize(int width, int height);
  void setBitmapWidth(int value) { SetBitmapSize(value, FBitmap.height()); }
  void setBitmapHeight(int value) { SetBitmapSize(FBitmap.width(), value); }
  // Runs `draw` with a painter on the bitmap, then repaints.
  void DrawOnBitmap(const std::function<void(QPainter& canvas)>& draw);
  // The packed colour of one bitmap pixel; -1 outside the bitmap.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Without Transparent the area around the bitmap shows Color.
  bool Transparent() const { return FTransparent; }
  void setTransparent(bool value);

  QAccessible::Role AccessibleRole() const override { return QAccessible::Graphic; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage FBitmap;
  bool FTransparent = false;
};

}  // namespace marnova
