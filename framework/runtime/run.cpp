#include "framework/runtime/run.hpp"

#include <utility>

namespace fw {
namespace {

template <class Seam, class Default = Seam>
std::unique_ptr<Seam> OrDefault(std::unique_ptr<Seam> seam) {
    return seam ? std::move(seam) : std::make_unique<Default>();
}

// Never destroyed: the run outlives every static of the program, and its windows must not
// go after the toolkit has.
std::unique_ptr<Run>& Current() {
    static auto* current = new std::unique_ptr<Run>();
    return *current;
}

}  // namespace

Run::Run(RunSeams seams)
    : presenter(OrDefault(std::move(seams.presenter))),
      resources(OrDefault(std::move(seams.resources))),
      timers{OrDefault<Clock, SteadyClock>(std::move(seams.clock)), {}} {}

Run& CurrentRun() {
    if (!Current()) return BeginRun({});
    return *Current();
}

Run& BeginRun(RunSeams seams) {
    // Ended while still the run under way, so that whatever their going touches is its own.
    if (Current()) Current()->windows.DestroyAll();
    Current() = std::make_unique<Run>(std::move(seams));
    return *Current();
}

}  // namespace fw
