#pragma once
// Qt's own texts (context menus, standard buttons) in Italian, like the rest
// of the interface, whatever the user's locale.

class QTranslator;

namespace marnova {

// Loads Qt's Italian translation into `translator` and installs it in the
// application. Returns false, leaving Qt's English texts, when the
// translation is not installed (Debian's qt6-translations-l10n ships it).
bool InstallQtTranslation(QTranslator& translator);

}  // namespace marnova
