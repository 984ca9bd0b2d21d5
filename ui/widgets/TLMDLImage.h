#pragma once
// One picture of an image list, chosen by ListIndex and ImageIndex.
//
// Drawn opaquely; with ForceTransparent the pixels equal to the picture's
// bottom-left pixel are left out so the parent shows through. With
// Transparent (the default) the widget paints no background of its own.
// While disabled the picture is drawn greyed, as the style greys a disabled
// icon (DisabledPicture.h). Indices that name no picture draw nothing;
// negative indices are ignored and setting the current index does nothing.
//
// With Style sbAutosize the widget takes the size of the list's pictures
// (20 x 20 without a valid picture), keeping its top-left corner, whenever
// the reference changes; not while loading, and once when loading ends.
//
// With TabStop the picture is a button for the keyboard and for assistive
// technology: Tab reaches it (a mouse press still does not take the focus),
// Space or Enter raises OnClick, a dotted focus rectangle shows while it has
// the focus, and it reads as a push button named by its hint.

#include "ui/widgets/ImageListLink.h"
#include "ui/widgets/TControl.h"

namespace marnova {

class TLMDLImage : public TControl {
  Q_OBJECT
  Q_PROPERTY(marnova::TLMDImageList* ImageList READ ImageList WRITE setImageList)
  Q_PROPERTY(bool SharedImageList READ SharedImageList WRITE setSharedImageList)
  Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex)
  Q_PROPERTY(int ImageIndex READ ImageIndex WRITE setImageIndex)
  Q_PROPERTY(TLMDBitmapStyle Style READ Style WRITE setStyle)
  Q_PROPERTY(bool ForceTransparent READ ForceTransparent WRITE setForceTransparent)
  Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
  Q_PROPERTY(TLMDBevelMode BevelMode READ BevelMode WRITE setBevelMode)
  Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)

 public:
  enum TLMDBitmapStyle {
    sbNone,
    sbAutosize,
    sbCenter,
    sbStretch,
    sbTile,
    sbKeepAspRatio,
    sbKeepWidth,
    sbKeepHeight
  };
  Q_ENUM(TLMDBitmapStyle)
  // Only bmCustom without settings is offered: no frame is drawn.
  enum TLMDBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
  Q_ENUM(TLMDBevelMode)

  explicit TLMDLImage(QWidget* parent = nullptr);

  TLMDImageList* ImageList() const { return FLink.List(); }
  void setImageList(TLMDImageList* value) { FLink.Attach(value); }
  // Set in a window description for "DM.ImageList": the shared list is
  // attached as soon as the data module exists.
  bool SharedImageList() const { return FShared; }
  void setSharedImageList(bool value);
  int ListIndex() const { return FListIndex; }
  void setListIndex(int value);
  int ImageIndex() const { return FImageIndex; }
  void setImageIndex(int value);
  TLMDBitmapStyle Style() const { return FStyle; }
  void setStyle(TLMDBitmapStyle value);
  bool ForceTransparent() const { return FForceTransparent; }
  void setForceTransparent(bool value);
  bool Transparent() const { return FTransparent; }
  void setTransparent(bool value);
  TLMDBevelMode BevelMode() const { return FBevelMode; }
  void setBevelMode(TLMDBevelMode value) { FBevelMode = value; }

  bool TabStop() const { return FTabStop; }
  void setTabStop(bool value);

  // True if the reference names an existing picture of an attached list.
  bool HasPicture() const;

  QAccessible::Role AccessibleRole() const override {
    return FTabStop ? QAccessible::Button : QAccessible::Graphic;
  }
  bool Pressable() const override { return FTabStop; }

 protected:
  void DoLoaded() override { ReferenceChanged(); }
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ReferenceChanged();
  void AutoSize();
  void PaintPicture(QPainter& painter) const;

  TImageListLink FLink;
  bool FShared = false;
  int FListIndex = 0;
  int FImageIndex = 0;
  TLMDBitmapStyle FStyle = sbNone;
  bool FForceTransparent = false;
  bool FTransparent = true;
  TLMDBevelMode FBevelMode = bmCustom;
  bool FTabStop = false;
};

}  // namespace marnova
