#include "distance/distance_kernel.hpp"

#include "framework/text/background_task.hpp"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

namespace {

// The portable kernel's loops with four lanes per register and one column block (four
// registers) of t at a time. Multiply and add stay separate instructions: the function is
// built for AVX2 without FMA.
__attribute__((target("avx2"))) void DistanceKernelAvx2(const PackedMatrix& matrix, const double* rows,
                                                        std::int64_t stride, std::int64_t count,
                                                        double* sums) {
    static_assert(PackedMatrix::kColumnBlock == 16);
    const std::int64_t variables = matrix.Variables();
    alignas(32) double t[PackedMatrix::kMaxWidth];
    for (std::int64_t r = 0; r < count; ++r) {
        const double* d = rows + r * stride;
        for (std::int64_t block = 0; block < matrix.Width(); block += 16) {
            __m256d t0 = _mm256_setzero_pd(), t1 = t0, t2 = t0, t3 = t0;
            for (std::int64_t k = 0; k < variables; ++k) {
                const __m256d dk = _mm256_set1_pd(d[k]);
                const double* m = matrix.Row(k) + block;
                t0 = _mm256_add_pd(_mm256_mul_pd(_mm256_loadu_pd(m), dk), t0);
                t1 = _mm256_add_pd(_mm256_mul_pd(_mm256_loadu_pd(m + 4), dk), t1);
                t2 = _mm256_add_pd(_mm256_mul_pd(_mm256_loadu_pd(m + 8), dk), t2);
                t3 = _mm256_add_pd(_mm256_mul_pd(_mm256_loadu_pd(m + 12), dk), t3);
            }
            _mm256_store_pd(t + block, t0);
            _mm256_store_pd(t + block + 4, t1);
            _mm256_store_pd(t + block + 8, t2);
            _mm256_store_pd(t + block + 12, t3);
        }
        double sum = 0.0;
        for (std::int64_t i = 0; i < variables; ++i) sum = d[i] * t[i] + sum;
        sums[r] = sum;
        fw::RuntimeBackgroundTask();
    }
}

}  // namespace

DistanceKernel Avx2DistanceKernel() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? DistanceKernelAvx2 : nullptr;
}

#else

DistanceKernel Avx2DistanceKernel() { return nullptr; }

#endif
