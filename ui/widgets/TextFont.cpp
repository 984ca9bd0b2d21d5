#include "ui/widgets/TextFont.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "ui/widgets/FontSubstitutes.h"

namespace marnova {

QFont FontWithHeight(QFont font, int height) {
  const int shrink = SubstituteShrink(font.family());
  if (height < 0) {
    font.setPixelSize(std::max(1, -height - shrink));
  } else if (height > 0) {
    // Scale the character height so that the whole cell fits `height`.
    QFont probe = font;
    probe.setPixelSize(100);
    const qreal cell = QFontMetricsF(probe).height();
    const int size = int(std::lround(height * 100.0 / (cell > 0 ? cell : 100.0)));
    font.setPixelSize(std::max(1, size - shrink));
  }
  return font;
}

int FontHeightOf(const QFont& font) {
  if (font.pixelSize() > 0) return -(font.pixelSize() + SubstituteShrink(font.family()));
  // Point sizes are taken at the descriptions' design resolution of 96 dpi.
  if (font.pointSizeF() > 0) return -int(std::lround(font.pointSizeF() * 96.0 / 72.0));
  return 0;
}

}  // namespace marnova
