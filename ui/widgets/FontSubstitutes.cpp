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
  // No metric twin exists for the bitmap font; the sans twin is the nearest,
  // drawn a pixel smaller (see SubstituteShrink).
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}

int SubstituteShrink(const QString& family) {
  // The bitmap face is narrower than the sans twin at the same height: at
  // full height the update window's notes wrap onto a line their box has no
  // room for.
  return family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ? 1 : 0;
}

}  // namespace marnova
