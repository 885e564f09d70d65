#pragma once
// Small windows made only through the framework, for the framework's own tests: one shaped
// like the main window (fixed size, number field with a key filter, two default buttons,
// text area, labels, canvas, timer) and one resizable window that answers keys and clicks.
#include <QMainWindow>
#include <QWidget>

#include <string>
#include <vector>

#include "frame/window_frame.hpp"
#include "framework/text/properties.hpp"
#include "framework/windows/controls.hpp"
#include "framework/windows/native.hpp"

namespace fixture {

inline QWidget* Native(const fw::RectControl* control) { return fw::detail::NativeWidget(fw::NotNil(control)); }
inline QMainWindow* NativeOf(const fw::Window* window) { return fw::detail::NativeWindow(fw::NotNil(window)); }
inline QWidget* ContentOf(const fw::Window* window) { return NativeOf(window)->centralWidget(); }

inline std::string Place(const fw::PropertyTable& table, int left, int top, int width, int height) {
    return fw::EncodeProperties(table, {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}});
}

class FormWnd : public FramedWindow<FormWnd> {
public:
    static constexpr std::string_view kFullName = "FormWnd.FormWnd";
    static fw::WindowEvents Events() {
        using E = fw::WindowEvent;
        return {E::Layout, E::CreateControls, E::Close};
    }

    fw::TextField* Number() const { return Control<fw::TextField>("Number"); }
    fw::TextArea* Output() const { return Control<fw::TextArea>("Output"); }
    fw::Label* Heading() const { return Control<fw::Label>("Heading"); }
    fw::Label* Credit() const { return Control<fw::Label>("Credit"); }
    fw::PushButton* ClearBtn() const { return Control<fw::PushButton>("ClearBtn"); }
    fw::PushButton* CalculateBtn() const { return Control<fw::PushButton>("CalculateBtn"); }
    fw::Canvas* Picture() const { return Control<fw::Canvas>("Picture"); }
    fw::Timer* Timer1() const { return Control<fw::Timer>("Timer1"); }

    std::vector<std::string> keys, actions;
    int closes = 0, timerRuns = 0;

    void Layout() override {
        fw::SetProperties(*this, fw::EncodeProperties(PropertyTableOfWindow(), {
            {"Width", 650}, {"Height", 500}, {"MinimumWidth", 64}, {"MinimumHeight", 64},
            {"MaximumWidth", 500}, {"MaximumHeight", 500}, {"Type", 0}, {"Title", "Form"},
            {"Resizeable", false}, {"Visible", true}, {"HasBackgroundColor", true},
            {"BackgroundColor", fw::Color{255, 255, 255}},
        }));
    }
    void Event_Close() override { ++closes; }

