#pragma once
// Framework-internal: the toolkit (Qt) objects behind the framework's windows and controls,
// for the framework's own menu view and printing. Never included outside framework/ and tests.
class QMainWindow;
class QWidget;

namespace fw {
class Window;
class RectControl;

namespace detail {
// The window's top-level widget; its centralWidget() is the content area, whose size is the
// window's Width x Height. Every framework window is a QMainWindow (Type 2 with dialog-style
// window flags and no menu bar).
QMainWindow* NativeWindow(const Window& window);
// The framework window whose top-level widget holds this widget, or none.
Window* WindowOfNative(const QWidget* widget);
// The widget of a visual control: QLineEdit (TextField), QPlainTextEdit (TextArea),
// QLabel (Label), QPushButton (PushButton), a QWidget subclass (Canvas).
QWidget* NativeWidget(const RectControl& control);
}  // namespace detail
}  // namespace fw
