// Timers on windows. Each armed timer has two deadlines: one on the steady clock, which its
// toolkit timer waits for, and one on the framework's test clock, which moves only by
// AdvanceTimersBy. Advancing the test clock brings both deadlines nearer by the same amount,
// so tests are exact however long they take, and real waiting works as well.
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/windows/control_impl.hpp"
#include "framework/windows/controls.hpp"

namespace fw {
namespace {

std::int64_t& TestClockMs() {
    static std::int64_t clock = 0;
    return clock;
}

std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::vector<Timer::Impl*>& ArmedTimers() {
    static std::vector<Timer::Impl*> armed;
    return armed;
}

}  // namespace

void detail::ResetTestClock() { TestClockMs() = 0; }

struct Timer::Impl {
    explicit Impl(Timer& self) : self(self) {
        clock.setSingleShot(true);
        clock.setTimerType(Qt::PreciseTimer);
        QObject::connect(&clock, &QTimer::timeout, [this] { Fire(); });
    }
    ~Impl() { Disarm(); }

    Timer& self;
    QTimer clock;
    std::int64_t period = 1000;
    std::int64_t runMode = 0;
    bool armed = false;
    std::int64_t steadyDue = 0;  // on the steady clock
    std::int64_t testDue = 0;    // on the test clock
    ActionHandler handler;

    std::int64_t Step() const { return std::max<std::int64_t>(period, 1); }

    void Arm() {
        if (!armed) ArmedTimers().push_back(this);
        armed = true;
        steadyDue = SteadyMs() + Step();
        testDue = TestClockMs() + Step();
        Restart();
    }
    void Disarm() {
        armed = false;
        clock.stop();
        std::erase(ArmedTimers(), this);
    }
    void Restart() {
        const std::int64_t wait = std::clamp<std::int64_t>(steadyDue - SteadyMs(), 0, INT32_MAX);
        clock.start(static_cast<int>(wait));
    }
    // Raises Action once: a single run is then off, a repeating one is due a period later.
    void Fire() {
        if (!armed) return;
        if (runMode == 1) {
            Disarm();
        } else {
            steadyDue = std::max(steadyDue + Step(), SteadyMs());
            testDue += Step();
            Restart();
        }
        if (handler) {
            const ActionHandler action = handler;
            Dispatch([&] { action(self); });
        }
    }
};

Timer::Timer(Window& owner) : Control(owner), impl_(std::make_unique<Impl>(*this)) {}
Timer::~Timer() = default;

void Timer::OnAction(ActionHandler handler) { impl_->handler = std::move(handler); }
std::int64_t Timer::Period() const { return impl_->period; }
std::int64_t Timer::RunMode() const { return impl_->runMode; }
bool Timer::IsArmed() const { return impl_->armed; }

const PropertyTable& Timer::PropertyTableOfTimer() {
    static const PropertyTable table("Timer", &PropertyTableOfControl(), {
        {"Period", PropertyType::Integer}, {"RunMode", PropertyType::Integer},
    });
    return table;
}

void Timer::SetProperty(const Property& p) {
    if (p.name == "Period") {
        impl_->period = detail::IntOf(p);
        if (impl_->armed) impl_->Arm();  // a new period counts from now
    } else if (p.name == "RunMode") {
        impl_->runMode = detail::IntOf(p);
        if (impl_->runMode == 1 || impl_->runMode == 2) impl_->Arm();
        else impl_->Disarm();
    } else {
        Control::SetProperty(p);
    }
}

void AdvanceTimersBy(std::int64_t elapsedMs) {
    const std::int64_t target = TestClockMs() + std::max<std::int64_t>(elapsedMs, 0);
    auto moveClock = [](std::int64_t to) {
        const std::int64_t step = to - TestClockMs();
        if (step <= 0) return;
        TestClockMs() = to;
        for (Timer::Impl* timer : ArmedTimers()) timer->steadyDue -= step;
    };
    for (;;) {
        const auto& armed = ArmedTimers();
        auto next = std::min_element(armed.begin(), armed.end(), [](const Timer::Impl* a, const Timer::Impl* b) {
            return a->testDue < b->testDue;
        });
        if (next == armed.end() || (*next)->testDue > target) break;
        Timer::Impl* timer = *next;
        moveClock(timer->testDue);
        timer->Fire();
    }
    moveClock(target);
    for (Timer::Impl* timer : ArmedTimers()) timer->Restart();
}

}  // namespace fw
