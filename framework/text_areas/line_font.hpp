#pragma once
// Framework-internal: what the very long lines of a text area are measured in, for one font
// and one tab stop distance. Positions are counted in 1/64 pixel, as the toolkit counts them.
#include <QFont>
#include <QRawFont>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace fw::detail {

// The height of a line of text, made of the heights of its parts the way the toolkit makes it.
struct LineMetrics {
    std::int32_t ascent = 0, descent = 0, leading = 0;  // 1/64 pixel

    void Include(const LineMetrics& other);
    // What a text line of these metrics adds to the height of its block, in pixels.
    qreal Height() const;
};

class LineFont {
public:
    LineFont(const QFont& font, qreal tabStopDistance);

    const QFont& Font() const { return font_; }
    qreal TabStopDistance() const { return tabStopDistance_; }
    std::int64_t Tab() const { return tab_; }
    // Where a TAB at `x` ends, rounded as the toolkit rounds it.
    std::int64_t NextTabStop(std::int64_t x) const;

    // The advance of a simple character: one that the toolkit shapes on its own, from the
    // font itself, in every direction and script context. Nothing for any other character.
    std::optional<std::int32_t> Advance(char16_t c) const;
    // Whether shaping changes the advances of two simple characters side by side
    // (kerning, ligatures), in either order.
    bool Interact(char16_t a, char16_t b) const;
    // The metrics of a line of simple characters.
    const LineMetrics& Metrics() const { return metrics_; }

private:
    bool IsSimple(char16_t c) const;
    std::int32_t LaidOutWidth(const QString& text) const;

    QFont font_;
    qreal tabStopDistance_;
    std::int64_t tab_;
    QRawFont raw_;
    LineMetrics metrics_;
    static constexpr std::int32_t kUnknown = -1, kComplex = -2;
    mutable std::vector<std::int32_t> advances_ = std::vector<std::int32_t>(0x10000, kUnknown);
    mutable std::unordered_map<std::uint32_t, bool> pairs_;
};

}  // namespace fw::detail
