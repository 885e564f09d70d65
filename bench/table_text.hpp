#pragma once
// Pasted table text for the window benchmarks: six-decimal values, TAB between fields, CR LF
// after every row, as a spreadsheet copies them.
#include <cstddef>
#include <cstdio>
#include <random>
#include <string>

inline std::string TableText(int rows, int columns, std::mt19937_64& random) {
    std::uniform_real_distribution<double> value(-5.0, 5.0);
    std::string text;
    text.reserve(static_cast<std::size_t>(rows) * columns * 10);
    char field[32];
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            std::snprintf(field, sizeof field, "%.6f", value(random));
            text += field;
            text += c + 1 < columns ? "\t" : "\r\n";
        }
    }
    return text;
}
