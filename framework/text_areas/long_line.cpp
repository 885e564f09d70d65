// A very long line: its chunks, their measures, and the toolkit's layout of the part in use.
#include "framework/text_areas/long_line.hpp"

#include <QPaintEngine>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace fw::detail {

namespace {

constexpr int kChunkLength = 256;  // the fewest characters between two cuts
constexpr std::size_t kCachedWindows = 6;
constexpr char16_t kLineSeparator = 0x2028;

qreal Pixels(std::int64_t units) { return static_cast<qreal>(units) / 64; }
std::int64_t Units(qreal pixels) { return std::llround(pixels * 64); }

char32_t CodePointAt(const QString& text, int at) {
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    return pair ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
}

QStringView CharacterAt(const QString& text, int at) {
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    return QStringView(text).mid(at, pair ? 2 : 1);
}

// Zero-width characters that stand for a strong direction: LRM, RLM and the Arabic letter mark.
QChar MarkOf(Strong strong) {
    return strong == Strong::L ? QChar(0x200E) : strong == Strong::R ? QChar(0x200F) : QChar(0x061C);
}
QChar MarkOf(Side side) { return side == Side::R ? QChar(0x200F) : QChar(0x200E); }

bool IsSimpleScript(QChar::Script script) {
    return script == QChar::Script_Latin || script == QChar::Script_Greek || script == QChar::Script_Cyrillic;
}

// Positions in [from, to) that are inside a bracket pair, as spans like Paragraph's.
std::vector<std::pair<int, int>> SpansWithin(const std::vector<std::pair<int, int>>& spans, int from, int to, int shift) {
    std::vector<std::pair<int, int>> within;
    for (const auto& [first, last] : spans) {
        const int low = std::max(first, from - 1), high = std::min(last, to - 1);
        if (low < high) within.emplace_back(low + shift, high + shift);
    }
    return within;
}

}  // namespace

LongLine::LongLine(std::shared_ptr<Registry> registry, std::shared_ptr<const LineFont> font,
                   Qt::LayoutDirection direction, QString text)
    : registry_(std::move(registry)), font_(std::move(font)), direction_(direction), text_(std::move(text)) {
    registry_->insert(this);
    Build();
}

LongLine::~LongLine() { registry_->erase(this); }

// ---- measures ------------------------------------------------------------------------------

void LongLine::Build() {
    paragraph_ = Paragraph::Of(text_, direction_);
    firstStrongIsRightToLeft_.reset();
    std::vector<Cut> cuts;
    Cut first;
    first.rowStart = true;
    LineScanner(text_, paragraph_, kChunkLength).Scan(first, cuts, [](const Cut&) { return false; });
    chunks_.clear();
    chunks_.reserve(cuts.size());
    for (const Cut& cut : cuts) chunks_.emplace_back(cut);
    BuildRows();
}

void LongLine::Replace(int at, int removed, const QString& inserted) {
    const Paragraph before = paragraph_;
    const bool stillPlain = before.plain && !HasRightToLeft(inserted, 0, static_cast<int>(inserted.size()));
    text_.replace(at, removed, inserted);
    windows_.clear();
    firstStrongIsRightToLeft_.reset();
    paragraph_ = stillPlain ? before : Paragraph::Of(text_, direction_);
    const int added = static_cast<int>(inserted.size());
    const int n = static_cast<int>(text_.size());
    const bool sameBrackets =
        SpansWithin(before.bracketSpans, 0, at, 0) == SpansWithin(paragraph_.bracketSpans, 0, at, 0) &&
        SpansWithin(before.bracketSpans, at + removed, n - added + removed + 1, added - removed) ==
            SpansWithin(paragraph_.bracketSpans, at + added, n + 1, 0);
    if (!paragraph_.SameCuts(before) || !sameBrackets) return Build();
    Rescan(at, removed, added);
}

