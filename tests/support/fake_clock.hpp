#pragma once
// The clock of a test's run: it stands still until the test moves it.
#include <cstdint>

#include "framework/windows/clock.hpp"

namespace fw {

class FakeClock final : public Clock {
public:
    std::int64_t NowMs() const override { return now_; }
    void Set(std::int64_t now) { now_ = now; }

private:
    std::int64_t now_ = 0;
};

// Moves the run's clock on by `elapsedMs`, firing every timer that falls due on the way, in
// order of due time, each with the clock at its deadline.
void AdvanceTimersBy(std::int64_t elapsedMs);

}  // namespace fw
