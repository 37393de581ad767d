#include "shell/toolkit_translation.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pointilla::shell {

void translateToolkit(QCoreApplication& application, language::Language language) {
    const bool french = language == language::Language::French;
    // What the toolkit words after the locale (the file types' descriptions in
    // the file dialogs) follows too; a system locale of that language keeps its
    // country.
    const QLocale::Language wanted = french ? QLocale::French : QLocale::English;
    if (QLocale::system().language() != wanted) {
        QLocale::setDefault(QLocale(wanted, french ? QLocale::France : QLocale::UnitedStates));
    }
    if (!french) return;
    // Owned by the application, so it lasts as long as the texts it translates.
    // The system's translations first; a build that carries its own (Windows)
    // has them in its resources.
    auto* translator = new QTranslator(&application);
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral(":/toolkit")}) {
        if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"),
                             QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

}  // namespace pointilla::shell
