#pragma once
// The difference data of all subjects, read and turned into squared distances, spread over
// worker threads when the input is large enough to pay for them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "distance/distance_kernel.hpp"

struct SubjectData {
    std::string_view text;               // the data text as pasted
    std::vector<std::size_t> rowStarts;  // rowStarts[s - 1]: where subject s's first field begins
    std::int64_t variables;
    double* array;                       // data element (s, v) is array[s * stride + v]
    std::int64_t stride;
};

struct DataField {
    std::int64_t subject;
    std::int64_t variable;
};

struct SubjectResults {
    std::vector<double> sums;              // D² of every subject, subject 1 first
    std::optional<DataField> faultyField;  // the first empty, missing or non-number field; then no sums
};

// Reads the V fields of every subject in rowStarts into the data array and gives the
// subjects' D², or the first field (in row order) that is empty, missing or not a number.
SubjectResults ReadAndComputeSubjects(const SubjectData& data, const PackedMatrix& matrix);
