#include "ui/widgets/TPanel.h"

#include <QPainter>

#include "ui/widgets/Frame3D.h"

namespace marnova {

TPanel::TPanel(QWidget* parent) : TControl(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPanel::setBevelOuter(TBevelCut value) {
  FBevelOuter = value;
  update();
}

void TPanel::setBorderStyle(TBorderStyle value) {
  FBorderStyle = value;
  update();
}

void TPanel::setCtl3D(bool value) {
  FCtl3D = value;
  update();
}

QString TPanel::AccessibleValue() const {
  const QColor c = Resolve(Color());
  return QString::fromStdString(ColorToHex(c.red(), c.green(), c.blue()));
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Filled first: on a scaled screen the frame's lines take one device
  // pixel each and leave the rest of their logical pixel to the colour.
  painter.fillRect(rect(), Resolve(Color()));
  QRectF r = rect();
  if (FBorderStyle == bsSingle) {
    if (FCtl3D) {
      DrawFrame3D(painter, r, Resolve(clBtnShadow), Resolve(clBtnHighlight), 1);
      DrawFrame3D(painter, r, Resolve(clWindowFrame), Resolve(clBtnFace), 1);
    } else {
      DrawFlatRing(painter, r, Resolve(clWindowFrame), 1);
    }
  }
  if (FBevelOuter == bvRaised)
    DrawFrame3D(painter, r, Resolve(clBtnHighlight), Resolve(clBtnShadow), 1);
  else if (FBevelOuter == bvLowered)
    DrawFrame3D(painter, r, Resolve(clBtnShadow), Resolve(clBtnHighlight), 1);
}

}  // namespace marnova
