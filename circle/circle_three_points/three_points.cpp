#include "three_points.hpp"

namespace circle3 {

double in_circle_det(const Triangle& p, gfx::Point q) {
    const double a0 = p[0].x - q.x, b0 = p[0].y - q.y;
    const double a1 = p[1].x - q.x, b1 = p[1].y - q.y;
    const double a2 = p[2].x - q.x, b2 = p[2].y - q.y;
    const double s0 = a0 * a0 + b0 * b0;
    const double s1 = a1 * a1 + b1 * b1;
    const double s2 = a2 * a2 + b2 * b2;
    return s0 * (a1 * b2 - a2 * b1) + s1 * (a2 * b0 - a0 * b2) + s2 * (a0 * b1 - a1 * b0);
}

double turning_sense(const Triangle& p) {
    return (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
}

gfx::Point circle_centre(const Triangle& p, gfx::Point previous) {
    const double d = turning_sense(p);
    if (d == 0.0) return previous;
    const double s0 = p[0].x * p[0].x + p[0].y * p[0].y;
    const double s1 = p[1].x * p[1].x + p[1].y * p[1].y;
    const double s2 = p[2].x * p[2].x + p[2].y * p[2].y;
    return {((p[1].y - p[2].y) * s0 + (p[2].y - p[0].y) * s1 + (p[0].y - p[1].y) * s2) / (2 * d),
            ((p[2].x - p[1].x) * s0 + (p[0].x - p[2].x) * s1 + (p[1].x - p[0].x) * s2) / (2 * d)};
}

std::size_t nearest_point(const Triangle& p, double x, double y) {
    std::size_t best = 0;
    double best_d2 = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const double dx = x - p[i].x;
        const double dy = y - p[i].y;
        const double d2 = dx * dx + dy * dy;
        // A later point must be strictly nearer to take over.
        if (i == 0 || d2 < best_d2) {
            best = i;
            best_d2 = d2;
        }
    }
    return best;
}

}  // namespace circle3