// Finds the cuts again from the one before the change until they are the ones found before.
void LongLine::Rescan(int at, int removed, int added) {
    const int delta = added - removed;
    std::vector<Chunk> old = std::move(chunks_);
    chunks_.clear();
    const auto k0 = static_cast<std::size_t>(std::max(0, static_cast<int>(
        std::upper_bound(old.begin(), old.end(), std::max(0, at - 1),
                         [](int position, const Chunk& chunk) { return position < chunk.cut.start; }) - old.begin()) - 1));
    std::size_t j = k0 + 1;
    std::vector<Cut> cuts;
    const bool stopped = LineScanner(text_, paragraph_, kChunkLength).Scan(old[k0].cut, cuts, [&](const Cut& cut) {
        if (cut.start < at + added) return false;
        while (j < old.size() && old[j].cut.start + delta < cut.start) ++j;
        if (j >= old.size() || old[j].cut.start + delta != cut.start) return false;
        const Cut before = old[j].cut.Shifted(at + removed, delta);
        return before.state == cut.state && before.rowStart == cut.rowStart && before.afterTab == cut.afterTab &&
               before.selfContained == cut.selfContained;
    });
    chunks_.reserve(k0 + cuts.size() + (stopped ? old.size() - j : 0));
    std::move(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(k0), std::back_inserter(chunks_));
    for (const Cut& cut : cuts) chunks_.emplace_back(cut);
    if (stopped) {
        for (std::size_t i = j; i < old.size(); ++i) {
            chunks_.push_back(std::move(old[i]));
            chunks_.back().cut = chunks_.back().cut.Shifted(at + removed, delta);
        }
        const Cut& known = chunks_[k0 + cuts.size()].cut;
        for (std::size_t k = k0; k < k0 + cuts.size(); ++k) {
            Cut& cut = chunks_[k].cut;
            if (cut.nextSource == Cut::kUnresolved) {
                cut.next = known.next;
                cut.nextSource = known.nextSource;
            }
            if (cut.nextScript == Cut::kUnresolved) cut.nextScript = known.nextScript;
        }
    }
    // Cuts before the change that looked ahead into it look where the first rescanned one looks.
    const Cut& first = chunks_[k0].cut;
    for (std::size_t k = k0; k-- > 0;) {
        Cut& cut = chunks_[k].cut;
        const bool side = cut.nextSource >= at, script = cut.nextScript < 0 || cut.nextScript >= at;
        if (!side && !script) break;
        const bool changed = (side && (cut.next != first.next || cut.nextSource != first.nextSource)) ||
                             (script && cut.nextScript != first.nextScript);
        if (side) {
            cut.next = first.next;
            cut.nextSource = first.nextSource;
        }
        if (script) cut.nextScript = first.nextScript;
        if (changed && k > 0) chunks_[k - 1].measured = false;
    }
    if (k0 > 0) chunks_[k0 - 1].measured = false;  // it ends where the change starts
    BuildRows();
}

void LongLine::BuildRows() {
    rows_.clear();
    trailingShifts_.clear();
    for (std::size_t k = 0; k < chunks_.size(); ++k) {
        if (chunks_[k].cut.rowStart) {
            rows_.emplace_back();
            rows_.back().firstChunk = static_cast<int>(k);
        }
        rows_.back().lastChunk = static_cast<int>(k);
    }
    qreal top = 0;
    for (Row& row : rows_) {
        MeasureRow(row);
        row.top = top;
        top += row.height;
    }
    trailingShifts_.resize(rows_.size());
}

// Places the row's chunks one after the other; a chunk is measured again when it changed, or
// when it holds a TAB and now starts at another distance from a tab stop.
void LongLine::MeasureRow(Row& row) {
    std::int64_t x = 0;
    row.metrics = font_->Metrics();
    for (int k = row.firstChunk; k <= row.lastChunk; ++k) {
        Chunk& chunk = chunks_[static_cast<std::size_t>(k)];
        if (!chunk.measured || (chunk.hasTab && (x - chunk.x) % font_->Tab() != 0)) {
            chunk.x = x;
            Measure(chunk, k);
        }
        chunk.x = x;
        x += chunk.width;
        row.metrics.Include(chunk.metrics);
    }
    row.width = x;
    row.height = row.metrics.Height();
}

