#include "storage/DataFiles.h"
#include "storage/RosterCsv.h"
#include "tests/storage/StorageTestSupport.h"

#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;
using storagetest::DefaultHeroes;
using storagetest::DefaultViruses;
using storagetest::Image;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QString kHeroHeader = u"序号,名称,勾选,聪明,可爱,不正常"_s;
const QString kVirusHeader = u"关卡,名称,愚蠢,可恨,不异常"_s;

QByteArray Utf8(const QString& text)
{
    return text.toUtf8();
}

QString Name(const HeroRecord& hero)
{
    const std::u16string_view name = HeroName(hero);
    return QStringView(name.data(), static_cast<qsizetype>(name.size())).toString();
}

// Reads a hero file that must be refused and checks the roster is untouched;
// returns the problems.
QStringList RefusedHeroes(const QByteArray& bytes)
{
    auto table = DefaultHeroes();
    const QByteArray before = Image(*table);
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(bytes, *table);
    EXPECT_FALSE(result.accepted());
    EXPECT_EQ(Image(*table), before) << "a refused file changed the roster";
    EXPECT_TRUE(result.namedRows.isEmpty());
    return result.problems;
}

} // namespace

TEST(RosterCsvWrite, HeroesCarryMarkHeaderAndCrlfRows)
{
    auto table = DefaultHeroes();
    std::memcpy(table->at(2).name, u"甲,\"乙\"", 6 * sizeof(char16_t));
    table->at(2).checked = 7; // any nonzero flag is a tick
    table->at(2).smart = 65535;
    table->at(2).cute = 12;
    table->at(2).abnormal = 0;
    const QByteArray bytes = RosterCsv::WriteHeroes(*table);
    ASSERT_TRUE(bytes.startsWith(kBom));
    const QList<QByteArray> lines = bytes.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 130); // header, 128 rows, the empty rest after the last CRLF
    EXPECT_EQ(lines[0], Utf8(kHeroHeader + u"\r"_s));
    EXPECT_EQ(lines[1], Utf8(u"1,\"输入自己的信息\",1,0,0,0\r"_s));
    EXPECT_EQ(lines[3], Utf8(u"3,\"甲,\"\"乙\"\"\",1,65535,12,0\r"_s));
    EXPECT_EQ(lines[128], Utf8(u"128,\"输入会友信息\",0,0,0,0\r"_s));
    EXPECT_TRUE(lines[129].isEmpty());
}

TEST(RosterCsvWrite, VirusesNameLevelsFromOne)
{
    auto table = DefaultViruses();
    const QByteArray bytes = RosterCsv::WriteViruses(*table);
    const QList<QByteArray> lines = bytes.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 66);
    EXPECT_EQ(lines[0], Utf8(kVirusHeader + u"\r"_s));
    EXPECT_EQ(lines[64], Utf8(u"64,\"未知病毒\",9999,9999,2000\r"_s));
}

TEST(RosterCsvWrite, FieldsAreQuotedOnlyWhenTheyMustBe)
{
    EXPECT_EQ(RosterCsv::QuoteField(u"plain"_s, u','), u"plain"_s);
    EXPECT_EQ(RosterCsv::QuoteField(u"a,b"_s, u','), u"\"a,b\""_s);
    EXPECT_EQ(RosterCsv::QuoteField(u"a\nb"_s, u','), u"\"a\nb\""_s);
    EXPECT_EQ(RosterCsv::QuoteField(u"say \"hi\""_s, u','), u"\"say \"\"hi\"\"\""_s);
    EXPECT_EQ(RosterCsv::QuoteField(u" lead"_s, u','), u"\" lead\""_s);
    EXPECT_EQ(RosterCsv::QuoteField(u"a\tb"_s, u'\t'), u"\"a\tb\""_s);
    EXPECT_EQ(RosterCsv::QuoteField(u"a,b"_s, u'\t'), u"a,b"_s);
}

