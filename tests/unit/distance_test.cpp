// The Calculate command's computation: checks, messages, field reading and the arithmetic,
// against a plain implementation of the command's loops.
#include "distance/distance.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "distance/distance_fields.hpp"
#include "distance/distance_kernel.hpp"
#include "framework/text/text.hpp"

namespace {

struct Outcome {
    std::vector<std::string> messages;
    std::vector<DistanceMessage> kinds;
    std::vector<std::string> lines;
    bool messageAfterLine = false;
    bool operator==(const Outcome&) const = default;
};

Outcome Calculate(const std::string& variables, const std::string& subjects, const std::string& matrix,
                  const std::string& data) {
    Outcome outcome;
    const DistanceOutput output{[&](DistanceMessage kind, const std::string& message) {
                                    outcome.messageAfterLine |= !outcome.lines.empty();
                                    outcome.messages.push_back(message);
                                    outcome.kinds.push_back(kind);
                                },
                                [&](const std::string& line) { outcome.lines.push_back(line); }};
    CalculateDistances(variables, subjects, matrix, data, output);
    return outcome;
}

std::string MatrixMessage(int row, int column) {
    return "Please check the accuracy of inverted covariance matrix (Row " + std::to_string(row) + ", Column " +
           std::to_string(column) + ")";
}

std::string DataMessage(int row, int column) {
    return "Please check the accuracy of difference data (Row " + std::to_string(row) + ", Column " +
           std::to_string(column) + ")";
}

bool IsBlank(char c) { return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos; }

// Whether a field is a number as a user writes one: blanks, an optional sign, digits with an
// optional point and an optional exponent, or inf, infinity or nan in any case, blanks.
bool IsWhollyNumber(std::string_view field) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
    while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
    if (!field.empty() && (field.front() == '+' || field.front() == '-')) field.remove_prefix(1);
    std::string lower(field);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "inf" || lower == "infinity" || lower == "nan") return true;
    std::size_t i = 0, digits = 0;
    for (; i < field.size() && isDigit(field[i]); ++i) ++digits;
    if (i < field.size() && field[i] == '.')
        for (++i; i < field.size() && isDigit(field[i]); ++i) ++digits;
    if (digits == 0) return false;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        if (++i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < field.size() && isDigit(field[i])) ++i;
        if (i == exponentStart) return false;
    }
    return i == field.size();
}

std::string MatrixSurplusMessage(std::int64_t fields, std::int64_t variables) {
    return "The inverted covariance matrix has " + std::to_string(fields) + " fields, more than " +
           std::to_string(variables) + " x " + std::to_string(variables) + " = " +
           std::to_string(variables * variables) + ": please check the number of variables";
}

std::string DataSurplusMessage(std::int64_t fields, std::int64_t subjects, std::int64_t variables) {
    return "The difference data has " + std::to_string(fields) + " fields, more than " + std::to_string(subjects) +
           " x " + std::to_string(variables) + " = " + std::to_string(subjects * variables) +
           ": please check the numbers of subjects and variables";
}

// The fields of a text with CR LF replaced by TAB, all of them, less the empty or blank ones at
// its end.
std::int64_t CountedFieldsOf(const std::string& replaced) {
    std::vector<std::string_view> fields;
    fw::FieldCursor cursor(replaced, "\t");
    for (auto n = std::count(replaced.begin(), replaced.end(), '\t') + 1; n > 0; --n) fields.push_back(cursor.Next());
    while (!fields.empty() && std::all_of(fields.back().begin(), fields.back().end(), IsBlank)) fields.pop_back();
    return static_cast<std::int64_t>(fields.size());
}

