#pragma once

#include "resources/DialogTemplate.h"

#include <span>

// Control ids of the editors' templates.
namespace EditorDialogIds {

inline constexpr int kVirusDialog = 130;
inline constexpr int kHeroesDialog = 132;
inline constexpr int kSelectDialog = 134;

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
// The editable list of the virus and the hero editor.
inline constexpr int kList = 1024;
inline constexpr int kBatchSelectButton = 1025; // hero editor
inline constexpr int kFromEdit = 1028;          // batch selection
inline constexpr int kToEdit = 1029;            // batch selection
inline constexpr int kActionCombo = 1030;       // batch selection
inline constexpr int kSaveOrderCheck = 1032;    // hero editor

} // namespace EditorDialogIds

// Template 130, the virus editor "修改病毒信息".
const DialogTemplate& VirusDialogTemplate();
// Template 132, the hero editor "修改英雄信息".
const DialogTemplate& HeroesDialogTemplate();
// Template 134, the batch selection "批量选择".
const DialogTemplate& SelectDialogTemplate();
// The entries of template 134's action combo box, by index: 0 "选中" (tick),
// 1 "取消" (untick): source texts of kSelectChoiceContext, a context of
// their own because "取消" is "cancel" on the buttons.
inline constexpr char kSelectChoiceContext[] = "SelectDialogChoice";
std::span<const char* const> SelectDialogComboItems();
