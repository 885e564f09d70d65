#pragma once
// Framework-internal: the document layout of a text area. A line is laid out by the toolkit's
// plain-text layout unless it is long and the text does not wrap: then its block keeps no text
// lines of the toolkit's and gets a LongLine (long_line.hpp) as its user data instead.
#include <QPlainTextDocumentLayout>
#include <QTextBlock>

#include <memory>

#include "framework/text_areas/line_font.hpp"
#include "framework/text_areas/long_line.hpp"

namespace fw::detail {

class LongLineLayout final : public QPlainTextDocumentLayout {
public:
    // A line with more characters than this is long.
    static constexpr int kLongLine = 10000;

    explicit LongLineLayout(QTextDocument* document);

    static LongLine* Of(const QTextBlock& block);
    bool HasLongLines() const { return !lines_->empty(); }

    void documentChanged(int from, int removed, int added) override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;
    QSizeF documentSize() const override;

private:
    bool IsLong(const QTextBlock& block) const;
    static QString TextOf(const QTextBlock& block, int at, int count);
    // Gives `block` what its length needs; true when it is long.
    bool Attach(QTextBlock block);
    void Refresh(QTextBlock block, LongLine& line, int at, int removed, int added);
    bool UpdateFont();
    void KeepRowCounts();
    void NotifyWidth(qreal before);
    qreal LongestWidth() const;

    std::shared_ptr<LongLine::Registry> lines_ = std::make_shared<LongLine::Registry>();
    std::shared_ptr<const LineFont> font_;
    Qt::LayoutDirection direction_ = Qt::LayoutDirectionAuto;
    int blockCount_ = 1;
};

}  // namespace fw::detail
