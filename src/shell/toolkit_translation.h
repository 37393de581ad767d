#pragma once
// The window's captions and Qt's own texts (file dialogs, standard buttons,
// the text boxes' menus) in the person's language.

#include <QCoreApplication>

#include "language/language.h"

namespace pointilla::shell {

// The window's captions, menus and dialogs in English when the language is
// English, from the translation built into the program; false when it could
// not be loaded (the French captions stay).
bool translateWindow(QCoreApplication& application, language::Language language);

// The window's captions as translateWindow() gives them, then Qt's own texts:
// French from Qt's installed translations, else from those the program
// carries (nothing changes where neither is found); English is Qt's own, built in.
void translateToolkit(QCoreApplication& application, language::Language language);

}  // namespace pointilla::shell
