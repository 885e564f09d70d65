// The modal message box and the beep.
#include "framework/dialogs/dialogs.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/runtime_state.hpp"

namespace fw {
namespace {

std::function<void(const std::string&)>& Observer() {
    static std::function<void(const std::string&)> observer;
    return observer;
}

std::vector<QPointer<QMessageBox>>& OpenBoxes() {
    static std::vector<QPointer<QMessageBox>> boxes;
    return boxes;
}

std::int64_t& Beeps() {
    static std::int64_t beeps = 0;
    return beeps;
}

}  // namespace

void MsgBox(std::string_view text) {
    detail::EnsureApplication();
    detail::RequireGuiThread();
    QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    OpenBoxes().push_back(&box);
    if (const auto observer = Observer()) {
        // Runs inside the box's own event loop, once the box is open and modal.
        const std::string shown(text);
        QTimer::singleShot(0, &box, [observer, shown] { Dispatch([&] { observer(shown); }); });
    }
    box.exec();
    std::erase_if(OpenBoxes(), [&](const QPointer<QMessageBox>& b) { return b == &box || b.isNull(); });
}

void Beep() {
    ++Beeps();
    if (QApplication::instance() != nullptr) QApplication::beep();
}

void SetMessageBoxObserver(std::function<void(const std::string& text)> observer) {
    Observer() = std::move(observer);
}

bool DismissMessageBox() {
    auto& boxes = OpenBoxes();
    std::erase_if(boxes, [](const QPointer<QMessageBox>& b) { return b.isNull(); });
    if (boxes.empty()) return false;
    QMessageBox* box = boxes.back();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
    else box->done(QMessageBox::Ok);
    return true;
}

std::int64_t BeepCount() { return Beeps(); }

}  // namespace fw
