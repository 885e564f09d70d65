#include "info/menu_bar2.hpp"

namespace {

constexpr MenuEntry kFileItems[] = {
    {"PrintMenuItem", kMenuItem, "Print", "Ctrl+P", true},
    {"CloseMenuItem", kMenuItem, "Close", "", true},
    {"FileQuit", kQuitMenuItem, "Quit", "Ctrl+Q", true},
    {"UntitledMenu6", kMenuItem, "", "", true},
};

constexpr MenuEntry kEditItems[] = {
    {"EditUndo", kMenuItem, "Undo", "Ctrl+Z", true},
    {"UntitledMenu0", kMenuItem, "-", kCommandKeyNotSet, true},
    {"EditCut", kMenuItem, "Cut", "Ctrl+X", true},
    {"EditCopy", kMenuItem, "Copy", "Ctrl+C", true},
    {"EditPaste", kMenuItem, "Paste", "Ctrl+V", true},
    {"EditClear", kMenuItem, "Clear", "", true},
    {"UntitledMenu5", kMenuItem, "", "", true},
};

constexpr MenuEntry kWindowItems[] = {
    {"ControlMenuItem", kMenuItem, "Control", "", true},
    {"UntitledMenu4", kMenuItem, "", "", true},
    {"UntitledMenu3", kAppleMenuItem, "", "", true},
};

constexpr MenuTable kUntitled0{{"UntitledMenu1", kMenuItem, "", "", true}, {}};
constexpr MenuTable kUntitled1{{"FileMenu", kMenuItem, "&File", "", true}, kFileItems};
constexpr MenuTable kUntitled2{{"EditMenu", kMenuItem, "&Edit", "", true}, kEditItems};
constexpr MenuTable kUntitled3{{"WindowMenu", kMenuItem, "Window", "", true}, kWindowItems};
constexpr MenuTable kUntitled4{{"UntitledMenu2", kMenuItem, "", "", true}, {}};

}  // namespace

void MenuBar2::Untitled0() { BuildMenu(*this, kUntitled0); }
void MenuBar2::Untitled1() { BuildMenu(*this, kUntitled1); }
void MenuBar2::Untitled2() { BuildMenu(*this, kUntitled2); }
void MenuBar2::Untitled3() { BuildMenu(*this, kUntitled3); }
void MenuBar2::Untitled4() { BuildMenu(*this, kUntitled4); }
