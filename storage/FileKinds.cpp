#include "storage/FileKinds.h"

#include "storage/FileErrors.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

FileKind KindOfMode(bool isFolder, bool isRegular)
{
    if (isFolder)
        return FileKind::Folder;
    return isRegular ? FileKind::Regular : FileKind::Special;
}

} // namespace

#ifdef Q_OS_UNIX

FileKindAt ExamineFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat entry
    {
    };
    if (::lstat(name.constData(), &entry) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {FileKind::Nothing, false, 0};
        return {FileKind::Unknown, false, errno};
    }
    FileKindAt found;
    found.isLink = S_ISLNK(entry.st_mode);
    if (found.isLink) {
        struct stat target
        {
        };
        if (::stat(name.constData(), &target) != 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                return {FileKind::DanglingLink, true, 0};
            return {FileKind::Unknown, true, errno}; // a loop, no permission on the way
        }
        entry = target;
    }
    found.kind = KindOfMode(S_ISDIR(entry.st_mode), S_ISREG(entry.st_mode));
    return found;
}

#else

FileKindAt ExamineFile(const QString& path)
{
    const QFileInfo info(path);
    FileKindAt found;
    found.isLink = info.isSymLink();
    if (!info.exists())
        found.kind = found.isLink ? FileKind::DanglingLink : FileKind::Nothing;
    else
        found.kind = KindOfMode(info.isDir(), info.isFile());
    return found;
}

#endif

int ReadRefusal(const FileKindAt& found)
{
    switch (found.kind) {
    case FileKind::Nothing:
        return ENOENT;
    case FileKind::Regular:
        return 0;
    case FileKind::Folder:
        return EISDIR;
    case FileKind::Special:
        return kNotARegularFile;
    case FileKind::DanglingLink:
        return kDanglingLink;
    case FileKind::Unknown:
        break;
    }
    return found.error == 0 ? EIO : found.error;
}

int WriteRefusal(const FileKindAt& found, bool followLinks)
{
    if (found.isLink && !followLinks)
        return kNotARegularFile;
    if (found.kind == FileKind::Nothing)
        return 0;
    return ReadRefusal(found);
}

#ifdef Q_OS_UNIX

ReadOutcome ReadRegularFile(const QString& path, qint64 limit, bool noFollow)
{
    ReadOutcome outcome;
    const auto fail = [&outcome](int error) {
        outcome.bytes.clear();
        outcome.error = error;
        outcome.reason = SystemErrorText(error);
        return outcome;
    };
    const FileKindAt found = ExamineFile(path);
    if (noFollow && found.isLink)
        return fail(kNotARegularFile);
    if (const int refusal = ReadRefusal(found))
        return fail(refusal);
    // Between the look above and the open something else may have taken the
    // file's place: the open does not wait, and fstat tells what was opened.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return fail(errno == ELOOP ? kNotARegularFile : errno);
    struct CloseOnExit
    {
        int fd;
        ~CloseOnExit() { ::close(fd); }
    } closer{fd};
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        return fail(errno);
    if (!S_ISREG(status.st_mode))
        return fail(S_ISDIR(status.st_mode) ? EISDIR : kNotARegularFile);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    outcome.size = status.st_size;
    const qint64 want = std::min<qint64>(limit, status.st_size);
    outcome.bytes.resize(static_cast<qsizetype>(want));
    qint64 done = 0;
    // A file that grows while it is read gives at most `limit` bytes.
    while (done < limit) {
        if (done == outcome.bytes.size())
            outcome.bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, done + 65536)));
        const ssize_t got = ::read(fd, outcome.bytes.data() + done,
                                   static_cast<std::size_t>(outcome.bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(errno);
        if (got == 0)
            break;
        done += got;
    }
    outcome.bytes.resize(static_cast<qsizetype>(done));
    outcome.size = std::max<qint64>(outcome.size, done);
    return outcome;
}

#else

ReadOutcome ReadRegularFile(const QString& path, qint64 limit, bool noFollow)
{
    ReadOutcome outcome;
    const FileKindAt found = ExamineFile(path);
    int refusal = noFollow && found.isLink ? kNotARegularFile : ReadRefusal(found);
    QFile file(path);
    if (refusal == 0 && !file.open(QIODevice::ReadOnly))
        refusal = EACCES;
    if (refusal != 0) {
        outcome.error = refusal;
        outcome.reason = refusal == EACCES ? file.errorString() : SystemErrorText(refusal);
        return outcome;
    }
    outcome.size = file.size();
    outcome.bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError) {
        outcome.bytes.clear();
        outcome.error = EIO;
        outcome.reason = file.errorString();
    }
    return outcome;
}

#endif
