// Qt's own Japanese translations (Debian's qt6-translations-l10n), so that
// the standard dialogs, buttons and context menus speak Japanese next to the
// window's Japanese captions, whatever the system locale.
#pragma once

#include <QCoreApplication>

namespace orvik {

// Installs the translations of Qt's own texts into the application; false
// when the translation files are not installed (Qt's English then stays).
bool LoadJapaneseTranslations(QCoreApplication& application);

}  // namespace orvik
