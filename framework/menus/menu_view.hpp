#pragma once
// Framework-internal: the toolkit view of a menu bar model on one window.
namespace fw {
class Window;
class MenuBar;
namespace detail {
class MenuBarView;
// Called by Window::SetMenuBar: builds (or removes, for none) the window's own view of the
// bar, with the shortcuts, the enabling cycle and the dispatch of chosen items, and keeps it
// in the window. The bar must outlive the window.
void InstallMenuBarView(Window& window, MenuBar* bar);
}  // namespace detail
}  // namespace fw
