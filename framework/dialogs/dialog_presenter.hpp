#pragma once
// Shows a run's modal dialogs: the message box, the beep and the print dialog. The program's
// presenter shows the platform's own; a run may be given another (a test's, which watches
// and answers them).
class QMessageBox;
class QPrinter;

namespace fw {

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    // Shows the box, made ready by the caller, and returns once it is dismissed.
    virtual void ShowMessageBox(QMessageBox& box);
    virtual void Beep();
    // Lets the user make their choices on the printer (printer, paper, pages, copies); true
    // to print.
    virtual bool ShowPrintDialog(QPrinter& printer);
};

}  // namespace fw
