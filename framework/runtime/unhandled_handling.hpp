#pragma once
// Framework-internal: how a run handles an exception that no handler caught.
#include <exception>
#include <functional>

namespace fw {

struct UnhandledHandling {
    std::function<void(std::exception_ptr)> replaced;  // in place of the message and the end
    bool showing = false;                              // its message is open
};

}  // namespace fw
