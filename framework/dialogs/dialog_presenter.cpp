#include "framework/dialogs/dialog_presenter.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace fw {

void DialogPresenter::ShowMessageBox(QMessageBox& box) { box.exec(); }

void DialogPresenter::Beep() {
    if (QApplication::instance() != nullptr) QApplication::beep();
}

bool DialogPresenter::ShowPrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer);
    // The job prints the chosen range itself; with this option the dialog leaves the range
    // to the job rather than to the print server.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace fw
