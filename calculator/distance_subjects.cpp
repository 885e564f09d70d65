#include "calculator/distance_subjects.hpp"

#include <algorithm>
#include <system_error>
#include <thread>

#include "calculator/distance_fields.hpp"
#include "framework/background_task.hpp"
#include "framework/text.hpp"

namespace {

// Below this many fields per thread, starting a thread costs more than it saves.
constexpr std::int64_t kFieldsPerWorker = 16384;

// Subjects first to last - 1, counted from 0.
void ReadAndCompute(const SubjectData& data, const PackedMatrix& matrix, DistanceKernel kernel,
                    std::int64_t first, std::int64_t last, double* sums) {
    if (first == last) return;
    TableFieldCursor cursor(data.text, data.rowStarts[first]);
    for (std::int64_t s = first + 1; s <= last; ++s) {
        double* row = data.array + s * data.stride;
        for (std::int64_t v = 1; v <= data.variables; ++v) row[v] = fw::Val(cursor.Next());
        fw::RuntimeBackgroundTask();
    }
    kernel(matrix, data.array + (first + 1) * data.stride + 1, data.stride, last - first, sums + first);
}

std::int64_t WorkerCount(std::int64_t fields) {
    const std::int64_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::int64_t>(fields / kFieldsPerWorker, 1, cores);
}

}  // namespace

std::vector<double> ReadAndComputeSubjects(const SubjectData& data, const PackedMatrix& matrix) {
    const auto subjects = static_cast<std::int64_t>(data.rowStarts.size());
    std::vector<double> sums(data.rowStarts.size());
    const DistanceKernel kernel = SelectDistanceKernel();
    const std::int64_t workers = WorkerCount(subjects * data.variables);
    const auto firstOf = [&](std::int64_t worker) { return subjects * worker / workers; };
    {
        // Each worker has its own subjects, rows of the data array and sums: nothing shared
        // is written. The calling thread takes the last share, and any share whose thread
        // could not be started.
        std::vector<std::jthread> threads;
        for (std::int64_t w = 0; w + 1 < workers; ++w) {
            const std::int64_t first = firstOf(w), last = firstOf(w + 1);
            try {
                threads.emplace_back([&, first, last] { ReadAndCompute(data, matrix, kernel, first, last, sums.data()); });
            } catch (const std::system_error&) {
                ReadAndCompute(data, matrix, kernel, first, last, sums.data());
            }
        }
        ReadAndCompute(data, matrix, kernel, firstOf(workers - 1), subjects, sums.data());
    }
    return sums;
}
