#pragma once

#include "engine/PlanningTables.h"
#include "engine/Strategies.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <utility>

// Seeded roster and virus generators shared by the search's differential test
// and the benchmark, so that both exercise the same kinds of tables.
namespace rosters {

using Rng = std::mt19937_64;

// The planner's 21 strategies, (n hits, k crits) with 0 <= k <= n <= 5.
constexpr int kStrategies = kStrategyCount;

// The i-th of the strategies in generation order (i modulo 21), so that
// consecutive indices cover them all.
inline Strategy StrategyOf(int i)
{
    return BuildStrategyList(false)[static_cast<std::size_t>(i % kStrategies)];
}

// How a roster's hero stats are drawn.
enum class StatKind
{
    Realistic,      // a power level in 300..3000 per hero, each stat within ±25 % of it
    Uniform,        // each stat uniform in 0..maxStat
    Tied,           // each stat one of a few values, so that many teams tie
    AntiCorrelated, // 聪明 + 可爱 + 不正常 near 3600, split at random
};

// The standard distributions differ between standard libraries; these plain
// mappings of the engine's fixed output keep every table, and so the search
// signature, the same on every platform.
inline int Uniform(Rng& rng, int low, int high)
{
    return low + static_cast<int>(rng() % static_cast<std::uint64_t>(high - low + 1));
}

inline double UnitInterval(Rng& rng)
{
    return static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

template <typename T> void Shuffle(T* first, int size, Rng& rng)
{
    for (int i = size - 1; i > 0; --i)
        std::swap(first[i], first[Uniform(rng, 0, i)]);
}

inline void SetHero(HeroRecord& hero, bool checked, int smart, int cute, int abnormal)
{
    hero = HeroRecord{};
    hero.name[0] = u'H';
    hero.checked = checked ? 1 : 0;
    hero.smart = static_cast<std::uint16_t>(smart);
    hero.cute = static_cast<std::uint16_t>(cute);
    hero.abnormal = static_cast<std::uint16_t>(abnormal);
}

inline void SetVirus(VirusRecord& virus, int stupid, int hateful, int notAbnormal)
{
    virus = VirusRecord{};
    virus.name[0] = u'V';
    virus.stupid = static_cast<std::uint16_t>(stupid);
    virus.hateful = static_cast<std::uint16_t>(hateful);
    virus.notAbnormal = static_cast<std::uint16_t>(notAbnormal);
}

// Draws one hero's three stats of the given kind.
inline void DrawStats(Rng& rng, StatKind kind, int maxStat, int& smart, int& cute, int& abnormal)
{
    switch (kind) {
    case StatKind::Realistic: {
        // Weak heroes are more common than strong ones.
        const double u = UnitInterval(rng);
        const int power = 300 + static_cast<int>(2700.0 * u * u);
        const auto around = [&] {
            return std::clamp(power * Uniform(rng, 75, 125) / 100, 1, 9999);
        };
        smart = around();
        cute = around();
        abnormal = around();
        return;
    }
    case StatKind::Uniform:
        smart = Uniform(rng, 0, maxStat);
        cute = Uniform(rng, 0, maxStat);
        abnormal = Uniform(rng, 0, maxStat);
        return;
    case StatKind::Tied: {
        const int step = std::max(1, maxStat / 3);
        smart = step * Uniform(rng, 0, 3);
        cute = step * Uniform(rng, 1, 3);
        abnormal = step * Uniform(rng, 0, 3);
        return;
    }
    case StatKind::AntiCorrelated: {
        const int first = Uniform(rng, 0, 3600);
        const int second = Uniform(rng, 0, 3600);
        smart = std::min(first, second);
        cute = std::max(first, second) - smart;
        abnormal = 3600 - smart - cute;
        return;
    }
    }
}

// Fills all 128 heroes with stats of `kind` and checks `checkedCount` of them
// chosen at random; the others are unchecked (and still have stats, so an
// unchecked leader is a real case).
inline void FillRoster(HeroTable& heroes, Rng& rng, StatKind kind, int checkedCount,
                       int maxStat = 9999)
{
    int order[kHeroCount];
    std::iota(order, order + kHeroCount, 0);
    Shuffle(order, kHeroCount, rng);
    for (int i = 0; i < kHeroCount; ++i) {
        int smart = 0;
        int cute = 0;
        int abnormal = 0;
        DrawStats(rng, kind, maxStat, smart, cute, abnormal);
        SetHero(heroes[order[i]], i < checkedCount, smart, cute, abnormal);
    }
}

// All 128 heroes checked with the same stats.
inline void FillEqualRoster(HeroTable& heroes, int smart, int cute, int abnormal)
{
    for (HeroRecord& hero : heroes)
        SetHero(hero, true, smart, cute, abnormal);
}

// The zone's viruses for realistic rosters, growing stronger with the level:
// against a realistic full roster every strategy works on the first levels,
// fewer and fewer on the middle ones, and none on the last few.
inline void SetRealisticVirus(VirusRecord& virus, int index)
{
    SetVirus(virus, 1000 + 450 * index, 1000 + 300 * index, 300 + 30 * index);
}

inline void FillRealisticViruses(VirusTable& viruses)
{
    for (int i = 0; i < kVirusCount; ++i)
        SetRealisticVirus(viruses[i], i);
}

// A virus with each stat uniform in 0..maxStat, 不异常 often above 3333.
inline void SetRandomVirus(VirusRecord& virus, Rng& rng, int maxStat)
{
    SetVirus(virus, Uniform(rng, 0, maxStat), Uniform(rng, 0, maxStat), Uniform(rng, 0, maxStat));
}

// The rosters built against the fast search's bounds and its identical-hero
// skip, each with 128 checked heroes in the realistic ranges unless said.
enum class HardKind
{
    // A realistic roster and one decoy at the end of the candidate list: huge
    // 聪明 and 不正常 and the least 可爱, so every suffix's life bound is
    // inflated while a team holding it falls short of the threshold.
    Decoy,
    // Two kinds of hero with the same 可爱, alternating in the table, so that
    // equal heroes are never neighbours in the candidate list.
    AlternatingTwins,
    // Heroes equal in 聪明 and 可爱 whose 不正常 differ, but every team's
    // 不正常 total is above the point where the guard is capped.
    TwinsAboveTheCap,
    // 聪明 falls as 可爱 rises at a fixed rate, 不正常 above the cap: every
    // team within a few percent of the best and many exactly tied.
    FlatLandscape,
    // 聪明 and 可爱 anti-correlated around a random rate with a little noise,
    // so that the teams lie within the product bound's slack.
    ProductGrid,
};

inline constexpr HardKind kHardKinds[] = {HardKind::Decoy, HardKind::AlternatingTwins,
                                          HardKind::TwinsAboveTheCap, HardKind::FlatLandscape,
                                          HardKind::ProductGrid};

inline const char* HardKindName(HardKind kind)
{
    switch (kind) {
    case HardKind::Decoy:
        return "decoy";
    case HardKind::AlternatingTwins:
        return "twins, alternating";
    case HardKind::TwinsAboveTheCap:
        return "twins above the cap";
    case HardKind::FlatLandscape:
        return "flat landscape";
    case HardKind::ProductGrid:
        return "product bound's grid";
    }
    return "";
}

// Fills the first `checkedCount` heroes of the table (the rest unchecked
// with zero stats) as a roster of `kind`.
inline void FillHardRoster(HeroTable& heroes, Rng& rng, HardKind kind,
                           int checkedCount = kHeroCount)
{
    for (HeroRecord& hero : heroes)
        SetHero(hero, false, 0, 0, 0);
    switch (kind) {
    case HardKind::Decoy: {
        // Heroes of one power band, so that teams are close and only the
        // bounds tell them apart.
        const int power = Uniform(rng, 1200, 2400);
        for (int i = 0; i < checkedCount - 1; ++i) {
            const auto around = [&] { return power * Uniform(rng, 85, 115) / 100; };
            const int smart = around();
            const int cute = around();
            SetHero(heroes[i], true, smart, cute, around());
        }
        SetHero(heroes[checkedCount - 1], true, 9999, 1, 9999);
        return;
    }
    case HardKind::AlternatingTwins: {
        const int cute = Uniform(rng, 900, 1600);
        const int smartA = Uniform(rng, 900, 2000);
        const int smartB = Uniform(rng, 900, 2000);
        const int abnormalA = Uniform(rng, 100, 600);
        const int abnormalB = Uniform(rng, 100, 600);
        for (int i = 0; i < checkedCount; ++i) {
            if (i % 2 == 0)
                SetHero(heroes[i], true, smartA, cute, abnormalA);
            else
                SetHero(heroes[i], true, smartB, cute, abnormalB);
        }
        return;
    }
    case HardKind::TwinsAboveTheCap: {
        const int smart = Uniform(rng, 900, 2000);
        const int cute = Uniform(rng, 900, 1600);
        for (int i = 0; i < checkedCount; ++i)
            SetHero(heroes[i], true, smart, cute, Uniform(rng, 330, 3000));
        return;
    }
    case HardKind::FlatLandscape: {
        const int rate = Uniform(rng, 1, 3);
        const int spread = Uniform(rng, 60, 200);
        for (int i = 0; i < checkedCount; ++i) {
            const int shift = Uniform(rng, -spread, spread);
            SetHero(heroes[i], true, 1600 - rate * shift, 1300 + shift, Uniform(rng, 330, 900));
        }
        return;
    }
    case HardKind::ProductGrid: {
        const double rate = 0.5 + 1.5 * UnitInterval(rng);
        for (int i = 0; i < checkedCount; ++i) {
            const int shift = Uniform(rng, -300, 300);
            const int smart = 1500 - static_cast<int>(rate * shift) + Uniform(rng, -15, 15);
            SetHero(heroes[i], true, smart, 1400 + shift, Uniform(rng, 330, 700));
        }
        return;
    }
    }
}

} // namespace rosters
