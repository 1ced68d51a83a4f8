#pragma once

#include "engine/TeamCheck.h"
#include "engine/TrainingAdvice.h"

#include <QString>
#include <QStringList>

// The texts that explain a plan: training advice and the check of a team,
// shared by the windows and the headless planner.
namespace CheckTexts {

// "聪明", "可爱" or "不正常".
QString StatName(TrainedStat stat);

// The advice's notes where it lists nothing, and its title.
QString AlreadyFeasible();
QString NothingReaches100();
QString CuteWithheld();
QString AdviceTitle();
// "当前方案的可行性指数(基于100): <index>"
QString CurrentIndex(const QString& index);
// The heads of the advice's columns: hero index, name, stat, value, rise,
// value after it, the index after it and the team after it.
QStringList AdviceColumns();

// The caption of a plan shown for an advice entry rather than for the roster.
QString HypotheticalCaption(const QString& heroName, const AdviceEntry& entry);

// Each margin in words: its value against its span, and how much is missing
// to reach the span or to spare beyond it; the threshold, the team's 可爱
// total and whether it reaches it. The figures are for a place whose label
// already names them; the words in full name them first.
QString LifeMarginFigure(const TeamCheck& check);
QString DamageMarginFigure(const TeamCheck& check);
QString ThresholdFigure(const TeamCheck& check);
QString LifeMarginInWords(const TeamCheck& check);
QString DamageMarginInWords(const TeamCheck& check);
QString ThresholdInWords(const TeamCheck& check);

// The feasibility index explained: both margins and the one that limits it.
QString IndexExplained(const TeamCheck& check);

} // namespace CheckTexts
