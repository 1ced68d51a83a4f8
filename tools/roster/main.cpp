#include "tools/roster/RosterCommand.h"

#include "texts/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvel-roster"));
    QFile in;
    QFile out;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly))
        return kRosterExitFile;
    QTextStream err(stderr);
    // Like every command-line program, in the language of its environment
    // (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), whatever the window was told.
    InstallProgramTranslation(LanguageForUiLanguages(QLocale::system().uiLanguages()));
    const int code = RunRosterCommand(QCoreApplication::arguments(), in, out, err);
    out.flush();
    return code;
}
