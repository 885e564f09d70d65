#include "calculator/control_wnd.hpp"

#include "calculator/calculate_messages.hpp"
#include "calculator/main_menu.hpp"
#include "calculator/module1.hpp"
#include "distance/distance.hpp"
#include "frame/control_properties.hpp"
#include "frame/credit.hpp"
#include "frame/menu_frame.hpp"
#include "frame/pictures.hpp"
#include "framework/dialogs/dialogs.hpp"
#include "framework/runtime/application.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/text/properties.hpp"
#include "framework/text/text.hpp"
#include "info/about_command.hpp"
#include "info/about_wnd.hpp"
#include "info/description_wnd.hpp"

namespace {

constexpr fw::Color kWhite{255, 255, 255};
constexpr fw::Color kGreen{0, 128, 64};

std::string WindowList() {
    return fw::EncodeProperties(fw::Window::PropertyTableOfWindow(), {
        {"Width", 650},               {"Height", 500},
        {"MinimumWidth", 64},         {"MinimumHeight", 64},
        {"MaximumWidth", 500},        {"MaximumHeight", 500},
        {"Type", 0},                  {"Title", "Orvantide"},
        {"HasCloseButton", true},     {"HasMaximizeButton", false},
        {"HasMinimizeButton", false}, {"HasFullScreenButton", false},
        {"Resizeable", false},        {"Composite", false},
        {"MacProcID", 0},             {"FullScreen", false},
        {"DefaultLocation", 0},       {"Visible", true},
        {"HasBackgroundColor", true}, {"BackgroundColor", kWhite},
        {"MenuBarVisible", true},     {"LiveResize", false},
    });
}

std::string TextFieldList(const PropertyBlock& own) {
    return ControlPropertyList(fw::TextField::PropertyTableOfTextField(), own,
                               {&EveryControlValues(), &TextControlValues(), &TextEditValues(),
                                &TextFieldValues()});
}

std::string TextAreaList(const PropertyBlock& own) {
    return ControlPropertyList(fw::TextArea::PropertyTableOfTextArea(), own,
                               {&EveryControlValues(), &TextControlValues(), &TextEditValues(),
                                &TextAreaValues()});
}

std::string PushButtonList(const PropertyBlock& own) {
    return ControlPropertyList(fw::PushButton::PropertyTableOfPushButton(), own,
                               {&EveryControlValues(), &TextControlValues(), &PushButtonValues()});
}

std::string LabelList(const PropertyBlock& own) {
    return ControlPropertyList(fw::Label::PropertyTableOfLabel(), own,
                               {&EveryControlValues(), &TextControlValues(), &LabelValues()});
}

std::string CanvasList(const PropertyBlock& own) {
    return ControlPropertyList(fw::Canvas::PropertyTableOfCanvas(), own,
                               {&EveryControlValues(), &CanvasValues()});
}

// The number fields' filter: digits (by text comparison), control codes below 32 and the
// code 127 pass; any other key beeps and is swallowed (True).
bool RefuseNonDigitKey(const std::string& key) {
    const std::int64_t code = fw::Asc(key);
    const bool passes = (key >= "0" && key <= "9") || code < 32 || code == 127;
    if (passes) return false;
    fw::Beep();
    return true;
}

// The help picture and the Description item both show the one Description window.
void ShowDescriptionWindow() { fw::NotNil(DescriptionWnd::Instance()).Show(); }

}  // namespace

void ControlWnd::Layout() {
    SetMenuBar(Menu::Instance());
    fw::SetProperties(*this, WindowList());
}

