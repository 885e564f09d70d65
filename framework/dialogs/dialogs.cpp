// The modal message box and the beep, shown by the run's dialog presenter.
#include "framework/dialogs/dialogs.hpp"

#include <QMessageBox>

#include "framework/dialogs/dialog_presenter.hpp"
#include "framework/runtime/run.hpp"
#include "framework/runtime/runtime_state.hpp"

namespace fw {

void MsgBox(std::string_view text) {
    detail::EnsureApplication();
    detail::RequireGuiThread();
    QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    CurrentRun().presenter->ShowMessageBox(box);
}

void Beep() { CurrentRun().presenter->Beep(); }

}  // namespace fw
