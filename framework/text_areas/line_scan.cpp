// Where a very long line may be cut, and the context of each cut.
#include "framework/text_areas/line_scan.hpp"

#include <algorithm>
#include <climits>

namespace fw::detail {

namespace {

constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kObject = 0xFFFC;
constexpr int kMaxItemLength = 4096;  // the toolkit splits longer items

bool IsExplicit(QChar::Direction direction) {
    switch (direction) {
    case QChar::DirLRE:
    case QChar::DirRLE:
    case QChar::DirLRO:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return true;
    default:
        return false;
    }
}

bool IsRightToLeftClass(QChar::Direction direction) {
    return direction == QChar::DirR || direction == QChar::DirAL || direction == QChar::DirAN || IsExplicit(direction);
}

char32_t CodePointAt(const QString& text, int i, int* length) {
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        *length = 2;
        return QChar::surrogateToUcs4(c, text[i + 1].unicode());
    }
    *length = 1;
    return c;
}

bool IsMark(QChar::Category category) {
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

// Where no grapheme cluster and no shaping runs across, whatever the toolkit's items are.
bool BetweenAscii(char16_t before, char16_t after) {
    return before >= 0x20 && before < 0x7F && after >= 0x20 && after < 0x7F;
}

// The bracket pairs the toolkit resolves together (bidi rule N0, as the toolkit applies it to
// a paragraph without explicit embeddings), as spans of the positions each pair ties together.
std::vector<std::pair<int, int>> BracketSpans(const QString& text) {
    struct Open {
        char32_t closing;
        int position;
    };
    constexpr std::size_t kMaxDepth = 63;  // with more open brackets the toolkit pairs none
    std::vector<Open> open;
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::direction(c) != QChar::DirON || !QChar::hasMirrored(c)) continue;
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Punctuation_Open) {
            if (open.size() >= kMaxDepth) return {};
            open.push_back({QChar::mirroredChar(c), i});
        } else if (category == QChar::Punctuation_Close) {
            for (std::size_t k = open.size(); k-- > 0;) {
                const char32_t want = open[k].closing;
                if (want == c || (want == 0x3009 && c == 0x232A) || (want == 0x232A && c == 0x3009)) {
                    pairs.emplace_back(open[k].position, i);
                    open.resize(k);
                    break;
                }
            }
        }
    }
    std::sort(pairs.begin(), pairs.end());
    std::vector<std::pair<int, int>> spans;
    for (const auto& [first, last] : pairs) {
        if (!spans.empty() && first < spans.back().second) spans.back().second = std::max(spans.back().second, last);
        else spans.emplace_back(first, last);
    }
    return spans;
}

}  // namespace

ScanState ScanState::Shifted(int from, int delta) const {
    ScanState shifted = *this;
    if (shifted.scriptSetter >= from) shifted.scriptSetter += delta;
    if (shifted.itemStart >= from) shifted.itemStart += delta;
    return shifted;
}

Cut Cut::Shifted(int from, int delta) const {
    Cut shifted = *this;
    shifted.state = state.Shifted(from, delta);
    if (shifted.start >= from) shifted.start += delta;
    if (shifted.nextSource >= from) shifted.nextSource += delta;
    if (shifted.nextScript >= from) shifted.nextScript += delta;
    return shifted;
}

bool HasRightToLeft(const QString& text, int from, int to) {
    for (int i = from; i < to;) {
        int length = 1;
        if (IsRightToLeftClass(QChar::direction(CodePointAt(text, i, &length)))) return true;
        i += length;
    }
    return false;
}

Paragraph Paragraph::Of(const QString& text, Qt::LayoutDirection direction) {
    Paragraph paragraph;
    paragraph.rtl = direction == Qt::LayoutDirectionAuto ? text.isRightToLeft() : direction == Qt::RightToLeft;
    for (int i = 0; i < text.size();) {
        int length = 1;
        const QChar::Direction d = QChar::direction(CodePointAt(text, i, &length));
        paragraph.plain = paragraph.plain && !IsRightToLeftClass(d);
        paragraph.embedded = paragraph.embedded || IsExplicit(d);
        i += length;
    }
    // Brackets resolve to the paragraph's side in a paragraph without right-to-left text, and
    // an embedded one is not cut at all: only the others need their pairs.
    if (!paragraph.plain && !paragraph.embedded) paragraph.bracketSpans = BracketSpans(text);
    return paragraph;
}

bool Paragraph::InsideBrackets(int position) const {
    const auto after = std::upper_bound(bracketSpans.begin(), bracketSpans.end(), std::pair(position, INT_MAX));
    return after != bracketSpans.begin() && position > std::prev(after)->first && position <= std::prev(after)->second;
}

