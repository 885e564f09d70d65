#include "framework/windows/window.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>
#include <QPalette>
#include <algorithm>
#include <exception>

#include "framework/menus/menu_view.hpp"
#include "framework/runtime/run.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/control_impl.hpp"
#include "framework/windows/native.hpp"
#include "framework/windows/window_impl.hpp"
#include "framework/windows/window_registry.hpp"

namespace fw {
namespace {

WindowRegistry& Registry() { return CurrentRun().windows; }

// Destroys a window that the registry let go of: its widgets first, while the whole window
// still exists for any event their going raises.
void Destroy(std::unique_ptr<Window> window) { window->impl().DestroyWidgets(); }

int Clamped(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, QWIDGETSIZE_MAX));
}

}  // namespace

void WindowRegistry::DestroyAll() {
    auto goingOpen = std::move(open);
    auto goingClosed = std::move(closed);
    for (auto& window : goingOpen) Destroy(std::move(window));
    for (auto& window : goingClosed) Destroy(std::move(window));
}

Window* GetImplicitWindow(std::string_view fullName) {
    for (const auto& window : Registry().open) {
        if (window->FullName() == fullName) return window.get();
    }
    return nullptr;
}

namespace detail {

void RetireWindow(Window& window) {
    auto& open = Registry().open;
    auto it = std::find_if(open.begin(), open.end(), [&](const auto& w) { return w.get() == &window; });
    if (it == open.end()) return;
    Registry().closed.push_back(std::move(*it));
    open.erase(it);
    // A deferred delete waits for the event loop that is running now, so a handler that is
    // still running on the window (even one in a modal box) finishes first.
    window.impl().native->deleteLater();
}

void DestroyClosedWindow(Window& window) {
    auto& closed = Registry().closed;
    auto it = std::find_if(closed.begin(), closed.end(), [&](const auto& w) { return w.get() == &window; });
    if (it == closed.end()) return;
    std::unique_ptr<Window> going = std::move(*it);
    closed.erase(it);
    Destroy(std::move(going));
}

QMainWindow* NativeWindow(const Window& window) { return window.impl().native; }

Window* WindowOfNative(const QWidget* widget) {
    if (widget == nullptr) return nullptr;
    auto* top = dynamic_cast<const NativeMainWindow*>(widget->window());
    return top != nullptr ? &top->Owner() : nullptr;
}

}  // namespace detail

// ---- Window::Impl -------------------------------------------------------------------

Window::Impl::Impl(Window& owner)
    : self(owner),
      native(new detail::NativeMainWindow(owner)),
      content(new detail::ContentWidget(owner, native)) {
    native->setCentralWidget(content);
    ApplyWindowFlags();
    ApplyGeometry();
}

void Window::Impl::DestroyWidgets() {
    if (native == nullptr) return;
    closed = true;
    delete native;  // and with it the content area, the controls' widgets, the menu bar
    native = nullptr;
    content = nullptr;
}

QSize Window::Impl::DesignSize() const { return QSize(Clamped(width), Clamped(height)); }

void Window::Impl::ApplyGeometry() {
    const QSize size = DesignSize();
    int menuHeight = 0;
    if (QWidget* bar = native->menuWidget(); bar != nullptr && !bar->isHidden()) {
        menuHeight = bar->hasHeightForWidth() ? bar->heightForWidth(size.width()) : -1;
        if (menuHeight < 0) menuHeight = bar->sizeHint().height();
    }
    if (!resizeable) {
        content->setFixedSize(size);
        native->setFixedSize(size.width(), size.height() + menuHeight);
        return;
    }
    const QSize minimum(Clamped(minimumWidth), Clamped(minimumHeight));
    const QSize maximum(Clamped(maximumWidth), Clamped(maximumHeight));
    content->setMinimumSize(minimum);
    content->setMaximumSize(maximum);
    // The top-level's own limits are what the window manager is told in its size hints.
    auto withMenu = [menuHeight](QSize s) { return QSize(s.width(), Clamped(std::int64_t{s.height()} + menuHeight)); };
    native->setMinimumSize(withMenu(minimum));
    native->setMaximumSize(withMenu(maximum));
    if (!shown) {
        const QSize bounded = size.expandedTo(content->minimumSize()).boundedTo(content->maximumSize());
        native->resize(bounded.width(), bounded.height() + menuHeight);
    }
}

