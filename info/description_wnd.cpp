#include "info/description_wnd.hpp"

#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "calculator/control_wnd.hpp"
#include "frame/menu_frame.hpp"
#include "framework/printing/printing.hpp"
#include "framework/text/background_task.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/text/properties.hpp"
#include "info/help_text.hpp"
#include "info/menu_bar2.hpp"

namespace {

constexpr fw::Color kWhite{255, 255, 255};
constexpr fw::Color kBlack{0, 0, 0};
// The Index of a control that is not part of a control array.
constexpr std::int64_t kNoIndex = std::numeric_limits<std::int32_t>::min();

// The help text is printed 540 points wide, at most 720 points to a page; on smaller paper
// the page surface is smaller and the framework fits both to it.
constexpr std::int64_t kPrintWidth = 540;
constexpr std::int64_t kPrintBlockHeight = 720;

std::string WindowList() {
    return fw::EncodeProperties(fw::Window::PropertyTableOfWindow(), {
        {"Width", 427},               {"Height", 491},
        {"MinimumWidth", 64},         {"MinimumHeight", 64},
        {"MaximumWidth", 32000},      {"MaximumHeight", 32000},
        {"Type", 0},                  {"Title", "Description"},
        {"HasCloseButton", true},     {"HasMaximizeButton", false},
        {"HasMinimizeButton", false}, {"HasFullScreenButton", false},
        {"Resizeable", true},         {"Composite", false},
        {"MacProcID", 0},             {"FullScreen", false},
        {"DefaultLocation", 0},       {"Visible", true},
        {"HasBackgroundColor", false}, {"BackgroundColor", kWhite},
        {"MenuBarVisible", true},     {"LiveResize", false},
    });
}

std::string DescribeFld2List() {
    return fw::EncodeProperties(fw::TextArea::PropertyTableOfTextArea(), {
        {"InitialParent", ""},            {"DataField", ""},
        {"DataSource", ""},               {"ReadOnly", true},
        {"Underline", false},             {"Italic", false},
        {"Bold", false},                  {"Visible", true},
        {"Transparent", true},            {"TextColor", kBlack},
        {"Multiline", true},              {"LineSpacing", 1.0},
        {"LineHeight", 0.0},              {"HideSelection", true},
        {"Format", ""},                   {"Enabled", true},
        {"TabStop", true},                {"TabPanelIndex", 0},
        {"TabIndex", 0},                  {"LockBottom", true},
        {"LockRight", true},              {"LockTop", true},
        {"LockLeft", true},               {"Height", 476},
        {"Width", 429},                   {"Top", -1},
        {"Left", -1},                     {"Index", kNoIndex},
        {"Name", "DescribeFld2"},         {"AllowAutoDeactivate", true},
        {"BackgroundColor", kWhite},      {"HasBorder", true},
        {"Tooltip", ""},                  {"HasHorizontalScrollbar", false},
        {"HasVerticalScrollbar", true},   {"AllowStyledText", true},
        {"AllowFocusRing", false},        {"FontName", "System"},
        {"FontSize", 12},                 {"FontUnit", 0},
        {"Value", HelpText()},            {"AllowTabs", false},
        {"TextAlignment", 1},             {"AllowSpellChecking", false},
        {"MaximumCharactersAllowed", 0},  {"ValidationMask", ""},
    });
}

}  // namespace

void DescriptionWnd::Layout() {
    SetMenuBar(MenuBar2::Instance());
    fw::SetProperties(*this, WindowList());
}

void DescriptionWnd::CreateControls0() {
    MakeControl<fw::TextArea>(*this, "DescribeFld2", DescribeFld2List());
}

fw::TextArea* DescriptionWnd::DescribeFld2() const { return Control<fw::TextArea>("DescribeFld2"); }