// The command's loops as plainly as they can be written: the replaced texts, each checked for
// more fields than it should have, then field after field looked up from the start of the
// text (or, for large inputs, taken by fw::FieldCursor, which gives the same fields), the three
// full-size arrays, unfused products in index order.
Outcome Reference(const std::string& variablesText, const std::string& subjectsText, const std::string& matrixText,
                  const std::string& dataText, bool rescan = true) {
    Outcome outcome;
    std::vector<double> matrix(100 * 100, 0.0), data(10000 * 100, 0.0), row(2 * 100, 0.0);
    const auto count = [](const std::string& text) {
        const double value = fw::Val(text);
        return value >= -0x1p63 && value < 0x1p63 ? static_cast<std::int64_t>(value)
                                                  : std::numeric_limits<std::int64_t>::min();
    };
    const std::int64_t v = count(variablesText);
    if (v < 2 || v > 99) return {{"Variables must range from 2-99"}, {DistanceMessage::CountOutOfRange}, {}};
    const std::int64_t s = count(subjectsText);
    if (s < 1 || s > 9999) return {{"Subjects must range from 1-9999"}, {DistanceMessage::CountOutOfRange}, {}};
    if (fw::Len(matrixText) == 0) return {{"No data for inverted covariance matrix"}, {DistanceMessage::NoText}, {}};
    if (fw::Len(dataText) == 0) return {{"No data."}, {DistanceMessage::NoText}, {}};
    const std::string tab = fw::Chr(9), crLf = fw::Chr(13) + fw::Chr(10);
    const std::string matrixFields = fw::ReplaceAll(matrixText, crLf, tab);
    const std::string dataFields = fw::ReplaceAll(dataText, crLf, tab);
    if (const std::int64_t n = CountedFieldsOf(matrixFields); n > v * v)
        return {{MatrixSurplusMessage(n, v)}, {DistanceMessage::TooManyFields}, {}};
    if (const std::int64_t n = CountedFieldsOf(dataFields); n > s * v)
        return {{DataSurplusMessage(n, s, v)}, {DistanceMessage::TooManyFields}, {}};
    fw::FieldCursor matrixCursor(matrixFields, tab), dataCursor(dataFields, tab);
    const auto field = [&](const std::string& text, fw::FieldCursor& cursor, std::int64_t n) {
        return rescan ? fw::NthField(text, tab, n) : std::string(cursor.Next());
    };
    std::int64_t counter = 0;
    for (std::int64_t r = 1; r <= v; ++r)
        for (std::int64_t c = 1; c <= v; ++c) {
            const std::string f = field(matrixFields, matrixCursor, ++counter);
            if (!IsWhollyNumber(f)) {
                outcome.messages.push_back(MatrixMessage(r, c));
                outcome.kinds.push_back(DistanceMessage::MatrixCell);
            }
            matrix[r * 100 + c] = fw::Val(f);
        }
    counter = 0;
    for (std::int64_t m = 1; m <= s; ++m)
        for (std::int64_t k = 1; k <= v; ++k) {
            const std::string f = field(dataFields, dataCursor, ++counter);
            if (!IsWhollyNumber(f)) {
                outcome.messages.push_back(DataMessage(m, k));
                outcome.kinds.push_back(DistanceMessage::DataField);
                return outcome;
            }
            data[m * 100 + k] = fw::Val(f);
        }
    for (std::int64_t m = 1; m <= s; ++m) {
        for (std::int64_t i = 1; i <= v; ++i) row[100 + i] = 0.0;
        for (std::int64_t c = 1; c <= v; ++c)
            for (std::int64_t k = 1; k <= v; ++k) row[100 + c] = matrix[k * 100 + c] * data[m * 100 + k] + row[100 + c];
        double sum = 0.0;
        for (std::int64_t i = 1; i <= v; ++i) sum = data[m * 100 + i] * row[100 + i] + sum;
        outcome.lines.push_back(fw::Str(sum) + crLf);
    }
    return outcome;
}

