// The text area's widget: gathered appends, plain-text clipboard, HideSelection, the painting
// of its blocks, and the caret, clicks and keys in very long lines.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMetaObject>
#include <QMimeData>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include "framework/long_lines.hpp"
#include "framework/native_widgets.hpp"

namespace fw::detail {

namespace {

// The selections of the paint context that fall into `block`, as ranges of its layout.
QList<QTextLayout::FormatRange> SelectionsIn(const QTextBlock& block,
                                             const QAbstractTextDocumentLayout::PaintContext& context) {
    QList<QTextLayout::FormatRange> ranges;
    const int start = block.position(), length = block.length();
    for (const QAbstractTextDocumentLayout::Selection& selection : context.selections) {
        const int from = selection.cursor.selectionStart() - start;
        const int to = selection.cursor.selectionEnd() - start;
        if (from < length && to > 0 && to > from) {
            ranges.append({from, to - from, selection.format});
        } else if (!selection.cursor.hasSelection() && block.layout()->lineCount() > 0 &&
                   selection.format.hasProperty(QTextFormat::FullWidthSelection) &&
                   block.contains(selection.cursor.position())) {
            const QTextLine line = block.layout()->lineForTextPosition(selection.cursor.position() - start);
            int lineLength = line.textLength();
            if (line.textStart() + lineLength == length - 1) ++lineLength;  // with the line break
            ranges.append({line.textStart(), lineLength, selection.format});
        }
    }
    return ranges;
}

// The selected text with the toolkit's '\n' at every line break.
QString SelectedPlainText(const QTextCursor& cursor) {
    QString text = cursor.selectedText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    }
    return text;
}

// The next or previous boundary of `type` from `position` in `text`, looked for near it.
int Boundary(const QString& text, int position, QTextBoundaryFinder::BoundaryType type, bool forward) {
    constexpr int kNear = 512;
    const int from = std::max(0, position - kNear);
    const int to = std::min(static_cast<int>(text.size()), position + kNear);
    QTextBoundaryFinder finder(type, text.constData() + from, to - from);
    finder.setPosition(position - from);
    for (;;) {
        const int found = forward ? finder.toNextBoundary() : finder.toPreviousBoundary();
        if (found < 0) return forward ? to : from;
        if (type != QTextBoundaryFinder::Word || (finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem) ||
            found == 0 || found == to - from) {
            return from + found;
        }
    }
}

// The word (or run of other characters) of `text` that holds `position`, as [first, second).
std::pair<int, int> SegmentAt(const QString& text, int position) {
    constexpr int kNear = 512;
    const int from = std::max(0, position - kNear);
    const int to = std::min(static_cast<int>(text.size()), position + kNear);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text.constData() + from, to - from);
    finder.setPosition(position - from);
    const int end = finder.toNextBoundary();
    finder.setPosition(position - from);
    const int start = finder.isAtBoundary() ? position - from : finder.toPreviousBoundary();
    return {from + std::max(0, start), end < 0 ? to : from + end};
}

}  // namespace

AreaWidget::AreaWidget(QWidget* parent) : QPlainTextEdit(parent) {
    auto* text = new QTextDocument(this);
    lines_ = new LongLineLayout(text);
    text->setDocumentLayout(lines_);
    text->setDefaultFont(font());
    setDocument(text);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
    // The caret blinks by the text control's timer; in a long line the area repaints it.
    for (QObject* child : children()) {
        if (child->inherits("QWidgetTextControl")) child->installEventFilter(this);
    }
    // The toolkit repaints and scrolls to the caret by its own measures, which a long line has
    // not: the area does both for it, also once the toolkit is done with the current event.
    connect(this, &QPlainTextEdit::selectionChanged, this, [this] {
        if (lines_->HasLongLines()) viewport()->update();
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!lines_->HasLongLines()) return;
        viewport()->update();
        if (CaretLine() == nullptr || showCaretQueued_) return;
        showCaretQueued_ = true;
        QMetaObject::invokeMethod(this, [this] {
            showCaretQueued_ = false;
            ShowCaret();
        }, Qt::QueuedConnection);
    });
}

AreaWidget::~AreaWidget() {
    // The base classes' destructors still move the focus and change the cursor, when this
    // class's part is gone: nothing may reach its handlers from then on.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(this, nullptr, this, nullptr);
    for (QObject* child : children()) child->removeEventFilter(this);
}

void AreaWidget::Append(const QString& addition) {
    if (addition.isEmpty()) return;
    pending_ += addition;
    if (flushQueued_) return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { Flush(); }, Qt::QueuedConnection);
}

