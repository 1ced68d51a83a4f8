#include "resources/Menus.h"

#include <QtGlobal>

#include <array>

namespace {

constexpr std::array kContext0{
    MenuItemTemplate{kCmdExcludeHeroes, QT_TRANSLATE_NOOP("Menus", "排除选中的英雄重新组队")},
};

constexpr std::array kContext1{
    MenuItemTemplate{kCmdMoveToFront, QT_TRANSLATE_NOOP("Menus", "将选中的英雄移到最前")},
    MenuItemTemplate{kCmdMoveToBack, QT_TRANSLATE_NOOP("Menus", "将选中的英雄移到最后")},
};

constexpr std::array kPopups{
    PopupTemplate{"Context0", kContext0},
    PopupTemplate{"Context1", kContext1},
};

} // namespace

std::span<const PopupTemplate> ContextMenus()
{
    return kPopups;
}
