// Property lists: the exact bytes of encoded entries, decoding against a table with a base,
// and the malformed lists that must be refused without setting anything.
#include "framework/text/properties.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "framework/text/exceptions.hpp"

namespace {

using fw::Color;
using fw::Property;
using fw::PropertyType;

// A control-like class over a base, declaring one property of every type.
const fw::PropertyTable kBase("Base", nullptr,
                              {{"Index", PropertyType::Integer}, {"Tooltip", PropertyType::String}});
const fw::PropertyTable kTable("Sample", &kBase,
                               {{"Period", PropertyType::Integer},
                                {"RunMode", PropertyType::Integer},
                                {"Bold", PropertyType::Boolean},
                                {"TextUnit", PropertyType::FontUnit},
                                {"TextColor", PropertyType::Color},
                                {"FontSize", PropertyType::Single},
                                {"LineSpacing", PropertyType::Double},
                                {"Text", PropertyType::String}});

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int byte : bytes) out.push_back(static_cast<char>(byte));
    return out;
}

TEST(PropertyTable, FindsOwnAndBasePropertiesOnly) {
    EXPECT_EQ(kTable.Find("FontSize"), PropertyType::Single);
    EXPECT_EQ(kTable.Find("Tooltip"), PropertyType::String);
    EXPECT_EQ(kBase.Find("Tooltip"), PropertyType::String);
    EXPECT_FALSE(kBase.Find("FontSize"));
    EXPECT_FALSE(kTable.Find("fontsize"));
    EXPECT_FALSE(kTable.Find(""));
}