fw::MenuItem* DescriptionWnd::UntitledMenu2() const { return MenuItemOf<fw::MenuItem>(this, "UntitledMenu2"); }
fw::MenuItem* DescriptionWnd::WindowMenu() const { return MenuItemOf<fw::MenuItem>(this, "WindowMenu"); }
fw::AppleMenuItem* DescriptionWnd::UntitledMenu3() const { return MenuItemOf<fw::AppleMenuItem>(this, "UntitledMenu3"); }
fw::MenuItem* DescriptionWnd::UntitledMenu4() const { return MenuItemOf<fw::MenuItem>(this, "UntitledMenu4"); }
fw::MenuItem* DescriptionWnd::ControlMenuItem() const { return MenuItemOf<fw::MenuItem>(this, "ControlMenuItem"); }
fw::MenuItem* DescriptionWnd::EditMenu() const { return MenuItemOf<fw::MenuItem>(this, "EditMenu"); }
fw::MenuItem* DescriptionWnd::UntitledMenu5() const { return MenuItemOf<fw::MenuItem>(this, "UntitledMenu5"); }
fw::MenuItem* DescriptionWnd::EditClear() const { return MenuItemOf<fw::MenuItem>(this, "EditClear"); }
fw::MenuItem* DescriptionWnd::EditPaste() const { return MenuItemOf<fw::MenuItem>(this, "EditPaste"); }
fw::MenuItem* DescriptionWnd::EditCopy() const { return MenuItemOf<fw::MenuItem>(this, "EditCopy"); }
fw::MenuItem* DescriptionWnd::EditCut() const { return MenuItemOf<fw::MenuItem>(this, "EditCut"); }
fw::MenuItem* DescriptionWnd::UntitledMenu0() const { return MenuItemOf<fw::MenuItem>(this, "UntitledMenu0"); }
fw::MenuItem* DescriptionWnd::EditUndo() const { return MenuItemOf<fw::MenuItem>(this, "EditUndo"); }
fw::MenuItem* DescriptionWnd::FileMenu() const { return MenuItemOf<fw::MenuItem>(this, "FileMenu"); }
fw::MenuItem* DescriptionWnd::UntitledMenu6() const { return MenuItemOf<fw::MenuItem>(this, "UntitledMenu6"); }
fw::QuitMenuItem* DescriptionWnd::FileQuit() const { return MenuItemOf<fw::QuitMenuItem>(this, "FileQuit"); }
fw::MenuItem* DescriptionWnd::CloseMenuItem() const { return MenuItemOf<fw::MenuItem>(this, "CloseMenuItem"); }
fw::MenuItem* DescriptionWnd::PrintMenuItem() const { return MenuItemOf<fw::MenuItem>(this, "PrintMenuItem"); }
fw::MenuItem* DescriptionWnd::UntitledMenu1() const { return MenuItemOf<fw::MenuItem>(this, "UntitledMenu1"); }

void DescriptionWnd::AddMenuHandlers(fw::Window& window) {
    RegisterMenuHandlers<DescriptionWnd>(*this, window, {
        {"ControlMenuItem", &DescriptionWnd::ControlMenuItem_Action},
        {"PrintMenuItem", &DescriptionWnd::PrintMenuItem_Action},
        {"CloseMenuItem", &DescriptionWnd::CloseMenuItem_Action},
    });
}

void DescriptionWnd::Event_EnableMenuItems() {
    EnableMenuItems<DescriptionWnd>(*this, {
        {&DescriptionWnd::ControlMenuItem, true},
        {&DescriptionWnd::PrintMenuItem, true},
        {&DescriptionWnd::CloseMenuItem, true},
    });
}

// Shows the main window; the Description window stays open beside it.
bool DescriptionWnd::ControlMenuItem_Action() {
    fw::NotNil(ControlWnd::Instance()).Show();
    return false;
}

// Prints the help text block by block, one block to a page; a new page is begun only while
// text remains. Cancelling the print dialog prints nothing.
bool DescriptionWnd::PrintMenuItem_Action() {
    std::unique_ptr<fw::Graphics> page = fw::PrinterSetup::ShowPrinterDialog();
    if (!page) return false;
    std::unique_ptr<fw::StyledTextPrinter> printer =
        fw::MakeStyledTextPrinter(fw::NotNil(DescribeFld2()), *page, kPrintWidth);
    while (!fw::NotNil(printer.get()).Eof()) {
        printer->DrawBlock(0, 0, kPrintBlockHeight);
        if (!printer->Eof()) fw::NotNil(page.get()).NextPage();
        fw::RuntimeBackgroundTask();
    }
    return false;
}

bool DescriptionWnd::CloseMenuItem_Action() {
    fw::NotNil(DescriptionWnd::Instance()).Close();
    return false;
}
