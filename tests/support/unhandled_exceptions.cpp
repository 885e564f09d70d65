#include "tests/support/unhandled_exceptions.hpp"

#include <utility>

#include "framework/runtime/run.hpp"

namespace fw {

void SetUnhandledExceptionHandler(std::function<void(std::exception_ptr)> handler) {
    CurrentRun().unhandled.replaced = std::move(handler);
}

}  // namespace fw
