#include "storage/SettingsStore.h"

#include "storage/FileKinds.h"
#include "storage/PlainSettingsFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

#include <limits>
#include <memory>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// How long an exit waits for another run's lock on the settings file before
// it leaves the choices unwritten: the choices are a convenience and must
// never hold the program up.
constexpr int kLockWaitMilliseconds = 500;

#ifdef Q_OS_WIN

std::unique_ptr<QSettings> OpenStore(const QString& applicationName, const QString&)
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(SettingsStore::kOrganization),
                                       applicationName);
}

#else

// Elsewhere the native store is an INI file, read as plain text (see
// PlainSettingsFormat), opened by its path so that only that one file is
// read (no system-wide or organisation-wide fall-backs) and only after it
// has been seen to be a regular file or nothing: a pipe or a device there
// would block the open for ever. A file too large to be the store's is
// somebody else's: it reads as empty, and QSettings would write its keys over
// it, so it is not opened at all.
std::unique_ptr<QSettings> OpenStore(const QString&, const QString& path)
{
    // The same check as every other file the program reads: a regular file
    // or nothing, never a link that leads nowhere (a write would create its
    // target).
    const FileKind kind = ExamineFile(path).kind;
    if (kind != FileKind::Nothing &&
        (kind != FileKind::Regular || QFileInfo(path).size() > kLargestSettingsFile))
        return nullptr;
    return std::make_unique<QSettings>(path, PlainSettingsFormat());
}

// A folder where the lock file should be is no lock: QLockFile only ever
// makes files. Left there, it would stop every later run from writing the
// choices, so it is cleared: removed when empty, otherwise moved aside under
// a name of its own with everything in it.
bool ClearFolderInLockPlace(const QString& lockPath)
{
    const QFileInfo entry(lockPath);
    if (entry.isSymLink() || !entry.isDir())
        return false;
    if (QDir().rmdir(lockPath))
        return true;
    QString aside = lockPath + u".not-a-lock"_s;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = lockPath + u".not-a-lock-"_s + QString::number(n);
    return QDir().rename(lockPath, aside);
}

// QSettings waits without end for the lock file beside the settings file
// when it cannot create it (a folder or a link in its place, a lock that does
// not look stale to it). Taking that lock here first, for a bounded time,
// tells whether QSettings' own attempt will succeed at once. A lock left by a
// run that was killed is recognised by QLockFile and taken over; one that
// cannot even be read (garbage, a link to nothing) is removed as stale.
bool SettingsLockIsFree(const QString& path)
{
    // The lock needs the folder that QSettings would create anyway.
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QLockFile lock(path + u".lock"_s);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWaitMilliseconds)) {
        qint64 pid = 0;
        QString host;
        QString application;
        if (lock.error() == QLockFile::LockFailedError &&
            lock.getLockInfo(&pid, &host, &application))
            return false; // held by a live run: leave the choices unwritten
        if (!lock.removeStaleLockFile() && !QFile::remove(path + u".lock"_s) &&
            !ClearFolderInLockPlace(path + u".lock"_s))
            return false;
        if (!lock.tryLock(kLockWaitMilliseconds))
            return false;
    }
    lock.unlock();
    return true;
}

#endif

QString Key(const QString& section, const QString& name)
{
    return section + u'/' + name;
}

// The whole number a stored value holds: decimal text (blanks around it
// allowed) or an integer. Text that only begins with a number ("12" and then
// a zero character and more), a truth value and a fraction hold none, rather
// than a number the user never wrote.
std::optional<qlonglong> WholeNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString().trimmed();
        const qsizetype digitsFrom = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
        if (text.size() == digitsFrom)
            return std::nullopt;
        for (qsizetype i = digitsFrom; i < text.size(); ++i) {
            if (text[i] < u'0' || text[i] > u'9')
                return std::nullopt;
        }
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        return ok ? std::optional(number) : std::nullopt;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qlonglong>::max()))
            return std::nullopt;
        return value.toLongLong();
    default:
        return std::nullopt;
    }
}

// The stored value, or `fallback` when it is missing or is not a 32-bit
// integer: text that is no number and numbers beyond 32 bits give the default
// rather than a silent 0 or a truncated value. A number from 2^31 to 2^32 - 1
// is the unsigned reading of a 32-bit pattern (4294967295 for -1, as the
// registry shows a DWORD) and stands for its signed value.
std::int32_t ReadInt(const QSettings& settings, const QString& name, std::int32_t fallback,
                     const char* section = SettingsStore::kSection)
{
    const QVariant value = settings.value(Key(QString::fromLatin1(section), name));
    if (!value.isValid())
        return fallback;
    const std::optional<qlonglong> number = WholeNumber(value);
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::uint32_t>::max())
        return fallback;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
}

