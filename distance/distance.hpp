#pragma once
// The Calculate command's computation: from the texts of the four input fields to the
// messages to show and the lines to append, with no window involved.
#include <functional>
#include <string>
#include <string_view>

// What a message of the computation is about.
enum class DistanceMessage {
    CountOutOfRange,  // the number of variables or of subjects; ends the command
    NoText,           // the matrix or the data text is empty; ends the command
    TooManyFields,    // the matrix or the data text has more fields than V x V or S x V; ends the command
    MatrixCell,       // a matrix cell is empty, missing or not a number; the command goes on
    DataField,        // a data field is empty, missing or not a number; ends the command
};

// Where the computation's output goes, in the order it arises. Every message comes before
// the first line, and the computation goes on only once showMessage has returned, so a
// modal message box fits. Lines come one per subject, subject 1 first, each the text of
// one squared distance followed by CR LF.
struct DistanceOutput {
    std::function<void(DistanceMessage kind, const std::string& message)> showMessage;
    std::function<void(const std::string& line)> appendLine;
};

// Checks the inputs, reads the inverted covariance matrix and the difference data and
// computes D² = d'Md for every subject. Field texts are TAB-separated; CR LF also separates
// fields, so rows may be spread over lines in any way. A text with more fields than V x V or
// S x V (empty or blank ones at its end aside) is reported before any field is read, since
// the surplus means that V, S or the columns pasted are wrong. A field counts as given only
// when it is wholly a number (fw::ReadNumber).
void CalculateDistances(std::string_view variablesText, std::string_view subjectsText,
                        std::string_view matrixText, std::string_view dataText,
                        const DistanceOutput& output);
