#include "ui/common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace QtTranslations {

QLocale ProgramLocale(const QLocale& userLocale)
{
    if (userLocale.language() == QLocale::Chinese)
        return userLocale;
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

bool Install(const QLocale& locale)
{
    // The translator lives as long as the application: it answers every
    // translate() from now on.
    auto* translator = new QTranslator(QCoreApplication::instance());
    // "qt" pulls in qtbase and the other modules' files where a distribution
    // ships the catalogue; "qtbase" alone is enough for the widgets used here.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(locale, u"qtbase"_s, u"_"_s, folder) &&
        !translator->load(locale, u"qt"_s, u"_"_s, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace QtTranslations
