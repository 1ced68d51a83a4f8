// Bad input from the data files, end to end: files of every length, files of
// all-zero and all-0xFF bytes, names that fill their field without a zero
// unit, and stats of 65535 everywhere. Loading keeps to the file's bytes, the
// shared texts keep inside the name fields, and both searches give the same
// sensible plans. The suite also runs under the address and undefined-
// behaviour sanitizers, which catch any read past a field or any overflow.

#include "tests/storage/StorageTestSupport.h"

#include "engine/Candidates.h"
#include "engine/Strategies.h"
#include "engine/TeamSearch.h"
#include "texts/PlanTexts.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <string>

using namespace storagetest;
using namespace Qt::StringLiterals;

namespace {

// Nonzero bytes unlike any default, so that every name they cover has no zero
// unit and every covered byte shows.
QByteArray Pattern(qsizetype size, int offset)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(0x40 + (i + offset) % 61);
    return bytes;
}

// The shown name is the field's units up to its first zero unit, or the whole
// field when it has none; never a unit beyond it.
template <std::size_t Units>
testing::AssertionResult ShownWithinField(const QString& shown, const char16_t (&field)[Units])
{
    const auto size = static_cast<std::size_t>(shown.size());
    if (size > Units)
        return testing::AssertionFailure() << size << " units shown from a field of " << Units;
    if (size < Units && field[size] != u'\0')
        return testing::AssertionFailure()
               << "the name stops at unit " << size << ", not at a zero";
    if (std::memcmp(shown.utf16(), field, size * sizeof(char16_t)) != 0)
        return testing::AssertionFailure() << "the shown units differ from the field's";
    return testing::AssertionSuccess();
}

// Every name as the selectors, the plan view and the editors show it.
testing::AssertionResult NamesShownWithinFields(const PlanningTables& tables)
{
    for (int i = 0; i < kHeroCount; ++i) {
        const HeroRecord& hero = tables.heroTable[i];
        if (auto result = ShownWithinField(PlanTexts::HeroNameText(hero), hero.name); !result)
            return result << " (hero " << i << ")";
    }
    for (int i = 0; i < kVirusCount; ++i) {
        const VirusRecord& virus = tables.virusTable[i];
        const QString name = PlanTexts::VirusNameText(virus);
        if (auto result = ShownWithinField(name, virus.name); !result)
            return result << " (virus " << i << ")";
        const QChar gap(0x3000);
        if (!PlanTexts::VirusEntry(i, virus).contains(gap + name + gap))
            return testing::AssertionFailure() << "virus " << i << "'s entry lacks its name";
    }
    return testing::AssertionSuccess();
}

class BadInputSweep : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        FillDefaultVirusTable(m_defaults->virusTable);
        FillDefaultHeroTable(m_defaults->heroTable);
    }

    void WriteFiles(const QByteArray& virusBytes, const QByteArray& heroBytes) const
    {
        WriteFile(m_folder.filePath(u"Virus.dat"_s), virusBytes);
        WriteFile(m_folder.filePath(u"Heroes.dat"_s), heroBytes);
    }
    // Loads both files into tables whose every byte was something else.
    std::unique_ptr<PlanningTables> Load() const
    {
        auto tables = std::make_unique<PlanningTables>();
        FillBytes(tables->virusTable, 0xCD);
        FillBytes(tables->heroTable, 0xCD);
        LoadVirusTable(tables->virusTable, m_folder.path());
        LoadHeroTable(tables->heroTable, m_folder.path());
        return tables;
    }
    // The file's bytes over the defaults.
    template <typename Table>
    QByteArray Expected(const QByteArray& file, const Table& defaults) const
    {
        const QByteArray image = Image(defaults);
        const qsizetype covered = std::min(file.size(), image.size());
        return file.left(covered) + image.mid(covered);
    }

    QTemporaryDir m_folder;
    std::unique_ptr<PlanningTables> m_defaults = std::make_unique<PlanningTables>();
};

