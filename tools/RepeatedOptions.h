#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// An option that takes one value, given twice, is a mistake on the command
// line rather than a choice: the programs refuse it instead of silently
// keeping the last value. Options in `repeatable` (lists such as --exclude)
// may come again and merge. Gives the one-line message, or nothing.
inline std::optional<QString> RepeatedValueProblem(const QCommandLineParser& parser,
                                                   const QStringList& repeatable)
{
    QStringList seen;
    for (const QString& name : parser.optionNames()) {
        if (seen.contains(name) || repeatable.contains(name))
            continue;
        seen.append(name);
        if (parser.values(name).size() > 1) {
            const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
            return QStringLiteral("%1%2 is given %3 times; it takes one value")
                .arg(dashes, name)
                .arg(parser.values(name).size());
        }
    }
    return std::nullopt;
}
