// Very long lines of a text area that does not wrap: their geometry and their drawing.
#include "framework/long_lines.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace fw::detail {

namespace {

constexpr int kStride = 64;  // characters between two stored x positions
constexpr qreal kUnits = 64;  // positions are added up in 1/64 pixel, as the toolkit does

bool IsHigh(QChar c) { return c.isHighSurrogate(); }

qreal Units(qreal pixels) { return std::round(pixels * kUnits); }

}  // namespace

// ---- LongLine ---------------------------------------------------------------------------

LongLine::LongLine(LongLineLayout& owner, const QTextBlock& block)
    : owner_(owner), registry_(owner.lines_), text_(block.text()) {
    // The height and baseline of the toolkit's own lines in this font.
    QTextLayout sample(text_.left(32), owner.Font());
    sample.beginLayout();
    QTextLine line = sample.createLine();
    line.setLeadingIncluded(true);
    line.setLineWidth(1e6);
    sample.endLayout();
    height_ = line.height() + (line.leading() < 0 ? std::ceil(line.leading()) : 0);
    ascent_ = line.ascent() + std::max<qreal>(0, line.leading());
    MeasureFrom(0);
    registry_->insert(this);
}

LongLine::~LongLine() { registry_->erase(this); }

void LongLine::Replace(int at, int removed, const QString& inserted) {
    text_.replace(at, removed, inserted);
    MeasureFrom(at);
}

// Measures the x of every position from `position` on; those before it stand.
void LongLine::MeasureFrom(int position) {
    generation_ = owner_.Generation();
    tab_ = std::max<qint64>(1, static_cast<qint64>(Units(owner_.TabStop())));
    const int n = static_cast<int>(text_.size());
    const int k = std::min(position, n) / kStride;
    checkpoints_.resize(static_cast<std::size_t>(k));
    checkpoints_.reserve(static_cast<std::size_t>(n / kStride + 2));
    qint64 x = 0;
    if (k > 0) {
        x = checkpoints_.back();
        for (int i = (k - 1) * kStride; i < k * kStride; ++i) x = Advance(x, i);
    }
    const char16_t* s = reinterpret_cast<const char16_t*>(text_.constData());
    const float* advances = owner_.Advances();
    for (int stride = k * kStride; stride < n; stride += kStride) {
        checkpoints_.push_back(x);
        const int end = std::min(n, stride + kStride);
        for (int i = stride; i < end; ++i) {
            const char16_t c = s[i];
            const float a = advances[c];
            if (a >= 0 && c != u'\t') x += static_cast<qint64>(a);
            else x = Advance(x, i);
        }
    }
    if (n % kStride == 0) checkpoints_.push_back(x);
    width_ = static_cast<qreal>(x) / kUnits;
}

// The x after the character at `position`, in 1/64 pixel, from the x before it.
qint64 LongLine::Advance(qint64 x, int position) const {
    const QChar c = text_[position];
    if (c == u'\t') return (x / tab_ + 1) * tab_;
    if (c.isLowSurrogate() && position > 0 && IsHigh(text_[position - 1])) return x;
    if (IsHigh(c) && position + 1 < text_.size() && text_[position + 1].isLowSurrogate()) {
        return x + static_cast<qint64>(Units(QFontMetricsF(owner_.Font()).horizontalAdvance(text_.mid(position, 2))));
    }
    const float a = owner_.Advances()[c.unicode()];
    return x + static_cast<qint64>(a >= 0 ? a : owner_.MeasureAdvance(c.unicode()));
}

qreal LongLine::X(int position) const {
    position = std::clamp(position, 0, static_cast<int>(text_.size()));
    const int k = position / kStride;
    qint64 x = checkpoints_[static_cast<std::size_t>(k)];
    for (int i = k * kStride; i < position; ++i) x = Advance(x, i);
    return static_cast<qreal>(x) / kUnits;
}

