#include "storage/DiskChangesMerge.h"

#include "storage/RecordMerge.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

template <typename Table> QByteArray ImageOf(const Table& table)
{
    return QByteArray(reinterpret_cast<const char*>(table.data()), sizeof table);
}

template <typename Table> void SetImage(Table& table, const QByteArray& image)
{
    std::memcpy(table.data(), image.constData(), sizeof table);
}

template <typename Table, typename Load>
void MergeOne(Table& mine, Table& baseline, const QString& folder, const char* fileName,
              bool heroes, Load load, const ConflictPrompt& ask, DiskMergeOutcome& outcome)
{
    auto theirs = std::make_unique<Table>();
    if (load(*theirs, folder).state != LoadOutcome::State::Read)
        return;
    const QByteArray theirImage = ImageOf(*theirs);
    const QByteArray baseImage = ImageOf(baseline);
    if (theirImage == baseImage)
        return; // nobody else wrote it
    const QByteArray myImage = ImageOf(mine);
    constexpr qsizetype kRecord = sizeof(typename Table::value_type);
    RecordMergeResult merge = MergeRecords(baseImage, myImage, theirImage, kRecord);
    if (!merge.conflicts.isEmpty()) {
        RecordConflict conflict;
        conflict.filePath = DataFilePath(folder, fileName);
        conflict.heroes = heroes;
        conflict.records = merge.conflicts;
        conflict.mine = myImage;
        conflict.theirs = theirImage;
        conflict.keepBothPath = KeepBothPath(conflict.filePath);
        const ConflictChoice choice = ask ? ask(conflict) : ConflictChoice::KeepBoth;
        if (choice == ConflictChoice::KeepThisRun) {
            for (const int record : merge.conflicts)
                merge.merged.replace(record * kRecord, kRecord,
                                     myImage.sliced(record * kRecord, kRecord));
        } else if (choice == ConflictChoice::KeepBoth) {
            if (auto failure = SaveFileImage(conflict.keepBothPath, myImage)) {
                // This run's version has nowhere else to go: the data file
                // is not replaced, and the tables stay this run's.
                outcome.failures.append(*failure);
                outcome.hold.append(QString::fromLatin1(fileName));
                return;
            }
            outcome.keptCopies.append(conflict.keepBothPath);
        }
    }
    SetImage(mine, merge.merged);
    baseline = *theirs;
}

} // namespace

QString KeepBothPath(const QString& dataFilePath)
{
    const QFileInfo data(dataFilePath);
    // The marker is shown in the file's name, so it is in the user's language.
    const QString stem = data.completeBaseName() +
                         QCoreApplication::translate("DiskChangesMerge", "-本次运行-") +
                         QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    const QDir folder = data.absoluteDir();
    QString name = stem + u".dat"_s;
    const auto taken = [&folder](const QString& candidate) {
        const QFileInfo entry(folder.filePath(candidate));
        return entry.exists() || entry.isSymLink();
    };
    for (int n = 2; taken(name); ++n)
        name = stem + u'-' + QString::number(n) + u".dat"_s;
    return folder.filePath(name);
}

DiskMergeOutcome MergeChangesOnDisk(PlanningTables& tables, PlanningTables& baseline,
                                    const QString& folder, const QStringList& skip,
                                    const ConflictPrompt& ask)
{
    DiskMergeOutcome outcome;
    if (!skip.contains(QString::fromLatin1(kVirusFileName))) {
        MergeOne(
            tables.virusTable, baseline.virusTable, folder, kVirusFileName, false,
            [](VirusTable& table, const QString& in) { return LoadVirusTable(table, in); }, ask,
            outcome);
    }
    if (!skip.contains(QString::fromLatin1(kHeroFileName))) {
        MergeOne(
            tables.heroTable, baseline.heroTable, folder, kHeroFileName, true,
            [](HeroTable& table, const QString& in) { return LoadHeroTable(table, in); }, ask,
            outcome);
    }
    return outcome;
}
