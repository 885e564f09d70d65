#pragma once
// Framework-internal: how the toolkit's text cursor steps through a line (QTextLayout's cursor
// positions, QTextCursor's word moves), worked out from the line's text alone, for lines too
// long for the toolkit to analyse whole at every step. Positions count from the line's start;
// the line's length is its end.
#include <QString>

#include <optional>

namespace fw::detail {

// The caret positions after and before `position`: grapheme cluster boundaries.
int NextCaretPosition(const QString& text, int position);
int PreviousCaretPosition(const QString& text, int position);

// A word step: over a run of word separators (ASCII punctuation) or of other characters that
// are not white space, and the white space after (forward) or before (backward) it.
int NextWordPosition(const QString& text, int position);
int PreviousWordPosition(const QString& text, int position);

// The start and end of the word at `position`, as QTextCursor's StartOfWord and EndOfWord
// moves find them; nothing where those moves leave the cursor where it is.
std::optional<int> StartOfWord(const QString& text, int position);
std::optional<int> EndOfWord(const QString& text, int position);

}  // namespace fw::detail
