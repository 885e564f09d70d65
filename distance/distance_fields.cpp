#include "distance/distance_fields.hpp"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::size_t kBlock = 64;

constexpr std::string_view kBlanks = " \t\r\n\f\v";

// Bit j set: the byte at base + j starts a separator (a TAB, or a CR followed by LF).
std::uint64_t SeparatorMask(std::string_view text, std::size_t base) {
    const char* const p = text.data() + base;
#if defined(__SSE2__)
    if (base + kBlock < text.size()) {
        std::uint64_t tabs = 0, crs = 0, lfs = 0;
        for (std::size_t i = 0; i < kBlock; i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const auto bits = [&](char c) {
                const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
                return static_cast<std::uint64_t>(static_cast<std::uint16_t>(mask)) << i;
            };
            tabs |= bits('\t');
            crs |= bits('\r');
            lfs |= bits('\n');
        }
        const std::uint64_t lfAfter = static_cast<std::uint64_t>(p[kBlock] == '\n') << 63;
        return tabs | (crs & ((lfs >> 1) | lfAfter));
    }
#endif
    std::uint64_t mask = 0;
    for (std::size_t j = 0; j < kBlock && base + j < text.size(); ++j) {
        const bool crLf = p[j] == '\r' && base + j + 1 < text.size() && p[j + 1] == '\n';
        if (p[j] == '\t' || crLf) mask |= std::uint64_t{1} << j;
    }
    return mask;
}

}  // namespace

TableFieldCursor::TableFieldCursor(std::string_view text, std::size_t start)
    : text_(text), position_(start), blockBase_(start - start % kBlock) {
    separators_ = blockBase_ < text_.size() ? SeparatorMask(text_, blockBase_) : 0;
    separators_ &= ~std::uint64_t{0} << (start - blockBase_);
}

std::size_t TableFieldCursor::FindSeparator() {
    while (separators_ == 0) {
        blockBase_ += kBlock;
        if (blockBase_ >= text_.size()) return std::string_view::npos;
        separators_ = SeparatorMask(text_, blockBase_);
    }
    const std::size_t at = blockBase_ + static_cast<std::size_t>(std::countr_zero(separators_));
    separators_ &= separators_ - 1;
    return at;
}

std::string_view TableFieldCursor::Next() {
    if (pastEnd_) return {};
    const std::size_t start = position_;
    const std::size_t at = FindSeparator();
    if (at == std::string_view::npos) {
        pastEnd_ = true;
        position_ = text_.size();
        return text_.substr(start);
    }
    position_ = at + (text_[at] == '\t' ? 1 : 2);
    return text_.substr(start, at - start);
}

std::int64_t CountedFields(std::string_view text) {
    const std::size_t last = text.find_last_not_of(kBlanks);
    if (last == std::string_view::npos) return 0;
    // Every field after the one that holds the last non-blank is empty or blank: the fields
    // that count are those of the text up to that character.
    const std::string_view counted = text.substr(0, last + 1);
    std::int64_t separators = 0;
    for (std::size_t base = 0; base < counted.size(); base += kBlock)
        separators += std::popcount(SeparatorMask(counted, base));
    return separators + 1;
}

bool IsBlankText(std::string_view text) { return text.find_first_not_of(kBlanks) == std::string_view::npos; }
