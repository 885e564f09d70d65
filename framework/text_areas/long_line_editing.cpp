// The caret, keys and mouse of a text area whose text has very long lines, as the toolkit's
// text control serves them in lines it has laid out.
#include "framework/text_areas/long_line_editing.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <iterator>

#include "framework/text_areas/area_widget.hpp"
#include "framework/text_areas/caret_steps.hpp"
#include "framework/text_areas/long_lines.hpp"

namespace fw::detail {

namespace {

int LastPosition(const QTextDocument& document) { return document.characterCount() - 1; }

// The direction the toolkit's cursor takes a block's text in, for Left and Right: its format's,
// the document's, or that of its first strong character.
bool StepsRightToLeft(const QTextBlock& block, const LongLine& line) {
    const Qt::LayoutDirection format = block.blockFormat().layoutDirection();
    if (format != Qt::LayoutDirectionAuto) return format == Qt::RightToLeft;
    const Qt::LayoutDirection option = block.document()->defaultTextOption().textDirection();
    if (option != Qt::LayoutDirectionAuto) return option == Qt::RightToLeft;
    return line.FirstStrongIsRightToLeft();
}

}  // namespace

LongLineEditing::LongLineEditing(AreaWidget& area, const LongLineLayout& lines) : area_(area), lines_(lines) {}

bool LongLineEditing::Active() const { return lines_.HasLongLines(); }

// ---- geometry of any block ----------------------------------------------------------------------

// The toolkit lays out a block when it is first asked for its bounding rectangle.
static QTextLayout& LaidOut(const QTextBlock& block) {
    block.document()->documentLayout()->blockBoundingRect(block);
    return *block.layout();
}

int LongLineEditing::RowCount(const QTextBlock& block) const {
    if (const LongLine* line = LongLineLayout::Of(block)) return line->RowCount();
    return LaidOut(block).lineCount();
}

int LongLineEditing::RowOf(const QTextBlock& block, int position) const {
    if (const LongLine* line = LongLineLayout::Of(block)) return line->RowOf(position);
    const QTextLine line = LaidOut(block).lineForTextPosition(position);
    return line.isValid() ? line.lineNumber() : 0;
}

qreal LongLineEditing::CaretX(int position) const {
    const QTextBlock block = area_.document()->findBlock(position);
    const int at = position - block.position();
    if (const LongLine* line = LongLineLayout::Of(block)) return area_.document()->documentMargin() + line->X(at);
    const QTextLine line = LaidOut(block).lineForTextPosition(at);
    return line.isValid() ? line.cursorToX(at) : 0;
}

int LongLineEditing::PositionIn(const QTextBlock& block, int row, qreal x) const {
    const auto mode = area_.overwriteMode() ? QTextLine::CursorOnCharacter : QTextLine::CursorBetweenCharacters;
    if (const LongLine* line = LongLineLayout::Of(block)) {
        return line->PositionAt(row, x - area_.document()->documentMargin(), mode);
    }
    return LaidOut(block).lineAt(row).xToCursor(x, mode);
}

QRectF LongLineEditing::RowRect(const QTextBlock& block, int row) const {
    if (const LongLine* line = LongLineLayout::Of(block)) return {0, line->RowTop(row), 0, line->RowHeight(row)};
    return LaidOut(block).lineAt(row).naturalTextRect();
}

qreal LongLineEditing::TopRowOffset() const {
    const QTextBlock top = area_.firstVisibleBlock();
    const LongLine* line = LongLineLayout::Of(top);
    if (line == nullptr) return 0;
    const int row = area_.verticalScrollBar()->value() - top.firstLineNumber();
    return row > 0 && row < line->RowCount() ? line->RowTop(row) : 0;
}

QPointF LongLineEditing::BlockOrigin(const QTextBlock& block) const {
    return area_.blockBoundingGeometry(block).translated(area_.contentOffset()).topLeft() - QPointF(0, TopRowOffset());
}

// QPlainTextEdit's hit test: the block under the point, then its text line, then the position.
int LongLineEditing::HitTest(QPointF point) const {
    QTextBlock block = area_.firstVisibleBlock();
    if (!block.isValid()) return -1;
    auto rect = [this](const QTextBlock& b) { return QRectF(BlockOrigin(b), area_.blockBoundingGeometry(b).size()); };
    QRectF r = rect(block);
    while (block.next().isValid() && r.bottom() <= point.y()) r = rect(block = block.next());
    while (block.previous().isValid() && r.top() > point.y()) r = rect(block = block.previous());
    const QPointF at = point - r.topLeft();
    int offset = 0;
    for (int row = 0; row < RowCount(block); ++row) {
        const QRectF line = RowRect(block, row);
        if (line.top() > at.y()) break;
        if (line.bottom() <= at.y()) {
            const LongLine* long_ = LongLineLayout::Of(block);
            offset = long_ != nullptr ? long_->RowStart(row) + long_->RowLength(row)
                                      : block.layout()->lineAt(row).textStart() + block.layout()->lineAt(row).textLength();
            continue;
        }
        offset = PositionIn(block, row, at.x());
        break;
    }
    return block.position() + offset;
}

std::optional<QRectF> LongLineEditing::CaretRect(int position) const {
    const QTextBlock block = area_.document()->findBlock(position);
    const LongLine* line = LongLineLayout::Of(block);
    if (line == nullptr) return std::nullopt;
    const int row = line->RowOf(position - block.position());
    const QPointF origin = BlockOrigin(block);
    const qreal x = origin.x() + area_.document()->documentMargin() + line->X(position - block.position());
    return QRectF(x, origin.y() + line->RowTop(row), area_.cursorWidth(), line->RowHeight(row));
}

void LongLineEditing::ShowCaret() {
    const QTextCursor cursor = area_.textCursor();
    const LongLine* line = LongLineLayout::Of(cursor.block());
    if (line == nullptr) return;
    const qreal x = area_.document()->documentMargin() + line->X(cursor.positionInBlock());
    QScrollBar& across = *area_.horizontalScrollBar();
    const int width = area_.viewport()->width();
    if (x < across.value() || x + area_.cursorWidth() > across.value() + width) across.setValue(static_cast<int>(x) - width / 2);
    const QRectF caret = *CaretRect(cursor.position());
    QScrollBar& down = *area_.verticalScrollBar();
    const int row = cursor.block().firstLineNumber() + line->RowOf(cursor.positionInBlock());
    if (caret.top() < 0) {
        down.setValue(row);
    } else if (caret.bottom() > area_.viewport()->height()) {
        const int rows = std::max(1, static_cast<int>(area_.viewport()->height() / caret.height()));
        down.setValue(row - rows + 1);
    }
}

// QPlainTextEdit counts the text lines that fit at the end of the text from its blocks' layouts,
// which for a long line has none, and would scroll too far: the range is counted again here
// with a long line's rows, as the toolkit counts (when the view does not center the caret).
void LongLineEditing::KeepVerticalRange() {
    if (!Active() || area_.centerOnScroll() || keepingRange_) return;
    const QTextDocument& document = *area_.document();
    const qreal visible = area_.viewport()->rect().height() - document.documentMargin() - 1;
    qreal y = 0;
    int fitting = 0;
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous()) {
        if (!block.isVisible()) continue;
        y += document.documentLayout()->blockBoundingRect(block).height();
        const int rows = RowCount(block);
        if (y > visible) {
            int row = 0;
            while (row < rows && RowRect(block, row).top() < y - visible) ++row;
            fitting += rows - row;
            break;
        }
        fitting += rows;
    }
    const int maximum = std::max(0, document.lineCount() - fitting);
    QScrollBar& bar = *area_.verticalScrollBar();
    if (bar.maximum() == maximum && bar.pageStep() == fitting) return;
    keepingRange_ = true;
    bar.setRange(0, maximum);
    bar.setPageStep(fitting);
    keepingRange_ = false;
}

