// The geometry of three points: the in-circle determinant, the turning sense, the circle
// through them, and the nearest-point choice of the drag.
#pragma once

#include <array>
#include <cstddef>

#include "types.hpp"

namespace circle3 {

using Triangle = std::array<gfx::Point, 3>;

// The 3 x 3 determinant with rows (a_i, b_i, a_i^2 + b_i^2), a_i, b_i the offsets of P[i] from
// q. Negative strictly inside the circle when the turning sense is negative, strictly outside
// it when positive; zero on the circle (and on the line of collinear points).
double in_circle_det(const Triangle& p, gfx::Point q);

// Twice the signed area of the triangle; 0 exactly when the points are collinear.
double turning_sense(const Triangle& p);

// The centre of the circle through the three points, or `previous` when they are collinear
// (there is no such circle, and the drawing keeps the last one it had).
gfx::Point circle_centre(const Triangle& p, gfx::Point previous);

// Index of the point nearest to (x, y); on equal distances the lower index wins.
std::size_t nearest_point(const Triangle& p, double x, double y);

}  // namespace circle3