TEST(CalculateDistances, ExamplesOfReadingAndComputing) {
    struct Case {
        const char* variables;
        const char* subjects;
        const char* matrix;
        const char* data;
        std::vector<std::string> messages;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"2", "2", "1\t0\r\n0\t1", "3\t4\r\n1\t1", {}, {"25\r\n", "2\r\n"}},
        {"2", "1", "2\t1\r\n0\t1", "1\t1", {}, {"4\r\n"}},
        // The fields are one flat list, however the lines run: M = (1, 2; 3, 4). 2.9 counts as 2.
        {"2.9", "1.5", "1\t2\t3\r\n4", "1\t1", {}, {"10\r\n"}},
        {"2", "1", "1\t0\t0\t1", "3\t4", {}, {"25\r\n"}},
        // A TAB before CR LF makes an empty field; the following fields move by one.
        {"2", "1", "1\t\r\n2\t3", "1\t1", {MatrixMessage(1, 2)}, {"6\r\n"}},
        {"3", "1", "1", "1\t1\t1",
         {MatrixMessage(1, 2), MatrixMessage(1, 3), MatrixMessage(2, 1), MatrixMessage(2, 2), MatrixMessage(2, 3),
          MatrixMessage(3, 1), MatrixMessage(3, 2), MatrixMessage(3, 3)},
         {"1\r\n"}},
        // A lone LF or CR is part of its field: "1\n2" is no number but reads as 1, and blanks
        // at either end of a number are no fault.
        {"2", "1", "1\n2\t3\t4", "1\t1", {MatrixMessage(1, 1), MatrixMessage(2, 2)}, {"8\r\n"}},
        {"2", "1", "1\t0\r\n0\t1", "1\r\r\n\n2", {}, {"5\r\n"}},
        // Empty fields at the end of a text are no surplus.
        {"2", "1", "1\t0\t0\t1\t\t", "1\t1\t\t\r\n", {}, {"2\r\n"}},
        // The data: the first empty or missing field ends the command with nothing appended.
        {"2", "2", "1\t0\t0\t1", "1\t2\r\n3", {DataMessage(2, 2)}, {}},
        {"2", "2", "1\t0\t0\t", "1\t\t\t2", {MatrixMessage(2, 2), DataMessage(1, 2)}, {}},
        {"2", "1", "1\t0\t0\t1", "\r\n1", {DataMessage(1, 1)}, {}},
        // A matrix cell that holds no number is reported and reads as 0; a negative D² is
        // written as it comes.
        {"2", "1", "x\t-1\r\n0\t0", "2\t3", {MatrixMessage(1, 1)}, {"-6\r\n"}},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Calculate(c.variables, c.subjects, c.matrix, c.data);
        EXPECT_EQ(outcome.messages, c.messages) << c.matrix << " / " << c.data;
        EXPECT_EQ(outcome.lines, c.lines) << c.matrix << " / " << c.data;
        EXPECT_FALSE(outcome.messageAfterLine);
    }
}

