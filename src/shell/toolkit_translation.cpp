#include "shell/toolkit_translation.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pointilla::shell {

void translateToolkit(QCoreApplication& application, language::Language language) {
    if (language != language::Language::French) return;
    // Owned by the application, so it lasts as long as the texts it translates.
    auto* french = new QTranslator(&application);
    if (french->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(french);
    } else {
        delete french;
    }
}

}  // namespace pointilla::shell