void Window::Impl::ApplyWindowFlags() {
    Qt::WindowFlags flags = (type == 2 ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (hasCloseButton) flags |= Qt::WindowCloseButtonHint;
    if (hasMinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (hasMaximizeButton && resizeable) flags |= Qt::WindowMaximizeButtonHint;
    if (native->windowFlags() == flags) return;
    const bool visible = native->isVisible();
    native->setWindowFlags(flags);  // hides the window
    if (visible) native->show();
}

void Window::Impl::ApplyBackground() {
    content->setAutoFillBackground(hasBackgroundColor);
    if (hasBackgroundColor) {
        detail::SetPaletteColor(*content, QPalette::Window, backgroundColor);
    } else {
        content->setPalette(QPalette());
    }
}

void Window::Impl::ApplyTabOrder() {
    struct Entry {
        std::int64_t tabIndex;
        QWidget* widget;
    };
    std::vector<Entry> chain;
    for (const auto& [name, control] : controls) {
        auto* rect = dynamic_cast<RectControl*>(control.get());
        if (rect == nullptr || rect->impl().widget == nullptr) continue;
        if ((rect->impl().widget->focusPolicy() & Qt::TabFocus) == 0) continue;
        chain.push_back({rect->impl().tabIndex, rect->impl().widget});
    }
    std::stable_sort(chain.begin(), chain.end(),
                     [](const Entry& a, const Entry& b) { return a.tabIndex < b.tabIndex; });
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1].widget, chain[i].widget);
    }
}

void Window::Impl::LayoutControls() {
    for (const auto& [name, control] : controls) {
        if (auto* rect = dynamic_cast<RectControl*>(control.get())) rect->impl().ApplyGeometry();
    }
}

void Window::Impl::ShowNow() {
    if (!shown) {
        ApplyTabOrder();
        ApplyGeometry();
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == native) {
        native->show();
        shown = true;
        native->raise();
        native->activateWindow();
        return;
    }
    // An open modal box stays on top and keeps the keyboard: the window is shown below it
    // (some platforms activate every window they show, so the box is given it back).
    native->setAttribute(Qt::WA_ShowWithoutActivating, true);
    native->show();
    shown = true;
    native->setAttribute(Qt::WA_ShowWithoutActivating, false);
    modal->raise();
    modal->activateWindow();
}

void Window::Impl::StopTimers() {
    for (const auto& [name, control] : controls) {
        if (auto* timer = dynamic_cast<Timer*>(control.get())) timer->SetProperty({"RunMode", std::int64_t{0}});
    }
}

