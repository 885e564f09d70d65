#include "distance/distance.hpp"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "distance/distance_fields.hpp"
#include "distance/distance_kernel.hpp"
#include "distance/distance_subjects.hpp"
#include "framework/text/background_task.hpp"
#include "framework/text/text.hpp"

namespace {

constexpr std::int64_t kMaxVariables = 99;
constexpr std::int64_t kMaxSubjects = 9999;

constexpr std::string_view kLineEnd = "\r\n";

// A rows x columns array of doubles that are all 0.0 from the start, sized to the input in
// hand; row 0 and column 0 are never used. calloc takes large blocks as fresh pages from the
// system without writing them; they are zeroed by whichever thread fills them.
class ZeroedArray {
public:
    ZeroedArray(std::int64_t rows, std::int64_t columns)
        : columns_(columns),
          values_(static_cast<double*>(std::calloc(static_cast<std::size_t>(rows * columns), sizeof(double)))) {
        if (values_ == nullptr) throw std::bad_alloc();
    }
    ~ZeroedArray() { std::free(values_); }
    ZeroedArray(const ZeroedArray&) = delete;
    ZeroedArray& operator=(const ZeroedArray&) = delete;
    double* data() { return values_; }
    std::int64_t stride() const { return columns_; }
    double& at(std::int64_t row, std::int64_t column) { return values_[row * columns_ + column]; }

private:
    std::int64_t columns_;
    double* values_;
};

// Val of the text truncated toward zero. A value with no 64-bit integer part (NaN, or beyond
// the range) counts as the most negative 64-bit integer, so it fails every range check.
std::int64_t CountFromText(std::string_view text) {
    const double value = fw::Val(text);
    if (!(value >= -0x1p63 && value < 0x1p63)) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

std::string CellText(std::int64_t row, std::int64_t column) {
    return "(Row " + fw::Str(row) + ", Column " + fw::Str(column) + ")";
}

// Every cell of the V x V matrix from its fields in row order. A field that is empty, missing
// or not a number is reported and the cell takes Val of it; reading goes on.
void ReadMatrix(std::string_view text, ZeroedArray& matrix, std::int64_t variables, const DistanceOutput& output) {
    TableFieldCursor cursor(text);
    for (std::int64_t row = 1; row <= variables; ++row) {
        for (std::int64_t column = 1; column <= variables; ++column) {
            const fw::NumberReading field = fw::ReadNumber(cursor.Next());
            if (!field.isNumber)
                output.showMessage(DistanceMessage::MatrixCell,
                                   "Please check the accuracy of inverted covariance matrix " + CellText(row, column));
            matrix.at(row, column) = field.value;
            fw::RuntimeBackgroundTask();
        }
        fw::RuntimeBackgroundTask();
    }
}

struct SubjectRows {
    std::vector<std::size_t> starts;  // starts[s - 1]: where subject s's first field begins
    // Where the fields after the S x V fields begin; none if one of those is empty or missing.
    std::optional<std::size_t> rest;
};

// Where every subject's fields begin, in one pass over the S x V fields of the data. At the
// first empty or missing field the rows end with that field's subject: nothing after it is
// read, and reading the rows finds it (or a field before it that is not a number).
SubjectRows FindSubjectRows(std::string_view text, std::int64_t variables, std::int64_t subjects) {
    SubjectRows rows;
    TableFieldCursor cursor(text);
    for (std::int64_t subject = 1; subject <= subjects; ++subject) {
        rows.starts.push_back(cursor.Position());
        bool complete = true;
        for (std::int64_t variable = 1; variable <= variables && complete; ++variable) {
            complete = !cursor.Next().empty();
            fw::RuntimeBackgroundTask();
        }
        fw::RuntimeBackgroundTask();
        if (!complete) return rows;
    }
    rows.rest = cursor.Position();
    return rows;
}

// For a text with more fields than rows x columns: "<what> has N fields, more than rows x
// columns = M: please check <advice>". None for any other text.
std::optional<std::string> SurplusFieldsMessage(std::string_view text, std::string_view what, std::int64_t rows,
                                                std::int64_t columns, std::string_view advice) {
    const std::int64_t fields = CountedFields(text);
    if (fields <= rows * columns) return std::nullopt;
    return std::string(what) + " has " + fw::Str(fields) + " fields, more than " + fw::Str(rows) + " x " +
           fw::Str(columns) + " = " + fw::Str(rows * columns) + ": please check " + std::string(advice);
}

}  // namespace

void CalculateDistances(std::string_view variablesText, std::string_view subjectsText,
                        std::string_view matrixText, std::string_view dataText,
                        const DistanceOutput& output) {
    const std::int64_t variables = CountFromText(variablesText);
    if (variables < 2 || variables > kMaxVariables)
        return output.showMessage(DistanceMessage::CountOutOfRange, "Variables must range from 2-99");
    const std::int64_t subjects = CountFromText(subjectsText);
    if (subjects < 1 || subjects > kMaxSubjects)
        return output.showMessage(DistanceMessage::CountOutOfRange, "Subjects must range from 1-9999");
    // Len of a text is 0 exactly when the text is empty.
    if (matrixText.empty())
        return output.showMessage(DistanceMessage::NoText, "No data for inverted covariance matrix");
    if (dataText.empty()) return output.showMessage(DistanceMessage::NoText, "No data.");

    if (auto message = SurplusFieldsMessage(matrixText, "The inverted covariance matrix", variables, variables,
                                            "the number of variables"))
        return output.showMessage(DistanceMessage::TooManyFields, *message);
    SubjectRows rows = FindSubjectRows(dataText, variables, subjects);
    // When the S x V fields are all there, finding the rows has passed them: only what follows
    // can hold more, and it is counted only then.
    if (!rows.rest || !IsBlankText(dataText.substr(*rows.rest))) {
        if (auto message = SurplusFieldsMessage(dataText, "The difference data", subjects, variables,
                                                "the numbers of subjects and variables"))
            return output.showMessage(DistanceMessage::TooManyFields, *message);
    }

    ZeroedArray matrix(variables + 1, variables + 1);
    ReadMatrix(matrixText, matrix, variables, output);
    ZeroedArray data(static_cast<std::int64_t>(rows.starts.size()) + 1, variables + 1);
    const SubjectData subjectData{dataText, std::move(rows.starts), variables, data.data(), data.stride()};

    const PackedMatrix packed(matrix.data(), matrix.stride(), variables);
    const SubjectResults results = ReadAndComputeSubjects(subjectData, packed);
    if (const auto& field = results.faultyField) {
        return output.showMessage(DistanceMessage::DataField, "Please check the accuracy of difference data " +
                                                                  CellText(field->subject, field->variable));
    }
    for (const double sum : results.sums) {
        output.appendLine(fw::Str(sum).append(kLineEnd));
        fw::RuntimeBackgroundTask();
    }
}