TEST(RosterCsvRead, ExportReadBackChangesNoByte)
{
    auto heroes = DefaultHeroes();
    storagetest::FillBytes(*heroes, 0x41); // names without terminators, flags of 0x4141
    heroes->at(5).name[3] = u'\0';         // a short name with an old tail behind it
    heroes->at(6).checked = 0;
    // Names that open with what a UTF-16 reader takes for a byte-order mark.
    std::u16string_view(u"\uFEFF未知").copy(heroes->at(7).name, 3);
    heroes->at(7).name[3] = u'\0';
    std::u16string_view(u"\uFFFE兵").copy(heroes->at(8).name, 2);
    heroes->at(8).name[2] = u'\0';
    const QByteArray before = Image(*heroes);
    const RosterCsv::ImportResult result =
        RosterCsv::ReadHeroes(RosterCsv::WriteHeroes(*heroes), *heroes);
    EXPECT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_EQ(result.namedRows.size(), kHeroCount);
    EXPECT_EQ(Image(*heroes), before);

    auto viruses = DefaultViruses();
    storagetest::FillBytes(*viruses, 0x42);
    const QByteArray virusesBefore = Image(*viruses);
    EXPECT_TRUE(RosterCsv::ReadViruses(RosterCsv::WriteViruses(*viruses), *viruses).accepted());
    EXPECT_EQ(Image(*viruses), virusesBefore);
}

TEST(RosterCsvRead, TrickyQuotingCommasAndLineBreaks)
{
    auto table = DefaultHeroes();
    const QString file = kHeroHeader + u"\r\n"_s + u"1,\"逗号,和\"\"引号\"\"\",1,1,2,3\r\n"_s +
                         u"2,\"两\r\n行\",0,4,5,6\n"_s + // CRLF inside quotes, LF at the end
                         u"3,\"\",1,0,0,0\r\n"_s +       // an empty quoted name
                         u"\r\n"_s;                      // a trailing empty line
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(Utf8(file), *table);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_EQ(result.namedRows, (QList<int>{0, 1, 2}));
    EXPECT_EQ(Name(table->at(0)), u"逗号,和\"引号\""_s);
    EXPECT_EQ(Name(table->at(1)), u"两\r\n行"_s); // a name's line break is kept as written
    EXPECT_EQ(table->at(1).checked, 0);
    EXPECT_EQ(table->at(1).abnormal, 6);
    EXPECT_EQ(Name(table->at(2)), QString());
    EXPECT_EQ(Name(table->at(3)), u"输入会友信息"_s); // not named, kept
}

TEST(RosterCsvRead, ColumnsInAnyOrderUnknownOnesNoted)
{
    auto table = DefaultHeroes();
    const QString file = u"不正常,备注,可爱,聪明,勾选,名称,序号\n"_s + u"3,随便,2,1,0,新名,40\n"_s;
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(kBom + Utf8(file), *table);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    ASSERT_EQ(result.notes.size(), 1);
    EXPECT_TRUE(result.notes[0].contains(u"备注"_s));
    EXPECT_EQ(Name(table->at(39)), u"新名"_s);
    EXPECT_EQ(table->at(39).checked, 0);
    EXPECT_EQ(table->at(39).smart, 1);
    EXPECT_EQ(table->at(39).cute, 2);
    EXPECT_EQ(table->at(39).abnormal, 3);
}

TEST(RosterCsvRead, Gb18030FromAChineseSpreadsheet)
{
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid());
    const QByteArray bytes = gb18030.encode(kVirusHeader + u"\r\n7,瘟疫之王,1,2,3\r\n"_s);
    ASSERT_NE(bytes, Utf8(kVirusHeader + u"\r\n7,瘟疫之王,1,2,3\r\n"_s));
    auto table = DefaultViruses();
    const RosterCsv::ImportResult result = RosterCsv::ReadViruses(bytes, *table);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    const std::u16string_view name = VirusName(table->at(6));
    EXPECT_EQ(QString::fromUtf16(name.data(), qsizetype(name.size())), u"瘟疫之王"_s);
    EXPECT_EQ(table->at(6).notAbnormal, 3);
}