void Window::Impl::CloseSteps(bool fromToolkit) {
    if (closed) return;
    closed = true;
    std::exception_ptr failure;
    if (self.IsEventImplemented(WindowEvent::Close)) {
        try {
            self.Event_Close();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    StopTimers();
    detail::RetireWindow(self);
    if (!fromToolkit) native->close();
    if (failure) std::rethrow_exception(failure);
}

namespace {
bool Press(PushButton* button) {
    if (button == nullptr) return false;
    QWidget* widget = detail::NativeWidget(*button);
    if (widget == nullptr || !widget->isEnabled() || widget->isHidden()) return false;
    button->Push();
    return true;
}
}  // namespace

bool Window::Impl::PressDefaultButton() { return Press(defaultButton); }
bool Window::Impl::PressCancelButton() { return Press(cancelButton); }

// ---- Window ---------------------------------------------------------------------------

Window::Window() {
    detail::RequireGuiThread();
    impl_ = std::make_unique<Impl>(*this);
}

Window::~Window() { impl_->DestroyWidgets(); }

Window* Window::Construct(std::unique_ptr<Window> window) {
    detail::RequireGuiThread();
    Window& w = NotNil(window.get());
    Registry().open.push_back(std::move(window));
    Impl& d = w.impl();
    d.constructing = true;
    std::exception_ptr failure;
    try {
        if (w.IsEventImplemented(WindowEvent::Layout)) w.Layout();
        if (w.IsEventImplemented(WindowEvent::CreateControls)) w.CreateControls();
        if (w.IsEventImplemented(WindowEvent::AddMenuHandlers)) w.AddMenuHandlers(w);
    } catch (...) {
        failure = std::current_exception();
    }
    d.constructing = false;
    if (d.visibleWanted && !d.closed) d.ShowNow();
    if (failure) std::rethrow_exception(failure);
    return &w;
}

void Window::Show() {
    detail::RequireGuiThread();
    if (impl_->closed) return;
    impl_->ShowNow();
}

void Window::Hide() {
    detail::RequireGuiThread();
    impl_->visibleWanted = false;
    impl_->native->hide();
}

void Window::Close() {
    detail::RequireGuiThread();
    impl_->CloseSteps(false);
}

bool Window::IsVisible() const { return impl_->native->isVisible(); }

void Window::SetMenuBar(MenuBar* bar) {
    detail::RequireGuiThread();
    impl_->menuBar = bar;
    detail::InstallMenuBarView(*this, bar);
    if (QWidget* view = impl_->native->menuWidget()) view->setVisible(impl_->menuBarVisible);
    impl_->ApplyGeometry();
}

MenuBar* Window::GetMenuBar() const { return impl_->menuBar; }

void Window::AddControl(std::string name, std::unique_ptr<Control> control) {
    detail::RequireGuiThread();
    Control& c = NotNil(control.get());
    if (&c.Owner() != this) throw RuntimeException("A control belongs to the window it was made for");
    c.SetProperty({"Name", name});
    impl_->controls.emplace_back(std::move(name), std::move(control));
}

Control* Window::ControlByName(std::string_view name) const {
    for (const auto& [controlName, control] : impl_->controls) {
        if (controlName == name) return control.get();
    }
    return nullptr;
}

void Window::AddMenuHandler(std::string itemName, MenuHandler handler) {
    detail::RequireGuiThread();
    impl_->menuHandlers.insert_or_assign(std::move(itemName), std::move(handler));
}

const MenuHandler* Window::FindMenuHandler(std::string_view itemName) const {
    auto it = impl_->menuHandlers.find(itemName);
    return it == impl_->menuHandlers.end() ? nullptr : &it->second;
}

bool Window::IsEventImplemented(std::string_view eventName) const {
    const auto event = WindowEventNamed(eventName);
    return event.has_value() && IsEventImplemented(*event);
}

const PropertyTable& Window::PropertyTableOfWindow() {
    using T = PropertyType;
    static const PropertyTable table("Window", nullptr, {
        {"Width", T::Integer}, {"Height", T::Integer},
        {"MinimumWidth", T::Integer}, {"MinimumHeight", T::Integer},
        {"MaximumWidth", T::Integer}, {"MaximumHeight", T::Integer},
        {"Type", T::Integer}, {"Title", T::String},
        {"HasCloseButton", T::Boolean}, {"HasMaximizeButton", T::Boolean},
        {"HasMinimizeButton", T::Boolean}, {"HasFullScreenButton", T::Boolean},
        {"Resizeable", T::Boolean}, {"Composite", T::Boolean}, {"MacProcID", T::Integer},
        {"FullScreen", T::Boolean}, {"DefaultLocation", T::Integer}, {"Visible", T::Boolean},
        {"HasBackgroundColor", T::Boolean}, {"BackgroundColor", T::Color},
        {"MenuBarVisible", T::Boolean}, {"LiveResize", T::Boolean},
    });
    return table;
}

void Window::SetProperty(const Property& p) {
    using namespace detail;
    Impl& d = *impl_;
    const std::string_view name = p.name;
    auto geometry = [&](std::int64_t& field) { field = IntOf(p); d.ApplyGeometry(); };
    auto flag = [&](bool& field) { field = BoolOf(p); d.ApplyWindowFlags(); d.ApplyGeometry(); };
    if (name == "Width") geometry(d.width);
    else if (name == "Height") geometry(d.height);
    else if (name == "MinimumWidth") geometry(d.minimumWidth);
    else if (name == "MinimumHeight") geometry(d.minimumHeight);
    else if (name == "MaximumWidth") geometry(d.maximumWidth);
    else if (name == "MaximumHeight") geometry(d.maximumHeight);
    else if (name == "Type") { d.type = IntOf(p); d.ApplyWindowFlags(); }
    else if (name == "Title") d.native->setWindowTitle(QString::fromUtf8(StringOf(p)));
    else if (name == "HasCloseButton") flag(d.hasCloseButton);
    else if (name == "HasMaximizeButton") flag(d.hasMaximizeButton);
    else if (name == "HasMinimizeButton") flag(d.hasMinimizeButton);
    else if (name == "Resizeable") flag(d.resizeable);
    else if (name == "HasBackgroundColor") { d.hasBackgroundColor = BoolOf(p); d.ApplyBackground(); }
    else if (name == "BackgroundColor") { d.backgroundColor = ColorOf(p); d.ApplyBackground(); }
    else if (name == "MenuBarVisible") {
        d.menuBarVisible = BoolOf(p);
        if (QWidget* view = d.native->menuWidget()) view->setVisible(d.menuBarVisible);
        d.ApplyGeometry();
    } else if (name == "Visible") {
        const bool visible = BoolOf(p);
        if (d.constructing) d.visibleWanted = visible;  // shown once it has its controls
        else if (visible) Show();
        else Hide();
    } else {
        d.kept.insert_or_assign(p.name, p.value);
    }
}

}  // namespace fw
