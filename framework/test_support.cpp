// Bringing the framework back to how a run starts, for tests.
#include "framework/test_support.hpp"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#include "framework/application.hpp"
#include "framework/dialogs.hpp"
#include "framework/dispatch.hpp"
#include "framework/picture.hpp"
#include "framework/print_dialog.hpp"
#include "framework/runtime_state.hpp"
#include "framework/window_impl.hpp"

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
