#include "tools/roster/RosterCommand.h"

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
    const int code = RunRosterCommand(QCoreApplication::arguments(), in, out, err);
    out.flush();
    return code;
}