void AreaWidget::Flush() {
    flushQueued_ = false;
    if (pending_.isEmpty()) return;
    const QString addition = std::exchange(pending_, QString());
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(addition);
}

void AreaWidget::ReplaceText(const QString& text) {
    pending_.clear();
    setPlainText(text);
}

void AreaWidget::SetHideSelection(bool hide) {
    hideSelection_ = hide;
    viewport()->update();
}

bool AreaWidget::event(QEvent* event) {
    if (!pending_.isEmpty()) Flush();
    return QPlainTextEdit::event(event);
}

bool AreaWidget::viewportEvent(QEvent* event) {
    if (!pending_.isEmpty()) Flush();
    return QPlainTextEdit::viewportEvent(event);
}

// The area keeps the focus, as far as its selection goes, while a menu or popup is open over
// it or the menu bar is in use; it loses it when another control or window takes it.
void AreaWidget::FocusChanged(QWidget* now) {
    if (now != nullptr && now != this && qobject_cast<QMenuBar*>(now) != nullptr) return;
    const bool focused = now == this;
    if (focused == focused_) return;
    focused_ = focused;
    viewport()->update();
}

QMimeData* AreaWidget::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(SelectedPlainText(textCursor()));
    return data;
}

bool AreaWidget::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText() && !source->text().isEmpty();
}

void AreaWidget::insertFromMimeData(const QMimeData* source) {
    if (!canInsertFromMimeData(source)) return;
    insertPlainText(source->text());
    ensureCursorVisible();
}

// The toolkit's painting of a plain text edit, block by block, with two differences: a
// hidden selection is left out, and a very long line is drawn only where it is exposed.
void AreaWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    QPointF offset = contentOffset();
    QRect exposed = event->rect();
    const QRect viewportRect = viewport()->rect();
    const qreal documentWidth = document()->documentLayout()->documentSize().width();
    painter.setBrushOrigin(offset);
    const int maxX = static_cast<int>(offset.x() + std::max<qreal>(viewportRect.width(), documentWidth) -
                                      document()->documentMargin() + cursorWidth());
    exposed.setRight(std::min(exposed.right(), maxX));
    painter.setClipRect(exposed);

    QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    if (!SelectionShown()) context.selections.resize(extraSelections().size());
    painter.setPen(context.palette.text().color());
    QTextBlock block = firstVisibleBlock();
    for (; block.isValid() && offset.y() <= viewportRect.height(); block = block.next()) {
        const QRectF r = blockBoundingRect(block).translated(offset);
        if (block.isVisible() && r.bottom() >= exposed.top() && r.top() <= exposed.bottom()) {
            PaintBlock(painter, block, offset, exposed, context);
        }
        offset.ry() += r.height();
    }
    if (backgroundVisible() && !block.isValid() && offset.y() <= exposed.bottom() &&
        (centerOnScroll() || verticalScrollBar()->maximum() == verticalScrollBar()->minimum())) {
        painter.fillRect(QRect(QPoint(exposed.left(), static_cast<int>(offset.y())), exposed.bottomRight()),
                         palette().window());
    }
}

void AreaWidget::PaintBlock(QPainter& painter, const QTextBlock& block, QPointF offset, const QRect& exposed,
                            const QAbstractTextDocumentLayout::PaintContext& context) {
    QTextLayout* layout = block.layout();
    QList<QTextLayout::FormatRange> selections = SelectionsIn(block, context);
    const int start = block.position(), length = block.length();
    const bool caretShown = !isReadOnly() || (textInteractionFlags() & Qt::TextSelectableByKeyboard);
    const bool caretHere = caretShown && context.cursorPosition >= start && context.cursorPosition < start + length;
    if (const LongLine* line = LongLineLayout::Of(block)) {
        const int caret = caretHere ? context.cursorPosition - start : -1;
        return DrawLongLine(painter, *line, offset, exposed, selections, caret, context.palette.text());
    }
    const bool caretAsBlock = caretHere && overwriteMode() && context.cursorPosition != start + length - 1;
    if (caretAsBlock) {
        QTextCharFormat inverted;
        inverted.setForeground(palette().base());
        inverted.setBackground(palette().text());
        selections.append({context.cursorPosition - start, 1, inverted});
    }
    layout->draw(&painter, offset, selections, exposed);
    const bool inPreedit = !isReadOnly() && context.cursorPosition < -1 && !layout->preeditAreaText().isEmpty();
    if ((caretHere && !caretAsBlock) || inPreedit) {
        const int position = inPreedit ? layout->preeditAreaPosition() - (context.cursorPosition + 2)
                                       : context.cursorPosition - start;
        layout->drawCursor(&painter, offset, position, cursorWidth());
    }
}

