#pragma once
// Framework-internal: the toolkit (Qt) objects behind the framework's windows and controls,
// for the framework's own menu view and printing. Never included outside framework/ and tests.
class QImage;
class QMainWindow;
class QSize;
class QWidget;

namespace fw {
class Picture;
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
// The image behind a picture that the resource lookup made; none for any other picture.
const QImage* NativeImage(const Picture& picture);
// The bitmap to draw a picture from where it covers `devicePixels` on the device. Beside its
// file "name.png" a picture may have finer drawings of itself, "name@2x.png", "name@1.5x.png"
// and so on, each at that many device pixels per logical pixel: the smallest of its bitmaps
// that is not coarser is chosen, else the finest. None for a picture that the lookup did not make.
const QImage* BitmapFor(const Picture& picture, QSize devicePixels);
}  // namespace detail
}  // namespace fw
