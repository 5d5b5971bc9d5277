#include "clamped_bspline.hpp"

namespace bspline_curve {

Knots make_knots() {
    Knots u{};
    for (std::int32_t j = 0; j < static_cast<std::int32_t>(kKnotCount); ++j) {
        if (j < 4) {
            u[static_cast<std::size_t>(j)] = 0;
        } else if (j <= 7) {
            u[static_cast<std::size_t>(j)] = j - 3;
        } else {
            u[static_cast<std::size_t>(j)] = 5;
        }
    }
    return u;
}

double basis(const Knots& u, std::int32_t i, std::int32_t k, double t) {
    // The recursion reads u[i] ... u[i + k].
    if (k < 1 || i < 0 || i + k >= static_cast<std::int32_t>(kKnotCount)) return 0.0;
    const auto at = [&u](std::int32_t j) { return u[static_cast<std::size_t>(j)]; };
    if (k == 1) return (at(i) <= t && t < at(i + 1)) ? 1.0 : 0.0;
    double result = 0.0;
    const std::int32_t d1 = at(i + k - 1) - at(i);
    if (d1 != 0) result = basis(u, i, k - 1, t) * (t - at(i)) / d1;
    const std::int32_t d2 = at(i + k) - at(i + 1);
    if (d2 != 0) result += basis(u, i + 1, k - 1, t) * (at(i + k) - t) / d2;
    return result;
}

gfx::Point curve_point(const ControlPoints& points, const Knots& u, std::int32_t order, double t) {
    if (t >= u.back()) return points.back();
    gfx::Point sum;
    for (std::int32_t j = 1; j < static_cast<std::int32_t>(kPointCount); ++j) {
        const double b = basis(u, j, order, t);
        sum.x += b * points[static_cast<std::size_t>(j)].x;
        sum.y += b * points[static_cast<std::size_t>(j)].y;
    }
    return sum;
}

}  // namespace bspline_curve