// ---- very long lines ---------------------------------------------------------------------

LongLine* AreaWidget::CaretLine() const { return LongLineLayout::Of(textCursor().block()); }

// The block under a point of the viewport; the last one below the text.
QTextBlock AreaWidget::BlockAt(QPoint point) const {
    QTextBlock block = firstVisibleBlock();
    for (QTextBlock next = block; next.isValid(); next = next.next()) {
        block = next;
        if (!block.isVisible()) continue;
        if (point.y() < blockBoundingGeometry(block).translated(contentOffset()).bottom()) break;
    }
    return block;
}

// The caret position nearest to a point of the viewport.
int AreaWidget::PositionAt(QPoint point) const {
    const QTextBlock block = BlockAt(point);
    const LongLine* line = LongLineLayout::Of(block);
    if (line == nullptr) return cursorForPosition(point).position();
    const qreal x = point.x() - contentOffset().x() - document()->documentMargin();
    return block.position() + line->PositionAt(x);
}

void AreaWidget::MoveCaret(int position, QTextCursor::MoveMode mode) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(position, 0, document()->characterCount() - 1), mode);
    setTextCursor(cursor);
    ShowCaret();
}

// The keys whose toolkit handling analyses the whole line: character and word steps and
// deletions. In a long line they are served here from the text near the caret.
bool AreaWidget::StepThroughLongLine(const QKeyEvent& event) {
    const LongLine* line = CaretLine();
    if (line == nullptr) return false;
    const QTextCursor cursor = textCursor();
    const int start = cursor.block().position(), at = cursor.positionInBlock();
    const int end = static_cast<int>(line->Text().size());
    auto step = [&](QTextBoundaryFinder::BoundaryType type, bool forward) {
        if (forward) return at >= end ? start + end + 1 : start + Boundary(line->Text(), at, type, true);
        return at == 0 ? start - 1 : start + Boundary(line->Text(), at, type, false);
    };
    using K = QKeySequence;
    using B = QTextBoundaryFinder;
    struct Step {
        K::StandardKey key;
        B::BoundaryType type;
        bool forward, select;
    };
    static constexpr Step kSteps[] = {
        {K::MoveToNextChar, B::Grapheme, true, false},      {K::MoveToPreviousChar, B::Grapheme, false, false},
        {K::SelectNextChar, B::Grapheme, true, true},       {K::SelectPreviousChar, B::Grapheme, false, true},
        {K::MoveToNextWord, B::Word, true, false},          {K::MoveToPreviousWord, B::Word, false, false},
        {K::SelectNextWord, B::Word, true, true},           {K::SelectPreviousWord, B::Word, false, true},
    };
    for (const Step& s : kSteps) {
        if (!event.matches(s.key)) continue;
        int target = step(s.type, s.forward);
        if (!s.select && s.type == B::Grapheme && cursor.hasSelection()) {
            target = s.forward ? cursor.selectionEnd() : cursor.selectionStart();
        }
        MoveCaret(target, s.select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
        return true;
    }
    const bool backspace = event.key() == Qt::Key_Backspace && !(event.modifiers() & ~Qt::ShiftModifier);
    struct Deletion {
        bool matches;
        B::BoundaryType type;
        bool forward;
    };
    const Deletion deletions[] = {
        {backspace, B::Grapheme, false},
        {event.matches(K::Delete), B::Grapheme, true},
        {event.matches(K::DeleteStartOfWord), B::Word, false},
        {event.matches(K::DeleteEndOfWord), B::Word, true},
    };
    for (const Deletion& d : deletions) {
        if (!d.matches) continue;
        if (isReadOnly()) return true;
        QTextCursor removal = cursor;
        if (!removal.hasSelection()) {
            removal.setPosition(std::clamp(step(d.type, d.forward), 0, document()->characterCount() - 1),
                                QTextCursor::KeepAnchor);
        }
        removal.removeSelectedText();
        setTextCursor(removal);
        ShowCaret();
        return true;
    }
    return false;
}

// Scrolls a caret that stands in a long line into view; the toolkit cannot measure it there.
void AreaWidget::ShowCaret() {
    const QTextCursor cursor = textCursor();
    const LongLine* line = LongLineLayout::Of(cursor.block());
    if (line == nullptr) return;
    const qreal x = document()->documentMargin() + line->X(cursor.positionInBlock());
    QScrollBar& across = *horizontalScrollBar();
    const int width = viewport()->width();
    if (x < across.value() || x + cursorWidth() > across.value() + width) {
        across.setValue(static_cast<int>(x) - width / 2);
    }
    const QRectF r = blockBoundingGeometry(cursor.block()).translated(contentOffset());
    if (r.top() < 0 || r.top() + line->Height() > viewport()->height()) {
        const int lines = std::max(1, static_cast<int>(viewport()->height() / line->Height()));
        const int first = cursor.block().firstLineNumber();
        verticalScrollBar()->setValue(r.top() < 0 ? first : first - lines + 1);
    }
}

QRect AreaWidget::CaretRect() const {
    const QTextCursor cursor = textCursor();
    const LongLine* line = LongLineLayout::Of(cursor.block());
    if (line == nullptr) return {};
    const QRectF r = blockBoundingGeometry(cursor.block()).translated(contentOffset());
    const qreal x = r.left() + document()->documentMargin() + line->X(cursor.positionInBlock());
    return QRectF(x - 1, r.top(), cursorWidth() + 2, line->Height()).toAlignedRect();
}

bool AreaWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Timer && CaretLine() != nullptr) viewport()->update(CaretRect());
    return QPlainTextEdit::eventFilter(watched, event);
}

