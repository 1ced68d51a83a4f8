#include "resources/DialogTemplate.h"
#include "resources/MainDialogIds.h"

#include <QtGlobal>

#include <array>

namespace {

using namespace MainDialogIds;

constexpr unsigned kDropDown = kVScroll | kTabStop;

// In tab order. The banner above the first row is not a template control.
constexpr std::array kControls{
    ControlTemplate{kNoId, ControlKind::Static, QT_TRANSLATE_NOOP("DialogTemplates", "攻击目标:"),
                    7, 54, 31, 8, kGroup},
    ControlTemplate{kTargetSelector, ControlKind::DropDownList, "", 40, 53, 170, 30, kDropDown},
    ControlTemplate{kTargetSpin, ControlKind::UpDown, "", 210, 52, 10, 14, kArrowKeys},
    ControlTemplate{kEditVirusButton, ControlKind::PushButton,
                    QT_TRANSLATE_NOOP("DialogTemplates", "编辑病毒信息"), 222, 52, 50, 14,
                    kTabStop},
    ControlTemplate{kNoId, ControlKind::Static, QT_TRANSLATE_NOOP("DialogTemplates", "带队英雄:"),
                    7, 74, 31, 8, kGroup},
    ControlTemplate{kLeaderSelector, ControlKind::DropDownList, "", 40, 73, 87, 30, kDropDown},
    // Three four-digit stats need more than 79 units: the line runs on to
    // just before the hero editor's button, where nothing else is.
    ControlTemplate{kLeaderStats, ControlKind::Static, "", 132, 75, 88, 8, kGroup},
    ControlTemplate{kEditHeroesButton, ControlKind::PushButton,
                    QT_TRANSLATE_NOOP("DialogTemplates", "编辑英雄信息"), 222, 72, 50, 14,
                    kTabStop},
    ControlTemplate{kNoId, ControlKind::Static, QT_TRANSLATE_NOOP("DialogTemplates", "战斗策略:"),
                    7, 94, 31, 8, kGroup},
    ControlTemplate{kStrategySelector, ControlKind::DropDownList, "", 40, 93, 170, 30, kDropDown},
    ControlTemplate{kStrategySpin, ControlKind::UpDown, "", 210, 92, 10, 14, kArrowKeys},
    ControlTemplate{kSearchButton, ControlKind::DefaultPushButton,
                    QT_TRANSLATE_NOOP("DialogTemplates", "查看组队方案"), 222, 92, 50, 14,
                    kTabStop},
    ControlTemplate{kPlanGroup, ControlKind::GroupBox,
                    QT_TRANSLATE_NOOP("DialogTemplates", "组队方案"), 7, 114, 265, 82, kNoStyle},
    ControlTemplate{kPlanList, ControlKind::ListView, "", 12, 126, 125, 63, kBorder | kMultiSelect},
    ControlTemplate{kNoId, ControlKind::Static,
                    QT_TRANSLATE_NOOP("DialogTemplates", "英雄属性总值:"), 146, 124, 44, 8, kGroup},
    // The detail fields run on to the plan group's frame (which ends at 272),
    // so that five-digit totals and an index of a dozen digits show whole.
    ControlTemplate{kStatTotals, ControlKind::Static, "", 204, 124, 64, 8, kGroup},
    ControlTemplate{kNoId, ControlKind::Static,
                    QT_TRANSLATE_NOOP("DialogTemplates", "英雄每次伤害值:"), 146, 138, 51, 8,
                    kGroup},
    ControlTemplate{kHeroDamage, ControlKind::Static, "", 204, 138, 64, 8, kGroup},
    ControlTemplate{kNoId, ControlKind::Static,
                    QT_TRANSLATE_NOOP("DialogTemplates", "病毒常规伤害值:"), 146, 152, 51, 8,
                    kGroup},
    ControlTemplate{kVirusDamage, ControlKind::Static, "", 204, 152, 64, 8, kGroup},
    ControlTemplate{kNoId, ControlKind::Static,
                    QT_TRANSLATE_NOOP("DialogTemplates", "病毒暴击伤害值:"), 146, 166, 51, 8,
                    kGroup},
    ControlTemplate{kCritDamage, ControlKind::Static, "", 204, 166, 64, 8, kGroup},
    ControlTemplate{kNoId, ControlKind::Static,
                    QT_TRANSLATE_NOOP("DialogTemplates", "可行性指数(基于100):"), 146, 180, 69, 8,
                    kGroup},
    ControlTemplate{kFeasibility, ControlKind::Static, "", 220, 180, 48, 8, kGroup},
    ControlTemplate{kTopmostCheck, ControlKind::CheckBox,
                    QT_TRANSLATE_NOOP("DialogTemplates", "保持窗口在顶端显示"), 7, 198, 78, 10,
                    kTabStop},
    ControlTemplate{kPlanOrderCheck, ControlKind::CheckBox,
                    QT_TRANSLATE_NOOP("DialogTemplates", "按获胜机率大小排列策略"), 146, 198, 91,
                    10, kTabStop},
};

constexpr DialogTemplate kMainDialog{
    .id = kDialog,
    .caption = QT_TRANSLATE_NOOP("DialogTemplates", "青梧药庐公会疫区组队助手"),
    .width = 279,
    .height = 215,
    .fontPoints = 9,
    .flags = kFixedFrame | kMinimizeBox,
    .controls = kControls};

} // namespace

const DialogTemplate& MainDialogTemplate()
{
    return kMainDialog;
}
