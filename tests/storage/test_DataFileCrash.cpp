// A save killed at any moment leaves each file with exactly its old or its
// new bytes, never a mix, and nothing that a later load could take for data.

#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace storagetest;

namespace {

// Forks a child that saves `first` and `second` in turn, without end, and
// kills it with SIGKILL some microseconds after its first save is done. A save
// takes milliseconds (each file is synced to disk), so the kills land in
// different stages of the saves that follow.
void KillWhileSaving(const QString& folder, const PlanningTables& first,
                     const PlanningTables& second, int delayMicroseconds)
{
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(started[0]);
        for (long round = 0;; ++round) {
            SaveTables(round % 2 == 0 ? first : second, folder);
            if (round == 0 && write(started[1], "s", 1) != 1)
                _exit(3);
        }
    }
    close(started[1]);
    char signal = 0;
    ASSERT_EQ(read(started[0], &signal, 1), 1);
    close(started[0]);
    usleep(static_cast<useconds_t>(delayMicroseconds));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

} // namespace

TEST(DataFileCrash, KilledSaveLeavesOldOrNewBytesNeverAMix)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto tablesA = PatternTables(1);
    const auto tablesB = PatternTables(2); // differs from A at every byte
    ASSERT_TRUE(SaveTables(*tablesA, folder.path()).isEmpty());

    const QByteArray virusImages[] = {Image(tablesA->virusTable), Image(tablesB->virusTable)};
    const QByteArray heroImages[] = {Image(tablesA->heroTable), Image(tablesB->heroTable)};
    // What a killed save may leave besides the data files: its own
    // temporary file, named after the data file with a random suffix, which
    // no load ever opens.
    const QRegularExpression tempName(QStringLiteral("^(Virus|Heroes)\\.dat\\.\\w+$"));

    std::mt19937 dice(7);
    for (int kill = 0; kill < 6; ++kill) {
        const int delay = static_cast<int>(dice() % 30000);
        SCOPED_TRACE(testing::Message() << "kill " << kill << " after " << delay << " us");
        KillWhileSaving(folder.path(), *tablesA, *tablesB, delay);

        const QByteArray virus = ReadFile(folder.filePath(QStringLiteral("Virus.dat")));
        const QByteArray heroes = ReadFile(folder.filePath(QStringLiteral("Heroes.dat")));
        EXPECT_TRUE(virus == virusImages[0] || virus == virusImages[1])
            << "Virus.dat holds " << virus.size() << " bytes of neither image";
        EXPECT_TRUE(heroes == heroImages[0] || heroes == heroImages[1])
            << "Heroes.dat holds " << heroes.size() << " bytes of neither image";

        VirusTable loaded;
        LoadVirusTable(loaded, folder.path());
        EXPECT_EQ(Image(loaded), virus);

        for (const QString& entry : FolderEntries(folder.path())) {
            EXPECT_TRUE(entry == u"Virus.dat" || entry == u"Heroes.dat" ||
                        tempName.match(entry).hasMatch())
                << "unexpected entry " << entry.toStdString();
        }
    }
    ASSERT_TRUE(SaveTables(*tablesB, folder.path()).isEmpty()) << "a later save still works";
    EXPECT_EQ(ReadFile(folder.filePath(QStringLiteral("Heroes.dat"))), heroImages[1]);
}
