#pragma once
// The frame that every window of the system shares: the implicit instance of each window
// class, the one CreateControls body, the creation sequence of one control, control
// accessors that find their control by name on every call, and the event hooks that tie a
// control's events to the window's handler methods.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "framework/pictures/picture.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/controls.hpp"
#include "framework/windows/window.hpp"

// The window of class W that the framework holds under W::kFullName, shown or hidden; a new
// one, laid out and given its controls, when there is none.
template <class W>
W* ImplicitInstance() {
    fw::Window* window = fw::GetImplicitWindow(W::kFullName);
    if (window == nullptr) window = fw::Window::Construct(std::make_unique<W>());
    return fw::CheckCast<W>(window);
}

// A control of the window by name, found anew on every call: none when the window holds no
// control of that name, IllegalCastException when it holds one of another class.
template <class C>
C* ControlOf(const fw::Window* window, std::string_view name) {
    return fw::CheckCast<C>(fw::NotNil(window).ControlByName(name));
}

// The base of the system's window classes. Derived names its full name (kFullName) and its
// events (kEvents), and builds its controls in CreateControls0.
template <class Derived>
class FramedWindow : public fw::Window {
public:
    static Derived* Instance() { return ImplicitInstance<Derived>(); }
    std::string_view FullName() const override { return Derived::kFullName; }
    fw::WindowEvents ImplementedEvents() const override { return Derived::Events(); }

    // The one CreateControls body: the window's own builder.
    void CreateControls() override { CreateControls0(); }

protected:
    virtual void CreateControls0() = 0;

    template <class C>
    C* Control(std::string_view name) const { return ControlOf<C>(this, name); }
};

// An event hook: registers one handler of window W on a control of class C.
template <class W, class C>
using Hook = std::function<void(W&, C&)>;

template <class W>
Hook<W, fw::TextField> KeyDownHook(bool (W::*handler)(fw::TextField&, const std::string&)) {
    return [handler](W& window, fw::TextField& field) {
        field.OnKeyDown([&window, handler](fw::TextField& f, const std::string& key) {
            return (window.*handler)(f, key);
        });
    };
}

template <class W>
Hook<W, fw::PushButton> ActionHook(void (W::*handler)(fw::PushButton&)) {
    return [handler](W& window, fw::PushButton& button) {
        button.OnAction([&window, handler](fw::PushButton& b) { (window.*handler)(b); });
    };
}

template <class W>
Hook<W, fw::Timer> TimerActionHook(void (W::*handler)(fw::Timer&)) {
    return [handler](W& window, fw::Timer& timer) {
        timer.OnAction([&window, handler](fw::Timer& t) { (window.*handler)(t); });
    };
}

template <class W>
Hook<W, fw::Canvas> MouseEnterHook(void (W::*handler)(fw::Canvas&)) {
    return [handler](W& window, fw::Canvas& canvas) {
        canvas.OnMouseEnter([&window, handler](fw::Canvas& c) { (window.*handler)(c); });
    };
}

template <class W>
Hook<W, fw::Canvas> MouseExitHook(void (W::*handler)(fw::Canvas&)) {
    return [handler](W& window, fw::Canvas& canvas) {
        canvas.OnMouseExit([&window, handler](fw::Canvas& c) { (window.*handler)(c); });
    };
}

template <class W>
Hook<W, fw::Canvas> MouseDownHook(bool (W::*handler)(fw::Canvas&, std::int64_t, std::int64_t)) {
    return [handler](W& window, fw::Canvas& canvas) {
        canvas.OnMouseDown([&window, handler](fw::Canvas& c, std::int64_t x, std::int64_t y) {
            return (window.*handler)(c, x, y);
        });
    };
}

using PictureAccessor = std::shared_ptr<fw::Picture> (*)();

// The creation sequence of one control: made for the window and registered under its name;
// found again by name; a canvas's picture set before its property list; the list applied;
// then each hook, on the control found anew. An exception ends the sequence where it arises.
template <class C, class W>
void MakeControl(W& window, std::string_view name, std::string_view properties,
                 std::initializer_list<Hook<W, C>> hooks = {}, PictureAccessor picture = nullptr) {
    window.AddControl(std::string(name), std::make_unique<C>(window));
    C* control = &fw::NotNil(ControlOf<C>(&window, name));
    if constexpr (std::is_base_of_v<fw::Canvas, C>) {
        if (picture != nullptr) {
            control->SetBackdrop(picture());
            control = &fw::NotNil(ControlOf<C>(&window, name));
        }
    }
    fw::SetProperties(*control, properties);
    for (const auto& hook : hooks) hook(window, fw::NotNil(ControlOf<C>(&window, name)));
}
