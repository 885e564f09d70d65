#include "info/about_wnd.hpp"

#include "calculator/control_wnd.hpp"
#include "frame/control_properties.hpp"
#include "frame/credit.hpp"
#include "frame/pictures.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/text/properties.hpp"

namespace {

constexpr fw::Color kWhite{255, 255, 255};
constexpr fw::Color kGreen{0, 128, 64};
constexpr fw::Color kCreditGreen{16, 127, 64};

std::string WindowList() {
    return fw::EncodeProperties(fw::Window::PropertyTableOfWindow(), {
        {"Width", 300},              {"Height", 243},
        {"MinimumWidth", 64},        {"MinimumHeight", 64},
        {"MaximumWidth", 32000},     {"MaximumHeight", 32000},
        {"Type", 2},                 {"Title", ""},
        {"HasCloseButton", true},    {"HasMaximizeButton", true},
        {"HasMinimizeButton", true}, {"HasFullScreenButton", false},
        {"Resizeable", true},        {"Composite", false},
        {"MacProcID", 0},            {"FullScreen", false},
        {"DefaultLocation", 0},      {"Visible", true},
        {"HasBackgroundColor", true}, {"BackgroundColor", kWhite},
        {"MenuBarVisible", true},    {"LiveResize", false},
    });
}

// The About window's labels are all single-line.
const PropertyBlock& AboutLabelValues() {
    static const PropertyBlock values = {{"Multiline", false}};
    return values;
}

std::string LabelList(const PropertyBlock& own) {
    return ControlPropertyList(fw::Label::PropertyTableOfLabel(), own,
                               {&EveryControlValues(), &TextControlValues(), &LabelValues(),
                                &AboutLabelValues()});
}

std::string CanvasList(const PropertyBlock& own) {
    return ControlPropertyList(fw::Canvas::PropertyTableOfCanvas(), own,
                               {&EveryControlValues(), &CanvasValues()});
}

}  // namespace

void AboutWnd::Layout() { fw::SetProperties(*this, WindowList()); }

void AboutWnd::CreateControls0() {
    MakeControl<fw::Label>(*this, "StaticText5", LabelList({
        {"Name", "StaticText5"}, {"Left", 1}, {"Top", 224}, {"Width", 299}, {"Height", 12},
        {"FontName", "Times"}, {"FontSize", 9}, {"Value", kCreditLine},
        {"TextColor", kCreditGreen}, {"TextAlignment", 2}, {"Bold", false},
        {"TabIndex", 0}, {"TabStop", false},
    }));
    MakeControl<fw::Label>(*this, "StaticText1", LabelList({
        {"Name", "StaticText1"}, {"Left", 9}, {"Top", 2}, {"Width", 282}, {"Height", 50},
        {"FontName", "System"}, {"FontSize", 32}, {"Bold", true}, {"Value", "Orvantide"},
        {"TextColor", kGreen}, {"TextAlignment", 2},
        {"TabIndex", 2}, {"TabStop", false},
    }));
    MakeControl<fw::Canvas>(*this, "Canvas1", CanvasList({
        {"Name", "Canvas1"}, {"Left", 85}, {"Top", 69}, {"Width", 129}, {"Height", 119},
        {"TabIndex", 3}, {"TabStop", true},
    }), {}, D2);
    // A single run: Action once, 4000 ms after the list is applied.
    MakeControl<fw::Timer>(*this, "Timer1",
                           fw::EncodeProperties(fw::Timer::PropertyTableOfTimer(),
                                                {{"Period", 4000}, {"RunMode", 1}}),
                           {TimerActionHook(&AboutWnd::Timer1_Action)});
}

fw::Label* AboutWnd::StaticText5() const { return Control<fw::Label>("StaticText5"); }
fw::Label* AboutWnd::StaticText1() const { return Control<fw::Label>("StaticText1"); }
fw::Canvas* AboutWnd::Canvas1() const { return Control<fw::Canvas>("Canvas1"); }
fw::Timer* AboutWnd::Timer1() const { return Control<fw::Timer>("Timer1"); }

void AboutWnd::Timer1_Action(fw::Timer&) { GiveWayToMainWindow(); }

bool AboutWnd::Event_KeyDown(const std::string&) {
    GiveWayToMainWindow();
    return false;
}

bool AboutWnd::Event_MouseDown(std::int64_t, std::int64_t) {
    GiveWayToMainWindow();
    return false;
}

// Always in this order: the About window is hidden before the main window is shown.
void AboutWnd::GiveWayToMainWindow() {
    fw::NotNil(AboutWnd::Instance()).Hide();
    fw::NotNil(ControlWnd::Instance()).Show();
}
