// Text fields and text areas: their widgets, their properties, the key filter of a text
// field, and Alt keys that type nothing.
#include <QKeyEvent>

#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/text_areas/area_widget.hpp"
#include "framework/windows/control_impl.hpp"
#include "framework/windows/native_widgets.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw {

namespace detail {

QString FromFrameworkText(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines.push_back(text[i]);
            continue;
        }
        lines.push_back('\n');
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return QString::fromUtf8(lines.data(), static_cast<qsizetype>(lines.size()));
}

namespace {
bool IsBreak(char16_t c) { return c == u'\n' || c == 0x2029 || c == 0x2028; }
bool IsHigh(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c < 0xE000; }
}  // namespace

std::string ToFrameworkText(const QString& text) {
    const char16_t* s = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    std::size_t length = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80 || IsBreak(c)) length += IsBreak(c) ? 2 : 1;
        else if (c < 0x800) length += 2;
        else if (IsHigh(c) && i + 1 < n && IsLow(s[i + 1])) { length += 4; ++i; }
        else length += 3;
    }
    std::string out(length, '\0');
    char* o = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (IsBreak(c)) {
            *o++ = '\r';
            *o++ = '\n';
        } else if (c < 0x80) {
            *o++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *o++ = static_cast<char>(0xC0 | (c >> 6));
            *o++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (IsHigh(c) && i + 1 < n && IsLow(s[i + 1])) {
            const char32_t cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(s[i + 1]) - 0xDC00);
            ++i;
            *o++ = static_cast<char>(0xF0 | (cp >> 18));
            *o++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *o++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            const char32_t cp = (c >= 0xD800 && c < 0xE000) ? 0xFFFD : c;  // a lone surrogate
            *o++ = static_cast<char>(0xE0 | (cp >> 12));
            *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *o++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

bool FieldWidget::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && keyFilter_) {
        auto* key = static_cast<QKeyEvent*>(event);
        const std::string text = KeyText(*key);
        if (!text.empty()) {
            const KeyFilter filter = keyFilter_;  // the handler may replace it
            if (DispatchBool([&] { return filter(text); })) {
                key->accept();
                return true;
            }
        }
    }
    return QLineEdit::event(event);
}

}  // namespace detail

namespace {

// Whether a key would type with Alt held: Alt+letter is a menu's access key, never text.
// AltGr, which writes characters on many keyboards, types as ever: the toolkit gives it as the
// group switch on X and as Ctrl+Alt on Windows. Keys that give no text (arrows, Backspace
// and the like) keep whatever Alt means to them.
bool TypesWithAlt(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    if (!(modifiers & Qt::AltModifier) || (modifiers & (Qt::ControlModifier | Qt::GroupSwitchModifier))) return false;
    const QString text = key.text();
    return !text.isEmpty() && (text.at(0) == u'\t' || text.at(0).category() != QChar::Other_Control);
}

// Passes such a key on as one the text control does not use, before the control or its
// KeyDown handler sees it. Menus take their access keys before any key reaches a control.
class AltTypingFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !TypesWithAlt(*static_cast<QKeyEvent*>(event))) {
            return QObject::eventFilter(watched, event);
        }
        event->ignore();
        return true;
    }
};

void RefuseAltTyping(QWidget& widget) { widget.installEventFilter(new AltTypingFilter(&widget)); }

using detail::BoolOf;
using detail::ColorOf;
using detail::IntOf;
using detail::StringOf;