TEST(RosterCsvRead, NamesOfElevenPassTwelveAreRefused)
{
    const QString eleven = u"一二三四五六七八九十壹"_s;
    auto table = DefaultHeroes();
    ASSERT_TRUE(
        RosterCsv::ReadHeroes(Utf8(kHeroHeader + u"\n1,"_s + eleven + u",1,0,0,0\n"_s), *table)
            .accepted());
    EXPECT_EQ(Name(table->at(0)), eleven);

    // Twelve characters, and eleven characters whose last one is a pair of
    // units (the twelfth unit would cut it in half).
    for (const QString& name : {eleven + u"贰"_s, u"一二三四五六七八九十😀"_s}) {
        const QStringList problems =
            RefusedHeroes(Utf8(kHeroHeader + u"\n2,"_s + name + u",1,0,0,0\n"_s));
        ASSERT_EQ(problems.size(), 1);
        EXPECT_TRUE(problems[0].startsWith(u"第 2 行，“名称”列"_s)) << problems[0].toStdString();
    }
}

TEST(RosterCsvRead, StatsMustBeWholeNumbersUpTo65535)
{
    auto table = DefaultHeroes();
    ASSERT_TRUE(RosterCsv::ReadHeroes(Utf8(kHeroHeader + u"\n1,甲,1, 65535 ,007,0\n"_s), *table)
                    .accepted());
    EXPECT_EQ(table->at(0).smart, 65535);
    EXPECT_EQ(table->at(0).cute, 7);

    for (const QString& stat :
         {u"65536"_s, u"-1"_s, u""_s, u"十"_s, u"1.5"_s, u"+3"_s, u"99999999999999"_s}) {
        const QStringList problems =
            RefusedHeroes(Utf8(kHeroHeader + u"\n1,甲,1,"_s + stat + u",0,0\n"_s));
        ASSERT_EQ(problems.size(), 1) << stat.toStdString();
        EXPECT_TRUE(problems[0].startsWith(u"第 2 行，“聪明”列："_s)) << problems[0].toStdString();
        EXPECT_TRUE(problems[0].contains(u"0 至 65535"_s));
    }
    EXPECT_EQ(RefusedHeroes(Utf8(kHeroHeader + u"\n1,甲,2,0,0,0\n"_s)).size(), 1); // 勾选 2
}

TEST(RosterCsvRead, EveryProblemIsListedWithItsLine)
{
    const QString file = kHeroHeader + u"\n"_s + u"0,甲,1,0,0,0\n"_s + // 序号 too small
                         u"129,乙,1,0,0,0\n"_s +                       // too large
                         u"5,丙,1,0,0,0\n"_s + u"5,丁,1,x,0,0\n"_s +   // repeated, and a bad stat
                         u"6,戊,1,0\n"_s +                             // short row
                         u"7,己,1,0,0,0,9\n"_s;                        // an extra field
    const QStringList problems = RefusedHeroes(Utf8(file));
    ASSERT_EQ(problems.size(), 6) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems[0].startsWith(u"第 2 行，“序号”列"_s));
    EXPECT_TRUE(problems[1].startsWith(u"第 3 行，“序号”列"_s));
    EXPECT_TRUE(problems[2].startsWith(u"第 5 行，“序号”列"_s));
    EXPECT_TRUE(problems[2].contains(u"第 4 行已经出现过"_s));
    EXPECT_TRUE(problems[3].startsWith(u"第 5 行，“聪明”列"_s));
    EXPECT_TRUE(problems[4].startsWith(u"第 6 行："_s));
    EXPECT_TRUE(problems[4].contains(u"“可爱”、“不正常”"_s));
    EXPECT_TRUE(problems[5].startsWith(u"第 7 行："_s));
}

