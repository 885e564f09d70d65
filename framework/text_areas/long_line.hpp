#pragma once
// Framework-internal: the geometry of one very long line of a text area that does not wrap.
//
// The toolkit lays out and shapes a whole line whenever any of it changes, and analyses all of
// it for caret steps; a line of a million characters then takes most of a second per key. A
// long line is therefore cut into chunks at points where the toolkit can lay out a stretch on
// its own exactly as within the whole line (line_scan.hpp). Each chunk's width is measured
// once (by adding up advances where that is exact, by laying it out otherwise) and again when
// it or its context changes; positions, hits and drawing use the toolkit's own layout of the
// few chunks around them, placed where the measures put them. Its text lines ("rows") end
// where the line has a line separator (U+2028), as the toolkit's do.
#include <QList>
#include <QPainter>
#include <QString>
#include <QTextBlockUserData>
#include <QTextLayout>

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "framework/text_areas/line_font.hpp"
#include "framework/text_areas/line_scan.hpp"
#include "framework/text_areas/line_window.hpp"

namespace fw::detail {

class LongLine final : public QTextBlockUserData {
public:
    using Registry = std::set<const LongLine*>;

    LongLine(std::shared_ptr<Registry> registry, std::shared_ptr<const LineFont> font, Qt::LayoutDirection direction,
             QString text);
    ~LongLine() override;

    const QString& Text() const { return text_; }
    // Takes a change of the text: `removed` characters at `at` became `inserted`.
    void Replace(int at, int removed, const QString& inserted);

    bool RightToLeft() const { return paragraph_.rtl; }
    // Whether its first strong character is right-to-left (QTextBlock::textDirection).
    bool FirstStrongIsRightToLeft() const;
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int RowOf(int position) const;
    int RowStart(int row) const;
    int RowEnd(int row) const;  // its last caret position: before its line separator
    int RowLength(int row) const { return RowEndExclusive(row) - RowStart(row); }  // with the separator
    qreal RowTop(int row) const { return rows_[static_cast<std::size_t>(row)].top; }
    qreal RowHeight(int row) const { return rows_[static_cast<std::size_t>(row)].height; }
    qreal Height() const;
    qreal Width() const;  // of the widest row, in pixels

    // The x of the caret before `position`, from its row's start (the toolkit's x of a text
    // line without its margin), in pixels.
    qreal X(int position) const;
    // The caret position in `row` for x, as the toolkit's QTextLine::xToCursor gives it.
    int PositionAt(int row, qreal x, QTextLine::CursorPosition mode = QTextLine::CursorBetweenCharacters) const;

    // Draws the rows in `exposed`, the first row's start at `origin`, with the selections
    // (positions of this line) and the caret (-1: none) as the toolkit draws a text line.
    void Draw(QPainter& painter, QPointF origin, const QRectF& exposed, const QList<QTextLayout::FormatRange>& selections,
              int caret, int caretWidth) const;

private:
    struct Chunk {
        explicit Chunk(const Cut& found) : cut(found) {}
        Cut cut;
        std::int64_t x = 0, width = 0;  // in its row, 1/64 pixel
        LineMetrics metrics;
        bool hasTab = false;
        bool measured = false;
    };
    struct Row {
        int firstChunk = 0, lastChunk = 0;
        std::int64_t width = 0;
        LineMetrics metrics;
        qreal top = 0, height = 0;
    };
    struct CachedWindow {
        int first, last, row;
        std::unique_ptr<LineWindow> window;
    };

    void Build();
    void Rescan(int at, int removed, int inserted);
    void BuildRows();
    void MeasureRow(Row& row);
    void Measure(Chunk& chunk, int index);
    bool MeasureFast(Chunk& chunk, int index) const;

    int ChunkAt(int position) const;
    int ChunkEnd(int index) const;
    int RowEndExclusive(int row) const;
    int WindowStart(int chunk) const;
    int WindowEnd(int chunk) const;
    WindowContext ContextBefore(int chunk, bool measuring) const;
    QString ContextAfter(int chunk, bool measuring) const;
    bool EndsTrailingWhiteSpace(int position) const;
    // The toolkit's layout of the chunks around [first, last] of `row`, and where its x 0 is.
    const LineWindow& Window(int first, int last, int row) const;
    std::int64_t Origin(const LineWindow& window, int row) const;
    std::int64_t TrailingShift(int row) const;
    int ChunkAtX(int row, std::int64_t x) const;
    void DrawRow(QPainter& painter, QPointF origin, const QRectF& exposed,
                 const QList<QTextLayout::FormatRange>& selections, int row) const;
    void DrawCaret(QPainter& painter, QPointF origin, int caret, int caretWidth) const;
    qreal BaselineShift(const LineWindow& window, int row, bool withDescent) const;

    std::shared_ptr<Registry> registry_;  // may outlive the layout
    std::shared_ptr<const LineFont> font_;
    Qt::LayoutDirection direction_;
    QString text_;
    Paragraph paragraph_;
    std::vector<Chunk> chunks_;
    std::vector<Row> rows_;
    mutable std::vector<CachedWindow> windows_;  // the most recently used first
    mutable std::vector<std::optional<std::int64_t>> trailingShifts_;  // per row, once asked for
    mutable std::optional<bool> firstStrongIsRightToLeft_;
};

}  // namespace fw::detail
