#include "models.hpp"

#include <array>
#include <cmath>
#include <cstddef>

namespace regression {
namespace {

using Wide = long double;  // one formula's intermediate results, as extended precision

double stored(Wide v) {
    return static_cast<double>(v);
}

void note_abscissa(Sums& s, double x) {
    if (s.distinct_x == 0) {
        s.first_x = x;
        s.distinct_x = 1;
    } else if (s.distinct_x == 1 && x != s.first_x) {
        s.second_x = x;
        s.distinct_x = 2;
    } else if (s.distinct_x == 2 && x != s.first_x && x != s.second_x) {
        s.distinct_x = 3;
    }
}

// Σu, Σv, Σu·u, Σu·v of the straight-line models.
void add_line_terms(Sums& s, Wide u, Wide v, Wide uu, Wide uv) {
    s.u = stored(s.u + u);
    s.v = stored(s.v + v);
    s.uu = stored(s.uu + uu);
    s.uv = stored(s.uv + uv);
}

// A coefficient that is not finite (an exponential out of range) makes no curve either.
std::optional<Coefficients> checked(const std::optional<Coefficients>& c) {
    if (!c || !std::isfinite(c->b0) || !std::isfinite(c->b1) || !std::isfinite(c->b2)) {
        return std::nullopt;
    }
    return c;
}

// b1 = (Σu·Σv − n·Σuv) / ((Σu)² − n·Σu²), nothing when the denominator is 0.
std::optional<double> slope(const Sums& s, double n) {
    const Wide den = Wide{s.u} * s.u - Wide{n} * s.uu;
    if (den == 0) return std::nullopt;
    return stored((Wide{s.u} * s.v - Wide{n} * s.uv) / den);
}

// The intercept (Σv − b1·Σu) / n, before the power model takes its exponential.
Wide intercept(const Sums& s, double n, double b1) {
    return (s.v - Wide{b1} * s.u) / n;
}

std::optional<Coefficients> hyperbola(const Sums& s, double n) {
    const double d = stored(Wide{n} * s.uu - Wide{s.u} * s.u);
    if (d == 0) return std::nullopt;
    Coefficients c;
    c.b0 = stored((Wide{s.uu} * s.v - Wide{s.u} * s.uv) / d);
    c.b1 = stored((Wide{n} * s.uv - Wide{s.v} * s.u) / d);
    return c;
}

Coefficients exponential(const Sums& s, double n) {
    // One pair, one abscissa or no pair: the products agree exactly and the slope comes out 0.
    constexpr double kFlatDenominator = 0.001;
    const Wide n_uu = Wide{n} * s.uu;
    const Wide u_u = Wide{s.u} * s.u;
    const Wide den = n_uu == u_u ? Wide{kFlatDenominator} : u_u - n_uu;
    Coefficients c;
    c.b1 = stored((Wide{s.u} * s.v - Wide{n} * s.uv) / den);
    c.b0 = stored(std::exp(intercept(s, n, c.b1)));
    return c;
}

// The normal equations, a11 = n, a12 = a21 = Σx, a13 = a22 = a31 = Σx², a23 = a32 = Σx³,
// a33 = Σx⁴, r = (Σy, Σxy, Σx²y), eliminated in this order without pivoting.
std::optional<Coefficients> parabola(const Sums& s) {
    const double a11 = s.n, a12 = s.u, a13 = s.uu, r1 = s.v;
    const double a21 = s.u, a31 = s.uu;
    double a22 = s.uu, a23 = s.uuu, r2 = s.uv;
    double a32 = s.uuu, a33 = s.uuuu, r3 = s.uuv;

    double m = stored(Wide{a21} / a11);
    a22 = stored(a22 - Wide{m} * a12);
    a23 = stored(a23 - Wide{m} * a13);
    r2 = stored(r2 - Wide{m} * r1);

    m = stored(Wide{a31} / a11);
    a32 = stored(a32 - Wide{m} * a12);
    a33 = stored(a33 - Wide{m} * a13);
    r3 = stored(r3 - Wide{m} * r1);

    if (a22 == 0) return std::nullopt;
    m = stored(Wide{a32} / a22);
    const Wide pivot = a33 - Wide{m} * a23;
    if (pivot == 0) return std::nullopt;
    Coefficients c;
    c.b2 = stored((r3 - Wide{m} * r2) / pivot);
    c.b1 = stored((r2 - Wide{c.b2} * a23) / a22);
    c.b0 = stored(((r1 - Wide{c.b1} * a12) - Wide{c.b2} * a13) / a11);
    return c;
}

// ln of a value, from a table for the whole numbers the pairs take (the same values, made once:
// the logarithms were most of the time of a large sample).
Wide log_of(double v) {
    constexpr std::size_t kTabled = 1024;
    static const auto table = [] {
        std::array<Wide, kTabled> t{};
        for (std::size_t i = 1; i < t.size(); ++i) t[i] = std::log(static_cast<Wide>(i));
        return t;
    }();
    if (v >= 1 && v < static_cast<double>(kTabled) && v == std::floor(v)) {
        return table[static_cast<std::size_t>(v)];
    }
    return std::log(static_cast<Wide>(v));
}

}  // namespace

bool known_model(std::int32_t model) {
    return model >= kLinear && model <= kParabolic;
}

void add_pair(Sums& s, std::int32_t model, double x, double y) {
    const Wide wx = x, wy = y;
    switch (model) {
        case kLinear:
            add_line_terms(s, wx, wy, wx * wx, wx * wy);
            break;
        case kHyperbolic:
            if (x == 0) {
                s.left_out += 1;
                return;
            }
            add_line_terms(s, 1 / wx, wy, 1 / (wx * wx), wy / wx);
            break;
        case kPower: {
            // The pairs are pixels, so only 0 meets these; a logarithm wants a positive value.
            if (x <= 0 || y <= 0) {
                s.left_out += 1;
                return;
            }
            const Wide lx = log_of(x), ly = log_of(y);
            add_line_terms(s, lx, ly, lx * lx, lx * ly);
            break;
        }
        case kExponential: {
            if (y <= 0) {
                s.left_out += 1;
                return;
            }
            const Wide ly = log_of(y);
            add_line_terms(s, wx, ly, wx * wx, wx * ly);
            break;
        }
        case kParabolic:
            add_line_terms(s, wx, wy, wx * wx, wy * wx);
            s.uuu = stored(s.uuu + wx * wx * wx);
            s.uuuu = stored(s.uuuu + wx * wx * wx * wx);
            s.uuv = stored(s.uuv + wx * wy * wx);
            break;
        default:
            return;
    }
    s.n = stored(s.n + 1);
    note_abscissa(s, x);
}

std::optional<Coefficients> fit(std::int32_t model, const Sums& s, std::int32_t count) {
    // With no pair asked for nothing is left out either, and the count itself is used.
    const double n = stored(static_cast<Wide>(count) - s.left_out);
    switch (model) {
        case kLinear:
        case kPower: {
            if (s.distinct_x < 2) return std::nullopt;
            const std::optional<double> b1 = slope(s, n);
            if (!b1) return std::nullopt;
            const Wide b0 = intercept(s, n, *b1);
            return checked(Coefficients{stored(model == kPower ? std::exp(b0) : b0), *b1, 0});
        }
        case kHyperbolic:
            if (s.distinct_x < 2) return std::nullopt;
            return checked(hyperbola(s, n));
        case kExponential:
            return checked(exponential(s, n));
        case kParabolic:
            if (s.distinct_x < 3) return std::nullopt;
            return checked(parabola(s));
        default:
            return std::nullopt;
    }
}

std::optional<double> curve_value(std::int32_t model, const Coefficients& c, std::int32_t j) {
    const Wide wj = j;
    Wide v = 0;
    switch (model) {
        case kLinear:
            v = c.b0 + c.b1 * wj;
            break;
        case kHyperbolic:
            v = c.b0 + c.b1 / wj;
            break;
        case kPower:
            v = c.b0 * std::exp(c.b1 * std::log(wj));
            break;
        case kExponential:
            v = c.b0 * std::exp(c.b1 * wj);
            break;
        case kParabolic:
            v = c.b2 * wj * wj + (c.b1 * wj + c.b0);
            break;
        default:
            return std::nullopt;
    }
    const double value = stored(v);
    // What a 64-bit integer holds; NaN fails both tests.
    constexpr double kLimit = 0x1p63;
    if (!(value >= -kLimit && value < kLimit)) return std::nullopt;
    return value;
}

}  // namespace regression
