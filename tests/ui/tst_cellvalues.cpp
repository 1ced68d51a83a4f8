#include "CellValues.h"

#include <QTest>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

using OptionalUnsigned = std::optional<std::uint32_t>;
Q_DECLARE_METATYPE(OptionalUnsigned)

class TestCellValues final : public QObject
{
    Q_OBJECT

private slots:
    void statsAreHeldToSixteenBits_data();
    void statsAreHeldToSixteenBits();
    void rangeBoundsReadLikeUnsignedScanf_data();
    void rangeBoundsReadLikeUnsignedScanf();
    void namesAreCutToElevenWithoutSplittingACharacter_data();
    void namesAreCutToElevenWithoutSplittingACharacter();
    void storedNamesEndAtTheirTerminator();
};

void TestCellValues::statsAreHeldToSixteenBits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("no digits") << u"abc"_s << 0;
    QTest::newRow("leading zeros") << u"007"_s << 7;
    QTest::newRow("largest") << u"65535"_s << 65535;
    QTest::newRow("one above") << u"65536"_s << 65535;
    QTest::newRow("70000") << u"70000"_s << 65535;
    QTest::newRow("beyond 32 bits") << u"99999999999999999999"_s << 65535;
    QTest::newRow("white space, sign, tail") << u" \t+12abc"_s << 12;
    QTest::newRow("negative") << u"-5"_s << 0;
}

void TestCellValues::statsAreHeldToSixteenBits()
{
    QFETCH(QString, text);
    QFETCH(int, stored);
    QCOMPARE(int(CellValues::ReadStat(text)), stored);
}

void TestCellValues::rangeBoundsReadLikeUnsignedScanf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptionalUnsigned>("value");
    QTest::newRow("empty") << QString() << OptionalUnsigned();
    QTest::newRow("blank") << u"   "_s << OptionalUnsigned();
    QTest::newRow("sign only") << u"-"_s << OptionalUnsigned();
    QTest::newRow("plain") << u"128"_s << OptionalUnsigned(128);
    QTest::newRow("zero") << u"0"_s << OptionalUnsigned(0);
    QTest::newRow("tail ignored") << u" 5x9"_s << OptionalUnsigned(5);
    QTest::newRow("minus negates modulo 2^32") << u"-1"_s << OptionalUnsigned(4294967295u);
    QTest::newRow("largest") << u"4294967295"_s << OptionalUnsigned(4294967295u);
    QTest::newRow("beyond 32 bits") << u"4294967296"_s << OptionalUnsigned(4294967295u);
    QTest::newRow("digit at 63") << QString(62, u' ') + u"5"_s << OptionalUnsigned(5);
    QTest::newRow("digit at 64 unread") << QString(63, u' ') + u"5"_s << OptionalUnsigned();
}

void TestCellValues::rangeBoundsReadLikeUnsignedScanf()
{
    QFETCH(QString, text);
    QFETCH(OptionalUnsigned, value);
    QCOMPARE(CellValues::ReadUnsigned(text), value);
}

void TestCellValues::namesAreCutToElevenWithoutSplittingACharacter_data()
{
    const QString smile = u"😀"_s; // two UTF-16 units
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("11 whole") << u"一二三四五六七八九十壹"_s << u"一二三四五六七八九十壹"_s;
    QTest::newRow("12 cut") << u"一二三四五六七八九十壹贰"_s << u"一二三四五六七八九十壹"_s;
    QTest::newRow("15 cut") << u"abcdefghijklmno"_s << u"abcdefghijk"_s;
    QTest::newRow("pair across the cut") << u"0123456789"_s + smile << u"0123456789"_s;
    QTest::newRow("pair before the cut")
        << u"012345678"_s + smile + u"x"_s << u"012345678"_s + smile;
    QTest::newRow("11 units ending in a pair") << u"012345678"_s + smile << u"012345678"_s + smile;
}

void TestCellValues::namesAreCutToElevenWithoutSplittingACharacter()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QCOMPARE(CellValues::CutName(text), stored);
}

void TestCellValues::storedNamesEndAtTheirTerminator()
{
    HeroRecord hero{};
    std::fill(std::begin(hero.name), std::end(hero.name), u'Z');
    CellValues::StoreName(hero.name, u"一二三四五六七八九十壹贰叁"_s);
    QCOMPARE(HeroName(hero), std::u16string_view(u"一二三四五六七八九十壹"));
    QCOMPARE(hero.name[11], u'\0');

    // A shorter name leaves the units behind its terminator as they were:
    // the data files keep their bytes.
    CellValues::StoreName(hero.name, u"ab"_s);
    QCOMPARE(HeroName(hero), std::u16string_view(u"ab"));
    QCOMPARE(hero.name[3], u'四');

    VirusRecord virus{};
    std::fill(std::begin(virus.name), std::end(virus.name), u'Z');
    CellValues::StoreName(virus.name, u"abcdefghijklm"_s);
    QCOMPARE(VirusName(virus), std::u16string_view(u"abcdefghijk"));
}

QTEST_MAIN(TestCellValues)
#include "tst_cellvalues.moc"
