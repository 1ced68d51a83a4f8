#pragma once

#include "engine/Records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The two tables as CSV files (RFC 4180: quoted fields, doubled quotes, commas
// and line breaks inside quotes), for spreadsheets and chat.
//
// Heroes: 序号,名称,勾选,聪明,可爱,不正常 with 序号 1..128 and 勾选 1 or 0.
// Viruses: 关卡,名称,愚蠢,可恨,不异常 with 关卡 1..64.
// Or the same in English (No.,Name,Checked,Smart,Cute,Abnormal and
// Level,Name,Stupid,Hateful,Normal), matched without regard to case.
//
// Written as UTF-8 with a byte-order mark and CRLF line ends, which spreadsheet
// programs on Windows open in the right encoding. Read as UTF-8 with or without
// the mark, as UTF-16 after its byte-order mark (a spreadsheet's "Unicode
// text", separated by tabs), or as GB18030 when the bytes are not valid UTF-8
// (what a spreadsheet program on a Chinese Windows saves).
//
// Names are always quoted, and a name that a spreadsheet would take for a
// formula (beginning with =, +, -, @, a tab or a carriage return) or that
// begins with an apostrophe is written with one more apostrophe in front, the
// spreadsheet's mark for text; reading strips that one mark again, so every
// name reads back exactly as it was written. Quotes follow RFC 4180 strictly:
// a quote inside an unquoted field, or text after a closing quote, is a
// problem named by line and column.
//
// An import names the rows it changes by their number; rows it does not name
// keep their values. Columns may come in any order; unknown columns are left
// out with a note. A file with any problem is refused whole and the table is
// not touched.
namespace RosterCsv {

// A column heading: the Chinese source, which every file has carried and which
// the translation system maps to the language shown, and its English. An export
// writes the heading of the language shown; an import takes the Chinese, the
// English or the shown heading of each column, whatever the language.
struct CsvHeading
{
    const char* chinese;
    const char* english;
};

// The translation context of the headings.
inline constexpr char kHeadingContext[] = "RosterCsvHeading";

// The headings in the order an export writes them.
std::vector<CsvHeading> HeroHeadings();
std::vector<CsvHeading> VirusHeadings();

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
// `sizeOnDisk` is the file's size where it is known (a regular file), so that
// a file over the limit is refused with its real size; -1 otherwise, when
// `bytes` holds at most one byte more than the limit.
ImportResult ReadHeroes(QByteArrayView bytes, HeroTable& table, qint64 sizeOnDisk = -1);
ImportResult ReadViruses(QByteArrayView bytes, VirusTable& table, qint64 sizeOnDisk = -1);

// The refusal of a file over kMaxFileBytes: its size where known, or that it
// is more than 1 MB.
QString TooLargeProblem(qint64 sizeOnDisk);

// The fields of each record of a CSV text, split by `separator`; used for the
// tab-separated cells a spreadsheet puts on the clipboard as well. A quote
// left open runs to the end of the text.
QList<QStringList> SplitRecords(QStringView text, QChar separator);
// One field, quoted when it holds the separator, a quote, a line break or
// blanks at either end.
QString QuoteField(const QString& field, QChar separator);

// Decodes file bytes as the readers do: UTF-16 after its byte-order mark,
// UTF-8 (a leading mark dropped), or GB18030 when they are not valid UTF-8.
// Empty when none of them decodes.
std::optional<QString> DecodeText(QByteArrayView bytes);

// Writes `bytes` to `path` atomically (a crash leaves the old file or the new
// one, never a mix). Returns the system's reason on failure, nothing on success.
std::optional<QString> SaveFile(const QString& path, QByteArrayView bytes);

} // namespace RosterCsv
