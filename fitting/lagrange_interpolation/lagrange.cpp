#include "lagrange.hpp"

#include <cmath>

namespace lagrange {

std::optional<std::int32_t> round_to_int32(double value) {
    // Every double in [-2^63, 2^63) converts to int64 exactly once rounded; NaN fails both tests.
    constexpr double kLimit = 0x1p63;
    const double r = std::nearbyint(value);  // the default rounding mode: ties to even
    if (!(r >= -kLimit && r < kLimit)) return std::nullopt;
    const auto wide = static_cast<std::int64_t>(r);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

std::optional<std::int32_t> lagrange_value(const Nodes& nodes, std::int32_t a) {
    double sum = 0.0;
    for (int i = 0; i < kNodeCount; ++i) {
        const std::int64_t xi = nodes.x[i];
        double b = 1.0;
        for (int j = 0; j < kNodeCount; ++j) {
            const std::int64_t xj = nodes.x[j];
            if (xj == xi) continue;
            // The differences are exact; product first, then the quotient, in extended
            // precision, stored as a double after each factor.
            const auto num = static_cast<long double>(std::int64_t{a} - xj);
            const auto den = static_cast<long double>(xi - xj);
            b = static_cast<double>(num * b / den);
        }
        sum = static_cast<double>(static_cast<long double>(nodes.y[i]) * b + sum);
    }
    return round_to_int32(sum);
}

Samples sample_curve(const Nodes& nodes, std::int32_t xmin, std::int32_t xmax) {
    Samples s;
    if (xmin >= xmax) return s;  // a zero step would never reach past xmax
    // Integer difference, quotient in extended precision, stored as a double.
    const auto span = static_cast<long double>(std::int64_t{xmax} - std::int64_t{xmin});
    const auto step = static_cast<double>(span / kSteps);
    const auto last = static_cast<double>(xmax);
    double x = xmin;
    while (x <= last && s.count < kMaxSamples) {
        // x lies in [xmin, xmax], so the rounded value fits.
        const auto a = static_cast<std::int32_t>(std::nearbyint(x));
        s.at[static_cast<std::size_t>(s.count++)] = {x, a, lagrange_value(nodes, a)};
        x = static_cast<double>(static_cast<long double>(x) + step);
    }
    return s;
}

}  // namespace lagrange
