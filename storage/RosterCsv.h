#pragma once

#include "engine/Records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The two tables as CSV files (RFC 4180: quoted fields, doubled quotes, commas
// and line breaks inside quotes), for spreadsheets and chat.
//
// Heroes: 序号,名称,勾选,聪明,可爱,不正常 with 序号 1..128 and 勾选 1 or 0.
// Viruses: 关卡,名称,愚蠢,可恨,不异常 with 关卡 1..64.
//
// Written as UTF-8 with a byte-order mark and CRLF line ends, which spreadsheet
// programs on Windows open in the right encoding. Read as UTF-8 with or without
// the mark, or as GB18030 when the bytes are not valid UTF-8 (what a spreadsheet
// program on a Chinese Windows saves).
//
// An import names the rows it changes by their number; rows it does not name
// keep their values. Columns may come in any order; unknown columns are left
// out with a note. A file with any problem is refused whole and the table is
// not touched.
namespace RosterCsv {

// The largest file an import reads: a full roster with long names is a few
// kilobytes.
inline constexpr qsizetype kMaxFileBytes = qsizetype{1024} * 1024;

QByteArray WriteHeroes(const HeroTable& table);
QByteArray WriteViruses(const VirusTable& table);

struct ImportResult
{
    // Empty when the file was taken; otherwise why not, one line each.
    QStringList problems;
    // Things left out that do not stop the import (unknown columns).
    QStringList notes;
    // The table indices the file named (0-based), in file order.
    QList<int> namedRows;

    bool accepted() const { return problems.isEmpty(); }
};

// Applies the file to `table` when it has no problem; otherwise `table` is
// left exactly as it was. A name of more than 11 characters is a problem,
// unless it is the name the row already holds (so a table exported and read
// back is unchanged, whatever its names). 勾选 1 keeps a flag that is already
// set as it is.
ImportResult ReadHeroes(QByteArrayView bytes, HeroTable& table);
ImportResult ReadViruses(QByteArrayView bytes, VirusTable& table);

// The fields of each record of a CSV text, split by `separator`; used for the
// tab-separated cells a spreadsheet puts on the clipboard as well. A quote
// left open runs to the end of the text.
QList<QStringList> SplitRecords(QStringView text, QChar separator);
// One field, quoted when it holds the separator, a quote, a line break or
// blanks at either end.
QString QuoteField(const QString& field, QChar separator);

// Decodes file bytes as the readers do: UTF-8 (a leading mark dropped), or
// GB18030 when they are not valid UTF-8. Empty when neither decodes.
std::optional<QString> DecodeText(QByteArrayView bytes);

// Writes `bytes` to `path` atomically (a crash leaves the old file or the new
// one, never a mix). Returns the system's reason on failure, nothing on success.
std::optional<QString> SaveFile(const QString& path, QByteArrayView bytes);

} // namespace RosterCsv
