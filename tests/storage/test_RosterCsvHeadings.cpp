// The CSV headings in both languages: English files read whatever the language
// shown, and an export under a translation reads back to the same tables.
#include "storage/DataFiles.h"
#include "storage/RosterCsv.h"
#include "tests/storage/StorageTestSupport.h"
#include "texts/PlanHints.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;
using storagetest::DefaultHeroes;
using storagetest::DefaultViruses;
using storagetest::Image;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// An English user interface as far as the headings go: each heading becomes
// the English of the code's table, or `override` for the one named 名称.
class HeadingTranslator final : public QTranslator
{
public:
    explicit HeadingTranslator(QString nameHeading = {}) : m_nameHeading(std::move(nameHeading)) {}

    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (std::strcmp(context, RosterCsv::kHeadingContext) != 0)
            return {};
        if (!m_nameHeading.isEmpty() && std::strcmp(source, "名称") == 0)
            return m_nameHeading;
        for (const auto& headings : {RosterCsv::HeroHeadings(), RosterCsv::VirusHeadings()}) {
            for (const RosterCsv::CsvHeading& heading : headings) {
                if (std::strcmp(source, heading.chinese) == 0)
                    return QString::fromUtf8(heading.english);
            }
        }
        return {};
    }

    bool isEmpty() const override { return false; }

private:
    QString m_nameHeading;
};

// Installing a translator needs the application object.
class RosterCsvHeadings : public ::testing::Test
{
protected:
    int m_argc = 1;
    char m_name[16] = "storage-tests";
    char* m_argv[1] = {m_name};
    QCoreApplication m_app{m_argc, m_argv};
};

// A hero table whose every row differs from the defaults.
std::unique_ptr<HeroTable> VariedHeroes()
{
    auto table = DefaultHeroes();
    for (int i = 0; i < kHeroCount; ++i) {
        HeroRecord& hero = table->at(static_cast<std::size_t>(i));
        const std::u16string name = u"英雄" + std::u16string(1, char16_t(u'A' + i % 26));
        name.copy(hero.name, name.size());
        hero.name[name.size()] = u'\0';
        hero.checked = i % 3 == 0 ? 0 : 1;
        hero.smart = static_cast<std::uint16_t>(i * 7);
        hero.cute = static_cast<std::uint16_t>(65535 - i);
        hero.abnormal = static_cast<std::uint16_t>(i * 3 + 1);
    }
    return table;
}

std::unique_ptr<VirusTable> VariedViruses()
{
    auto table = DefaultViruses();
    for (int i = 0; i < kVirusCount; ++i) {
        VirusRecord& virus = table->at(static_cast<std::size_t>(i));
        virus.stupid = static_cast<std::uint16_t>(100 + i);
        virus.hateful = static_cast<std::uint16_t>(200 + i);
        virus.notAbnormal = static_cast<std::uint16_t>(i);
    }
    return table;
}

QByteArray FirstLine(const QByteArray& bytes)
{
    return bytes.mid(kBom.size()).split('\n').front();
}

} // namespace

TEST_F(RosterCsvHeadings, EnglishHeadingsAreReadInAnyCaseWithBlanks)
{
    auto heroes = DefaultHeroes();
    const QByteArray heroFile =
        " no. ,NAME,checked,  Smart ,cUTE,Abnormal\r\n2,\"Ann\",0,11,22,33\r\n"_ba;
    RosterCsv::ImportResult result = RosterCsv::ReadHeroes(heroFile, *heroes);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_TRUE(result.notes.isEmpty()) << result.notes.join(u'\n').toStdString();
    ASSERT_EQ(result.namedRows, QList<int>{1});
    const HeroRecord& ann = heroes->at(1);
    EXPECT_EQ(HeroName(ann), u"Ann");
    EXPECT_EQ(ann.checked, 0);
    EXPECT_EQ(ann.smart, 11);
    EXPECT_EQ(ann.cute, 22);
    EXPECT_EQ(ann.abnormal, 33);

    auto viruses = DefaultViruses();
    const QByteArray virusFile = "LEVEL,name,Stupid,HATEFUL, normal\n64,Flu,1,2,3\n"_ba;
    result = RosterCsv::ReadViruses(virusFile, *viruses);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    const VirusRecord& flu = viruses->at(63);
    EXPECT_EQ(VirusName(flu), u"Flu");
    EXPECT_EQ(flu.stupid, 1);
    EXPECT_EQ(flu.hateful, 2);
    EXPECT_EQ(flu.notAbnormal, 3);
}

