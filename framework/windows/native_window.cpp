// The top-level widget and the content area of a framework window: activation, closing,
// keys and mouse presses that reach the window, resizing.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>
#include <QWindow>

#include "framework/runtime/run.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/windows/empty_title.hpp"
#include "framework/windows/native_widgets.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw::detail {

std::string KeyText(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return "\r";
    case Qt::Key_Backspace: return "\b";
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return "\t";
    case Qt::Key_Escape: return "\x1b";
    case Qt::Key_Delete: return "\x7f";
    case Qt::Key_Left: return "\x1c";
    case Qt::Key_Right: return "\x1d";
    case Qt::Key_Up: return "\x1e";
    case Qt::Key_Down: return "\x1f";
    case Qt::Key_Home: return "\x01";
    case Qt::Key_End: return "\x04";
    case Qt::Key_PageUp: return "\x0b";
    case Qt::Key_PageDown: return "\x0c";
    default: break;
    }
    const QString text = event.text();
    if (text.isEmpty()) return {};
    // One key gives one character (a surrogate pair counts as one).
    const qsizetype length = text.size() > 1 && text.at(0).isHighSurrogate() ? 2 : 1;
    return text.left(length).toStdString();
}

NativeMainWindow::NativeMainWindow(Window& owner) : owner_(owner) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

namespace {

// The framework window that was active last while it was shown.
QPointer<NativeMainWindow>& LastActive() { return CurrentRun().windows.lastActive; }

// Whether the window may still hear of its widgets: a closed window hears nothing more, and
// neither does one whose widgets are going.
bool Listens(const Window& window) { return !window.impl().closed; }

}  // namespace

bool NativeMainWindow::event(QEvent* event) {
    // The deferred delete that closing asked for: the window goes, and this widget with it.
    // The widget never goes by itself, as the window is its one owner.
    if (event->type() == QEvent::DeferredDelete) {
        DestroyClosedWindow(owner_);
        return true;
    }
    if (event->type() == QEvent::WindowTitleChange) KeepNativeTitleEmpty(*this);
    if (event->type() == QEvent::WindowActivate && !isVisible()) {
        // An activation that arrives after the window was hidden again (it was shown and
        // hidden within one handler): a hidden window cannot be active, so the window that
        // was active before keeps it, as a window manager would decide.
        if (LastActive() != nullptr && LastActive() != this && LastActive()->isVisible()) {
            LastActive()->activateWindow();
        }
        return QMainWindow::event(event);
    }
    if (event->type() == QEvent::WindowActivate) LastActive() = this;
    if (event->type() == QEvent::WindowActivate && Listens(owner_) &&
        owner_.IsEventImplemented(WindowEvent::Activate)) {
        Window* owner = &owner_;
        Dispatch([owner] { owner->Event_Activate(); });
    }
    return QMainWindow::event(event);
}

void NativeMainWindow::closeEvent(QCloseEvent* event) {
    if (Listens(owner_)) {
        Window* owner = &owner_;
        Dispatch([owner] { owner->impl().CloseSteps(true); });
    }
    event->accept();
}

void NativeMainWindow::keyPressEvent(QKeyEvent* event) {
    if (!Listens(owner_)) return QMainWindow::keyPressEvent(event);
    Window::Impl& d = owner_.impl();
    const bool plain = (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        d.PressDefaultButton()) {
        return event->accept();
    }
    if (plain && event->key() == Qt::Key_Escape && d.PressCancelButton()) return event->accept();
    const std::string key = KeyText(*event);
    if (!key.empty() && owner_.IsEventImplemented(WindowEvent::KeyDown)) {
        Window* owner = &owner_;
        DispatchBool([owner, &key] { return owner->Event_KeyDown(key); });
        return event->accept();
    }
    QMainWindow::keyPressEvent(event);
}

void NativeMainWindow::showEvent(QShowEvent* event) {
    // The menu bar's height is known for sure once it is polished, just before showing.
    if (Listens(owner_)) owner_.impl().ApplyGeometry();
    QMainWindow::showEvent(event);
    // The window system's window is made by now, with the toolkit's title.
    KeepNativeTitleEmpty(*this);
}

ContentWidget::ContentWidget(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

void ContentWidget::mousePressEvent(QMouseEvent* event) {
    if (!Listens(owner_) || !owner_.IsEventImplemented(WindowEvent::MouseDown)) {
        return QWidget::mousePressEvent(event);
    }
    const QPoint at = event->position().toPoint();
    Window* owner = &owner_;
    DispatchBool([owner, at] { return owner->Event_MouseDown(at.x(), at.y()); });
    event->accept();
}

void ContentWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (Listens(owner_)) owner_.impl().LayoutControls();
}

}  // namespace fw::detail