void LongLine::Measure(Chunk& chunk, int index) {
    chunk.measured = true;
    chunk.hasTab = false;
    if (MeasureFast(chunk, index)) return;
    int end = ChunkEnd(index);
    if (end > chunk.cut.start && text_[end - 1] == QChar(kLineSeparator)) --end;
    chunk.hasTab = std::find(text_.begin() + chunk.cut.start, text_.begin() + end, QChar(u'\t')) != text_.begin() + end;
    WindowContext context = ContextBefore(index, true);
    context.after = ContextAfter(index, true);
    const LineWindow window(text_, chunk.cut.start, end, context, *font_, paragraph_.rtl, chunk.x, true);
    // Where the chunk starts (after the TAB put before it) and where the TAB put after it is.
    const QTextLine line = window.LineAt(chunk.cut.start);
    const qreal start = line.cursorToX(window.ToLayout(chunk.cut.start));
    const qreal tab = line.cursorToX(window.ToLayout(end));
    chunk.width = Units(paragraph_.rtl ? start - tab : tab - start);
    chunk.metrics = {static_cast<std::int32_t>(Units(line.ascent())), static_cast<std::int32_t>(Units(line.descent())),
                     static_cast<std::int32_t>(Units(line.leading()))};
}

// Adds up the advances of a chunk of simple characters and TABs in a script context that
// cannot change them.
bool LongLine::MeasureFast(Chunk& chunk, int index) const {
    const Cut& cut = chunk.cut;
    const bool commonSoFar = cut.state.script <= QChar::Script_Common;
    const QChar::Script later = cut.nextScript >= 0 ? QChar::script(CodePointAt(text_, cut.nextScript))
                                                    : QChar::Script_Latin;
    if (!IsSimpleScript(commonSoFar ? later : cut.state.script)) return false;
    int end = ChunkEnd(index);
    if (end > cut.start && text_[end - 1] == QChar(kLineSeparator)) --end;
    std::int64_t x = chunk.x;
    char16_t previous = 0;
    bool hasTab = false;
    for (int i = cut.start; i < end; ++i) {
        const char16_t c = text_[i].unicode();
        if (c == u'\t') {
            x = font_->NextTabStop(x);
            previous = 0;
            hasTab = true;
            continue;
        }
        const std::optional<std::int32_t> advance = font_->Advance(c);
        if (!advance || (previous != 0 && font_->Interact(previous, c))) return false;
        x += *advance;
        previous = c;
    }
    chunk.width = x - chunk.x;
    chunk.metrics = font_->Metrics();
    chunk.hasTab = hasTab;
    return true;
}

// ---- chunks and rows -------------------------------------------------------------------------

int LongLine::ChunkAt(int position) const {
    const auto after = std::upper_bound(chunks_.begin(), chunks_.end(), position,
                                        [](int p, const Chunk& chunk) { return p < chunk.cut.start; });
    return std::max(0, static_cast<int>(after - chunks_.begin()) - 1);
}

int LongLine::ChunkEnd(int index) const {
    const auto next = static_cast<std::size_t>(index) + 1;
    return next < chunks_.size() ? chunks_[next].cut.start : static_cast<int>(text_.size());
}

int LongLine::RowOf(int position) const {
    const auto after = std::upper_bound(rows_.begin(), rows_.end(), position, [this](int p, const Row& row) {
        return p < chunks_[static_cast<std::size_t>(row.firstChunk)].cut.start;
    });
    return std::max(0, static_cast<int>(after - rows_.begin()) - 1);
}

int LongLine::RowStart(int row) const {
    return chunks_[static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)].firstChunk)].cut.start;
}

int LongLine::RowEndExclusive(int row) const {
    return row + 1 < RowCount() ? RowStart(row + 1) : static_cast<int>(text_.size());
}

int LongLine::RowEnd(int row) const { return row + 1 < RowCount() ? RowStart(row + 1) - 1 : static_cast<int>(text_.size()); }

bool LongLine::FirstStrongIsRightToLeft() const {
    if (paragraph_.plain) return false;  // nothing in it is right-to-left
    if (!firstStrongIsRightToLeft_) {
        firstStrongIsRightToLeft_ = false;
        for (int i = 0; i < text_.size(); ++i) {
            const QChar::Direction direction = QChar::direction(CodePointAt(text_, i));
            if (direction == QChar::DirL) break;
            if (direction == QChar::DirR || direction == QChar::DirAL) {
                firstStrongIsRightToLeft_ = true;
                break;
            }
            if (text_[i].isHighSurrogate() && i + 1 < text_.size() && text_[i + 1].isLowSurrogate()) ++i;
        }
    }
    return *firstStrongIsRightToLeft_;
}

