#pragma once
// One picture list of the shared image list: a strip of equally sized
// pictures side by side. Picture k occupies columns k * Width() to
// (k + 1) * Width() - 1 of the strip.

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <vector>

namespace marnova {

class TLMDImageListItem {
 public:
  // A width or height below 1 is taken as 1; allocBy below 1 as 1.
  TLMDImageListItem(QString description, int width, int height, int allocBy = 1);

  const QString& Description() const { return FDescription; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  QSize Size() const { return {FWidth, FHeight}; }
  // Always false: transparency, where wanted, comes from the key pixel.
  bool Masked() const { return false; }
  int AllocBy() const { return FAllocBy; }

  // Number of whole pictures in the strip.
  int Count() const { return FCount; }
  bool IsValidPicture(int index) const { return index >= 0 && index < Count(); }

  // Replaces the strip. The strip must be Height() rows high and at least
  // one picture wide; columns beyond the last whole picture are ignored.
  // A strip that does not fit leaves the list empty and returns false.
  // `doubleStrip`, the same pictures at double resolution, is kept when it
  // is twice as high and covers twice the width of the whole pictures;
  // otherwise scaled screens enlarge the strip itself.
  bool SetStrip(const QImage& strip, const QImage& doubleStrip = QImage());
  // Names the image file of the double-resolution strip instead: it is
  // read only when a device above ratio 1 first asks for a picture, so a
  // plain screen never decodes it. Call after SetStrip().
  void SetDoubleStripFile(const QString& file);
  // The strip, opaque (QImage::Format_RGB32); null while the list is empty.
  const QImage& Strip() const { return FStrip; }
  // The double-resolution strip (read now if only its file was named); null
  // when there is none or it does not fit.
  const QImage& DoubleStrip() const;

  // Columns of picture `index` inside the strip (empty when invalid).
  QRect PictureRect(int index) const;
  // Opaque copy of one picture; a null image when invalid.
  QImage Picture(int index) const;
  // Colour of the picture's bottom-left pixel (alpha 255); 0 when invalid.
  QRgb TransparencyKey(int index) const;
  // Picture `index` for a device of pixel ratio `ratio`: up to 1 the
  // picture itself; above, drawn from the double-resolution strip, smoothly
  // resampled unless the ratio is exactly 2. Its devicePixelRatio() is
  // `ratio` and its size the picture size times `ratio`, rounded up, so it
  // covers Size() logical pixels. `keyed`: with the key pixels transparent
  // (the key is the 1x picture's). A null pixmap when invalid.
  QPixmap DevicePicture(int index, qreal ratio, bool keyed) const;

 private:
  // The pictures at one device pixel ratio, each made when first drawn.
  struct TAtRatio {
    qreal Ratio;
    std::vector<QPixmap> Opaque;
    std::vector<QPixmap> Keyed;
  };
  QPixmap MakePicture(int index, qreal ratio, bool keyed) const;

  QString FDescription;
  int FWidth;
  int FHeight;
  int FAllocBy;
  int FCount = 0;
  QImage FStrip;
  mutable QImage FDoubleStrip;
  mutable QString FDoubleStripFile;  // still to be read; empty once read
  // Screens rarely change their ratio, so a short list is the whole cache.
  mutable std::vector<TAtRatio> FAtRatio;
};

}  // namespace marnova
