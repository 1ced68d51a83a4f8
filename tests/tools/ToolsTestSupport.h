#pragma once

#include "storage/DataFiles.h"
#include "tools/makeguild/SampleGuild.h"
#include "tools/plan/PlanCommand.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>
#include <ostream>

// Helpers shared by the planner's tests.
namespace toolstest {

struct CommandResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the planner in this process, as `quorvel-plan <arguments>`.
inline CommandResult RunPlan(const QStringList& arguments)
{
    CommandResult result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.exitCode =
        RunPlanCommand(QStringList{QStringLiteral("quorvel-plan")} + arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

// A temporary folder holding the sample guild's two data files.
class GuildFolder
{
public:
    GuildFolder() : m_tables(std::make_unique<PlanningTables>())
    {
        FillSampleViruses(m_tables->virusTable);
        FillSampleHeroes(m_tables->heroTable);
        m_saved = m_folder.isValid() && SaveTables(*m_tables, m_folder.path()).isEmpty();
    }

    bool isValid() const { return m_saved; }
    QString path() const { return m_folder.path(); }
    QString filePath(const char* name) const
    {
        return m_folder.filePath(QString::fromLatin1(name));
    }

    // Fresh tables loaded from the folder, as the planner loads them.
    std::unique_ptr<PlanningTables> Load() const
    {
        auto tables = std::make_unique<PlanningTables>();
        LoadVirusTable(tables->virusTable, path());
        LoadHeroTable(tables->heroTable, path());
        return tables;
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<PlanningTables> m_tables;
    bool m_saved = false;
};

} // namespace toolstest

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}