void WriteInt(QSettings& settings, const QString& name, std::int32_t value,
              const char* section = SettingsStore::kSection)
{
    settings.setValue(Key(QString::fromLatin1(section), name), static_cast<int>(value));
}

} // namespace

SettingsStore::SettingsStore(QString applicationName)
    : m_applicationName(std::move(applicationName))
#ifndef Q_OS_WIN
      ,
      m_filePath(filePath(m_applicationName))
#endif
{
}

QString SettingsStore::programName()
{
    return programNameOf(QCoreApplication::applicationFilePath());
}

QString SettingsStore::programNameOf(const QString& programFile)
{
    QString name = QFileInfo(programFile).fileName();
#ifdef Q_OS_WIN
    if (name.endsWith(u".exe"_s, Qt::CaseInsensitive))
        return name.chopped(4);
#endif
    // Programs here have no extension: "quorvel.v2" is a program of its own.
    return name;
}

QString SettingsStore::filePath(const QString& applicationName)
{
    // QSettings is the one that knows the folder (and the one a test may
    // have moved with QSettings::setPath), but opening a store reads its
    // files. A format of its own with an extension no file has tells the
    // folder without opening anything.
    static constexpr char kProbeExtension[] = "quorvel-path-probe";
    static const QSettings::Format probe = QSettings::registerFormat(
        QString::fromLatin1(kProbeExtension),
        [](QIODevice&, QSettings::SettingsMap&) { return true; },
        [](QIODevice&, const QSettings::SettingsMap&) { return true; });
    const QSettings settings(probe, QSettings::UserScope, QString::fromLatin1(kOrganization),
                             applicationName);
    QString path = settings.fileName();
    path.chop(qsizetype(sizeof kProbeExtension - 1));
    return path + u"conf"_s;
}

RememberedChoices SettingsStore::readChoices() const
{
    const RememberedChoices defaults;
    const std::unique_ptr<QSettings> store = OpenStore(m_applicationName, m_filePath);
    if (!store)
        return defaults;
    const QSettings& settings = *store;
    RememberedChoices choices;
    choices.m_lastVirus = ReadInt(settings, u"Virus"_s, defaults.m_lastVirus);
    choices.m_lastHero = ReadInt(settings, u"Hero"_s, defaults.m_lastHero);
    choices.m_lastPlan = ReadInt(settings, u"Plan"_s, defaults.m_lastPlan);
    choices.m_topmost = ReadInt(settings, u"Topmost"_s, defaults.m_topmost);
    choices.m_planOrder = ReadInt(settings, u"PlanOrder"_s, defaults.m_planOrder);
    return choices;
}

void SettingsStore::writeChoices(const RememberedChoices& choices) const
{
    const std::unique_ptr<QSettings> store = OpenStore(m_applicationName, m_filePath);
    if (!store)
        return;
#ifndef Q_OS_WIN
    if (!SettingsLockIsFree(store->fileName()))
        return;
#endif
    QSettings& settings = *store;
    WriteInt(settings, u"Virus"_s, choices.m_lastVirus);
    WriteInt(settings, u"Hero"_s, choices.m_lastHero);
    WriteInt(settings, u"Plan"_s, choices.m_lastPlan);
    WriteInt(settings, u"Topmost"_s, choices.m_topmost);
    WriteInt(settings, u"PlanOrder"_s, choices.m_planOrder);
    settings.sync();
}

LanguageChoice SettingsStore::readLanguageChoice() const
{
    const std::unique_ptr<QSettings> store = OpenStore(m_applicationName, m_filePath);
    if (!store)
        return LanguageChoice::System;
    const std::int32_t stored = ReadInt(*store, u"Language"_s, 0, kOptionsSection);
    switch (static_cast<LanguageChoice>(stored)) {
    case LanguageChoice::Chinese:
    case LanguageChoice::English:
        return static_cast<LanguageChoice>(stored);
    case LanguageChoice::System:
        break;
    }
    return LanguageChoice::System;
}

bool SettingsStore::writeLanguageChoice(LanguageChoice choice) const
{
    const std::unique_ptr<QSettings> store = OpenStore(m_applicationName, m_filePath);
    if (!store)
        return false;
#ifndef Q_OS_WIN
    if (!SettingsLockIsFree(store->fileName()))
        return false;
#endif
    WriteInt(*store, u"Language"_s, static_cast<std::int32_t>(choice), kOptionsSection);
    store->sync();
    return store->status() == QSettings::NoError;
}
