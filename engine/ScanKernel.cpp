#include "engine/internal/ScanKernel.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

// The kernel computes a team's margins in 32-bit lanes, exactly as the combat
// model's 64-bit arithmetic does for every stat up to kScanVectorStatLimit:
// totals stay below 60,000, so every product below fits 32 bits.
// - Raised totals: T × 105 / 100 = T + floor(T / 20) for T >= 0, and
//   floor(T / 20) = (T × 52429) >> 20 for 0 <= T <= 59,994. Claim: for
//   T = 20q + r (0 <= r <= 19), T × 52429 / 2^20 = T / 20 + T × 4 / (20 × 2^20),
//   whose excess is at most 0.0115 < 1/20, so it stays below q + 1 and the
//   shift gives q. The product stays below 2^32 in unsigned lanes.
// - Divisions by 10000 (the damages Dv and Dh): the numerator x is an exact
//   32-bit integer, and q = x × 10^-4 in double precision lies within 3e-11
//   of x / 10000 (|x| < 2^31, two roundings of relative 2^-53). If x / 10000
//   is an integer, adding 10^-7 with x's sign keeps q on the far side of it
//   from zero; otherwise x / 10000 is at least 10^-4 from any integer, which
//   10^-7 does not bridge. So truncating q ± 10^-7 toward zero gives the
//   truncating division for either sign of x.
// - The key: the capped product is at most 31 × 26; the uncapped one (below
//   2^34 here) is formed in double precision, exact below 2^53.
// - Wide rosters (a stat above kScanVectorStatLimit, totals up to 393,210):
//   the raised 聪明 and 可爱 totals and F × Rc go through double precision
//   (see RaisedWide); every other product still fits 32 bits (the guard's
//   factor times 可恨 stays below 2^30, L below 2^21, M below 2^26).
// Consequence: the lanes compute the very key of MarginModel, and the tests
// check the kernel against it on every path.

