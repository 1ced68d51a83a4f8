#include "storage/RosterCsv.h"

#include "storage/FileErrors.h"
#include "storage/FileKinds.h"
#include "texts/PlanTexts.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <span>
#include <string_view>
#include <vector>

using namespace Qt::StringLiterals;

namespace RosterCsv {

namespace {

constexpr QChar kComma = u',';
constexpr int kStatMax = 65535;

// One record of a CSV text with the line it starts on (1-based).
struct Record
{
    int line = 0;
    QStringList fields;
};

// A place where the text breaks RFC 4180's rules for quotes.
struct Malformed
{
    int line = 0;
    qsizetype column = 0;           // 1-based, in characters
    bool afterClosingQuote = false; // otherwise a quote inside an unquoted field
};

struct Split
{
    std::vector<Record> records;
    // The line of a quote that is never closed, 0 when every quote closes.
    int openQuoteLine = 0;
    // Stray quotes, in text order. The split itself takes them literally.
    std::vector<Malformed> malformed;
};

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

Split SplitText(QStringView text, QChar separator)
{
    Split split;
    int line = 1;
    qsizetype i = 0;
    qsizetype lineStart = 0;
    const qsizetype size = text.size();
    // A line break, CRLF, LF or a lone CR, counted as one line.
    const auto skipLineBreak = [&] {
        if (text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        ++i;
        ++line;
        lineStart = i;
    };
    const auto noteMalformed = [&](bool afterClosingQuote) {
        split.malformed.push_back(Malformed{line, i - lineStart + 1, afterClosingQuote});
    };
    while (i < size) {
        Record record;
        record.line = line;
        QString field;
        bool recordDone = false;
        while (!recordDone) {
            if (i < size && text[i] == u'"') {
                const int quoteLine = line;
                ++i;
                bool closed = false;
                while (i < size) {
                    if (text[i] == u'"') {
                        if (i + 1 < size && text[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (IsLineBreak(text[i])) {
                        // Inside quotes a line break is the field's own, kept as
                        // it is written so that a name reads back unchanged.
                        const qsizetype from = i;
                        skipLineBreak();
                        field += text.sliced(from, i - from);
                        continue;
                    }
                    field += text[i++];
                }
                if (!closed && split.openQuoteLine == 0)
                    split.openQuoteLine = quoteLine;
                if (closed && i < size && text[i] != separator && !IsLineBreak(text[i]))
                    noteMalformed(true);
            }
            // Unquoted text, or whatever follows a closing quote, up to the
            // separator or the end of the line.
            while (i < size && text[i] != separator && !IsLineBreak(text[i])) {
                if (text[i] == u'"')
                    noteMalformed(false);
                field += text[i++];
            }
            record.fields.append(field);
            field.clear();
            if (i < size && text[i] == separator) {
                ++i;
                continue;
            }
            if (i < size)
                skipLineBreak();
            recordDone = true;
        }
        split.records.push_back(std::move(record));
    }
    return split;
}

bool AllEmpty(const QStringList& fields)
{
    for (const QString& field : fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
}

// Control characters as the pictures Unicode keeps for them (␀, ␉, ␍, ␊ …),
// so that a NUL or a tab in a field is seen in a message rather than lost.
QString VisibleControls(const QString& value)
{
    QString shown;
    shown.reserve(value.size());
    for (const QChar unit : value) {
        if (unit.unicode() < 0x20)
            shown += QChar(char16_t(0x2400 + unit.unicode()));
        else if (unit.unicode() == 0x7F)
            shown += QChar(u'\u2421');
        else
            shown += unit;
    }
    return shown;
}

// A found value as a problem shows it: on one line and not too long.
QString Shown(const QString& value)
{
    constexpr qsizetype kShownLength = 24;
    QString shown = VisibleControls(value);
    if (shown.size() > kShownLength)
        shown = shown.left(kShownLength) + u"…"_s;
    return QCoreApplication::translate("RosterCsv", "“%1”").arg(shown);
}

// Whole decimal numbers only: digits, blanks around them allowed.
std::optional<int> WholeNumber(const QString& text, int high)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const QChar unit : digits) {
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        value = value * 10 + (unit.unicode() - u'0');
    }
    if (value > high)
        return std::nullopt;
    return value;
}

// A spreadsheet takes a cell that begins with one of these for a formula (a
// tab or carriage return can hide such a start), and runs it.
bool StartsFormula(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// A leading apostrophe marks a cell as text in a spreadsheet. It is written
// before a name that a spreadsheet would take for a formula, and before a
// name that itself begins with an apostrophe, so that reading strips exactly
// one mark and every name comes back as it was.
constexpr QChar kTextMark = u'\'';

QString FieldFromName(const QString& name)
{
    if (!name.isEmpty() && (StartsFormula(name.front()) || name.front() == kTextMark))
        return kTextMark + name;
    return name;
}

QString NameFromField(const QString& field)
{
    if (field.size() >= 2 && field[0] == kTextMark &&
        (StartsFormula(field[1]) || field[1] == kTextMark))
        return field.mid(1);
    return field;
}

bool IsUtf16(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// Windows-1252's characters for the bytes 0x80..0x9F (the five it leaves
// undefined stand for themselves, as Windows reads them).
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Whether `text` is UTF-8 that was read as Latin-1 or Windows-1252 and saved
// again: turned back into those bytes it is valid UTF-8 naming a column (or
// the byte-order mark, which then reads "ï»¿").
bool LooksMisread(const QString& text, const QStringList& headers)
{
    QByteArray bytes;
    for (const QChar unit : text) {
        const char16_t code = unit.unicode();
        if (code <= 0xFF) {
            bytes += char(code);
            continue;
        }
        const auto* found = std::find(kWindows1252High.begin(), kWindows1252High.end(), code);
        if (found == kWindows1252High.end())
            return false;
        bytes += char(0x80 + (found - kWindows1252High.begin()));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString original = utf8.decode(bytes);
    if (utf8.hasError() || original == text)
        return false;
    if (original.startsWith(QChar(u'\uFEFF')))
        return true;
    return std::any_of(headers.begin(), headers.end(),
                       [&](const QString& header) { return original.contains(header); });
}

enum class Kind
{
    Number, // the row number, 序号 or 关卡
    Name,
    Flag,
    Stat
};

struct ColumnSpec
{
    CsvHeading heading;
    Kind kind;
};

// The headings in the order an export writes them. The Chinese is what every
// file has carried; the English is what an English-speaking user's files carry.
// An import takes either, whatever the language shown.
constexpr std::array<ColumnSpec, 6> kHeroColumns{{
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "序号"), "No."}, Kind::Number},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "名称"), "Name"}, Kind::Name},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "勾选"), "Checked"}, Kind::Flag},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "聪明"), "Smart"}, Kind::Stat},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "可爱"), "Cute"}, Kind::Stat},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "不正常"), "Abnormal"}, Kind::Stat},
}};