bool Paragraph::SameCuts(const Paragraph& other) const {
    return rtl == other.rtl && plain == other.plain && embedded == other.embedded;
}

LineScanner::LineScanner(const QString& text, const Paragraph& paragraph, int minimumLength)
    : text_(text), paragraph_(paragraph), minimumLength_(minimumLength) {}

// The context of a stretch is the script in effect and a mark for the last strong direction;
// an Arabic letter mark carries the Arabic script with it, so it sums up no other script.
bool LineScanner::MayStartStretch(int position, const ScanState& state) const {
    if (position == 0) return true;
    if (paragraph_.embedded || paragraph_.InsideBrackets(position)) return false;
    return state.lastStrong != Strong::AL || state.script == QChar::Script_Arabic;
}

bool LineScanner::Scan(const Cut& from, std::vector<Cut>& cuts,
                       const std::function<bool(const Cut&)>& known) const {
    const int n = static_cast<int>(text_.size());
    std::vector<std::size_t> awaitingSide, awaitingScript;
    ScanState st = from.state;
    // Only a text line's first character is special; any other cut resumes mid-line.
    int lastCut = from.start, rowStart = from.rowStart ? from.start : -1;
    auto add = [&](Cut cut) {
        cut.next = Side::None;
        cut.nextSource = cut.nextScript = Cut::kUnresolved;
        awaitingSide.push_back(cuts.size());
        awaitingScript.push_back(cuts.size());
        cuts.push_back(cut);
        lastCut = cut.start;
    };
    auto cutAt = [&](int at, bool rowStartHere, bool afterTab) {
        Cut cut;
        cut.start = at;
        cut.state = st;
        cut.rowStart = rowStartHere;
        cut.afterTab = afterTab;
        cut.selfContained = MayStartStretch(at, st);
        if (known(cut)) return true;
        add(cut);
        return false;
    };
    add(from);
    for (int i = from.start; i < n;) {
        int length = 1;
        const char32_t c = CodePointAt(text_, i, &length);
        const QChar::Script script = QChar::script(c);
        const bool mark = IsMark(QChar::category(c));
        const bool newRun = script != st.script && script > QChar::Script_Common && st.script > QChar::Script_Common && !mark;
        if (i > rowStart) {
            const char16_t before = text_[i - 1].unicode(), here = text_[i].unicode();
            const bool afterTab = before == u'\t';
            const bool newItem = newRun || afterTab || here == u'\t' || here == kLineSeparator || before == kObject ||
                                 here == kObject || i - st.itemStart >= kMaxItemLength;
            if (newItem) st.itemStart = i;
            if (i - lastCut >= minimumLength_) {
                if (afterTab && MayStartStretch(i, st)) {
                    if (cutAt(i, false, true)) return true;
                } else if (newItem && paragraph_.plain && BetweenAscii(before, here)) {
                    if (cutAt(i, false, false)) return true;
                }
            }
        } else {
            st.itemStart = i;
        }
        if (script != st.script && script > QChar::Script_Common && (st.script <= QChar::Script_Common || !mark)) {
            st.script = script;
            st.scriptSetter = i;
            for (const std::size_t k : awaitingScript) cuts[k].nextScript = i;
            awaitingScript.clear();
        }
        Side side = Side::None;
        switch (QChar::direction(c)) {
        case QChar::DirL: st.lastStrong = Strong::L; side = Side::L; break;
        case QChar::DirR: st.lastStrong = Strong::R; side = Side::R; break;
        case QChar::DirAL: st.lastStrong = Strong::AL; side = Side::R; break;
        case QChar::DirEN:
            side = st.lastStrong == Strong::L || (st.lastStrong == Strong::None && !paragraph_.rtl) ? Side::L : Side::R;
            break;
        case QChar::DirAN: side = Side::R; break;
        default: break;
        }
        if (side != Side::None) {
            st.previous = side;
            for (const std::size_t k : awaitingSide) {
                cuts[k].next = side;
                cuts[k].nextSource = i;
            }
            awaitingSide.clear();
        }
        i += length;
        if (c == kLineSeparator) {
            rowStart = i;
            st.itemStart = i;
            if (cutAt(i, true, false)) return true;
        }
    }
    for (const std::size_t k : awaitingSide) {
        cuts[k].next = paragraph_.rtl ? Side::R : Side::L;
        cuts[k].nextSource = n;
    }
    for (const std::size_t k : awaitingScript) cuts[k].nextScript = -1;
    return false;
}

}  // namespace fw::detail
