#include "engine/internal/SearchRoster.h"

#include "engine/CombatModel.h"
#include "engine/internal/TopSums.h"

#include <cassert>

// The life weights rest on this bound, with h = 可恨, c = n + k' counted hits:
//   2 × Rs <= 2.1 × Ts, since Rs truncates 1.05 × Ts;
//   Dv = floor(X / 10000) with X = (10000 - 3G) × h + 5000 > 0, so
//   Dv >= (X - 9999) / 10000, and G <= Ra <= 1.05 × Ta.
// Hence 10^6 × L = 10^6 × (2Rs - c × Dv)
//   <= 2,100,000 × Ts + 300 × c × h × G - 100 × c × (10000 × h - 4999)
//   <= sum over the team of (2,100,000 × 聪明 + 315 × c × h × 不正常)
//      - 100 × c × (10000 × h - 4999).
// Unlike bounding Ts and Ta separately, this one weighs both stats of the same
// hero together, so it stays tight when 聪明 and 不正常 are anti-correlated
// (until G reaches its cap, where the separate bound is the tight one).
void BuildSearchRoster(const CandidateList& candidates, const VirusRecord& virus, int virusIndex,
                       int n, int k, SearchRoster& roster)
{
    const int count = candidates.count;
    assert(count >= 1 && count <= kHeroCount);
    roster.count = count;
    const std::int64_t countedHits = n + (CritsCount(virusIndex) ? k : 0);
    const std::int64_t hateful = virus.hateful;
    for (int p = 0; p < count; ++p) {
        const HeroRecord& hero = candidates.records[p];
        roster.smart[p] = hero.smart;
        roster.cute[p] = hero.cute;
        roster.abnormal[p] = hero.abnormal;
        roster.lifeWeight[p] = 2'100'000 * std::int64_t{hero.smart} +
                               315 * countedHits * hateful * std::int64_t{hero.abnormal};
        assert(p < 2 || roster.cute[p] <= roster.cute[p - 1]);
        roster.repeatsPrevious[p] = p >= 2 && roster.smart[p] == roster.smart[p - 1] &&
                                    roster.cute[p] == roster.cute[p - 1] &&
                                    roster.abnormal[p] == roster.abnormal[p - 1];
    }
    roster.lifeOffset = -100 * countedHits * (10000 * hateful - 4999);

    constexpr int kPick = SearchRoster::kMaxPick;
    TopSums<std::int32_t, kPick> smart;
    TopSums<std::int32_t, kPick> abnormal;
    TopSums<std::int64_t, kPick> life;
    for (int j = count; j >= 0; --j) {
        if (j < count) {
            smart.add(roster.smart[j]);
            abnormal.add(roster.abnormal[j]);
            life.add(roster.lifeWeight[j]);
        }
        smart.writeColumn(roster.topSmart, j);
        abnormal.writeColumn(roster.topAbnormal, j);
        life.writeColumn(roster.topLife, j);
    }

    for (int j = 0; j <= count; ++j) {
        std::int32_t sum = 0;
        roster.cuteRun[0][j] = 0;
        for (int r = 1; r <= kPick; ++r) {
            if (j + r - 1 < count)
                sum += roster.cute[j + r - 1];
            roster.cuteRun[r][j] = sum;
        }
    }
    std::int32_t tail = 0;
    roster.cuteTail[0] = 0;
    for (int r = 1; r <= kPick; ++r) {
        if (count - r >= 0)
            tail += roster.cute[count - r];
        roster.cuteTail[r] = tail;
    }
}
