#pragma once
// Every call from the GUI toolkit into a handler of the system passes through Dispatch, so
// that no exception ever crosses into the toolkit: what escapes a handler goes to the
// unhandled-exception handling.
#include <exception>
#include <functional>

namespace fw {

void Dispatch(const std::function<void()>& call);
// Dispatch for handlers that give a Boolean; false when the handler raised.
bool DispatchBool(const std::function<bool()>& call);

// `_UnhandledException`: shows a modal message naming the exception, then ends the
// application with exit code 1 (the event loop ends; RuntimeExit gives 1).
void UnhandledException(std::exception_ptr exception);

}  // namespace fw
