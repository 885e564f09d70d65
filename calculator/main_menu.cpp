#include "calculator/main_menu.hpp"

namespace {

constexpr MenuEntry kFileItems[] = {
    {"CloseMenuItem", kMenuItem, "Close", "", true},
    {"FileQuit", kQuitMenuItem, "Quit", "Ctrl+Q", true},
    {"UntitledMenu8", kMenuItem, "", "", true},
};

constexpr MenuEntry kEditItems[] = {
    {"EditUndo", kMenuItem, "Undo", "Ctrl+Z", false},
    {"UntitledMenu1", kMenuItem, "-", kCommandKeyNotSet, false},
    {"EditCut", kMenuItem, "Cut", "Ctrl+X", false},
    {"EditCopy", kMenuItem, "Copy", "Ctrl+C", false},
    {"EditPaste", kMenuItem, "Paste", "Ctrl+V", false},
    {"EditClear", kMenuItem, "", "", false},
    {"UntitledMenu7", kMenuItem, "", "", false},
};

constexpr MenuEntry kWindowItems[] = {
    {"ControlMenuItem", kMenuItem, "Control", "", false},
    {"AboutMenuItem", kMenuItem, "About Orvantide", "", false},
    {"DescriptionMenuItem", kMenuItem, "Description", "", false},
    {"ResultsMenuItem", kMenuItem, "Results", "", false},
    {"UntitledMenu6", kMenuItem, "", "", true},
    {"AboutQor", kAppleMenuItem, "About Orvantide", "", false},
    {"UntitledMenu5", kAppleMenuItem, "", "", false},
};

constexpr MenuTable kUntitled0{{"UntitledMenu3", kMenuItem, "", "", false}, {}};
constexpr MenuTable kUntitled1{{"UntitledMenu2", kMenuItem, "File", "", false}, kFileItems};
constexpr MenuTable kUntitled2{{"UntitledMenu0", kMenuItem, "Edit", "", false}, kEditItems};
constexpr MenuTable kUntitled3{{"WindowMenu", kMenuItem, "Window", "", false}, kWindowItems};
constexpr MenuTable kUntitled4{{"UntitledMenu4", kMenuItem, "", "", false}, {}};

}  // namespace

void Menu::Untitled0() { BuildMenu(*this, kUntitled0); }
void Menu::Untitled1() { BuildMenu(*this, kUntitled1); }
void Menu::Untitled2() { BuildMenu(*this, kUntitled2); }
void Menu::Untitled3() { BuildMenu(*this, kUntitled3); }
void Menu::Untitled4() { BuildMenu(*this, kUntitled4); }
