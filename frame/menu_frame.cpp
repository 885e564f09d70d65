#include "frame/menu_frame.hpp"

void EnableMenuItemsByName(const fw::Window& window, std::initializer_list<MenuEnabling> list) {
    for (const auto& [name, enabled] : list) {
        fw::NotNil(MenuItemOf<fw::MenuItem>(&window, name)).SetEnabled(enabled);
    }
}
