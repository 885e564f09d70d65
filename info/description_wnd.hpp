#pragma once
// The Description window: the help text in one read-only text area, with its own menu bar
// (MenuBar2) offering Control (show the main window), Print (print the help text) and Close.
#include "frame/window_frame.hpp"
#include "framework/menus/menu.hpp"
#include "framework/runtime/events.hpp"
#include "framework/windows/controls.hpp"

class DescriptionWnd : public FramedWindow<DescriptionWnd> {
public:
    static constexpr const char* kFullName = "DescriptionWnd.DescriptionWnd";
    static fw::WindowEvents Events() {
        return {fw::WindowEvent::AddMenuHandlers, fw::WindowEvent::CreateControls,
                fw::WindowEvent::EnableMenuItems, fw::WindowEvent::Layout};
    }

    // Installs MenuBar2, then applies the window's property list.
    void Layout() override;
    // CreateControls: the frame's one body, which runs CreateControls0.

protected:
    // Makes the one control, DescribeFld2.
    void CreateControls0() override;

public:
    fw::TextArea* DescribeFld2() const;

    // The items of MenuBar2, walked from the bar's end.
    fw::MenuItem* UntitledMenu2() const;
    fw::MenuItem* WindowMenu() const;
    fw::AppleMenuItem* UntitledMenu3() const;
    fw::MenuItem* UntitledMenu4() const;
    fw::MenuItem* ControlMenuItem() const;
    fw::MenuItem* EditMenu() const;
    fw::MenuItem* UntitledMenu5() const;
    fw::MenuItem* EditClear() const;
    fw::MenuItem* EditPaste() const;
    fw::MenuItem* EditCopy() const;
    fw::MenuItem* EditCut() const;
    fw::MenuItem* UntitledMenu0() const;
    fw::MenuItem* EditUndo() const;
    fw::MenuItem* FileMenu() const;
    fw::MenuItem* UntitledMenu6() const;
    fw::QuitMenuItem* FileQuit() const;
    fw::MenuItem* CloseMenuItem() const;
    fw::MenuItem* PrintMenuItem() const;
    fw::MenuItem* UntitledMenu1() const;

    // Registers the Control, Print and Close handlers on the window, in that order.
    void AddMenuHandlers(fw::Window& window) override;
    // Enables Control, Print and Close, in that order.
    void Event_EnableMenuItems() override;

    // Menu handlers; each gives False.
    bool ControlMenuItem_Action();
    bool PrintMenuItem_Action();
    bool CloseMenuItem_Action();
};
