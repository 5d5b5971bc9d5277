// The five least-squares models of the regression program: the sums over a sample, the
// fitted coefficients and the fitted curve.
//
//   1 linear       y = b0 + b1*x
//   2 hyperbolic   y = b0 + b1/x
//   3 power        y = b0 * x^b1
//   4 exponential  y = b0 * e^(c*x), c = ln of the base b1
//   5 parabolic    y = b0 + b1*x + b2*x^2
#pragma once

#include <cstdint>
#include <optional>

namespace regression {

constexpr std::int32_t kLinear = 1;
constexpr std::int32_t kHyperbolic = 2;
constexpr std::int32_t kPower = 3;
constexpr std::int32_t kExponential = 4;
constexpr std::int32_t kParabolic = 5;

bool known_model(std::int32_t model);

// Models 1 to 4 are straight-line fits of v on u, with (u, v) = (x, y), (1/x, y), (ln x, ln y)
// and (x, ln y); the parabola fits y on x. Each sum is stored as a double after every addition.
struct Sums {
    double n = 0;         // pairs added
    double u = 0;         // Σu
    double v = 0;         // Σv
    double uu = 0;        // Σu·u (the hyperbola: Σ1/(x·x))
    double uv = 0;        // Σu·v (the hyperbola: Σy/x)
    double uuu = 0;       // the parabola: Σx·x·x
    double uuuu = 0;      // the parabola: Σx·x·x·x
    double uuv = 0;       // the parabola: Σx·y·x
    double left_out = 0;  // pairs at which the model's terms are undefined
    // The first abscissae added, to tell a sample with too few distinct ones.
    int distinct_x = 0;  // 0, 1, 2 or 3 (three or more)
    double first_x = 0;
    double second_x = 0;
};

// Adds one pair to the model's sums. A pair at which the model's terms are undefined (x = 0
// for 1/x, x <= 0 for ln x, y <= 0 for ln y) is counted in left_out instead; a model outside 1 ...
// 5 adds nothing.
void add_pair(Sums& sums, std::int32_t model, double x, double y);

struct Coefficients {
    double b0 = 0;
    double b1 = 0;  // the exponential model: the slope c
    double b2 = 0;  // the parabola only
};

// The fitted coefficients for a sample of `count` pairs, or nothing when the fit has no unique
// solution: too few pairs or distinct abscissae for the model, a zero denominator, or a
// coefficient that is not finite. The straight-line models use n = count less the pairs left
// out; the exponential model replaces a zero denominator by 0.001, so that one pair or one
// abscissa gives a horizontal line (and a count below 1 the line y = 1).
std::optional<Coefficients> fit(std::int32_t model, const Sums& sums, std::int32_t count);

// The fitted curve at column j, or nothing when the value is not finite or too large for a
// 64-bit integer.
std::optional<double> curve_value(std::int32_t model, const Coefficients& c, std::int32_t j);

}  // namespace regression
