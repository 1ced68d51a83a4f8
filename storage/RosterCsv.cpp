#include "storage/RosterCsv.h"

#include "storage/FileErrors.h"
#include "storage/FileKinds.h"
#include "texts/PlanTexts.h"

#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
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

struct Split
{
    std::vector<Record> records;
    // The line of a quote that is never closed, 0 when every quote closes.
    int openQuoteLine = 0;
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
    const qsizetype size = text.size();
    // A line break, CRLF, LF or a lone CR, counted as one line.
    const auto skipLineBreak = [&] {
        if (text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        ++i;
        ++line;
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
                        // Inside quotes a line break is the field's own, kept as LF.
                        field += u'\n';
                        skipLineBreak();
                        continue;
                    }
                    field += text[i++];
                }
                if (!closed && split.openQuoteLine == 0)
                    split.openQuoteLine = quoteLine;
            }
            // Unquoted text, or whatever follows a closing quote, up to the
            // separator or the end of the line.
            while (i < size && text[i] != separator && !IsLineBreak(text[i]))
                field += text[i++];
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

// A found value as a problem shows it: on one line and not too long.
QString Shown(const QString& value)
{
    constexpr qsizetype kShownLength = 24;
    QString shown = value;
    shown.replace(u"\n"_s, u"↵"_s);
    if (shown.size() > kShownLength)
        shown = shown.left(kShownLength) + u"…"_s;
    return u"“"_s + shown + u"”"_s;
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

enum class Kind
{
    Number, // the row number, 序号 or 关卡
    Name,
    Flag,
    Stat
};

struct ColumnSpec
{
    QString header;
    Kind kind;
};

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
ImportResult ReadRows(QByteArrayView bytes, const std::vector<ColumnSpec>& columns, int rows,
                      const std::function<QString(int)>& currentName,
                      std::vector<RowValues>& values)
{
    ImportResult result;
    values.clear();
    QStringList headers;
    for (const ColumnSpec& column : columns)
        headers.append(column.header);
    const QString headerLine = headers.join(kComma);

    if (bytes.size() > kMaxFileBytes) {
        result.problems.append(
            u"文件有 %1 字节，超过了 %2 字节的上限。"_s.arg(bytes.size()).arg(kMaxFileBytes));
        return result;
    }
    const std::optional<QString> text = DecodeText(bytes);
    if (!text) {
        result.problems.append(u"文件既不是 UTF-8 也不是 GB18030 编码的文本。"_s);
        return result;
    }
    const Split split = SplitText(*text, kComma);
    if (split.openQuoteLine != 0) {
        result.problems.append(
            u"第 %1 行：引号没有结束，文件从这里到结尾都在一个字段里。"_s.arg(split.openQuoteLine));
        return result;
    }

    std::size_t first = 0;
    while (first < split.records.size() && AllEmpty(split.records[first].fields))
        ++first;
    if (first == split.records.size()) {
        result.problems.append(u"文件是空的：第一行应是表头 %1。"_s.arg(headerLine));
        return result;
    }

    // Where each known column stands in the file; -1 while not found.
    const Record& header = split.records[first];
    std::vector<qsizetype> position(columns.size(), -1);
    for (qsizetype at = 0; at < header.fields.size(); ++at) {
        const QString name = header.fields[at].trimmed();
        if (name.isEmpty())
            continue; // a spreadsheet's trailing empty column
        const qsizetype known = headers.indexOf(name);
        if (known < 0) {
            result.notes.append(
                u"第 %1 行：不认识的列 %2，已略过。"_s.arg(header.line).arg(Shown(name)));
        } else if (position[static_cast<std::size_t>(known)] >= 0) {
            result.problems.append(
                u"第 %1 行：“%2”列出现了不止一次。"_s.arg(header.line).arg(name));
        } else {
            position[static_cast<std::size_t>(known)] = at;
        }
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (position[c] < 0) {
            result.problems.append(u"第 %1 行：缺少“%2”列（表头应为 %3）。"_s.arg(header.line)
                                       .arg(columns[c].header, headerLine));
        }
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
            result.problems.append(u"第 %1 行：有 %2 个字段，比表头的 %3 个多。"_s.arg(record.line)
                                       .arg(count)
                                       .arg(header.fields.size()));
            continue;
        }
        QStringList missing;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (position[c] >= count)
                missing.append(u"“"_s + columns[c].header + u"”"_s);
        }
        if (!missing.isEmpty()) {
            result.problems.append(u"第 %1 行：只有 %2 个字段，缺少 %3 的值。"_s.arg(record.line)
                                       .arg(count)
                                       .arg(missing.join(u'、')));
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
                    u"第 %1 行，“%2”列：%3"_s.arg(record.line).arg(column.header, what));
                rowGood = false;
            };
            const QString& field = record.fields[at];
            switch (column.kind) {
            case Kind::Number: {
                const std::optional<int> number = WholeNumber(field, rows);
                if (!number || *number < 1) {
                    problem(u"%1 不是 1 至 %2 的整数。"_s.arg(Shown(field)).arg(rows));
                    break;
                }
                const auto [earlier, fresh] = namedOn.try_emplace(*number, record.line);
                if (!fresh) {
                    problem(u"%1 %2 在第 %3 行已经出现过。"_s.arg(column.header)
                                .arg(*number)
                                .arg(earlier->second));
                    break;
                }
                row.index = *number - 1;
                break;
            }
            case Kind::Name:
                if (field.contains(QChar(u'\0'))) {
                    problem(u"名称里不能有空字符。"_s);
                } else if (field.size() > kMaxNameLength &&
                           !(rowGood && field == currentName(row.index))) {
                    problem(u"%1 太长：名称最多 %2 个字符（表情符号等算两个）。"_s.arg(Shown(field))
                                .arg(kMaxNameLength));
                }
                row.name = field;
                break;
            case Kind::Flag: {
                const std::optional<int> flag = WholeNumber(field, 1);
                if (!flag)
                    problem(u"%1 应为 1（勾选）或 0（不勾选）。"_s.arg(Shown(field)));
                else
                    row.flag = *flag == 1;
                break;
            }
            case Kind::Stat: {
                const std::optional<int> value = WholeNumber(field, kStatMax);
                if (!value)
                    problem(u"%1 不是 0 至 %2 的整数。"_s.arg(Shown(field)).arg(kStatMax));
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
        result.notes.append(u"文件里只有表头，没有数据行。"_s);
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

const std::vector<ColumnSpec>& HeroColumns()
{
    static const std::vector<ColumnSpec> columns{
        {u"序号"_s, Kind::Number}, {u"名称"_s, Kind::Name}, {u"勾选"_s, Kind::Flag},
        {u"聪明"_s, Kind::Stat},   {u"可爱"_s, Kind::Stat}, {u"不正常"_s, Kind::Stat}};
    return columns;
}

const std::vector<ColumnSpec>& VirusColumns()
{
    static const std::vector<ColumnSpec> columns{{u"关卡"_s, Kind::Number},
                                                 {u"名称"_s, Kind::Name},
                                                 {u"愚蠢"_s, Kind::Stat},
                                                 {u"可恨"_s, Kind::Stat},
                                                 {u"不异常"_s, Kind::Stat}};
    return columns;
}

QString HeaderLine(const std::vector<ColumnSpec>& columns)
{
    QStringList headers;
    for (const ColumnSpec& column : columns)
        headers.append(column.header);
    return headers.join(kComma);
}

} // namespace

QByteArray WriteHeroes(const HeroTable& table)
{
    QStringList lines{HeaderLine(HeroColumns())};
    for (int i = 0; i < kHeroCount; ++i) {
        const HeroRecord& hero = table[static_cast<std::size_t>(i)];
        lines.append(QStringList{QString::number(i + 1),
                                 QuoteField(PlanTexts::HeroNameText(hero), kComma),
                                 hero.checked != 0 ? u"1"_s : u"0"_s, QString::number(hero.smart),
                                 QString::number(hero.cute), QString::number(hero.abnormal)}
                         .join(kComma));
    }
    return Finish(lines);
}

QByteArray WriteViruses(const VirusTable& table)
{
    QStringList lines{HeaderLine(VirusColumns())};
    for (int i = 0; i < kVirusCount; ++i) {
        const VirusRecord& virus = table[static_cast<std::size_t>(i)];
        lines.append(QStringList{QString::number(i + 1),
                                 QuoteField(PlanTexts::VirusNameText(virus), kComma),
                                 QString::number(virus.stupid), QString::number(virus.hateful),
                                 QString::number(virus.notAbnormal)}
                         .join(kComma));
    }
    return Finish(lines);
}

ImportResult ReadHeroes(QByteArrayView bytes, HeroTable& table)
{
    std::vector<RowValues> values;
    ImportResult result = ReadRows(
        bytes, HeroColumns(), kHeroCount,
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

ImportResult ReadViruses(QByteArrayView bytes, VirusTable& table)
{
    std::vector<RowValues> values;
    ImportResult result = ReadRows(
        bytes, VirusColumns(), kVirusCount,
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

std::optional<QString> DecodeText(QByteArrayView bytes)
{
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
            return reason.isEmpty() ? u"写入失败"_s : reason;
        }
        done += wrote;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace RosterCsv
