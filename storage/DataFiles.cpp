#include "storage/DataFiles.h"

#include "storage/FileErrors.h"
#include "storage/FileKinds.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The old file's bytes past the table are carried over this many at a time,
// so a file of any size is kept without holding it in memory.
constexpr qint64 kCopyChunk = 1 << 20;

template <std::size_t Units> void SetName(char16_t (&field)[Units], std::u16string_view text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), text.size() * sizeof(char16_t));
}

LoadOutcome Unreadable(const QString& path, int error)
{
    return {path, LoadOutcome::State::Unreadable, error, SystemErrorText(error)};
}

#ifdef Q_OS_UNIX

// Reads at most `size` bytes of the file straight over `target`; a failure
// at any point keeps what already arrived. The open does not block, so a
// pipe or a device at the path is found out by fstat before anything waits on
// it.
LoadOutcome OverlayFromFile(const QString& path, void* target, qint64 size)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error != ENOENT)
            return Unreadable(path, error);
        // A link to nothing says a file was meant to be there: it is not
        // the defaults' missing file but one that cannot be read.
        if (ExamineFile(path).kind == FileKind::DanglingLink)
            return Unreadable(path, kDanglingLink);
        return {path, LoadOutcome::State::Missing, 0, {}};
    }
    struct CloseOnExit
    {
        int fd;
        ~CloseOnExit() { ::close(fd); }
    } closer{fd};
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        return Unreadable(path, errno);
    if (S_ISDIR(status.st_mode))
        return Unreadable(path, EISDIR);
    if (!S_ISREG(status.st_mode))
        return Unreadable(path, kNotARegularFile);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    auto* bytes = static_cast<char*>(target);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes + done, static_cast<std::size_t>(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Unreadable(path, errno);
        if (got == 0)
            break;
        done += got;
    }
    return {path, LoadOutcome::State::Read, 0, {}};
}

#else

LoadOutcome OverlayFromFile(const QString& path, void* target, qint64 size)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return Unreadable(path, kDanglingLink);
    if (!info.exists())
        return {path, LoadOutcome::State::Missing, 0, {}};
    if (info.isDir())
        return Unreadable(path, EISDIR);
    if (!info.isFile())
        return Unreadable(path, kNotARegularFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {path, LoadOutcome::State::Unreadable, EACCES, file.errorString()};
    auto* bytes = static_cast<char*>(target);
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(bytes + done, size - done);
        if (got < 0)
            return {path, LoadOutcome::State::Unreadable, EIO, file.errorString()};
        if (got == 0)
            break;
        done += got;
    }
    return {path, LoadOutcome::State::Read, 0, {}};
}

#endif

SaveFailure Failure(const QString& path, int error)
{
    return SaveFailure{path, SystemErrorText(error), error};
}

// A file that cannot be made because its folder refuses new entries is
// reported with the folder as the cause: the file's own permissions are not
// what stands in the way, and the user has to change the folder's.
SaveFailure FolderOrFileFailure(const QString& path, SaveFailure failure)
{
    if (failure.error != EACCES && failure.error != EPERM && failure.error != EROFS)
        return failure;
    const QFileInfo folderInfo(QFileInfo(path).absolutePath());
    if (failure.error == EROFS || folderInfo.isWritable())
        return failure;
    return SaveFailure{path, failure.reason, kFolderNotWritable};
}

// A failure reported by Qt right after a system call: errno still holds that
// call's code.
SaveFailure QtFailure(const QString& path, const QFileDevice& file, int error)
{
    return SaveFailure{path, file.errorString(), error == 0 ? EIO : error};
}

// Writes all of `data` at the save file's current position; a short write (a
// full disk, a file size limit) reports no reason of its own, but writing the
// rest again fails with the system's reason for it.
std::optional<int> WriteAll(QSaveFile& file, const char* data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        errno = 0;
        const qint64 wrote = file.write(data + done, size - done);
        if (wrote <= 0)
            return wrote < 0 && errno != 0 ? errno : EIO;
        done += wrote;
    }
    return std::nullopt;
}

// Copies the old file's bytes from `from` to its end into the save file at
// the same offsets. On Linux the holes of a sparse file are skipped, so they
// stay holes and cost no time; elsewhere everything is copied.
std::optional<SaveFailure> CopyTail(const QString& path, QFile& old, qint64 from, qint64 end,
                                    QSaveFile& file)
{
    QByteArray chunk(static_cast<qsizetype>(std::min(kCopyChunk, end - from)), Qt::Uninitialized);
    qint64 position = from;
    while (position < end) {
        qint64 dataEnd = end;
#if defined(SEEK_DATA) && defined(SEEK_HOLE)
        const off_t data = ::lseek(old.handle(), static_cast<off_t>(position), SEEK_DATA);
        if (data < 0) {
            if (errno != ENXIO)
                return Failure(path, errno);
            break; // nothing but a hole up to the end
        }
        position = data;
        const off_t hole = ::lseek(old.handle(), static_cast<off_t>(position), SEEK_HOLE);
        dataEnd = hole < 0 ? end : std::min<qint64>(hole, end);
#endif
        if (!old.seek(position))
            return QtFailure(path, old, errno);
        if (!file.seek(position))
            return QtFailure(path, file, errno);
        while (position < dataEnd) {
            const qint64 want = std::min<qint64>(chunk.size(), dataEnd - position);
            errno = 0;
            const qint64 got = old.read(chunk.data(), want);
            if (got <= 0)
                return QtFailure(path, old, errno);
            if (const auto error = WriteAll(file, chunk.constData(), got))
                return Failure(path, *error);
            position += got;
        }
    }
    // A tail that ends in a hole: the length still has to match.
    if (file.size() < end && !file.resize(end))
        return QtFailure(path, file, errno);
    return std::nullopt;
}