constexpr std::array<ColumnSpec, 5> kVirusColumns{{
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "关卡"), "Level"}, Kind::Number},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "名称"), "Name"}, Kind::Name},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "愚蠢"), "Stupid"}, Kind::Stat},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "可恨"), "Hateful"}, Kind::Stat},
    {{QT_TRANSLATE_NOOP("RosterCsvHeading", "不异常"), "Normal"}, Kind::Stat},
}};

static_assert(std::string_view(kHeadingContext) == "RosterCsvHeading",
              "the tables above name the headings' context as a literal");

// A heading in the language shown: what an export writes and a problem names.
QString ShownHeading(const ColumnSpec& column)
{
    return QCoreApplication::translate(kHeadingContext, column.heading.chinese);
}

QString QuotedHeading(const ColumnSpec& column)
{
    return QCoreApplication::translate("RosterCsv", "“%1”").arg(ShownHeading(column));
}

QString ListSeparator()
{
    return QCoreApplication::translate("RosterCsv", "、");
}

// Headings are matched with blanks trimmed and runs of blanks taken as one,
// and without regard to case, as a user typing "cute" or " No. " means it.
QString HeadingKey(const QString& heading)
{
    return heading.simplified().toCaseFolded();
}

// Whether a file's heading (as HeadingKey gives it) names `column`: its
// Chinese, its English, or its heading in the language shown, so that a file
// exported under any translation reads back.
bool NamesColumn(const QString& key, const ColumnSpec& column)
{
    return key == HeadingKey(QString::fromUtf8(column.heading.chinese)) ||
           key == HeadingKey(QString::fromUtf8(column.heading.english)) ||
           key == HeadingKey(ShownHeading(column));
}

