#include "texts/PlanHints.h"

#include "engine/Candidates.h"
#include "engine/CombatModel.h"

#include <QCoreApplication>

#include <cstdint>

namespace {

QString Text(const char* source)
{
    return QCoreApplication::translate("PlanHints", source);
}

// The members of a team: the leader and five.
constexpr int kTeamSize = 6;

} // namespace

namespace PlanHints {

QString FirstStartHint(const HeroTable& heroes)
{
    for (const HeroRecord& hero : heroes) {
        if (hero.smart != 0 || hero.cute != 0 || hero.abnormal != 0)
            return {};
    }
    return Text(QT_TRANSLATE_NOOP("PlanHints",
                                  "还没有英雄的属性。从“花名册”菜单导入花名册 CSV，"
                                  "或点“编辑英雄信息”填写英雄，“编辑病毒信息”填写各关的病毒。"));
}

QString NoPlanReason(const PlanningTables& tables, int virusIndex, int leader, int n)
{
    CandidateList list;
    PrepareCandidates(tables.heroTable, leader, HeroSet{}, list);
    if (list.count < kTeamSize) {
        return QCoreApplication::translate(
            "PlanHints",
            "只有 %n 位英雄可以组队（带队英雄，和已勾选、“可爱”大于 0 "
            "的英雄），一队要 6 位。",
            nullptr, list.count);
    }
    // The candidates stand in descending 可爱 after the leader: the leader
    // and the first five give the largest total any team can have.
    std::int64_t largest = 0;
    for (int position = 0; position < kTeamSize; ++position)
        largest += list.records[position].cute;
    const std::int64_t threshold = SearchThreshold(tables.virusTable[virusIndex], n);
    if (largest < threshold) {
        return Text(QT_TRANSLATE_NOOP("PlanHints", "这个策略要求队伍“可爱”总值至少 %1，"
                                                   "能组成的队伍最多只有 %2。"))
            .arg(threshold)
            .arg(largest);
    }
    return Text(QT_TRANSLATE_NOOP("PlanHints", "达到“可爱”要求的队伍按这个策略得分都是 0："
                                               "试试轮数更多或承受暴击更少的策略。"));
}

} // namespace PlanHints
