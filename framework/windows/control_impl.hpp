#pragma once
// Framework-internal: the widget of a visual control and the properties that every visual
// control shares (place, size, anchoring, focus, font).
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <string>

#include "framework/text/exceptions.hpp"
#include "framework/windows/controls.hpp"

namespace fw {

struct FontSpec {
    std::string name;  // "" keeps the toolkit's default family
    float size = 0;    // device-independent pixels; 0 keeps the default size
    std::uint8_t unit = 0;
    bool bold = false, italic = false, underline = false;
};

struct RectControl::Impl {
    explicit Impl(Window& owner) : owner(owner) {}

    Window& owner;
    QPointer<QWidget> widget;  // owned by the window's parent tree, and deleted with it
    Qt::FocusPolicy basePolicy = Qt::NoFocus;  // the policy when TabStop is True

    std::int64_t left = 0, top = 0, width = 80, height = 22;
    bool lockLeft = true, lockTop = true, lockRight = false, lockBottom = false;
    std::int64_t tabIndex = 0;
    bool tabStop = true;
    bool transparent = false;
    FontSpec font;
    std::map<std::string, PropertyValue, std::less<>> kept;  // held, not acted on

    // Makes `w` the control's widget, a child of the owner's content area.
    void Attach(QWidget* w, Qt::FocusPolicy policy);
    void ApplyGeometry();
    void ApplyFocusPolicy();
    void ApplyFont();
    // The properties common to visual controls and fonts; false when `p` is neither.
    bool SetCommon(const Property& p);
    bool SetFont(const Property& p);
};

namespace detail {
// A property's value in its declared type; TypeMismatchException for any other.
template <class T>
const T& ValueAs(const Property& p) {
    if (const T* v = std::get_if<T>(&p.value)) return *v;
    throw TypeMismatchException("Property " + p.name + " has a value of another type");
}
inline bool BoolOf(const Property& p) { return ValueAs<bool>(p); }
inline std::int64_t IntOf(const Property& p) { return ValueAs<std::int64_t>(p); }
inline const std::string& StringOf(const Property& p) { return ValueAs<std::string>(p); }
inline Color ColorOf(const Property& p) { return ValueAs<Color>(p); }

// TextAlignment 0 (default) and 1 left, 2 centre, 3 right.
Qt::Alignment HorizontalAlignment(std::int64_t textAlignment);
void SetPaletteColor(QWidget& widget, QPalette::ColorRole role, Color color);
}  // namespace detail

}  // namespace fw