int LongLine::PositionAt(qreal pixels) const {
    const qint64 x = static_cast<qint64>(std::floor(pixels * kUnits));
    const auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), x);
    const int k = std::max(0, static_cast<int>(after - checkpoints_.begin()) - 1);
    const int n = static_cast<int>(text_.size());
    qint64 left = checkpoints_[static_cast<std::size_t>(k)];
    for (int i = k * kStride; i < n; ++i) {
        const qint64 right = Advance(left, i);
        if (x < (left + right) / 2) return text_[i].isLowSurrogate() && i > 0 ? i - 1 : i;
        left = right;
    }
    return n;
}

void LongLine::Draw(QPainter& painter, QPointF origin, int from, int to) const {
    const int n = static_cast<int>(text_.size());
    to = std::min(to, n);
    for (int i = std::max(0, from); i < to;) {
        if (text_[i] == u'\t') {
            ++i;
            continue;
        }
        // Runs end at TABs and at stored positions, so each starts exactly where measured.
        int end = i + 1;
        while (end < to && text_[end] != u'\t' && end % kStride != 0) ++end;
        if (end < n && text_[end].isLowSurrogate()) ++end;
        painter.drawText(QPointF(origin.x() + X(i), origin.y()), text_.mid(i, end - i));
        i = end;
    }
}

// ---- LongLineLayout ---------------------------------------------------------------------

LongLineLayout::LongLineLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) { UpdateMeasures(); }

LongLine* LongLineLayout::Of(const QTextBlock& block) {
    return block.isValid() ? dynamic_cast<LongLine*>(block.userData()) : nullptr;
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

bool LongLineLayout::Measures(const QTextBlock& block) const {
    return block.length() > kLongLine && document()->defaultTextOption().wrapMode() == QTextOption::NoWrap;
}

bool LongLineLayout::Measure(QTextBlock block) {
    if (!Measures(block)) {
        if (Of(block) != nullptr) {
            block.setUserData(nullptr);
            block.clearLayout();
        }
        return false;
    }
    block.setUserData(new LongLine(*this, block));
    block.clearLayout();  // the toolkit keeps no lines for it
    block.setLineCount(block.isVisible() ? 1 : 0);
    return true;
}

// Starts a new generation of measures when the font or the tab stops changed.
void LongLineLayout::UpdateMeasures() {
    QFont font = document()->defaultFont();
    font.setKerning(false);  // advances add up character by character
    const qreal tabStop = document()->defaultTextOption().tabStopDistance();
    if (font == font_ && tabStop == tabStop_ && generation_ > 0) return;
    font_ = font;
    tabStop_ = tabStop;
    std::fill(advances_.begin(), advances_.end(), -1.0f);
    ++generation_;
}

float LongLineLayout::MeasureAdvance(char16_t c) const {
    const QChar character(c);
    const qreal pixels = character.isMark() ? 0 : QFontMetricsF(font_).horizontalAdvance(character);
    return advances_[c] = static_cast<float>(Units(pixels));
}

qreal LongLineLayout::TabStop() const { return tabStop_; }

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
    UpdateMeasures();
    const qreal before = LongestWidth();
    const QTextBlock first = doc->findBlock(from);
    const bool oneBlock = first == doc->findBlock(std::max(0, from + removed + added - 1)) &&
                          doc->blockCount() == blockCount_;
    blockCount_ = doc->blockCount();
    if (oneBlock && Measures(first)) {
        // A change inside one long line: measured here, never laid out by the toolkit.
        LongLine* line = Of(first);
        const int at = from - first.position();
        if (line != nullptr && line->MeasuredFor(generation_) && removed != added) {
            line->Replace(at, removed, TextOf(first, at, added));
        }
        if (line == nullptr || line->Text().size() != first.length() - 1 || !line->MeasuredFor(generation_)) {
            Measure(first);
        }
        NotifyWidth(before);
        emit update();
        return;
    }
    // Long lines are measured before the toolkit looks at them, so it never lays them out.
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        Measure(block);
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
