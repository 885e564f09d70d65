#pragma once
// Framework-internal: a stretch of a very long line laid out by the toolkit, between context
// characters that make the toolkit lay it out exactly as it does within the whole line (see
// line_scan.hpp). The context before the stretch ends with a line separator, so the stretch
// starts a text line of its own at x 0; the context after it lies on the text lines below.
// The stretch's first text line is at y 0, the context's lines far above and below it.
#include <QString>
#include <QTextLayout>

#include <cstdint>

#include "framework/text_areas/line_font.hpp"

namespace fw::detail {

struct WindowContext {
    QString before;           // ends with a line separator, or is empty
    bool leadingTab = false;  // the TAB the stretch follows, put in front of it on its line
    QString after;
};

class LineWindow {
public:
    // Lays out `text`'s [from, to), which starts `startX` (1/64 pixel) into its text line.
    // `trailingIncluded`: the stretch ends before its text line does, so what the toolkit
    // would take for trailing white space at its end is not.
    LineWindow(const QString& text, int from, int to, const WindowContext& context, const LineFont& font, bool rtl,
               std::int64_t startX, bool trailingIncluded);

    int From() const { return from_; }
    int To() const { return to_; }
    int ToLayout(int position) const { return position - from_ + offset_; }
    int FromLayout(int position) const { return position - offset_ + from_; }
    // The text line that holds `position` of the long line.
    QTextLine LineAt(int position) const;
    const QTextLayout& Layout() const { return layout_; }
    bool LeadingTab() const { return leadingTab_; }

private:
    void LayOut(const QList<QTextOption::Tab>& stops);
    bool FixTabStops(std::int64_t startX, const LineFont& font, QList<QTextOption::Tab>& stops) const;

    QTextLayout layout_;
    QTextOption option_;
    int from_, to_, offset_;
    int line_ = 0;  // the stretch's first text line
    bool leadingTab_;
};

}  // namespace fw::detail
