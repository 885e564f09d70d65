#pragma once
// The quadratic form D² = d'Md for many subjects, computed bit for bit in the order of the
// plain loops
//   t(c) = 0;  for k = 1..V: t(c) = M(k, c) * d(k) + t(c)        for every column c
//   sum = 0;   for i = 1..V: sum = d(i) * t(i) + sum
// with every product rounded before it is added. The kernels compute several columns c at
// once; each t(c) and the sum still take their terms one by one in index order, so vector
// width and thread count never change a result.
#include <cstdint>
#include <vector>

// M laid out for the kernels: row k - 1 holds M(k, 1..V) and then zeros up to a width that is
// a whole number of column blocks.
class PackedMatrix {
public:
    static constexpr std::int64_t kColumnBlock = 16;
    static constexpr std::int64_t kMaxVariables = 99;
    static constexpr std::int64_t kMaxWidth = 112;  // kMaxVariables rounded up to whole blocks

    // matrix(r, c) is matrix[r * stride + c], for r and c from 1 to variables (at most kMaxVariables).
    PackedMatrix(const double* matrix, std::int64_t stride, std::int64_t variables);

    std::int64_t Variables() const { return variables_; }
    std::int64_t Width() const { return width_; }
    const double* Row(std::int64_t k) const { return values_.data() + k * width_; }

private:
    std::int64_t variables_;
    std::int64_t width_;
    std::vector<double> values_;
};

// Computes sums[r] = D² of the subject whose d(1..V) is rows[r * stride + 0 .. V - 1],
// for r from 0 to count - 1.
using DistanceKernel = void (*)(const PackedMatrix& matrix, const double* rows, std::int64_t stride,
                                std::int64_t count, double* sums);

void PortableDistanceKernel(const PackedMatrix& matrix, const double* rows, std::int64_t stride,
                            std::int64_t count, double* sums);
// Null where this processor or this build has no AVX2 (x86 only).
DistanceKernel Avx2DistanceKernel();

// The fastest kernel this processor runs.
DistanceKernel SelectDistanceKernel();
