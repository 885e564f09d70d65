// Bringing the framework back to how a run starts, for tests.
#include "tests/support/run_reset.hpp"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#include <memory>

#include "framework/runtime/run.hpp"
#include "tests/support/fake_clock.hpp"
#include "tests/support/test_presenter.hpp"
#include "tests/support/test_resources.hpp"

namespace fw {

void ResetToStartOfRun() {
    BeginRun({std::make_unique<FakeClock>(), std::make_unique<TestPresenter>(), std::make_unique<TestResources>()});
    // What the ended run's windows left to be deleted later (menu views that a new bar
    // replaced) goes now, before anything of the next case can meet it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear();
}

}  // namespace fw
