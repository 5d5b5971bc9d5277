// The algebraic least-squares circle through a cloud of points.
#pragma once

#include <span>

#include "solve_system.hpp"
#include "types.hpp"

namespace fit {

// The normal equations of u^2 + v^2 = A u + B v - C in coordinates shifted to the smallest x
// and y of the cloud (u = x - xmin, v = y - ymin): rows 0 ... 2, unknowns A, B, C.
struct NormalEquations {
    Matrix m{};
    double xmin = 0;
    double ymin = 0;
};
NormalEquations normal_equations(std::span<const gfx::Point> points);

struct Circle {
    gfx::Point centre;
    double radius = 0;
};

// The fitted circle in window pixels. When the system is singular (all points on one straight
// line) A = B = C = 0: radius 0 at (xmin, ymin), the top-left corner of the bounding box.
Circle fit_circle(std::span<const gfx::Point> points);

}  // namespace fit
