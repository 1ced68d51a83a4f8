#include "storage/GuildFolderLock.h"

#include <QDir>

GuildFolderLock::GuildFolderLock(const QString& folder)
    : m_path(QDir(folder).filePath(QString::fromLatin1(kGuildLockFileName))),
      m_lock(std::make_unique<QLockFile>(m_path))
{
    // Only a holder that is provably gone counts as stale, never one that
    // has merely run for a long time: a window may stay open for days.
    m_lock->setStaleLockTime(0);
}

GuildFolderLock::~GuildFolderLock() = default;

GuildFolderLock::State GuildFolderLock::tryLock()
{
    if (m_lock->tryLock(0))
        return State::Held;
    if (m_lock->error() != QLockFile::LockFailedError)
        return State::NoLock;
    if (m_lock->getLockInfo(&m_holder.pid, &m_holder.host, &m_holder.application))
        return State::HeldByOther;
    // Something stands there that no run wrote (garbage, a folder): no run
    // holds the folder through it. It is replaced by a lock of this run when
    // it can be removed; otherwise this run goes on without a lock, as in a
    // folder where none can be made, rather than be kept read-only by it.
    m_holder = {};
    if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return State::Held;
    return State::NoLock;
}
