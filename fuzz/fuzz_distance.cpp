// The Calculate command's computation on arbitrary texts. The input's bytes are split at
// their first three NUL bytes into the number of variables, the number of subjects, the
// matrix text and the data text (missing parts are empty).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "distance/distance.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(bytes), size);
    std::string_view parts[4];
    for (int i = 0; i < 3; ++i) {
        const std::size_t nul = rest.find('\0');
        parts[i] = rest.substr(0, nul);
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    }
    parts[3] = rest;

    // Only matrix-cell messages let the command go on; after any other, nothing may follow.
    bool ended = false, lineSeen = false;
    const DistanceOutput output{[&](DistanceMessage kind, const std::string& message) {
                                    if (ended || lineSeen || message.empty()) __builtin_trap();
                                    ended = kind != DistanceMessage::MatrixCell;
                                },
                                [&](const std::string& line) {
                                    lineSeen = true;
                                    if (ended || line.size() < 3 || line.compare(line.size() - 2, 2, "\r\n") != 0)
                                        __builtin_trap();
                                }};
    CalculateDistances(parts[0], parts[1], parts[2], parts[3], output);
    return 0;
}
