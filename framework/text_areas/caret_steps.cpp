// The toolkit's caret steps, over a line's text.
#include "framework/text_areas/caret_steps.hpp"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace fw::detail {

namespace {

constexpr int kFirstReach = 64;

// Where cluster rules that look back (over extending characters, emoji sequences, pairs of
// regional indicators) cannot reach across: an ASCII character is always a cluster of its own
// or the base of one.
bool StopsLookback(QChar c) { return c.unicode() < 0x80; }

// The start of a stretch that the boundary finder sees as the whole line sees it, at or
// before `position`: the line's start, or an ASCII character.
int ReliableStart(const QString& text, int position) {
    int start = std::max(0, position - 1);
    while (start > 0 && !StopsLookback(text[start])) --start;
    return start;
}

// The boundary after (or before) `position`, found in a stretch of the line that grows until
// the boundary found is one of the line's own, not an end of the stretch.
int Boundary(const QString& text, int position, bool forward) {
    const int n = static_cast<int>(text.size());
    int start = ReliableStart(text, position), end = std::min(n, position + kFirstReach);
    for (int reach = kFirstReach;; reach *= 2) {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData() + start, end - start);
        finder.setPosition(position - start);
        const int found = static_cast<int>(forward ? finder.toNextBoundary() : finder.toPreviousBoundary());
        if (forward && found >= 0 && (start + found < end || end == n)) return start + found;
        if (!forward && found >= 0 && (start + found > start || start == 0)) return start + found;
        if (forward) end = std::min(n, end + reach);
        else start = ReliableStart(text, start);
    }
}

// QTextEngine::atWordSeparator.
bool IsWordSeparator(QChar c) {
    switch (c.unicode()) {
    case '.': case ',': case '?': case '!': case '@': case '#': case '$': case ':': case ';': case '-':
    case '<': case '>': case '[': case ']': case '(': case ')': case '{': case '}': case '=': case '/':
    case '+': case '%': case '&': case '^': case '*': case '\'': case '"': case '`': case '~': case '|':
    case '\\':
        return true;
    default:
        return false;
    }
}

// The toolkit's white space attribute: a character that QChar::isSpace calls so (surrogate
// pairs never are).
bool IsWhiteSpace(const QString& text, int i) { return !text[i].isSurrogate() && text[i].isSpace(); }

bool IsWordCharacter(const QString& text, int i) { return !IsWhiteSpace(text, i) && !IsWordSeparator(text[i]); }

// Past the run at `position`: of word separators, or of other characters that are not white space.
int PastRun(const QString& text, int position) {
    const int n = static_cast<int>(text.size());
    if (IsWordSeparator(text[position])) {
        ++position;
        while (position < n && IsWordSeparator(text[position])) ++position;
        return position;
    }
    while (position < n && IsWordCharacter(text, position)) ++position;
    return position;
}

}  // namespace

int NextCaretPosition(const QString& text, int position) {
    if (position >= text.size()) return position;
    return Boundary(text, position, true);
}

int PreviousCaretPosition(const QString& text, int position) {
    if (position <= 0) return position;
    return Boundary(text, position, false);
}

int NextWordPosition(const QString& text, int position) {
    const int n = static_cast<int>(text.size());
    if (position < 0 || position >= n) return position;
    position = PastRun(text, position);
    while (position < n && IsWhiteSpace(text, position)) ++position;
    return position;
}

int PreviousWordPosition(const QString& text, int position) {
    if (position <= 0 || position > text.size()) return position;
    while (position > 0 && IsWhiteSpace(text, position - 1)) --position;
    if (position > 0 && IsWordSeparator(text[position - 1])) {
        --position;
        while (position > 0 && IsWordSeparator(text[position - 1])) --position;
        return position;
    }
    while (position > 0 && IsWordCharacter(text, position - 1)) --position;
    return position;
}

std::optional<int> StartOfWord(const QString& text, int position) {
    const int n = static_cast<int>(text.size());
    if (position == 0) return std::nullopt;
    // Already at the start of a word at the end of the line.
    if (position == n && (IsWhiteSpace(text, position - 1) || IsWordSeparator(text[position - 1]))) return std::nullopt;
    return PreviousWordPosition(text, position < n ? position + 1 : position);
}

std::optional<int> EndOfWord(const QString& text, int position) {
    if (position >= text.size()) return std::nullopt;
    return PastRun(text, position);
}

}  // namespace fw::detail