// ---- keys --------------------------------------------------------------------------------------

bool LongLineEditing::Key(QKeyEvent& event) {
    if (!Active()) return false;
    const Qt::TextInteractionFlags flags = area_.textInteractionFlags();
    if ((flags & Qt::TextSelectableByKeyboard) && MoveKey(event)) return true;
    return (flags & Qt::TextEditable) && DeleteKey(event);
}

// The toolkit's bindings, in the order its text area and text control try them.
bool LongLineEditing::MoveKey(QKeyEvent& event) {
    using K = QKeySequence;
    constexpr auto kKeep = QTextCursor::KeepAnchor, kMove = QTextCursor::MoveAnchor;
    struct Binding {
        K::StandardKey key;
        Move move;
        QTextCursor::MoveMode mode;
    };
    static constexpr Binding kBindings[] = {
        {K::SelectPreviousPage, Move::PageUp, kKeep}, {K::SelectNextPage, Move::PageDown, kKeep},
        {K::MoveToPreviousPage, Move::PageUp, kMove}, {K::MoveToNextPage, Move::PageDown, kMove},
        {K::MoveToNextChar, Move::Right, kMove}, {K::MoveToPreviousChar, Move::Left, kMove},
        {K::SelectNextChar, Move::Right, kKeep}, {K::SelectPreviousChar, Move::Left, kKeep},
        {K::SelectNextWord, Move::WordRight, kKeep}, {K::SelectPreviousWord, Move::WordLeft, kKeep},
        {K::SelectStartOfLine, Move::StartOfLine, kKeep}, {K::SelectEndOfLine, Move::EndOfLine, kKeep},
        {K::SelectStartOfBlock, Move::StartOfBlock, kKeep}, {K::SelectEndOfBlock, Move::EndOfBlock, kKeep},
        {K::SelectStartOfDocument, Move::Start, kKeep}, {K::SelectEndOfDocument, Move::End, kKeep},
        {K::SelectPreviousLine, Move::Up, kKeep}, {K::SelectNextLine, Move::Down, kKeep},
        {K::MoveToNextWord, Move::WordRight, kMove}, {K::MoveToPreviousWord, Move::WordLeft, kMove},
        {K::MoveToEndOfBlock, Move::EndOfBlock, kMove}, {K::MoveToStartOfBlock, Move::StartOfBlock, kMove},
        {K::MoveToNextLine, Move::Down, kMove}, {K::MoveToPreviousLine, Move::Up, kMove},
        {K::MoveToStartOfLine, Move::StartOfLine, kMove}, {K::MoveToEndOfLine, Move::EndOfLine, kMove},
        {K::MoveToStartOfDocument, Move::Start, kMove}, {K::MoveToEndOfDocument, Move::End, kMove},
    };
    const auto binding = std::find_if(std::begin(kBindings), std::end(kBindings),
                                      [&](const Binding& b) { return event.matches(b.key); });
    if (binding == std::end(kBindings)) return false;
    const bool vertical = binding->move == Move::Up || binding->move == Move::Down || binding->move == Move::PageUp ||
                          binding->move == Move::PageDown;
    // Any other move sets the column anew, even one that leaves the caret where it is.
    if (!vertical) column_.reset();
    // Elsewhere than in a long line only vertical moves, which carry their column, are served here.
    if (!vertical && LongLineLayout::Of(area_.textCursor().block()) == nullptr) return false;
    MoveCaret(binding->move, binding->mode);
    event.accept();
    return true;
}

