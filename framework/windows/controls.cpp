// What every control shares: its name, and for visual controls their widget's place, size,
// anchoring, visibility, focus, tooltip and font.
#include "framework/windows/controls.hpp"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPalette>

#include "framework/runtime/runtime_state.hpp"
#include "framework/text_areas/area_widget.hpp"
#include "framework/windows/control_impl.hpp"
#include "framework/windows/native.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw {
namespace {

int Pixels(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

// The family that the toolkit picks for a name with a style hint.
QString MatchedFamily(const char* name, QFont::StyleHint hint) {
    QFont probe(QString::fromLatin1(name));
    probe.setStyleHint(hint);
    return QFontInfo(probe).family();
}

// The UI font for "System". The windows' layouts are measured for a UI font of Arial's
// widths; wider faces (DejaVu Sans, the usual default here) clip the longer labels, so a
// face of those widths is preferred where one is installed, else the platform's UI font.
QString SystemFamily() {
    static const QString family = [] {
        for (const char* candidate : {"Liberation Sans", "Arimo", "Arial", "Nimbus Sans", "Helvetica"}) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(candidate))) return QString::fromLatin1(candidate);
        }
        return QApplication::font().family();
    }();
    return family;
}

// "System" is a UI font, "Courier" a monospace and "Times" a serif family: the font of that
// name where the platform has one or a stand-in for it, else its generic kind.
QString FamilyFor(const std::string& name) {
    if (name == "System") return SystemFamily();
    if (name == "Courier") {
        static const QString family = [] {
            const QString courier = MatchedFamily("Courier", QFont::TypeWriter);
            return QFontDatabase::isFixedPitch(courier) ? courier : MatchedFamily("monospace", QFont::Monospace);
        }();
        return family;
    }
    if (name == "Times") {
        static const QString family = MatchedFamily("Times", QFont::Serif);
        return family;
    }
    return QString::fromUtf8(name);
}

}  // namespace

namespace detail {

Qt::Alignment HorizontalAlignment(std::int64_t textAlignment) {
    switch (textAlignment) {
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

void SetPaletteColor(QWidget& widget, QPalette::ColorRole role, Color color) {
    QPalette palette = widget.palette();
    palette.setColor(role, QColor(color.red, color.green, color.blue));
    widget.setPalette(palette);
}

QWidget* NativeWidget(const RectControl& control) {
    QWidget* widget = control.impl().widget;
    if (auto* area = dynamic_cast<AreaWidget*>(widget)) area->Flush();
    return widget;
}

}  // namespace detail

// ---- Control ----------------------------------------------------------------------------

Control::Control(Window& owner) : owner_(owner) { detail::RequireGuiThread(); }
Control::~Control() = default;

const PropertyTable& Control::PropertyTableOfControl() {
    static const PropertyTable table("Control", nullptr, {
        {"Name", PropertyType::String}, {"Index", PropertyType::Integer},
    });
    return table;
}

void Control::SetProperty(const Property& p) {
    if (p.name == "Name") name_ = detail::StringOf(p);
    // Index numbers the members of a control set; a lone control keeps it as data.
}

// ---- RectControl ------------------------------------------------------------------------

RectControl::RectControl(Window& owner) : Control(owner), impl_(std::make_unique<Impl>(owner)) {}

RectControl::~RectControl() = default;

void RectControl::SetFocus() {
    detail::RequireGuiThread();
    if (impl_->widget != nullptr) impl_->widget->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const { return impl_->widget != nullptr && impl_->widget->hasFocus(); }

const PropertyTable& RectControl::PropertyTableOfRectControl() {
    using T = PropertyType;
    static const PropertyTable table("RectControl", &PropertyTableOfControl(), {
        {"Left", T::Integer}, {"Top", T::Integer}, {"Width", T::Integer}, {"Height", T::Integer},
        {"LockLeft", T::Boolean}, {"LockTop", T::Boolean},
        {"LockRight", T::Boolean}, {"LockBottom", T::Boolean},
        {"TabIndex", T::Integer}, {"TabPanelIndex", T::Integer}, {"TabStop", T::Boolean},
        {"AllowAutoDeactivate", T::Boolean}, {"Enabled", T::Boolean}, {"Visible", T::Boolean},
        {"Tooltip", T::String}, {"Transparent", T::Boolean}, {"InitialParent", T::String},
    });
    return table;
}

void RectControl::SetProperty(const Property& p) {
    if (!impl_->SetCommon(p)) Control::SetProperty(p);
}

void RectControl::Impl::Attach(QWidget* w, Qt::FocusPolicy policy) {
    widget = w;
    basePolicy = policy;
    ApplyFocusPolicy();
    ApplyGeometry();
    w->show();  // shown with its window unless its Visible says otherwise
}

void RectControl::Impl::ApplyGeometry() {
    if (widget == nullptr) return;
    int x = Pixels(left), y = Pixels(top), w = Pixels(width), h = Pixels(height);
    // Anchors: a locked side keeps its distance to that side of the content area.
    const Window::Impl& window = owner.impl();
    if (window.resizeable && window.shown) {
        const QSize design = window.DesignSize();
        const QSize now = window.content->size();
        const int dx = now.width() - design.width(), dy = now.height() - design.height();
        if (lockRight) (lockLeft ? w : x) += dx;
        if (lockBottom) (lockTop ? h : y) += dy;
    }
    widget->setGeometry(x, y, std::max(w, 0), std::max(h, 0));
}

void RectControl::Impl::ApplyFocusPolicy() {
    if (widget == nullptr) return;
    int policy = basePolicy;
    if (!tabStop) policy &= ~Qt::TabFocus;
    widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy));
}

void RectControl::Impl::ApplyFont() {
    if (widget == nullptr) return;
    QFont f = QApplication::font(widget);
    if (!font.name.empty()) f.setFamily(FamilyFor(font.name));
    if (font.size > 0) f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size))));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    widget->setFont(f);
}