// Both searches on the same tables: the same answer, and a plan that lists
// six different heroes with exactly their totals, consistent damage bands
// and a finite positive score. Counts the plans found in `found`.
void ExpectSameSensiblePlan(PlanningTables& tables, const PlanRequest& request,
                            int* found = nullptr)
{
    const int virus = request.virus;
    const int leader = request.leader;
    const int n = request.strategy.n;
    const int k = request.strategy.k;
    const std::string where = "virus " + std::to_string(virus) + ", leader " +
                              std::to_string(leader) + ", n " + std::to_string(n) + ", k " +
                              std::to_string(k);
    PlanRecord fast;
    fast.heroes[0] = static_cast<std::uint32_t>(leader);
    PlanRecord reference = fast;
    const bool fastFound = FindBestTeam(tables, request, fast);
    const bool referenceFound = FindBestTeamReference(tables, request, reference);
    ASSERT_EQ(fastFound, referenceFound) << where;
    ASSERT_EQ(std::memcmp(&fast, &reference, sizeof fast), 0) << where;
    if (!fastFound)
        return;
    if (found != nullptr)
        ++*found;

    std::int64_t totals[3] = {0, 0, 0};
    for (int i = 0; i < 6; ++i) {
        ASSERT_LT(fast.heroes[i], static_cast<std::uint32_t>(kHeroCount)) << where;
        for (int j = 0; j < i; ++j)
            ASSERT_NE(fast.heroes[i], fast.heroes[j]) << where;
        const HeroRecord& hero = tables.heroTable[fast.heroes[i]];
        totals[0] += hero.smart;
        totals[1] += hero.cute;
        totals[2] += hero.abnormal;
    }
    EXPECT_EQ(fast.smartTotal, totals[0]) << where;
    EXPECT_EQ(fast.cuteTotal, totals[1]) << where;
    EXPECT_EQ(fast.abnormalTotal, totals[2]) << where;
    EXPECT_EQ(fast.heroDamageHigh - fast.heroDamageLow, 5) << where;
    EXPECT_EQ(fast.virusDamageHigh - fast.virusDamageLow, 5) << where;
    EXPECT_EQ(fast.critDamageHigh - fast.critDamageLow, 5) << where;
    EXPECT_TRUE(fast.score > 0.0f && std::isfinite(fast.score)) << where;
    bool isNumber = false;
    PlanTexts::FeasibilityIndex(fast).toDouble(&isNumber);
    EXPECT_TRUE(isNumber) << where << ": " << PlanTexts::FeasibilityIndex(fast).toStdString();
}

} // namespace

TEST_F(BadInputSweep, FilesOfEveryLengthUpTo4200BytesLoadOnlyTheirBytes)
{
    for (qsizetype length = 0; length <= 4200; ++length) {
        const QByteArray virusBytes = Pattern(length, 0);
        const QByteArray heroBytes = Pattern(length, 29);
        WriteFiles(virusBytes, heroBytes);
        const auto tables = Load();
        ASSERT_EQ(Image(tables->virusTable), Expected(virusBytes, m_defaults->virusTable))
            << "Virus.dat of " << length << " bytes";
        ASSERT_EQ(Image(tables->heroTable), Expected(heroBytes, m_defaults->heroTable))
            << "Heroes.dat of " << length << " bytes";
        // The pattern has no zero byte: every name it covers wholly has no
        // terminator, and a name it covers in part ends in the default's units.
        ASSERT_TRUE(NamesShownWithinFields(*tables)) << "files of " << length << " bytes";
    }
}

