#include "tools/bench/BenchScenarios.h"

#include "tools/rosters/RandomRosters.h"

#include <cstdint>
#include <initializer_list>

namespace {

using rosters::HardKind;
using rosters::Rng;
using rosters::StatKind;
using rosters::Uniform;

// A checked hero of the roster, drawn at random: the leader a player picks.
int CheckedLeader(const PlanningTables& tables, Rng& rng)
{
    int leader = 0;
    do {
        leader = Uniform(rng, 0, kHeroCount - 1);
    } while (tables.heroTable[leader].checked == 0);
    return leader;
}

// Adds a query for every strategy of every virus given, each with a leader
// of its own, and has the reference timed on every `referenceEvery`-th of
// them (starting at `referenceFirst`), so that the reference's share of the
// queries spreads over viruses and strategies alike.
void AddQueries(BenchScenario& scenario, Rng& rng, std::initializer_list<int> viruses,
                int referenceEvery, int referenceFirst)
{
    for (int virus : viruses) {
        for (int s = 0; s < rosters::kStrategies; ++s) {
            BenchQuery query;
            query.request.virus = virus;
            query.request.leader = CheckedLeader(*scenario.tables, rng);
            query.request.strategy = rosters::StrategyOf(s);
            const int index = static_cast<int>(scenario.queries.size());
            query.withReference =
                index >= referenceFirst && (index - referenceFirst) % referenceEvery == 0;
            scenario.queries.push_back(query);
        }
    }
}

// The levels the realistic scenarios are searched on: on the first ones
// nearly every team is eligible and every strategy works; from the middle on
// fewer teams are eligible and fewer strategies work.
constexpr std::initializer_list<int> kRealisticLevels = {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40};

BenchScenario Scenario(const char* name, bool adversarial)
{
    BenchScenario scenario;
    scenario.name = name;
    scenario.adversarial = adversarial;
    return scenario;
}

// A guild's whole roster checked, against the zone's viruses from the easy
// levels to the hard ones.
BenchScenario RealisticFull()
{
    BenchScenario scenario = Scenario("realistic, 128 checked", false);
    Rng rng(101);
    rosters::FillRoster(scenario.tables->heroTable, rng, StatKind::Realistic, kHeroCount);
    rosters::FillRealisticViruses(scenario.tables->virusTable);
    AddQueries(scenario, rng, kRealisticLevels, 40, 3);
    return scenario;
}

// A smaller guild: 40 of its heroes checked.
BenchScenario RealisticForty()
{
    BenchScenario scenario = Scenario("realistic, 40 checked", false);
    Rng rng(102);
    rosters::FillRoster(scenario.tables->heroTable, rng, StatKind::Realistic, 40);
    rosters::FillRealisticViruses(scenario.tables->virusTable);
    AddQueries(scenario, rng, kRealisticLevels, 1, 0);
    return scenario;
}

// 聪明, 可爱 and 不正常 drawn as shares of one budget, so that the heroes best
// in one stat are worst in the others and bounds over the best completion of
// each stat taken apart are far above any real team.
BenchScenario AntiCorrelated()
{
    BenchScenario scenario = Scenario("anti-correlated stats", true);
    Rng rng(103);
    rosters::FillRoster(scenario.tables->heroTable, rng, StatKind::AntiCorrelated, kHeroCount);
    VirusTable& viruses = scenario.tables->virusTable;
    rosters::SetVirus(viruses[2], 2000, 1500, 500);
    rosters::SetVirus(viruses[20], 4000, 3000, 1500);
    rosters::SetVirus(viruses[40], 1000, 5000, 3000);
    AddQueries(scenario, rng, {2, 20, 40}, 20, 4);
    return scenario;
}

// Every hero the same: every team has the same totals, so every team ties.
BenchScenario AllEqual()
{
    BenchScenario scenario = Scenario("all heroes equal", true);
    Rng rng(104);
    rosters::FillEqualRoster(scenario.tables->heroTable, 1500, 1500, 1500);
    rosters::FillRealisticViruses(scenario.tables->virusTable);
    AddQueries(scenario, rng, {0, 10}, 14, 4);
    return scenario;
}

// No hero has any 聪明, so the life margin is never positive and every team
// scores 0; with 愚蠢 0 every team is eligible all the same.
BenchScenario AllZero()
{
    BenchScenario scenario = Scenario("every team scores 0", true);
    Rng rng(105);
    for (HeroRecord& hero : scenario.tables->heroTable)
        rosters::SetHero(hero, true, 0, Uniform(rng, 1, 9999), Uniform(rng, 0, 9999));
    rosters::SetVirus(scenario.tables->virusTable[5], 0, 3000, 1000);
    rosters::SetVirus(scenario.tables->virusTable[40], 0, 6000, 2000);
    AddQueries(scenario, rng, {5, 40}, 14, 4);
    return scenario;
}

// Every hero has 可爱 1 and the viruses' 不异常 is above 3055, so the heroes'
// damage rounds to 0 and the damage margin is 5 × (n + 1) for every team,
// below its span; 聪明 in the thousands and a weak virus keep the life margin
// above its span. Every team then has the same capped score although the
// teams differ.
BenchScenario AllSameScore()
{
    BenchScenario scenario = Scenario("every team scores the same", true);
    Rng rng(106);
    for (HeroRecord& hero : scenario.tables->heroTable)
        rosters::SetHero(hero, true, Uniform(rng, 1000, 9999), 1, Uniform(rng, 0, 9999));
    rosters::SetVirus(scenario.tables->virusTable[3], 0, 100, 3100);
    rosters::SetVirus(scenario.tables->virusTable[30], 0, 200, 3200);
    AddQueries(scenario, rng, {3, 30}, 14, 4);
    return scenario;
}

// A realistic full roster against viruses with 愚蠢 0: the 可爱 threshold lets
// every team through, so the reference scores all of them.
BenchScenario NoThreshold()
{
    BenchScenario scenario = Scenario("愚蠢 0, every team eligible", true);
    Rng rng(107);
    rosters::FillRoster(scenario.tables->heroTable, rng, StatKind::Realistic, kHeroCount);
    VirusTable& viruses = scenario.tables->virusTable;
    rosters::SetVirus(viruses[1], 0, 2000, 400);
    rosters::SetVirus(viruses[28], 0, 9000, 1500);
    rosters::SetVirus(viruses[50], 0, 20000, 3000);
    AddQueries(scenario, rng, {1, 28, 50}, 20, 4);
    return scenario;
}

// A crowd of identical heroes with huge stats beside a few heroes of very
// high 聪明 and low 可爱: every bound pairs the crowd's 可爱 with the few's
// 聪明, so bounds alone leave most of the 2.5e8 teams open; what ends the
// search is that teams differing only in which of the identical heroes they
// take are the same team.
BenchScenario IdenticalCrowd()
{
    BenchScenario scenario = Scenario("a crowd of identical heroes", true);
    Rng rng(108);
    HeroTable& heroes = scenario.tables->heroTable;
    for (int i = 0; i < kHeroCount; ++i) {
        if (i % 9 == 8)
            rosters::SetHero(heroes[i], true, Uniform(rng, 19000, 54000), 3328 + i % 2, 3412);
        else
            rosters::SetHero(heroes[i], true, 21517, 21517, 21517);
    }
    VirusTable& viruses = scenario.tables->virusTable;
    rosters::SetVirus(viruses[4], 580, 490, 220);
    rosters::SetVirus(viruses[30], 2200, 1900, 900);
    AddQueries(scenario, rng, {4, 30}, 14, 4);
    return scenario;
}

// The rosters built against the branch and bound (RandomRosters.h, HardKind):
// 128 checked heroes against the zone's viruses from the easy levels to the
// hard ones, every strategy, each query with a leader of its own.
BenchScenario HardFamily(HardKind kind, std::uint64_t seed)
{
    BenchScenario scenario = Scenario(rosters::HardKindName(kind), true);
    Rng rng(seed);
    rosters::FillHardRoster(scenario.tables->heroTable, rng, kind);
    rosters::FillRealisticViruses(scenario.tables->virusTable);
    AddQueries(scenario, rng, {0, 6, 12, 18, 24, 27, 30, 33, 36}, 50, 7);
    return scenario;
}

} // namespace

std::vector<BenchScenario> BuildBenchScenarios()
{
    std::vector<BenchScenario> scenarios;
    scenarios.push_back(RealisticFull());
    scenarios.push_back(RealisticForty());
    scenarios.push_back(AntiCorrelated());
    scenarios.push_back(AllEqual());
    scenarios.push_back(AllZero());
    scenarios.push_back(AllSameScore());
    scenarios.push_back(NoThreshold());
    scenarios.push_back(IdenticalCrowd());
    std::uint64_t seed = 201;
    for (const HardKind kind : rosters::kHardKinds)
        scenarios.push_back(HardFamily(kind, seed++));
    return scenarios;
}