TEST(RosterCsvRead, HeaderProblems)
{
    QStringList problems = RefusedHeroes(Utf8(u"序号,名称,勾选,聪明,可爱\n1,甲,1,0,0\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"缺少“不正常”列"_s));

    problems = RefusedHeroes(Utf8(kHeroHeader + u",聪明\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"不止一次"_s));

    for (const QByteArray& empty : {QByteArray(), kBom, QByteArray("\r\n\r\n")}) {
        problems = RefusedHeroes(empty);
        ASSERT_EQ(problems.size(), 1);
        EXPECT_TRUE(problems[0].contains(kHeroHeader));
    }

    // A virus file is not a roster: the columns it lacks, on one line.
    problems = RefusedHeroes(RosterCsv::WriteViruses(*DefaultViruses()));
    ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems[0].contains(u"缺少“序号”、“勾选”、“聪明”、“可爱”、“不正常”列"_s))
        << problems[0].toStdString();
}

TEST(RosterCsvRead, UndecodableUnclosedAndOversizedFilesAreRefused)
{
    QStringList problems = RefusedHeroes(QByteArray("\xFF\xFF\xFF\xFF", 4));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"GB18030"_s));

    problems = RefusedHeroes(Utf8(kHeroHeader + u"\n1,\"甲,1,0,0,0\n2,乙,1,0,0,0\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(u"第 2 行"_s)) << problems[0].toStdString();

    QByteArray huge = Utf8(kHeroHeader + u"\n"_s);
    huge += QByteArray(RosterCsv::kMaxFileBytes, '\n');
    problems = RefusedHeroes(huge);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"上限"_s));

    problems = RefusedHeroes(Utf8(kHeroHeader + u"\n1,甲"_s) + QByteArray(1, '\0') +
                             Utf8(u"乙,1,0,0,0\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"空字符"_s));
    EXPECT_TRUE(problems[0].contains(u"甲␀乙"_s)) << problems[0].toStdString();
}

TEST(RosterCsvRead, HeaderOnlyAndBlankRowsChangeNothing)
{
    auto table = DefaultHeroes();
    const QByteArray before = Image(*table);
    const RosterCsv::ImportResult result =
        RosterCsv::ReadHeroes(Utf8(kHeroHeader + u"\n,,,,,\n\n"_s), *table);
    EXPECT_TRUE(result.accepted());
    EXPECT_TRUE(result.namedRows.isEmpty());
    EXPECT_EQ(result.notes.size(), 1);
    EXPECT_EQ(Image(*table), before);
}

TEST(RosterCsvRead, TabSeparatedCellsSplitLikeTheFile)
{
    const QList<QStringList> records =
        RosterCsv::SplitRecords(u"甲\t1\t2\r\n\"多\n行\"\t\"a\"\"b\"\t\n"_s, u'\t');
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0], (QStringList{u"甲"_s, u"1"_s, u"2"_s}));
    EXPECT_EQ(records[1], (QStringList{u"多\n行"_s, u"a\"b"_s, QString()}));
}

TEST(RosterCsvSave, WritesWholeFilesAndReportsFailures)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(u"英雄.csv"_s);
    storagetest::WriteFile(path, QByteArray(5000, 'x')); // a longer old file is replaced whole
    EXPECT_EQ(RosterCsv::SaveFile(path, "abc"), std::nullopt);
    EXPECT_EQ(storagetest::ReadFile(path), QByteArray("abc"));

    const std::optional<QString> failure =
        RosterCsv::SaveFile(folder.filePath(u"missing/英雄.csv"_s), "abc");
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
}

// Names a spreadsheet would run as a formula, or turn into a number, date or
// truth value, and names around the apostrophe mark itself.
const QStringList kSpreadsheetNames{
    u"=1+1"_s,  u"+86 139"_s, u"-3"_s,   u"@SUM(A1)"_s, u"\t=1+1"_s, u"\r=1+1"_s,   u"'abc"_s,
    u"''"_s,    u"'"_s,       u"'=x"_s,  u"="_s,        u"007"_s,    u"1e5"_s,      u"3/4"_s,
    u"12:30"_s, u"50%"_s,     u"TRUE"_s, u"a\"b"_s,     u" 前后 "_s, u"两\r\n行"_s, u"x'=y"_s};

