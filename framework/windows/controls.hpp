#pragma once
// The framework's controls. A control is made for one window (its constructor builds the
// widget inside that window's content area), handed to the window with AddControl, and
// configured by a property list. Event handlers are typed functions registered per control;
// the framework calls them through its one dispatch point.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/text/properties.hpp"

namespace fw {

class Window;
class Picture;

class Control : public PropertyHolder {
public:
    explicit Control(Window& owner);
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Window& Owner() const { return owner_; }
    const std::string& Name() const { return name_; }

    static const PropertyTable& PropertyTableOfControl();  // Name, Index, InitialParent ...
    const PropertyTable& Properties() const override { return PropertyTableOfControl(); }
    void SetProperty(const Property& property) override;

private:
    Window& owner_;
    std::string name_;
};

// A visual control: position, size, visibility, enabled state, focus.
class RectControl : public Control {
public:
    explicit RectControl(Window& owner);
    ~RectControl() override;

    void SetFocus();  // `RectControl.SetFocus`
    bool HasFocus() const;

    static const PropertyTable& PropertyTableOfRectControl();
    const PropertyTable& Properties() const override { return PropertyTableOfRectControl(); }
    void SetProperty(const Property& property) override;

    struct Impl;  // framework-internal: the widget
    Impl& impl() const { return *impl_; }

protected:
    std::unique_ptr<Impl> impl_;
};

// Text fields and text areas share their Text operation.
class TextEdit : public RectControl {
public:
    using RectControl::RectControl;
    // The whole text. Line breaks read as CR LF; setting accepts CR LF, LF or CR.
    std::string Text() const;
    void SetText(std::string_view text);
};

class TextField : public TextEdit {
public:
    explicit TextField(Window& owner);
    // KeyDown: the field and the key as a one-character text; True swallows the key.
    using KeyDownHandler = std::function<bool(TextField&, const std::string&)>;
    void OnKeyDown(KeyDownHandler handler);

    static const PropertyTable& PropertyTableOfTextField();
    const PropertyTable& Properties() const override { return PropertyTableOfTextField(); }
    void SetProperty(const Property& property) override;
};

class TextArea : public TextEdit {
public:
    explicit TextArea(Window& owner);
    // Appends to the end of the text in O(length of the addition); the text afterwards
    // equals Text() + addition.
    void AppendText(std::string_view addition);

    static const PropertyTable& PropertyTableOfTextArea();
    const PropertyTable& Properties() const override { return PropertyTableOfTextArea(); }
    void SetProperty(const Property& property) override;
};

class Label : public RectControl {
public:
    explicit Label(Window& owner);
    std::string Text() const;

    static const PropertyTable& PropertyTableOfLabel();
    const PropertyTable& Properties() const override { return PropertyTableOfLabel(); }
    void SetProperty(const Property& property) override;
};

class PushButton : public RectControl {
public:
    explicit PushButton(Window& owner);
    using ActionHandler = std::function<void(PushButton&)>;
    void OnAction(ActionHandler handler);
    void Push();  // as a click: raises Action

    static const PropertyTable& PropertyTableOfPushButton();
    const PropertyTable& Properties() const override { return PropertyTableOfPushButton(); }
    void SetProperty(const Property& property) override;
};

class Canvas : public RectControl {
public:
    explicit Canvas(Window& owner);
    // `Canvas.Backdrop`: the picture drawn as the canvas's background; none leaves it empty.
    void SetBackdrop(std::shared_ptr<Picture> picture);
    const std::shared_ptr<Picture>& Backdrop() const;

    using MouseHandler = std::function<void(Canvas&)>;
    using MouseDownHandler = std::function<bool(Canvas&, std::int64_t, std::int64_t)>;
    void OnMouseEnter(MouseHandler handler);
    void OnMouseExit(MouseHandler handler);
    void OnMouseDown(MouseDownHandler handler);

    static const PropertyTable& PropertyTableOfCanvas();
    const PropertyTable& Properties() const override { return PropertyTableOfCanvas(); }
    void SetProperty(const Property& property) override;

private:
    std::shared_ptr<Picture> backdrop_;
};

// A timer on a window: Period in milliseconds; RunMode 0 off, 1 a single run, 2 repeating.
// It is armed when its RunMode is set, raises Action on the GUI thread, and raises nothing
// once its window has closed.
class Timer : public Control {
public:
    explicit Timer(Window& owner);
    ~Timer() override;
    using ActionHandler = std::function<void(Timer&)>;
    void OnAction(ActionHandler handler);
    std::int64_t Period() const;
    std::int64_t RunMode() const;
    bool IsArmed() const;

    static const PropertyTable& PropertyTableOfTimer();  // Period, RunMode
    const PropertyTable& Properties() const override { return PropertyTableOfTimer(); }
    void SetProperty(const Property& property) override;

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace fw
