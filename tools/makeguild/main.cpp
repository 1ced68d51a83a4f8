// Writes the sample guild's Virus.dat and Heroes.dat into the folder given on
// the command line, through the same save as the planner itself uses.

#include "storage/DataFiles.h"
#include "tools/makeguild/SampleGuild.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2 || arguments[1].startsWith(u'-')) {
        err << "usage: quorvel-makeguild FOLDER\n"
               "Writes the sample guild's Virus.dat and Heroes.dat into FOLDER.\n";
        return 2;
    }
    const QString folder = arguments[1];
    if (!QFileInfo(folder).isDir()) {
        err << "quorvel-makeguild: not a folder: " << folder << '\n';
        return 2;
    }

    auto tables = std::make_unique<PlanningTables>();
    FillSampleViruses(tables->virusTable);
    FillSampleHeroes(tables->heroTable);
    const QList<SaveFailure> failures = SaveTables(*tables, folder);
    for (const SaveFailure& failure : failures)
        err << "quorvel-makeguild: cannot write " << failure.filePath << ": " << failure.reason
            << '\n';
    return failures.isEmpty() ? 0 : 1;
}
