#include "framework/windows/empty_title.hpp"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#if defined(_WIN32)
#include <windows.h>
#elif QT_CONFIG(xcb) && __has_include(<xcb/xcb.h>)
#include <dlfcn.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>
#define ORV_EMPTY_TITLE_ON_X 1
#endif

namespace fw::detail {
namespace {

bool HasNativeWindow(const QWidget& window) {
    return window.windowHandle() != nullptr && window.windowHandle()->handle() != nullptr;
}

#ifdef ORV_EMPTY_TITLE_ON_X
template <typename Function>
Function* XcbFunction(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_DEFAULT, name));
}

// The xcb functions are those of the library that Qt's X platform plug-in has loaded, so the
// framework links no X library of its own.
void EmptyXTitle(QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;  // offscreen has an X interface too
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) return;
    auto* internAtom = XcbFunction<decltype(xcb_intern_atom)>("xcb_intern_atom");
    auto* atomReply = XcbFunction<decltype(xcb_intern_atom_reply)>("xcb_intern_atom_reply");
    auto* changeProperty = XcbFunction<decltype(xcb_change_property)>("xcb_change_property");
    auto* flush = XcbFunction<decltype(xcb_flush)>("xcb_flush");
    if (internAtom == nullptr || atomReply == nullptr || changeProperty == nullptr || flush == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    auto atom = [&](std::string_view name) -> xcb_atom_t {
        const auto cookie = internAtom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
        xcb_intern_atom_reply_t* reply = atomReply(connection, cookie, nullptr);
        const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return result;
    };
    const xcb_atom_t netWmName = atom("_NET_WM_NAME");
    const xcb_atom_t utf8 = atom("UTF8_STRING");
    if (netWmName == XCB_ATOM_NONE || utf8 == XCB_ATOM_NONE) return;
    changeProperty(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()), netWmName, utf8, 8,
                   0, "");
    flush(connection);
}
#endif

}  // namespace

void KeepNativeTitleEmpty(QWidget& window) {
    if (!window.windowTitle().isEmpty() || !HasNativeWindow(window)) return;
#if defined(_WIN32)
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        SetWindowTextW(reinterpret_cast<HWND>(window.winId()), L"");
    }
#elif defined(ORV_EMPTY_TITLE_ON_X)
    EmptyXTitle(window);
#endif
}

}  // namespace fw::detail
