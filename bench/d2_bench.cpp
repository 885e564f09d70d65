// Times the Calculate command's computation on input files, the way a user pastes them.
//   d2_bench [--repeat N] MATRIX_FILE DATA_FILE V_TEXT S_TEXT
// stdout: the text the command appends (first run); stderr: the first run's messages, one a
// line, and last "median_ms X", the median wall time of one call.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "distance/distance.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The output's line ends are the command's own CR LF: on Windows the C run time would
// otherwise add a CR before every LF of standard output and error.
void WriteStreamsAsBytes() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

// The file's bytes as they are; on failure false and the reason in error.
bool ReadFile(std::string_view path, std::string& contents, std::string& error) {
    std::FILE* file = std::fopen(std::string(path).c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    if (failed) error = std::strerror(errno);
    std::fclose(file);
    return !failed;
}

// A whole decimal number from 1 to INT_MAX, or 0.
int RepeatCount(std::string_view text) {
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count >= 1 ? count : 0;
}

int Usage() {
    std::fputs("usage: d2_bench [--repeat N] MATRIX_FILE DATA_FILE V_TEXT S_TEXT\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    WriteStreamsAsBytes();
    std::vector<std::string_view> args(argv + 1, argv + argc);
    int repeat = 10;
    if (!args.empty() && args[0] == "--repeat") {
        repeat = args.size() >= 2 ? RepeatCount(args[1]) : 0;
        if (repeat == 0) {
            std::fprintf(stderr, "d2_bench: --repeat needs a whole number from 1 to 2147483647\n");
            return 1;
        }
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 4) return Usage();
    std::string matrix, data;
    for (const auto& [path, contents] : {std::pair{args[0], &matrix}, std::pair{args[1], &data}}) {
        std::string error;
        if (!ReadFile(path, *contents, error)) {
            std::fprintf(stderr, "d2_bench: cannot read %.*s: %s\n", static_cast<int>(path.size()), path.data(),
                         error.c_str());
            return 1;
        }
    }

    std::string firstMessages, firstOutput;
    std::vector<double> milliseconds;
    for (int run = 0; run < repeat; ++run) {
        std::string messages, output;
        const DistanceOutput sink{[&](DistanceMessage, const std::string& m) { messages.append(m).append("\n"); },
                                  [&](const std::string& line) { output.append(line); }};
        const auto start = std::chrono::steady_clock::now();
        CalculateDistances(args[2], args[3], matrix, data, sink);
        const auto end = std::chrono::steady_clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        if (run == 0) {
            firstMessages = std::move(messages);
            firstOutput = std::move(output);
        }
    }
    std::fwrite(firstOutput.data(), 1, firstOutput.size(), stdout);
    std::fflush(stdout);
    std::fputs(firstMessages.c_str(), stderr);
    std::sort(milliseconds.begin(), milliseconds.end());
    const std::size_t middle = milliseconds.size() / 2;
    const double median = milliseconds.size() % 2 ? milliseconds[middle]
                                                   : (milliseconds[middle - 1] + milliseconds[middle]) / 2;
    std::fprintf(stderr, "median_ms %.3f\n", median);
    return 0;
}