// Properties that text fields and text areas share; false when `p` is none of them.
bool SetEditProperty(QWidget& widget, RectControl::Impl& impl, const Property& p) {
    const std::string_view name = p.name;
    if (name == "TextColor") detail::SetPaletteColor(widget, QPalette::Text, ColorOf(p));
    else if (name == "BackgroundColor") detail::SetPaletteColor(widget, QPalette::Base, ColorOf(p));
    else if (name == "Format" || name == "ValidationMask" || name == "DataSource" ||
             name == "DataField" || name == "AllowFocusRing" || name == "AllowSpellChecking") {
        impl.kept.insert_or_assign(p.name, p.value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

// ---- TextField ---------------------------------------------------------------------------

TextField::TextField(Window& owner) : TextEdit(owner) {
    auto* field = new detail::FieldWidget(owner.impl().content);
    RefuseAltTyping(*field);
    impl_->Attach(field, Qt::StrongFocus);
}

void TextField::OnKeyDown(KeyDownHandler handler) {
    auto* field = static_cast<detail::FieldWidget*>(impl_->widget.data());
    if (field == nullptr) return;
    if (!handler) return field->SetKeyFilter({});
    field->SetKeyFilter([this, handler = std::move(handler)](const std::string& key) {
        return handler(*this, key);
    });
}

const PropertyTable& TextField::PropertyTableOfTextField() {
    using T = PropertyType;
    static const PropertyTable table("TextField", &PropertyTableOfRectControl(), {
        {"FontName", T::String}, {"FontSize", T::Single}, {"FontUnit", T::FontUnit},
        {"Bold", T::Boolean}, {"Italic", T::Boolean}, {"Underline", T::Boolean},
        {"TextColor", T::Color}, {"BackgroundColor", T::Color}, {"HasBorder", T::Boolean},
        {"Value", T::String}, {"Format", T::String}, {"ValidationMask", T::String},
        {"ReadOnly", T::Boolean}, {"DataSource", T::String}, {"DataField", T::String},
        {"Password", T::Boolean}, {"AllowFocusRing", T::Boolean}, {"Hint", T::String},
        {"AllowTabs", T::Boolean}, {"AllowSpellChecking", T::Boolean},
        {"MaximumCharactersAllowed", T::Integer}, {"TextAlignment", T::Integer},
    });
    return table;
}

void TextField::SetProperty(const Property& p) {
    auto* field = static_cast<QLineEdit*>(impl_->widget.data());
    if (field == nullptr) return RectControl::SetProperty(p);
    const std::string_view name = p.name;
    if (name == "Value") SetText(StringOf(p));
    else if (name == "MaximumCharactersAllowed") {
        const std::int64_t limit = IntOf(p);
        field->setMaxLength(limit > 0 && limit < 32767 ? static_cast<int>(limit) : 32767);
    } else if (name == "TextAlignment") {
        field->setAlignment(detail::HorizontalAlignment(IntOf(p)) | Qt::AlignVCenter);
    } else if (name == "ReadOnly") field->setReadOnly(BoolOf(p));
    else if (name == "Password") field->setEchoMode(BoolOf(p) ? QLineEdit::Password : QLineEdit::Normal);
    else if (name == "Hint") field->setPlaceholderText(QString::fromUtf8(StringOf(p)));
    else if (name == "HasBorder") field->setFrame(BoolOf(p));
    else if (name == "AllowTabs") impl_->kept.insert_or_assign(p.name, p.value);
    else if (!SetEditProperty(*field, *impl_, p)) RectControl::SetProperty(p);
}

// ---- TextArea ----------------------------------------------------------------------------

TextArea::TextArea(Window& owner) : TextEdit(owner) {
    auto* area = new detail::AreaWidget(owner.impl().content);
    RefuseAltTyping(*area);
    impl_->Attach(area, Qt::StrongFocus);
}

void TextArea::AppendText(std::string_view addition) {
    detail::RequireGuiThread();
    if (auto* area = dynamic_cast<detail::AreaWidget*>(impl_->widget.data())) {
        area->Append(detail::FromFrameworkText(addition));
    }
}

const PropertyTable& TextArea::PropertyTableOfTextArea() {
    using T = PropertyType;
    static const PropertyTable table("TextArea", &PropertyTableOfRectControl(), {
        {"FontName", T::String}, {"FontSize", T::Single}, {"FontUnit", T::FontUnit},
        {"Bold", T::Boolean}, {"Italic", T::Boolean}, {"Underline", T::Boolean},
        {"TextColor", T::Color}, {"BackgroundColor", T::Color}, {"HasBorder", T::Boolean},
        {"Value", T::String}, {"Format", T::String}, {"ValidationMask", T::String},
        {"ReadOnly", T::Boolean}, {"DataSource", T::String}, {"DataField", T::String},
        {"HideSelection", T::Boolean}, {"LineHeight", T::Double}, {"LineSpacing", T::Double},
        {"Multiline", T::Boolean}, {"HasHorizontalScrollbar", T::Boolean},
        {"HasVerticalScrollbar", T::Boolean}, {"AllowStyledText", T::Boolean},
        {"AllowFocusRing", T::Boolean}, {"AllowTabs", T::Boolean},
        {"AllowSpellChecking", T::Boolean}, {"TextAlignment", T::Integer},
        {"MaximumCharactersAllowed", T::Integer},
    });
    return table;
}

void TextArea::SetProperty(const Property& p) {
    auto* area = static_cast<QPlainTextEdit*>(impl_->widget.data());
    if (area == nullptr) return RectControl::SetProperty(p);
    const std::string_view name = p.name;
    if (name == "Value") SetText(StringOf(p));
    else if (name == "ReadOnly") area->setReadOnly(BoolOf(p));
    else if (name == "AllowTabs") area->setTabChangesFocus(!BoolOf(p));
    else if (name == "HasHorizontalScrollbar") {
        // With a horizontal scroll bar lines run on; without one they wrap at the edge.
        const bool scroll = BoolOf(p);
        area->setLineWrapMode(scroll ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        area->setHorizontalScrollBarPolicy(scroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "HasVerticalScrollbar") {
        area->setVerticalScrollBarPolicy(BoolOf(p) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "HasBorder") area->setFrameShape(BoolOf(p) ? QFrame::StyledPanel : QFrame::NoFrame);
    else if (name == "HideSelection") {
        impl_->kept.insert_or_assign(p.name, p.value);
        static_cast<detail::AreaWidget*>(area)->SetHideSelection(BoolOf(p));
    } else if (name == "LineHeight" || name == "LineSpacing" ||
             name == "Multiline" || name == "AllowStyledText" || name == "TextAlignment" ||
             name == "MaximumCharactersAllowed") {
        impl_->kept.insert_or_assign(p.name, p.value);
    } else if (!SetEditProperty(*area, *impl_, p)) {
        RectControl::SetProperty(p);
    }
}

}  // namespace fw
