#pragma once
// One picture list of the shared image list: a strip of equally sized
// pictures side by side. Picture k occupies columns k * Width() to
// (k + 1) * Width() - 1 of the strip.

#include <QImage>
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
  int Count() const { return static_cast<int>(FKeyed.size()); }
  bool IsValidPicture(int index) const { return index >= 0 && index < Count(); }

  // Replaces the strip. The strip must be Height() rows high and at least
  // one picture wide; columns beyond the last whole picture are ignored.
  // A strip that does not fit leaves the list empty and returns false.
  bool SetStrip(const QImage& strip);
  // The strip, opaque (QImage::Format_RGB32); null while the list is empty.
  const QImage& Strip() const { return FStrip; }

  // Columns of picture `index` inside the strip (empty when invalid).
  QRect PictureRect(int index) const;
  // Opaque copy of one picture; a null image when invalid.
  QImage Picture(int index) const;
  // Colour of the picture's bottom-left pixel (alpha 255); 0 when invalid.
  QRgb TransparencyKey(int index) const;
  // The picture with its key pixels fully transparent and all others
  // opaque; a null image when invalid.
  const QImage& KeyedPicture(int index) const;

 private:
  QString FDescription;
  int FWidth;
  int FHeight;
  int FAllocBy;
  QImage FStrip;
  // Made once per strip so that transparent drawing costs no per-paint work.
  std::vector<QImage> FKeyed;
};

}  // namespace marnova
