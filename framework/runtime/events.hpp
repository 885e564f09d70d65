#pragma once
// The events a window or the application can implement, by the framework's index, and the
// set of them that a class declares. The framework raises only the declared ones, and
// `IsEventImplemented` answers from the same declaration.
#include <bitset>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace fw {

enum class WindowEvent : int {
    Activate = 0, AddMenuHandlers = 1, CancelClose = 2, Close = 3, ConstructContextualMenu = 4,
    ContentsChanged = 5, ContextualMenuAction = 6, CreateControls = 7, Deactivate = 8,
    DragEnter = 9, DragExit = 10, DragOver = 11, DropObject = 12, EnableMenuItems = 13,
    KeyDown = 14, KeyUp = 15, Layout = 16, Maximize = 17, Minimize = 18, MouseDown = 19,
    MouseDrag = 20, MouseEnter = 21, MouseExit = 22, MouseMove = 23, MouseUp = 24,
    MouseWheel = 25, Moved = 26, Open = 27, Paint = 28, Resized = 29, Resizing = 30,
    Restore = 31, ScaleFactorChanged = 32, SetupBindings = 33,
};
inline constexpr std::size_t kWindowEventCount = 34;

enum class AppEvent : int {
    Activate = 0, AppearanceChanged = 1, CancelClose = 2, Close = 3, Deactivate = 4,
    EnableMenuItems = 5, HandleAppleEvent = 6, NewDocument = 7, Open = 8, OpenDocument = 9,
    UnhandledException = 10,
};
inline constexpr std::size_t kAppEventCount = 11;

std::string_view EventName(WindowEvent event);
std::string_view EventName(AppEvent event);
std::optional<WindowEvent> WindowEventNamed(std::string_view name);
std::optional<AppEvent> AppEventNamed(std::string_view name);

template <class Event, std::size_t Count>
class EventSet {
public:
    constexpr EventSet() = default;
    EventSet(std::initializer_list<Event> events) {
        for (Event e : events) bits_.set(static_cast<std::size_t>(e));
    }
    bool Contains(Event e) const { return bits_.test(static_cast<std::size_t>(e)); }

private:
    std::bitset<Count> bits_;
};

using WindowEvents = EventSet<WindowEvent, kWindowEventCount>;
using AppEvents = EventSet<AppEvent, kAppEventCount>;

}  // namespace fw
