#pragma once
// Print dialogs answered by a test in the platform's dialog's place: printing into a PDF file
// through the toolkit's own PDF output with the choices a user would make, or cancelling.
#include <QPageSize>
#include <QPrinter>

#include <filesystem>
#include <string>

#include "tests/support/test_presenter.hpp"

struct PrintChoices {
    std::string paper;  // by its short name, such as "A4", "Letter" or "A5"; empty keeps the default
    bool landscape = false;
    int firstPage = 0, lastPage = 0;  // the range of pages to print; 0 and 0 print every page
    int copies = 1;
    bool collate = true;
    bool reverse = false;  // last page first
};

inline QPageSize PaperNamed(const std::string& key) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        if (size.key().toStdString() == key) return size;
    }
    return {};
}

// Chooses printing into a new PDF file at `file` with `choices`, and Print.
inline fw::PrintDialogAnswer PrintIntoPdf(const std::filesystem::path& file, const PrintChoices& choices = {}) {
    return [file, choices](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdWString(file.wstring()));
        if (!choices.paper.empty()) {
            const QPageSize paper = PaperNamed(choices.paper);
            if (!paper.isValid()) return false;
            printer.setPageSize(paper);
        }
        printer.setPageOrientation(choices.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (choices.firstPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(choices.firstPage, choices.lastPage);
        }
        printer.setCopyCount(choices.copies);
        printer.setCollateCopies(choices.collate);
        printer.setPageOrder(choices.reverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        return true;
    };
}

// Presses Cancel.
inline fw::PrintDialogAnswer CancelPrinting() {
    return [](QPrinter&) { return false; };
}
