#pragma once
// Fields of pasted table text. TAB and the pair CR LF both end a field; a lone CR or LF is
// part of its field. The k-th call of Next gives exactly what
//   fw::NthField(fw::ReplaceAll(text, CR LF, TAB), TAB, k)
// gives, without building the replaced text and in one forward pass.
#include <cstddef>
#include <cstdint>
#include <string_view>

class TableFieldCursor {
public:
    // start must be 0 or a position that Position() gave for the same text.
    explicit TableFieldCursor(std::string_view text, std::size_t start = 0);

    // The next field; "" once past the last one.
    std::string_view Next();

    // Where the field that Next gives next begins.
    std::size_t Position() const { return position_; }

private:
    std::size_t FindSeparator();

    std::string_view text_;
    std::size_t position_;
    std::size_t blockBase_;
    std::uint64_t separators_;  // separators in the 64 bytes from blockBase_ not yet passed
    bool pastEnd_ = false;
};

// The number of fields in the text, as TableFieldCursor gives them, without those at its end
// that are empty or hold only blanks (space, TAB, CR, LF, FF, VT): a final line end, empty
// lines or a row of empty cells copied along add none. 0 for a text of blanks only.
std::int64_t CountedFields(std::string_view text);

// Whether the text holds blanks only, so that every field in it is empty or blank.
bool IsBlankText(std::string_view text);
