#pragma once
// The Calculate command's messages as the user meets them. A mistyped number of variables
// can leave thousands of matrix cells empty, one modal message each; only the first ten of
// those are shown, followed by one message that counts the rest. Every other message is
// shown as it comes.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "distance/distance.hpp"

class CalculateMessages {
public:
    static constexpr std::int64_t kShownCellMessages = 10;

    using Show = std::function<void(std::string_view message)>;
    explicit CalculateMessages(Show show) : show_(std::move(show)) {}

    // A message of the computation, shown before this returns unless it is a matrix-cell
    // message beyond the first ten. Any other message first ends the run of cell messages.
    void Add(DistanceMessage kind, const std::string& message);
    // Ends a run of matrix-cell messages: shows how many were not shown, if any. Called
    // before the first result line and at the end of the command.
    void EndCellMessages();

private:
    Show show_;
    std::int64_t cellMessages_ = 0;
    bool countShown_ = false;
};
