#include "calculator/distance.hpp"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "calculator/distance_fields.hpp"
#include "calculator/distance_kernel.hpp"
#include "calculator/distance_subjects.hpp"
#include "framework/background_task.hpp"
#include "framework/text.hpp"

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

// Where every subject's fields begin, in one pass over the S x V fields of the data. At the
// first empty or missing field the rows end with that field's subject: nothing after it is
// read, and reading the rows finds it (or a field before it that is not a number).
std::vector<std::size_t> FindSubjectRows(std::string_view text, std::int64_t variables, std::int64_t subjects) {
    std::vector<std::size_t> rowStarts;
    TableFieldCursor cursor(text);
    for (std::int64_t subject = 1; subject <= subjects; ++subject) {
        rowStarts.push_back(cursor.Position());
        bool complete = true;
        for (std::int64_t variable = 1; variable <= variables && complete; ++variable) {
            complete = !cursor.Next().empty();
            fw::RuntimeBackgroundTask();
        }
        fw::RuntimeBackgroundTask();
        if (!complete) break;
    }
    return rowStarts;
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

    ZeroedArray matrix(variables + 1, variables + 1);
    ReadMatrix(matrixText, matrix, variables, output);
    std::vector<std::size_t> rowStarts = FindSubjectRows(dataText, variables, subjects);
    ZeroedArray data(static_cast<std::int64_t>(rowStarts.size()) + 1, variables + 1);
    const SubjectData subjectData{dataText, std::move(rowStarts), variables, data.data(), data.stride()};

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
