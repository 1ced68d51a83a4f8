#pragma once

#include "engine/DisjointTeams.h"
#include "engine/PlanningTables.h"
#include "ui/main/FollowingWindow.h"

#include <QWidget>

#include <array>

class PlanningSession;
class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

// "多队规划": several teams for one level and strategy that share no hero,
// one per chosen leader in order (the main window's leader first, up to
// kMaxDisjointLeaders), and all of them copied at once for the chat.
class CMultiTeamWindow final : public CFollowingWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMultiTeamWindow)

public:
    // Beside `mainWindow`, following the session it works on.
    CMultiTeamWindow(PlanningSession& session, QWidget& mainWindow);

    // The leaders in order: the main window's, then the chosen others.
    int leaders(int* out) const;
    // Chooses the leader of row 1..7 (-1: none).
    void setLeader(int row, int hero);

    int teamCount() const { return m_count; }
    const DisjointTeam& team(int i) const { return m_teams[i]; }
    // All the teams as chat text, as "复制全部" puts them on the clipboard.
    QString teamsText() const;
    void copyTeams();

    QTableView* teamList() const { return m_teamList; }
    QPushButton* copyButton() const { return m_copyButton; }

private:
    void recompute() override;
    void fillLeaderSelectors();

    PlanningSession& m_session;
    const PlanningTables& m_tables;
    std::array<DisjointTeam, kMaxDisjointLeaders> m_teams{};
    std::array<int, kMaxDisjointLeaders> m_leaders{};
    int m_count = 0;
    bool m_filling = false;

    QLabel* m_request = nullptr;
    QLabel* m_firstLeader = nullptr;
    std::array<QComboBox*, kMaxDisjointLeaders> m_leaderBoxes{};
    QStandardItemModel* m_teamModel = nullptr;
    QTableView* m_teamList = nullptr;
    QPushButton* m_copyButton = nullptr;
};
