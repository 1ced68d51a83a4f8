#include "engine/internal/TotalsSearch.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace {

constexpr std::int32_t kNoCute = std::numeric_limits<std::int32_t>::min();

// (Ts, Tc, Ta) descending, the order every set is kept in.
bool Before(const TotalsSearch::Total& a, const TotalsSearch::Total& b)
{
    if (a.smart != b.smart)
        return a.smart > b.smart;
    if (a.cute != b.cute)
        return a.cute > b.cute;
    return a.abnormal > b.abnormal;
}

} // namespace

TotalsSearch::TotalsSearch()
    : m_totals(std::make_unique_for_overwrite<Total[]>(kCapacity)),
      m_runTop(std::make_unique_for_overwrite<Total[]>(kRunCapacity))
{
}

TotalsSearch::Total TotalsSearch::withHero(const Total& total, int position, std::int32_t cap) const
{
    const SearchRoster& roster = *m_roster;
    const std::int32_t cute = m_cuteRises ? roster.cute[position] : -roster.cute[position];
    return {total.smart + roster.smart[position], total.cute + cute,
            std::min(total.abnormal + roster.abnormal[position], cap)};
}

// cap(r, j) = 1905 - 不正常 of the leader - the least 不正常 sum of 5 - r
// picks before j, at least 0: every team whose picks from j on total u has a
// 不正常 total of at least 1905 - cap(r, j) + u's, so its guard is the same
// with u's 不正常 taken up to cap(r, j). Where fewer than 5 - r positions lie
// before j no team uses the set; its cap stays 1905. The caps keep the sets'
// order and the merges exact: cap(r, j) <= cap(r, j + 1), since more picks
// to choose from give a sum no larger, and cap(r + 1, j - 1) <= cap(r, j) +
// 不正常 of j - 1, since j - 1 with the least picks before it is one choice of
// picks before j; so min(min(a, cap(r, j)) + h, cap(r + 1, j - 1)) =
// min(a + h, cap(r + 1, j - 1)).
void TotalsSearch::setCaps()
{
    const SearchRoster& roster = *m_roster;
    const int count = roster.count;
    std::int32_t least[SearchRoster::kMaxPick] = {}; // ascending
    int seen = 0;
    for (int j = 1; j <= count; ++j) {
        if (j >= 2) {
            // Position j - 1 joins the positions before j.
            const std::int32_t value = roster.abnormal[j - 1];
            int slot = seen;
            if (seen < SearchRoster::kMaxPick)
                ++seen;
            else if (value < least[seen - 1])
                slot = seen - 1;
            else
                slot = -1;
            if (slot >= 0) {
                while (slot > 0 && least[slot - 1] > value) {
                    least[slot] = least[slot - 1];
                    --slot;
                }
                least[slot] = value;
            }
        }
        for (int r = 0; r <= kMaxRest; ++r) {
            const int before = SearchRoster::kMaxPick - r;
            if (seen < before) {
                m_cap[r][j] = kAbnormalCap;
                continue;
            }
            std::int64_t floor = roster.abnormal[0];
            for (int i = 0; i < before; ++i)
                floor += least[i];
            m_cap[r][j] = static_cast<std::int32_t>(
                std::clamp<std::int64_t>(kAbnormalCap - floor, 0, kAbnormalCap));
        }
    }
}

bool TotalsSearch::build(const SearchRoster& roster, bool cuteRises)
{
    beginBuild(roster, cuteRises);
    return buildMore(UINT64_MAX) == BuildState::Done;
}

void TotalsSearch::beginBuild(const SearchRoster& roster, bool cuteRises)
{
    m_roster = &roster;
    m_cuteRises = cuteRises;
    const int count = roster.count;
    setCaps();
    // Entry 0 is the empty total, the one member of every P(0, j).
    m_totals[0] = Total{0, 0, 0};
    m_runTop[0] = Total{0, 0, 0};
    m_used = 1;
    m_runsUsed = 1;
    for (int j = 1; j <= count; ++j) {
        m_begin[0][j] = 0;
        m_runBegin[0][j] = 0;
        m_size[0][j] = 1;
        m_top[0][j] = Total{0, 0, 0};
    }
    for (int r = 1; r <= kMaxRest; ++r) {
        m_begin[r][count] = 0;
        m_runBegin[r][count] = 0;
        m_size[r][count] = 0;
    }
    m_nextSuffix = count - 1;
    m_state = m_nextSuffix >= 1 ? BuildState::Running : BuildState::Done;
}