void ControlWnd::CreateControls0() {
    MakeControl<fw::TextField>(*this, "Nvariables", TextFieldList({
        {"Name", "Nvariables"}, {"Left", 253}, {"Top", 155}, {"Width", 40}, {"Height", 20},
        {"FontName", "System"}, {"FontSize", 14},
        {"MaximumCharactersAllowed", 2}, {"TextAlignment", 2},
        {"TabIndex", 0}, {"TabStop", true},
    }), {KeyDownHook(&ControlWnd::Nvariables_KeyDown)});
    MakeControl<fw::TextField>(*this, "Nsubs", TextFieldList({
        {"Name", "Nsubs"}, {"Left", 253}, {"Top", 185}, {"Width", 40}, {"Height", 20},
        {"FontName", "System"}, {"FontSize", 14},
        {"MaximumCharactersAllowed", 4}, {"TextAlignment", 2},
        {"TabIndex", 1}, {"TabStop", true},
    }), {KeyDownHook(&ControlWnd::Nsubs_KeyDown)});
    MakeControl<fw::TextArea>(*this, "InputPMFld", TextAreaList({
        {"Name", "InputPMFld"}, {"Left", 16}, {"Top", 247}, {"Width", 200}, {"Height", 225},
        {"FontName", "Courier"}, {"FontSize", 10},
        {"TabIndex", 2}, {"TabStop", true},
    }));
    MakeControl<fw::TextArea>(*this, "InputPCFld", TextAreaList({
        {"Name", "InputPCFld"}, {"Left", 237}, {"Top", 247}, {"Width", 200}, {"Height", 225},
        {"FontName", "Courier"}, {"FontSize", 10},
        {"TabIndex", 3}, {"TabStop", true},
    }));
    MakeControl<fw::TextArea>(*this, "OutFld", TextAreaList({
        {"Name", "OutFld"}, {"Left", 466}, {"Top", 247}, {"Width", 150}, {"Height", 225},
        {"FontName", "Courier"}, {"FontSize", 10},
        {"TabIndex", 4}, {"TabStop", true},
    }));
    MakeControl<fw::PushButton>(*this, "ClearBtn", PushButtonList({
        {"Name", "ClearBtn"}, {"Left", 535}, {"Top", 185}, {"Width", 80}, {"Height", 20},
        {"FontName", "System"}, {"FontSize", 12}, {"Caption", "Clear"}, {"Default", true},
        {"TabIndex", 5}, {"TabStop", false},
    }), {ActionHook(&ControlWnd::ClearBtn_Action)});
    MakeControl<fw::PushButton>(*this, "CalculateBtn", PushButtonList({
        {"Name", "CalculateBtn"}, {"Left", 535}, {"Top", 155}, {"Width", 80}, {"Height", 20},
        {"FontName", "System"}, {"FontSize", 12}, {"Caption", "Calculate"}, {"Default", true},
        {"TabIndex", 6}, {"TabStop", false},
    }), {ActionHook(&ControlWnd::CalculateBtn_Action)});
    MakeControl<fw::Label>(*this, "StaticText1", LabelList({
        {"Name", "StaticText1"}, {"Left", 35}, {"Top", 155}, {"Width", 214}, {"Height", 20},
        {"FontName", "System"}, {"FontSize", 14}, {"Value", "Number of Variables (2-99):"},
        {"TextAlignment", 0}, {"Multiline", false},
        {"LockLeft", false}, {"LockTop", false}, {"LockRight", false}, {"LockBottom", false},
        {"TabIndex", 7}, {"TabStop", false},
    }));
    MakeControl<fw::Label>(*this, "StaticText3", LabelList({
        {"Name", "StaticText3"}, {"Left", 16}, {"Top", 229}, {"Width", 200}, {"Height", 19},
        {"FontName", "System"}, {"FontSize", 12},
        {"Value", "Inverted Covariance Matrix (V x V)"},
        {"TextAlignment", 2}, {"Multiline", false},
        {"TabIndex", 8}, {"TabStop", false},
    }));
    MakeControl<fw::Label>(*this, "StaticText2", LabelList({
        {"Name", "StaticText2"}, {"Left", 237}, {"Top", 229}, {"Width", 200}, {"Height", 19},
        {"FontName", "System"}, {"FontSize", 12}, {"Value", "Difference Data (S x V)"},
        {"TextAlignment", 0}, {"Multiline", true},
        {"TabIndex", 9}, {"TabStop", false},
    }));
    MakeControl<fw::Label>(*this, "StaticText6", LabelList({
        {"Name", "StaticText6"}, {"Left", 35}, {"Top", 185}, {"Width", 210}, {"Height", 20},
        {"FontName", "System"}, {"FontSize", 14}, {"Value", "Number of Subjects (1-9999):"},
        {"TextAlignment", 0}, {"Multiline", false},
        {"LockLeft", false}, {"LockTop", false}, {"LockRight", false}, {"LockBottom", false},
        {"TabIndex", 10}, {"TabStop", false},
    }));
    // The credit label is made but never shown.
    MakeControl<fw::Label>(*this, "VelmorText", LabelList({
        {"Name", "VelmorText"}, {"Left", 184}, {"Top", 76}, {"Width", 158}, {"Height", 20},
        {"FontName", "System"}, {"FontSize", 10}, {"Value", kCreditLine},
        {"TextColor", kGreen}, {"Visible", false}, {"Enabled", false},
        {"AllowAutoDeactivate", false}, {"TextAlignment", 0}, {"Multiline", false},
        {"TabIndex", 12}, {"TabStop", false},
    }));
    MakeControl<fw::Label>(*this, "StaticText7", LabelList({
        {"Name", "StaticText7"}, {"Left", 135}, {"Top", 20}, {"Width", 342}, {"Height", 55},
        {"FontName", "System"}, {"FontSize", 42}, {"Bold", true}, {"Value", "Orvantide"},
        {"TextColor", kGreen}, {"TextAlignment", 0}, {"Multiline", false},
        {"TabIndex", 13}, {"TabStop", false},
    }));
    MakeControl<fw::Canvas>(*this, "Canvas1", CanvasList({
        {"Name", "Canvas1"}, {"Left", 1}, {"Top", 1}, {"Width", 122}, {"Height", 130},
        {"TabIndex", 14}, {"TabStop", false},
    }), {MouseExitHook(&ControlWnd::Canvas1_MouseExit),
         MouseEnterHook(&ControlWnd::Canvas1_MouseEnter)}, D2);
    MakeControl<fw::Label>(*this, "StaticText4", LabelList({
        {"Name", "StaticText4"}, {"Left", 468}, {"Top", 229}, {"Width", 147}, {"Height", 19},
        {"FontName", "System"}, {"FontSize", 12}, {"Value", "Mahalanobis distance"},
        {"TextAlignment", 0}, {"Multiline", true},
        {"TabIndex", 15}, {"TabStop", false},
    }));
    MakeControl<fw::Canvas>(*this, "Canvas2", CanvasList({
        {"Name", "Canvas2"}, {"Left", 305}, {"Top", 155}, {"Width", 33}, {"Height", 48},
        {"LockRight", false}, {"LockBottom", false},
        {"TabIndex", 16}, {"TabStop", true},
    }), {MouseDownHook(&ControlWnd::Canvas2_MouseDown)}, QuestMoss1);
}

