#include "distance/distance_subjects.hpp"

#include <algorithm>
#include <system_error>
#include <thread>
#include <utility>

#include "distance/distance_fields.hpp"
#include "framework/text/background_task.hpp"
#include "framework/text/text.hpp"

namespace {

// Below this many fields per thread, starting a thread costs more than it saves.
constexpr std::int64_t kFieldsPerWorker = 16384;

// Subjects first to last - 1, counted from 0. Gives the first field of them that is empty,
// missing or not a number, and computes their sums only when there is none.
std::optional<DataField> ReadAndCompute(const SubjectData& data, const PackedMatrix& matrix, DistanceKernel kernel,
                                        std::int64_t first, std::int64_t last, double* sums) {
    if (first == last) return std::nullopt;
    std::optional<DataField> faultyField;
    TableFieldCursor cursor(data.text, data.rowStarts[first]);
    for (std::int64_t s = first + 1; s <= last && !faultyField; ++s) {
        double* row = data.array + s * data.stride;
        for (std::int64_t v = 1; v <= data.variables; ++v) {
            const fw::NumberReading field = fw::ReadNumber(cursor.Next());
            row[v] = field.value;
            if (!field.isNumber && !faultyField) faultyField = DataField{s, v};
        }
        fw::RuntimeBackgroundTask();
    }
    if (!faultyField)
        kernel(matrix, data.array + (first + 1) * data.stride + 1, data.stride, last - first, sums + first);
    return faultyField;
}

std::int64_t WorkerCount(std::int64_t fields) {
    const std::int64_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::int64_t>(fields / kFieldsPerWorker, 1, cores);
}

}  // namespace

SubjectResults ReadAndComputeSubjects(const SubjectData& data, const PackedMatrix& matrix) {
    const auto subjects = static_cast<std::int64_t>(data.rowStarts.size());
    std::vector<double> sums(data.rowStarts.size());
    const DistanceKernel kernel = SelectDistanceKernel();
    const std::int64_t workers = WorkerCount(subjects * data.variables);
    const auto firstOf = [&](std::int64_t worker) { return subjects * worker / workers; };
    std::vector<std::optional<DataField>> faultyFields(static_cast<std::size_t>(workers));
    {
        // Each worker has its own subjects, rows of the data array, sums and finding: nothing
        // shared is written. The calling thread takes the last share, and any share whose
        // thread could not be started.
        std::vector<std::jthread> threads;
        for (std::int64_t w = 0; w + 1 < workers; ++w) {
            const std::int64_t first = firstOf(w), last = firstOf(w + 1);
            const auto work = [&, w, first, last] {
                faultyFields[w] = ReadAndCompute(data, matrix, kernel, first, last, sums.data());
            };
            try {
                threads.emplace_back(work);
            } catch (const std::system_error&) {
                work();
            }
        }
        faultyFields.back() = ReadAndCompute(data, matrix, kernel, firstOf(workers - 1), subjects, sums.data());
    }
    // Shares are in row order, so the first share's finding is the first field.
    for (const std::optional<DataField>& field : faultyFields)
        if (field) return {{}, field};
    return {std::move(sums), std::nullopt};
}
