// The background column and the four light plates: the header plate, the
// test-area frame, the colour panel plate and the information window.
#include <QPainter>

#include "tools/imagepainter/LogoArt.h"
#include "tools/imagepainter/Strips.h"
#include "tools/imagepainter/Style.h"

namespace marnova::paint {

namespace {

// Rows of the main window where each plate lies, so that the plate's own
// background continues the window's around it.
constexpr int kUpperTop = 3;
constexpr int kTestTop = 95;
constexpr int kSlideTop = 94;

QImage TitledPanel(int scale, int width, int height, int windowTop, const QRect& face,
                   const QRect& bar) {
  QImage canvas = BackgroundCanvas(scale, width, height, windowTop);
  QPainter painter(&canvas);
  painter.scale(scale, scale);
  const QPainterPath outline = PaintPanel(painter, face, 7.0);
  PaintTitleBar(painter, outline, bar);
  return canvas;
}

}  // namespace

QImage PaintBack(int scale) {
  return BackgroundCanvas(scale, 2, kWindowRows, 0);
}

QImage PaintUpperPanel(int scale) {
  QImage canvas = BackgroundCanvas(scale, 593, 90, kUpperTop);
  QPainter painter(&canvas);
  painter.scale(scale, scale);
  PaintPanel(painter, QRect(QPoint(8, 5), QPoint(584, 82)), 9.0);
  return canvas;
}

QImage PaintTestPanel(int scale) {
  return TitledPanel(scale, 197, 138, kTestTop, QRect(QPoint(10, 6), QPoint(186, 130)),
                     QRect(QPoint(10, 6), QPoint(186, 28)));
}

QImage PaintSlidePanel(int scale) {
  return TitledPanel(scale, 195, 228, kSlideTop, QRect(QPoint(9, 7), QPoint(185, 219)),
                     QRect(QPoint(9, 7), QPoint(185, 29)));
}

QImage PaintBoxInfo(int scale) {
  // A window of its own: the whole background gradient squeezed into its rows.
  const int height = 320;
  QImage canvas = BackgroundCanvas(scale, 398, height, 0, (kWindowRows - 1) / double(height - 1));
  QPainter painter(&canvas);
  painter.scale(scale, scale);
  PaintPanel(painter, QRect(QPoint(17, 16), QPoint(379, 303)), 12.0);
  PaintLogoArt(painter, QRect(QPoint(37, 33), QPoint(149, 86)));
  return canvas;
}

}  // namespace marnova::paint
