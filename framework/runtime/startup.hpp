#pragma once
// The framework's start-up and shut-down, in the order a program calls them:
//   RuntimeInit(argc, argv) in main; the program's early start-up (SetSupportsHiDPI,
//   InitExternalClasses, InitPluginEntrypoints, file types, the application object);
//   RunFrameworkInitialization(lateStartup), which makes the GUI toolkit's application and
//   calls lateStartup; RuntimeRun(), the event loop; RuntimeExit(), the exit code.
#include <functional>

namespace fw {

// Keeps the program's name (argv[0]) for the toolkit; the program reads no options, so the
// rest of the command line is not looked at.
void RuntimeInit(int argc, char** argv);
// `Application._SetSupportsHiDPI`: must come before the first window exists.
void SetSupportsHiDPI(bool enabled);
bool SupportsHiDPI();
// The framework's own classes and plug-in entry points: in C++ they exist already, so these
// steps have nothing to do.
void InitExternalClasses();
void InitPluginEntrypoints();
// Makes the toolkit's application object if none exists, then calls lateStartup. An
// exception from lateStartup passes to the caller. When no graphical display can be opened,
// the process ends here with one line on stderr and exit code 1.
void RunFrameworkInitialization(const std::function<void()>& lateStartup);
// Runs the event loop until the application quits.
void RuntimeRun();
// The process's exit code: the code of the Quit request, 1 after an unhandled exception,
// else 0.
int RuntimeExit();

}  // namespace fw
