#include "ui/widgets/ImageListLink.h"

#include <utility>

#include "ui/DataModule.h"

namespace marnova {

TImageListLink::TImageListLink(QObject* owner, std::function<void()> onChange)
    : FOwner(owner), FOnChange(std::move(onChange)) {}

TImageListLink::~TImageListLink() {
  Disconnect();
}

void TImageListLink::Disconnect() {
  QObject::disconnect(FChanged);
  QObject::disconnect(FDestroyed);
}

void TImageListLink::Attach(TLMDImageList* list) {
  if (list == FList.data()) return;
  Disconnect();
  FList = list;
  if (list) {
    FChanged = QObject::connect(list, &TLMDImageList::Changed, FOwner, [this] { FOnChange(); });
    FDestroyed = QObject::connect(list, &QObject::destroyed, FOwner, [this] {
      // The QPointer is already null here; the owner redraws without a picture.
      FOnChange();
    });
  }
  FOnChange();
}

void TImageListLink::AttachShared() {
  WhenImageListReady(FOwner, [this](TLMDImageList* list) { Attach(list); });
}

}  // namespace marnova
