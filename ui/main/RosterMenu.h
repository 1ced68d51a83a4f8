#pragma once

#include "engine/PlanningTables.h"
#include "storage/FileKinds.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CHeroesDlg;
class CVirusDlg;
class QMenu;
class QWidget;

// How the menu opens the editors: the window that owns the tables runs the
// editor with `prepare` applied before it opens, and takes its confirmation
// as its own editor buttons do.
struct RosterEditors
{
    std::function<void(const std::function<void(CHeroesDlg&)>& prepare)> editHeroes;
    std::function<void(const std::function<void(CVirusDlg&)>& prepare)> editViruses;
};

// The main window's "花名册" menu: the roster and the virus table to and from
// CSV files. An import opens the matching editor with the file's rows already
// in its working copy, so the user sees them and confirms or cancels as with
// any edit; a file with problems is refused whole with every problem listed.
// An export writes the current table and says where.
class RosterMenu final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RosterMenu)

public:
    RosterMenu(QWidget& window, PlanningTables& tables, RosterEditors editors);
    ~RosterMenu() override;

    // Owned by the window; the window's menu bar shows it.
    QMenu* menu() const { return m_menu; }

    void ImportHeroes();
    void ExportHeroes();
    void ImportViruses();
    void ExportViruses();

    // The most problems a refusal lists in its message; the rest are counted.
    static constexpr int kProblemsShown = 15;

private:
    // The bytes of a file the user picks, or nothing when cancelled or
    // unreadable (the user was told).
    std::optional<ReadOutcome> pickAndRead(const QString& caption, QString& path);
    QString pickSavePath(const QString& caption, const QString& fileName);
    bool reportRefusal(const QString& caption, const QString& path, const QStringList& problems);
    // Writes `bytes` to `path` and tells how it went; `done` says what was
    // exported, with %1 for where.
    void save(const QString& caption, const QString& path, const QByteArray& bytes,
              const QString& done);

    QWidget& m_window;
    PlanningTables& m_tables;
    RosterEditors m_editors;
    QMenu* m_menu = nullptr;
};
