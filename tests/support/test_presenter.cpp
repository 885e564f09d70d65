#include "tests/support/test_presenter.hpp"

#include <QAbstractButton>
#include <QTimer>

#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/run.hpp"

namespace fw {
namespace {

TestPresenter& Presenter() { return dynamic_cast<TestPresenter&>(*CurrentRun().presenter); }

}  // namespace

void TestPresenter::ShowMessageBox(QMessageBox& box) {
    openBoxes.push_back(&box);
    if (const auto watching = observer) {
        // Runs inside the box's own event loop, once the box is open and modal.
        const std::string shown = box.text().toStdString();
        QTimer::singleShot(0, &box, [watching, shown] { Dispatch([&] { watching(shown); }); });
    }
    DialogPresenter::ShowMessageBox(box);
    std::erase_if(openBoxes, [&](const QPointer<QMessageBox>& b) { return b == &box || b.isNull(); });
}

void TestPresenter::Beep() {
    ++beeps;
    DialogPresenter::Beep();
}

bool TestPresenter::ShowPrintDialog(QPrinter& printer) {
    const PrintDialogAnswer answer = printAnswer;  // a copy: it may replace itself
    return answer ? answer(printer) : DialogPresenter::ShowPrintDialog(printer);
}

void SetMessageBoxObserver(std::function<void(const std::string& text)> observer) {
    Presenter().observer = std::move(observer);
}

bool DismissMessageBox() {
    auto& boxes = Presenter().openBoxes;
    std::erase_if(boxes, [](const QPointer<QMessageBox>& b) { return b.isNull(); });
    if (boxes.empty()) return false;
    QMessageBox* box = boxes.back();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
    else box->done(QMessageBox::Ok);
    return true;
}

std::int64_t BeepCount() { return Presenter().beeps; }

void AnswerPrintDialogs(PrintDialogAnswer answer) { Presenter().printAnswer = std::move(answer); }

}  // namespace fw
