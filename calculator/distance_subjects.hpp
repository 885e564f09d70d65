#pragma once
// The difference data of all subjects, read and turned into squared distances, spread over
// worker threads when the input is large enough to pay for them.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "calculator/distance_kernel.hpp"

struct SubjectData {
    std::string_view text;               // the data text as pasted
    std::vector<std::size_t> rowStarts;  // rowStarts[s - 1]: where subject s's first field begins
    std::int64_t variables;
    double* array;                       // data element (s, v) is array[s * stride + v]
    std::int64_t stride;
};

// Reads every subject's V fields into the data array and gives the subjects' D², subject 1
// first. Every field must be known to be there and not empty.
std::vector<double> ReadAndComputeSubjects(const SubjectData& data, const PackedMatrix& matrix);
