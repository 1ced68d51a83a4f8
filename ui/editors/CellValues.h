#pragma once

#include "engine/Records.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

// How the editors read the texts of list cells and edit boxes into the
// records, and how they show the records' values.
namespace CellValues {

// A stat as typed: read as a signed decimal number (leading white space and a
// sign allowed, reading stops at the first non-digit, no digits give 0), then
// held to 0..65535. The cell then shows the stored number (StatText), so that
// it never shows one value while the record holds another.
std::uint16_t ReadStat(const QString& text);
QString StatText(int value);

// A range bound of the batch selection: at most the first 63 characters read
// as an unsigned decimal number (leading white space and a sign allowed, a
// minus negates modulo 2^32, a value beyond 32 bits is 4294967295, the rest of
// the text ignored). Empty when the text holds no number.
std::optional<std::uint32_t> ReadUnsigned(const QString& text);

// The rows a batch selection from `from` to `to` (counted from 1, as typed)
// acts on, as 0-based display rows, or nothing. Reckoned in signed 32-bit
// arithmetic: first = from - 1, raised to 0 when negative; last = to - 1,
// lowered to the last row; nothing when first > last. A bound of 2147483649
// or more is negative after the subtraction, so "3000000000 to 5" acts on
// rows 1 to 5 and "3 to 3000000000" on none.
std::optional<std::pair<int, int>> BatchRows(std::uint32_t from, std::uint32_t to, int rowCount);

// A name as stored: a text of 12 or more UTF-16 units keeps its first 11, or
// its first 10 when the 11th would be the first half of a surrogate pair.
QString CutName(const QString& text);

// Writes CutName(text) with its terminator into a record's name field. The
// units after the terminator keep what they held.
template <std::size_t Units> void StoreName(char16_t (&field)[Units], const QString& text)
{
    static_assert(Units > kMaxNameLength);
    const QString name = CutName(text);
    std::size_t length = 0;
    for (const QChar unit : name)
        field[length++] = unit.unicode();
    field[length] = u'\0';
}

} // namespace CellValues
