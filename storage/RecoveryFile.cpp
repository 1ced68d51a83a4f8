#include "storage/RecoveryFile.h"

#include "storage/FileErrors.h"
#include "storage/FileKinds.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kMarkerSize = sizeof kRecoveryMarker - 1;
constexpr qsizetype kImageSize = kMarkerSize + sizeof(VirusTable) + sizeof(HeroTable);
static_assert(sizeof kKeptRecoveryMarker == sizeof kRecoveryMarker);

QString RecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           u"/Quorvel/recovery"_s;
}

// The file's first kImageSize bytes when it is a regular file (not a link)
// that starts with a marker and holds both tables; empty otherwise.
QByteArray ReadImage(const QString& path)
{
    const ReadOutcome read = ReadRegularFile(path, kImageSize, true);
    if (!read.ok() || read.bytes.size() != kImageSize)
        return {};
    if (!read.bytes.startsWith(kRecoveryMarker) && !read.bytes.startsWith(kKeptRecoveryMarker))
        return {};
    return read.bytes;
}

bool HoldsTables(const QByteArray& image, const PlanningTables& tables)
{
    const char* bytes = image.constData() + kMarkerSize;
    return std::memcmp(bytes, tables.virusTable.data(), sizeof(VirusTable)) == 0 &&
           std::memcmp(bytes + sizeof(VirusTable), tables.heroTable.data(), sizeof(HeroTable)) == 0;
}

} // namespace

QString RecoveryFilePath(const QString& folder)
{
    // The canonical path, so that every way of naming one folder (a link to
    // it, a relative path) finds the same file.
    const QFileInfo info(folder.isEmpty() ? QDir::currentPath() : folder);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty())
        canonical = info.absoluteFilePath();
    const QByteArray digest =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex();
    return RecoveryFolder() + u'/' + QString::fromLatin1(digest.left(32)) + u".recovery"_s;
}

std::optional<SaveFailure> SaveRecoveryFile(const PlanningTables& tables, const QString& folder,
                                            RecoveryReason reason)
{
    const QString path = RecoveryFilePath(folder);
    const QString folderPath = QFileInfo(path).absolutePath();
    if (!QFileInfo(folderPath).isDir()) {
        if (!QDir().mkpath(folderPath))
            return SaveFailure{path, SystemErrorText(ENOENT), ENOENT};
        // The guild's tables are nobody else's business on a shared machine.
        QFile::setPermissions(folderPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
    }
    if (const int refusal = WriteRefusal(ExamineFile(path), false))
        return SaveFailure{path, SystemErrorText(refusal), refusal};
    QByteArray image(reason == RecoveryReason::KeptAtExit ? kKeptRecoveryMarker : kRecoveryMarker,
                     kMarkerSize);
    image.append(reinterpret_cast<const char*>(tables.virusTable.data()), sizeof(VirusTable));
    image.append(reinterpret_cast<const char*>(tables.heroTable.data()), sizeof(HeroTable));
    return SaveFileImage(path, image);
}

std::optional<PendingRecovery> FindPendingRecovery(const QString& folder,
                                                   const PlanningTables& loaded)
{
    const QString path = RecoveryFilePath(folder);
    const QByteArray image = ReadImage(path);
    if (image.isEmpty() || HoldsTables(image, loaded))
        return std::nullopt;
    const RecoveryReason reason = image.startsWith(kKeptRecoveryMarker)
                                      ? RecoveryReason::KeptAtExit
                                      : RecoveryReason::UnfinishedRun;
    return PendingRecovery{path, reason};
}

void RemoveRecoveryFileIfContained(const QString& folder, const PlanningTables& loaded)
{
    const QByteArray image = ReadImage(RecoveryFilePath(folder));
    if (!image.isEmpty() && HoldsTables(image, loaded))
        RemoveRecoveryFile(folder);
}

bool LoadRecoveryFile(PlanningTables& tables, const QString& folder)
{
    const QByteArray image = ReadImage(RecoveryFilePath(folder));
    if (image.isEmpty())
        return false;
    const char* bytes = image.constData() + kMarkerSize;
    std::memcpy(tables.virusTable.data(), bytes, sizeof(VirusTable));
    std::memcpy(tables.heroTable.data(), bytes + sizeof(VirusTable), sizeof(HeroTable));
    return true;
}

void RemoveRecoveryFile(const QString& folder)
{
    const QString path = RecoveryFilePath(folder);
    // Whatever stands there, a link included, is the program's own name in
    // the user's own folder; a link is removed, never followed.
    const FileKindAt found = ExamineFile(path);
    if (found.isLink || found.kind == FileKind::Regular)
        QFile::remove(path);
}
