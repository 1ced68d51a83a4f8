#pragma once

#include "storage/DataFiles.h"
#include "storage/DiskChangesMerge.h"
#include "storage/GuildFolderLock.h"
#include "storage/RecoveryFile.h"

#include <QList>
#include <QString>

#include <functional>

// What the user decided after a failed save.
struct SaveDecision
{
    enum class Action
    {
        Retry,         // write the working folder's files again
        SaveElsewhere, // write both files into `folder` instead
        GiveUp,        // the user confirmed that the changes are lost
    };
    Action action = Action::Retry;
    QString folder;
};

// The questions a run may have to ask the user. Any that is left empty is
// answered the safe way without asking: nothing told, a folder held by
// another run opened read-only, a recovery file left where it is, an
// unreadable data file kept, both versions of a record kept, a failed save
// given up.
struct StartupPrompts
{
    // At start-up: another run holds the guild folder. True opens the tables
    // read-only (nothing is saved at exit), false quits at once.
    std::function<bool(const GuildFolderLock::Holder&, const QString& folder)> openReadOnly;
    // At start-up: the data files that exist but could not be read; the
    // program goes on with the defaults for them.
    std::function<void(const QList<LoadOutcome>&)> unreadableFiles;
    // At start-up: a recovery file whose tables differ from the data files
    // (left by a run that ended abnormally, or by one whose user kept an
    // unreadable data file). True restores its tables (which then count as
    // changed), false drops it.
    std::function<bool(const PendingRecovery&)> restoreRecovery;
    // At exit, before replacing a data file that could not be read at
    // start-up: true replaces it, false keeps the old file.
    std::function<bool(const QString& filePath)> replaceUnreadable;
    // At exit, after a failed save.
    std::function<SaveDecision(const QList<SaveFailure>&)> saveFailed;
    // At exit, when another program changed records of a data file that this
    // run changed too.
    ConflictPrompt resolveConflict;
    // At exit of a read-only run that changed the tables: SaveElsewhere with
    // a folder, or GiveUp.
    std::function<SaveDecision()> readOnlyChanged;
};