namespace {

#if defined(__GNUC__)
#define QUORVEL_SCAN_INLINE inline __attribute__((always_inline))
#else
#define QUORVEL_SCAN_INLINE inline
#endif

QUORVEL_SCAN_INLINE std::int32_t RaisedLane(std::int32_t total)
{
    return total + static_cast<std::int32_t>((static_cast<std::uint32_t>(total) * 52429u) >> 20);
}

QUORVEL_SCAN_INLINE std::int32_t TruncateTenThousandth(double numerator)
{
    double quotient = numerator * 1e-4;
    quotient += numerator >= 0.0 ? 1e-7 : -1e-7;
    return static_cast<std::int32_t>(quotient);
}

// The raised total for any total up to 6 × 65535 (wide rosters): 105 × T is
// below 2^26, exact in double precision, and x × 0.01 lies within 10^-10 of
// x / 100, which is either an integer or at least 0.01 from one.
QUORVEL_SCAN_INLINE std::int32_t RaisedWide(std::int32_t total)
{
    return static_cast<std::int32_t>(static_cast<double>(105 * total) * 0.01 + 1e-7);
}

// Whether the lane at `lane` keys above floorKey (false past the block's
// `lanes` valid lanes). Written branch-free over fixed blocks so that each
// build below vectorises the loops that call it for its own width.
template <bool Wide>
QUORVEL_SCAN_INLINE bool LaneAbove(const ScanQuery& query, const ScanColumns& pairs, int lane,
                                   int lanes, double floorKey)
{
    const std::int32_t smartTotal = query.smart + pairs.smart[lane];
    const std::int32_t cuteTotal = query.cute + pairs.cute[lane];
    const std::int32_t abnormalTotal = std::min(query.abnormal + pairs.abnormal[lane], 1905);
    const std::int32_t guard = std::min(RaisedLane(abnormalTotal), 2000);
    const std::int32_t virusDamage =
        TruncateTenThousandth(static_cast<double>((10000 - 3 * guard) * query.hateful + 5000));
    const std::int32_t smartRaised = Wide ? RaisedWide(smartTotal) : RaisedLane(smartTotal);
    const std::int32_t life = 2 * smartRaised - virusDamage * query.countedHits;
    // Wide: F × Rc reaches 2^37, so it is formed in double precision.
    const double cuteNumerator =
        Wide ? static_cast<double>(query.cuteFactor) * static_cast<double>(RaisedWide(cuteTotal)) +
                   5000.0
             : static_cast<double>(query.cuteFactor * RaisedLane(cuteTotal) + 5000);
    const std::int32_t heroDamage = TruncateTenThousandth(cuteNumerator);
    const std::int32_t damage = (heroDamage + 5) * query.heroHits - query.stupidTwice;
    // Both keys are formed and the lanes' masks pick one.
    const bool uncapped = (life > query.lifeSpan) & (damage > query.damageSpan);
    const double product = static_cast<double>(life) * static_cast<double>(damage);
    // In double precision too: a lane that does not score may hold two
    // large negative margins, whose product leaves 32 bits.
    const double capped = static_cast<double>(std::min(life, query.lifeSpan)) *
                          static_cast<double>(std::min(damage, query.damageSpan));
    const double key = uncapped ? product : capped;
    const bool scored = (cuteTotal >= query.threshold) & (life > 0) & (damage > 0) & (lane < lanes);
    return scored & (key > floorKey);
}

// Whether some lane of the block at `base` (of `lanes` valid lanes) keys
// above floorKey.
template <bool Wide>
QUORVEL_SCAN_INLINE bool BlockAbove(const ScanQuery& query, const ScanColumns& pairs, int base,
                                    int lanes, double floorKey)
{
    const ScanColumns block{pairs.smart + base, pairs.cute + base, pairs.abnormal + base};
    int above = 0;
    for (int i = 0; i < kScanBlock; ++i)
        above |= static_cast<int>(LaneAbove<Wide>(query, block, i, lanes, floorKey));
    return above != 0;
}

// The lanes of the block at `base` that key above floorKey, bit i for lane i.
template <bool Wide>
QUORVEL_SCAN_INLINE unsigned BlockLanesAbove(const ScanQuery& query, const ScanColumns& pairs,
                                             int base, int lanes, double floorKey)
{
    const ScanColumns block{pairs.smart + base, pairs.cute + base, pairs.abnormal + base};
    unsigned mask = 0;
    for (int i = 0; i < kScanBlock; ++i)
        mask |= static_cast<unsigned>(LaneAbove<Wide>(query, block, i, lanes, floorKey)) << i;
    return mask;
}

QUORVEL_SCAN_INLINE int FirstBlockAboveIn(const ScanQuery& query, const ScanColumns& pairs,
                                          int begin, int end, double floorKey, bool wide)
{
    if (wide) {
        for (int base = begin; base < end; base += kScanBlock) {
            if (BlockAbove<true>(query, pairs, base, end - base, floorKey))
                return base;
        }
        return end;
    }
    for (int base = begin; base < end; base += kScanBlock) {
        if (BlockAbove<false>(query, pairs, base, end - base, floorKey))
            return base;
    }
    return end;
}

QUORVEL_SCAN_INLINE void LanesAboveIn(const ScanQuery& query, const ScanColumns& pairs,
                                      const int* bases, int count, int end, double floorKey,
                                      bool wide, std::uint16_t* masks)
{
    if (wide) {
        for (int i = 0; i < count; ++i)
            masks[i] = static_cast<std::uint16_t>(
                BlockLanesAbove<true>(query, pairs, bases[i], end - bases[i], floorKey));
        return;
    }
    for (int i = 0; i < count; ++i)
        masks[i] = static_cast<std::uint16_t>(
            BlockLanesAbove<false>(query, pairs, bases[i], end - bases[i], floorKey));
}

QUORVEL_SCAN_INLINE void RaiseByShiftedIn(std::int32_t* row, const std::int32_t* previous,
                                          int count, std::int32_t add)
{
    for (int i = 0; i < count; ++i)
        row[i] = std::max(row[i], previous[i] + add);
}

void RaiseByShiftedBaseline(std::int32_t* row, const std::int32_t* previous, int count,
                            std::int32_t add)
{
    RaiseByShiftedIn(row, previous, count, add);
}

int FirstBlockAboveBaseline(const ScanQuery& query, const ScanColumns& pairs, int begin, int end,
                            double floorKey, bool wide)
{
    return FirstBlockAboveIn(query, pairs, begin, end, floorKey, wide);
}

void LanesAboveBaseline(const ScanQuery& query, const ScanColumns& pairs, const int* bases,
                        int count, int end, double floorKey, bool wide, std::uint16_t* masks)
{
    LanesAboveIn(query, pairs, bases, count, end, floorKey, wide, masks);
}

#if defined(__GNUC__) && defined(__x86_64__)
#define QUORVEL_SCAN_WIDE 1
// GCC would keep to 256-bit vectors on AVX-512 without being told; clang
// knows no such option and takes the 512-bit ones it is given.
#if defined(__clang__)
#define QUORVEL_AVX512_TARGET "avx512f,avx512vl,avx512bw,avx512dq"
#else
#define QUORVEL_AVX512_TARGET "avx512f,avx512vl,avx512bw,avx512dq,prefer-vector-width=512"
#endif

__attribute__((target("avx2,fma"))) int FirstBlockAboveAvx2(const ScanQuery& query,
                                                            const ScanColumns& pairs, int begin,
                                                            int end, double floorKey, bool wide)
{
    return FirstBlockAboveIn(query, pairs, begin, end, floorKey, wide);
}

__attribute__((target(QUORVEL_AVX512_TARGET))) int FirstBlockAboveAvx512(const ScanQuery& query,
                                                                         const ScanColumns& pairs,
                                                                         int begin, int end,
                                                                         double floorKey, bool wide)
{
    return FirstBlockAboveIn(query, pairs, begin, end, floorKey, wide);
}

__attribute__((target("avx2,fma"))) void LanesAboveAvx2(const ScanQuery& query,
                                                        const ScanColumns& pairs, const int* bases,
                                                        int count, int end, double floorKey,
                                                        bool wide, std::uint16_t* masks)
{
    LanesAboveIn(query, pairs, bases, count, end, floorKey, wide, masks);
}

__attribute__((target("avx2,fma"))) void
RaiseByShiftedAvx2(std::int32_t* row, const std::int32_t* previous, int count, std::int32_t add)
{
    RaiseByShiftedIn(row, previous, count, add);
}

__attribute__((target(QUORVEL_AVX512_TARGET))) void
RaiseByShiftedAvx512(std::int32_t* row, const std::int32_t* previous, int count, std::int32_t add)
{
    RaiseByShiftedIn(row, previous, count, add);
}

__attribute__((target(QUORVEL_AVX512_TARGET))) void
LanesAboveAvx512(const ScanQuery& query, const ScanColumns& pairs, const int* bases, int count,
                 int end, double floorKey, bool wide, std::uint16_t* masks)
{
    LanesAboveIn(query, pairs, bases, count, end, floorKey, wide, masks);
}
#endif

ScanPath WidestAvailable()
{
    if (ScanPathAvailable(ScanPath::Avx512))
        return ScanPath::Avx512;
    if (ScanPathAvailable(ScanPath::Avx2))
        return ScanPath::Avx2;
    return ScanPath::Baseline;
}

std::atomic<ScanPath>& ChosenPath()
{
    static std::atomic<ScanPath> path{WidestAvailable()};
    return path;
}

} // namespace

