#pragma once
// The clock that timers read, in milliseconds from a start of its own. The program's is the
// steady clock; a run may be given another (a test's, which moves only when told).
#include <cstdint>

namespace fw {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t NowMs() const = 0;
};

class SteadyClock final : public Clock {
public:
    std::int64_t NowMs() const override;
};

}  // namespace fw
