#pragma once
// The About window: the first window of every run. It shows the product name, the D² emblem
// and a credit line, and gives way to the main window when its single-run timer fires
// 4000 ms after it was made, or at once on a key press or a mouse press on it.
#include <cstdint>
#include <string>

#include "frame/window_frame.hpp"
#include "framework/runtime/events.hpp"
#include "framework/windows/controls.hpp"

class AboutWnd : public FramedWindow<AboutWnd> {
public:
    static constexpr const char* kFullName = "AboutWnd.AboutWnd";
    static fw::WindowEvents Events() {
        return {fw::WindowEvent::CreateControls, fw::WindowEvent::KeyDown,
                fw::WindowEvent::Layout, fw::WindowEvent::MouseDown};
    }

    // Applies the window's property list; the About window has no menu bar.
    void Layout() override;
    // CreateControls: the frame's one body, which runs CreateControls0.

protected:
    // Makes StaticText5, StaticText1, Canvas1 and Timer1, in that order.
    void CreateControls0() override;

public:
    fw::Label* StaticText5() const;
    fw::Label* StaticText1() const;
    fw::Canvas* Canvas1() const;
    fw::Timer* Timer1() const;

    // Each hides the About window, then shows the main window.
    void Timer1_Action(fw::Timer& timer);
    bool Event_KeyDown(const std::string& key) override;
    bool Event_MouseDown(std::int64_t x, std::int64_t y) override;

private:
    static void GiveWayToMainWindow();
};