TEST(RosterCsvWrite, NoNameStartsAFormulaAndEveryNameReadsBack)
{
    auto heroes = DefaultHeroes();
    for (qsizetype i = 0; i < kSpreadsheetNames.size(); ++i) {
        HeroRecord& hero = heroes->at(std::size_t(i));
        std::fill(std::begin(hero.name), std::end(hero.name), u'\0');
        kSpreadsheetNames[i].toStdU16String().copy(hero.name, kMaxNameLength);
    }
    const QByteArray bytes = RosterCsv::WriteHeroes(*heroes);
    const QList<QStringList> records =
        RosterCsv::SplitRecords(QString::fromUtf8(bytes.mid(3)), u',');
    for (qsizetype i = 0; i < kSpreadsheetNames.size(); ++i) {
        const QString& field = records[i + 1][1];
        SCOPED_TRACE(field.toStdString());
        ASSERT_FALSE(field.isEmpty());
        EXPECT_FALSE(QStringView(u"=+-@\t\r").contains(field.front()));
        const bool marked = QStringView(u"=+-@\t\r'").contains(kSpreadsheetNames[i].front());
        EXPECT_EQ(field, marked ? u"'"_s + kSpreadsheetNames[i] : kSpreadsheetNames[i]);
    }
    // Every name field is quoted, so that quoted fields taken as text keep them all.
    EXPECT_TRUE(bytes.contains(Utf8(u"\r\n1,\"'=1+1\",1"_s)));
    EXPECT_TRUE(bytes.contains(Utf8(u"\r\n12,\"007\",1"_s)));

    const QByteArray before = Image(*heroes);
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(bytes, *heroes);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_EQ(Image(*heroes), before);
}

TEST(RosterCsvRead, OnlyTheExportsOwnMarkIsStripped)
{
    auto table = DefaultHeroes();
    const QString file = kHeroHeader + u"\n1,'=1,1,0,0,0\n2,'abc,1,0,0,0\n3,''x,1,0,0,0\n"_s;
    ASSERT_TRUE(RosterCsv::ReadHeroes(Utf8(file), *table).accepted());
    EXPECT_EQ(Name(table->at(0)), u"=1"_s);
    EXPECT_EQ(Name(table->at(1)), u"'abc"_s); // no mark: a hand-written apostrophe stays
    EXPECT_EQ(Name(table->at(2)), u"'x"_s);
    // The eleven characters are counted without the mark.
    ASSERT_TRUE(RosterCsv::ReadHeroes(
                    Utf8(kHeroHeader + u"\n4,\"'-二三四五六七八九十壹\",1,0,0,0\n"_s), *table)
                    .accepted());
    EXPECT_EQ(Name(table->at(3)), u"-二三四五六七八九十壹"_s);
}

TEST(RosterCsvRead, Utf16WithItsMarkIsReadTabsOrCommas)
{
    const QString text = u"关卡\t名称\t愚蠢\t可恨\t不异常\r\n9\t\"疫,王\"\t1\t2\t3\r\n"_s;
    QByteArray little("\xFF\xFE");
    little.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    auto table = DefaultViruses();
    RosterCsv::ImportResult result = RosterCsv::ReadViruses(little, *table);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_EQ(QString::fromStdU16String(std::u16string(VirusName(table->at(8)))), u"疫,王"_s);
    EXPECT_EQ(table->at(8).notAbnormal, 3);

    QByteArray big("\xFE\xFF");
    for (const QChar unit : kVirusHeader + u"\n10,甲,4,5,6\n"_s)
        big.append(char(unit.unicode() >> 8)).append(char(unit.unicode() & 0xFF));
    result = RosterCsv::ReadViruses(big, *table);
    ASSERT_TRUE(result.accepted()) << result.problems.join(u'\n').toStdString();
    EXPECT_EQ(table->at(9).stupid, 4);

    // A mark followed by something that is no UTF-16: an unpaired surrogate.
    const QStringList problems = RefusedHeroes(QByteArray("\xFF\xFE\x00\xD8\x41\x00", 6));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"UTF-16"_s)) << problems[0].toStdString();
}

