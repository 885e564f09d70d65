#pragma once
// Framework-internal: a timer's state, and the timers armed in a run. An armed timer has one
// deadline on the run's clock; its toolkit timer waits until the clock reaches it.
#include <QTimer>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/windows/clock.hpp"
#include "framework/windows/controls.hpp"

namespace fw {

struct Timer::Impl {
    explicit Impl(Timer& self);
    ~Impl();

    Timer& self;
    QTimer wait;
    std::int64_t period = 1000;
    std::int64_t runMode = 0;
    bool armed = false;
    std::int64_t due = 0;  // on the run's clock
    ActionHandler handler;

    std::int64_t Step() const;
    // Due one period from now.
    void Arm();
    void Disarm();
    // Waits for the deadline afresh, as the clock reads now.
    void Restart();
    // Raises Action once: a single run is then off, a repeating one is due a period later.
    void Fire();
};

// The timers armed in a run, and the clock their deadlines are on.
struct RunTimers {
    std::unique_ptr<Clock> clock;
    std::vector<Timer::Impl*> armed;
};

}  // namespace fw
