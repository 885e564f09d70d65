// The one point through which the toolkit calls the system's handlers.
#include "framework/runtime/dispatch.hpp"

#include <string>

#include "framework/dialogs/dialogs.hpp"
#include "framework/runtime/run.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/text/exceptions.hpp"

namespace fw {
namespace {

std::function<void(std::exception_ptr)>& ReplacedHandling() { return CurrentRun().unhandled.replaced; }
bool& ShowingUnhandled() { return CurrentRun().unhandled.showing; }

std::string Describe(std::exception_ptr exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        return "An exception of class " + std::string(e.TypeName()) +
               " was not handled. The application must shut down.";
    } catch (const std::exception& e) {
        return "An exception of class std::exception (" + std::string(e.what()) +
               ") was not handled. The application must shut down.";
    } catch (...) {
        return "An exception of an unknown class was not handled. The application must shut down.";
    }
}

void Handle(std::exception_ptr exception) noexcept {
    try {
        if (const auto replaced = ReplacedHandling()) {
            replaced(exception);
        } else {
            UnhandledException(exception);
        }
    } catch (...) {
        // The handling itself failed: end with the failure code all the same.
        detail::EndApplication(1, true);
    }
}

}  // namespace

void Dispatch(const std::function<void()>& call) {
    try {
        call();
    } catch (...) {
        Handle(std::current_exception());
    }
}

bool DispatchBool(const std::function<bool()>& call) {
    try {
        return call();
    } catch (...) {
        Handle(std::current_exception());
        return false;
    }
}

void UnhandledException(std::exception_ptr exception) {
    if (!ShowingUnhandled() && exception) {
        ShowingUnhandled() = true;
        try {
            MsgBox(Describe(exception));
        } catch (...) {
        }
        ShowingUnhandled() = false;
    }
    detail::EndApplication(1, true);
}

}  // namespace fw
