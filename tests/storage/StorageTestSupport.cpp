#include "tests/storage/StorageTestSupport.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace storagetest {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot prepare " + path.toStdString());
}

std::unique_ptr<PlanningTables> PatternTables(int seed)
{
    auto tables = std::make_unique<PlanningTables>();
    const auto fill = [seed](auto& table) {
        auto* bytes = reinterpret_cast<unsigned char*>(table.data());
        for (std::size_t i = 0; i < sizeof table; ++i)
            bytes[i] =
                static_cast<unsigned char>(i * 131 + static_cast<std::size_t>(seed) * 17 + 1);
    };
    fill(tables->virusTable);
    fill(tables->heroTable);
    return tables;
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

unsigned ModeBits(const QString& path)
{
    struct stat status
    {
    };
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        throw std::runtime_error("cannot stat " + path.toStdString());
    return status.st_mode & 07777u;
}

void SetModeBits(const QString& path, unsigned mode)
{
    if (chmod(QFile::encodeName(path).constData(), mode) != 0)
        throw std::runtime_error("cannot chmod " + path.toStdString());
}

ChildResult RunInChild(const std::function<std::string()>& work)
{
    int channel[2];
    if (pipe(channel) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        close(channel[0]);
        const std::string output = work();
        std::size_t done = 0;
        while (done < output.size()) {
            const ssize_t wrote = write(channel[1], output.data() + done, output.size() - done);
            if (wrote <= 0)
                _exit(3);
            done += static_cast<std::size_t>(wrote);
        }
        _exit(0);
    }

    close(channel[1]);
    ChildResult result;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitedNormally = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

std::string DescribeFailures(const QList<SaveFailure>& failures)
{
    std::string text;
    for (const SaveFailure& failure : failures)
        text += (failure.filePath + u'|' + failure.reason + u'\n').toStdString();
    return text;
}

} // namespace storagetest
