#pragma once
// Property lists: the packed name-and-value byte string that sets every property of a window
// or a control in one call.
//
// An entry is the property's name in ASCII, one blank (0x20), then the value encoded by the
// property's declared type, little-endian, with no type mark, separator or padding:
//   Integer 8 bytes two's complement; Boolean 1 byte (0/1); FontUnit 1 byte unsigned;
//   Color 4 bytes, the value 0x00RRGGBB; Single 4 bytes IEEE; Double 8 bytes IEEE;
//   String a 4-byte unsigned byte count, then that many bytes of UTF-8.
// Entries stand back to back. A list carries no types, so it can only be read against the
// table of properties that the object's class (with its bases) declares.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace fw {

enum class PropertyType { Integer, Boolean, FontUnit, Color, Single, Double, String };

struct Color {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// A decoded value, held in the C++ type of its declared property type.
using PropertyValue = std::variant<std::int64_t,  // Integer
                                   bool,          // Boolean
                                   std::uint8_t,  // FontUnit
                                   Color,         // Color
                                   float,         // Single
                                   double,        // Double
                                   std::string>;  // String

struct Property {
    std::string name;
    PropertyValue value;
};

// The properties that one class declares, with the table of its base class.
class PropertyTable {
public:
    PropertyTable(std::string_view className, const PropertyTable* base,
                  std::initializer_list<std::pair<std::string_view, PropertyType>> properties);
    // The declared type of a property of this class or of one of its bases.
    std::optional<PropertyType> Find(std::string_view name) const;
    std::string_view ClassName() const { return className_; }

private:
    std::string_view className_;
    const PropertyTable* base_;
    std::vector<std::pair<std::string_view, PropertyType>> properties_;
};

// One entry as window code writes it: a name and a literal, converted to the declared type
// when the list is encoded (an integer literal for a Single is fine; a text for an Integer
// is not).
class PropertySpec {
public:
    PropertySpec(std::string_view name, int value) : name_(name), value_(std::int64_t{value}) {}
    PropertySpec(std::string_view name, std::int64_t value) : name_(name), value_(value) {}
    PropertySpec(std::string_view name, bool value) : name_(name), value_(value) {}
    PropertySpec(std::string_view name, double value) : name_(name), value_(value) {}
    PropertySpec(std::string_view name, Color value) : name_(name), value_(value) {}
    PropertySpec(std::string_view name, const char* value) : name_(name), value_(std::string_view(value)) {}
    PropertySpec(std::string_view name, std::string_view value) : name_(name), value_(value) {}

    using Literal = std::variant<std::int64_t, bool, double, Color, std::string_view>;
    std::string_view Name() const { return name_; }
    const Literal& Value() const { return value_; }

private:
    std::string_view name_;
    Literal value_;
};

// Encodes entries in the order given. Raises UnsupportedFormatException for a name that the
// table does not declare and TypeMismatchException for a literal that does not fit the type.
std::string EncodeProperties(const PropertyTable& table, std::initializer_list<PropertySpec> entries);

// Reads a whole list against a table. Raises UnsupportedFormatException for an unknown name,
// a missing blank or a value cut short; never reads past the end of the list.
std::vector<Property> DecodeProperties(std::string_view list, const PropertyTable& table);

// Something that a property list can be applied to: a window or a control.
class PropertyHolder {
public:
    virtual ~PropertyHolder() = default;
    virtual const PropertyTable& Properties() const = 0;
    virtual void SetProperty(const Property& property) = 0;
};

// `_SetProperties`: decodes the list against the object's table, then sets every entry
// in the list's order. A malformed list sets nothing.
void SetProperties(PropertyHolder& object, std::string_view list);

}  // namespace fw