void AreaWidget::keyPressEvent(QKeyEvent* event) {
    if (StepThroughLongLine(*event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    ShowCaret();
}

void AreaWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || LongLineLayout::Of(BlockAt(point)) == nullptr) {
        return QPlainTextEdit::mousePressEvent(event);
    }
    selectingInLongLine_ = true;
    MoveCaret(PositionAt(point),
              event->modifiers() & Qt::ShiftModifier ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    event->accept();
}

void AreaWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!selectingInLongLine_ || !(event->buttons() & Qt::LeftButton)) return QPlainTextEdit::mouseMoveEvent(event);
    MoveCaret(PositionAt(event->position().toPoint()), QTextCursor::KeepAnchor);
    event->accept();
}

void AreaWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!selectingInLongLine_) return QPlainTextEdit::mouseReleaseEvent(event);
    selectingInLongLine_ = false;
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection() && textCursor().hasSelection()) {
        clipboard->setMimeData(createMimeDataFromSelection(), QClipboard::Selection);
    }
    event->accept();
}

void AreaWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const QTextBlock block = BlockAt(point);
    const LongLine* line = LongLineLayout::Of(block);
    if (event->button() != Qt::LeftButton || line == nullptr) return QPlainTextEdit::mouseDoubleClickEvent(event);
    const auto [first, end] = SegmentAt(line->Text(), PositionAt(point) - block.position());
    QTextCursor word = textCursor();
    word.setPosition(block.position() + first);
    word.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    setTextCursor(word);
    selectingInLongLine_ = true;
    event->accept();
}

// Draws the exposed part of a long line with its selections and the caret (`caret` -1: none).
void AreaWidget::DrawLongLine(QPainter& painter, const LongLine& line, QPointF offset, const QRect& exposed,
                              const QList<QTextLayout::FormatRange>& selections, int caret,
                              const QBrush& caretBrush) {
    const int length = static_cast<int>(line.Text().size());
    const QPointF origin(offset.x() + document()->documentMargin(), offset.y() + line.Ascent());
    const int from = std::max(0, line.PositionAt(exposed.left() - origin.x()) - 1);
    const int to = std::min(length, line.PositionAt(exposed.right() + 1 - origin.x()) + 1);
    painter.setFont(lines_->Font());
    line.Draw(painter, origin, from, to);
    for (const QTextLayout::FormatRange& range : selections) {
        const bool withBreak = range.start + range.length > length;  // the line break is selected
        const int start = std::max(from, range.start);
        const int stop = std::min(to, range.start + range.length);
        if (stop < start || (stop == start && !withBreak)) continue;
        const qreal left = origin.x() + line.X(start);
        const qreal right = origin.x() + line.X(stop) + (withBreak && stop == length ? line.Height() / 4 : 0);
        const QRectF area(left, offset.y(), right - left, line.Height());
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        painter.fillRect(area, range.format.background());
        if (range.format.hasProperty(QTextFormat::ForegroundBrush)) painter.setPen(QPen(range.format.foreground(), 0));
        line.Draw(painter, origin, start, stop);
        painter.restore();
    }
    if (caret >= 0) painter.fillRect(QRectF(origin.x() + line.X(caret), offset.y(), cursorWidth(), line.Height()), caretBrush);
}

}  // namespace fw::detail
