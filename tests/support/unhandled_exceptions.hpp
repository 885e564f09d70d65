#pragma once
// Catching, in a test, what would end the program: an exception that no handler caught.
#include <exception>
#include <functional>

namespace fw {

// Puts `handler` in place of the run's unhandled-exception handling (the message and the
// end); an empty function restores it.
void SetUnhandledExceptionHandler(std::function<void(std::exception_ptr)> handler);

}  // namespace fw
