// Labels: a line or a block of text that takes no focus and lets mouse presses through to
// its window unless it is selectable.
#include <QLabel>

#include "framework/windows/control_impl.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw {
namespace {

QLabel& LabelWidget(const RectControl::Impl& impl) { return *static_cast<QLabel*>(impl.widget.data()); }

// Text stands at the top of a label, one line or several alike, so that labels side by
// side line up whatever their Multiline.
void AlignLabel(QLabel& label, std::int64_t textAlignment) {
    label.setAlignment(detail::HorizontalAlignment(textAlignment) | Qt::AlignTop);
}

}  // namespace

Label::Label(Window& owner) : RectControl(owner) {
    auto* label = new QLabel(owner.impl().content);
    label->setTextFormat(Qt::PlainText);
    impl_->Attach(label, Qt::NoFocus);
    AlignLabel(*label, 0);
}

std::string Label::Text() const {
    return impl_->widget ? LabelWidget(*impl_).text().toStdString() : std::string();
}

const PropertyTable& Label::PropertyTableOfLabel() {
    using T = PropertyType;
    static const PropertyTable table("Label", &PropertyTableOfRectControl(), {
        {"FontName", T::String}, {"FontSize", T::Single}, {"FontUnit", T::FontUnit},
        {"Bold", T::Boolean}, {"Italic", T::Boolean}, {"Underline", T::Boolean},
        {"Value", T::String}, {"TextAlignment", T::Integer}, {"Multiline", T::Boolean},
        {"TextColor", T::Color}, {"Selectable", T::Boolean},
        {"DataSource", T::String}, {"DataField", T::String},
    });
    return table;
}

void Label::SetProperty(const Property& p) {
    if (impl_->widget == nullptr) return RectControl::SetProperty(p);
    QLabel& label = LabelWidget(*impl_);
    const std::string_view name = p.name;
    if (name == "Value") label.setText(QString::fromUtf8(detail::StringOf(p)));
    else if (name == "TextAlignment") AlignLabel(label, detail::IntOf(p));
    else if (name == "Multiline") label.setWordWrap(detail::BoolOf(p));
    else if (name == "TextColor") detail::SetPaletteColor(label, QPalette::WindowText, detail::ColorOf(p));
    else if (name == "Selectable") {
        label.setTextInteractionFlags(detail::BoolOf(p) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    } else if (name == "Transparent") {
        RectControl::SetProperty(p);
        label.setAutoFillBackground(!impl_->transparent);
    } else if (name == "DataSource" || name == "DataField") {
        impl_->kept.insert_or_assign(p.name, p.value);
    } else {
        RectControl::SetProperty(p);
    }
}

}  // namespace fw