TEST(RosterCsvRead, SeparatorsAndMisreadEncodingsAreNamed)
{
    QStringList problems =
        RefusedHeroes(Utf8(u"序号;名称;勾选;聪明;可爱;不正常\n1;甲;1;0;0;0\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"分号"_s)) << problems[0].toStdString();

    // A UTF-8 file read as Latin-1 or Windows-1252 and saved again as UTF-8.
    const QByteArray original = kBom + Utf8(kHeroHeader + u"\r\n1,甲,1,0,0,0\r\n"_s);
    QStringDecoder windows1252("Windows-1252");
    ASSERT_TRUE(windows1252.isValid());
    for (const QString& misread :
         QStringList{QString::fromLatin1(original), QString(windows1252.decode(original))}) {
        problems = RefusedHeroes(Utf8(misread));
        ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
        EXPECT_TRUE(problems[0].contains(u"乱码"_s)) << problems[0].toStdString();
        EXPECT_TRUE(problems[0].contains(u"“ï»¿"_s)) << problems[0].toStdString();
    }
    // Without the mark too.
    problems = RefusedHeroes(Utf8(QString::fromLatin1(Utf8(kHeroHeader + u"\n"_s))));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"乱码"_s)) << problems[0].toStdString();
}

TEST(RosterCsvRead, StrayQuotesAreRefusedWithLineAndColumn)
{
    QStringList problems = RefusedHeroes(Utf8(kHeroHeader + u"\n1,\"ab\"c,1,0,0,0\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(u"第 2 行第 7 列：结束引号后面"_s))
        << problems[0].toStdString();

    problems = RefusedHeroes(Utf8(kHeroHeader + u"\n1,甲,1,0,0,0\n2,a\"b,1,0,0,0\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(u"第 3 行第 4 列：没有引号括起的字段里有引号"_s))
        << problems[0].toStdString();

    // The clipboard's cells are split without these rules.
    EXPECT_EQ(RosterCsv::SplitRecords(u"a\"b\t\"c\"d"_s, u'\t').front(),
              (QStringList{u"a\"b"_s, u"cd"_s}));
}

TEST(RosterCsvRead, ControlCharactersAreShownInProblems)
{
    const QByteArray stat = Utf8(kHeroHeader + u"\n1,甲,1,1"_s) + QByteArray(1, '\0') + "0,0,0\n";
    QStringList problems = RefusedHeroes(stat);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"“1␀0”"_s)) << problems[0].toStdString();

    problems = RefusedHeroes(Utf8(kHeroHeader + u"\n1,甲,1,\"1\a\t\r\n2\",0,0\n"_s));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(u"“1␇␉␍␊2”"_s)) << problems[0].toStdString();
}

TEST(RosterCsvRead, AFileOverTheLimitIsReportedByItsSizeAlone)
{
    // Cut at the limit, as a pipe is read: the size is not known.
    QByteArray cut = RosterCsv::WriteHeroes(*DefaultHeroes()).repeated(400);
    ASSERT_GT(cut.size(), RosterCsv::kMaxFileBytes);
    cut.truncate(RosterCsv::kMaxFileBytes + 1);
    QStringList problems = RefusedHeroes(cut);
    ASSERT_EQ(problems.size(), 1) << "a cut file gets no row problems";
    EXPECT_EQ(problems[0], u"文件超过了 1 MB（1048576 字节）的上限。"_s);

    // A file whose size is known says it.
    auto table = DefaultHeroes();
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(cut, *table, 1181116006);
    ASSERT_EQ(result.problems.size(), 1);
    EXPECT_EQ(result.problems[0], u"文件有 1181116006 字节，超过了 1 MB（1048576 字节）的上限。"_s);

    // Exactly at the limit is read.
    QByteArray full = Utf8(kHeroHeader + u"\n"_s);
    full += QByteArray(RosterCsv::kMaxFileBytes - full.size(), '\n');
    EXPECT_TRUE(RosterCsv::ReadHeroes(full, *table, full.size()).accepted());
}
