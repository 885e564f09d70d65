#pragma once
// Framework-internal: the Qt widget behind a text area.
#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>

#include <memory>
#include <optional>

class QDragLeaveEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMimeData;
class QPainter;

namespace fw::detail {

class LongLineEditing;
class LongLineLayout;

// A text area. Appended text is gathered and inserted into the document in one piece once
// control is back in the event loop, or before anything else touches the widget. The
// clipboard and drag and drop carry plain text only. With HideSelection the selection shows
// only while the area has the focus. Very long lines (see long_lines.hpp) are drawn by the
// area, and its caret, keys and mouse in them are served by LongLineEditing.
class AreaWidget final : public QPlainTextEdit {
public:
    explicit AreaWidget(QWidget* parent);
    ~AreaWidget() override;
    void Append(const QString& addition);  // addition with '\n' line breaks only
    void Flush();
    void ReplaceText(const QString& text);  // '\n' line breaks only
    void SetHideSelection(bool hide);
    using QPlainTextEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    friend class LongLineEditing;
    bool SelectionShown() const { return !hideSelection_ || focused_; }
    void FocusChanged(QWidget* now);
    void ShowCursor();
    void PaintBlock(QPainter& painter, const QTextBlock& block, QPointF offset, const QRect& exposed,
                    const QAbstractTextDocumentLayout::PaintContext& context);

    LongLineLayout* lines_;
    std::unique_ptr<LongLineEditing> longLines_;
    QString pending_;
    bool flushQueued_ = false;
    bool hideSelection_ = false;
    bool focused_ = false;  // has the focus; an open menu, a popup or the menu bar does not take it
    bool showCaretQueued_ = false;
    std::optional<int> dropPosition_;  // where a drag over a long line would drop
};

}  // namespace fw::detail
