#include "texts/Language.h"

#include <QCoreApplication>
#include <QTranslator>

using namespace Qt::StringLiterals;

UiLanguage LanguageForUiLanguages(const QStringList& uiLanguages)
{
    for (const QString& name : uiLanguages) {
        // QLocale reads "en", "en-GB", "en_US.UTF-8" and "zh-Hans-CN" alike.
        switch (QLocale(name).language()) {
        case QLocale::English:
            return UiLanguage::English;
        case QLocale::Chinese:
            return UiLanguage::Chinese;
        default:
            break;
        }
    }
    return UiLanguage::Chinese;
}

UiLanguage ChosenLanguage(LanguageChoice choice, const QLocale& systemLocale)
{
    switch (choice) {
    case LanguageChoice::Chinese:
        return UiLanguage::Chinese;
    case LanguageChoice::English:
        return UiLanguage::English;
    case LanguageChoice::System:
        break;
    }
    return LanguageForUiLanguages(systemLocale.uiLanguages());
}

QTranslator* InstallProgramTranslation(UiLanguage language)
{
    if (language == UiLanguage::Chinese)
        return nullptr;
    // The translator lives as long as the application: it answers every
    // translate() from now on.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(u":/i18n/quorvel_en.qm"_s)) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}
