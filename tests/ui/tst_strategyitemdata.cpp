// The strategy selector's item data: n in the high 16 bits, k in the low, for
// every strategy in both orders, and back.

#include "engine/Strategies.h"
#include "ui/main/StrategyItemData.h"

#include <QTest>

class TestStrategyItemData final : public QObject
{
    Q_OBJECT

private slots:
    void packsHitsHighAndCritsLow_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<uint>("itemData");
        // Generation order: rounds 1..6, crits 0..rounds-1.
        const uint table[kStrategyCount] = {
            0x00000, 0x10000, 0x10001, 0x20000, 0x20001, 0x20002, 0x30000,
            0x30001, 0x30002, 0x30003, 0x40000, 0x40001, 0x40002, 0x40003,
            0x40004, 0x50000, 0x50001, 0x50002, 0x50003, 0x50004, 0x50005,
        };
        for (int i = 0; i < kStrategyCount; ++i)
            QTest::addRow("%d", i) << i << table[i];
    }
    void packsHitsHighAndCritsLow()
    {
        QFETCH(int, position);
        QFETCH(uint, itemData);
        const Strategy strategy = BuildStrategyList(false)[static_cast<std::size_t>(position)];
        QCOMPARE(StrategyItemData(strategy), itemData);
        const Strategy back = StrategyOfItemData(itemData);
        QCOMPARE(back.n, strategy.rounds() - 1);
        QCOMPARE(back.k, strategy.k);
        QCOMPARE(back.winChance, strategy.winChance);
    }

    // Ordered by win chance, every entry still carries its own strategy.
    void chanceOrderKeepsEachStrategysData()
    {
        for (const Strategy& strategy : BuildStrategyList(true)) {
            const Strategy back = StrategyOfItemData(StrategyItemData(strategy));
            QCOMPARE(back.n, strategy.n);
            QCOMPARE(back.k, strategy.k);
        }
    }
};

QTEST_GUILESS_MAIN(TestStrategyItemData)
#include "tst_strategyitemdata.moc"
