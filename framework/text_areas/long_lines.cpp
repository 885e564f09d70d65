// The text area's document layout: the toolkit's plain-text layout, with long lines measured
// by LongLine.
#include "framework/text_areas/long_lines.hpp"

#include <QTextDocument>

#include <algorithm>

namespace fw::detail {

LongLineLayout::LongLineLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {
    UpdateFont();
    // The toolkit starts every block over with one text line when the text width changes.
    connect(this, &QAbstractTextDocumentLayout::update, this, [this] { KeepRowCounts(); });
}

void LongLineLayout::KeepRowCounts() {
    if (!HasLongLines()) return;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        const LongLine* line = Of(block);
        const int rows = line != nullptr && block.isVisible() ? line->RowCount() : -1;
        if (rows >= 0 && block.lineCount() != rows) block.setLineCount(rows);
    }
}

LongLine* LongLineLayout::Of(const QTextBlock& block) {
    return block.isValid() ? dynamic_cast<LongLine*>(block.userData()) : nullptr;
}

bool LongLineLayout::IsLong(const QTextBlock& block) const {
    return block.length() - 1 > kLongLine && document()->defaultTextOption().wrapMode() == QTextOption::NoWrap;
}

// `count` characters of `block` from `at`: a few one by one, many from the document's pieces.
QString LongLineLayout::TextOf(const QTextBlock& block, int at, int count) {
    QString text;
    text.reserve(count);
    if (count <= 4096) {
        const QTextDocument& doc = *block.document();
        for (int i = 0; i < count; ++i) text += doc.characterAt(block.position() + at + i);
        return text;
    }
    for (QTextBlock::iterator it = block.begin(); !it.atEnd() && count > 0; ++it) {
        const QTextFragment fragment = it.fragment();
        const int start = fragment.position() - block.position(), end = start + fragment.length();
        if (end <= at) continue;
        const int take = std::min(end, at + count) - at;
        text += fragment.text().mid(at - start, take);
        at += take;
        count -= take;
    }
    return text;
}

bool LongLineLayout::Attach(QTextBlock block) {
    if (!IsLong(block)) {
        if (Of(block) != nullptr) {
            block.setUserData(nullptr);
            block.clearLayout();
        }
        return false;
    }
    auto* line = new LongLine(lines_, font_, direction_, block.text());
    block.setUserData(line);
    block.clearLayout();  // the toolkit keeps no text lines for it
    block.setLineCount(block.isVisible() ? line->RowCount() : 0);
    return true;
}

// Takes a change inside a long line; starts it anew when the line and the block disagree.
void LongLineLayout::Refresh(QTextBlock block, LongLine& line, int at, int removed, int added) {
    const int length = block.length() - 1;
    if (at + removed > line.Text().size() || line.Text().size() - removed + added != length) return (void)Attach(block);
    line.Replace(at, removed, TextOf(block, at, added));
    block.setLineCount(block.isVisible() ? line.RowCount() : 0);
}

// A new font, tab stop distance or direction makes new measures for every long line.
bool LongLineLayout::UpdateFont() {
    const QFont font = document()->defaultFont();
    const QTextOption option = document()->defaultTextOption();
    if (font_ && font_->Font() == font && font_->TabStopDistance() == option.tabStopDistance() &&
        direction_ == option.textDirection()) {
        return false;
    }
    font_ = std::make_shared<const LineFont>(font, option.tabStopDistance());
    direction_ = option.textDirection();
    return true;
}

qreal LongLineLayout::LongestWidth() const {
    qreal longest = 0;
    for (const LongLine* line : *lines_) longest = std::max(longest, line->Width());
    return longest;
}

void LongLineLayout::NotifyWidth(qreal before) {
    if (LongestWidth() != before) emit documentSizeChanged(documentSize());
}

void LongLineLayout::documentChanged(int from, int removed, int added) {
    QTextDocument* doc = document();
    const qreal before = LongestWidth();
    if (UpdateFont()) {
        for (QTextBlock block = doc->firstBlock(); block.isValid(); block = block.next()) {
            if (Of(block) != nullptr) Attach(block);
        }
    }
    // Where the toolkit's layout takes the change for one inside a block, it lays that block
    // out at once: a long one is taken here instead.
    const QTextBlock first = doc->findBlock(from);
    const bool oneBlock = doc->blockCount() == blockCount_ && doc->findBlock(std::max(0, from + removed + added - 1)) == first;
    blockCount_ = doc->blockCount();
    if (oneBlock && IsLong(first)) {
        // A change inside one long line: measured here, never laid out by the toolkit.
        if (LongLine* line = Of(first)) Refresh(first, *line, from - first.position(), removed, added);
        else Attach(first);
        NotifyWidth(before);
        emit update();
        return;
    }
    // Long lines are measured before the toolkit looks at them, so it never lays them out.
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        Attach(block);
        if (block.position() + block.length() > from + added) break;
    }
    QPlainTextDocumentLayout::documentChanged(from, removed, added);
    NotifyWidth(before);
}

QRectF LongLineLayout::blockBoundingRect(const QTextBlock& block) const {
    const LongLine* line = Of(block);
    if (line == nullptr) return QPlainTextDocumentLayout::blockBoundingRect(block);
    // No width: the toolkit's own scrolling to a position inside it then leaves it alone
    // (it has no text lines to measure); the area scrolls to its caret itself.
    const qreal margin = block.next().isValid() ? 0 : document()->documentMargin();
    return QRectF(0, 0, 0, line->Height() + margin);
}

QSizeF LongLineLayout::documentSize() const {
    QSizeF size = QPlainTextDocumentLayout::documentSize();
    const qreal longest = LongestWidth();
    if (longest > 0) size.setWidth(std::max(size.width(), longest + 2 * document()->documentMargin()));
    return size;
}

}  // namespace fw::detail
