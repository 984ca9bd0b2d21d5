#pragma once
// A picture widget's reference to an image list. The list is held weakly:
// when it changes the owner is told, and when it is destroyed the reference
// drops to null and the owner is told too, so it draws no picture.

#include <QMetaObject>
#include <QPointer>
#include <functional>

#include "ui/imagelist/TLMDImageList.h"

class QObject;

namespace marnova {

class TImageListLink {
 public:
  // `onChange` runs whenever the list is attached, detached, changed or
  // destroyed; `owner` scopes the connections (nothing runs after it dies).
  TImageListLink(QObject* owner, std::function<void()> onChange);
  ~TImageListLink();
  TImageListLink(const TImageListLink&) = delete;
  TImageListLink& operator=(const TImageListLink&) = delete;

  TLMDImageList* List() const { return FList.data(); }
  // Attaching the list already attached does nothing.
  void Attach(TLMDImageList* list);
  // Attaches the data module's shared list now, or as soon as it exists.
  void AttachShared();

 private:
  void Disconnect();

  QObject* FOwner;
  std::function<void()> FOnChange;
  QPointer<TLMDImageList> FList;
  QMetaObject::Connection FChanged;
  QMetaObject::Connection FDestroyed;
};

}  // namespace marnova
