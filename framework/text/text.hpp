#pragma once
// The framework's text and number functions. Texts are UTF-8; a byte that does not begin a
// well-formed UTF-8 sequence counts as one character of its own.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// The number at the start of a text, the way a user writes it: leading white space skipped,
// an optional sign, then the longest decimal number (digits with an optional point and an
// optional exponent), or "inf", "infinity" or "nan" in any case. Whatever follows is ignored;
// a text without a number gives 0. Correctly rounded and independent of the locale (the point
// is the decimal mark); too large a magnitude gives infinity, too small zero or a subnormal.
double Val(std::string_view text);

// Val of a text, and whether the text is a number as a whole: with the blanks that Val skips
// (space, TAB, CR, LF, FF, VT) removed from both ends, Val's number is all that is left.
// "1,5", "12%", "1 234", "1e" and the empty or all-blank text are not numbers.
struct NumberReading {
    double value;
    bool isNumber;
};
NumberReading ReadNumber(std::string_view text);

// The shortest text that Val reads back as the same double: "25", "0.1", "1e+21", "-0".
// Infinities are "inf" and "-inf", every NaN is "nan"; Val reads all three back.
std::string Str(double value);
// The number in decimal digits, with a minus sign when negative.
std::string Str(std::int64_t value);
inline std::string Str(int value) { return Str(static_cast<std::int64_t>(value)); }

// Every occurrence of find replaced, scanning left to right without overlap. An empty find
// matches nothing.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// The number of characters; 0 exactly for the empty text.
std::int64_t Len(std::string_view text);

// The UTF-8 text of one code point; "" for a code that is no Unicode scalar value.
std::string Chr(std::int64_t code);

// The code point of the first character; 0 for the empty text. A byte that does not begin a
// well-formed sequence gives its own value.
std::int64_t Asc(std::string_view text);

// Field n (counted from 1) of a text split at every occurrence of separator. Empty fields,
// fields past the last one and n below 1 give "". An empty separator splits nothing: the
// whole text is field 1.
std::string NthField(std::string_view text, std::string_view separator, std::int64_t n);

// The fields of a text one after another, in a single forward pass: the k-th call of Next
// gives what NthField gives for n = k, "" once past the last field. The text must outlive
// the cursor.
class FieldCursor {
public:
    FieldCursor(std::string_view text, std::string_view separator);
    std::string_view Next();

private:
    std::string_view text_;
    std::string_view separator_;
    std::size_t position_ = 0;
    bool pastEnd_ = false;
};

}  // namespace fw
