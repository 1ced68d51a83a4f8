#pragma once

#include <span>

// Menu 133: the context menus, addressed by position.

inline constexpr int kCmdExcludeHeroes = 32775; // pop-up 0, the plan list
inline constexpr int kCmdMoveToFront = 32776;   // pop-up 1, the hero editor
inline constexpr int kCmdMoveToBack = 32777;    // pop-up 1, the hero editor

inline constexpr int kPlanListPopup = 0;
inline constexpr int kHeroEditorPopup = 1;

// Item texts are UTF-8 source texts of Qt's translation system in this
// context; the menu shows their translation.
inline constexpr char kMenuTextContext[] = "Menus";

struct MenuItemTemplate
{
    int commandId;
    const char* text; // a source text of kMenuTextContext
};

struct PopupTemplate
{
    const char* name;
    std::span<const MenuItemTemplate> items;
};

std::span<const PopupTemplate> ContextMenus();
