#include "resources/EditorDialogTemplates.h"

#include <QtGlobal>

#include <array>

namespace {

using namespace EditorDialogIds;

// Push buttons and check boxes are tab stops, as in any dialog.
constexpr std::array kVirusControls{
    ControlTemplate{kOk, ControlKind::DefaultPushButton,
                    QT_TRANSLATE_NOOP("DialogTemplates", "确定"), 46, 189, 50, 14, kTabStop},
    ControlTemplate{kCancel, ControlKind::PushButton, QT_TRANSLATE_NOOP("DialogTemplates", "取消"),
                    99, 189, 50, 14, kTabStop},
    ControlTemplate{kList, ControlKind::ListView, "", 7, 7, 147, 170,
                    kSingleSelect | kBorder | kTabStop},
};

constexpr DialogTemplate kVirusDialogTemplate{
    kVirusDialog,  QT_TRANSLATE_NOOP("DialogTemplates", "修改病毒信息"), 162, 210, 9, kFixedFrame,
    kVirusControls};

constexpr std::array kHeroesControls{
    ControlTemplate{kList, ControlKind::ListView, "", 7, 7, 237, 161,
                    kBorder | kTabStop | kMultiSelect},
    ControlTemplate{kBatchSelectButton, ControlKind::PushButton,
                    QT_TRANSLATE_NOOP("DialogTemplates", "批量选择"), 7, 212, 50, 14, kTabStop},
    ControlTemplate{kOk, ControlKind::DefaultPushButton,
                    QT_TRANSLATE_NOOP("DialogTemplates", "确定"), 136, 212, 50, 14, kTabStop},
    ControlTemplate{kCancel, ControlKind::PushButton, QT_TRANSLATE_NOOP("DialogTemplates", "取消"),
                    194, 212, 50, 14, kTabStop},
    ControlTemplate{kSaveOrderCheck, ControlKind::CheckBox,
                    QT_TRANSLATE_NOOP("DialogTemplates", "保存排列顺序"), 63, 214, 57, 10,
                    kTabStop},
};

constexpr DialogTemplate kHeroesDialogTemplate{
    kHeroesDialog,  QT_TRANSLATE_NOOP("DialogTemplates", "修改英雄信息"), 251, 233, 9, kResizable,
    kHeroesControls};

constexpr unsigned kNumberEdit = kBorder | kTabStop | kDigitsOnly | kAutoHScroll;

// Read left to right the controls form one sentence: 选中 第 1 至 128 项.
constexpr std::array kSelectControls{
    ControlTemplate{kNoId, ControlKind::Static, QT_TRANSLATE_NOOP("DialogTemplates", "第"), 58, 16,
                    8, 8, kNoStyle},
    ControlTemplate{kFromEdit, ControlKind::Edit, "", 70, 15, 20, 14, kNumberEdit},
    ControlTemplate{kNoId, ControlKind::Static, QT_TRANSLATE_NOOP("DialogTemplates", "至"), 97, 16,
                    8, 8, kNoStyle},
    ControlTemplate{kToEdit, ControlKind::Edit, "", 110, 15, 20, 14, kNumberEdit},
    ControlTemplate{kOk, ControlKind::DefaultPushButton,
                    QT_TRANSLATE_NOOP("DialogTemplates", "确定"), 44, 40, 50, 14, kTabStop},
    ControlTemplate{kCancel, ControlKind::PushButton, QT_TRANSLATE_NOOP("DialogTemplates", "取消"),
                    102, 40, 50, 14, kTabStop},
    ControlTemplate{kActionCombo, ControlKind::DropDownList, "", 17, 15, 33, 30,
                    kVScroll | kTabStop},
    ControlTemplate{kNoId, ControlKind::Static, QT_TRANSLATE_NOOP("DialogTemplates", "项"), 137, 16,
                    8, 8, kNoStyle},
};

constexpr DialogTemplate kSelectDialogTemplate{
    kSelectDialog,  QT_TRANSLATE_NOOP("DialogTemplates", "批量选择"), 159, 61, 9, kFixedFrame,
    kSelectControls};

constexpr std::array<const char*, 2> kSelectComboItems{
    QT_TRANSLATE_NOOP("SelectDialogChoice", "选中"),
    QT_TRANSLATE_NOOP("SelectDialogChoice", "取消")};

} // namespace

const DialogTemplate& VirusDialogTemplate()
{
    return kVirusDialogTemplate;
}
const DialogTemplate& HeroesDialogTemplate()
{
    return kHeroesDialogTemplate;
}
const DialogTemplate& SelectDialogTemplate()
{
    return kSelectDialogTemplate;
}
std::span<const char* const> SelectDialogComboItems()
{
    return kSelectComboItems;
}
