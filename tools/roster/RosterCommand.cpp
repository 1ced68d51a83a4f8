#include "tools/roster/RosterCommand.h"

#include "storage/DataFiles.h"
#include "storage/FileKinds.h"
#include "storage/RosterCsv.h"
#include "tools/RepeatedOptions.h"

#include "QuorvelVersion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class UsageError final
{
public:
    explicit UsageError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

struct RosterRequest
{
    bool import = false;
    bool heroes = false;
    QString folder;
    QString file;
};

RosterRequest ParseArguments(const QStringList& arguments, QIODevice& out)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Moves the hero roster or the virus table between the data "
                                     "files and CSV files."_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Show this help."_s);
    const QCommandLineOption version(u"version"_s, u"Show the version."_s);
    const QCommandLineOption dir(u"dir"_s, u"Folder holding Virus.dat and Heroes.dat."_s, u"DIR"_s);
    const QCommandLineOption heroes(u"heroes"_s, u"The hero roster (Heroes.dat)."_s);
    const QCommandLineOption viruses(u"viruses"_s, u"The virus table (Virus.dat)."_s);
    parser.addOptions({help, version, dir, heroes, viruses});
    parser.addPositionalArgument(u"command"_s, u"export or import"_s);
    parser.addPositionalArgument(u"file"_s, u"The CSV file; - for standard output or input."_s);
    if (!parser.parse(arguments))
        throw UsageError(parser.errorText());
    if (parser.isSet(help)) {
        out.write(parser.helpText().toUtf8() + kExitCodesHelp);
        return {};
    }
    if (parser.isSet(version)) {
        out.write("quorvel-roster " + QByteArray(kQuorvelVersion) + '\n');
        return {};
    }
    if (const std::optional<QString> repeated = RepeatedValueProblem(parser, {}))
        throw UsageError(*repeated);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        throw UsageError(u"expected a command (export or import) and a file"_s);
    RosterRequest request;
    if (positional[0] == u"import"_s)
        request.import = true;
    else if (positional[0] != u"export"_s)
        throw UsageError(u"the command must be export or import, not '%1'"_s.arg(positional[0]));
    if (parser.isSet(heroes) == parser.isSet(viruses))
        throw UsageError(u"give exactly one of --heroes and --viruses"_s);
    request.heroes = parser.isSet(heroes);
    if (!parser.isSet(dir))
        throw UsageError(u"--dir is required"_s);
    request.folder = parser.value(dir);
    if (!QFileInfo(request.folder).isDir())
        throw UsageError(u"--dir must be an existing folder, not '%1'"_s.arg(request.folder));
    request.file = positional[1];
    if (request.file.isEmpty())
        throw UsageError(u"the file name is empty"_s);
    return request;
}

// A data file that exists but cannot be read must not pass for the defaults:
// an export would show a table that is not the guild's, and an import would
// replace the user's file with the defaults and the CSV's rows.
bool ReportUnreadable(const LoadOutcome& load, QTextStream& err)
{
    if (load.state != LoadOutcome::State::Unreadable)
        return false;
    err << u"quorvel-roster: cannot read %1: %2"_s.arg(
               QDir::toNativeSeparators(QFileInfo(load.filePath).absoluteFilePath()), load.reason)
        << Qt::endl;
    return true;
}

int Export(const RosterRequest& request, QIODevice& out, QTextStream& err)
{
    QByteArray bytes;
    if (request.heroes) {
        auto table = std::make_unique<HeroTable>();
        if (ReportUnreadable(LoadHeroTable(*table, request.folder), err))
            return kRosterExitUnreadable;
        bytes = RosterCsv::WriteHeroes(*table);
    } else {
        auto table = std::make_unique<VirusTable>();
        if (ReportUnreadable(LoadVirusTable(*table, request.folder), err))
            return kRosterExitUnreadable;
        bytes = RosterCsv::WriteViruses(*table);
    }
    if (request.file == u"-"_s) {
        if (out.write(bytes) != bytes.size()) {
            err << u"quorvel-roster: cannot write to standard output: "_s << out.errorString()
                << Qt::endl;
            return kRosterExitFile;
        }
        return kRosterExitOk;
    }
    if (const std::optional<QString> failure = RosterCsv::SaveFile(request.file, bytes)) {
        err << u"quorvel-roster: cannot write %1: %2"_s.arg(request.file, *failure) << Qt::endl;
        return kRosterExitFile;
    }
    err << u"quorvel-roster: wrote %1 rows to %2"_s.arg(request.heroes ? kHeroCount : kVirusCount)
               .arg(QFileInfo(request.file).absoluteFilePath())
        << Qt::endl;
    return kRosterExitOk;
}

