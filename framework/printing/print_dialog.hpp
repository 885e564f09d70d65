#pragma once
// The print dialog as the framework asks it: given a printer with its defaults, the dialog
// makes the user's choices on it (printer, paper, pages, copies) and tells whether to print.
// The program uses the platform's own dialog (the native one on Windows); a test answers in
// its place through this seam, the same way on every platform.
#include <functional>

class QPrinter;

namespace fw {

using PrintDialogPresenter = std::function<bool(QPrinter& printer)>;

// Puts `presenter` in the place of the platform's dialog; an empty function puts the
// platform's dialog back.
void SetPrintDialogPresenter(PrintDialogPresenter presenter);

}  // namespace fw