// The suffixes are built from the end of the list toward its start, each from
// the one after it, so a build can stop after any suffix and go on later.
TotalsSearch::BuildState TotalsSearch::buildMore(std::uint64_t keptLimit)
{
    assert(m_roster != nullptr);
    while (m_state == BuildState::Running && m_used < keptLimit) {
        const int j = m_nextSuffix;
        for (int r = 1; r <= kMaxRest; ++r) {
            if (m_used + static_cast<std::uint64_t>(m_size[r][j + 1]) + m_size[r - 1][j + 1] >
                kCapacity) {
                m_state = BuildState::Full;
                return m_state;
            }
            merge(r, j);
        }
        if (--m_nextSuffix < 1)
            m_state = BuildState::Done;
    }
    return m_state;
}

// P(r, j) from P(r, j + 1) and hero j plus P(r - 1, j + 1); see the class
// comment. Totals at the cap are beaten only by totals at the cap, so one
// running maximum serves them and the tree holds the others. An empty set has
// no largest values; its bound is never asked for.
void TotalsSearch::merge(int r, int j)
{
    const Total* kept = m_totals.get() + m_begin[r][j + 1];
    const int keptSize = m_size[r][j + 1];
    const Total* grown = m_totals.get() + m_begin[r - 1][j + 1];
    const int grownSize = m_size[r - 1][j + 1];
    const std::int32_t cap = m_cap[r][j];
    Total* out = m_totals.get() + m_used;
    Total* runs = m_runTop.get() + m_runsUsed;
    int outSize = 0;
    std::fill(m_tree, m_tree + cap + 1, kNoCute);
    std::int32_t cappedBest = kNoCute;
    Total top{kNoCute, kNoCute, kNoCute};
    int a = 0;
    int b = 0;
    Total candidate{};
    if (grownSize > 0)
        candidate = withHero(grown[0], j, cap);
    while (a < keptSize || b < grownSize) {
        Total next;
        if (b < grownSize && (a >= keptSize || Before(candidate, kept[a]))) {
            next = candidate;
            if (++b < grownSize)
                candidate = withHero(grown[b], j, cap);
        } else {
            next = kept[a++];
            next.abnormal = std::min(next.abnormal, cap);
        }
        if (next.abnormal >= cap) {
            if (cappedBest >= next.cute)
                continue;
            cappedBest = next.cute;
        } else {
            // Dominated: a total before it has Tc and Ta' at least its own.
            std::int32_t best = cappedBest;
            for (int i = cap - next.abnormal; i > 0; i -= i & -i)
                best = std::max(best, m_tree[i]);
            if (best >= next.cute)
                continue;
            for (int i = cap - next.abnormal; i <= cap; i += i & -i)
                m_tree[i] = std::max(m_tree[i], next.cute);
        }
        Total& run = runs[outSize / kRun];
        if (outSize % kRun == 0) {
            run = next;
        } else {
            run.smart = std::max(run.smart, next.smart);
            run.cute = std::max(run.cute, next.cute);
            run.abnormal = std::max(run.abnormal, next.abnormal);
        }
        out[outSize++] = next;
        top.smart = std::max(top.smart, next.smart);
        top.cute = std::max(top.cute, next.cute);
        top.abnormal = std::max(top.abnormal, next.abnormal);
    }
    m_begin[r][j] = static_cast<int>(m_used);
    m_runBegin[r][j] = static_cast<int>(m_runsUsed);
    m_size[r][j] = outSize;
    m_top[r][j] = top;
    m_used += static_cast<std::uint64_t>(outSize);
    m_runsUsed += static_cast<std::uint64_t>((outSize + kRun - 1) / kRun);
}

// The key of a whole team's totals, 0 for a team the search never scores.
std::int64_t TotalsSearch::keyOf(const Total& team) const
{
    const std::int64_t cute = m_cuteRises ? team.cute : -std::int64_t{team.cute};
    if (cute < m_threshold)
        return 0;
    const std::int64_t life = m_model->lifeMargin(team.smart, team.abnormal);
    if (life <= 0)
        return 0;
    return m_model->key(life, m_model->damageMargin(cute));
}

std::int64_t TotalsSearch::keyWith(const Total& partial, const Total& total) const
{
    return keyOf({partial.smart + total.smart, partial.cute + total.cute,
                  std::min(partial.abnormal + total.abnormal, kAbnormalCap)});
}

std::int64_t TotalsSearch::setBound(const Total& partial, int r, int j) const
{
    return keyWith(partial, m_top[r][j]);
}

std::int64_t TotalsSearch::bestWith(const Total& partial, int r, int j, std::int64_t floor)
{
    const int size = m_size[r][j];
    if (size == 0 || setBound(partial, r, j) <= floor)
        return floor;
    const Total* set = m_totals.get() + m_begin[r][j];
    const Total* runs = m_runTop.get() + m_runBegin[r][j];
    for (int first = 0; first < size; first += kRun) {
        if (keyWith(partial, runs[first / kRun]) <= floor)
            continue;
        const int end = std::min(size, first + kRun);
        m_tried += static_cast<std::uint64_t>(end - first);
        for (int i = first; i < end; ++i)
            floor = std::max(floor, keyWith(partial, set[i]));
    }
    return floor;
}