qreal LongLine::Height() const { return rows_.back().top + rows_.back().height; }

qreal LongLine::Width() const {
    std::int64_t widest = 0;
    for (const Row& row : rows_) widest = std::max(widest, row.width);
    return Pixels(widest);
}

// ---- windows ---------------------------------------------------------------------------------

int LongLine::WindowStart(int chunk) const {
    while (chunk > 0 && !chunks_[static_cast<std::size_t>(chunk)].cut.selfContained) --chunk;
    return chunk;
}

int LongLine::WindowEnd(int chunk) const {
    while (static_cast<std::size_t>(chunk) + 1 < chunks_.size() &&
           !chunks_[static_cast<std::size_t>(chunk) + 1].cut.selfContained) {
        ++chunk;
    }
    return chunk;
}

// The script in effect, the last strong direction and, where a number after left-to-right
// text came last, an Arabic number sign; then a line separator. When measuring, a TAB marks
// where a chunk starts also at the start of a row.
WindowContext LongLine::ContextBefore(int chunk, bool measuring) const {
    const Cut& cut = chunks_[static_cast<std::size_t>(chunk)].cut;
    WindowContext context;
    context.leadingTab = cut.afterTab || (measuring && cut.rowStart);
    if (cut.start == 0) return context;
    const ScanState& state = cut.state;
    if (state.script > QChar::Script_Common) context.before += CharacterAt(text_, state.scriptSetter);
    if (state.lastStrong != Strong::None) context.before += MarkOf(state.lastStrong);
    const bool leftToRightBefore = state.lastStrong == Strong::L || (state.lastStrong == Strong::None && !paragraph_.rtl);
    if (state.previous == Side::R && leftToRightBefore) context.before += QChar(0x06DD);
    context.before += QChar(kLineSeparator);
    return context;
}

// What follows a stretch ending before `chunk` + 1: the side of the next strong character or
// number, whether the white space at its end is followed by a TAB or the paragraph's end, and
// the first real script, when none came before. When measuring, a TAB marks where it ends.
QString LongLine::ContextAfter(int chunk, bool measuring) const {
    const int to = ChunkEnd(chunk);
    const int n = static_cast<int>(text_.size());
    const Cut* next = to < n ? &chunks_[static_cast<std::size_t>(chunk) + 1].cut : nullptr;
    QString after;
    if (measuring) {
        after += u'\t';
        after += QChar(kLineSeparator);
        after += next != nullptr ? MarkOf(next->next) : MarkOf(paragraph_.rtl ? Side::R : Side::L);
    } else if (next != nullptr) {
        if (text_[to - 1] != QChar(kLineSeparator)) after += QChar(kLineSeparator);
        else if (EndsTrailingWhiteSpace(to)) after += u'\t';
        after += MarkOf(next->next);
    }
    if (next != nullptr && next->state.script <= QChar::Script_Common && next->nextScript >= 0) {
        after += CharacterAt(text_, next->nextScript);
    }
    return after;
}

// Whether the toolkit returns white space that ends a row to the paragraph's level: when only
// more white space comes before a TAB or the paragraph's end.
bool LongLine::EndsTrailingWhiteSpace(int position) const {
    for (; position < text_.size(); ++position) {
        switch (text_[position].direction()) {
        case QChar::DirS:
        case QChar::DirB:
            return true;
        case QChar::DirWS:
        case QChar::DirBN:
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            continue;
        default:
            return false;
        }
    }
    return true;
}

const LineWindow& LongLine::Window(int first, int last, int row) const {
    first = WindowStart(first);
    last = WindowEnd(last);
    const auto hit = std::find_if(windows_.begin(), windows_.end(), [&](const CachedWindow& cached) {
        return cached.first == first && cached.last == last && cached.row == row;
    });
    if (hit != windows_.end()) {
        std::rotate(windows_.begin(), hit, hit + 1);
        return *windows_.front().window;
    }
    const Chunk& start = chunks_[static_cast<std::size_t>(first)];
    const int to = ChunkEnd(last);
    WindowContext context = ContextBefore(first, false);
    context.after = ContextAfter(last, false);
    auto window = std::make_unique<LineWindow>(text_, start.cut.start, to, context, *font_, paragraph_.rtl, start.x,
                                               to < RowEndExclusive(row));
    if (windows_.size() == kCachedWindows) windows_.pop_back();
    windows_.insert(windows_.begin(), CachedWindow{first, last, row, std::move(window)});
    return *windows_.front().window;
}

