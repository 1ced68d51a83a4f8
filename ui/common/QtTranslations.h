#pragma once

#include <QLocale>

// Qt's own texts (the buttons of message boxes and button boxes, the file
// dialogs, the context menus of edit boxes) in Chinese when the program
// speaks Chinese (in English they are Qt's own): the user's own variant of
// it where the user's locale is Chinese (traditional characters in Taiwan
// and Hong Kong), simplified Chinese everywhere else. Loaded from Qt's
// translations folder (Debian's qt6-translations-l10n) once, at start-up.
namespace QtTranslations {

// The locale whose Qt translations the program loads for `userLocale`.
QLocale ProgramLocale(const QLocale& userLocale);

// Installs Qt's translations for `locale` into the running application;
// returns whether they were found. Without them Qt's texts stay English and
// the program still runs.
bool Install(const QLocale& locale = ProgramLocale(QLocale()));

} // namespace QtTranslations
