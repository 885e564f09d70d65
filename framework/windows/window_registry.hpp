#pragma once
// Framework-internal: the windows of a run. The registry owns them: the open ones, found by
// their class's full name, and the closed ones waiting to be destroyed once control is back
// in the event loop.
#include <QPointer>
#include <memory>
#include <vector>

#include "framework/windows/native_widgets.hpp"
#include "framework/windows/window.hpp"

namespace fw {

struct WindowRegistry {
    WindowRegistry() = default;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;
    ~WindowRegistry() { DestroyAll(); }

    // Destroys every window, each by its widgets first, while the whole window still exists
    // for any event their going raises.
    void DestroyAll();

    std::vector<std::unique_ptr<Window>> open;
    std::vector<std::unique_ptr<Window>> closed;
    QPointer<detail::NativeMainWindow> lastActive;  // the window active last while shown
};

}  // namespace fw