// The heading line an export writes and a problem quotes, in the language
// shown; a translated heading holding a comma or a quote is quoted.
QString HeaderLine(std::span<const ColumnSpec> columns)
{
    QStringList headings;
    for (const ColumnSpec& column : columns)
        headings.append(QuoteField(ShownHeading(column), kComma));
    return headings.join(kComma);
}

// What one row of a file gives the record it names.
struct RowValues
{
    int index = 0; // 0-based
    QString name;
    bool flag = false;
    std::array<std::uint16_t, 3> stats{};
};

// Reads a file against its columns. `rows` is the table's size; `currentName`
// gives the name a row holds now. Fills `values` only for a file without
// problems.
ImportResult ReadRows(QByteArrayView bytes, qint64 sizeOnDisk, std::span<const ColumnSpec> columns,
                      int rows, const std::function<QString(int)>& currentName,
                      std::vector<RowValues>& values)
{
    ImportResult result;
    values.clear();
    // The non-ASCII headings a misread file would have garbled.
    QStringList headers;
    for (const ColumnSpec& column : columns)
        headers << QString::fromUtf8(column.heading.chinese) << ShownHeading(column);
    const QString headerLine = HeaderLine(columns);

    if (bytes.size() > kMaxFileBytes || sizeOnDisk > kMaxFileBytes) {
        result.problems.append(TooLargeProblem(sizeOnDisk));
        return result;
    }
    if (IsUtf16(bytes) && !DecodeText(bytes)) {
        result.problems.append(QCoreApplication::translate(
            "RosterCsv", "文件以 UTF-16 的字节顺序标记开头，但后面不是有效的 UTF-16 文本。"));
        return result;
    }
    const std::optional<QString> text = DecodeText(bytes);
    if (!text) {
        result.problems.append(QCoreApplication::translate(
            "RosterCsv", "文件既不是 UTF-8 也不是 GB18030 编码的文本。"));
        return result;
    }
    Split split = SplitText(*text, kComma);
    std::size_t first = 0;
    while (first < split.records.size() && AllEmpty(split.records[first].fields))
        ++first;
    if (first == split.records.size()) {
        result.problems.append(
            QCoreApplication::translate("RosterCsv", "文件是空的：第一行应是表头 %1。")
                .arg(headerLine));
        return result;
    }
    // A header of one field shows the file is not separated by commas: tabs
    // are what a spreadsheet's "Unicode text" holds and are taken; semicolons
    // come from spreadsheets set up for a decimal comma and need a new save.
    if (split.records[first].fields.size() == 1) {
        const QString& only = split.records[first].fields.front();
        if (only.contains(u'\t')) {
            split = SplitText(*text, u'\t');
        } else if (only.contains(u';')) {
            result.problems.append(
                QCoreApplication::translate(
                    "RosterCsv",
                    "第 %1 行：字段之间用的是分号（;），不是逗号。请在表格程序里另存为以逗号分隔的 "
                    "CSV 文件。")
                    .arg(split.records[first].line));
            return result;
        }
    }
    if (split.openQuoteLine != 0) {
        result.problems.append(
            QCoreApplication::translate("RosterCsv",
                                        "第 %1 行：引号没有结束，文件从这里到结尾都在一个字段里。")
                .arg(split.openQuoteLine));
        return result;
    }
    int lastLine = 0;
    for (const Malformed& place : split.malformed) {
        // The first stray quote of a line tells what is wrong with it.
        if (place.line == lastLine)
            continue;
        lastLine = place.line;
        result.problems.append(
            place.afterClosingQuote
                ? QCoreApplication::translate(
                      "RosterCsv",
                      "第 %1 行第 %2 列：结束引号后面还有文字；结束引号后应是分隔符或行尾。")
                      .arg(place.line)
                      .arg(place.column)
                : QCoreApplication::translate("RosterCsv",
                                              "第 %1 行第 %2 列：没有引号括起的字段里有引号；"
                                              "含引号的字段应整个放在引号里，里面的引号写两遍。")
                      .arg(place.line)
                      .arg(place.column));
    }
    if (!result.problems.isEmpty())
        return result;

    // Where each known column stands in the file; -1 while not found.
    const Record& header = split.records[first];
    std::vector<qsizetype> position(columns.size(), -1);
    for (qsizetype at = 0; at < header.fields.size(); ++at) {
        const QString name = header.fields[at].trimmed();
        if (name.isEmpty())
            continue; // a spreadsheet's trailing empty column
        const QString key = HeadingKey(name);
        const auto found = std::find_if(columns.begin(), columns.end(),
                                        [&](const ColumnSpec& c) { return NamesColumn(key, c); });
        const qsizetype known = found == columns.end() ? -1 : found - columns.begin();
        if (known < 0) {
            result.notes.append(
                QCoreApplication::translate("RosterCsv", "第 %1 行：不认识的列 %2，已略过。")
                    .arg(header.line)
                    .arg(Shown(name)));
        } else if (position[static_cast<std::size_t>(known)] >= 0) {
            result.problems.append(
                QCoreApplication::translate("RosterCsv", "第 %1 行：“%2”列出现了不止一次。")
                    .arg(header.line)
                    .arg(ShownHeading(columns[static_cast<std::size_t>(known)])));
        } else {
            position[static_cast<std::size_t>(known)] = at;
        }
    }
    QStringList missingColumns;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (position[c] < 0)
            missingColumns.append(QuotedHeading(columns[c]));
    }
    if (!missingColumns.isEmpty()) {
        const QString headerText = header.fields.join(kComma);
        if (LooksMisread(headerText, headers)) {
            result.problems.append(
                QCoreApplication::translate(
                    "RosterCsv", "第 %1 行：表头 %2 是乱码：这是 UTF-8 文件被当作另一种编码（如 "
                                 "Windows-1252）读入后又保存的样子。请用原文件，或在表格程序里以 "
                                 "UTF-8 编码打开原文件后再保存。")
                    .arg(header.line)
                    .arg(Shown(headerText)));
            return result;
        }
        result.problems.append(
            QCoreApplication::translate("RosterCsv", "第 %1 行：缺少%2列（表头应为 %3）。")
                .arg(header.line)
                .arg(missingColumns.join(ListSeparator()), headerLine));
    }
    if (!result.problems.isEmpty())
        return result;

    // The line each row number was first named on.
    std::map<int, int> namedOn;
    std::vector<RowValues> read;
    for (std::size_t r = first + 1; r < split.records.size(); ++r) {
        const Record& record = split.records[r];
        if (AllEmpty(record.fields))
            continue; // blank lines, or a spreadsheet's empty rows
        const qsizetype count = record.fields.size();
        if (count > header.fields.size() && !AllEmpty(record.fields.mid(header.fields.size()))) {
            result.problems.append(QCoreApplication::translate(
                                       "RosterCsv", "第 %1 行：有 %2 个字段，比表头的 %3 个多。")
                                       .arg(record.line)
                                       .arg(count)
                                       .arg(header.fields.size()));
            continue;
        }
        QStringList missing;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (position[c] >= count)
                missing.append(QuotedHeading(columns[c]));
        }
        if (!missing.isEmpty()) {
            const int fieldCount = static_cast<int>(count);
            result.problems.append(
                QCoreApplication::translate("RosterCsv", "第 %1 行：只有 %n 个字段，缺少 %3 的值。",
                                            nullptr, fieldCount)
                    .arg(record.line)
                    .arg(missing.join(ListSeparator())));
            continue;
        }
        RowValues row;
        bool rowGood = true;
        int stat = 0;
        // The row number first: a name's allowance depends on the row.
        std::vector<std::size_t> order(columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c)
            order[c] = c;
        std::stable_partition(order.begin(), order.end(),
                              [&](std::size_t c) { return columns[c].kind == Kind::Number; });
        for (const std::size_t c : order) {
            const ColumnSpec& column = columns[c];
            const qsizetype at = position[c];
            const auto problem = [&](const QString& what) {
                result.problems.append(
                    QCoreApplication::translate("RosterCsv", "第 %1 行，“%2”列：%3")
                        .arg(record.line)
                        .arg(ShownHeading(column), what));
                rowGood = false;
            };
            const QString& field = record.fields[at];
            switch (column.kind) {
            case Kind::Number: {
                const std::optional<int> number = WholeNumber(field, rows);
                if (!number || *number < 1) {
                    problem(QCoreApplication::translate("RosterCsv", "%1 不是 1 至 %2 的整数。")
                                .arg(Shown(field))
                                .arg(rows));
                    break;
                }
                const auto [earlier, fresh] = namedOn.try_emplace(*number, record.line);
                if (!fresh) {
                    problem(QCoreApplication::translate("RosterCsv", "%1 %2 在第 %3 行已经出现过。")
                                .arg(ShownHeading(column))
                                .arg(*number)
                                .arg(earlier->second));
                    break;
                }
                row.index = *number - 1;
                break;
            }
            case Kind::Name: {
                const QString name = NameFromField(field);
                if (name.contains(QChar(u'\0'))) {
                    problem(
                        QCoreApplication::translate("RosterCsv", "%1：名称里不能有空字符（␀）。")
                            .arg(Shown(name)));
                } else if (name.size() > kMaxNameLength &&
                           !(rowGood && name == currentName(row.index))) {
                    problem(QCoreApplication::translate(
                                "RosterCsv", "%1 太长：名称最多 %2 个字符（表情符号等算两个）。")
                                .arg(Shown(name))
                                .arg(kMaxNameLength));
                }
                row.name = name;
                break;
            }
            case Kind::Flag: {
                const std::optional<int> flag = WholeNumber(field, 1);
                if (!flag)
                    problem(QCoreApplication::translate("RosterCsv",
                                                        "%1 应为 1（勾选）或 0（不勾选）。")
                                .arg(Shown(field)));
                else
                    row.flag = *flag == 1;
                break;
            }
            case Kind::Stat: {
                const std::optional<int> value = WholeNumber(field, kStatMax);
                if (!value)
                    problem(QCoreApplication::translate("RosterCsv", "%1 不是 0 至 %2 的整数。")
                                .arg(Shown(field))
                                .arg(kStatMax));
                else
                    row.stats[static_cast<std::size_t>(stat)] = static_cast<std::uint16_t>(*value);
                ++stat;
                break;
            }
            }
        }
        if (rowGood)
            read.push_back(row);
    }
    if (!result.problems.isEmpty())
        return result;
    if (read.empty())
        result.notes.append(
            QCoreApplication::translate("RosterCsv", "文件里只有表头，没有数据行。"));
    for (const RowValues& row : read)
        result.namedRows.append(row.index);
    values = std::move(read);
    return result;
}

