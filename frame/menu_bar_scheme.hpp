#pragma once
// The one way both menu bars of the system are built. A bar class derives from
// BuiltMenuBar<Bar>, which holds its one instance in `Bar::implicitInstance`, and writes each
// of its five builders as a table: a top-level menu and its items, each entry with its Name,
// class, Text, CommandKey and AutoEnable.
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "framework/menus/menu.hpp"

// Makes a new, empty entry of one class.
using MenuEntryMaker = std::unique_ptr<fw::MenuItem> (*)();

template <class K>
std::unique_ptr<fw::MenuItem> NewMenuEntry() {
    return std::make_unique<K>();
}

inline constexpr MenuEntryMaker kMenuItem = &NewMenuEntry<fw::MenuItem>;
inline constexpr MenuEntryMaker kQuitMenuItem = &NewMenuEntry<fw::QuitMenuItem>;
inline constexpr MenuEntryMaker kAppleMenuItem = &NewMenuEntry<fw::AppleMenuItem>;

// The CommandKey of an entry whose builder never sets it (the separator): it keeps the
// framework's default.
inline constexpr std::optional<std::string_view> kCommandKeyNotSet = std::nullopt;

struct MenuEntry {
    std::string_view name;
    MenuEntryMaker make;
    std::string_view text;
    std::optional<std::string_view> commandKey;
    bool autoEnable;
};

// One builder's table: its top-level menu, then that menu's items in order.
struct MenuTable {
    MenuEntry menu;
    std::span<const MenuEntry> items;
};

// A new entry with its properties set in this order: Name, AutoEnable, Text, Visible (always
// True), CommandKey (where the table sets one).
std::unique_ptr<fw::MenuItem> MakeMenuEntry(const MenuEntry& entry);

// Appends the item to the bar's top-level menu of that Name, looked up anew;
// NilObjectException when the bar has none.
void AppendMenuItem(fw::MenuBar& bar, std::string_view menuName,
                    std::unique_ptr<fw::MenuItem> item);

// A builder: the top-level menu appended to the bar, then each item made and appended in
// turn. An exception ends it at the failing entry; the entries appended before it stay.
void BuildMenu(fw::MenuBar& bar, const MenuTable& table);

template <class Bar>
class BuiltMenuBar : public fw::MenuBar {
public:
    // The bar of the run, its one owner: empty at start, and kept until the run ends, after
    // every window that shows the bar. A test's clean start empties it after the windows.
    static inline std::unique_ptr<Bar> implicitInstance;

    // The bar of the run: built on the first request and kept in implicitInstance only once
    // the build is complete. A failed build stores nothing and passes the exception on, so
    // the next request builds a new bar from the start.
    static Bar* Instance() {
        if (!implicitInstance) {
            auto bar = std::make_unique<Bar>();
            bar->Constructor();
            implicitInstance = std::move(bar);
        }
        return implicitInstance.get();
    }

    // The one constructor body: the bar's own five builders, in order; the first exception
    // ends it.
    void Constructor() {
        Untitled0();
        Untitled1();
        Untitled2();
        Untitled3();
        Untitled4();
    }

protected:
    virtual void Untitled0() = 0;
    virtual void Untitled1() = 0;
    virtual void Untitled2() = 0;
    virtual void Untitled3() = 0;
    virtual void Untitled4() = 0;
};
