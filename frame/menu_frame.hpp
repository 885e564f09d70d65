#pragma once
// The frame that ties menus to the code by item Name, shared by every window and the
// application object: menu-item accessors, registration of menu handlers, and enabling
// items from a list.
#include <initializer_list>
#include <string>
#include <string_view>

#include "framework/menus/menu.hpp"
#include "framework/runtime/application.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/window.hpp"

// The item of that Name at any depth in the window's menu bar, typed by its class K: none
// when the bar has no such item; NilObjectException when the window has no bar;
// IllegalCastException when the item is of another class.
template <class K>
K* MenuItemOf(const fw::Window& window, std::string_view name) {
    return fw::CheckCast<K>(fw::NotNil(window.GetMenuBar()).Lookup(name));
}

template <class K>
K* MenuItemOf(const fw::Window* window, std::string_view name) {
    return MenuItemOf<K>(fw::NotNil(window), name);
}

// One pair of a handler list: the item's Name and the handler method of O (a window class or
// the application class). A handler takes nothing and gives a Boolean.
template <class O>
struct MenuHandlerPair {
    std::string_view name;
    bool (O::*handler)();
};

// The handler bound to its object; a pair without a handler cannot be registered.
template <class O>
fw::MenuHandler BindMenuHandler(O& object, bool (O::*handler)()) {
    if (handler == nullptr) throw fw::NilObjectException("menu handler");
    return [&object, handler] { return (object.*handler)(); };
}

// The body of a window's AddMenuHandlers event: the event's window is cast to the registering
// class W (a failed cast registers nothing), then each pair is registered, in order, on the
// window that received the event, bound to the cast window. An exception ends the
// registration at that pair; the pairs before it stay registered.
template <class W>
void RegisterMenuHandlers(fw::Window& receiver, fw::Window& eventWindow,
                          std::initializer_list<MenuHandlerPair<W>> pairs) {
    W& window = fw::NotNil(fw::CheckCast<W>(&eventWindow));
    for (const auto& [name, handler] : pairs) {
        receiver.AddMenuHandler(std::string(name), BindMenuHandler(window, handler));
    }
}

// Registers a handler of the application object under an item Name.
template <class A>
void AddAppMenuHandler(A& app, std::string_view name, bool (A::*handler)()) {
    app.AddMenuHandler(std::string(name), BindMenuHandler(app, handler));
}

// The same for the registered application object, which must be an A; NilObjectException
// when there is none.
template <class A>
void RegisterAppMenuHandler(std::string_view name, bool (A::*handler)()) {
    AddAppMenuHandler(fw::NotNil(fw::CheckCast<A>(fw::GetAppObject())), name, handler);
}

// One step of a window's enabling list: one of the window's item accessors and the state.
template <class W>
struct MenuEnablingStep {
    fw::MenuItem* (W::*accessor)() const;
    bool enabled;
};

// Sets each item's Enabled, in order, through the window's own accessor; an accessor that
// gives none raises NilObjectException there, and the items after it keep their state.
template <class W>
void EnableMenuItems(const W& window, std::initializer_list<MenuEnablingStep<W>> steps) {
    for (const auto& [accessor, enabled] : steps) {
        fw::NotNil((window.*accessor)()).SetEnabled(enabled);
    }
}

// The same by item Name, for lists that name items rather than accessors.
struct MenuEnabling {
    std::string_view name;
    bool enabled;
};
void EnableMenuItemsByName(const fw::Window& window, std::initializer_list<MenuEnabling> list);
