// Times the Calculate command's computation on input files, the way a user pastes them.
//   d2_bench [--repeat N] MATRIX_FILE DATA_FILE V_TEXT S_TEXT
// stdout: the text the command appends (first run); stderr: the first run's messages, one a
// line, and last "median_ms X", the median wall time of one call.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calculator/distance.hpp"

namespace {

bool ReadFile(std::string_view path, std::string& contents) {
    std::ifstream file(std::string(path), std::ios::binary);
    if (!file) return false;
    contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

int Usage() {
    std::fputs("usage: d2_bench [--repeat N] MATRIX_FILE DATA_FILE V_TEXT S_TEXT\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    int repeat = 10;
    if (args.size() >= 2 && args[0] == "--repeat") {
        repeat = std::atoi(std::string(args[1]).c_str());
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 4 || repeat < 1) return Usage();
    std::string matrix, data;
    if (!ReadFile(args[0], matrix) || !ReadFile(args[1], data)) {
        std::fputs("d2_bench: cannot read an input file\n", stderr);
        return 1;
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
