#pragma once
// Framework-internal: the Qt widgets behind the framework's windows and controls. Every
// override that reaches the system's code goes through Dispatch.
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QKeyEvent;

namespace fw {
class Window;
class Picture;
}  // namespace fw

namespace fw::detail {

// A key press as the framework's one-character key text: Return "\r", Backspace "\b",
// Tab "\t", Escape "\x1b", Delete "\x7f", the arrows 28-31 (left, right, up, down), Home 1,
// End 4, Page Up 11, Page Down 12, printable keys their UTF-8 text. Empty for keys that have
// none of these (modifiers alone, function keys).
std::string KeyText(const QKeyEvent& event);

// The top-level widget of a framework window. Its central widget is the content area. The
// window owns it and deletes it first of all that goes with the window, so its reference to
// the window holds for its whole life.
class NativeMainWindow final : public QMainWindow {
public:
    explicit NativeMainWindow(Window& owner);
    Window& Owner() const { return owner_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Window& owner_;
};

// The content area: the controls' parent, the window's background, its mouse presses.
class ContentWidget final : public QWidget {
public:
    ContentWidget(Window& owner, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Window& owner_;
};

// A text field whose KeyDown handler sees every key before the field does.
class FieldWidget final : public QLineEdit {
public:
    using KeyFilter = std::function<bool(const std::string& key)>;  // true swallows
    explicit FieldWidget(QWidget* parent) : QLineEdit(parent) {}
    void SetKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }

protected:
    bool event(QEvent* event) override;

private:
    KeyFilter keyFilter_;
};

class ButtonWidget final : public QPushButton {
public:
    explicit ButtonWidget(QWidget* parent);
    std::function<void()> action;
};

// A canvas's widget holds its own reference to the picture it draws, so it never reads the
// control, whichever of the two goes first.
class CanvasWidget final : public QWidget {
public:
    explicit CanvasWidget(QWidget* parent) : QWidget(parent) {}
    void SetPicture(std::shared_ptr<Picture> picture);
    std::function<void()> mouseEnter, mouseExit;
    std::function<bool(std::int64_t x, std::int64_t y)> mouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::shared_ptr<Picture> picture_;
};

// Line breaks of a framework text (CR LF, LF or CR) as the toolkit's '\n'.
QString FromFrameworkText(std::string_view text);
// The toolkit's line and paragraph breaks as CR LF, in UTF-8.
std::string ToFrameworkText(const QString& text);

}  // namespace fw::detail
