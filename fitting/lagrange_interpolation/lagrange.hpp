// The interpolation polynomial through ten integer nodes and its sampling between the
// leftmost and the rightmost node.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace lagrange {

constexpr int kNodeCount = 10;
constexpr int kSteps = 100;
// x_0 ... x_100: the accumulated step never yields more.
constexpr int kMaxSamples = kSteps + 1;

struct Nodes {
    std::array<std::int32_t, kNodeCount> x{};
    std::array<std::int32_t, kNodeCount> y{};
};

// A value rounded half to even to a 64-bit integer, of which the low 32 bits are kept as a
// signed value; nothing when the value is not finite or does not fit in 64 bits.
std::optional<std::int32_t> round_to_int32(double value);

// P(a) = sum over i of y[i] * product over j with x[j] != x[i] of (a - x[j]) / (x[i] - x[j]),
// rounded by round_to_int32. Nodes that share an abscissa contribute no factor to each other,
// so no division by zero can occur.
std::optional<std::int32_t> lagrange_value(const Nodes& nodes, std::int32_t a);

struct Sample {
    double x = 0.0;                 // the accumulated sample abscissa, unrounded
    std::int32_t a = 0;             // x rounded half to even: where the polynomial is taken
    std::optional<std::int32_t> y;  // nothing when the value cannot be represented
};

struct Samples {
    std::array<Sample, kMaxSamples> at{};
    int count = 0;
};

// x_0 = xmin, x_k = x_(k-1) + (xmax - xmin) / 100 while x_k <= xmax: 100 or 101 samples.
// When xmin >= xmax there is no step to take and so no sample.
Samples sample_curve(const Nodes& nodes, std::int32_t xmin, std::int32_t xmax);

}  // namespace lagrange