// A pipe hands its bytes over in pieces, and one read may return only the
// first: reads until the end or `limit` bytes, so that a long input is cut
// only at the limit, never where a piece ended.
QByteArray ReadUpTo(QIODevice& device, qint64 limit)
{
    QByteArray bytes;
    while (bytes.size() < limit) {
        const QByteArray piece = device.read(limit - bytes.size());
        if (piece.isEmpty())
            break; // the end, or an error the caller reports
        bytes += piece;
    }
    return bytes;
}

int Import(const RosterRequest& request, QIODevice& in, QTextStream& err)
{
    QByteArray bytes;
    const QString shownName = request.file == u"-"_s ? u"standard input"_s : request.file;
    // One byte past the limit is enough to tell the reader the file is too long.
    const qint64 readLimit = RosterCsv::kMaxFileBytes + 1;
    // The size of a regular file is known and reported when over the limit.
    qint64 sizeOnDisk = -1;
    if (request.file == u"-"_s) {
        bytes = ReadUpTo(in, readLimit);
    } else {
        // A pipe or a device given as the file is refused, never waited on.
        ReadOutcome read = ReadRegularFile(request.file, readLimit);
        if (!read.ok()) {
            err << u"quorvel-roster: cannot read %1: %2"_s.arg(request.file, read.reason)
                << Qt::endl;
            return kRosterExitFile;
        }
        sizeOnDisk = read.size;
        bytes = std::move(read.bytes);
    }

    RosterCsv::ImportResult result;
    std::optional<SaveFailure> failure;
    QString dataFile;
    if (request.heroes) {
        auto table = std::make_unique<HeroTable>();
        if (ReportUnreadable(LoadHeroTable(*table, request.folder), err))
            return kRosterExitUnreadable;
        result = RosterCsv::ReadHeroes(bytes, *table, sizeOnDisk);
        dataFile = DataFilePath(request.folder, kHeroFileName);
        if (result.accepted())
            failure = SaveHeroTable(*table, request.folder);
    } else {
        auto table = std::make_unique<VirusTable>();
        if (ReportUnreadable(LoadVirusTable(*table, request.folder), err))
            return kRosterExitUnreadable;
        result = RosterCsv::ReadViruses(bytes, *table, sizeOnDisk);
        dataFile = DataFilePath(request.folder, kVirusFileName);
        if (result.accepted())
            failure = SaveVirusTable(*table, request.folder);
    }
    for (const QString& note : result.notes)
        err << shownName << u": "_s << note << Qt::endl;
    if (!result.accepted()) {
        for (const QString& problem : result.problems)
            err << shownName << u": "_s << problem << Qt::endl;
        const qsizetype count = result.problems.size();
        err << u"quorvel-roster: %1 not imported (%2 %3); %4 is unchanged"_s.arg(shownName)
                   .arg(count)
                   .arg(count == 1 ? u"problem"_s : u"problems"_s, dataFile)
            << Qt::endl;
        return kRosterExitCsvRefused;
    }
    if (failure) {
        err << u"quorvel-roster: cannot write %1: %2"_s.arg(failure->filePath, failure->reason)
            << Qt::endl;
        return kRosterExitFile;
    }
    err << u"quorvel-roster: imported %1 rows into %2"_s.arg(result.namedRows.size()).arg(dataFile)
        << Qt::endl;
    return kRosterExitOk;
}

} // namespace

int RunRosterCommand(const QStringList& arguments, QIODevice& in, QIODevice& out, QTextStream& err)
{
    try {
        const RosterRequest request = ParseArguments(arguments, out);
        if (request.file.isEmpty())
            return kRosterExitOk; // the help was shown
        return request.import ? Import(request, in, err) : Export(request, out, err);
    } catch (const UsageError& error) {
        err << u"quorvel-roster: "_s << error.message() << u" (see --help)"_s << Qt::endl;
        return kRosterExitRefused;
    }
}