// A save killed before its rename leaves its temporary file, named after the
// data file with six random letters or digits; once a save has replaced the
// file, those are of no use.
void RemoveLeftoverTemporaries(const QString& path)
{
    const QFileInfo target(path);
    const QString prefix = target.fileName() + u'.';
    const auto isLeftover = [&prefix](const QString& name) {
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
            return false;
        for (qsizetype i = prefix.size(); i < name.size(); ++i) {
            const char16_t unit = name[i].unicode();
            if (!((unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') ||
                  (unit >= u'A' && unit <= u'Z')))
                return false;
        }
        return true;
    };
    const QDir folder = target.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isLeftover(name))
            continue;
        const QFileInfo entry(folder.filePath(name));
        if (!entry.isSymLink() && entry.isFile())
            QFile::remove(entry.absoluteFilePath());
    }
}

} // namespace

std::optional<SaveFailure> SaveFileImage(const QString& path, QByteArrayView image)
{
    const QFileInfo existing(path);
    if (!existing.absoluteDir().exists())
        return Failure(path, ENOENT);
    if (const int refusal = WriteRefusal(ExamineFile(path)))
        return Failure(path, refusal);

    QFile old(path);
    qint64 oldSize = 0;
    if (existing.exists()) {
        // A read-only file refuses the save, as it does for every program;
        // checked here because the atomic replace below would not notice.
        if (!(existing.permissions() & QFileDevice::WriteOwner))
            return Failure(path, EACCES);
        oldSize = existing.size();
        if (oldSize > image.size()) {
            errno = 0;
            if (!old.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
                return QtFailure(path, old, errno);
        }
    }

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FolderOrFileFailure(path, QtFailure(path, file, errno));
    std::optional<SaveFailure> failure;
    if (const auto error = WriteAll(file, image.data(), image.size()))
        failure = Failure(path, *error);
    else if (oldSize > image.size())
        failure = CopyTail(path, old, image.size(), oldSize, file);
    if (failure) {
        file.cancelWriting();
        return failure;
    }
    errno = 0;
    if (!file.commit())
        return FolderOrFileFailure(path, QtFailure(path, file, errno));
    RemoveLeftoverTemporaries(path);
    return std::nullopt;
}

QString DataFilePath(const QString& folder, const char* fileName)
{
    const QString name = QString::fromLatin1(fileName);
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

void FillDefaultVirusTable(VirusTable& table)
{
    for (VirusRecord& virus : table) {
        std::memset(&virus, 0, sizeof virus);
        SetName(virus.name, u"未知病毒");
        virus.stupid = 9999;
        virus.hateful = 9999;
        virus.notAbnormal = 2000;
    }
}

void FillDefaultHeroTable(HeroTable& table)
{
    for (int i = 0; i < kHeroCount; ++i) {
        HeroRecord& hero = table[i];
        std::memset(&hero, 0, sizeof hero);
        SetName(hero.name, u"输入会友信息");
        hero.checked = i < 40 ? 1 : 0;
    }
    SetName(table[0].name, u"输入自己的信息");
}

LoadOutcome LoadVirusTable(VirusTable& table, const QString& folder)
{
    FillDefaultVirusTable(table);
    return OverlayFromFile(DataFilePath(folder, kVirusFileName), table.data(), sizeof table);
}

LoadOutcome LoadHeroTable(HeroTable& table, const QString& folder)
{
    FillDefaultHeroTable(table);
    return OverlayFromFile(DataFilePath(folder, kHeroFileName), table.data(), sizeof table);
}

QList<SaveFailure> SaveTables(const PlanningTables& tables, const QString& folder,
                              const QStringList& skip)
{
    QList<SaveFailure> failures;
    const auto save = [&](const char* fileName, const void* table, qsizetype size) {
        if (skip.contains(QString::fromLatin1(fileName)))
            return;
        const QByteArrayView image(static_cast<const char*>(table), size);
        if (auto failure = SaveFileImage(DataFilePath(folder, fileName), image))
            failures.append(*failure);
    };
    save(kVirusFileName, tables.virusTable.data(), sizeof tables.virusTable);
    save(kHeroFileName, tables.heroTable.data(), sizeof tables.heroTable);
    return failures;
}

std::optional<SaveFailure> SaveVirusTable(const VirusTable& table, const QString& folder)
{
    return SaveFileImage(DataFilePath(folder, kVirusFileName),
                         QByteArrayView(reinterpret_cast<const char*>(table.data()), sizeof table));
}

std::optional<SaveFailure> SaveHeroTable(const HeroTable& table, const QString& folder)
{
    return SaveFileImage(DataFilePath(folder, kHeroFileName),
                         QByteArrayView(reinterpret_cast<const char*>(table.data()), sizeof table));
}
