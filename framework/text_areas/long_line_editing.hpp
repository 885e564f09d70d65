#pragma once
// Framework-internal: the caret, keys and mouse of a text area whose text has very long lines.
//
// The toolkit's text cursor steps, hits and goes up and down through a line by the line's
// layout, which a long line does not have (long_line.hpp): it would analyse the whole line at
// every key. In a long line this class does what the toolkit does in a line it has laid out,
// from the line's text and its LongLine, with the toolkit's own rules. Vertical moves keep
// their column across lines, so while the text has long lines it makes them all, in any line;
// the mouse likewise, since a selection may run from a line into a long one.
#include <QElapsedTimer>
#include <QPointF>
#include <QRectF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLine>

#include <optional>

class QDropEvent;
class QKeyEvent;
class QMouseEvent;

namespace fw::detail {

class AreaWidget;
class LongLine;
class LongLineLayout;

class LongLineEditing {
public:
    LongLineEditing(AreaWidget& area, const LongLineLayout& lines);

    bool Active() const;  // the text has long lines
    // Each takes an event that it serves (true) or leaves to the toolkit (false).
    bool Key(QKeyEvent& event);
    bool MousePress(const QMouseEvent& event);
    bool MouseMove(const QMouseEvent& event);
    bool MouseRelease(const QMouseEvent& event);
    bool MouseDoubleClick(const QMouseEvent& event);
    bool Drop(QDropEvent& event);

    // Brings the caret into view when it stands in a long line; the toolkit cannot measure it.
    void ShowCaret();
    // The caret's rectangle in the viewport, where it stands in a long line.
    std::optional<QRectF> CaretRect(int position) const;
    // How far the first visible block is scrolled up inside itself, when it is a long line of
    // several rows: the toolkit scrolls by rows but does not know a long line's.
    qreal TopRowOffset() const;
    // The caret position under a point of the viewport, as the toolkit's hit test finds it.
    int HitTest(QPointF point) const;
    // Gives the vertical scroll bar the range the rows of the text need.
    void KeepVerticalRange();

private:
    enum class Move {
        Left, Right, WordLeft, WordRight, StartOfLine, EndOfLine, StartOfBlock, EndOfBlock, Start, End,
        Up, Down, PageUp, PageDown
    };

    bool MoveKey(QKeyEvent& event);
    bool DeleteKey(QKeyEvent& event);
    void DeleteCluster(QTextCursor& cursor) const;
    void MoveCaret(Move move, QTextCursor::MoveMode mode);
    std::optional<int> Target(Move move, const QTextCursor& cursor, QTextCursor::MoveMode mode);
    std::optional<int> CharacterStep(const QTextCursor& cursor, bool forward, QTextCursor::MoveMode mode) const;
    int WordStep(int position, bool forward) const;
    int StepInLongLine(int position, int (*find)(const QString&, int), bool forward = true) const;
    std::optional<int> VerticalStep(int position, bool down);
    void PageStep(bool down, QTextCursor::MoveMode mode);
    void SetCaret(int position, QTextCursor::MoveMode mode);
    void OfferSelection() const;

    // Rows of any block: the toolkit's text lines, or a long line's rows.
    int RowCount(const QTextBlock& block) const;
    int RowOf(const QTextBlock& block, int position) const;
    qreal CaretX(int position) const;  // the toolkit's x of a caret, with the document margin
    int PositionIn(const QTextBlock& block, int row, qreal x) const;
    QRectF RowRect(const QTextBlock& block, int row) const;
    QPointF BlockOrigin(const QTextBlock& block) const;

    void SelectWordAt(int position);
    void ExtendWordwise(int position, qreal x);
    void ExtendBlockwise(int position);
    void StartDrag();

    AreaWidget& area_;
    const LongLineLayout& lines_;
    // The column of vertical moves, kept while nothing else moves the caret.
    // A caret and the text it stood in: what the toolkit keeps a column or a page's y for.
    struct Caret {
        int position, anchor, revision;
        bool operator==(const Caret&) const = default;
    };
    Caret Now() const;
    struct Column {
        qreal x;
        Caret at;
    };
    std::optional<Column> column_;
    // Where page moves keep the caret: kept from one page move to the next while nothing else
    // moves it.
    struct PageY {
        qreal y;
        Caret at;
    };
    std::optional<PageY> pageY_;
    // The mouse, as the toolkit's text control follows it.
    bool pressed_ = false;
    bool mightDrag_ = false;
    QPointF pressPoint_;
    QTextCursor wordOnDoubleClick_, blockOnTripleClick_;
    QElapsedTimer sinceDoubleClick_;
    QPointF doubleClickPoint_;
    bool keepingRange_ = false;
};

}  // namespace fw::detail
