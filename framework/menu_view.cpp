// Placeholder until the menu view is written: a window shows no menu bar.
#include "framework/menu_view.hpp"

namespace fw::detail {
void InstallMenuBarView(Window&, MenuBar*) {}
}  // namespace fw::detail
