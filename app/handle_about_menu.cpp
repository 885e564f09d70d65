#include "app/handle_about_menu.hpp"

#include "framework/text/exceptions.hpp"
#include "info/about_command.hpp"

bool HandleAboutMenu::AboutMenuItem_Action() { return AboutCommand(); }

HandleAboutMenu* App() { return fw::CheckCast<HandleAboutMenu>(fw::GetAppObject()); }
