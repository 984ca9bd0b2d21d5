#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace marnova {

bool InstallQtTranslation(QTranslator& translator) {
  // By file name, not by locale: the interface is Italian for everyone.
  return translator.load(QStringLiteral("qtbase_it"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
         QCoreApplication::installTranslator(&translator);
}

}  // namespace marnova
