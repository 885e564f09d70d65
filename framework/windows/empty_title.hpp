#pragma once
// A window whose title is empty shows an empty title bar. The toolkit gives such a window the
// application's name in the window system's own title (on X in _NET_WM_NAME, on Windows in the
// window's text); this takes it away again.
class QWidget;

namespace fw::detail {

// Empties the window system's title of `window`, whose title is empty; nothing where the window
// system's window is not made yet or the platform shows no titles.
void KeepNativeTitleEmpty(QWidget& window);

}  // namespace fw::detail
