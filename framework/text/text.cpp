#include "framework/text/text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace fw {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// For a decimal number that std::from_chars found out of range (it then leaves its result
// untouched): true when the magnitude is too large for a double, false when too small.
// Such a number lies far outside [1e-300, 1e300], so the position of its first significant
// digit decides.
bool IsTooLarge(std::string_view number) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 50;
    std::size_t i = 0;
    std::int64_t integerDigits = 0;  // significant digits before the point
    std::int64_t leadingZeros = 0;   // zeros after the point before the first significant digit
    bool significant = false;
    for (; i < number.size() && IsDigit(number[i]); ++i) {
        significant = significant || number[i] != '0';
        if (significant) integerDigits = std::min(integerDigits + 1, kLimit);
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && IsDigit(number[i]); ++i) {
            significant = significant || number[i] != '0';
            if (!significant) leadingZeros = std::min(leadingZeros + 1, kLimit);
        }
    }
    std::int64_t exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
        for (; i < number.size() && IsDigit(number[i]); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), kLimit);
        if (negative) exponent = -exponent;
    }
    // The number lies in [10^(position - 1), 10^position).
    const std::int64_t position = integerDigits > 0 ? integerDigits + exponent : exponent - leadingZeros;
    return position > 0;
}

struct CodePoint {
    std::int64_t value;
    std::size_t length;
};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The character at text[pos], which must exist. A byte that does not begin a well-formed
// sequence (a stray continuation byte, an overlong form, a surrogate, a cut-off sequence)
// is a character of its own whose code is the byte's value.
CodePoint DecodeAt(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return {lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {lead, 1};
    }
    if (pos + length > text.size() || byte(1) < low || byte(1) > high) return {lead, 1};
    std::int64_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(byte(i))) return {lead, 1};
        value = (value << 6) | (byte(i) & 0x3F);
    }
    return {value, length};
}

}  // namespace

NumberReading ReadNumber(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && IsBlank(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // std::from_chars takes a minus sign of its own; a second sign is no number.
    if (p == end || *p == '-') return {0.0, false};
    double value = 0.0;
    const auto [last, error] = std::from_chars(p, end, value, std::chars_format::general);
    if (error == std::errc::invalid_argument) return {0.0, false};
    if (error == std::errc::result_out_of_range)
        value = IsTooLarge({p, static_cast<std::size_t>(last - p)}) ? std::numeric_limits<double>::infinity() : 0.0;
    // from_chars also reads "nan(...)"; the parenthesis is not part of a number as users
    // write one.
    bool isNumber = last[-1] != ')';
    for (const char* rest = last; rest != end && isNumber; ++rest) isNumber = IsBlank(*rest);
    return {negative ? -value : value, isNumber};
}

double Val(std::string_view text) { return ReadNumber(text).value; }

std::string Str(double value) {
    if (std::isnan(value)) return "nan";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Str(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
        result.append(text, from, at - from);
        result.append(replacement);
        from = at + find.size();
    }
    result.append(text, from);
    return result;
}

std::int64_t Len(std::string_view text) {
    std::int64_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += DecodeAt(text, pos).length) ++count;
    return count;
}

std::string Chr(std::int64_t code) {
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return "";
    const auto unit = [](std::int64_t bits) { return static_cast<char>(bits); };
    if (code < 0x80) return std::string(1, unit(code));
    if (code < 0x800) return {unit(0xC0 | (code >> 6)), unit(0x80 | (code & 0x3F))};
    if (code < 0x10000)
        return {unit(0xE0 | (code >> 12)), unit(0x80 | ((code >> 6) & 0x3F)), unit(0x80 | (code & 0x3F))};
    return {unit(0xF0 | (code >> 18)), unit(0x80 | ((code >> 12) & 0x3F)), unit(0x80 | ((code >> 6) & 0x3F)),
            unit(0x80 | (code & 0x3F))};
}

std::int64_t Asc(std::string_view text) { return text.empty() ? 0 : DecodeAt(text, 0).value; }

std::string NthField(std::string_view text, std::string_view separator, std::int64_t n) {
    if (n < 1) return "";
    std::size_t start = 0;
    for (std::int64_t i = 1; i < n; ++i) {
        const std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator, start);
        if (at == std::string_view::npos) return "";
        start = at + separator.size();
    }
    const std::size_t end = separator.empty() ? std::string_view::npos : text.find(separator, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

FieldCursor::FieldCursor(std::string_view text, std::string_view separator)
    : text_(text), separator_(separator) {}

std::string_view FieldCursor::Next() {
    if (pastEnd_) return {};
    const std::size_t at = separator_.empty() ? std::string_view::npos : text_.find(separator_, position_);
    if (at == std::string_view::npos) {
        pastEnd_ = true;
        return text_.substr(position_);
    }
    const std::string_view field = text_.substr(position_, at - position_);
    position_ = at + separator_.size();
    return field;
}

}  // namespace fw
