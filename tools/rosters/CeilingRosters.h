#pragma once

#include "tools/rosters/RandomRosters.h"

#include <algorithm>
#include <cstdint>

// Rosters and viruses on which the team search has no shortcut: built so
// that the bounds of the branch and bound stay open and the totals' sets are
// large, each from a seed.
namespace rosters {

enum class CeilingKind
{
    // Realistic heroes with a few of 可爱 1..7 at the end of the list, against
    // viruses of 不异常 3334 and more (the heroes' damage falls as 可爱 rises)
    // and 愚蠢 0..4, whose threshold lies among the teams' 可爱 totals.
    NegativeFactor,
    // 聪明 + 可爱 the same for every hero, every 可爱 a different value, 不正常
    // spread below the guard's cap; stats up to 9999.
    Plane,
    // The same plane with stats up to 65535.
    WidePlane,
    // 聪明 = K - 可爱 - e with a small random e; every stat at most 9999.
    BalancedLine,
    // The plane with 不正常 up to the guard's cap on its own, so that most
    // teams pass the cap and every team of one 可爱 total ties.
    CappedPlane,
};

inline constexpr CeilingKind kCeilingKinds[] = {CeilingKind::NegativeFactor, CeilingKind::Plane,
                                                CeilingKind::WidePlane, CeilingKind::BalancedLine,
                                                CeilingKind::CappedPlane};

inline const char* CeilingKindName(CeilingKind kind)
{
    switch (kind) {
    case CeilingKind::NegativeFactor:
        return "不异常 3334 and more";
    case CeilingKind::Plane:
        return "plane, stats to 9999";
    case CeilingKind::WidePlane:
        return "plane, stats to 65535";
    case CeilingKind::BalancedLine:
        return "near-balanced line";
    case CeilingKind::CappedPlane:
        return "plane, 不正常 past the cap";
    }
    return "";
}

// Fills the first `checkedCount` heroes of the table (the rest unchecked with
// zero stats) as a roster of `kind`.
inline void FillCeilingRoster(HeroTable& heroes, Rng& rng, CeilingKind kind,
                              int checkedCount = kHeroCount)
{
    for (HeroRecord& hero : heroes)
        SetHero(hero, false, 0, 0, 0);
    switch (kind) {
    case CeilingKind::NegativeFactor: {
        // 可爱 where the damage margin is positive for a factor of -2 or -5,
        // 聪明 rising with it, so that the teams of the least 可爱 (the best
        // damage margin) have the worst life margin; and a few heroes of
        // almost no 可爱 at the end of the list.
        const int few = Uniform(rng, 2, 5);
        const int low = Uniform(rng, 2600, 3000);
        for (int i = 0; i < checkedCount; ++i) {
            const int cute = Uniform(rng, low, low + 2000);
            int smart = std::min(9999, (cute - low) * 3 / 2 + Uniform(rng, 0, 600));
            if (i >= checkedCount - few)
                SetHero(heroes[i], true, Uniform(rng, 0, 3000), Uniform(rng, 1, 7),
                        Uniform(rng, 0, 300));
            else
                SetHero(heroes[i], true, smart, cute, Uniform(rng, 0, 300));
        }
        return;
    }
    case CeilingKind::Plane:
    case CeilingKind::WidePlane:
    case CeilingKind::CappedPlane: {
        const int sum = kind == CeilingKind::WidePlane ? 65535 : 9999;
        const int abnormal = kind == CeilingKind::CappedPlane ? 1905 : 300;
        for (int i = 0; i < checkedCount; ++i) {
            int cute = 0;
            bool taken = true;
            while (taken) {
                cute = Uniform(rng, 1, sum - 1);
                taken = false;
                for (int j = 0; j < i; ++j)
                    taken = taken || heroes[j].cute == cute;
            }
            SetHero(heroes[i], true, sum - cute, cute, Uniform(rng, 0, abnormal));
        }
        return;
    }
    case CeilingKind::BalancedLine: {
        const int sum = Uniform(rng, 3000, 9999);
        const int noise = Uniform(rng, 0, 30);
        for (int i = 0; i < checkedCount; ++i) {
            const int cute = Uniform(rng, 1, sum - noise - 1);
            SetHero(heroes[i], true, sum - cute - Uniform(rng, 0, noise), cute,
                    Uniform(rng, 0, 400));
        }
        return;
    }
    }
}

// A virus of the kind the roster of `kind` is hard against.
inline void SetCeilingVirus(VirusRecord& virus, Rng& rng, CeilingKind kind)
{
    switch (kind) {
    case CeilingKind::NegativeFactor:
        SetVirus(virus, Uniform(rng, 0, 2), Uniform(rng, 5000, 9999), Uniform(rng, 3334, 3335));
        return;
    case CeilingKind::Plane:
    case CeilingKind::WidePlane:
    case CeilingKind::BalancedLine:
    case CeilingKind::CappedPlane:
        SetVirus(virus, Uniform(rng, 0, 9999), Uniform(rng, 0, 9999),
                 Uniform(rng, 0, 3) == 0 ? Uniform(rng, 3334, 9999) : Uniform(rng, 0, 3333));
        return;
    }
}

} // namespace rosters
