#include "frame/menu_bar_scheme.hpp"

#include <string>
#include <utility>

#include "framework/text/exceptions.hpp"

std::unique_ptr<fw::MenuItem> MakeMenuEntry(const MenuEntry& entry) {
    std::unique_ptr<fw::MenuItem> item = entry.make();
    fw::MenuItem& made = fw::NotNil(item.get());
    made.SetName(std::string(entry.name));
    made.SetAutoEnable(entry.autoEnable);
    made.SetText(std::string(entry.text));
    made.SetVisible(true);
    if (entry.commandKey) made.SetCommandKey(std::string(*entry.commandKey));
    return item;
}

void AppendMenuItem(fw::MenuBar& bar, std::string_view menuName,
                    std::unique_ptr<fw::MenuItem> item) {
    fw::NotNil(bar.Child(menuName)).AddMenu(std::move(item));
}

void BuildMenu(fw::MenuBar& bar, const MenuTable& table) {
    bar.AddMenu(MakeMenuEntry(table.menu));
    for (const MenuEntry& item : table.items) {
        AppendMenuItem(bar, table.menu.name, MakeMenuEntry(item));
    }
}
