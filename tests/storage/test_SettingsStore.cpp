// The settings store under faults: a lock file that is stale, odd or in the
// way never holds an exit up for more than about a second, a pipe at the
// settings path never blocks, hand-written files (a byte-order mark, the
// unsigned spelling of -1, keys of other programs) read as meant, and a
// program file with a dot in its name keeps settings of its own.

#include "storage/SettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class SettingsStoreFaults : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_config.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        ASSERT_TRUE(QDir(m_config.path()).mkpath(u"Quorvel"_s));
        m_store.emplace(u"quorvel"_s);
        alarm(60); // a store blocked on a pipe or a lock ends the test here
    }
    void TearDown() override { alarm(0); }

    QString settingsPath() const { return SettingsStore::filePath(u"quorvel"_s); }
    QString lockPath() const { return settingsPath() + u".lock"_s; }
    void WriteSettings(const QByteArray& text) const
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(text), text.size());
    }
    QByteArray SettingsText() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Writes the choices and returns how long that took, in milliseconds.
    qint64 TimedWrite(const RememberedChoices& choices) const
    {
        QElapsedTimer timer;
        timer.start();
        m_store->writeChoices(choices);
        const qint64 elapsed = timer.elapsed();
        std::printf("writing the choices took %lld ms\n", static_cast<long long>(elapsed));
        return elapsed;
    }

    std::optional<SettingsStore> m_store; // made once the folder is set
    const RememberedChoices m_choices{7, 3, 2, 1, 0};

private:
    QTemporaryDir m_config;
};

// Generous: only a wait without end, or QLockFile's 30 s stale time, is a
// fault; the bound itself is reported by the tests' output.
constexpr qint64 kHangMilliseconds = 5000;

} // namespace

TEST_F(SettingsStoreFaults, FileSitsInTheIniFolderUnderTheProgramsName)
{
    EXPECT_TRUE(settingsPath().endsWith(u"/Quorvel/quorvel.conf"_s))
        << settingsPath().toStdString();
    m_store->writeChoices(m_choices);
    EXPECT_TRUE(SettingsText().contains("Virus=7")) << SettingsText().toStdString();
}

TEST_F(SettingsStoreFaults, ProgramNameKeepsEveryDotOnLinux)
{
    EXPECT_EQ(SettingsStore::programNameOf(u"/opt/quorvel/quorvel"_s), u"quorvel"_s);
    EXPECT_EQ(SettingsStore::programNameOf(u"/opt/quorvel/quorvel.v2"_s), u"quorvel.v2"_s);
    EXPECT_EQ(SettingsStore::programNameOf(u"/opt/quorvel/quorvel.exe"_s), u"quorvel.exe"_s);
}

TEST_F(SettingsStoreFaults, StaleLocksAreTakenOver)
{
    // A lock of a run that was killed (its process is gone), garbage, and a
    // link to nothing: each is recognised as stale and the choices written.
    const QByteArray locks[] = {"999999\nquorvel\n" + QSysInfo::machineHostName().toUtf8() + "\n",
                                "not a lock at all"};
    for (const QByteArray& lock : locks) {
        QFile file(lockPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lock);
        file.close();
        QFile::remove(settingsPath());
        EXPECT_LT(TimedWrite(m_choices), kHangMilliseconds);
        EXPECT_TRUE(SettingsText().contains("Hero=3")) << lock.toStdString();
        EXPECT_FALSE(QFileInfo::exists(lockPath()));
    }
    ASSERT_TRUE(QFile::link(settingsPath() + u".nowhere"_s, lockPath()));
    QFile::remove(settingsPath());
    EXPECT_LT(TimedWrite(m_choices), kHangMilliseconds);
    EXPECT_TRUE(SettingsText().contains("Hero=3"));
}

TEST_F(SettingsStoreFaults, AFolderInTheLocksPlaceIsClearedWithoutLosingWhatItHolds)
{
    // An empty folder is removed; one with something in it is moved aside
    // whole. Either way the choices are written, this run and the next.
    ASSERT_TRUE(QDir().mkpath(lockPath()));
    EXPECT_LT(TimedWrite(m_choices), kHangMilliseconds);
    EXPECT_TRUE(SettingsText().contains("Hero=3"));
    EXPECT_FALSE(QFileInfo::exists(lockPath()));

    QFile::remove(settingsPath());
    ASSERT_TRUE(QDir().mkpath(lockPath() + u"/inside"_s));
    EXPECT_LT(TimedWrite(m_choices), kHangMilliseconds);
    EXPECT_TRUE(SettingsText().contains("Hero=3"));
    EXPECT_FALSE(QFileInfo::exists(lockPath()));
    EXPECT_TRUE(QFileInfo(lockPath() + u".not-a-lock/inside"_s).isDir());
    EXPECT_EQ(m_store->readChoices().m_lastHero, 3);
}

