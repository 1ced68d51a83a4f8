#include "DataFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <optional>

namespace {

template <std::size_t Units> void SetName(char16_t (&field)[Units], std::u16string_view text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), text.size() * sizeof(char16_t));
}

// Reads at most `size` bytes of the file straight over `target`; a failure
// at any point keeps what already arrived.
void OverlayFromFile(const QString& path, void* target, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    auto* bytes = static_cast<char*>(target);
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(bytes + done, size - done);
        if (got <= 0)
            break;
        done += got;
    }
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

std::optional<SaveFailure> SaveImage(const QString& path, QByteArrayView image)
{
    const QFileInfo existing(path);
    QByteArray content(image.data(), image.size());
    if (existing.exists()) {
        if (existing.isDir())
            return SaveFailure{path, SystemReason(EISDIR)};
        // A read-only file refuses the save, as it does for every program;
        // checked here because the atomic replace below would not notice.
        if (existing.isFile() && !(existing.permissions() & QFileDevice::WriteOwner))
            return SaveFailure{path, SystemReason(EACCES)};
        if (existing.size() > image.size()) {
            QFile old(path);
            if (!old.open(QIODevice::ReadOnly) || !old.seek(image.size()))
                return SaveFailure{path, old.errorString()};
            const QByteArray tail = old.readAll();
            if (tail.size() != existing.size() - image.size())
                return SaveFailure{path, old.errorString()};
            content += tail;
        }
    }

    // Unbuffered, and written until done: a short write (a full disk, a file
    // size limit) reports no reason of its own, but writing the rest again
    // fails with the system's reason for it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return SaveFailure{path, file.errorString()};
    for (qsizetype done = 0; done < content.size();) {
        const qint64 wrote = file.write(content.constData() + done, content.size() - done);
        if (wrote <= 0) {
            const QString reason = wrote < 0 ? file.errorString() : SystemReason(EIO);
            file.cancelWriting();
            return SaveFailure{path, reason};
        }
        done += wrote;
    }
    if (!file.commit())
        return SaveFailure{path, file.errorString()};
    return std::nullopt;
}

} // namespace

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

void LoadVirusTable(VirusTable& table, const QString& folder)
{
    FillDefaultVirusTable(table);
    OverlayFromFile(DataFilePath(folder, kVirusFileName), table.data(), sizeof table);
}

void LoadHeroTable(HeroTable& table, const QString& folder)
{
    FillDefaultHeroTable(table);
    OverlayFromFile(DataFilePath(folder, kHeroFileName), table.data(), sizeof table);
}

QList<SaveFailure> SaveTables(const PlanningTables& tables, const QString& folder)
{
    QList<SaveFailure> failures;
    const auto save = [&](const char* fileName, const void* table, qsizetype size) {
        const QByteArrayView image(static_cast<const char*>(table), size);
        if (auto failure = SaveImage(DataFilePath(folder, fileName), image))
            failures.append(*failure);
    };
    save(kVirusFileName, tables.virusTable.data(), sizeof tables.virusTable);
    save(kHeroFileName, tables.heroTable.data(), sizeof tables.heroTable);
    return failures;
}

std::optional<SaveFailure> SaveVirusTable(const VirusTable& table, const QString& folder)
{
    return SaveImage(DataFilePath(folder, kVirusFileName),
                     QByteArrayView(reinterpret_cast<const char*>(table.data()), sizeof table));
}

std::optional<SaveFailure> SaveHeroTable(const HeroTable& table, const QString& folder)
{
    return SaveImage(DataFilePath(folder, kHeroFileName),
                     QByteArrayView(reinterpret_cast<const char*>(table.data()), sizeof table));
}