fw::TextField* ControlWnd::Nvariables() const { return Control<fw::TextField>("Nvariables"); }
fw::TextField* ControlWnd::Nsubs() const { return Control<fw::TextField>("Nsubs"); }
fw::TextArea* ControlWnd::InputPMFld() const { return Control<fw::TextArea>("InputPMFld"); }
fw::TextArea* ControlWnd::InputPCFld() const { return Control<fw::TextArea>("InputPCFld"); }
fw::TextArea* ControlWnd::OutFld() const { return Control<fw::TextArea>("OutFld"); }
fw::PushButton* ControlWnd::ClearBtn() const { return Control<fw::PushButton>("ClearBtn"); }
fw::PushButton* ControlWnd::CalculateBtn() const { return Control<fw::PushButton>("CalculateBtn"); }
fw::Label* ControlWnd::StaticText1() const { return Control<fw::Label>("StaticText1"); }
fw::Label* ControlWnd::StaticText3() const { return Control<fw::Label>("StaticText3"); }
fw::Label* ControlWnd::StaticText2() const { return Control<fw::Label>("StaticText2"); }
fw::Label* ControlWnd::StaticText6() const { return Control<fw::Label>("StaticText6"); }
fw::Label* ControlWnd::VelmorText() const { return Control<fw::Label>("VelmorText"); }
fw::Label* ControlWnd::StaticText7() const { return Control<fw::Label>("StaticText7"); }
fw::Canvas* ControlWnd::Canvas1() const { return Control<fw::Canvas>("Canvas1"); }
fw::Label* ControlWnd::StaticText4() const { return Control<fw::Label>("StaticText4"); }
fw::Canvas* ControlWnd::Canvas2() const { return Control<fw::Canvas>("Canvas2"); }

bool ControlWnd::Nvariables_KeyDown(fw::TextField&, const std::string& key) {
    return RefuseNonDigitKey(key);
}

bool ControlWnd::Nsubs_KeyDown(fw::TextField&, const std::string& key) {
    return RefuseNonDigitKey(key);
}

void ControlWnd::ClearBtn_Action(fw::PushButton&) {
    fw::NotNil(Nvariables()).SetText("");
    fw::NotNil(Nsubs()).SetText("");
    fw::NotNil(Nvariables()).SetFocus();
    fw::NotNil(InputPMFld()).SetText("");
    fw::NotNil(InputPCFld()).SetText("");
    fw::NotNil(OutFld()).SetText("");
}

// Every message is shown (modal) before the computation goes on; the lines are appended one
// by one below whatever OutFld holds.
void ControlWnd::CalculateBtn_Action(fw::PushButton&) {
    const std::string variables = fw::NotNil(Nvariables()).Text();
    const std::string subjects = fw::NotNil(Nsubs()).Text();
    const std::string matrix = fw::NotNil(InputPMFld()).Text();
    const std::string data = fw::NotNil(InputPCFld()).Text();
    CalculateMessages messages(fw::MsgBox);
    CalculateDistances(variables, subjects, matrix, data, DistanceOutput{
        .showMessage = [&messages](DistanceMessage kind, const std::string& message) {
            messages.Add(kind, message);
        },
        .appendLine = [this, &messages](const std::string& line) {
            messages.EndCellMessages();
            fw::NotNil(OutFld()).AppendText(line);
        },
    });
    messages.EndCellMessages();
}

void ControlWnd::Canvas1_MouseExit(fw::Canvas&) {}
void ControlWnd::Canvas1_MouseEnter(fw::Canvas&) {}