TEST_F(BadInputSweep, AllZeroFilesLoadAsEmptyNamesAndUncheckedHeroes)
{
    WriteFiles(QByteArray(2048, '\0'), QByteArray(4096, '\0'));
    const auto tables = Load();
    EXPECT_EQ(Image(tables->virusTable), QByteArray(2048, '\0'));
    EXPECT_EQ(Image(tables->heroTable), QByteArray(4096, '\0'));
    EXPECT_TRUE(NamesShownWithinFields(*tables));
    EXPECT_EQ(PlanTexts::VirusEntry(0, tables->virusTable[0]), u"第01关　　0/0/0"_s);
    // No hero is checked: only the leader is a candidate, and no team exists.
    for (int leader : {0, 77, 127}) {
        for (const Strategy& strategy : BuildStrategyList(false))
            ExpectSameSensiblePlan(*tables, PlanRequest{40, leader, strategy, {}});
    }
}

TEST_F(BadInputSweep, AllFFFilesShowWholeFieldsAndFindNoTeam)
{
    WriteFiles(QByteArray(2048, '\xFF'), QByteArray(4096, '\xFF'));
    const auto tables = Load();
    EXPECT_EQ(Image(tables->virusTable), QByteArray(2048, '\xFF'));
    EXPECT_TRUE(NamesShownWithinFields(*tables));
    EXPECT_EQ(PlanTexts::VirusNameText(tables->virusTable[63]).size(), kVirusNameUnits);
    EXPECT_EQ(PlanTexts::HeroNameText(tables->heroTable[127]).size(), kHeroNameUnits);
    EXPECT_TRUE(PlanTexts::VirusEntry(63, tables->virusTable[63]).endsWith(u"65535/65535/65535"_s));

    // All 128 heroes are checked, far too many teams for the reference; but a
    // 不异常 of 65535 turns the heroes' damage negative, so every damage
    // margin is negative and the fast search must find nothing, at once.
    for (int virus : {0, 25, 26, 63}) {
        for (const Strategy& strategy : BuildStrategyList(false)) {
            PlanRecord plan;
            plan.heroes[0] = 5;
            const PlanRecord before = plan;
            EXPECT_FALSE(FindBestTeam(*tables, PlanRequest{virus, 5, strategy, {}}, plan));
            EXPECT_EQ(std::memcmp(&plan, &before, sizeof plan), 0);
        }
    }
}

TEST_F(BadInputSweep, StatsOf65535EverywhereGiveTheSamePlansInBothSearches)
{
    // A dozen checked heroes (few enough for the reference), each stat 65535
    // or, for some, 0; every unchecked hero 65535 too, and every virus a mix
    // of 65535 and 0 over its three stats, on both sides of level 27.
    auto tables = std::make_unique<PlanningTables>();
    for (int i = 0; i < kHeroCount; ++i) {
        HeroRecord& hero = tables->heroTable[i];
        std::fill(std::begin(hero.name), std::end(hero.name), u'满');
        hero.checked = i < 12 ? 1 : 0;
        hero.smart = i % 5 == 4 ? 0 : 65535;
        hero.cute = 65535;
        hero.abnormal = i % 3 == 2 ? 0 : 65535;
    }
    for (int i = 0; i < kVirusCount; ++i) {
        VirusRecord& virus = tables->virusTable[i];
        std::fill(std::begin(virus.name), std::end(virus.name), u'毒');
        virus.stupid = i & 1 ? 65535 : 0;
        virus.hateful = i & 2 ? 65535 : 0;
        virus.notAbnormal = i & 4 ? 65535 : 0;
    }
    WriteFiles(Image(tables->virusTable), Image(tables->heroTable));
    tables = Load();
    ASSERT_TRUE(NamesShownWithinFields(*tables));

    int found = 0;
    for (int virus = 0; virus < kVirusCount; ++virus) {
        for (int leader : {0, 4, 11, 100}) {
            for (const Strategy& strategy : BuildStrategyList(false)) {
                ExpectSameSensiblePlan(*tables, PlanRequest{virus, leader, strategy, {}}, &found);
                if (HasFatalFailure())
                    return;
            }
        }
    }
    // A virus of 0/0/0 or 0/65535/0 falls to any team: plans were compared,
    // not only failures.
    EXPECT_GT(found, 0);
}
