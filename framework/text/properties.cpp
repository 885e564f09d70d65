#include "framework/text/properties.hpp"

#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>

#include "framework/text/exceptions.hpp"

namespace fw {

PropertyTable::PropertyTable(std::string_view className, const PropertyTable* base,
                             std::initializer_list<std::pair<std::string_view, PropertyType>> properties)
    : className_(className), base_(base), properties_(properties) {}

std::optional<PropertyType> PropertyTable::Find(std::string_view name) const {
    for (const PropertyTable* table = this; table != nullptr; table = table->base_) {
        for (const auto& [declared, type] : table->properties_) {
            if (declared == name) return type;
        }
    }
    return std::nullopt;
}

namespace {

// ---- encoding -------------------------------------------------------------------------------

// Appends the low `width` bytes of `bits`, least significant first, whatever the host's order.
void AppendLittleEndian(std::string& out, std::uint64_t bits, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

[[noreturn]] void Mismatch(std::string_view name, std::string_view why) {
    throw TypeMismatchException("property " + std::string(name) + ": " + std::string(why));
}

template <class T>
const T& LiteralAs(const PropertySpec& entry, std::string_view expected) {
    if (const auto* value = std::get_if<T>(&entry.Value())) return *value;
    Mismatch(entry.Name(), std::string("needs ") + std::string(expected));
}

// An integer or a floating-point literal, as a double.
double NumberLiteral(const PropertySpec& entry) {
    if (const auto* integer = std::get_if<std::int64_t>(&entry.Value())) return static_cast<double>(*integer);
    return LiteralAs<double>(entry, "a number");
}

float SingleLiteral(const PropertySpec& entry) {
    if (const auto* integer = std::get_if<std::int64_t>(&entry.Value())) return static_cast<float>(*integer);
    const double value = LiteralAs<double>(entry, "a number");
    // Converting a finite double beyond float's range is undefined behaviour.
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        Mismatch(entry.Name(), "value out of range for Single");
    }
    return static_cast<float>(value);
}

void AppendValue(std::string& out, PropertyType type, const PropertySpec& entry) {
    switch (type) {
    case PropertyType::Integer:
        AppendLittleEndian(out, static_cast<std::uint64_t>(LiteralAs<std::int64_t>(entry, "an integer")), 8);
        return;
    case PropertyType::Boolean:
        out.push_back(LiteralAs<bool>(entry, "a Boolean") ? 1 : 0);
        return;
    case PropertyType::FontUnit: {
        const std::int64_t unit = LiteralAs<std::int64_t>(entry, "an integer");
        if (unit < 0 || unit > 255) Mismatch(entry.Name(), "value out of range 0 to 255");
        out.push_back(static_cast<char>(unit));
        return;
    }
    case PropertyType::Color: {
        const Color color = LiteralAs<Color>(entry, "a colour");
        AppendLittleEndian(out, (std::uint32_t{color.red} << 16) | (std::uint32_t{color.green} << 8) | color.blue, 4);
        return;
    }
    case PropertyType::Single:
        AppendLittleEndian(out, std::bit_cast<std::uint32_t>(SingleLiteral(entry)), 4);
        return;
    case PropertyType::Double:
        AppendLittleEndian(out, std::bit_cast<std::uint64_t>(NumberLiteral(entry)), 8);
        return;
    case PropertyType::String: {
        const std::string_view text = LiteralAs<std::string_view>(entry, "a text");
        if (text.size() > std::numeric_limits<std::uint32_t>::max()) Mismatch(entry.Name(), "text too long");
        AppendLittleEndian(out, text.size(), 4);
        out.append(text);
        return;
    }
    }
}

// ---- decoding -------------------------------------------------------------------------------

// Reads a list from front to back; every read checks the bytes that remain first.
class ListReader {
public:
    explicit ListReader(std::string_view list) : list_(list) {}

    bool AtEnd() const { return position_ == list_.size(); }

    // The name of the next entry: the bytes up to the first blank, which is consumed.
    std::string_view Name() {
        const std::size_t blank = list_.find(' ', position_);
        if (blank == std::string_view::npos) Malformed("a name without its blank");
        if (blank == position_) Malformed("an empty name");
        const std::string_view name = list_.substr(position_, blank - position_);
        position_ = blank + 1;
        return name;
    }

    std::string_view Bytes(std::size_t count) {
        if (count > list_.size() - position_) Malformed("a value cut short");
        const std::string_view bytes = list_.substr(position_, count);
        position_ += count;
        return bytes;
    }

    std::uint64_t LittleEndian(int width) {
        const std::string_view bytes = Bytes(static_cast<std::size_t>(width));
        std::uint64_t bits = 0;
        for (int i = 0; i < width; ++i) bits |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
        return bits;
    }

    PropertyValue Value(PropertyType type) {
        switch (type) {
        case PropertyType::Integer:
            return static_cast<std::int64_t>(LittleEndian(8));
        case PropertyType::Boolean: {
            const std::uint64_t flag = LittleEndian(1);
            if (flag > 1) Malformed("a Boolean other than 0 or 1");
            return flag == 1;
        }
        case PropertyType::FontUnit:
            return static_cast<std::uint8_t>(LittleEndian(1));
        case PropertyType::Color: {
            const auto bits = static_cast<std::uint32_t>(LittleEndian(4));
            return Color{static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
                         static_cast<std::uint8_t>(bits)};
        }
        case PropertyType::Single:
            return std::bit_cast<float>(static_cast<std::uint32_t>(LittleEndian(4)));
        case PropertyType::Double:
            return std::bit_cast<double>(LittleEndian(8));
        case PropertyType::String: {
            const std::uint64_t count = LittleEndian(4);
            return std::string(Bytes(static_cast<std::size_t>(count)));
        }
        }
        Malformed("an unknown type");
    }

    [[noreturn]] void Malformed(std::string_view what) const {
        throw UnsupportedFormatException("property list: " + std::string(what) + " at byte " +
                                         std::to_string(position_));
    }

private:
    std::string_view list_;
    std::size_t position_ = 0;
};

}  // namespace

std::string EncodeProperties(const PropertyTable& table, std::initializer_list<PropertySpec> entries) {
    std::string list;
    for (const PropertySpec& entry : entries) {
        const std::optional<PropertyType> type = table.Find(entry.Name());
        if (!type) {
            throw UnsupportedFormatException(std::string(table.ClassName()) + " has no property " +
                                             std::string(entry.Name()));
        }
        list.append(entry.Name());
        list.push_back(' ');
        AppendValue(list, *type, entry);
    }
    return list;
}

std::vector<Property> DecodeProperties(std::string_view list, const PropertyTable& table) {
    std::vector<Property> properties;
    ListReader reader(list);
    while (!reader.AtEnd()) {
        const std::string_view name = reader.Name();
        const std::optional<PropertyType> type = table.Find(name);
        if (!type) reader.Malformed(std::string(table.ClassName()) + " has no property " + std::string(name));
        properties.push_back(Property{std::string(name), reader.Value(*type)});
    }
    return properties;
}

void SetProperties(PropertyHolder& object, std::string_view list) {
    // Decoding the whole list first means a malformed list changes nothing.
    const std::vector<Property> properties = DecodeProperties(list, object.Properties());
    for (const Property& property : properties) object.SetProperty(property);
}

}  // namespace fw