// A text with more fields than V x V or S x V, blank ones at its end aside, is reported
// before any field is read, and nothing is appended; fewer fields are reported cell by cell.
TEST(CalculateDistances, TextsWithMoreFieldsThanTheCountsAreReportedFirst) {
    const auto rows = [](int count, int variables) {
        std::string text;
        for (int r = 0; r < count; ++r)
            for (int v = 0; v < variables; ++v) text += std::to_string(r + 1) + (v + 1 < variables ? "\t" : "\r\n");
        return text;
    };
    // Subject r of rows(n, 4) is (r, r, r, r): D² with the identity is 4r².
    const auto identitySums = [](int count) {
        std::vector<std::string> lines;
        for (int r = 1; r <= count; ++r) lines.push_back(std::to_string(4 * r * r) + "\r\n");
        return lines;
    };
    const std::string identity4 = "1\t0\t0\t0\r\n0\t1\t0\t0\r\n0\t0\t1\t0\r\n0\t0\t0\t1\r\n";
    struct Case {
        const char* variables;
        const char* subjects;
        std::string matrix;
        std::string data;
        std::vector<std::string> messages;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        // V typed too small: the matrix comes first, even when the data has a surplus too.
        {"3", "150", identity4, rows(150, 4), {MatrixSurplusMessage(16, 3)}, {}},
        {"2", "1", "1\t2\t3\r\n4\t5\t6\r\n7\t8\t9", "1\t1", {MatrixSurplusMessage(9, 2)}, {}},
        // A TAB before CR LF moves the fields by one; a blank field inside the text counts.
        {"2", "1", "1\t0\t\r\n0\t1", "3\t4", {MatrixSurplusMessage(5, 2)}, {}},
        {"2", "1", "1\t0\t \t0\t1", "3\t4", {MatrixSurplusMessage(5, 2)}, {}},
        // Reported before any cell, so no cell message comes.
        {"2", "1", "x\t\t1\t1\t1", "3\t4", {MatrixSurplusMessage(5, 2)}, {}},
        // S typed too small; a row-name column; a header row; an empty field before the surplus.
        {"4", "100", identity4, rows(150, 4), {DataSurplusMessage(600, 100, 4)}, {}},
        {"2", "2", "1\t0\t0\t1", "a\t3\t4\r\nb\t1\t1\r\n", {DataSurplusMessage(6, 2, 2)}, {}},
        {"2", "2", "1\t0\t0\t1", "x\ty\r\n3\t4\r\n1\t1", {DataSurplusMessage(6, 2, 2)}, {}},
        {"2", "2", "1\t0\t0\t1", "3\t\t4\t1\t1", {DataSurplusMessage(5, 2, 2)}, {}},
        // A lone LF is no separator: "4\n5" is one field, and no number.
        {"2", "1", "1\t0\t0\t1", "3\t4\n5", {DataMessage(1, 2)}, {}},
        // Empty or blank fields at the end, line ends of every kind among them, do not count.
        {"2", "1", "1\t0\r\n0\t1\r\n\r\n \t\t\v\f\r\n", "3\t4\t\r\n\t\n\r\n\r", {}, {"25\r\n"}},
        {"4", "150", identity4 + "\t\t\t\r\n", rows(150, 4) + "\r\n\r\n", {}, identitySums(150)},
        // Exact counts on one line, and broken anywhere, read as the rows they make.
        {"2", "2", "1\t0\t0\t1", "3\t4\t1\t1", {}, {"25\r\n", "2\r\n"}},
        {"2", "2", "1\r\n0\t0\r\n1", "3\r\n4\t1\r\n1", {}, {"25\r\n", "2\r\n"}},
        // Fewer fields: every missing matrix cell, then the first missing data field.
        {"2", "1", "1\t0\t0", "3\t4", {MatrixMessage(2, 2)}, {"9\r\n"}},
        {"2", "2", "1\t0\t0\t1", "3\t4\r\n1", {DataMessage(2, 2)}, {}},
        {"2", "1", " \r\n", "3\t4",
         {MatrixMessage(1, 1), MatrixMessage(1, 2), MatrixMessage(2, 1), MatrixMessage(2, 2)}, {"0\r\n"}},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Calculate(c.variables, c.subjects, c.matrix, c.data);
        const std::string label = std::string(c.variables) + " " + c.subjects + " / " + c.matrix + " / " + c.data;
        EXPECT_EQ(outcome.messages, c.messages) << label;
        EXPECT_EQ(outcome.lines, c.lines) << label;
        // A kind of its own, so that the count of matrix-cell messages never takes it in.
        for (std::size_t i = 0; i < outcome.messages.size(); ++i)
            EXPECT_EQ(outcome.kinds[i] == DistanceMessage::TooManyFields, outcome.messages[i].starts_with("The "))
                << outcome.messages[i];
    }
}

// A field that is not wholly a number is reported like an empty one: a matrix cell gets its
// message and the value Val gives it, a data field ends the command.
TEST(CalculateDistances, FieldsThatAreNotWhollyNumbersAreReported) {
    struct Case {
        const char* field;
        bool isNumber;
    };
    const Case cases[] = {
        {"1,5", false}, {"1 234", false}, {"12%", false},  {" ", false},   {"\xC2\xA0" "1", false},
        {"1e", false},  {"--1", false},   {"\n", false},   {"0x10", false}, {"nan(1)", false},
        {" 1.5 ", true}, {"-2e3", true},  {"inf", true},   {"NaN", true},  {"+.5", true},
        {"\n3\r", true},
    };
    for (const Case& c : cases) {
        const std::string field = c.field;
        const std::string matrixLine = fw::Str(fw::Val(field) + 1) + "\r\n";
        const Outcome inMatrix = Calculate("2", "1", field + "\t0\r\n0\t1", "1\t1");
        EXPECT_EQ(inMatrix.messages, c.isNumber ? std::vector<std::string>{} : std::vector{MatrixMessage(1, 1)})
            << '"' << field << '"';
        EXPECT_EQ(inMatrix.lines, std::vector{matrixLine}) << '"' << field << '"';

        const Outcome inData = Calculate("2", "2", "1\t0\r\n0\t1", "1\t1\r\n1\t" + field);
        EXPECT_EQ(inData.messages, c.isNumber ? std::vector<std::string>{} : std::vector{DataMessage(2, 2)})
            << '"' << field << '"';
        EXPECT_EQ(inData.lines.size(), c.isNumber ? 2u : 0u) << '"' << field << '"';
    }
}

