#pragma once
// The main window: the two number fields, the matrix, data and output areas, the Calculate
// and Clear buttons, the labels and the two pictures, under the main menu bar.
#include <cstdint>
#include <string>

#include "frame/window_frame.hpp"
#include "framework/menus/menu.hpp"
#include "framework/runtime/events.hpp"
#include "framework/windows/controls.hpp"

class ControlWnd : public FramedWindow<ControlWnd> {
public:
    static constexpr const char* kFullName = "ControlWnd.ControlWnd";
    static fw::WindowEvents Events() {
        return {fw::WindowEvent::Activate, fw::WindowEvent::AddMenuHandlers,
                fw::WindowEvent::Close, fw::WindowEvent::CreateControls,
                fw::WindowEvent::EnableMenuItems, fw::WindowEvent::Layout};
    }

    // Installs the main menu bar, then applies the window's property list.
    void Layout() override;
    // CreateControls: the frame's one body, which runs CreateControls0.

protected:
    // Makes the sixteen controls, each with its list, its picture and its hooks.
    void CreateControls0() override;

public:
    fw::TextField* Nvariables() const;
    fw::TextField* Nsubs() const;
    fw::TextArea* InputPMFld() const;
    fw::TextArea* InputPCFld() const;
    fw::TextArea* OutFld() const;
    fw::PushButton* ClearBtn() const;
    fw::PushButton* CalculateBtn() const;
    fw::Label* StaticText1() const;
    fw::Label* StaticText3() const;
    fw::Label* StaticText2() const;
    fw::Label* StaticText6() const;
    fw::Label* VelmorText() const;
    fw::Label* StaticText7() const;
    fw::Canvas* Canvas1() const;
    fw::Label* StaticText4() const;
    fw::Canvas* Canvas2() const;

    // The number fields take digits and control keys; any other key beeps and is swallowed.
    bool Nvariables_KeyDown(fw::TextField& field, const std::string& key);
    bool Nsubs_KeyDown(fw::TextField& field, const std::string& key);
    // Empties all five text controls and puts the focus in Nvariables.
    void ClearBtn_Action(fw::PushButton& button);
    // Computes D² for every subject and appends one line per subject to OutFld.
    void CalculateBtn_Action(fw::PushButton& button);
    void Canvas1_MouseExit(fw::Canvas& canvas);
    void Canvas1_MouseEnter(fw::Canvas& canvas);
    // The help picture: shows the Description window.
    bool Canvas2_MouseDown(fw::Canvas& canvas, std::int64_t x, std::int64_t y);

    // The items of the main menu bar, walked from the bar's end.
    fw::MenuItem* UntitledMenu4() const;
    fw::MenuItem* WindowMenu() const;
    fw::AppleMenuItem* UntitledMenu5() const;
    fw::AppleMenuItem* AboutQor() const;
    fw::MenuItem* UntitledMenu6() const;
    fw::MenuItem* ResultsMenuItem() const;
    fw::MenuItem* DescriptionMenuItem() const;
    fw::MenuItem* AboutMenuItem() const;
    fw::MenuItem* ControlMenuItem() const;
    fw::MenuItem* UntitledMenu0() const;
    fw::MenuItem* UntitledMenu7() const;
    fw::MenuItem* EditClear() const;
    fw::MenuItem* EditPaste() const;
    fw::MenuItem* EditCopy() const;
    fw::MenuItem* EditCut() const;
    fw::MenuItem* UntitledMenu1() const;
    fw::MenuItem* EditUndo() const;
    fw::MenuItem* UntitledMenu2() const;
    fw::MenuItem* UntitledMenu8() const;
    fw::QuitMenuItem* FileQuit() const;
    fw::MenuItem* CloseMenuItem() const;
    fw::MenuItem* UntitledMenu3() const;

    // Registers the Description, About (twice), Results, Quit and Close handlers.
    void AddMenuHandlers(fw::Window& window) override;
    // Closing the main window ends the program.
    void Event_Close() override;
    // The About window never stays in view beside an active main window.
    void Event_Activate() override;
    void Event_EnableMenuItems() override;

    // Menu handlers; each gives False.
    bool DescriptionMenuItem_Action();
    bool AboutQor_Action();
    bool ResultsMenuItem_Action();
    bool FileQuit_Action();
    bool CloseMenuItem_Action();
    bool AboutMenuItem_Action();
};
