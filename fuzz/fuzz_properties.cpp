// Arbitrary bytes as a property list, read against a table that declares every type: the
// reader must refuse what is malformed with an exception and never read past the end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/text/exceptions.hpp"
#include "framework/text/properties.hpp"

namespace {

using fw::PropertyType;

const fw::PropertyTable kBase("Base", nullptr,
                              {{"Index", PropertyType::Integer}, {"Tooltip", PropertyType::String}});
const fw::PropertyTable kTable("Sample", &kBase,
                               {{"Period", PropertyType::Integer},
                                {"Bold", PropertyType::Boolean},
                                {"TextUnit", PropertyType::FontUnit},
                                {"TextColor", PropertyType::Color},
                                {"FontSize", PropertyType::Single},
                                {"LineSpacing", PropertyType::Double},
                                {"Text", PropertyType::String}});

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past its end.
    const std::string list(reinterpret_cast<const char*>(data), size);
    try {
        for (const fw::Property& property : fw::DecodeProperties(list, kTable)) {
            if (!kTable.Find(property.name)) __builtin_trap();
        }
    } catch (const fw::UnsupportedFormatException&) {
    }
    return 0;
}
