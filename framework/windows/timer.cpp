// Timers on windows. Each armed timer has one deadline on the run's clock, which its toolkit
// timer waits for.
#include <algorithm>
#include <cstdint>

#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/run.hpp"
#include "framework/windows/control_impl.hpp"
#include "framework/windows/timer_impl.hpp"

namespace fw {
namespace {

RunTimers& Timers() { return CurrentRun().timers; }
std::int64_t NowMs() { return Timers().clock->NowMs(); }

}  // namespace

Timer::Impl::Impl(Timer& self) : self(self) {
    wait.setSingleShot(true);
    wait.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wait, &QTimer::timeout, [this] { Fire(); });
}

Timer::Impl::~Impl() { Disarm(); }

std::int64_t Timer::Impl::Step() const { return std::max<std::int64_t>(period, 1); }

void Timer::Impl::Arm() {
    if (!armed) Timers().armed.push_back(this);
    armed = true;
    due = NowMs() + Step();
    Restart();
}

void Timer::Impl::Disarm() {
    armed = false;
    wait.stop();
    std::erase(Timers().armed, this);
}

void Timer::Impl::Restart() {
    const std::int64_t ms = std::clamp<std::int64_t>(due - NowMs(), 0, INT32_MAX);
    wait.start(static_cast<int>(ms));
}

void Timer::Impl::Fire() {
    if (!armed) return;
    if (runMode == 1) {
        Disarm();
    } else {
        due = std::max(due + Step(), NowMs());
        Restart();
    }
    if (handler) {
        const ActionHandler action = handler;
        Dispatch([&] { action(self); });
    }
}

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

}  // namespace fw