    bool Number_KeyDown(fw::TextField&, const std::string& key) {
        keys.push_back(key);
        return key == "a";  // swallows the letter a only
    }
    void ClearBtn_Action(fw::PushButton&) { actions.push_back("Clear"); }
    void CalculateBtn_Action(fw::PushButton&) { actions.push_back("Calculate"); }
    void Timer1_Action(fw::Timer&) { ++timerRuns; }

protected:
    void CreateControls0() override {
        using fw::EncodeProperties;
        const auto& field = fw::TextField::PropertyTableOfTextField();
        MakeControl<fw::TextField>(*this, "Number", Place(field, 253, 155, 40, 20) +
            EncodeProperties(field, {{"FontName", "System"}, {"FontSize", 14}, {"MaximumCharactersAllowed", 2},
                                     {"TextAlignment", 2}, {"TabIndex", 0}}),
            {KeyDownHook(&FormWnd::Number_KeyDown)});
        const auto& area = fw::TextArea::PropertyTableOfTextArea();
        MakeControl<fw::TextArea>(*this, "Output", Place(area, 466, 247, 150, 225) +
            EncodeProperties(area, {{"FontName", "Courier"}, {"FontSize", 10}, {"TextColor", fw::Color{0, 0, 255}},
                                    {"BackgroundColor", fw::Color{255, 255, 200}}, {"TabIndex", 1}}));
        const auto& button = fw::PushButton::PropertyTableOfPushButton();
        MakeControl<fw::PushButton>(*this, "ClearBtn", Place(button, 535, 185, 80, 20) +
            EncodeProperties(button, {{"Caption", "Clear"}, {"Default", true}, {"TabStop", false}}),
            {ActionHook(&FormWnd::ClearBtn_Action)});
        MakeControl<fw::PushButton>(*this, "CalculateBtn", Place(button, 535, 155, 80, 20) +
            EncodeProperties(button, {{"Caption", "Calculate"}, {"Default", true}, {"TabStop", false}}),
            {ActionHook(&FormWnd::CalculateBtn_Action)});
        const auto& label = fw::Label::PropertyTableOfLabel();
        MakeControl<fw::Label>(*this, "Heading", Place(label, 135, 20, 342, 55) +
            EncodeProperties(label, {{"Value", "Orvantide"}, {"FontName", "System"}, {"FontSize", 42},
                                     {"Bold", true}, {"TextColor", fw::Color{0, 128, 64}}}));
        MakeControl<fw::Label>(*this, "Credit", Place(label, 1, 480, 299, 12) +
            EncodeProperties(label, {{"Value", "made with care"}, {"FontName", "Times"}, {"FontSize", 9},
                                     {"Italic", true}, {"Visible", false}}));
        MakeControl<fw::Canvas>(*this, "Picture", Place(fw::Canvas::PropertyTableOfCanvas(), 1, 1, 122, 130));
        MakeControl<fw::Timer>(*this, "Timer1", EncodeProperties(fw::Timer::PropertyTableOfTimer(),
            {{"Period", 4000}, {"RunMode", 1}}), {TimerActionHook(&FormWnd::Timer1_Action)});
    }
};

class PanelWnd : public FramedWindow<PanelWnd> {
public:
    static constexpr std::string_view kFullName = "PanelWnd.PanelWnd";
    static fw::WindowEvents Events() {
        using E = fw::WindowEvent;
        return {E::Layout, E::CreateControls, E::KeyDown, E::MouseDown};
    }

    fw::Label* Caption() const { return Control<fw::Label>("Caption"); }
    fw::Canvas* Sign() const { return Control<fw::Canvas>("Sign"); }
    fw::TextArea* Body() const { return Control<fw::TextArea>("Body"); }

    std::vector<std::string> keys;
    std::vector<std::string> presses;

    void Layout() override {
        fw::SetProperties(*this, fw::EncodeProperties(PropertyTableOfWindow(), {
            {"Width", 300}, {"Height", 240}, {"MinimumWidth", 64}, {"MinimumHeight", 64},
            {"MaximumWidth", 32000}, {"MaximumHeight", 32000}, {"Type", 2}, {"Resizeable", true},
            {"Visible", true},
        }));
    }
    bool Event_KeyDown(const std::string& key) override {
        keys.push_back(key);
        return false;
    }
    bool Event_MouseDown(std::int64_t x, std::int64_t y) override {
        presses.push_back("window " + std::to_string(x) + "," + std::to_string(y));
        return false;
    }
    bool Sign_MouseDown(fw::Canvas&, std::int64_t x, std::int64_t y) {
        presses.push_back("sign " + std::to_string(x) + "," + std::to_string(y));
        return false;
    }

protected:
    void CreateControls0() override {
        const auto& label = fw::Label::PropertyTableOfLabel();
        MakeControl<fw::Label>(*this, "Caption", Place(label, 10, 10, 200, 20) +
            fw::EncodeProperties(label, {{"Value", "Press anywhere"}}));
        MakeControl<fw::Canvas>(*this, "Sign", Place(fw::Canvas::PropertyTableOfCanvas(), 250, 10, 33, 48), {
            MouseDownHook(&PanelWnd::Sign_MouseDown)});
        // Anchored on all four sides, like a text area that fills its window.
        const auto& area = fw::TextArea::PropertyTableOfTextArea();
        MakeControl<fw::TextArea>(*this, "Body", Place(area, -1, 80, 302, 150) +
            fw::EncodeProperties(area, {{"LockLeft", true}, {"LockTop", true}, {"LockRight", true},
                                        {"LockBottom", true}, {"Visible", true}}));
    }
};

}  // namespace fixture
