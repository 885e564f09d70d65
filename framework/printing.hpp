#pragma once
// Printing: the platform's print dialog, the page surface and the styled-text printer.
// The page surface is measured in points (1/72 inch).
#include <cstdint>
#include <memory>

namespace fw {

class TextArea;

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

// Lays out a text area's styled text from its beginning, in blocks of the given width.
class StyledTextPrinter {
public:
    virtual ~StyledTextPrinter() = default;
    // `EOF`: True once the whole text has been drawn.
    virtual bool Eof() const = 0;
    // Draws on the current page the next part of the text that fits into the block at
    // (left, top) of at most that height, and moves past it.
    virtual void DrawBlock(std::int64_t left, std::int64_t top, std::int64_t height) = 0;
};

// `TextArea.styledTextPrinter`
std::unique_ptr<StyledTextPrinter> MakeStyledTextPrinter(TextArea& area, Graphics& page,
                                                         std::int64_t width);

}  // namespace fw
