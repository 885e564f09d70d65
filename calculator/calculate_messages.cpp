#include "calculator/calculate_messages.hpp"

#include "framework/text/text.hpp"

void CalculateMessages::Add(DistanceMessage kind, const std::string& message) {
    if (kind != DistanceMessage::MatrixCell) {
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
          " more cells of the inverted covariance matrix are empty, missing or not numbers");
}
