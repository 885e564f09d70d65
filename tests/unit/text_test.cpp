// The framework's text and number functions on the texts users paste and type.
#include "framework/text/text.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Val, ReadsTheLeadingNumberOfATextAndIgnoresTheRest) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"25", 25},           {"  -3.2abc", -3.2},   {"+7", 7},           {"\t\r\n 12", 12},
        {".5", 0.5},          {"5.", 5},             {"-.25e1", -2.5},    {"1.5E+3", 1500},
        {"1e", 1},            {"1e+", 1},            {"2e-x", 2},         {"1,5", 1},
        {"0x10", 0},          {"", 0},               {"abc", 0},          {"-", 0},
        {"+-1", 0},           {"-+1", 0},            {"--1", 0},          {". 5", 0},
        {"0.1", 0.1},         {"1e400", kInf},       {"-1e400", -kInf},   {"1e99999999999999999999", kInf},
        {"INF", kInf},        {"-Infinity", -kInf},  {"infx", kInf},      {"0e999999999", 0},
        {"4e-320", 4e-320},   {"2.2250738585072011e-308", 2.2250738585072011e-308},
        {"9007199254740993", 9007199254740992.0},  // halfway: rounds to even
        {"0.000000000000000000000000000000000000001e39", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(fw::Val(c.text)), std::bit_cast<std::uint64_t>(c.value)) << c.text;
}

TEST(Val, UnderflowGivesZeroOfTheRightSignAndNanIsNan) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(fw::Val("1e-400")), std::bit_cast<std::uint64_t>(0.0));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(fw::Val("-1e-400")), std::bit_cast<std::uint64_t>(-0.0));
    EXPECT_EQ(fw::Val("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    for (const char* text : {"nan", "NaN", "-nan", " nan(1)"}) EXPECT_TRUE(std::isnan(fw::Val(text))) << text;
}

// A field pasted from a spreadsheet is a number only when Val's number is all of it but blanks
// at its ends; otherwise Val's reading of it would silently drop the rest.
TEST(ReadNumber, TellsWhetherTheWholeTextIsTheNumberThatValReads) {
    using namespace std::string_view_literals;
    struct Case {
        std::string_view text;
        bool isNumber;
    };
    const Case cases[] = {
        {"25", true},        {" 1.5 ", true},      {"-2e3", true},       {"+.5", true},
        {"5.", true},        {"1E+3", true},       {"\t\r\n\v\f7\r\n", true}, {"inf", true},
        {"-Infinity", true}, {"NaN", true},        {"1e400", true},      {"-1e-400", true},
        {"0.000000000000000000000000000001", true},
        {"", false},         {" ", false},         {"\n", false},       {"1,5", false},
        {"1 234", false},    {"12%", false},       {"\xC2\xA0" "1", false}, {"1\xC2\xA0", false},
        {"1e", false},       {"1e+", false},       {"--1", false},       {"+-1", false},
        {"-", false},        {".", false},         {"e5", false},        {"1.5.2", false},
        {"0x10", false},     {"infx", false},      {"nan(1)", false},    {"1\n2", false},
        {"abc", false},      {"1\0"sv, false},    {"\0" "1"sv, false},
    };
    for (const Case& c : cases) {
        const fw::NumberReading reading = fw::ReadNumber(c.text);
        EXPECT_EQ(reading.isNumber, c.isNumber) << '"' << c.text << '"';
        EXPECT_EQ(std::bit_cast<std::uint64_t>(reading.value), std::bit_cast<std::uint64_t>(fw::Val(c.text)))
            << c.text;
    }
}

TEST(Str, GivesTheShortestTextThatReadsBack) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{25, "25"},         {2, "2"},         {0.1, "0.1"},    {-1.5, "-1.5"},
                          {0, "0"},           {-0.0, "-0"},     {1e21, "1e+21"}, {1.5e-7, "1.5e-07"},
                          {123456.789, "123456.789"},           {kInf, "inf"},   {-kInf, "-inf"},
                          {std::nan(""), "nan"}, {-std::nan(""), "nan"}};
    for (const Case& c : cases) EXPECT_EQ(fw::Str(c.value), c.text);

    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = rng() >> (i % 2 ? 0 : 12);  // also small and subnormal values
        const double value = std::bit_cast<double>(bits);
        if (std::isnan(value)) continue;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(fw::Val(fw::Str(value))), bits) << fw::Str(value);
    }
}

