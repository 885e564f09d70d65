#pragma once
// The Calculate command's computation: from the texts of the four input fields to the
// messages to show and the lines to append, with no window involved.
#include <functional>
#include <string>
#include <string_view>

// Where the computation's output goes, in the order it arises. Every message comes before
// the first line, and the computation goes on only once showMessage has returned, so a
// modal message box fits. Lines come one per subject, subject 1 first, each the text of
// one squared distance followed by CR LF.
struct DistanceOutput {
    std::function<void(const std::string& message)> showMessage;
    std::function<void(const std::string& line)> appendLine;
};

// Checks the inputs, reads the inverted covariance matrix and the difference data and
// computes D² = d'Md for every subject. Field texts are TAB-separated; CR LF also separates
// fields, so rows may be spread over lines in any way.
void CalculateDistances(std::string_view variablesText, std::string_view subjectsText,
                        std::string_view matrixText, std::string_view dataText,
                        const DistanceOutput& output);
