#include "shell/toolkit_translation.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace pointilla::shell {

bool translateWindow(QCoreApplication& application, language::Language language) {
    // French is the captions' own language: nothing to load.
    if (language == language::Language::French) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/pointilla/translations/pointilla_en.qm"))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    // Owned by the application from here on, as long as the texts it translates.
    translator.release()->setParent(&application);
    return true;
}

void translateToolkit(QCoreApplication& application, language::Language language) {
    translateWindow(application, language);
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