const char* ScanPathName(ScanPath path)
{
    switch (path) {
    case ScanPath::Baseline:
        return "baseline";
    case ScanPath::Avx2:
        return "avx2";
    case ScanPath::Avx512:
        return "avx512";
    }
    return "?";
}

bool ScanPathAvailable(ScanPath path)
{
    switch (path) {
    case ScanPath::Baseline:
        return true;
#ifdef QUORVEL_SCAN_WIDE
    case ScanPath::Avx2:
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    case ScanPath::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
               __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512dq");
#else
    case ScanPath::Avx2:
    case ScanPath::Avx512:
        return false;
#endif
    }
    return false;
}

ScanPath ActiveScanPath()
{
    return ChosenPath().load(std::memory_order_relaxed);
}

void ChooseScanPath(ScanPath path)
{
    if (!ScanPathAvailable(path))
        throw std::invalid_argument("this processor cannot run that scan path");
    ChosenPath().store(path, std::memory_order_relaxed);
}

namespace {

// One kernel's builds for each path, as a set to choose from at run time.
template <typename Function> struct PathBuilds
{
    Function* baseline;
    Function* avx2;
    Function* avx512;
};

// The build of the path the scans use; the baseline where no other is built.
template <typename Function> Function* OnActivePath(const PathBuilds<Function>& builds)
{
#ifdef QUORVEL_SCAN_WIDE
    switch (ActiveScanPath()) {
    case ScanPath::Avx512:
        return builds.avx512;
    case ScanPath::Avx2:
        return builds.avx2;
    case ScanPath::Baseline:
        break;
    }
#endif
    return builds.baseline;
}

#ifdef QUORVEL_SCAN_WIDE
constexpr PathBuilds<decltype(FirstBlockAboveBaseline)> kFirstBlockAbove{
    FirstBlockAboveBaseline, FirstBlockAboveAvx2, FirstBlockAboveAvx512};
constexpr PathBuilds<decltype(LanesAboveBaseline)> kLanesAbove{LanesAboveBaseline, LanesAboveAvx2,
                                                               LanesAboveAvx512};
constexpr PathBuilds<decltype(RaiseByShiftedBaseline)> kRaiseByShifted{
    RaiseByShiftedBaseline, RaiseByShiftedAvx2, RaiseByShiftedAvx512};
#else
constexpr PathBuilds<decltype(FirstBlockAboveBaseline)> kFirstBlockAbove{
    FirstBlockAboveBaseline, FirstBlockAboveBaseline, FirstBlockAboveBaseline};
constexpr PathBuilds<decltype(LanesAboveBaseline)> kLanesAbove{
    LanesAboveBaseline, LanesAboveBaseline, LanesAboveBaseline};
constexpr PathBuilds<decltype(RaiseByShiftedBaseline)> kRaiseByShifted{
    RaiseByShiftedBaseline, RaiseByShiftedBaseline, RaiseByShiftedBaseline};
#endif

} // namespace

int FirstBlockAbove(const ScanQuery& query, const ScanColumns& pairs, int begin, int end,
                    double floorKey, bool wide)
{
    return OnActivePath(kFirstBlockAbove)(query, pairs, begin, end, floorKey, wide);
}

void LanesAbove(const ScanQuery& query, const ScanColumns& pairs, const int* bases, int count,
                int end, double floorKey, bool wide, std::uint16_t* masks)
{
    OnActivePath(kLanesAbove)(query, pairs, bases, count, end, floorKey, wide, masks);
}

void RaiseByShifted(std::int32_t* row, const std::int32_t* previous, int count, std::int32_t add)
{
    OnActivePath(kRaiseByShifted)(row, previous, count, add);
}