bool ControlWnd::Canvas2_MouseDown(fw::Canvas&, std::int64_t, std::int64_t) {
    ShowDescriptionWindow();
    return false;
}

fw::MenuItem* ControlWnd::UntitledMenu4() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu4"); }
fw::MenuItem* ControlWnd::WindowMenu() const { return MenuItemOf<fw::MenuItem>(*this, "WindowMenu"); }
fw::AppleMenuItem* ControlWnd::UntitledMenu5() const { return MenuItemOf<fw::AppleMenuItem>(*this, "UntitledMenu5"); }
fw::AppleMenuItem* ControlWnd::AboutQor() const { return MenuItemOf<fw::AppleMenuItem>(*this, "AboutQor"); }
fw::MenuItem* ControlWnd::UntitledMenu6() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu6"); }
fw::MenuItem* ControlWnd::ResultsMenuItem() const { return MenuItemOf<fw::MenuItem>(*this, "ResultsMenuItem"); }
fw::MenuItem* ControlWnd::DescriptionMenuItem() const { return MenuItemOf<fw::MenuItem>(*this, "DescriptionMenuItem"); }
fw::MenuItem* ControlWnd::AboutMenuItem() const { return MenuItemOf<fw::MenuItem>(*this, "AboutMenuItem"); }
fw::MenuItem* ControlWnd::ControlMenuItem() const { return MenuItemOf<fw::MenuItem>(*this, "ControlMenuItem"); }
fw::MenuItem* ControlWnd::UntitledMenu0() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu0"); }
fw::MenuItem* ControlWnd::UntitledMenu7() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu7"); }
fw::MenuItem* ControlWnd::EditClear() const { return MenuItemOf<fw::MenuItem>(*this, "EditClear"); }
fw::MenuItem* ControlWnd::EditPaste() const { return MenuItemOf<fw::MenuItem>(*this, "EditPaste"); }
fw::MenuItem* ControlWnd::EditCopy() const { return MenuItemOf<fw::MenuItem>(*this, "EditCopy"); }
fw::MenuItem* ControlWnd::EditCut() const { return MenuItemOf<fw::MenuItem>(*this, "EditCut"); }
fw::MenuItem* ControlWnd::UntitledMenu1() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu1"); }
fw::MenuItem* ControlWnd::EditUndo() const { return MenuItemOf<fw::MenuItem>(*this, "EditUndo"); }
fw::MenuItem* ControlWnd::UntitledMenu2() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu2"); }
fw::MenuItem* ControlWnd::UntitledMenu8() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu8"); }
fw::QuitMenuItem* ControlWnd::FileQuit() const { return MenuItemOf<fw::QuitMenuItem>(*this, "FileQuit"); }
fw::MenuItem* ControlWnd::CloseMenuItem() const { return MenuItemOf<fw::MenuItem>(*this, "CloseMenuItem"); }
fw::MenuItem* ControlWnd::UntitledMenu3() const { return MenuItemOf<fw::MenuItem>(*this, "UntitledMenu3"); }

void ControlWnd::AddMenuHandlers(fw::Window& window) {
    RegisterMenuHandlers<ControlWnd>(*this, window, {
        {"DescriptionMenuItem", &ControlWnd::DescriptionMenuItem_Action},
        {"AboutQor", &ControlWnd::AboutQor_Action},
        {"ResultsMenuItem", &ControlWnd::ResultsMenuItem_Action},
        {"FileQuit", &ControlWnd::FileQuit_Action},
        {"CloseMenuItem", &ControlWnd::CloseMenuItem_Action},
        {"AboutMenuItem", &ControlWnd::AboutMenuItem_Action},
    });
}

void ControlWnd::Event_Close() { fw::Quit(0); }

void ControlWnd::Event_Activate() { fw::NotNil(AboutWnd::Instance()).Hide(); }

void ControlWnd::Event_EnableMenuItems() {
    EnableMenuItems(*this, {
        {&ControlWnd::ControlMenuItem, false},
        {&ControlWnd::DescriptionMenuItem, true},
        {&ControlWnd::AboutMenuItem, true},
        {&ControlWnd::CloseMenuItem, true},
        {&ControlWnd::ResultsMenuItem, Module1::dirty == "yes"},
    });
}

bool ControlWnd::DescriptionMenuItem_Action() {
    ShowDescriptionWindow();
    return false;
}

bool ControlWnd::AboutQor_Action() { return AboutCommand(); }

bool ControlWnd::ResultsMenuItem_Action() { return false; }

bool ControlWnd::FileQuit_Action() {
    fw::Quit(0);
    return false;
}

bool ControlWnd::CloseMenuItem_Action() {
    fw::NotNil(ControlWnd::Instance()).Close();
    return false;
}

bool ControlWnd::AboutMenuItem_Action() { return AboutCommand(); }