TEST(Str, WritesIntegersInDecimalDigits) {
    EXPECT_EQ(fw::Str(std::int64_t{0}), "0");
    EXPECT_EQ(fw::Str(99), "99");
    EXPECT_EQ(fw::Str(std::int64_t{-5}), "-5");
    EXPECT_EQ(fw::Str(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutOverlap) {
    EXPECT_EQ(fw::ReplaceAll("1\r\n2\r\n", "\r\n", "\t"), "1\t2\t");
    EXPECT_EQ(fw::ReplaceAll("a\r\r\nb\n\r", "\r\n", "\t"), "a\r\tb\n\r");
    EXPECT_EQ(fw::ReplaceAll("aaaaa", "aa", "b"), "bba");
    EXPECT_EQ(fw::ReplaceAll("abc", "x", "y"), "abc");
    EXPECT_EQ(fw::ReplaceAll("abc", "", "y"), "abc");
    EXPECT_EQ(fw::ReplaceAll("", "a", "b"), "");
}

TEST(Characters, LenChrAscCountAndCodeUtf8) {
    EXPECT_EQ(fw::Len(""), 0);
    EXPECT_EQ(fw::Len("abc"), 3);
    EXPECT_EQ(fw::Len("\xC3\xA9t\xE2\x82\xAC\xF0\x9F\x98\x80"), 4);  // é t € 😀
    EXPECT_EQ(fw::Len("\x80\xC3"), 2);                                // broken bytes still count
    EXPECT_EQ(fw::Chr(9), "\t");
    EXPECT_EQ(fw::Chr(0), std::string(1, '\0'));
    EXPECT_EQ(fw::Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(fw::Chr(0xD800), "");
    EXPECT_EQ(fw::Chr(0x110000), "");
    EXPECT_EQ(fw::Chr(-1), "");
    EXPECT_EQ(fw::Asc(""), 0);
    EXPECT_EQ(fw::Asc("A"), 65);
    EXPECT_EQ(fw::Asc("\xE2\x82\xACuro"), 0x20AC);
    EXPECT_EQ(fw::Asc("\xE0\x80\x80"), 0xE0);  // overlong form: its first byte alone
    for (std::int64_t code : {1, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF}) {
        EXPECT_EQ(fw::Asc(fw::Chr(code)), code);
        EXPECT_EQ(fw::Len(fw::Chr(code)), 1);
    }
}

TEST(NthField, CountsFromOneAndGivesEmptyForEmptyAndMissingFields) {
    const std::string text = "a\tb\t\tc";
    const std::vector<std::string> expected = {"", "a", "b", "", "c", "", ""};
    for (std::int64_t n = 0; n < 7; ++n) EXPECT_EQ(fw::NthField(text, "\t", n), expected[n]) << n;
    EXPECT_EQ(fw::NthField(text, "\t", std::numeric_limits<std::int64_t>::max()), "");
    EXPECT_EQ(fw::NthField("", "\t", 1), "");
    EXPECT_EQ(fw::NthField("x--y--", "--", 2), "y");
    EXPECT_EQ(fw::NthField("a\tb", "", 1), "a\tb");
    EXPECT_EQ(fw::NthField("a\tb", "", 2), "");
}

TEST(FieldCursor, GivesTheSameFieldsAsNthField) {
    std::mt19937 rng(3);
    const char alphabet[] = {'a', 'b', '\t', '\t'};
    for (const std::string separator : {"\t", "ab", "aba", ""}) {
        for (int round = 0; round < 300; ++round) {
            std::string text;
            for (int i = rng() % 40; i > 0; --i) text += alphabet[rng() % 4];
            fw::FieldCursor cursor(text, separator);
            for (std::int64_t n = 1; n <= 45; ++n)
                ASSERT_EQ(cursor.Next(), fw::NthField(text, separator, n)) << text << " field " << n;
        }
    }
}

}  // namespace
