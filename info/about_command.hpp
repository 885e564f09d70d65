#pragma once
// The About command of the main window's two About items and of the application's About
// item: shows the About window, making it when there is none. Gives False, like every menu
// handler of the system.
bool AboutCommand();
