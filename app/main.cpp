// The process entry: the framework's run time around the start-up driver.
#include "app/startup.hpp"
#include "framework/startup.hpp"

namespace {

int Run(int argc, char** argv) {
    fw::RuntimeInit(argc, argv);
    Main();
    return fw::RuntimeExit();
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }

#ifdef _WIN32
// A Windows GUI program enters here; the C run time keeps the parsed command line.
#include <stdlib.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return Run(__argc, __argv); }
#endif
