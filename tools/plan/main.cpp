#include "tools/plan/PlanCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvel-plan"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunPlanCommand(QCoreApplication::arguments(), out, err);
}
