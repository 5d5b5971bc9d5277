#include "bezier7.hpp"

#include <cmath>
#include <cstddef>

namespace bezier_eight {

double bernstein_weight(std::int32_t k, double t) {
    double f1 = 1.0;
    for (std::int32_t m = 1; m <= kDegree; ++m) f1 *= m;
    double f2 = 1.0;
    double p = 1.0;
    for (std::int32_t m = 1; m <= k; ++m) {
        f2 *= m;
        p *= t;
    }
    double f3 = 1.0;
    double q = 1.0;
    for (std::int32_t m = 1; m <= kDegree - k; ++m) {
        f3 *= m;
        q *= 1.0 - t;
    }
    return p * (f1 / (f3 * f2)) * q;
}

gfx::Point curve_vertex(const ControlPoints& points, double t) {
    gfx::Point v{0.0, 0.0};
    for (std::int32_t k = 0; k < kPointCount; ++k) {
        const double w = bernstein_weight(k, t);
        const gfx::Point& p = points[static_cast<std::size_t>(k)];
        v.x += w * p.x;
        v.y += w * p.y;
    }
    return v;
}

std::int32_t nearest_index(const ControlPoints& points, double x, double y) {
    double minimum = 1e32;
    std::int32_t nearest = -1;
    for (std::int32_t i = 0; i < kPointCount; ++i) {
        const gfx::Point& p = points[static_cast<std::size_t>(i)];
        const double dx = x - p.x;
        const double dy = y - p.y;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d < minimum) {
            minimum = d;
            nearest = i;
        }
    }
    return nearest;
}

}  // namespace bezier_eight