TEST(CalculateDistances, ChecksCountsThenEmptyTextsInOrder) {
    const std::string variablesMessage = "Variables must range from 2-99";
    const std::string subjectsMessage = "Subjects must range from 1-9999";
    struct Case {
        const char* variables;
        const char* subjects;
        const char* matrix;
        const char* data;
        std::string message;
    };
    const Case cases[] = {
        {"1", "1", "1", "1", variablesMessage},       {"100", "1", "1", "1", variablesMessage},
        {"1.99", "1", "1", "1", variablesMessage},    {"-2", "1", "1", "1", variablesMessage},
        {"abc", "1", "1", "1", variablesMessage},     {"", "", "", "", variablesMessage},
        {"nan", "1", "1", "1", variablesMessage},     {"inf", "1", "1", "1", variablesMessage},
        {"1e19", "1", "1", "1", variablesMessage},    {"-1e300", "1", "1", "1", variablesMessage},
        {"2", "0", "1", "1", subjectsMessage},        {"2", "0.9", "", "", subjectsMessage},
        {"99", "10000", "1", "1", subjectsMessage},   {"2", "1e19", "1", "1", subjectsMessage},
        {"2", "1", "", "", "No data for inverted covariance matrix"},
        {"99", "9999", "1", "", "No data."},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Calculate(c.variables, c.subjects, c.matrix, c.data);
        EXPECT_EQ(outcome.messages, std::vector<std::string>{c.message}) << c.variables << " " << c.subjects;
        EXPECT_TRUE(outcome.lines.empty());
    }
}

TEST(CalculateDistances, RoundsEveryProductBeforeAddingIt) {
    const double m11 = 0.1, m12 = 0.2, m21 = 0.2, m22 = 0.1, d1 = 1.3, d2 = 0.9;
    const double t1 = m21 * d2 + (m11 * d1 + 0.0), t2 = m22 * d2 + (m12 * d1 + 0.0);
    const double unfused = d2 * t2 + (d1 * t1 + 0.0);
    // Fusing either the inner sums or the outer one gives another result for these numbers.
    const double fusedInner =
        d2 * std::fma(m22, d2, m12 * d1 + 0.0) + (d1 * std::fma(m21, d2, m11 * d1 + 0.0) + 0.0);
    const double fusedOuter = std::fma(d2, t2, d1 * t1 + 0.0);
    ASSERT_NE(fusedInner, unfused);
    ASSERT_NE(fusedOuter, unfused);
    EXPECT_EQ(Calculate("2", "1", "0.1\t0.2\r\n0.2\t0.1", "1.3\t0.9").lines,
              std::vector<std::string>{fw::Str(unfused) + "\r\n"});
}

// Numbers that exercise Val and the separators: plain and long decimals, blanks around them,
// lone CR and LF, signs, tiny numbers; with extremeChance overflow, subnormals, infinities, NaN.
std::string RandomField(std::mt19937_64& rng, double extremeChance) {
    static const char* const extremes[] = {"1e308", "-1e308", "inf", "-inf", "nan", "3e-310"};
    static const char* const odd[] = {" 4", "\n7", "8\r", "+.5", "-0", "1e-200", " 2.5\v", "5."};
    if (std::bernoulli_distribution(extremeChance)(rng)) return extremes[rng() % std::size(extremes)];
    std::uniform_real_distribution<double> uniform(-10.0, 10.0);
    char text[40];
    switch (rng() % 8) {
        case 0: return odd[rng() % std::size(odd)];
        case 1: std::snprintf(text, sizeof text, "%.17g", uniform(rng)); return text;
        default: std::snprintf(text, sizeof text, "%.6f", uniform(rng)); return text;
    }
}

