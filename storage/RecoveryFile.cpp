#include "storage/RecoveryFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

constexpr qsizetype kMarkerSize = sizeof kRecoveryMarker - 1;
constexpr qsizetype kImageSize = kMarkerSize + sizeof(VirusTable) + sizeof(HeroTable);

// The file's first kImageSize bytes when it is a regular file that starts
// with the marker and holds both tables; empty otherwise.
QByteArray ReadImage(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() < kImageSize)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray image = file.read(kImageSize);
    if (image.size() != kImageSize || !image.startsWith(kRecoveryMarker))
        return {};
    return image;
}

} // namespace

QString RecoveryFilePath(const QString& folder)
{
    return DataFilePath(folder, kRecoveryFileName);
}

std::optional<SaveFailure> SaveRecoveryFile(const PlanningTables& tables, const QString& folder)
{
    QByteArray image(kRecoveryMarker, kMarkerSize);
    image.append(reinterpret_cast<const char*>(tables.virusTable.data()), sizeof(VirusTable));
    image.append(reinterpret_cast<const char*>(tables.heroTable.data()), sizeof(HeroTable));
    return SaveFileImage(RecoveryFilePath(folder), image);
}

bool HasPendingRecovery(const QString& folder)
{
    const QFileInfo recovery(RecoveryFilePath(folder));
    if (ReadImage(recovery.filePath()).isEmpty())
        return false;
    const QDateTime written = recovery.lastModified();
    for (const char* name : {kVirusFileName, kHeroFileName}) {
        const QFileInfo data(DataFilePath(folder, name));
        if (data.exists() && data.lastModified() >= written)
            return false;
    }
    return true;
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
    if (QFileInfo(path).isFile())
        QFile::remove(path);
}
