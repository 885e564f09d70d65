#include "info/about_command.hpp"

#include "framework/text/exceptions.hpp"
#include "info/about_wnd.hpp"

bool AboutCommand() {
    fw::NotNil(AboutWnd::Instance()).Show();
    return false;
}
