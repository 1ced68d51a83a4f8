#include "ui/editors/CellValues.h"

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
    void batchRowsReckonInSigned32Bits_data();
    void batchRowsReckonInSigned32Bits();
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

void TestCellValues::batchRowsReckonInSigned32Bits_data()
{
    // first and last are the 0-based rows acted on; first > last: none.
    QTest::addColumn<uint>("from");
    QTest::addColumn<uint>("to");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("1 to 128") << 1u << 128u << 0 << 127;
    QTest::newRow("0 to 500") << 0u << 500u << 0 << 127;
    QTest::newRow("10 to 5") << 10u << 5u << -1 << -2;
    QTest::newRow("4 to 4") << 4u << 4u << 3 << 3;
    QTest::newRow("1 to 0") << 1u << 0u << -1 << -2;
    QTest::newRow("128 to 128") << 128u << 128u << 127 << 127;
    QTest::newRow("129 to 200") << 129u << 200u << -1 << -2;
    // The first bound: up to 2147483648 it stays positive and passes the
    // last row; from 2147483649 on it turns negative and becomes row 0.
    QTest::newRow("2147483647 to 5") << 2147483647u << 5u << -1 << -2;
    QTest::newRow("2147483648 to 5") << 2147483648u << 5u << -1 << -2;
    QTest::newRow("2147483649 to 5") << 2147483649u << 5u << 0 << 4;
    QTest::newRow("3000000000 to 5") << 3000000000u << 5u << 0 << 4;
    QTest::newRow("4294967295 to 5") << 4294967295u << 5u << 0 << 4;
    // The last bound: up to 2147483648 it is capped at the last row; from
    // 2147483649 on it is negative and nothing happens.
    QTest::newRow("3 to 2147483647") << 3u << 2147483647u << 2 << 127;
    QTest::newRow("3 to 2147483648") << 3u << 2147483648u << 2 << 127;
    QTest::newRow("3 to 2147483649") << 3u << 2147483649u << -1 << -2;
    QTest::newRow("3 to 3000000000") << 3u << 3000000000u << -1 << -2;
    QTest::newRow("3 to 4294967295") << 3u << 4294967295u << -1 << -2;
    QTest::newRow("4294967295 to 4294967295") << 4294967295u << 4294967295u << -1 << -2;
    QTest::newRow("2147483649 to 2147483648") << 2147483649u << 2147483648u << 0 << 127;
}

void TestCellValues::batchRowsReckonInSigned32Bits()
{
    QFETCH(uint, from);
    QFETCH(uint, to);
    QFETCH(int, first);
    QFETCH(int, last);
    const std::optional<std::pair<int, int>> rows = CellValues::BatchRows(from, to, 128);
    if (first > last) {
        QVERIFY(!rows.has_value());
        return;
    }
    QVERIFY(rows.has_value());
    QCOMPARE(rows->first, first);
    QCOMPARE(rows->second, last);
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