// Fields with TAB or CR LF between them; with faultChance a field is empty or not a number.
std::string RandomTable(std::mt19937_64& rng, std::int64_t fields, double faultChance, double extremeChance) {
    static const char* const faults[] = {"", "", "5abc", "x", "\r", "0x1p3", "1,5", "1e", "\xC2\xA0" "3"};
    std::bernoulli_distribution fault(faultChance), lineEnd(0.2);
    std::string text;
    for (std::int64_t i = 0; i < fields; ++i) {
        if (i > 0) text += lineEnd(rng) ? "\r\n" : "\t";
        text += fault(rng) ? faults[rng() % std::size(faults)] : RandomField(rng, extremeChance);
    }
    return text;
}

// Mostly exactly `fields`, now and then fewer or a few more.
std::int64_t RandomFieldCount(std::mt19937_64& rng, std::int64_t fields) {
    switch (rng() % 8) {
        case 0: case 1: return static_cast<std::int64_t>(rng() % fields);
        case 2: return fields + 1 + static_cast<std::int64_t>(rng() % 3);
        default: return fields;
    }
}

// Empty or blank fields and line ends at the end of a text, as spreadsheets copy them.
std::string RandomBlankEnd(std::mt19937_64& rng) {
    static const char* const ends[] = {"", "", "", "\r\n", "\t", "\t\t\r\n", " ", "\r\n\r\n", "\v\f", "\n", "\r"};
    return ends[rng() % std::size(ends)];
}

TEST(CalculateDistances, MatchesThePlainLoopsOnSmallRandomInputs) {
    std::mt19937_64 rng(11);
    for (int round = 0; round < 400; ++round) {
        const std::int64_t v = 2 + rng() % 11, s = 1 + rng() % 20;
        // Now and then too few or too many fields, or a fault, so that they are reported.
        const std::int64_t matrixFields = RandomFieldCount(rng, v * v);
        const std::int64_t dataFields = RandomFieldCount(rng, s * v);
        const std::string matrix = RandomTable(rng, matrixFields, 0.5 / (v * v), 0.01) + RandomBlankEnd(rng);
        const std::string data = RandomTable(rng, dataFields, 0.5 / (s * v), 0.01) + RandomBlankEnd(rng);
        const std::string vText = std::to_string(v), sText = std::to_string(s);
        ASSERT_EQ(Calculate(vText, sText, matrix, data), Reference(vText, sText, matrix, data))
            << "V " << v << " S " << s << "\nmatrix " << matrix << "\ndata " << data;
    }
}

TEST(CalculateDistances, MatchesThePlainLoopsOnLargeInputs) {
    std::mt19937_64 rng(5);
    for (const auto& [v, s] : {std::pair<std::int64_t, std::int64_t>{99, 3001}, {37, 9999}, {5, 9999}}) {
        const std::string matrix = RandomTable(rng, v * v, 0.0, 0.0), data = RandomTable(rng, s * v, 0.0, 1e-5);
        const std::string vText = std::to_string(v), sText = std::to_string(s);
        const Outcome outcome = Calculate(vText, sText, matrix, data);
        ASSERT_EQ(outcome.lines.size(), static_cast<std::size_t>(s));
        const auto notFinite = std::count_if(outcome.lines.begin(), outcome.lines.end(), [](const std::string& line) {
            return line.find_first_of("na") != std::string::npos;  // "nan", "inf"
        });
        ASSERT_LT(notFinite, s / 20) << "most distances must be finite for the comparison to mean much";
        ASSERT_EQ(outcome, Reference(vText, sText, matrix, data, false)) << "V " << v << " S " << s;
    }
}

