#pragma once

// Control ids of the main window's template (MainDialogTemplate()).
namespace MainDialogIds {

inline constexpr int kDialog = 102;
inline constexpr int kTargetSelector = 1000;
inline constexpr int kEditVirusButton = 1001;
inline constexpr int kLeaderSelector = 1002;
inline constexpr int kEditHeroesButton = 1003;
inline constexpr int kStrategySelector = 1004;
inline constexpr int kSearchButton = 1006;
inline constexpr int kPlanList = 1007;
inline constexpr int kStatTotals = 1018;
inline constexpr int kHeroDamage = 1019;
inline constexpr int kVirusDamage = 1020;
inline constexpr int kCritDamage = 1021;
inline constexpr int kFeasibility = 1022;
inline constexpr int kPlanGroup = 1023;
inline constexpr int kTopmostCheck = 1031;
inline constexpr int kPlanOrderCheck = 1032;
inline constexpr int kTargetSpin = 1034;
inline constexpr int kLeaderStats = 1036;
inline constexpr int kStrategySpin = 1038;
// The banner is made at run time, outside the template.
inline constexpr int kBanner = 65535;

} // namespace MainDialogIds