TEST(EncodeProperties, TimerListIsThirtyOneBytes) {
    const std::string list = fw::EncodeProperties(kTable, {{"Period", 4000}, {"RunMode", 1}});
    const std::string expected = "Period " + Bytes({0xA0, 0x0F, 0, 0, 0, 0, 0, 0}) + "RunMode " +
                                 Bytes({1, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(list.size(), 31u);
    EXPECT_EQ(list, expected);
}

struct ValueCase {
    const char* what;
    fw::PropertySpec entry;
    std::string valueBytes;
};

TEST(EncodeProperties, ValuesAreLittleEndianByDeclaredType) {
    const ValueCase cases[] = {
        {"empty String", {"Tooltip", ""}, Bytes({0, 0, 0, 0})},
        {"lowest 32-bit Index", {"Index", std::int64_t{-2147483648LL}},
         Bytes({0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"Single from an integer", {"FontSize", 14}, Bytes({0x00, 0x00, 0x60, 0x41})},
        {"Single from a double", {"FontSize", 0.5}, Bytes({0x00, 0x00, 0x00, 0x3F})},
        {"Double from an integer", {"LineSpacing", 1}, Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
        {"Color", {"TextColor", Color{0, 128, 64}}, Bytes({0x40, 0x80, 0x00, 0x00})},
        {"Color red", {"TextColor", Color{255, 0, 0}}, Bytes({0x00, 0x00, 0xFF, 0x00})},
        {"Boolean true", {"Bold", true}, Bytes({1})},
        {"Boolean false", {"Bold", false}, Bytes({0})},
        {"FontUnit", {"TextUnit", 255}, Bytes({0xFF})},
        {"String counts UTF-8 bytes", {"Text", "D\xC2\xB2"}, Bytes({3, 0, 0, 0, 'D', 0xC2, 0xB2})},
    };
    for (const ValueCase& c : cases) {
        const std::string list = fw::EncodeProperties(kTable, {c.entry});
        EXPECT_EQ(list, std::string(c.entry.Name()) + " " + c.valueBytes) << c.what;
    }
}

TEST(EncodeProperties, RefusesUnknownNamesAndLiteralsOfAnotherType) {
    EXPECT_THROW(fw::EncodeProperties(kTable, {{"Nonesuch", 1}}), fw::UnsupportedFormatException);
    EXPECT_THROW(fw::EncodeProperties(kBase, {{"FontSize", 14}}), fw::UnsupportedFormatException);

    const fw::PropertySpec mismatches[] = {
        {"Index", "12"},         {"Index", 1.5},          {"Index", true},
        {"Bold", 1},             {"Tooltip", 0},          {"TextColor", 0x408000},
        {"TextUnit", 256},       {"TextUnit", -1},        {"TextUnit", 12.0},
        {"FontSize", 1e300},     {"LineSpacing", "1"},    {"FontSize", Color{}},
    };
    for (const fw::PropertySpec& entry : mismatches) {
        EXPECT_THROW(fw::EncodeProperties(kTable, {entry}), fw::TypeMismatchException) << entry.Name();
    }
}

TEST(DecodeProperties, RoundTripsEveryTypeInOrder) {
    const std::string list = fw::EncodeProperties(
        kTable, {{"Index", std::int64_t{-2147483648LL}}, {"Tooltip", ""}, {"Period", std::int64_t{1} << 62},
                 {"Bold", true}, {"TextUnit", 3}, {"TextColor", Color{1, 2, 3}}, {"FontSize", 12.25},
                 {"LineSpacing", -0.1}, {"Text", "Mahalanobis D\xC2\xB2"}});
    const std::vector<Property> properties = fw::DecodeProperties(list, kTable);
    const std::vector<Property> expected = {
        {"Index", std::int64_t{-2147483648LL}}, {"Tooltip", std::string()},
        {"Period", std::int64_t{1} << 62},      {"Bold", true},
        {"TextUnit", std::uint8_t{3}},          {"TextColor", Color{1, 2, 3}},
        {"FontSize", 12.25f},                   {"LineSpacing", -0.1},
        {"Text", std::string("Mahalanobis D\xC2\xB2")},
    };
    ASSERT_EQ(properties.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(properties[i].name, expected[i].name);
        EXPECT_EQ(properties[i].value, expected[i].value) << expected[i].name;
    }
    EXPECT_TRUE(fw::DecodeProperties("", kTable).empty());
}

TEST(DecodeProperties, StringValueMayHoldAnyByteIncludingBlanks) {
    std::string value;
    for (int byte = 0; byte < 256; ++byte) value.push_back(static_cast<char>(byte));
    // A value that looks like further entries is still read by its count alone.
    value += " Period " + Bytes({1, 0, 0, 0, 0, 0, 0, 0});
    const std::string list = fw::EncodeProperties(kTable, {{"Text", value}, {"Bold", true}});
    const std::vector<Property> properties = fw::DecodeProperties(list, kTable);
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(std::get<std::string>(properties[0].value), value);
    EXPECT_EQ(properties[1].name, "Bold");
}

TEST(DecodeProperties, FixedWidthValuesMayHoldBlankBytes) {
    // 0x2020202020202020 and the colour (32, 32, 32): every value byte is a blank.
    const std::string list = "Period " + std::string(8, ' ') + "TextColor " + Bytes({32, 32, 32, 0});
    const std::vector<Property> properties = fw::DecodeProperties(list, kTable);
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(std::get<std::int64_t>(properties[0].value), 0x2020202020202020);
    EXPECT_EQ(std::get<Color>(properties[1].value), (Color{32, 32, 32}));
}

TEST(DecodeProperties, RefusesMalformedLists) {
    const std::string period = "Period " + Bytes({1, 0, 0, 0, 0, 0, 0, 0});
    const struct {
        const char* what;
        std::string list;
    } cases[] = {
        {"Integer cut short", "Period " + Bytes({1, 0, 0, 0, 0, 0, 0})},
        {"Single cut short", "FontSize " + Bytes({0, 0, 0x60})},
        {"Double cut short", period + "LineSpacing " + Bytes({0, 0, 0, 0, 0, 0, 0xF0})},
        {"Boolean missing", "Bold "},
        {"String count cut short", "Text " + Bytes({1, 0, 0})},
        {"String bytes cut short", "Text " + Bytes({5, 0, 0, 0}) + "abcd"},
        {"String count past any list", "Text " + Bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "x"},
        {"no blank after the name", "Period"},
        {"no blank after a second name", period + "RunMode"},
        {"empty name", " " + Bytes({1, 0, 0, 0, 0, 0, 0, 0})},
        {"unknown name", "Periods " + Bytes({1, 0, 0, 0, 0, 0, 0, 0})},
        {"unknown name after a good entry", period + "Nonesuch " + Bytes({0})},
        {"name in another case", "period " + Bytes({1, 0, 0, 0, 0, 0, 0, 0})},
        {"Boolean other than 0 or 1", "Bold " + Bytes({2})},
        {"trailing byte", period + "x"},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(fw::DecodeProperties(c.list, kTable), fw::UnsupportedFormatException) << c.what;
    }
}

// Records what a list sets, in order.
class Recorder : public fw::PropertyHolder {
public:
    const fw::PropertyTable& Properties() const override { return kTable; }
    void SetProperty(const Property& property) override { set.push_back(property); }
    std::vector<Property> set;
};

TEST(SetProperties, SetsEveryEntryInOrderSoALaterDuplicateWins) {
    Recorder object;
    fw::SetProperties(object, fw::EncodeProperties(kTable, {{"RunMode", 2}, {"Bold", true}, {"RunMode", 1}}));
    ASSERT_EQ(object.set.size(), 3u);
    EXPECT_EQ(object.set[0].name, "RunMode");
    EXPECT_EQ(object.set[1].name, "Bold");
    EXPECT_EQ(object.set[2].name, "RunMode");
    EXPECT_EQ(std::get<std::int64_t>(object.set[2].value), 1);
}

TEST(SetProperties, MalformedListSetsNothing) {
    Recorder object;
    const std::string good = fw::EncodeProperties(kTable, {{"RunMode", 2}, {"Bold", true}});
    EXPECT_THROW(fw::SetProperties(object, good + "Text " + Bytes({9, 0, 0, 0})), fw::UnsupportedFormatException);
    EXPECT_TRUE(object.set.empty());
}

}  // namespace
