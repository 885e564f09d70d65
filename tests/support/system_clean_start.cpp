// The system's tests start with nothing left of an earlier case: no window, no application
// object, and none of the state the system's modules keep for a run (the two menu bars, the
// file types, the pictures, Module1's flag).
#include "app/file_types.hpp"
#include "calculator/main_menu.hpp"
#include "calculator/module1.hpp"
#include "frame/pictures.hpp"
#include "info/menu_bar2.hpp"
#include "tests/support/clean_start.hpp"
#include "tests/support/run_reset.hpp"

void CleanStart() {
    // The windows go first: they show the menu bars.
    fw::ResetToStartOfRun();
    Menu::implicitInstance.reset();
    MenuBar2::implicitInstance.reset();
    FileTypes::pAllFileTypes.clear();
    FileTypes::pText.reset();
    FileTypes::pUntitledType.reset();
    ForgetPictures();
    Module1::dirty.clear();
}
