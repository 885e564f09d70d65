// The text area's widget: gathered appends, plain-text clipboard, HideSelection, and the
// painting of its blocks (very long lines only where they are visible).
#include <QFocusEvent>
#include <QGlyphRun>
#include <QMetaObject>
#include <QMimeData>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include "framework/native_widgets.hpp"

namespace fw::detail {

namespace {

// Lines longer than this keep their shaped glyphs between paints (the toolkit would shape
// the whole line again for every paint and caret blink) and are drawn only where visible.
constexpr int kLongLine = 10000;

bool IsLongLine(const QTextLine& line) { return line.textLength() > kLongLine; }

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
        } else if (!selection.cursor.hasSelection() &&
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

void DrawGlyphs(QPainter& painter, const QTextLine& line, QPointF offset, int from, int to) {
    if (to <= from) return;
    for (const QGlyphRun& run : line.glyphRuns(from, to - from)) painter.drawGlyphRun(offset, run);
}

// Draws the part of a very long line that lies in `exposed`, with its selections.
void DrawLongLine(QPainter& painter, const QTextLine& line, QPointF offset, const QRect& exposed,
                  const QList<QTextLayout::FormatRange>& selections) {
    const int first = line.textStart(), end = first + line.textLength();
    const int from = std::max(first, line.xToCursor(exposed.left() - offset.x()) - 1);
    const int to = std::min(end, line.xToCursor(exposed.right() + 1 - offset.x()) + 1);
    DrawGlyphs(painter, line, offset, from, to);
    for (const QTextLayout::FormatRange& range : selections) {
        const int start = std::max(from, range.start);
        const int stop = std::min(to, range.start + range.length);
        if (stop <= start && !(range.start + range.length > end && stop == end)) continue;
        const qreal left = line.cursorToX(start);
        qreal right = line.cursorToX(std::min(stop, end));
        if (range.start + range.length > end) right += line.height() / 4;  // the selected line break
        const QRectF area(offset.x() + left, offset.y() + line.y(), right - left, line.height());
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        painter.fillRect(area, range.format.background());
        if (range.format.hasProperty(QTextFormat::ForegroundBrush)) {
            painter.setPen(QPen(range.format.foreground(), 0));
        }
        DrawGlyphs(painter, line, offset, start, std::min(stop, end));
        painter.restore();
    }
}

// The selected text with the toolkit's '\n' at every line break.
QString SelectedPlainText(const QTextCursor& cursor) {
    QString text = cursor.selectedText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    }
    return text;
}

}  // namespace

AreaWidget::AreaWidget(QWidget* parent) : QPlainTextEdit(parent) {
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(option);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int from, int, int added) { KeepLongLinesShaped(from, added); });
}

void AreaWidget::KeepLongLinesShaped(int from, int added) {
    QTextBlock block = document()->findBlock(from);
    for (; block.isValid() && block.position() <= from + added; block = block.next()) {
        if (block.length() > kLongLine) block.layout()->setCacheEnabled(true);
    }
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

void AreaWidget::focusInEvent(QFocusEvent* event) {
    focused_ = true;
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void AreaWidget::focusOutEvent(QFocusEvent* event) {
    // A menu or popup opened from the area leaves the focus where it was.
    if (event->reason() != Qt::PopupFocusReason) focused_ = false;
    QPlainTextEdit::focusOutEvent(event);
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
    const bool caretShown = !isReadOnly() || (textInteractionFlags() & Qt::TextSelectableByKeyboard);

    QTextBlock block = firstVisibleBlock();
    for (; block.isValid(); block = block.next()) {
        const QRectF r = blockBoundingRect(block).translated(offset);
        if (block.isVisible() && r.bottom() >= exposed.top() && r.top() <= exposed.bottom()) {
            QTextLayout* layout = block.layout();
            QList<QTextLayout::FormatRange> selections = SelectionsIn(block, context);
            const int start = block.position(), length = block.length();
            const bool caretHere = caretShown && context.cursorPosition >= start &&
                                   context.cursorPosition < start + length;
            bool caretAsBlock = caretHere && overwriteMode() && context.cursorPosition != start + length - 1;
            if (caretAsBlock) {
                QTextCharFormat inverted;
                inverted.setForeground(palette().base());
                inverted.setBackground(palette().text());
                selections.append({context.cursorPosition - start, 1, inverted});
            }
            if (layout->lineCount() == 1 && IsLongLine(layout->lineAt(0))) {
                DrawLongLine(painter, layout->lineAt(0), offset, exposed, selections);
                caretAsBlock = false;
            } else {
                layout->draw(&painter, offset, selections, exposed);
            }
            const bool inPreedit = !isReadOnly() && context.cursorPosition < -1 && !layout->preeditAreaText().isEmpty();
            if ((caretHere && !caretAsBlock) || inPreedit) {
                const int position = context.cursorPosition < -1
                    ? layout->preeditAreaPosition() - (context.cursorPosition + 2)
                    : context.cursorPosition - start;
                layout->drawCursor(&painter, offset, position, cursorWidth());
            }
        }
        offset.ry() += r.height();
        if (offset.y() > viewportRect.height()) break;
    }
    if (backgroundVisible() && !block.isValid() && offset.y() <= exposed.bottom() &&
        (centerOnScroll() || verticalScrollBar()->maximum() == verticalScrollBar()->minimum())) {
        painter.fillRect(QRect(QPoint(exposed.left(), static_cast<int>(offset.y())), exposed.bottomRight()),
                         palette().window());
    }
}

}  // namespace fw::detail
