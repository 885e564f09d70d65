#include "distance/distance_kernel.hpp"

#include "framework/text/background_task.hpp"

PackedMatrix::PackedMatrix(const double* matrix, std::int64_t stride, std::int64_t variables)
    : variables_(variables),
      width_((variables + kColumnBlock - 1) / kColumnBlock * kColumnBlock),
      values_(static_cast<std::size_t>(variables * width_), 0.0) {
    for (std::int64_t k = 1; k <= variables; ++k)
        for (std::int64_t c = 1; c <= variables; ++c) values_[(k - 1) * width_ + c - 1] = matrix[k * stride + c];
}

// Plain loops over a block of columns at a time; the compiler vectorises the innermost one.
void PortableDistanceKernel(const PackedMatrix& matrix, const double* rows, std::int64_t stride,
                            std::int64_t count, double* sums) {
    constexpr std::int64_t kBlock = PackedMatrix::kColumnBlock;
    const std::int64_t variables = matrix.Variables();
    double t[PackedMatrix::kMaxWidth];
    for (std::int64_t r = 0; r < count; ++r) {
        const double* d = rows + r * stride;
        for (std::int64_t block = 0; block < matrix.Width(); block += kBlock) {
            double partial[kBlock] = {};
            for (std::int64_t k = 0; k < variables; ++k) {
                const double dk = d[k];
                const double* m = matrix.Row(k) + block;
                for (std::int64_t j = 0; j < kBlock; ++j) partial[j] = m[j] * dk + partial[j];
            }
            for (std::int64_t j = 0; j < kBlock; ++j) t[block + j] = partial[j];
        }
        double sum = 0.0;
        for (std::int64_t i = 0; i < variables; ++i) sum = d[i] * t[i] + sum;
        sums[r] = sum;
        fw::RuntimeBackgroundTask();
    }
}

DistanceKernel SelectDistanceKernel() {
    if (const DistanceKernel avx2 = Avx2DistanceKernel()) return avx2;
    return PortableDistanceKernel;
}
