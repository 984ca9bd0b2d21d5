#include "ui/widgets/TLMDLImage.h"

#include <QKeyEvent>
#include <QPainter>

#include "ui/widgets/DisabledPicture.h"
#include "ui/widgets/KeyboardFocus.h"

namespace marnova {

namespace {

constexpr QSize kNoPictureSize(20, 20);

// Where a picture of `picture` size goes inside `client` for one style
// (sbTile is drawn separately).
QRect PlacePicture(TLMDLImage::TLMDBitmapStyle style, const QRect& client, const QSize& picture) {
  switch (style) {
    case TLMDLImage::sbCenter: {
      QRect r(QPoint(0, 0), picture);
      r.moveCenter(client.center());
      return r;
    }
    case TLMDLImage::sbStretch:
      return client;
    case TLMDLImage::sbKeepAspRatio: {
      QRect r(QPoint(0, 0), picture.scaled(client.size(), Qt::KeepAspectRatio));
      r.moveCenter(client.center());
      return r;
    }
    case TLMDLImage::sbKeepWidth:
      return QRect(0, 0, client.width(),
                   picture.width() > 0 ? picture.height() * client.width() / picture.width() : 0);
    case TLMDLImage::sbKeepHeight:
      return QRect(0, 0,
                   picture.height() > 0 ? picture.width() * client.height() / picture.height() : 0,
                   client.height());
    default:
      return QRect(QPoint(0, 0), picture);
  }
}

}  // namespace

TLMDLImage::TLMDLImage(QWidget* parent)
    : TControl(parent), FLink(this, [this] { ReferenceChanged(); }) {}

void TLMDLImage::setSharedImageList(bool value) {
  if (value == FShared) return;
  FShared = value;
  if (value) FLink.AttachShared();
}

void TLMDLImage::setListIndex(int value) {
  if (value < 0 || value == FListIndex) return;
  FListIndex = value;
  ReferenceChanged();
}

void TLMDLImage::setImageIndex(int value) {
  if (value < 0 || value == FImageIndex) return;
  FImageIndex = value;
  ReferenceChanged();
}

void TLMDLImage::setStyle(TLMDBitmapStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  ReferenceChanged();
}

void TLMDLImage::setForceTransparent(bool value) {
  FForceTransparent = value;
  update();
}

void TLMDLImage::setTransparent(bool value) {
  FTransparent = value;
  update();
}

void TLMDLImage::setTabStop(bool value) {
  FTabStop = value;
  // Tab only: a mouse press keeps the focus where it was, as before.
  setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
  update();
}

void TLMDLImage::keyPressEvent(QKeyEvent* event) {
  if (FTabStop && IsPressKey(*event)) {
    Click();
    return;
  }
  TControl::keyPressEvent(event);
}

void TLMDLImage::focusInEvent(QFocusEvent* event) {
  TControl::focusInEvent(event);
  update();
}

void TLMDLImage::focusOutEvent(QFocusEvent* event) {
  TControl::focusOutEvent(event);
  update();
}

bool TLMDLImage::HasPicture() const {
  const TLMDImageList* list = FLink.List();
  return list && list->IsValidPicture(FListIndex, FImageIndex);
}

void TLMDLImage::ReferenceChanged() {
  if (FStyle == sbAutosize && !IsLoading()) AutoSize();
  update();
}

void TLMDLImage::AutoSize() {
  resize(HasPicture() ? FLink.List()->PictureSize(FListIndex) : kNoPictureSize);
}

void TLMDLImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!FTransparent) painter.fillRect(rect(), Resolve(Color()));
  if (isEnabled())
    PaintPicture(painter);
  else if (HasPicture())
    DrawGreyed(painter, *this, [this](QPainter& layer) { PaintPicture(layer); });
  if (hasFocus()) DrawFocusRect(painter, rect());
}

void TLMDLImage::PaintPicture(QPainter& painter) const {
  if (!HasPicture()) return;
  const TLMDImageList& list = *FLink.List();
  const QSize picture = list.PictureSize(FListIndex);
  if (FStyle != sbTile) {
    list.DrawInRect(painter, PlacePicture(FStyle, rect(), picture), FListIndex, FImageIndex,
                    FForceTransparent);
    return;
  }
  for (int y = 0; y < height(); y += picture.height())
    for (int x = 0; x < width(); x += picture.width())
      list.DrawInRect(painter, QRect(QPoint(x, y), picture), FListIndex, FImageIndex,
                      FForceTransparent);
}

}  // namespace marnova
