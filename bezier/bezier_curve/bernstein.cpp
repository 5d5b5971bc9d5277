#include "bernstein.hpp"

namespace bezier {

bool fill_bernstein(BasisTable& basis, std::int32_t degree, double t) {
    if (degree < 0 || degree > kMaxDegree) return false;
    const auto m = static_cast<std::size_t>(degree);
    if (m == 0) {
        basis[0][0] = 1.0;
        return true;
    }
    basis[m - 1][0] = 1.0 - t;
    basis[m - 1][1] = t;
    // Degree d + 1 in row m - d - 1 from degree d in row m - d.
    for (std::size_t d = 1; d < m; ++d) {
        const auto& below = basis[m - d];
        auto& next = basis[m - d - 1];
        next[0] = (1.0 - t) * below[0];
        for (std::size_t j = 1; j <= d; ++j) next[j] = (1.0 - t) * below[j] + t * below[j - 1];
        next[d + 1] = t * below[d];
    }
    return true;
}

std::optional<gfx::Point> bezier_point(std::span<const gfx::Point> points, BasisTable& basis,
                                       double t) {
    if (points.empty() || points.size() > kMaxPoints) return std::nullopt;
    const auto degree = static_cast<std::int32_t>(points.size()) - 1;
    fill_bernstein(basis, degree, t);
    gfx::Point c{0.0, 0.0};
    for (std::size_t j = 0; j < points.size(); ++j) {
        c.x += basis[0][j] * points[j].x;
        c.y += basis[0][j] * points[j].y;
    }
    return c;
}

}  // namespace bezier
