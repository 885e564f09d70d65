#include "tests/support/fake_clock.hpp"

#include <algorithm>

#include "framework/runtime/run.hpp"

namespace fw {

void AdvanceTimersBy(std::int64_t elapsedMs) {
    RunTimers& timers = CurrentRun().timers;
    auto& clock = dynamic_cast<FakeClock&>(*timers.clock);
    const std::int64_t target = clock.NowMs() + std::max<std::int64_t>(elapsedMs, 0);
    for (;;) {
        // Found afresh each time: a timer's handler may arm or disarm timers.
        const auto next = std::min_element(timers.armed.begin(), timers.armed.end(),
                                           [](const Timer::Impl* a, const Timer::Impl* b) { return a->due < b->due; });
        if (next == timers.armed.end() || (*next)->due > target) break;
        Timer::Impl* timer = *next;
        clock.Set(std::max(clock.NowMs(), timer->due));
        timer->Fire();
    }
    clock.Set(target);
    for (Timer::Impl* timer : timers.armed) timer->Restart();
}

}  // namespace fw
