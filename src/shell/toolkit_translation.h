#pragma once
// Qt's own texts (file dialogs, standard buttons, the text boxes' menus) in the
// person's language, beside the program's own captions.

#include <QCoreApplication>

#include "language/language.h"

namespace pointilla::shell {

// French from Qt's installed translations, else from those the program carries
// (nothing changes where neither is found); English is Qt's own, built in.
void translateToolkit(QCoreApplication& application, language::Language language);

}  // namespace pointilla::shell
