#pragma once
// A background filled with one picture of an image list (FillStyle
// sfBitmapList), repeated from the top-left corner in both directions with
// TileMode tmTile, drawn once, centred or stretched with the other modes.
// FillStyle sfBrush fills with Color; the other fill styles draw nothing.
// The picture is copied whenever the reference changes. With Align alClient
// the fill covers its parent's whole client area and follows its size.

#include <QImage>

#include "ui/widgets/ImageListLink.h"
#include "ui/widgets/TControl.h"

namespace marnova {

class TLMDFill : public TControl {
  Q_OBJECT
  Q_PROPERTY(marnova::TLMDImageList* ImageList READ ImageList WRITE setImageList)
  Q_PROPERTY(bool SharedImageList READ SharedImageList WRITE setSharedImageList)
  Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex)
  Q_PROPERTY(int ImageIndex READ ImageIndex WRITE setImageIndex)
  Q_PROPERTY(TLMDFillStyle FillStyle READ FillStyle WRITE setFillStyle)
  Q_PROPERTY(TLMDTileMode TileMode READ TileMode WRITE setTileMode)
  Q_PROPERTY(TAlign Align READ Align WRITE setAlign)

 public:
  enum TLMDFillStyle { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
  Q_ENUM(TLMDFillStyle)
  enum TLMDTileMode { tmNone, tmCenter, tmStretch, tmTile };
  Q_ENUM(TLMDTileMode)
  enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
  Q_ENUM(TAlign)

  explicit TLMDFill(QWidget* parent = nullptr);

  TLMDImageList* ImageList() const { return FLink.List(); }
  void setImageList(TLMDImageList* value) { FLink.Attach(value); }
  // Set in a window description for "DM.ImageList".
  bool SharedImageList() const { return FShared; }
  void setSharedImageList(bool value);
  // Negative indices are ignored.
  int ListIndex() const { return FListIndex; }
  void setListIndex(int value);
  int ImageIndex() const { return FImageIndex; }
  void setImageIndex(int value);
  TLMDFillStyle FillStyle() const { return FFillStyle; }
  void setFillStyle(TLMDFillStyle value);
  TLMDTileMode TileMode() const { return FTileMode; }
  void setTileMode(TLMDTileMode value);
  TAlign Align() const { return FAlign; }
  void setAlign(TAlign value);

  // The copied picture; null when the reference names none.
  const QImage& Picture() const { return FPicture; }

  QAccessible::Role AccessibleRole() const override { return QAccessible::Graphic; }

 protected:
  void DoLoaded() override;
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReferenceChanged();
  void FollowParent();
  void WatchParent();

  TImageListLink FLink;
  bool FShared = false;
  int FListIndex = 0;
  int FImageIndex = 0;
  TLMDFillStyle FFillStyle = sfNone;
  TLMDTileMode FTileMode = tmTile;
  TAlign FAlign = alNone;
  QImage FPicture;
  QWidget* FWatched = nullptr;  // the parent whose resizes are followed
};

}  // namespace marnova
