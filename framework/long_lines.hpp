#pragma once
// Framework-internal: very long lines in a text area that does not wrap.
//
// The toolkit lays out a whole line with full text shaping whenever any part of it changes,
// and analyses the whole line for every caret step; a line of a million characters then
// takes most of a second per key. A line longer than kLongLine characters is therefore not
// laid out by the toolkit: its block keeps no text lines, and a LongLine holds its own
// geometry (the x of every character from per-character advances and tab stops). The
// area's widget draws it, finds positions in it and moves the caret through it by this
// geometry. Lines up to kLongLine characters are left to the toolkit.
#include <QFont>
#include <QPlainTextDocumentLayout>
#include <QString>
#include <QTextBlock>
#include <QTextBlockUserData>

#include <memory>
#include <set>
#include <vector>

class QPainter;

namespace fw::detail {

class LongLineLayout;

// The geometry of one long line; lives as the user data of its block.
class LongLine final : public QTextBlockUserData {
public:
    LongLine(LongLineLayout& owner, const QTextBlock& block);
    ~LongLine() override;

    const QString& Text() const { return text_; }
    bool MeasuredFor(int generation) const { return generation_ == generation; }
    // Takes a change inside the line: `removed` characters at `at` became `inserted`.
    void Replace(int at, int removed, const QString& inserted);
    qreal Width() const { return width_; }
    qreal Height() const { return height_; }
    qreal Ascent() const { return ascent_; }
    // The x of the caret before character `position` (0 ... length), from the line's start.
    qreal X(int position) const;
    // The caret position nearest to `x`.
    int PositionAt(qreal x) const;
    // Draws the characters from `from` to `to` with the painter's pen, the line starting at
    // `origin` (its left end on the baseline).
    void Draw(QPainter& painter, QPointF origin, int from, int to) const;

private:
    qint64 Advance(qint64 x, int position) const;
    void MeasureFrom(int position);

    LongLineLayout& owner_;
    std::shared_ptr<std::set<const LongLine*>> registry_;  // may outlive the layout
    QString text_;
    std::vector<qint64> checkpoints_;  // x of every kStride-th position, in 1/64 pixel
    qint64 tab_ = 0;
    int generation_ = 0;
    qreal width_ = 0, height_ = 0, ascent_ = 0;
};

// The document layout of a text area: the toolkit's plain-text layout, except that long
// lines of a text that does not wrap are measured by LongLine.
class LongLineLayout final : public QPlainTextDocumentLayout {
public:
    static constexpr int kLongLine = 10000;

    explicit LongLineLayout(QTextDocument* document);

    static LongLine* Of(const QTextBlock& block);

    void documentChanged(int from, int removed, int added) override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;
    QSizeF documentSize() const override;

    bool HasLongLines() const { return !lines_->empty(); }

    // For LongLine: the font the lines are measured and drawn in, character widths (in 1/64
    // pixel, -1 where not yet measured), and the generation of both with the tab stops.
    const QFont& Font() const { return font_; }
    const float* Advances() const { return advances_.data(); }
    float MeasureAdvance(char16_t c) const;
    qreal TabStop() const;
    int Generation() const { return generation_; }

private:
    friend class LongLine;
    bool Measures(const QTextBlock& block) const;
    static QString TextOf(const QTextBlock& block, int at, int count);
    // Gives `block` the geometry it needs; true when it is a long line.
    bool Measure(QTextBlock block);
    void UpdateMeasures();
    void NotifyWidth(qreal before);
    qreal LongestWidth() const;

    std::shared_ptr<std::set<const LongLine*>> lines_ = std::make_shared<std::set<const LongLine*>>();
    QFont font_;
    mutable std::vector<float> advances_ = std::vector<float>(0x10000, -1.0f);  // per UTF-16 unit
    qreal tabStop_ = 0;
    int generation_ = 0;
    int blockCount_ = 1;
};

}  // namespace fw::detail
