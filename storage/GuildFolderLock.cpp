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
    if (!m_lock->getLockInfo(&m_holder.pid, &m_holder.host, &m_holder.application)) {
        // Held, but what it says cannot be read (garbage, a folder in its
        // place): no process can be named; it still counts as held unless
        // it can be removed as stale.
        if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
            return State::Held;
        m_holder = {};
    }
    return State::HeldByOther;
}
