#pragma once
// Framework-internal: what the framework holds for a run of the program, in one object with
// one owner. The program has one run, made on first use and never destroyed: its windows end
// in RuntimeExit, while the toolkit still exists. A test that needs a clean start begins a
// new run.
#include <memory>
#include <vector>

#include "framework/dialogs/dialog_presenter.hpp"
#include "framework/pictures/resources.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/file_type.hpp"
#include "framework/runtime/toolkit.hpp"
#include "framework/runtime/unhandled_handling.hpp"
#include "framework/windows/clock.hpp"
#include "framework/windows/timer_impl.hpp"
#include "framework/windows/window_registry.hpp"

namespace fw {

// Where a run meets the world: the clock its timers read, how its modal dialogs are shown,
// where its pictures are found. Any left empty is the program's own.
struct RunSeams {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<DialogPresenter> presenter;
    std::unique_ptr<Resources> resources;
};

class Run {
public:
    explicit Run(RunSeams seams);
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    Toolkit toolkit;
    std::unique_ptr<DialogPresenter> presenter;
    std::unique_ptr<Resources> resources;
    RunTimers timers;
    UnhandledHandling unhandled;
    std::unique_ptr<Application> app;
    std::vector<FileTypeRegistration> fileTypes;  // in the order registered
    // Last, so that it goes first: the windows' going may still meet everything above.
    WindowRegistry windows;
};

// The run under way; made with the program's seams when there is none yet.
Run& CurrentRun();
// Ends the windows of the run under way, then puts a new run in its place.
Run& BeginRun(RunSeams seams);

}  // namespace fw
