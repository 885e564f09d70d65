#pragma once
// `MenuBar2`, the Description window's menu bar: File (Print, Close, Quit), the standard Edit
// items and the Window item Control, between two menus without text.
#include "frame/menu_bar_scheme.hpp"

class MenuBar2 : public BuiltMenuBar<MenuBar2> {
protected:
    void Untitled0() override;
    void Untitled1() override;
    void Untitled2() override;
    void Untitled3() override;
    void Untitled4() override;
};
