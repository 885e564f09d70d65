#include "calculator/distance.hpp"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

#include "calculator/distance_fields.hpp"
#include "calculator/distance_kernel.hpp"
#include "calculator/distance_subjects.hpp"
#include "framework/background_task.hpp"
#include "framework/text.hpp"

namespace {

constexpr std::int64_t kMaxVariables = 99;
constexpr std::int64_t kMaxSubjects = 9999;
// Arrays are indexed from 0 to the largest count; index 0 is never used.
constexpr std::int64_t kColumns = kMaxVariables + 1;

constexpr std::string_view kLineEnd = "\r\n";

// An array of doubles that are all 0.0 from the start. calloc takes fresh pages from the
// system without writing them, so the part of the full-size data array that an input
// leaves unused costs next to nothing, and the rest is zeroed by whichever thread fills it.
class ZeroedArray {
public:
    explicit ZeroedArray(std::size_t count) : values_(static_cast<double*>(std::calloc(count, sizeof(double)))) {
        if (values_ == nullptr) throw std::bad_alloc();
    }
    ~ZeroedArray() { std::free(values_); }
    ZeroedArray(const ZeroedArray&) = delete;
    ZeroedArray& operator=(const ZeroedArray&) = delete;
    double* data() { return values_; }

private:
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

// Every cell of the V x V matrix from its fields in row order. An empty or missing field is
// reported and the cell takes Val(""); reading goes on.
void ReadMatrix(std::string_view text, std::int64_t variables, double* matrix, const DistanceOutput& output) {
    TableFieldCursor cursor(text);
    for (std::int64_t row = 1; row <= variables; ++row) {
        for (std::int64_t column = 1; column <= variables; ++column) {
            const std::string_view field = cursor.Next();
            if (field.empty())
                output.showMessage("Please check the accuracy of inverted covariance matrix " + CellText(row, column));
            matrix[row * kColumns + column] = fw::Val(field);
            fw::RuntimeBackgroundTask();
        }
        fw::RuntimeBackgroundTask();
    }
}

// Where every subject's fields begin, in one pass over the S x V fields of the data. At the
// first empty or missing field: its message, and no rows at all.
std::vector<std::size_t> FindSubjectRows(std::string_view text, std::int64_t variables, std::int64_t subjects,
                                         const DistanceOutput& output) {
    std::vector<std::size_t> rowStarts(static_cast<std::size_t>(subjects));
    TableFieldCursor cursor(text);
    for (std::int64_t subject = 1; subject <= subjects; ++subject) {
        rowStarts[subject - 1] = cursor.Position();
        for (std::int64_t variable = 1; variable <= variables; ++variable) {
            if (cursor.Next().empty()) {
                output.showMessage("Please check the accuracy of difference data " + CellText(subject, variable));
                return {};
            }
            fw::RuntimeBackgroundTask();
        }
        fw::RuntimeBackgroundTask();
    }
    return rowStarts;
}

}  // namespace

void CalculateDistances(std::string_view variablesText, std::string_view subjectsText,
                        std::string_view matrixText, std::string_view dataText,
                        const DistanceOutput& output) {
    ZeroedArray matrix(kColumns * kColumns);
    ZeroedArray data((kMaxSubjects + 1) * kColumns);

    const std::int64_t variables = CountFromText(variablesText);
    if (variables < 2 || variables > kMaxVariables) return output.showMessage("Variables must range from 2-99");
    const std::int64_t subjects = CountFromText(subjectsText);
    if (subjects < 1 || subjects > kMaxSubjects) return output.showMessage("Subjects must range from 1-9999");
    // Len of a text is 0 exactly when the text is empty.
    if (matrixText.empty()) return output.showMessage("No data for inverted covariance matrix");
    if (dataText.empty()) return output.showMessage("No data.");

    ReadMatrix(matrixText, variables, matrix.data(), output);
    SubjectData subjectData{dataText, FindSubjectRows(dataText, variables, subjects, output), variables,
                            data.data(), kColumns};
    if (subjectData.rowStarts.empty()) return;

    const PackedMatrix packed(matrix.data(), kColumns, variables);
    for (const double sum : ReadAndComputeSubjects(subjectData, packed)) {
        output.appendLine(fw::Str(sum).append(kLineEnd));
        fw::RuntimeBackgroundTask();
    }
}
