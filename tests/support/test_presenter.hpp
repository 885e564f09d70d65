#pragma once
// The dialog presenter of a test's run: it shows message boxes for real, modally, and lets
// the test watch them from inside their event loop and dismiss them; it counts beeps; and it
// answers print dialogs as the test says (else shows the platform's).
#include <QMessageBox>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/dialogs/dialog_presenter.hpp"

namespace fw {

// A print dialog's answer: makes the user's choices on the printer; true to print.
using PrintDialogAnswer = std::function<bool(QPrinter& printer)>;

class TestPresenter final : public DialogPresenter {
public:
    void ShowMessageBox(QMessageBox& box) override;
    void Beep() override;
    bool ShowPrintDialog(QPrinter& printer) override;

    std::function<void(const std::string& text)> observer;
    std::vector<QPointer<QMessageBox>> openBoxes;
    std::int64_t beeps = 0;
    PrintDialogAnswer printAnswer;
};

// The observer runs while a box is open and modal (from inside its event loop), and may
// dismiss it with DismissMessageBox(); an empty function stops watching.
void SetMessageBoxObserver(std::function<void(const std::string& text)> observer);
bool DismissMessageBox();  // closes the open box as OK would; false when none is open
std::int64_t BeepCount();   // beeps since the run began
// Answers every print dialog from now on; an empty function shows the platform's again.
void AnswerPrintDialogs(PrintDialogAnswer answer);

}  // namespace fw
