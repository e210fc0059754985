#include "gui/JapaneseTranslations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orvik {

bool LoadJapaneseTranslations(QCoreApplication& application) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // Owned by the application, which keeps it for its whole life.
    auto* translator = new QTranslator(&application);
    if (!translator->load(japanese, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace orvik
