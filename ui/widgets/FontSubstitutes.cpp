#include "ui/widgets/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace marnova {

void InstallFontSubstitutes() {
  // Liberation Sans and Mono share Arial's and Courier New's advance widths,
  // so the described sizes of auto-sized labels still hold.
  QFont::insertSubstitutions(QStringLiteral("Arial"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
  QFont::insertSubstitutions(QStringLiteral("Courier New"),
                             {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")});
  // No metric twin exists for the bitmap font; the sans twin is the nearest.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}

}  // namespace marnova
