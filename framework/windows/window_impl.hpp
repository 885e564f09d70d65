#pragma once
// Framework-internal: what a Window holds besides its own class's data.
#include <QPointer>
#include <QSize>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/menus/menu_view.hpp"
#include "framework/windows/controls.hpp"
#include "framework/windows/native_widgets.hpp"
#include "framework/windows/window.hpp"

namespace fw {

struct Window::Impl {
    explicit Impl(Window& owner);

    Window& self;
    // The window's top-level widget. The window is its one owner (DestroyWidgets); every
    // other widget of the window lives in its parent tree.
    detail::NativeMainWindow* native;
    detail::ContentWidget* content;          // the central widget
    QPointer<detail::MenuBarView> menuView;  // the view of menuBar, in native's tree

    std::vector<std::pair<std::string, std::unique_ptr<Control>>> controls;  // in making order
    std::map<std::string, MenuHandler, std::less<>> menuHandlers;
    MenuBar* menuBar = nullptr;  // outlives the window

    // The window's own properties.
    std::int64_t width = 300, height = 300;
    std::int64_t minimumWidth = 64, minimumHeight = 64;
    std::int64_t maximumWidth = 32000, maximumHeight = 32000;
    std::int64_t type = 0;
    bool hasCloseButton = true, hasMaximizeButton = true, hasMinimizeButton = true;
    bool resizeable = true;
    bool hasBackgroundColor = false;
    Color backgroundColor{255, 255, 255};
    bool menuBarVisible = true;
    std::map<std::string, PropertyValue, std::less<>> kept;  // held, not acted on

    bool constructing = false;
    bool visibleWanted = false;  // Visible True seen while constructing
    bool shown = false;          // shown at least once
    bool closed = false;

    PushButton* defaultButton = nullptr;
    PushButton* cancelButton = nullptr;

    QSize DesignSize() const;
    void ApplyGeometry();
    void ApplyWindowFlags();
    void ApplyBackground();
    void ApplyTabOrder();
    void LayoutControls();  // after the content area changed size
    void ShowNow();
    // Deletes the window's widgets, once; the first step of the window's going, so that
    // whatever their going raises meets the window and its controls whole. Marks the window
    // closed, which keeps those events from its handlers.
    void DestroyWidgets();
    // The steps of closing; fromToolkit when the toolkit is closing the widget already.
    void CloseSteps(bool fromToolkit);
    void StopTimers();
    // Return or Enter reached the window: runs the default button; true when there is one.
    bool PressDefaultButton();
    bool PressCancelButton();
};

namespace detail {
// Called by Close: the registry no longer finds the window; it is destroyed once control
// is back in the event loop, by its top-level widget's deferred delete.
void RetireWindow(Window& window);
// That deferred delete: destroys the closed window.
void DestroyClosedWindow(Window& window);
}  // namespace detail

}  // namespace fw