void LongLineEditing::MoveCaret(Move move, QTextCursor::MoveMode mode) {
    if (move == Move::PageUp || move == Move::PageDown) return PageStep(move == Move::PageDown, mode);
    const QTextCursor cursor = area_.textCursor();
    const bool vertical = move == Move::Up || move == Move::Down;
    if (vertical && (!column_ || column_->at != Now())) column_ = Column{CaretX(cursor.position()), Now()};
    std::optional<int> target = Target(move, cursor, mode);
    bool keepColumn = vertical;
    // Selecting up from the first line or down from the last goes to the document's end.
    if (vertical && !target && mode == QTextCursor::KeepAnchor) {
        target = move == Move::Up ? 0 : LastPosition(*area_.document());
        keepColumn = false;
    }
    if (!target) return;
    const qreal x = keepColumn ? column_->x : 0;
    SetCaret(*target, mode);
    ShowCaret();
    OfferSelection();
    const QTextCursor moved = area_.textCursor();
    if (keepColumn) column_ = Column{x, Now()};
    else column_.reset();
}

std::optional<int> LongLineEditing::Target(Move move, const QTextCursor& cursor, QTextCursor::MoveMode mode) {
    const QTextBlock block = cursor.block();
    const LongLine* line = LongLineLayout::Of(block);
    const int at = cursor.positionInBlock();
    switch (move) {
    case Move::Up: return VerticalStep(cursor.position(), false);
    case Move::Down: return VerticalStep(cursor.position(), true);
    case Move::Start: return 0;
    case Move::End: return LastPosition(*area_.document());
    case Move::StartOfBlock: return block.position();
    case Move::EndOfBlock: return block.position() + block.length() - 1;
    case Move::StartOfLine: return block.position() + line->RowStart(line->RowOf(at));
    case Move::EndOfLine: return block.position() + line->RowEnd(line->RowOf(at));
    default: break;
    }
    // Left and Right go by the block's direction; so do words.
    const bool rightToLeft = StepsRightToLeft(block, *line);
    if (move == Move::Left || move == Move::Right) return CharacterStep(cursor, (move == Move::Right) != rightToLeft, mode);
    return WordStep(cursor.position(), (move == Move::WordRight) != rightToLeft);
}

