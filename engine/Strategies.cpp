#include "engine/Strategies.h"

#include "engine/CombatModel.h"

StrategyList BuildStrategyList(bool byChance)
{
    StrategyList list{};
    int size = 0;
    for (int n = 0; n <= 5; ++n) {
        for (int k = 0; k <= n; ++k) {
            const Strategy entry{n, k, WinChance(n, k)};
            // Inserted before the first entry with a strictly lower chance.
            int position = size;
            if (byChance) {
                for (int i = 0; i < size; ++i) {
                    if (list[i].winChance < entry.winChance) {
                        position = i;
                        break;
                    }
                }
            }
            for (int i = size; i > position; --i)
                list[i] = list[i - 1];
            list[position] = entry;
            ++size;
        }
    }
    return list;
}
