#pragma once
// Printing: the platform's print dialog, the page surface and the styled-text printer.
// The page surface is measured in points (1/72 inch); its origin lies half an inch in from
// the left and top edges of the paper.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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
    // (left, top) of at most that height, and moves past it. A line is never split: the
    // block ends before the first line that does not fit (a line taller than the whole
    // block is drawn alone).
    virtual void DrawBlock(std::int64_t left, std::int64_t top, std::int64_t height) = 0;
};

// `TextArea.styledTextPrinter`
std::unique_ptr<StyledTextPrinter> MakeStyledTextPrinter(TextArea& area, Graphics& page,
                                                         std::int64_t width);

// Tests: drive the real print dialog. The observer runs while the dialog is open and modal
// (from inside its event loop) and answers it through the control that it is given, as a
// user would. An empty function removes the observer.
class PrintDialogControl {
public:
    virtual ~PrintDialogControl() = default;
    // Chooses printing into a PDF file at `path` and presses Print. The file should not exist
    // yet (else the dialog asks whether to replace it). False, with the dialog cancelled,
    // when the dialog offers no printing into a file.
    virtual bool PrintToFile(const std::string& path) = 0;
    // Presses Cancel.
    virtual void Cancel() = 0;
};
void SetPrintDialogObserver(std::function<void(PrintDialogControl&)> observer);

}  // namespace fw