// Where x 0 of the window's line for `row` lies in the row.
std::int64_t LongLine::Origin(const LineWindow& window, int row) const {
    if (!paragraph_.rtl) {
        if (window.From() <= RowStart(row)) return 0;
        const std::int64_t x = chunks_[static_cast<std::size_t>(ChunkAt(window.From()))].x;
        return window.LeadingTab() ? x - font_->Tab() : x;
    }
    if (window.To() >= RowEndExclusive(row)) return 0;
    const std::int64_t end = chunks_[static_cast<std::size_t>(ChunkAt(window.To()))].x;
    return rows_[static_cast<std::size_t>(row)].width - end - TrailingShift(row);
}

// A right-to-left row's white space at its end hangs off its left end, out of the way.
std::int64_t LongLine::TrailingShift(int row) const {
    std::optional<std::int64_t>& known = trailingShifts_[static_cast<std::size_t>(row)];
    if (known) return *known;
    const int last = rows_[static_cast<std::size_t>(row)].lastChunk;
    const int first = WindowStart(last);
    const Chunk& start = chunks_[static_cast<std::size_t>(first)];
    WindowContext context = ContextBefore(first, false);
    context.after = ContextAfter(last, false);
    const int to = ChunkEnd(WindowEnd(last));
    const LineWindow hanging(text_, start.cut.start, to, context, *font_, true, start.x, false);
    const LineWindow held(text_, start.cut.start, to, context, *font_, true, start.x, true);
    const int at = std::max(start.cut.start, RowStart(row));
    known = Units(held.LineAt(at).naturalTextWidth() - hanging.LineAt(at).naturalTextWidth());
    return *known;
}

int LongLine::ChunkAtX(int row, std::int64_t x) const {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const std::int64_t logical = paragraph_.rtl ? r.width - x : x;
    const auto first = chunks_.begin() + r.firstChunk, end = chunks_.begin() + r.lastChunk + 1;
    const auto after = std::upper_bound(first, end, logical, [](std::int64_t at, const Chunk& chunk) { return at < chunk.x; });
    return std::clamp(static_cast<int>(after - chunks_.begin()) - 1, r.firstChunk, r.lastChunk);
}

// ---- positions and drawing ----------------------------------------------------------------------

qreal LongLine::X(int position) const {
    const int row = RowOf(position);
    if (RowStart(row) == RowEndExclusive(row)) return 0;
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const int chunk = std::clamp(ChunkAt(position), r.firstChunk, r.lastChunk);
    const LineWindow& window = Window(std::max(r.firstChunk, chunk - 1), std::min(r.lastChunk, chunk + 1), row);
    const std::int64_t local = Units(window.LineAt(position).cursorToX(window.ToLayout(position)));
    // At the start of a row after a line separator, before text of the other direction, the
    // toolkit measures the caret from the separator's item, past all of the row: past all of
    // the window here.
    if (!paragraph_.rtl && position == RowStart(row) && position > 0 && window.To() < RowEndExclusive(row) &&
        local == chunks_[static_cast<std::size_t>(ChunkAt(window.To()))].x) {
        return Pixels(r.width);
    }
    return Pixels(Origin(window, row) + local);
}

int LongLine::PositionAt(int row, qreal x, QTextLine::CursorPosition mode) const {
    const int start = RowStart(row), end = RowEndExclusive(row);
    if (start == end) return start;
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const int chunk = ChunkAtX(row, Units(x));
    const LineWindow& window = Window(std::max(r.firstChunk, chunk - 1), std::min(r.lastChunk, chunk + 1), row);
    const int from = std::max(window.From(), start);
    const QTextLine line = window.LineAt(from);
    const int position = window.FromLayout(line.xToCursor(x - Pixels(Origin(window, row)), mode));
    // Right of a right-to-left row the toolkit gives the end of the row before.
    const int first = from == start && start > 0 ? start - 1 : from;
    return std::clamp(position, first, std::min(window.To(), end));
}

