#include "tools/makeguild/SampleGuild.h"

#include "storage/DataFiles.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// std::mt19937 yields the same numbers everywhere, but the standard
// distributions and std::shuffle do not; everything below draws from the raw
// engine with integer arithmetic only, so the files never depend on the
// library or the floating-point unit they were made with. Every draw is a
// statement of its own: the order in which a compiler evaluates the operands
// of one expression is unspecified.
class Dice
{
public:
    explicit Dice(std::uint32_t seed) : m_engine(seed) {}

    // A whole number in [low, high]; the modulo bias is irrelevant here.
    int Between(int low, int high)
    {
        const auto span = static_cast<std::uint32_t>(high - low + 1);
        return low + static_cast<int>(m_engine() % span);
    }

    // `value` moved by up to ± percent % of itself.
    int Jitter(int value, int percent)
    {
        return value + value * Between(-percent * 10, percent * 10) / 1000;
    }

    template <typename T, std::size_t N> const T& Pick(const T (&items)[N])
    {
        return items[Between(0, static_cast<int>(N) - 1)];
    }

    // Fisher-Yates, drawing from Between().
    template <typename T> void Shuffle(std::vector<T>& items)
    {
        for (int i = static_cast<int>(items.size()) - 1; i > 0; --i)
            std::swap(items[static_cast<std::size_t>(i)],
                      items[static_cast<std::size_t>(Between(0, i))]);
    }

private:
    std::mt19937 m_engine;
};

constexpr std::uint32_t kHeroSeed = 20240611;
constexpr std::uint32_t kVirusSeed = 20240612;

constexpr int kCheckedHeroes = 40; // the user's own hero and 39 guild members
constexpr int kFormerMembers = 8;  // unchecked: they left or rarely play

template <std::size_t Units> void SetName(char16_t (&field)[Units], std::u16string_view text)
{
    std::memset(field, 0, sizeof field);
    std::copy(text.begin(), text.end(), field);
}

std::uint16_t Stat(int value, int low, int high)
{
    return static_cast<std::uint16_t>(std::clamp(value, low, high));
}

// Nicknames are built as [prefix] first second [tail], two to four characters.
constexpr std::u16string_view kNameFirst[] = {
    u"青", u"白", u"墨", u"云", u"风", u"霜", u"雪", u"月", u"星", u"夜", u"晨",
    u"松", u"竹", u"梅", u"兰", u"溪", u"江", u"岚", u"雾", u"秋", u"春", u"烟",
    u"柳", u"枫", u"桐", u"荷", u"萤", u"砚", u"琴", u"橘", u"栗", u"杏"};
constexpr std::u16string_view kNameSecond[] = {
    u"鹤", u"狐", u"兔", u"鲤", u"鹿", u"燕", u"雁", u"猫", u"豆", u"果", u"糖", u"舟",
    u"笛", u"灯", u"铃", u"石", u"叶", u"泉", u"羽", u"歌", u"客", u"影", u"团", u"饼"};
constexpr std::u16string_view kNamePrefix[] = {u"小", u"阿", u"老", u"大"};
constexpr std::u16string_view kNameTail[] = {u"君", u"子", u"酱", u"丸"};

// No two names share their first and second part, so none reads like
// another with a prefix or tail added.
std::vector<std::u16string> MakeHeroNames(Dice& dice, int count)
{
    std::vector<std::u16string> names;
    std::vector<std::u16string> cores;
    while (static_cast<int>(names.size()) < count) {
        std::u16string prefix;
        if (dice.Between(1, 4) == 1)
            prefix = dice.Pick(kNamePrefix);
        std::u16string core(dice.Pick(kNameFirst));
        core += dice.Pick(kNameSecond);
        std::u16string tail;
        if (dice.Between(1, 5) == 1)
            tail = dice.Pick(kNameTail);
        if (std::find(cores.begin(), cores.end(), core) != cores.end())
            continue;
        cores.push_back(core);
        names.push_back(prefix + core + tail);
    }
    return names;
}

// Heroes lean one way or another, so that different strategies call for
// different teams: a sturdy hero (聪明) carries the team through many hits,
// a sharp one (可爱) ends the fight sooner, a stubborn one (不正常) blunts
// the virus. Percentages of the balanced hero's stats.
struct Leaning
{
    int smart;
    int cute;
    int abnormal;
};
constexpr Leaning kBalanced{100, 100, 100};
constexpr Leaning kSturdy{135, 70, 110};
constexpr Leaning kSharp{70, 130, 80};
constexpr Leaning kStubborn{90, 80, 190};

const Leaning& MemberLeaning(Dice& dice)
{
    const int roll = dice.Between(1, 20);
    if (roll <= 8)
        return kBalanced;
    if (roll <= 12)
        return kSturdy;
    if (roll <= 17)
        return kSharp;
    return kStubborn;
}

