#pragma once

#include "storage/DiskChangesMerge.h"
#include "storage/GuildFolderLock.h"
#include "storage/StartupPrompts.h"

class QWidget;

// The questions about a guild folder that more than one program uses, as
// message boxes captioned with the program's caption.

// Another run holds the folder: names it (program, process, host) and offers
// to open the tables read-only (the default) or quit. True: read-only.
bool AskToOpenReadOnly(const GuildFolderLock::Holder& holder, const QString& folder,
                       QWidget* parent = nullptr);

// Records that both this run and another program changed: shows both
// versions of each and asks which to keep. Keeping both is the default and
// the answer to Escape; the text names the file this run's version goes to.
ConflictChoice AskAboutConflict(const RecordConflict& conflict, QWidget* parent = nullptr);

// The most records a conflict question lists; the rest are counted.
inline constexpr int kConflictsShown = 10;
