#pragma once
// The shared image list: an ordered set of picture lists, each holding
// pictures of one fixed size, addressed by (list, picture), both from 0.
//
// Users (picture widgets, the colour panel's slider thumbs) keep the list
// through a QPointer and listen to two signals:
//   Changed()            a list was added or its pictures replaced: redraw;
//   QObject::destroyed   the list goes away: drop the reference, draw nothing.
// Every operation accepts any indices; out-of-range ones draw nothing and
// give empty results.

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <memory>
#include <vector>

#include "ui/imagelist/TLMDImageListItem.h"

class QPainter;

namespace marnova {

class TLMDImageList : public QObject {
  Q_OBJECT

 public:
  explicit TLMDImageList(QObject* parent = nullptr);
  ~TLMDImageList() override;

  // Number of picture lists.
  int Count() const { return static_cast<int>(FItems.size()); }
  // The list's Description, Width, Height, AllocBy, picture count and strip;
  // null when `list` is out of range. Stays valid until Clear().
  const TLMDImageListItem* Item(int list) const;

  // Appends an empty picture list and returns its index. Emits Changed.
  int Add(const QString& description, int width, int height, int allocBy = 1);
  // Replaces the pictures of one list, with or without their double-
  // resolution strip (see TLMDImageListItem::SetStrip). Emits Changed
  // unless `list` is out of range.
  bool SetStrip(int list, const QImage& strip, const QImage& doubleStrip = QImage());
  // Names the file of a list's double-resolution strip, read on first use
  // (see TLMDImageListItem::SetDoubleStripFile).
  void SetDoubleStripFile(int list, const QString& file);
  // Removes every list. Emits Changed.
  void Clear();

  // Width and height of the pictures of `list`; an empty QSize when out of range.
  QSize PictureSize(int list) const;
  // Number of pictures in `list`; 0 when out of range.
  int PictureCount(int list) const;
  // True if `list` exists and 0 <= index < PictureCount(list).
  bool IsValidPicture(int list, int index) const;

  // Every drawing operation draws from the strip that suits the device
  // pixel ratio of the painter's device (see Pixmap()).
  //
  // Copies the picture opaquely, every pixel, with its top-left corner at `at`.
  void Draw(QPainter& painter, QPoint at, int list, int index) const;
  void Draw(QPainter& painter, int x, int y, int list, int index) const {
    Draw(painter, QPoint(x, y), list, index);
  }
  // Draws the picture into `into` with forced transparency: the pixels equal
  // to the picture's TransparencyKey are left undrawn, every other pixel is
  // copied. A rectangle of another size than the picture scales it, pixel by
  // pixel without smoothing.
  void DrawTransparent(QPainter& painter, const QRect& into, int list, int index) const;
  // Draws into `into`, with forced transparency or opaquely.
  void DrawInRect(QPainter& painter, const QRect& into, int list, int index,
                  bool forceTransparent) const;

  // Colour of the picture's bottom-left pixel (alpha 255); 0 when invalid.
  QRgb TransparencyKey(int list, int index) const;
  // Opaque copy of one picture; a null image when invalid.
  QImage Picture(int list, int index) const;
  // The picture for a device of pixel ratio `ratio`, with its key pixels
  // transparent if `keyed` (see TLMDImageListItem::DevicePicture); null when
  // invalid.
  QPixmap Pixmap(int list, int index, qreal ratio, bool keyed = false) const;
  // Resizes `target` to the picture size and copies the picture into it.
  // Returns false, leaving `target` untouched, when the picture is invalid.
  bool CopyPicture(int list, int index, QImage& target) const;

 signals:
  void Changed();

 private:
  TLMDImageListItem* MutableItem(int list);

  std::vector<std::unique_ptr<TLMDImageListItem>> FItems;
};

}  // namespace marnova
