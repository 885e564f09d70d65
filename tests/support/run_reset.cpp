// Bringing the framework back to how a run starts, for tests.
#include "tests/support/run_reset.hpp"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#include <memory>

#include "framework/runtime/application.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/run.hpp"
#include "framework/windows/window_impl.hpp"
#include "tests/support/fake_clock.hpp"
#include "tests/support/test_presenter.hpp"
#include "tests/support/test_resources.hpp"

namespace fw {

void ResetToStartOfRun() {
    detail::DestroyAllWindows();
    // What the destroyed windows left to be deleted later (their menu views, the reapers of
    // closed windows) goes now, before anything of the next case can meet it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    RegisterAppObject(nullptr);
    SetUnhandledExceptionHandler({});
    BeginRun({std::make_unique<FakeClock>(), std::make_unique<TestPresenter>(), std::make_unique<TestResources>()});
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear();
}

}  // namespace fw
