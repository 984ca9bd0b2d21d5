#include "ui/widgets/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
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

QString InstalledFamily(const QString& family) {
  static QHash<QString, QString> resolved;  // widgets live on the main thread only
  const auto known = resolved.constFind(family);
  if (known != resolved.cend()) return *known;
  QString installed = family;
  if (SubstituteShrink(family) == 0) {
    const QStringList families = QFontDatabase::families();
    for (const QString& substitute : QFont::substitutes(family)) {
      if (families.contains(substitute, Qt::CaseInsensitive)) {
        installed = substitute;
        break;
      }
    }
  }
  resolved.insert(family, installed);
  return installed;
}

int SubstituteShrink(const QString& family) {
  // The bitmap face is narrower than the sans twin at the same height: at
  // full height the update window's notes wrap onto a line their box has no
  // room for.
  return family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ? 1 : 0;
}

}  // namespace marnova
