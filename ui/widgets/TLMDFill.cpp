#include "ui/widgets/TLMDFill.h"

#include <QEvent>
#include <QPainter>

namespace marnova {

TLMDFill::TLMDFill(QWidget* parent)
    : TControl(parent), FLink(this, [this] { ReferenceChanged(); }) {
  WatchParent();
}

void TLMDFill::setSharedImageList(bool value) {
  if (value == FShared) return;
  FShared = value;
  if (value) FLink.AttachShared();
}

void TLMDFill::setListIndex(int value) {
  if (value < 0 || value == FListIndex) return;
  FListIndex = value;
  ReferenceChanged();
}

void TLMDFill::setImageIndex(int value) {
  if (value < 0 || value == FImageIndex) return;
  FImageIndex = value;
  ReferenceChanged();
}

void TLMDFill::setFillStyle(TLMDFillStyle value) {
  FFillStyle = value;
  update();
}

void TLMDFill::setTileMode(TLMDTileMode value) {
  FTileMode = value;
  update();
}

void TLMDFill::setAlign(TAlign value) {
  FAlign = value;
  FollowParent();
}

void TLMDFill::DoLoaded() {
  ReferenceChanged();
  FollowParent();
}

void TLMDFill::ReferenceChanged() {
  const TLMDImageList* list = FLink.List();
  if (!list || !list->CopyPicture(FListIndex, FImageIndex, FPicture)) FPicture = QImage();
  update();
}

void TLMDFill::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (FFillStyle == sfBrush) {
    painter.fillRect(rect(), Resolve(Color()));
    return;
  }
  const TLMDImageList* list = FLink.List();
  if (FFillStyle != sfBitmapList || FPicture.isNull() || !list) return;
  // The copied picture decides what is shown; the list draws it at the
  // screen's own resolution.
  const QPixmap picture = list->Pixmap(FListIndex, FImageIndex, devicePixelRatioF());
  if (picture.isNull()) return;
  switch (FTileMode) {
    case tmTile:
      // Repeated from the widget's origin.
      painter.drawTiledPixmap(rect(), picture);
      break;
    case tmStretch:
      painter.drawPixmap(rect(), picture);
      break;
    case tmCenter: {
      QRect r(QPoint(0, 0), FPicture.size());
      r.moveCenter(rect().center());
      painter.drawPixmap(r.topLeft(), picture);
      break;
    }
    case tmNone:
      painter.drawPixmap(0, 0, picture);
      break;
  }
}

void TLMDFill::WatchParent() {
  if (FWatched == parentWidget()) return;
  if (FWatched) FWatched->removeEventFilter(this);
  FWatched = parentWidget();
  if (FWatched) FWatched->installEventFilter(this);
}

bool TLMDFill::event(QEvent* e) {
  if (e->type() == QEvent::ParentChange) {
    WatchParent();
    FollowParent();
  }
  return TControl::event(e);
}

bool TLMDFill::eventFilter(QObject* watched, QEvent* e) {
  if (watched == FWatched && e->type() == QEvent::Resize) FollowParent();
  return TControl::eventFilter(watched, e);
}

void TLMDFill::FollowParent() {
  const QWidget* parent = parentWidget();
  if (!parent || FAlign == alNone) return;
  const QRect client = parent->rect();
  QRect r = geometry();
  switch (FAlign) {
    case alTop:
      r = QRect(0, 0, client.width(), r.height());
      break;
    case alBottom:
      r = QRect(0, client.height() - r.height(), client.width(), r.height());
      break;
    case alLeft:
      r = QRect(0, 0, r.width(), client.height());
      break;
    case alRight:
      r = QRect(client.width() - r.width(), 0, r.width(), client.height());
      break;
    default:
      r = client;
      break;
  }
  setGeometry(r);
}

}  // namespace marnova
