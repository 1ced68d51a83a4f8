#include "resources/Menus.h"

#include <array>

namespace {

constexpr std::array kContext0{
    MenuItemTemplate{kCmdExcludeHeroes, "排除选中的英雄重新组队"},
};

constexpr std::array kContext1{
    MenuItemTemplate{kCmdMoveToFront, "将选中的英雄移到最前"},
    MenuItemTemplate{kCmdMoveToBack, "将选中的英雄移到最后"},
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