// How far the window's line must move down for its baseline (or, with the descent, the bottom
// of its text) to lie where the row's does.
qreal LongLine::BaselineShift(const LineWindow& window, int row, bool withDescent) const {
    const QTextLine line = window.LineAt(std::max(window.From(), RowStart(row)));
    const LineMetrics& metrics = rows_[static_cast<std::size_t>(row)].metrics;
    qreal shift = Pixels(metrics.ascent + std::max(0, metrics.leading)) - line.ascent() - std::max<qreal>(0, line.leading());
    if (withDescent) shift += Pixels(metrics.descent) - line.descent();
    return shift;
}

void LongLine::Draw(QPainter& painter, QPointF origin, const QRectF& exposed,
                    const QList<QTextLayout::FormatRange>& selections, int caret, int caretWidth) const {
    for (int row = 0; row < RowCount(); ++row) {
        const qreal top = origin.y() + RowTop(row);
        if (top > exposed.bottom()) break;
        if (top + RowHeight(row) >= exposed.top() && RowStart(row) < RowEndExclusive(row)) {
            DrawRow(painter, origin, exposed, selections, row);
        }
    }
    if (caret >= 0) DrawCaret(painter, origin, caret, caretWidth);
}

void LongLine::DrawRow(QPainter& painter, QPointF origin, const QRectF& exposed,
                       const QList<QTextLayout::FormatRange>& selections, int row) const {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const int left = ChunkAtX(row, Units(exposed.left() - origin.x()));
    const int right = ChunkAtX(row, Units(exposed.right() - origin.x()));
    const LineWindow& window = Window(std::max(r.firstChunk, std::min(left, right) - 1),
                                      std::min(r.lastChunk, std::max(left, right) + 1), row);
    const int n = static_cast<int>(text_.size());
    QList<QTextLayout::FormatRange> ranges;
    for (const QTextLayout::FormatRange& selection : selections) {
        const int start = std::max(selection.start, window.From());
        // Past the paragraph's end the toolkit shows the selected line break.
        const int end = window.To() == n ? selection.start + selection.length
                                         : std::min(selection.start + selection.length, window.To());
        if (end > start) ranges.append({window.ToLayout(start), end - start, selection.format});
    }
    const qreal top = origin.y() + RowTop(row);
    const QRectF band = exposed.intersected(QRectF(exposed.left(), top, exposed.width(), RowHeight(row)));
    const qreal lineY = window.LineAt(std::max(window.From(), RowStart(row))).y();
    const QPointF position(origin.x() + Pixels(Origin(window, row)), top + BaselineShift(window, row, false) - lineY);
    painter.save();
    painter.setClipRect(band, Qt::IntersectClip);
    window.Layout().draw(&painter, position, ranges, band);
    painter.restore();
}

void LongLine::DrawCaret(QPainter& painter, QPointF origin, int caret, int caretWidth) const {
    const int row = RowOf(caret);
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const qreal top = origin.y() + RowTop(row);
    if (RowStart(row) == RowEndExclusive(row)) {  // an empty last row, as the toolkit draws one
        painter.save();
        if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        }
        const qreal height = Pixels(r.metrics.ascent + std::max(0, r.metrics.leading) + r.metrics.descent);
        painter.fillRect(QRectF(origin.x(), top, caretWidth, height), painter.pen().brush());
        painter.restore();
        return;
    }
    const int chunk = std::clamp(ChunkAt(caret), r.firstChunk, r.lastChunk);
    const LineWindow& window = Window(std::max(r.firstChunk, chunk - 1), std::min(r.lastChunk, chunk + 1), row);
    const QTextLine line = window.LineAt(caret);
    const qreal shift = X(caret) - line.cursorToX(window.ToLayout(caret));  // where the window's x 0 is
    const QPointF position(origin.x() + shift, top + BaselineShift(window, row, true) - line.y());
    window.Layout().drawCursor(&painter, position, window.ToLayout(caret), caretWidth);
}

}  // namespace fw::detail