TEST_F(SettingsStoreFaults, LockHeldByALiveRunGivesUpInBoundedTime)
{
    WriteSettings("[Last%20Select]\nVirus=1\n");
    QLockFile held(lockPath());
    ASSERT_TRUE(held.tryLock(0));
    EXPECT_LT(TimedWrite(m_choices), kHangMilliseconds);
    EXPECT_EQ(SettingsText(), "[Last%20Select]\nVirus=1\n") << "written without its lock";
    EXPECT_EQ(m_store->readChoices().m_lastVirus, 1) << "reading needs no lock";
}

TEST_F(SettingsStoreFaults, PipeAtTheSettingsPathIsNeverOpened)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(settingsPath()).constData(), 0600), 0);
    const RememberedChoices read = m_store->readChoices();
    const RememberedChoices defaults;
    EXPECT_EQ(read.m_lastHero, defaults.m_lastHero);
    EXPECT_EQ(read.m_planOrder, defaults.m_planOrder);
    EXPECT_LT(TimedWrite(m_choices), kHangMilliseconds);
    struct stat status
    {
    };
    ASSERT_EQ(stat(QFile::encodeName(settingsPath()).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST_F(SettingsStoreFaults, ALinkToNothingAtTheSettingsPathIsNeverWrittenThrough)
{
    const QString target = settingsPath() + u".elsewhere"_s;
    ASSERT_TRUE(QFile::link(target, settingsPath()));
    EXPECT_EQ(m_store->readChoices().m_lastHero, RememberedChoices().m_lastHero);
    EXPECT_LT(TimedWrite(m_choices), kHangMilliseconds);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(QFileInfo(settingsPath()).isSymLink());
}

TEST_F(SettingsStoreFaults, UnsignedSpellingOfA32BitPatternIsItsSignedValue)
{
    WriteSettings("[Last%20Select]\nVirus=4294967295\nHero=4294967295\nPlan=2147483648\n"
                  "Topmost=2147483647\nPlanOrder=4294967296\n");
    RememberedChoices read = m_store->readChoices();
    EXPECT_EQ(read.m_lastVirus, -1);
    EXPECT_EQ(read.m_lastHero, -1);
    EXPECT_EQ(read.m_lastPlan, -2147483647 - 1);
    EXPECT_EQ(read.m_topmost, 2147483647);
    EXPECT_EQ(read.m_planOrder, 1) << "past 32 bits: the default";

    WriteSettings("[Last%20Select]\nVirus=-2147483649\nHero=-2147483648\n");
    read = m_store->readChoices();
    EXPECT_EQ(read.m_lastVirus, 0);
    EXPECT_EQ(read.m_lastHero, -2147483647 - 1);
}

TEST_F(SettingsStoreFaults, ByteOrderMarkIsReadLikeTextWithoutIt)
{
    WriteSettings("\xEF\xBB\xBF[Last%20Select]\r\nVirus=12\r\nHero=5\r\n");
    const RememberedChoices read = m_store->readChoices();
    EXPECT_EQ(read.m_lastVirus, 12);
    EXPECT_EQ(read.m_lastHero, 5);
    m_store->writeChoices(m_choices);
    const QByteArray text = SettingsText();
    EXPECT_EQ(text.count("[Last%20Select]"), 1) << text.toStdString();
    EXPECT_EQ(text.count("Virus="), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("Virus=7"));

    // A mark saved as text behind another mark.
    WriteSettings("\xEF\xBB\xBF\xEF\xBB\xBF[Last%20Select]\r\nPlan=2\r\n");
    EXPECT_EQ(m_store->readChoices().m_lastPlan, 2);

    // Inside the text a mark is a character like any other: of a key's name
    // (a key of somebody else's, kept as it is) or of a value (no number).
    WriteSettings("[Last%20Select]\n\xEF\xBB\xBFPlan=3\nHero=\xEF\xBB\xBF"
                  "4\n");
    const RememberedChoices marked = m_store->readChoices();
    EXPECT_EQ(marked.m_lastPlan, RememberedChoices{}.m_lastPlan);
    EXPECT_EQ(marked.m_lastHero, RememberedChoices{}.m_lastHero);
    m_store->writeChoices(m_choices);
    const QByteArray written = SettingsText();
    EXPECT_TRUE(written.contains("\n%EF%BB%BFPlan=3")) << written.toStdString();
    EXPECT_TRUE(written.contains("\nPlan=")) << written.toStdString();
    EXPECT_EQ(m_store->readChoices().m_lastPlan, m_choices.m_lastPlan);
}

TEST_F(SettingsStoreFaults, KeysOfOthersSurviveAWrite)
{
    WriteSettings("[General]\nTheme=dark\n\n[Last%20Select]\nVirus=4\nWindowX=120\n");
    m_store->writeChoices(m_choices);
    const QByteArray text = SettingsText();
    EXPECT_TRUE(text.contains("Theme=dark")) << text.toStdString();
    EXPECT_TRUE(text.contains("WindowX=120")) << text.toStdString();
    EXPECT_TRUE(text.contains("Virus=7")) << text.toStdString();
}
