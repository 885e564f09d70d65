// The font and tab stops of very long lines, and the advances of simple characters.
#include "framework/text_areas/line_font.hpp"

#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace fw::detail {

namespace {

std::int32_t Units(qreal pixels) { return static_cast<std::int32_t>(std::llround(pixels * 64)); }

// The toolkit rounds a height up to whole pixels.
std::int32_t CeilUnits(std::int32_t units) { return (units + 63) & -64; }

bool IsSimpleCategory(QChar::Category category) {
    switch (category) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return true;
    }
}

// Characters that resolve to the same glyph and advance in either direction: no right-to-left
// or number class of their own, nothing that joins, mirrors or is laid out apart.
bool IsSimpleDirection(QChar::Direction direction) {
    switch (direction) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirWS:
    case QChar::DirON:
        return true;
    default:
        return false;
    }
}

bool IsSimpleScript(QChar::Script script) {
    return script == QChar::Script_Common || script == QChar::Script_Latin || script == QChar::Script_Greek ||
           script == QChar::Script_Cyrillic;
}

}  // namespace

void LineMetrics::Include(const LineMetrics& other) {
    leading = std::max(leading + ascent, other.leading + other.ascent) - std::max(ascent, other.ascent);
    ascent = std::max(ascent, other.ascent);
    descent = std::max(descent, other.descent);
}

qreal LineMetrics::Height() const {
    const qreal height = CeilUnits(ascent + descent + std::max(0, leading)) / 64.0;
    return leading < 0 ? height + std::ceil(leading / 64.0) : height;
}

LineFont::LineFont(const QFont& font, qreal tabStopDistance)
    : font_(font),
      tabStopDistance_(tabStopDistance),
      tab_(static_cast<std::int64_t>(tabStopDistance > 0 ? tabStopDistance * 64 : 80 * 64)),
      raw_(QRawFont::fromFont(font)) {
    QTextLayout sample(QStringLiteral("x"), font_);
    sample.beginLayout();
    QTextLine line = sample.createLine();
    line.setLeadingIncluded(true);
    line.setLineWidth(1e9);
    sample.endLayout();
    metrics_ = {Units(line.ascent()), Units(line.descent()), Units(line.leading())};
}

std::int64_t LineFont::NextTabStop(std::int64_t x) const {
    const std::int64_t column = ((x << 6) + (tab_ >> 1)) / tab_;  // the toolkit's fixed-point division
    return ((column >> 6) + 1) * tab_;
}

bool LineFont::IsSimple(char16_t c) const {
    return !QChar::isSurrogate(c) && c != 0xFFFC && IsSimpleCategory(QChar::category(c)) && !QChar::hasMirrored(c) &&
           IsSimpleDirection(QChar::direction(c)) && IsSimpleScript(QChar::script(c)) && raw_.supportsCharacter(c);
}

std::int32_t LineFont::LaidOutWidth(const QString& text) const {
    QTextLayout layout(text, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e9);
    layout.endLayout();
    return Units(line.cursorToX(static_cast<int>(text.size())));
}

std::optional<std::int32_t> LineFont::Advance(char16_t c) const {
    std::int32_t& advance = advances_[c];
    if (advance == kUnknown) advance = IsSimple(c) ? LaidOutWidth(QString(QChar(c))) : kComplex;
    if (advance == kComplex) return std::nullopt;
    return advance;
}

bool LineFont::Interact(char16_t a, char16_t b) const {
    const std::uint32_t key = (std::uint32_t{a} << 16) | b;
    if (const auto known = pairs_.find(key); known != pairs_.end()) return known->second;
    const std::int32_t sum = *Advance(a) + *Advance(b);
    const QChar ab[] = {QChar(a), QChar(b)}, ba[] = {QChar(b), QChar(a)};
    const bool interact = LaidOutWidth(QString(ab, 2)) != sum || LaidOutWidth(QString(ba, 2)) != sum;
    pairs_[key] = interact;
    pairs_[(std::uint32_t{b} << 16) | a] = interact;
    return interact;
}

}  // namespace fw::detail