TEST_F(RosterCsvHeadings, ChineseAndEnglishMixOnOneHeadingLine)
{
    auto heroes = DefaultHeroes();
    const QString mixed = u"序号,Name,勾选,Smart,可爱,abnormal\n3,丙,1,4,5,6\n"_s;
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(mixed.toUtf8(), *heroes);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_EQ(HeroName(heroes->at(2)), u"丙");
    EXPECT_EQ(heroes->at(2).cute, 5);
    EXPECT_EQ(heroes->at(2).abnormal, 6);

    // A column named in both languages is named twice.
    const QByteArray before = Image(*heroes);
    const RosterCsv::ImportResult twice = RosterCsv::ReadHeroes(
        u"序号,名称,勾选,聪明,可爱,不正常,CUTE\n1,甲,1,0,0,0,0\n"_s.toUtf8(), *heroes);
    ASSERT_EQ(twice.problems.size(), 1);
    EXPECT_TRUE(twice.problems[0].contains(u"“可爱”列出现了不止一次"_s))
        << twice.problems[0].toStdString();
    EXPECT_EQ(Image(*heroes), before);

    // A word that is only close to a heading is still unknown.
    const RosterCsv::ImportResult unknown =
        RosterCsv::ReadViruses("Level,Name,Stupid,Hateful,Normal,Normals\n"_ba, *DefaultViruses());
    ASSERT_TRUE(unknown.accepted());
    ASSERT_EQ(unknown.notes.size(), 2); // the unknown column, and no data rows
    EXPECT_TRUE(unknown.notes[0].contains(u"Normals"_s));
}

TEST_F(RosterCsvHeadings, EnglishTablesNameEveryColumnOnce)
{
    for (const auto& headings : {RosterCsv::HeroHeadings(), RosterCsv::VirusHeadings()}) {
        for (std::size_t a = 0; a < headings.size(); ++a) {
            for (std::size_t b = a + 1; b < headings.size(); ++b) {
                const QString englishA = QString::fromUtf8(headings[a].english);
                EXPECT_NE(englishA.toCaseFolded(),
                          QString::fromUtf8(headings[b].english).toCaseFolded());
                EXPECT_NE(englishA, QString::fromUtf8(headings[b].chinese));
                EXPECT_NE(QString::fromUtf8(headings[a].chinese),
                          QString::fromUtf8(headings[b].chinese));
            }
        }
    }
}

