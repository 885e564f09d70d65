#pragma once
// The framework's cooperative yield point, passed once per pass of every long loop.
// The framework runs no threads of its own, so there is nothing to yield to; it never
// processes window events, so no handler can run inside another.
namespace fw {
inline void RuntimeBackgroundTask() noexcept {}
}  // namespace fw
