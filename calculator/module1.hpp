#pragma once
// Module1's one property: the flag that would enable the Results item. It starts empty and
// nothing sets it yet, so the item stays disabled.
#include <string>

namespace Module1 {
inline std::string dirty;
}  // namespace Module1
