#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One window per guild folder at a time: the first run in a folder holds a
// lock file there (kGuildLockFileName, which records the process, the host
// and the program); a second run finds it held and may only open the tables
// read-only. A lock left by a run that was killed on this host is recognised
// (its process is gone) and taken over.
inline constexpr char kGuildLockFileName[] = ".quorvel.lock";

class GuildFolderLock final
{
public:
    enum class State
    {
        Held,        // this run holds the folder
        HeldByOther, // another live run holds it (see holder())
        NoLock,      // no lock can be made there (a read-only folder, a folder in
                     // the lock's place): the save at exit still merges
    };

    struct Holder
    {
        qint64 pid = 0;
        QString host;
        QString application;
    };

    explicit GuildFolderLock(const QString& folder);
    ~GuildFolderLock();
    Q_DISABLE_COPY_MOVE(GuildFolderLock)

    // Tries once, without waiting.
    State tryLock();
    const Holder& holder() const { return m_holder; }
    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    Holder m_holder;
};