template <std::size_t Units> void StoreName(char16_t (&field)[Units], const QString& name)
{
    // Only a changed name is written: units after the terminator keep the
    // tail of an earlier name, and an unchanged row stays byte for byte.
    if (NameView(field) == std::u16string_view(reinterpret_cast<const char16_t*>(name.utf16()),
                                               static_cast<std::size_t>(name.size())))
        return;
    Q_ASSERT(name.size() < static_cast<qsizetype>(Units));
    qsizetype length = 0;
    for (const QChar unit : name)
        field[length++] = unit.unicode();
    field[length] = u'\0';
}

QByteArray Finish(const QStringList& lines)
{
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

// A name is always quoted: a spreadsheet told to take quoted fields as text
// then keeps "007", "3/4" or "TRUE" as the names they are.
QString QuotedName(const QString& name)
{
    QString quoted = FieldFromName(name);
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

} // namespace

std::vector<CsvHeading> HeroHeadings()
{
    std::vector<CsvHeading> headings;
    headings.reserve(kHeroColumns.size());
    for (const ColumnSpec& column : kHeroColumns)
        headings.push_back(column.heading);
    return headings;
}

std::vector<CsvHeading> VirusHeadings()
{
    std::vector<CsvHeading> headings;
    headings.reserve(kVirusColumns.size());
    for (const ColumnSpec& column : kVirusColumns)
        headings.push_back(column.heading);
    return headings;
}

QByteArray WriteHeroes(const HeroTable& table)
{
    QStringList lines{HeaderLine(kHeroColumns)};
    for (int i = 0; i < kHeroCount; ++i) {
        const HeroRecord& hero = table[static_cast<std::size_t>(i)];
        lines.append(QStringList{QString::number(i + 1), QuotedName(PlanTexts::HeroNameText(hero)),
                                 hero.checked != 0 ? u"1"_s : u"0"_s, QString::number(hero.smart),
                                 QString::number(hero.cute), QString::number(hero.abnormal)}
                         .join(kComma));
    }
    return Finish(lines);
}

QByteArray WriteViruses(const VirusTable& table)
{
    QStringList lines{HeaderLine(kVirusColumns)};
    for (int i = 0; i < kVirusCount; ++i) {
        const VirusRecord& virus = table[static_cast<std::size_t>(i)];
        lines.append(QStringList{QString::number(i + 1),
                                 QuotedName(PlanTexts::VirusNameText(virus)),
                                 QString::number(virus.stupid), QString::number(virus.hateful),
                                 QString::number(virus.notAbnormal)}
                         .join(kComma));
    }
    return Finish(lines);
}

ImportResult ReadHeroes(QByteArrayView bytes, HeroTable& table, qint64 sizeOnDisk)
{
    std::vector<RowValues> values;
    ImportResult result = ReadRows(
        bytes, sizeOnDisk, kHeroColumns, kHeroCount,
        [&table](int row) { return PlanTexts::HeroNameText(table[static_cast<std::size_t>(row)]); },
        values);
    for (const RowValues& row : values) {
        HeroRecord& hero = table[static_cast<std::size_t>(row.index)];
        StoreName(hero.name, row.name);
        if ((hero.checked != 0) != row.flag)
            hero.checked = row.flag ? 1 : 0;
        hero.smart = row.stats[0];
        hero.cute = row.stats[1];
        hero.abnormal = row.stats[2];
    }
    return result;
}

ImportResult ReadViruses(QByteArrayView bytes, VirusTable& table, qint64 sizeOnDisk)
{
    std::vector<RowValues> values;
    ImportResult result = ReadRows(
        bytes, sizeOnDisk, kVirusColumns, kVirusCount,
        [&table](int row) {
            return PlanTexts::VirusNameText(table[static_cast<std::size_t>(row)]);
        },
        values);
    for (const RowValues& row : values) {
        VirusRecord& virus = table[static_cast<std::size_t>(row.index)];
        StoreName(virus.name, row.name);
        virus.stupid = row.stats[0];
        virus.hateful = row.stats[1];
        virus.notAbnormal = row.stats[2];
    }
    return result;
}

QList<QStringList> SplitRecords(QStringView text, QChar separator)
{
    QList<QStringList> records;
    for (Record& record : SplitText(text, separator).records)
        records.append(std::move(record.fields));
    return records;
}

QString QuoteField(const QString& field, QChar separator)
{
    const bool quote = field.contains(separator) || field.contains(u'"') || field.contains(u'\n') ||
                       field.contains(u'\r') ||
                       (!field.isEmpty() && (field.front().isSpace() || field.back().isSpace()));
    if (!quote)
        return field;
    QString quoted = field;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

QString TooLargeProblem(qint64 sizeOnDisk)
{
    if (sizeOnDisk > kMaxFileBytes) {
        return QCoreApplication::translate("RosterCsv",
                                           "文件有 %1 字节，超过了 1 MB（%2 字节）的上限。")
            .arg(sizeOnDisk)
            .arg(kMaxFileBytes);
    }
    return QCoreApplication::translate("RosterCsv", "文件超过了 1 MB（%1 字节）的上限。")
        .arg(kMaxFileBytes);
}

std::optional<QString> DecodeText(QByteArrayView bytes)
{
    if (IsUtf16(bytes)) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        QString text = utf16.decode(bytes.sliced(2));
        if (utf16.hasError() || !QStringView(text).isValidUtf16())
            return std::nullopt;
        return text;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
    if (!gb18030.isValid())
        return std::nullopt;
    text = gb18030.decode(bytes);
    if (gb18030.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> SaveFile(const QString& path, QByteArrayView bytes)
{
    // A pipe, a device or a link to nothing is never replaced by the export.
    if (const int refusal = WriteRefusal(ExamineFile(path)))
        return DescribeFileError(refusal, SystemErrorText(refusal));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 wrote = file.write(bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason.isEmpty() ? QCoreApplication::translate("RosterCsv", "写入失败") : reason;
        }
        done += wrote;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace RosterCsv
