#pragma once
// The framework's Window. A system window class derives from it, names itself (FullName),
// declares the events it implements and overrides their handlers. The framework owns every
// window from its construction on and finds it again by its class's full name until it closes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/runtime/events.hpp"
#include "framework/text/properties.hpp"

namespace fw {

class Control;
class MenuBar;

// A menu handler: called with no arguments; True means handled. Registered by item Name.
using MenuHandler = std::function<bool()>;

class Window : public PropertyHolder {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // `Window.Constructor`: the framework takes the new window, registers it under its
    // FullName, raises Layout, CreateControls and (where implemented) AddMenuHandlers, and
    // shows it if its properties made it visible. Returns the window, still owned by the
    // framework. An exception from an event handler passes on; the window stays registered.
    static Window* Construct(std::unique_ptr<Window> window);

    void Show();
    void Hide();
    // Closes the window: raises its Close event where implemented, removes it from the
    // registry at once (the next lookup by name finds none) and destroys it once control is
    // back in the event loop, so a handler running on it may finish.
    void Close();
    bool IsVisible() const;

    // The menu bar model installed on this window; it must outlive the window (the system's
    // bars live for the whole run).
    void SetMenuBar(MenuBar* bar);
    MenuBar* GetMenuBar() const;

    // Controls, held by the window under their names for as long as it exists.
    void AddControl(std::string name, std::unique_ptr<Control> control);
    Control* ControlByName(std::string_view name) const;

    // Menu handlers registered on this window, by item Name.
    void AddMenuHandler(std::string itemName, MenuHandler handler);
    const MenuHandler* FindMenuHandler(std::string_view itemName) const;

    // The class's full name, "ControlWnd.ControlWnd", under which the framework finds it.
    virtual std::string_view FullName() const = 0;
    virtual WindowEvents ImplementedEvents() const = 0;
    bool IsEventImplemented(std::string_view eventName) const;
    bool IsEventImplemented(WindowEvent event) const { return ImplementedEvents().Contains(event); }

    // Window events; the framework raises only those in ImplementedEvents().
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers(Window& window) { (void)window; }
    virtual void Event_Activate() {}
    virtual void Event_Close() {}
    virtual void Event_EnableMenuItems() {}
    // The key as a one-character text (control keys as their codes: Return "\r",
    // Backspace "\b", Tab "\t", Delete 127, arrows 28-31). True swallows the key.
    virtual bool Event_KeyDown(const std::string& key) { (void)key; return false; }
    virtual bool Event_MouseDown(std::int64_t x, std::int64_t y) { (void)x; (void)y; return false; }

    // Window properties: Width, Height (the content area below the menu bar), Minimum/
    // Maximum sizes, Type, Title, the button flags, Resizeable, Visible, BackgroundColor ...
    static const PropertyTable& PropertyTableOfWindow();
    const PropertyTable& Properties() const override { return PropertyTableOfWindow(); }
    void SetProperty(const Property& property) override;

    // Framework-internal state (the Qt widgets); not for the system's code.
    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// `_GetImplicitWindow`: the window of that class that the framework holds, shown or hidden,
// or none.
Window* GetImplicitWindow(std::string_view fullName);

}  // namespace fw