// QTextCursor's NextCharacter and PreviousCharacter: a move without a selection collapses it.
std::optional<int> LongLineEditing::CharacterStep(const QTextCursor& cursor, bool forward,
                                                  QTextCursor::MoveMode mode) const {
    if (mode == QTextCursor::MoveAnchor && cursor.hasSelection()) {
        return forward ? std::max(cursor.position(), cursor.anchor()) : std::min(cursor.position(), cursor.anchor());
    }
    return forward ? StepInLongLine(cursor.position(), NextCaretPosition)
                   : StepInLongLine(cursor.position(), PreviousCaretPosition, false);
}

// QTextCursor's NextWord and PreviousWord in a long line; from its ends into the next block.
int LongLineEditing::WordStep(int position, bool forward) const {
    return forward ? StepInLongLine(position, NextWordPosition) : StepInLongLine(position, PreviousWordPosition, false);
}

// A step by `find` from `position` in its long line; from the line's ends into the next block.
int LongLineEditing::StepInLongLine(int position, int (*find)(const QString&, int), bool forward) const {
    const QTextBlock block = area_.document()->findBlock(position);
    if (forward) {
        if (position == LastPosition(*area_.document())) return position;
        if (position == block.position() + block.length() - 1) return position + 1;
    } else if (position == block.position()) {
        return std::max(0, position - 1);
    }
    return block.position() + find(LongLineLayout::Of(block)->Text(), position - block.position());
}

// QTextCursor's Up and Down: the next text line (of this block or the next) at the column.
std::optional<int> LongLineEditing::VerticalStep(int position, bool down) {
    QTextBlock block = area_.document()->findBlock(position);
    int row = RowOf(block, position - block.position()) + (down ? 1 : -1);
    if (row < 0 || row >= RowCount(block)) {
        block = down ? block.next() : block.previous();
        if (!block.isValid()) return std::nullopt;
        row = down ? 0 : RowCount(block) - 1;
    }
    if (RowCount(block) == 0) return block.position();
    return block.position() + PositionIn(block, row, column_->x);
}

