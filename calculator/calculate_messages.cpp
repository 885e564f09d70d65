#include "calculator/calculate_messages.hpp"

#include "framework/text.hpp"

namespace {

bool IsMatrixCellMessage(std::string_view message) {
    return message.starts_with("Please check the accuracy of inverted covariance matrix (");
}

}  // namespace

void CalculateMessages::Add(const std::string& message) {
    if (!IsMatrixCellMessage(message)) {
        EndCellMessages();
        show_(message);
        return;
    }
    ++cellMessages_;
    if (cellMessages_ <= kShownCellMessages) show_(message);
}

void CalculateMessages::EndCellMessages() {
    if (countShown_ || cellMessages_ <= kShownCellMessages) return;
    countShown_ = true;
    show_(fw::Str(cellMessages_ - kShownCellMessages) +
          " more cells of the inverted covariance matrix are empty or missing");
}
