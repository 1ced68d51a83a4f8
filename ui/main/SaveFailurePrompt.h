#pragma once

#include "storage/DataFiles.h"
#include "storage/StartupPrompts.h"

#include <QList>

#include <functional>

class QWidget;

// The questions the program asks about its data files, as message boxes
// captioned with the program's caption.

// Tells the user which data files could not be saved and why, and asks what
// to do: try again (also Escape and the close box, so no key press throws the
// edits away), save both files into another folder the user picks, or give
// the changes up, which is asked once more with keeping them as the default.
SaveDecision AskAfterSaveFailure(const QList<SaveFailure>& failures, QWidget* parent = nullptr);

// One box at start-up naming the data files that exist but could not be
// read, and why; the program goes on with the defaults for them.
void TellUnreadableDataFiles(const QList<LoadOutcome>& files, QWidget* parent = nullptr);

// Asks before a data file that could not be read at start-up is replaced;
// keeping the old file is the default and the answer to Escape.
bool AskToReplaceUnreadable(const QString& filePath, QWidget* parent = nullptr);

// Offers the tables of a recovery file, saying why it was left (a run that
// ended abnormally, or data files kept at exit); restoring is the default and
// the answer to Escape, so nothing is lost by a key press.
bool AskToRestoreRecovery(const PendingRecovery& recovery, QWidget* parent = nullptr);

// A read-only run changed the tables: they cannot go into the folder another
// run holds; offers another folder (the default) or dropping them, which is
// asked once more.
SaveDecision AskAfterReadOnlyChanges(QWidget* parent = nullptr);

// When `folder` already holds data files, asks before they are replaced,
// naming them; true replaces them (or there are none). Keeping them is the
// default and the answer to Escape.
bool ConfirmReplacingInFolder(const QString& folder, QWidget* parent = nullptr);

// All of the above, for the program's run.
StartupPrompts InteractivePrompts();

// Test hook: picks the folder for "save into another folder" instead of the
// folder dialog; an empty result is a cancelled dialog. Empty: the dialog.
void SetFolderPickerForTests(std::function<QString()> picker);
