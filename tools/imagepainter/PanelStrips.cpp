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

QImage TitledPanel(int width, int height, int windowTop, const QRect& face, const QRect& bar) {
  QImage canvas = BackgroundCanvas(width, height, windowTop);
  QPainter painter(&canvas);
  const QPainterPath outline = PaintPanel(painter, face, 7.0);
  PaintTitleBar(painter, outline, bar);
  return canvas;
}

}  // namespace

QImage PaintBack() {
  return BackgroundCanvas(2, kWindowRows, 0);
}

QImage PaintUpperPanel() {
  QImage canvas = BackgroundCanvas(593, 90, kUpperTop);
  QPainter painter(&canvas);
  PaintPanel(painter, QRect(QPoint(8, 5), QPoint(584, 82)), 9.0);
  return canvas;
}

QImage PaintTestPanel() {
  return TitledPanel(197, 138, kTestTop, QRect(QPoint(10, 6), QPoint(186, 130)),
                     QRect(QPoint(10, 6), QPoint(186, 28)));
}

QImage PaintSlidePanel() {
  return TitledPanel(195, 228, kSlideTop, QRect(QPoint(9, 7), QPoint(185, 219)),
                     QRect(QPoint(9, 7), QPoint(185, 29)));
}

QImage PaintBoxInfo() {
  // A window of its own: the whole background gradient squeezed into its rows.
  const int height = 320;
  QImage canvas = BackgroundCanvas(398, height, 0, (kWindowRows - 1) / double(height - 1));
  QPainter painter(&canvas);
  PaintPanel(painter, QRect(QPoint(17, 16), QPoint(379, 303)), 12.0);
  PaintLogoArt(painter, QRect(QPoint(37, 33), QPoint(149, 86)));
  return canvas;
}

}  // namespace marnova::paint
