// Bringing the framework back to how a run starts, for tests.
#include "tests/support/run_reset.hpp"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#include "framework/dialogs/dialogs.hpp"
#include "framework/pictures/picture.hpp"
#include "framework/printing/print_dialog.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw {

void ResetToStartOfRun() {
    detail::DestroyAllWindows();
    // What the destroyed windows left to be deleted later (their menu views, the reapers of
    // closed windows) goes now, before anything of the next case can meet it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    RegisterAppObject(nullptr);
    detail::ResetRuntimeState();  // after the line that forgetting the application records
    detail::ResetTestClock();
    detail::ForgetResourceLookups();
    SetResourceFolder({});
    SetUnhandledExceptionHandler({});
    SetMessageBoxObserver({});
    SetPrintDialogPresenter({});
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear();
}

}  // namespace fw
