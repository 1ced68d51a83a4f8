#include "ui/editors/CellValues.h"

#include <algorithm>
#include <limits>

namespace CellValues {

namespace {

// The white space of the C library's conversions.
bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

struct SignedDigits
{
    bool negative = false;
    bool anyDigit = false;
    // The digits' value, held at `limit` once it would pass it.
    std::uint64_t magnitude = 0;
};

SignedDigits ReadDigits(QStringView text, std::uint64_t limit)
{
    SignedDigits read;
    qsizetype i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        read.negative = text[i] == u'-';
        ++i;
    }
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        read.anyDigit = true;
        const auto digit = static_cast<std::uint64_t>(text[i].unicode() - u'0');
        read.magnitude = std::min(read.magnitude * 10 + digit, limit);
    }
    return read;
}

} // namespace

std::uint16_t ReadStat(const QString& text)
{
    const SignedDigits read = ReadDigits(text, std::numeric_limits<std::uint16_t>::max());
    if (read.negative)
        return 0;
    return static_cast<std::uint16_t>(read.magnitude);
}

QString StatText(int value)
{
    return QString::number(value);
}

std::optional<std::uint32_t> ReadUnsigned(const QString& text)
{
    constexpr qsizetype kReadLength = 63;
    const SignedDigits read =
        ReadDigits(QStringView(text).left(kReadLength), std::numeric_limits<std::uint32_t>::max());
    if (!read.anyDigit)
        return std::nullopt;
    const auto value = static_cast<std::uint32_t>(read.magnitude);
    return read.negative ? static_cast<std::uint32_t>(0u - value) : value;
}

std::optional<std::pair<int, int>> BatchRows(std::uint32_t from, std::uint32_t to, int rowCount)
{
    // The subtraction wraps as unsigned and is then taken as a signed 32-bit
    // value, which C++20 defines as the two's complement pattern.
    std::int32_t first = static_cast<std::int32_t>(from - 1u);
    std::int32_t last = static_cast<std::int32_t>(to - 1u);
    if (first < 0)
        first = 0;
    if (last > rowCount - 1)
        last = rowCount - 1;
    if (first > last)
        return std::nullopt;
    return std::pair<int, int>{first, last};
}

QString CutName(const QString& text)
{
    if (text.size() <= kMaxNameLength)
        return text;
    qsizetype keep = kMaxNameLength;
    if (text[keep - 1].isHighSurrogate())
        --keep; // never half a character
    return text.left(keep);
}

} // namespace CellValues