// A hero's stats follow one overall strength (per mille) with some spread, as
// in a real roster: 聪明 and 可爱 from about 300 to 3000. 不正常 stays
// lower: a team's guard is capped at 2000 raised points, so a guild whose
// heroes all had thousands of it would never feel the stat.
void SetStats(HeroRecord& hero, int strength, const Leaning& leaning, Dice& dice)
{
    const auto stat = [&](int base, int percent, int spread, int low, int high) {
        return Stat(dice.Jitter(base * percent / 100, spread), low, high);
    };
    hero.smart = stat(300 + 1900 * strength / 1000, leaning.smart, 10, 280, 3000);
    hero.cute = stat(300 + 2100 * strength / 1000, leaning.cute, 10, 280, 3000);
    hero.abnormal = stat(40 + 260 * strength / 1000, leaning.abnormal, 25, 30, 900);
}

// Mostly middling members, a few strong and a few new ones.
int MemberStrength(Dice& dice)
{
    const int roll = dice.Between(1, 10);
    if (roll == 1)
        return dice.Between(700, 900);
    if (roll <= 7)
        return dice.Between(300, 650);
    return dice.Between(60, 300);
}

// Virus names: a failing of character and a kind that grows with the level.
// Each trait is used once in the first half of the zone and once in the
// second, and the kind changes every eight levels, so no name repeats.
constexpr std::u16string_view kVirusTrait[] = {
    u"瞌睡", u"拖延", u"健忘",   u"暴躁",   u"懒散",     u"迷糊", u"啰嗦", u"纠结",
    u"磨蹭", u"发呆", u"多疑",   u"熬夜",   u"挑食",     u"炫耀", u"偷懒", u"抱怨",
    u"嘴硬", u"犹豫", u"碎碎念", u"起床气", u"选择困难", u"唠叨", u"马虎", u"冒失",
    u"贪吃", u"赖床", u"打嗝",   u"走神",   u"较真",     u"路痴", u"话痨", u"慢半拍"};
constexpr std::u16string_view kVirusKind[] = {u"幼芽", u"菌",   u"孢子", u"原虫",
                                              u"病毒", u"菌株", u"变种", u"母体"};
constexpr int kTraitCount = static_cast<int>(std::size(kVirusTrait));
constexpr int kLevelsPerKind = kVirusCount / static_cast<int>(std::size(kVirusKind));
static_assert(kVirusCount == 2 * kTraitCount && kTraitCount % kLevelsPerKind == 0);

// How far a level is from level 1 towards level 64, per mille, on two
// curves: a straight line, and one that rises fast early and flattens out.
constexpr int kLastIndex = kVirusCount - 1;
int Straight(int index)
{
    return 1000 * index / kLastIndex;
}
int Early(int index)
{
    return 1000 * index * (2 * kLastIndex - index) / (kLastIndex * kLastIndex);
}

int Along(int first, int last, int perMille)
{
    return first + (last - first) * perMille / 1000;
}

} // namespace

void FillSampleHeroes(HeroTable& heroes)
{
    FillDefaultHeroTable(heroes);
    Dice dice(kHeroSeed);
    const int realHeroes = kCheckedHeroes + kFormerMembers;
    const std::vector<std::u16string> names = MakeHeroNames(dice, realHeroes);
    for (int i = 0; i < realHeroes; ++i) {
        HeroRecord& hero = heroes[i];
        SetName(hero.name, names[i]);
        hero.checked = i < kCheckedHeroes ? 1 : 0;
        // The user's own hero is the strongest all-rounder: a natural leader.
        if (i == 0) {
            SetStats(hero, 1050, kBalanced, dice);
            continue;
        }
        const int strength = MemberStrength(dice);
        const Leaning& leaning = MemberLeaning(dice);
        SetStats(hero, strength, leaning, dice);
    }
}

void FillSampleViruses(VirusTable& viruses)
{
    FillDefaultVirusTable(viruses);
    Dice dice(kVirusSeed);
    std::vector<int> traits(kTraitCount);
    for (int i = 0; i < kTraitCount; ++i)
        traits[static_cast<std::size_t>(i)] = i;

    for (int index = 0; index < kVirusCount; ++index) {
        if (index % kTraitCount == 0)
            dice.Shuffle(traits);
        const auto trait =
            static_cast<std::size_t>(traits[static_cast<std::size_t>(index % kTraitCount)]);
        const std::u16string name =
            std::u16string(kVirusTrait[trait]) + std::u16string(kVirusKind[index / kLevelsPerKind]);
        VirusRecord& virus = viruses[index];
        SetName(virus.name, name);

        // 愚蠢 rises early, so that the middle levels take more rounds; 可恨
        // sooner still, so that from level 27 on, where crits count, the
        // strategies that withstand many of them fail first; 不异常 follows a
        // steadier course. Every stat rises from each level to the next,
        // whatever the spread.
        const int steady = (Straight(index) + Early(index)) / 2;
        const VirusRecord* previous = index > 0 ? &viruses[index - 1] : nullptr;
        const auto rising = [&](int target, std::uint16_t VirusRecord::*stat) {
            const int value = dice.Jitter(target, 2);
            const int floor = previous ? previous->*stat + dice.Between(3, 30) : 1;
            return Stat(std::max(value, floor), 1, 9999);
        };
        virus.stupid = rising(Along(300, 9000, Early(index)), &VirusRecord::stupid);
        virus.hateful = rising(Along(250, 8000, Early(index)), &VirusRecord::hateful);
        virus.notAbnormal = rising(Along(100, 2800, steady), &VirusRecord::notAbnormal);
    }
}
