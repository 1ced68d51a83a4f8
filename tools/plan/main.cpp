#include "tools/plan/PlanCommand.h"

#include "texts/Language.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvel-plan"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Like every command-line program, in the language of its environment
    // (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), whatever the window was told.
    InstallProgramTranslation(LanguageForUiLanguages(QLocale::system().uiLanguages()));
    return RunPlanCommand(QCoreApplication::arguments(), out, err);
}