bool RectControl::Impl::SetCommon(const Property& p) {
    using namespace detail;
    const std::string_view name = p.name;
    auto place = [&](auto& field) { field = ValueAs<std::remove_reference_t<decltype(field)>>(p); ApplyGeometry(); };
    if (name == "Left") place(left);
    else if (name == "Top") place(top);
    else if (name == "Width") place(width);
    else if (name == "Height") place(height);
    else if (name == "LockLeft") place(lockLeft);
    else if (name == "LockTop") place(lockTop);
    else if (name == "LockRight") place(lockRight);
    else if (name == "LockBottom") place(lockBottom);
    else if (name == "Visible") { if (widget) widget->setVisible(BoolOf(p)); }
    else if (name == "Enabled") { if (widget) widget->setEnabled(BoolOf(p)); }
    else if (name == "Tooltip") { if (widget) widget->setToolTip(QString::fromUtf8(StringOf(p))); }
    else if (name == "Transparent") transparent = BoolOf(p);
    else if (name == "TabIndex" || name == "TabStop") {
        if (name == "TabIndex") tabIndex = IntOf(p);
        else tabStop = BoolOf(p);
        ApplyFocusPolicy();
        if (!owner.impl().constructing) owner.impl().ApplyTabOrder();
    } else if (name == "TabPanelIndex" || name == "AllowAutoDeactivate" || name == "InitialParent" ||
               name == "Index") {
        kept.insert_or_assign(p.name, p.value);
    } else {
        return SetFont(p);
    }
    return true;
}

bool RectControl::Impl::SetFont(const Property& p) {
    using namespace detail;
    const std::string_view name = p.name;
    if (name == "FontName") font.name = StringOf(p);
    else if (name == "FontSize") font.size = ValueAs<float>(p);
    else if (name == "FontUnit") font.unit = ValueAs<std::uint8_t>(p);
    else if (name == "Bold") font.bold = BoolOf(p);
    else if (name == "Italic") font.italic = BoolOf(p);
    else if (name == "Underline") font.underline = BoolOf(p);
    else return false;
    ApplyFont();
    return true;
}

// ---- TextEdit ---------------------------------------------------------------------------

std::string TextEdit::Text() const {
    QWidget* widget = detail::NativeWidget(*this);
    if (auto* field = dynamic_cast<QLineEdit*>(widget)) return detail::ToFrameworkText(field->text());
    if (auto* area = dynamic_cast<QPlainTextEdit*>(widget)) {
        return detail::ToFrameworkText(area->document()->toRawText());
    }
    return {};
}

void TextEdit::SetText(std::string_view text) {
    detail::RequireGuiThread();
    QWidget* widget = impl_->widget;
    if (auto* field = dynamic_cast<QLineEdit*>(widget)) field->setText(detail::FromFrameworkText(text));
    if (auto* area = dynamic_cast<detail::AreaWidget*>(widget)) area->ReplaceText(detail::FromFrameworkText(text));
}

}  // namespace fw