// A page up or down: the toolkit scrolls by a page, then the caret goes line by line, at its
// column, to where it was in the viewport.
LongLineEditing::Caret LongLineEditing::Now() const {
    const QTextCursor cursor = area_.textCursor();
    return {cursor.position(), cursor.anchor(), area_.document()->revision()};
}

void LongLineEditing::PageStep(bool down, QTextCursor::MoveMode mode) {
    QTextCursor cursor = area_.textCursor();
    auto top = [this](int position) {
        if (const std::optional<QRectF> rect = CaretRect(position)) return rect->top();
        const QTextBlock block = area_.document()->findBlock(position);
        const QTextLine line = LaidOut(block).lineForTextPosition(position - block.position());
        return BlockOrigin(block).y() + (line.isValid() ? line.y() : 0);
    };
    // The column goes on from line moves; the y only from the page move just before.
    if (!column_ || column_->at != Now()) column_ = Column{CaretX(cursor.position()), Now()};
    if (!pageY_ || pageY_->at != Now()) {
        ShowCaret();
        pageY_ = PageY{top(cursor.position()), Now()};
    }
    QScrollBar& bar = *area_.verticalScrollBar();
    const int before = bar.value();
    bar.triggerAction(down ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
    qreal y = pageY_->y;
    if (down && bar.value() == bar.maximum()) y = area_.viewport()->height();
    if (!down && before == bar.minimum()) y = 0;
    int position = cursor.position();
    bool stepped = false;
    for (;;) {
        const std::optional<int> next = VerticalStep(position, down);
        if (!next) break;
        stepped = true;  // a step that stays where it is still drops the anchor
        if (*next == position) break;  // the toolkit stops where a step does not move
        position = *next;
        if (down ? top(position) >= y : top(position) <= y) break;
    }
    if (stepped) cursor.setPosition(position, mode);  // not a single line further: nothing changes
    area_.setTextCursor(cursor);
    OfferSelection();
    const QTextCursor moved = area_.textCursor();
    column_ = Column{column_->x, Now()};
    pageY_->at = Now();
}

void LongLineEditing::SetCaret(int position, QTextCursor::MoveMode mode) {
    QTextCursor cursor = area_.textCursor();
    cursor.setPosition(position, mode);
    area_.setTextCursor(cursor);
}

// On systems with a selection clipboard, the toolkit offers every selection made by keys or
// the mouse there.
void LongLineEditing::OfferSelection() const {
    QClipboard* clipboard = QApplication::clipboard();
    if (!area_.textCursor().hasSelection() || !clipboard->supportsSelection()) return;
    clipboard->setMimeData(area_.createMimeDataFromSelection(), QClipboard::Selection);
}

// Deletions that the toolkit works out from the line's layout; Backspace takes a character
// (or a surrogate pair) without one, and stays with the toolkit.
bool LongLineEditing::DeleteKey(QKeyEvent& event) {
    using K = QKeySequence;
    QTextCursor cursor = area_.textCursor();
    if (LongLineLayout::Of(cursor.block()) == nullptr) return false;
    for (const K::StandardKey earlier : {K::Undo, K::Redo, K::Cut, K::Paste}) {
        if (event.matches(earlier)) return false;
    }
    const int position = cursor.position();
    if (event.matches(K::Delete)) {
        if (cursor.hasSelection()) cursor.removeSelectedText();
        else DeleteCluster(cursor);
    } else if (event.matches(K::DeleteEndOfWord) || event.matches(K::DeleteStartOfWord)) {
        if (!cursor.hasSelection()) cursor.setPosition(WordStep(position, event.matches(K::DeleteEndOfWord)), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    } else if (event.matches(K::DeleteEndOfLine)) {
        const QTextBlock block = cursor.block();
        const bool lastCharacter = position == block.position() + block.length() - 2;
        const bool rightToLeft = StepsRightToLeft(block, *LongLineLayout::Of(block));
        cursor.setPosition(lastCharacter ? *CharacterStep(cursor, !rightToLeft, QTextCursor::KeepAnchor)
                                         : block.position() + block.length() - 1,
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    } else {
        return false;
    }
    area_.setTextCursor(cursor);
    ShowCaret();
    event.accept();
    return true;
}

// The toolkit's Delete takes the cluster after the caret as one removal, which adds to the
// Delete before it as one step to undo. Removed character by character the same way (a
// character's removal at the caret adds up likewise), with only one removal when the cluster
// has many characters: each removal costs an analysis of the line.
void LongLineEditing::DeleteCluster(QTextCursor& cursor) const {
    constexpr int kMostCharacters = 8;
    const int position = cursor.position();
    const int end = CharacterStep(cursor, true, QTextCursor::KeepAnchor).value_or(position);
    std::vector<int> lengths;
    for (int at = position; at < end;) {
        const bool pair = area_.document()->characterAt(at).isHighSurrogate() && at + 1 < end &&
                          area_.document()->characterAt(at + 1).isLowSurrogate();
        lengths.push_back(pair ? 2 : 1);
        at += lengths.back();
    }
    if (lengths.size() > kMostCharacters) {
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        return;
    }
    for (const int length : lengths) {
        cursor.setPosition(position + length);
        cursor.deletePreviousChar();
    }
}

// ---- mouse ----------------------------------------------------------------------------------------

bool LongLineEditing::MousePress(const QMouseEvent& event) {
    const Qt::TextInteractionFlags flags = area_.textInteractionFlags();
    if (!Active() || event.button() != Qt::LeftButton || !(flags & (Qt::TextSelectableByMouse | Qt::TextEditable))) {
        return false;
    }
    const QPointF point = event.position();
    pressPoint_ = point;
    mightDrag_ = false;
    column_.reset();
    pressed_ = flags & Qt::TextSelectableByMouse;
    QTextCursor cursor = area_.textCursor();
    const bool tripleClick = sinceDoubleClick_.isValid() &&
                             sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
                             (point - doubleClickPoint_).manhattanLength() < QApplication::startDragDistance();
    if (tripleClick) {
        // The line and its line break.
        const QTextBlock block = cursor.block();
        const int end = block.position() + block.length() - 1;
        cursor.setPosition(block.position());
        cursor.setPosition(end < LastPosition(*area_.document()) ? end + 1 : end, QTextCursor::KeepAnchor);
        blockOnTripleClick_ = cursor;
        sinceDoubleClick_.invalidate();
        area_.setTextCursor(cursor);
    } else {
        const int position = HitTest(point);
        if (event.modifiers() == Qt::ShiftModifier && (flags & Qt::TextSelectableByMouse)) {
            if (blockOnTripleClick_.hasSelection()) ExtendBlockwise(position);
            else if (wordOnDoubleClick_.hasSelection()) ExtendWordwise(position, point.x() - area_.contentOffset().x());
            else SetCaret(position, QTextCursor::KeepAnchor);
        } else if (cursor.hasSelection() && position >= cursor.selectionStart() && position <= cursor.selectionEnd()) {
            mightDrag_ = true;  // the selection may be dragged away
            return true;
        } else {
            wordOnDoubleClick_ = blockOnTripleClick_ = QTextCursor();
            SetCaret(position, QTextCursor::MoveAnchor);
        }
    }
    if (flags & Qt::TextEditable) ShowCaret();
    return true;
}

bool LongLineEditing::MouseMove(const QMouseEvent& event) {
    if (!Active() || !(event.buttons() & Qt::LeftButton)) return false;
    const bool editable = area_.textInteractionFlags() & Qt::TextEditable;
    if (!(pressed_ || editable || mightDrag_ || wordOnDoubleClick_.hasSelection() || blockOnTripleClick_.hasSelection())) {
        return true;
    }
    const QPointF point = event.position();
    if (mightDrag_) {
        if ((point - pressPoint_).manhattanLength() > QApplication::startDragDistance()) StartDrag();
        return true;
    }
    const int position = HitTest(point);
    if (blockOnTripleClick_.hasSelection()) ExtendBlockwise(position);
    else if (wordOnDoubleClick_.hasSelection()) ExtendWordwise(position, point.x() - area_.contentOffset().x());
    else if (pressed_) SetCaret(position, QTextCursor::KeepAnchor);
    return true;
}

bool LongLineEditing::MouseRelease(const QMouseEvent& event) {
    if (!Active()) return false;
    if (mightDrag_ && event.button() == Qt::LeftButton) {
        pressed_ = mightDrag_ = false;
        SetCaret(HitTest(event.position()), QTextCursor::MoveAnchor);
        return true;
    }
    if (pressed_) {
        pressed_ = false;
        OfferSelection();
        return true;
    }
    QClipboard* clipboard = QApplication::clipboard();
    if (event.button() == Qt::MiddleButton && (area_.textInteractionFlags() & Qt::TextEditable) &&
        clipboard->supportsSelection()) {
        SetCaret(HitTest(event.position()), QTextCursor::MoveAnchor);
        if (const QMimeData* selection = clipboard->mimeData(QClipboard::Selection)) area_.insertFromMimeData(selection);
        ShowCaret();
        return true;
    }
    return event.button() == Qt::LeftButton;
}

bool LongLineEditing::MouseDoubleClick(const QMouseEvent& event) {
    if (!Active() || event.button() != Qt::LeftButton || !(area_.textInteractionFlags() & Qt::TextSelectableByMouse)) {
        return false;
    }
    mightDrag_ = false;
    column_.reset();
    SelectWordAt(HitTest(event.position()));
    wordOnDoubleClick_ = area_.textCursor();
    doubleClickPoint_ = event.position();
    sinceDoubleClick_.start();
    OfferSelection();
    return true;
}

// The caret at `position`, then, when its text line has any text, the word there
// (QTextCursor::WordUnderCursor).
void LongLineEditing::SelectWordAt(int position) {
    QTextCursor cursor = area_.textCursor();
    cursor.setPosition(position);
    const QTextBlock block = cursor.block();
    const LongLine* line = LongLineLayout::Of(block);
    if (line == nullptr) {
        if (LaidOut(block).lineForTextPosition(cursor.positionInBlock()).textLength() > 0) {
            cursor.select(QTextCursor::WordUnderCursor);
        }
    } else if (line->RowLength(line->RowOf(cursor.positionInBlock())) > 0) {
        if (const std::optional<int> start = StartOfWord(line->Text(), cursor.positionInBlock())) {
            cursor.setPosition(block.position() + *start);
        }
        if (const std::optional<int> end = EndOfWord(line->Text(), cursor.positionInBlock())) {
            cursor.setPosition(block.position() + *end, QTextCursor::KeepAnchor);
        }
    }
    area_.setTextCursor(cursor);
}

// After a double click the selection grows by words: to the start or end of the word under
// the mouse, whichever is nearer to it.
void LongLineEditing::ExtendWordwise(int position, qreal x) {
    if (position >= wordOnDoubleClick_.selectionStart() && position <= wordOnDoubleClick_.selectionEnd()) {
        area_.setTextCursor(wordOnDoubleClick_);
        return;
    }
    const QTextBlock block = area_.document()->findBlock(position);
    const int at = position - block.position();
    int wordStart = 0, wordEnd = 0;
    if (const LongLine* line = LongLineLayout::Of(block)) {
        const std::optional<int> start = StartOfWord(line->Text(), at);
        if (!start) return;
        const std::optional<int> end = EndOfWord(line->Text(), *start);
        if (!end || *end == *start || line->RowOf(*end) != line->RowOf(*start)) return;
        wordStart = block.position() + *start;
        wordEnd = block.position() + *end;
    } else {
        QTextCursor word(area_.document());
        word.setPosition(position);
        if (!word.movePosition(QTextCursor::StartOfWord)) return;
        wordStart = word.position();
        const int row = RowOf(block, word.positionInBlock());
        if (!word.movePosition(QTextCursor::EndOfWord)) return;
        if (RowOf(block, word.positionInBlock()) != row || word.position() == wordStart) return;
        wordEnd = word.position();
    }
    const qreal startX = CaretX(wordStart), endX = CaretX(wordEnd);
    if (x < startX || x > endX) return;
    QTextCursor cursor = area_.textCursor();
    cursor.setPosition(position < wordOnDoubleClick_.position() ? wordOnDoubleClick_.selectionEnd()
                                                                : wordOnDoubleClick_.selectionStart());
    cursor.setPosition(x - startX < endX - x ? wordStart : wordEnd, QTextCursor::KeepAnchor);
    area_.setTextCursor(cursor);
    OfferSelection();
}

// After a triple click the selection grows by whole lines.
void LongLineEditing::ExtendBlockwise(int position) {
    if (position >= blockOnTripleClick_.selectionStart() && position <= blockOnTripleClick_.selectionEnd()) {
        area_.setTextCursor(blockOnTripleClick_);
        return;
    }
    QTextCursor cursor = area_.textCursor();
    const QTextBlock block = area_.document()->findBlock(position);
    if (position < blockOnTripleClick_.position()) {
        cursor.setPosition(blockOnTripleClick_.selectionEnd());
        cursor.setPosition(block.position(), QTextCursor::KeepAnchor);
    } else {
        const int end = block.position() + block.length() - 1;
        cursor.setPosition(blockOnTripleClick_.selectionStart());
        cursor.setPosition(end < LastPosition(*area_.document()) ? end + 1 : end, QTextCursor::KeepAnchor);
    }
    area_.setTextCursor(cursor);
    OfferSelection();
}

void LongLineEditing::StartDrag() {
    pressed_ = mightDrag_ = false;
    auto* drag = new QDrag(area_.viewport());
    drag->setMimeData(area_.createMimeDataFromSelection());
    const bool editable = area_.textInteractionFlags() & Qt::TextEditable;
    const Qt::DropAction action = drag->exec(editable ? Qt::CopyAction | Qt::MoveAction : Qt::CopyAction,
                                             editable ? Qt::MoveAction : Qt::CopyAction);
    if (action == Qt::MoveAction && drag->target() != area_.viewport()) {
        QTextCursor cursor = area_.textCursor();
        cursor.removeSelectedText();
        area_.setTextCursor(cursor);
    }
}

// A drop inserts where the toolkit's hit test puts it; dragged within the area, the text moves.
bool LongLineEditing::Drop(QDropEvent& event) {
    if (!Active()) return false;
    if (!(area_.textInteractionFlags() & Qt::TextEditable) || !area_.canInsertFromMimeData(event.mimeData())) {
        event.ignore();
        return true;
    }
    QTextCursor insertion(area_.document());
    insertion.setPosition(HitTest(event.position()));
    insertion.beginEditBlock();
    if (event.dropAction() == Qt::MoveAction && event.source() == area_.viewport()) {
        QTextCursor dragged = area_.textCursor();
        dragged.removeSelectedText();
    }
    area_.setTextCursor(insertion);
    area_.insertFromMimeData(event.mimeData());
    insertion.endEditBlock();
    ShowCaret();
    event.acceptProposedAction();
    return true;
}

}  // namespace fw::detail
