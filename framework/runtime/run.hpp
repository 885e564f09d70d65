#pragma once
// Framework-internal: what the framework holds for a run of the program, in one object with
// one owner. The program has one run, made on first use and kept until the process ends; a
// test that needs a clean start begins a new one.
#include <memory>

#include "framework/dialogs/dialog_presenter.hpp"
#include "framework/pictures/resources.hpp"
#include "framework/runtime/toolkit.hpp"
#include "framework/windows/clock.hpp"
#include "framework/windows/timer_impl.hpp"

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
    RunTimers timers;
    std::unique_ptr<DialogPresenter> presenter;
    std::unique_ptr<Resources> resources;
};

// The run under way; made with the program's seams when there is none yet.
Run& CurrentRun();
// Puts a new run in place of the current one.
Run& BeginRun(RunSeams seams);

}  // namespace fw
