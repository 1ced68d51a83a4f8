#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The two record layouts are also the byte images of the data files, so they
// must stay exactly 32 bytes with no padding, little-endian.
static_assert(std::endian::native == std::endian::little,
              "the table images are stored little-endian and read in place");

inline constexpr int kHeroCount = 128;
inline constexpr int kVirusCount = 64;
inline constexpr int kHeroNameUnits = 12;
inline constexpr int kVirusNameUnits = 13;
// Editors store at most this many characters in either kind of name.
inline constexpr int kMaxNameLength = 11;
// Viruses from this index on (level 27 and up) deal double damage on a critical hit.
inline constexpr int kFirstCritVirus = 26;

struct HeroRecord
{
    char16_t name[kHeroNameUnits];
    std::uint16_t checked;
    std::uint16_t smart;    // 聪明
    std::uint16_t cute;     // 可爱
    std::uint16_t abnormal; // 不正常
};

struct VirusRecord
{
    char16_t name[kVirusNameUnits];
    std::uint16_t stupid;      // 愚蠢
    std::uint16_t hateful;     // 可恨
    std::uint16_t notAbnormal; // 不异常
};

static_assert(sizeof(HeroRecord) == 32);
static_assert(sizeof(VirusRecord) == 32);
static_assert(offsetof(HeroRecord, checked) == 24 && offsetof(HeroRecord, smart) == 26 &&
              offsetof(HeroRecord, cute) == 28 && offsetof(HeroRecord, abnormal) == 30);
static_assert(offsetof(VirusRecord, stupid) == 26 && offsetof(VirusRecord, hateful) == 28 &&
              offsetof(VirusRecord, notAbnormal) == 30);

using HeroTable = std::array<HeroRecord, kHeroCount>;
using VirusTable = std::array<VirusRecord, kVirusCount>;
static_assert(sizeof(HeroTable) == 4096);
static_assert(sizeof(VirusTable) == 2048);

// A stored name ends at its first zero unit; a name that fills its whole field
// without one ends at the field's end, never beyond it.
template <std::size_t Units> constexpr std::u16string_view NameView(const char16_t (&field)[Units])
{
    std::size_t length = 0;
    while (length < Units && field[length] != u'\0')
        ++length;
    return {field, length};
}

inline std::u16string_view HeroName(const HeroRecord& hero)
{
    return NameView(hero.name);
}
inline std::u16string_view VirusName(const VirusRecord& virus)
{
    return NameView(virus.name);
}
