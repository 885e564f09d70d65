#pragma once
// `Menu`, the main window's menu bar: File (Close, Quit), the standard Edit items, and the
// Window items Control, About, Description and Results, between two menus without text.
#include "frame/menu_bar_scheme.hpp"

class Menu : public BuiltMenuBar<Menu> {
protected:
    void Untitled0() override;
    void Untitled1() override;
    void Untitled2() override;
    void Untitled3() override;
    void Untitled4() override;
};
