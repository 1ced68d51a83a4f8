// Replays inputs through a fuzz target without libFuzzer, so that every
// build, GCC included, runs the committed corpora as ordinary tests. Each
// argument is a file or a folder whose files are all replayed, in name order.

#include "fuzz/FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace {

QStringList InputsOf(const QString& argument)
{
    const QFileInfo info(argument);
    // Absolute, because a target may change the current folder.
    if (!info.isDir())
        return {info.absoluteFilePath()};
    QStringList files;
    const QDir folder(info.absoluteFilePath());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
        return 2;
    }
    QStringList inputs;
    for (int i = 1; i < argc; ++i)
        inputs.append(InputsOf(QFile::decodeName(argv[i])));
    if (LLVMFuzzerInitialize(&argc, &argv) != 0) {
        std::fprintf(stderr, "the target could not be set up\n");
        return 1;
    }

    int replayed = 0;
    for (const QString& input : inputs) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
            return 1;
        }
        // An exact-size copy, so that a read past the input shows under the
        // address sanitizer.
        const QByteArray content = file.readAll();
        std::vector<std::uint8_t> bytes(content.begin(), content.end());
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", qPrintable(input), bytes.size());
        LLVMFuzzerTestOneInput(bytes.empty() ? nullptr : bytes.data(), bytes.size());
        ++replayed;
    }
    std::printf("replayed %d inputs\n", replayed);
    if (replayed == 0) {
        std::fprintf(stderr, "no inputs found\n");
        return 1;
    }
    return 0;
}
