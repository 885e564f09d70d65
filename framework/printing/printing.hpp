#pragma once
// Printing: the platform's print dialog, the page surface and the styled-text printer.
// The page surface is measured in points (1/72 inch). It is the paper within the margins of
// the print dialog (a quarter inch all round unless the user or the printer asks for more),
// but never larger than 540 × 720 points (7½ × 10 inches): on larger paper it is centred
// within the margins, so that its left and right margins are equal.
#include <cstdint>
#include <memory>

namespace fw {

class TextArea;

// What is drawn on each page is kept until the surface is released, and then goes to the
// printer: the pages of the range chosen in the dialog, in the chosen order, with the chosen
// number of copies. A job that cannot start or fails part-way shows a message and is dropped;
// it raises nothing.
class Graphics {
public:
    virtual ~Graphics() = default;
    // Ends the current page and begins the next.
    virtual void NextPage() = 0;
};

namespace PrinterSetup {
// `PrinterSetup.ShowPrinterDialog`: shows the platform's print dialog; the page surface of
// the chosen printer, or none when the user cancels.
std::unique_ptr<Graphics> ShowPrinterDialog();
}  // namespace PrinterSetup

// Lays out a text area's styled text from its beginning, in blocks of the given width, or of
// the page surface's width where that is narrower.
class StyledTextPrinter {
public:
    virtual ~StyledTextPrinter() = default;
    // `EOF`: True once the whole text has been drawn.
    virtual bool Eof() const = 0;
    // Draws on the current page the next part of the text that fits into the block at
    // (left, top) of at most that height, and never past the bottom of the page surface, and
    // moves past it. A line is never split: the block ends before the first line that does
    // not fit (a line taller than the whole block is drawn alone).
    virtual void DrawBlock(std::int64_t left, std::int64_t top, std::int64_t height) = 0;
};

// `TextArea.styledTextPrinter`
std::unique_ptr<StyledTextPrinter> MakeStyledTextPrinter(TextArea& area, Graphics& page,
                                                         std::int64_t width);

}  // namespace fw
