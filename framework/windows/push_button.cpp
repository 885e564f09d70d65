// Push buttons: Action on a click, and the window's default and cancel buttons.
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/windows/control_impl.hpp"
#include "framework/windows/native_widgets.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw {

namespace detail {
ButtonWidget::ButtonWidget(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);  // Return reaches the window, which runs its default button
    connect(this, &QPushButton::clicked, this, [this] {
        if (action) Dispatch(action);
    });
}
}  // namespace detail

namespace {
detail::ButtonWidget* ButtonOf(const RectControl::Impl& impl) {
    return static_cast<detail::ButtonWidget*>(impl.widget.data());
}
}  // namespace

PushButton::PushButton(Window& owner) : RectControl(owner) {
    impl_->Attach(new detail::ButtonWidget(owner.impl().content), Qt::StrongFocus);
}

void PushButton::OnAction(ActionHandler handler) {
    detail::ButtonWidget* button = ButtonOf(*impl_);
    if (button == nullptr) return;
    if (!handler) {
        button->action = nullptr;
        return;
    }
    button->action = [this, handler = std::move(handler)] { handler(*this); };
}

void PushButton::Push() {
    detail::RequireGuiThread();
    if (detail::ButtonWidget* button = ButtonOf(*impl_)) button->click();
}

const PropertyTable& PushButton::PropertyTableOfPushButton() {
    using T = PropertyType;
    static const PropertyTable table("PushButton", &PropertyTableOfRectControl(), {
        {"FontName", T::String}, {"FontSize", T::Single}, {"FontUnit", T::FontUnit},
        {"Bold", T::Boolean}, {"Italic", T::Boolean}, {"Underline", T::Boolean},
        {"Caption", T::String}, {"MacButtonStyle", T::Integer},
        {"Cancel", T::Boolean}, {"Default", T::Boolean},
    });
    return table;
}

void PushButton::SetProperty(const Property& p) {
    detail::ButtonWidget* button = ButtonOf(*impl_);
    if (button == nullptr) return RectControl::SetProperty(p);
    Window::Impl& window = Owner().impl();
    const std::string_view name = p.name;
    if (name == "Caption") button->setText(QString::fromUtf8(detail::StringOf(p)));
    else if (name == "Default") {
        // Of several default buttons the one marked last is the window's.
        const bool isDefault = detail::BoolOf(p);
        if (isDefault) {
            if (window.defaultButton != nullptr && window.defaultButton != this) {
                if (auto* old = ButtonOf(window.defaultButton->impl())) old->setDefault(false);
            }
            window.defaultButton = this;
        } else if (window.defaultButton == this) {
            window.defaultButton = nullptr;
        }
        button->setDefault(isDefault);
    } else if (name == "Cancel") {
        if (detail::BoolOf(p)) window.cancelButton = this;
        else if (window.cancelButton == this) window.cancelButton = nullptr;
    } else if (name == "MacButtonStyle") {
        impl_->kept.insert_or_assign(p.name, p.value);
    } else {
        RectControl::SetProperty(p);
    }
}

}  // namespace fw