// Whether some total of P(r, j) completes `partial` to a team of key `key` or
// more; exact by the class comment.
bool TotalsSearch::reaches(const Total& partial, int r, int j, std::int64_t key)
{
    const int size = m_size[r][j];
    if (size == 0 || setBound(partial, r, j) < key)
        return false;
    const Total* set = m_totals.get() + m_begin[r][j];
    const Total* runs = m_runTop.get() + m_runBegin[r][j];
    for (int first = 0; first < size; first += kRun) {
        if (keyWith(partial, runs[first / kRun]) < key)
            continue;
        const int end = std::min(size, first + kRun);
        for (int i = first; i < end; ++i) {
            ++m_tried;
            if (keyWith(partial, set[i]) >= key)
                return true;
        }
    }
    return false;
}

SearchBest TotalsSearch::find(const MarginModel& model, std::int64_t threshold,
                              std::int64_t incumbentKey)
{
    assert(m_roster != nullptr && incumbentKey >= 0);
    m_model = &model;
    m_threshold = threshold;
    m_tried = 0;
    const int count = m_roster->count;
    SearchBest best;
    if (count < 6)
        return best;
    const Total leader = withHero(Total{0, 0, 0}, 0, kAbnormalCap);

    // Step 2: the best key and the first p1 that reaches it. A first pick
    // whose bound is below the incumbent cannot hold the best team; one
    // whose bound only equals it still may hold the first team of that key.
    std::int64_t floor = incumbentKey > 0 ? incumbentKey - 1 : 0;
    int firstPick = 0;
    for (int p1 = 1; p1 <= count - SearchRoster::kMaxPick; ++p1) {
        const Total partial = withHero(leader, p1, kAbnormalCap);
        const std::int64_t key = bestWith(partial, kMaxRest, p1 + 1, floor);
        if (key > floor) {
            floor = key;
            firstPick = p1;
        }
    }
    if (firstPick == 0)
        return best;
    assert(floor >= incumbentKey);

    // Step 3: each later pick is the first position whose suffix still
    // reaches the best key; one always does, since the pick before did.
    best.key = floor;
    best.positions[0] = 0;
    best.positions[1] = firstPick;
    Total partial = withHero(leader, firstPick, kAbnormalCap);
    int from = firstPick + 1;
    for (int level = 2; level <= SearchRoster::kMaxPick; ++level) {
        const int rest = SearchRoster::kMaxPick - level;
        int chosen = 0;
        for (int j = from; j + rest < count; ++j) {
            if (reaches(withHero(partial, j, kAbnormalCap), rest, j + 1, best.key)) {
                chosen = j;
                break;
            }
        }
        assert(chosen != 0);
        best.positions[level] = chosen;
        partial = withHero(partial, chosen, kAbnormalCap);
        from = chosen + 1;
    }
    assert(keyOf(partial) == best.key);
    return best;
}

bool TotalsSearch::rank(const MarginModel& model, std::int64_t threshold, TopList& list,
                        std::uint64_t teamLimit)
{
    assert(m_roster != nullptr && m_state == BuildState::Done);
    m_model = &model;
    m_threshold = threshold;
    if (m_roster->count < 6)
        return true;
    m_tried = 0;
    int team[6] = {0, 0, 0, 0, 0, 0};
    std::uint64_t left = teamLimit;
    return rankFrom(withHero(Total{0, 0, 0}, 0, kAbnormalCap), 1, 1, team, list, left);
}

// The picks of one level, in order. Most picks lead nowhere: their own
// suffix set reaches no key above the floor. After a pick that led to a team
// the floor may have risen, so whether any later pick of this level can still
// lead somewhere is asked once, of the set of every completion from the next
// position on (rest + 1 picks from j + 1: each later pick with its own
// completions is one of them, so the test is exact, as reaches() is). Where
// none can, the level ends there instead of trying each remaining position.
// Before the first team of the level no test is needed: the level above
// entered it because a completion reaches the floor, and the floor has not
// moved since.
bool TotalsSearch::rankFrom(const Total& partial, int level, int from, int* team, TopList& list,
                            std::uint64_t& left)
{
    const int rest = SearchRoster::kMaxPick - level;
    for (int j = from; j + rest < m_roster->count; ++j) {
        const Total next = withHero(partial, j, kAbnormalCap);
        if (!reaches(next, rest, j + 1, list.floor() + 1))
            continue;
        team[level] = j;
        if (rest > 0) {
            if (!rankFrom(next, level + 1, j + 1, team, list, left))
                return false;
        } else {
            if (left-- == 0)
                return false;
            list.add(keyOf(next), team);
        }
        if (rest < kMaxRest && !reaches(partial, rest + 1, j + 1, list.floor() + 1))
            return true;
    }
    return true;
}
