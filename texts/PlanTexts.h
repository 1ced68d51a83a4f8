#pragma once

#include "engine/PlanRecord.h"
#include "engine/Records.h"
#include "engine/Strategies.h"

#include <QString>
#include <QStringList>

// The texts the window and the headless planner show, in one place so that
// both speak exactly alike.
namespace PlanTexts {

QString FromName(std::u16string_view name);
QString HeroNameText(const HeroRecord& hero);
QString VirusNameText(const VirusRecord& virus);

// "第%02d关　%s　%d/%d/%d": the target selector's entry for a virus.
QString VirusEntry(int virusIndex, const VirusRecord& virus);
// "%d轮击败病毒, 最多承受 %d次暴击, 获胜机率:%5.1f%%"
QString StrategyEntry(const Strategy& strategy);
// "英雄三围: %d/%d/%d", or NoLeaderText() without a leader.
QString LeaderStats(const HeroRecord* leader);
QString NoLeaderText(); // "<--未选择英雄"
// The names of a plan's heroes, leader first, joined by "、".
QString TeamNames(const HeroTable& heroes, const PlanRecord& plan);
// "可行性指数(基于100): " and the plan's index.
QString FeasibilityLine(const PlanRecord& plan);
// What a raid window says while the main window lacks a level, a leader or
// a strategy.
QString ChooseRequestFirst();

QString StatTotals(const PlanRecord& plan);       // "%d/%d/%d"
QString HeroDamage(const PlanRecord& plan);       // "%d～%d"
QString VirusDamage(const PlanRecord& plan);      // "%d～%d"
QString CritDamage(const PlanRecord& plan);       // "%d～%d"
QString FeasibilityIndex(const PlanRecord& plan); // "%.0f" of score × 100

QString PlanCaption();      // "组队方案"
QString SearchingCaption(); // "正在寻找组队方案"
QString NoPlanCaption();    // "没有可行的组队方案"

} // namespace PlanTexts
