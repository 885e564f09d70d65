#include "framework/windows/clock.hpp"

#include <chrono>

namespace fw {

std::int64_t SteadyClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace fw
