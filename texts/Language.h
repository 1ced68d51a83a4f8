#pragma once

#include <QLocale>
#include <QStringList>

class QTranslator;

// The language the program speaks. Chinese is the language the texts are
// written in; every other language is a translation of them, embedded in the
// program (translations/).
enum class UiLanguage
{
    Chinese,
    English
};

// What the user chose in the "语言 / Language" menu, as the settings store
// keeps it. Values are stored: never renumber them.
enum class LanguageChoice : int
{
    System = 0,
    Chinese = 1,
    English = 2
};

// The language for the user's preferred UI languages, most preferred first:
// the first of them that the program speaks decides, and Chinese is the
// answer for a list without one (as for LANG=C).
UiLanguage LanguageForUiLanguages(const QStringList& uiLanguages);

// The language a choice stands for, System following `systemLocale`.
UiLanguage ChosenLanguage(LanguageChoice choice, const QLocale& systemLocale = QLocale::system());

// Installs the program's own translation for `language` into the running
// application and returns it (owned by the application; remove and delete it
// to take it back). Chinese needs none: nullptr, as where the translation
// could not be loaded, and the texts stay Chinese.
QTranslator* InstallProgramTranslation(UiLanguage language);
