#include "framework/runtime/events.hpp"

#include <array>

namespace fw {
namespace {

constexpr std::array<std::string_view, kWindowEventCount> kWindowEventNames = {
    "Activate", "AddMenuHandlers", "CancelClose", "Close", "ConstructContextualMenu",
    "ContentsChanged", "ContextualMenuAction", "CreateControls", "Deactivate",
    "DragEnter", "DragExit", "DragOver", "DropObject", "EnableMenuItems",
    "KeyDown", "KeyUp", "Layout", "Maximize", "Minimize", "MouseDown",
    "MouseDrag", "MouseEnter", "MouseExit", "MouseMove", "MouseUp",
    "MouseWheel", "Moved", "Open", "Paint", "Resized", "Resizing",
    "Restore", "ScaleFactorChanged", "SetupBindings",
};

constexpr std::array<std::string_view, kAppEventCount> kAppEventNames = {
    "Activate", "AppearanceChanged", "CancelClose", "Close", "Deactivate",
    "EnableMenuItems", "HandleAppleEvent", "NewDocument", "Open", "OpenDocument",
    "UnhandledException",
};

template <class Event, std::size_t Count>
std::optional<Event> Named(const std::array<std::string_view, Count>& names, std::string_view name) {
    for (std::size_t i = 0; i < Count; ++i) {
        if (names[i] == name) return static_cast<Event>(i);
    }
    return std::nullopt;
}

}  // namespace

std::string_view EventName(WindowEvent event) {
    return kWindowEventNames.at(static_cast<std::size_t>(event));
}

std::string_view EventName(AppEvent event) {
    return kAppEventNames.at(static_cast<std::size_t>(event));
}

std::optional<WindowEvent> WindowEventNamed(std::string_view name) {
    return Named<WindowEvent>(kWindowEventNames, name);
}

std::optional<AppEvent> AppEventNamed(std::string_view name) {
    return Named<AppEvent>(kAppEventNames, name);
}

}  // namespace fw
