// A stretch of a very long line, laid out by the toolkit in its context.
#include "framework/text_areas/line_window.hpp"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace fw::detail {

namespace {

constexpr qreal kContextDistance = 1e5;  // how far above and below the stretch its context lies

}  // namespace

LineWindow::LineWindow(const QString& text, int from, int to, const WindowContext& context, const LineFont& font,
                       bool rtl, std::int64_t startX, bool trailingIncluded)
    : from_(from), to_(to), leadingTab_(context.leadingTab) {
    QString laidOut = context.before;
    if (context.leadingTab) laidOut += u'\t';
    offset_ = static_cast<int>(laidOut.size());
    laidOut += QStringView(text).mid(from, to - from);
    laidOut += context.after;
    layout_.setText(laidOut);
    layout_.setFont(font.Font());
    option_.setWrapMode(QTextOption::NoWrap);
    option_.setTextDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    option_.setTabStopDistance(font.TabStopDistance());
    if (trailingIncluded) option_.setFlags(QTextOption::IncludeTrailingSpaces);
    // A stretch that starts between tab stops (only in a line without right-to-left text) gets
    // the line's tab stops, moved to its start.
    QList<QTextOption::Tab> stops;
    if (startX % font.Tab() != 0) {
        const int tabs = static_cast<int>(std::count(laidOut.begin(), laidOut.end(), QChar(u'\t')));
        const qreal widest = QFontMetricsF(font.Font()).maxWidth() * (to - from) * 64;
        const std::int64_t last = startX + static_cast<std::int64_t>(widest) + (tabs + 1) * font.Tab();
        for (std::int64_t stop = (startX / font.Tab() + 1) * font.Tab(); stop <= last; stop += font.Tab()) {
            stops.append(QTextOption::Tab(static_cast<qreal>(stop - startX) / 64, QTextOption::LeftTab));
        }
    }
    LayOut(stops);
    while (!stops.isEmpty() && FixTabStops(startX, font, stops)) LayOut(stops);
}

void LineWindow::LayOut(const QList<QTextOption::Tab>& stops) {
    option_.setTabs(stops);
    layout_.setTextOption(option_);
    layout_.beginLayout();
    for (;;) {
        QTextLine line = layout_.createLine();
        if (!line.isValid()) break;
        line.setLeadingIncluded(true);
        line.setLineWidth(1e9);
    }
    layout_.endLayout();
    line_ = std::max(0, layout_.lineForTextPosition(offset_).lineNumber());
    for (int i = 0; i < layout_.lineCount(); ++i) {
        layout_.lineAt(i).setPosition(QPointF(0, (i - line_) * kContextDistance));
    }
}

// The toolkit's own tab stops go to the stop after next for a TAB a hair (1/128 of the tab
// stop distance) before a stop; explicit stops cannot say that, so such a stop is left out.
// True when a stop was left out and the stretch must be laid out again.
bool LineWindow::FixTabStops(std::int64_t startX, const LineFont& font, QList<QTextOption::Tab>& stops) const {
    for (int i = offset_; i < offset_ + (to_ - from_); ++i) {
        if (layout_.text()[i] != u'\t') continue;
        const QTextLine line = layout_.lineForTextPosition(i);
        const auto before = static_cast<std::int64_t>(std::llround(line.cursorToX(i) * 64));
        const auto after = static_cast<std::int64_t>(std::llround(line.cursorToX(i + 1) * 64));
        const std::int64_t wanted = font.NextTabStop(startX + before) - startX;
        if (after == wanted) continue;
        stops.removeIf([&](const QTextOption::Tab& stop) { return std::llround(stop.position * 64) == after; });
        return true;
    }
    return false;
}

QTextLine LineWindow::LineAt(int position) const {
    return layout_.lineForTextPosition(std::clamp(ToLayout(position), offset_, static_cast<int>(layout_.text().size())));
}

}  // namespace fw::detail
