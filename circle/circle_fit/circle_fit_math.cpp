#include "circle_fit_math.hpp"

#include <cmath>

namespace fit {

NormalEquations normal_equations(std::span<const gfx::Point> points) {
    NormalEquations eq;
    // Running minima from far above any window coordinate.
    double xmin = 1e11, ymin = 1e11;
    for (const gfx::Point& p : points) {
        if (p.x < xmin) xmin = p.x;
        if (p.y < ymin) ymin = p.y;
    }
    // With whole-pixel points every sum is a whole number far below 2^53: exact.
    double su = 0, sv = 0, suu = 0, svv = 0, suv = 0, sx3 = 0, sy3 = 0, sr2 = 0;
    for (const gfx::Point& p : points) {
        const double u = p.x - xmin;
        const double v = p.y - ymin;
        su += u;
        sv += v;
        suu += u * u;
        svv += v * v;
        suv += v * u;
        sx3 += u * u * u + v * u * v;
        sy3 += u * u * v + v * v * v;
        sr2 += u * u + v * v;
    }
    const double n = static_cast<double>(points.size());
    eq.m[0] = {suu, suv, -su, sx3};
    eq.m[1] = {suv, svv, -sv, sy3};
    eq.m[2] = {su, sv, -n, sr2};
    eq.xmin = xmin;
    eq.ymin = ymin;
    return eq;
}

Circle fit_circle(std::span<const gfx::Point> points) {
    const NormalEquations eq = normal_equations(points);
    Vector s{};  // stays 0 when the system is singular
    solve_system(3, eq.m, s);
    const double a = s[0] / 2;
    const double b = s[1] / 2;
    const double c = s[2];
    return {{eq.xmin + a, eq.ymin + b}, std::sqrt(a * a + b * b - c)};
}

}  // namespace fit