// Large data is read on several threads; the message names the first faulty field in row
// order, wherever the others are.
TEST(CalculateDistances, ReportsTheFirstFaultyDataFieldOfLargeData) {
    constexpr std::int64_t kVariables = 20, kSubjects = 9999;
    std::mt19937_64 rng(17);
    std::vector<std::string> fields(kVariables * kSubjects);
    for (std::string& field : fields) field = RandomField(rng, 0.0);
    const std::string matrix = RandomTable(rng, kVariables * kVariables, 0.0, 0.0);
    const auto table = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t i = 0; i < cells.size(); ++i)
            text += cells[i] + (i + 1 == cells.size() ? "" : (i + 1) % kVariables ? "\t" : "\r\n");
        return text;
    };
    struct Fault {
        std::int64_t subject, variable;
        const char* text;
    };
    struct Case {
        std::vector<Fault> faults;
        std::string message;
    };
    const Case cases[] = {
        {{{9000, 2, "1,5"}, {3000, 1, "x"}}, DataMessage(3000, 1)},
        {{{kSubjects, kVariables, "12%"}}, DataMessage(kSubjects, kVariables)},
        {{{1, 1, " "}}, DataMessage(1, 1)},
        {{{5000, 1, ""}, {6000, 1, "1e"}}, DataMessage(5000, 1)},
        {{{4000, 2, "1 234"}, {5000, 1, ""}}, DataMessage(4000, 2)},
    };
    for (const Case& c : cases) {
        std::vector<std::string> cells = fields;
        for (const Fault& fault : c.faults) cells[(fault.subject - 1) * kVariables + fault.variable - 1] = fault.text;
        const Outcome outcome = Calculate(std::to_string(kVariables), std::to_string(kSubjects), matrix, table(cells));
        EXPECT_EQ(outcome.messages, std::vector{c.message});
        EXPECT_TRUE(outcome.lines.empty());
    }
}

TEST(DistanceKernels, EveryKernelGivesThePlainLoopsResultBitForBit) {
    std::mt19937_64 rng(9);
    std::vector<DistanceKernel> kernels = {PortableDistanceKernel};
    if (const DistanceKernel avx2 = Avx2DistanceKernel()) kernels.push_back(avx2);
    for (const std::int64_t v : {2, 15, 16, 17, 50, 99}) {
        std::vector<double> matrix(100 * 100), rows(20 * 100);
        for (double& x : matrix) x = fw::Val(RandomField(rng, 0.0));
        for (double& x : rows) x = fw::Val(RandomField(rng, 0.001));
        const PackedMatrix packed(matrix.data(), 100, v);
        for (const DistanceKernel kernel : kernels) {
            std::vector<double> sums(20);
            kernel(packed, rows.data(), 100, 20, sums.data());
            for (std::int64_t r = 0; r < 20; ++r) {
                const double* d = rows.data() + r * 100;  // d(k) is d[k - 1]
                double t[100] = {}, sum = 0.0;
                for (std::int64_t c = 1; c <= v; ++c)
                    for (std::int64_t k = 1; k <= v; ++k) t[c] = matrix[k * 100 + c] * d[k - 1] + t[c];
                for (std::int64_t i = 1; i <= v; ++i) sum = d[i - 1] * t[i] + sum;
                ASSERT_EQ(fw::Str(sums[r]), fw::Str(sum)) << "V " << v << " row " << r;
            }
        }
    }
}

TEST(TableFieldCursor, GivesAndCountsTheFieldsOfTheTextWithCrLfReplacedByTab) {
    std::mt19937_64 rng(13);
    const char alphabet[] = {'\t', '\r', '\n', 'a', ' '};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = rng() % 300; i > 0; --i) text += alphabet[rng() % std::size(alphabet)];
        const std::string replaced = fw::ReplaceAll(text, "\r\n", "\t");
        ASSERT_EQ(CountedFields(text), CountedFieldsOf(replaced)) << text;
        fw::FieldCursor expected(replaced, "\t");
        TableFieldCursor cursor(text);
        std::vector<std::size_t> starts;
        std::vector<std::string> fields;
        for (int n = 0; n < 310; ++n) {
            starts.push_back(cursor.Position());
            fields.emplace_back(cursor.Next());
            ASSERT_EQ(fields.back(), expected.Next()) << "field " << n + 1;
        }
        // A cursor started where a field begins goes on from that field.
        const std::size_t from = rng() % 100;
        TableFieldCursor restarted(text, starts[from]);
        for (std::size_t n = from; n < fields.size(); ++n) ASSERT_EQ(restarted.Next(), fields[n]);
    }
}

}  // namespace