TEST_F(RosterCsvHeadings, ExportUnderATranslationReadsBackInEitherLanguage)
{
    const auto heroes = VariedHeroes();
    const auto viruses = VariedViruses();
    const QByteArray chineseHeroes = RosterCsv::WriteHeroes(*heroes);
    const QByteArray chineseViruses = RosterCsv::WriteViruses(*viruses);
    EXPECT_EQ(FirstLine(chineseHeroes), u"序号,名称,勾选,聪明,可爱,不正常\r"_s.toUtf8());

    HeadingTranslator english;
    ASSERT_TRUE(QCoreApplication::installTranslator(&english));
    const QByteArray englishHeroes = RosterCsv::WriteHeroes(*heroes);
    const QByteArray englishViruses = RosterCsv::WriteViruses(*viruses);
    EXPECT_EQ(FirstLine(englishHeroes), "No.,Name,Checked,Smart,Cute,Abnormal\r"_ba);
    EXPECT_EQ(FirstLine(englishViruses), "Level,Name,Stupid,Hateful,Normal\r"_ba);
    // Only the heading line is in the language shown; the rows are data.
    EXPECT_EQ(englishHeroes.mid(englishHeroes.indexOf('\n')),
              chineseHeroes.mid(chineseHeroes.indexOf('\n')));
    EXPECT_EQ(englishViruses.mid(englishViruses.indexOf('\n')),
              chineseViruses.mid(chineseViruses.indexOf('\n')));

    const auto checkReadBack = [&](const QByteArray& heroFile, const QByteArray& virusFile) {
        auto heroesBack = DefaultHeroes();
        const RosterCsv::ImportResult heroResult = RosterCsv::ReadHeroes(heroFile, *heroesBack);
        EXPECT_TRUE(heroResult.accepted()) << heroResult.problems.join(u'\n').toStdString();
        EXPECT_EQ(heroResult.namedRows.size(), kHeroCount);
        EXPECT_EQ(Image(*heroesBack), Image(*heroes));
        auto virusesBack = DefaultViruses();
        const RosterCsv::ImportResult virusResult = RosterCsv::ReadViruses(virusFile, *virusesBack);
        EXPECT_TRUE(virusResult.accepted()) << virusResult.problems.join(u'\n').toStdString();
        EXPECT_EQ(Image(*virusesBack), Image(*viruses));
    };
    checkReadBack(englishHeroes, englishViruses);
    checkReadBack(chineseHeroes, chineseViruses);

    // A problem quotes the heading line of the language shown.
    const RosterCsv::ImportResult empty = RosterCsv::ReadHeroes(QByteArray(), *DefaultHeroes());
    ASSERT_EQ(empty.problems.size(), 1);
    EXPECT_TRUE(empty.problems[0].contains(u"No.,Name,Checked,Smart,Cute,Abnormal"_s))
        << empty.problems[0].toStdString();
    const RosterCsv::ImportResult badStat = RosterCsv::ReadViruses(
        "Level,Name,Stupid,Hateful,Normal\n1,x,1,2,70000\n"_ba, *DefaultViruses());
    ASSERT_EQ(badStat.problems.size(), 1);
    EXPECT_TRUE(badStat.problems[0].contains(u"“Normal”"_s)) << badStat.problems[0].toStdString();

    // Back in Chinese, the English file still reads.
    ASSERT_TRUE(QCoreApplication::removeTranslator(&english));
    checkReadBack(englishHeroes, englishViruses);
}

TEST_F(RosterCsvHeadings, ATranslatedHeadingWithACommaIsQuotedAndReadsBack)
{
    const auto heroes = VariedHeroes();
    HeadingTranslator translator(u"Name, as shown"_s);
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
    const QByteArray file = RosterCsv::WriteHeroes(*heroes);
    EXPECT_EQ(FirstLine(file), "No.,\"Name, as shown\",Checked,Smart,Cute,Abnormal\r"_ba);
    auto back = DefaultHeroes();
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(file, *back);
    EXPECT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_TRUE(result.notes.isEmpty()) << result.notes.join(u'\n').toStdString();
    EXPECT_EQ(Image(*back), Image(*heroes));
    QCoreApplication::removeTranslator(&translator);
}

// The texts whose count decides the English plural: the Chinese keeps the
// number where it stood.
TEST_F(RosterCsvHeadings, CountsInTextsStayInPlace)
{
    const RosterCsv::ImportResult shortRow = RosterCsv::ReadViruses(
        u"关卡,名称,愚蠢,可恨,不异常\n1,x,1,2,3\n2\n"_s.toUtf8(), *DefaultViruses());
    ASSERT_EQ(shortRow.problems.size(), 1);
    EXPECT_EQ(shortRow.problems[0],
              u"第 3 行：只有 1 个字段，缺少 “名称”、“愚蠢”、“可恨”、“不异常” 的值。"_s);

    auto tables = std::make_unique<PlanningTables>();
    FillDefaultVirusTable(tables->virusTable);
    FillDefaultHeroTable(tables->heroTable);
    // Only the leader and two checked heroes with 可爱 above 0: three can team up.
    tables->heroTable[1].cute = 5;
    tables->heroTable[2].cute = 7;
    EXPECT_EQ(PlanHints::NoPlanReason(*tables, 0, 0, 1),
              u"只有 3 位英雄可以组队（带队英雄，和已勾选、“可爱”大于 0 的英雄），一队要 6 位。"_s);
    EXPECT_TRUE(PlanHints::FirstStartHint(tables->heroTable).isEmpty());
    tables->heroTable[1].cute = 0;
    tables->heroTable[2].cute = 0;
    EXPECT_TRUE(PlanHints::FirstStartHint(tables->heroTable).startsWith(u"还没有英雄的属性。"_s));
}
