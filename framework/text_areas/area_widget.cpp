// The text area's widget: gathered appends, plain-text clipboard, HideSelection, and the
// painting of its blocks, very long lines included; its caret, keys and mouse go to
// LongLineEditing first while its text has long lines.
#include "framework/text_areas/area_widget.hpp"

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
#include <QTextLayout>

#include "framework/text_areas/long_line_editing.hpp"
#include "framework/text_areas/long_lines.hpp"

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

}  // namespace

AreaWidget::AreaWidget(QWidget* parent) : QPlainTextEdit(parent) {
    auto* text = new QTextDocument(this);
    lines_ = new LongLineLayout(text);
    text->setDocumentLayout(lines_);
    text->setDefaultFont(font());
    setDocument(text);
    longLines_ = std::make_unique<LongLineEditing>(*this, *lines_);
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
        if (LongLineLayout::Of(textCursor().block()) == nullptr || showCaretQueued_) return;
        showCaretQueued_ = true;
        QMetaObject::invokeMethod(this, [this] {
            showCaretQueued_ = false;
            longLines_->ShowCaret();
        }, Qt::QueuedConnection);
    });
    // The toolkit scrolls the viewport by what it knows of the rows; a long line's it does not.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (lines_->HasLongLines()) viewport()->update();
    });
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] { longLines_->KeepVerticalRange(); });
}

AreaWidget::~AreaWidget() {
    // The base classes' destructors still move the focus and change the cursor, when this
    // class's part is gone: nothing may reach its handlers from then on.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(this, nullptr, this, nullptr);
    disconnect(verticalScrollBar(), nullptr, this, nullptr);
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
    ShowCursor();
}

// The toolkit's scrolling to the caret cannot measure a long line: the area scrolls there.
void AreaWidget::ShowCursor() {
    if (LongLineLayout::Of(textCursor().block()) != nullptr) longLines_->ShowCaret();
    else ensureCursorVisible();
}

QVariant AreaWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle) {
        const QTextCursor cursor = textCursor();
        const int position = query == Qt::ImCursorRectangle ? cursor.position() : cursor.anchor();
        if (const std::optional<QRectF> caret = longLines_->CaretRect(position)) return *caret;
    }
    return QPlainTextEdit::inputMethodQuery(query);
}

// The toolkit's painting of a plain text edit, block by block, with two differences: a
// hidden selection is left out, and a very long line is drawn only where it is exposed.
void AreaWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    QPointF offset = contentOffset() - QPointF(0, longLines_->TopRowOffset());
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
        int caret = caretHere ? context.cursorPosition - start : -1;
        if (dropPosition_) caret = *dropPosition_ >= start && *dropPosition_ < start + length ? *dropPosition_ - start : -1;
        const QPointF origin(offset.x() + document()->documentMargin(), offset.y());
        return line->Draw(painter, origin, exposed, selections, caret, cursorWidth());
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

// ---- input in very long lines --------------------------------------------------------------

bool AreaWidget::eventFilter(QObject* watched, QEvent* event) {
    // The caret blinks by the text control's timer; in a long line the area repaints it.
    if (event->type() == QEvent::Timer) {
        if (const std::optional<QRectF> caret = longLines_->CaretRect(textCursor().position())) {
            viewport()->update(caret->toAlignedRect().adjusted(-1, 0, 1, 0));
        }
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void AreaWidget::keyPressEvent(QKeyEvent* event) {
    if (longLines_->Key(*event)) return;
    // The toolkit's own scrolling to the caret fails when the caret's long line is out of view.
    longLines_->ShowCaret();
    QPlainTextEdit::keyPressEvent(event);
    longLines_->ShowCaret();
}

void AreaWidget::mousePressEvent(QMouseEvent* event) {
    if (longLines_->MousePress(*event)) return event->accept();
    QPlainTextEdit::mousePressEvent(event);
}

void AreaWidget::mouseMoveEvent(QMouseEvent* event) {
    if (longLines_->MouseMove(*event)) return event->accept();
    QPlainTextEdit::mouseMoveEvent(event);
}

void AreaWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (longLines_->MouseRelease(*event)) return event->accept();
    QPlainTextEdit::mouseReleaseEvent(event);
}

void AreaWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (longLines_->MouseDoubleClick(*event)) return event->accept();
    QPlainTextEdit::mouseDoubleClickEvent(event);
}

// The toolkit shows where a drag would drop by its hit test; over a long line the area does.
void AreaWidget::dragMoveEvent(QDragMoveEvent* event) {
    QPlainTextEdit::dragMoveEvent(event);
    if (!longLines_->Active()) return;
    dropPosition_ = event->isAccepted() ? std::optional(longLines_->HitTest(event->position())) : std::nullopt;
    viewport()->update();
}

void AreaWidget::dragLeaveEvent(QDragLeaveEvent* event) {
    dropPosition_.reset();
    QPlainTextEdit::dragLeaveEvent(event);
}

void AreaWidget::dropEvent(QDropEvent* event) {
    dropPosition_.reset();
    if (!longLines_->Drop(*event)) return QPlainTextEdit::dropEvent(event);
    QDragLeaveEvent leave;  // the toolkit's end of a drag, without its drop
    QPlainTextEdit::dragLeaveEvent(&leave);
}

}  // namespace fw::detail
