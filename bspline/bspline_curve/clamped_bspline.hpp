// The clamped quadratic B-spline of bspline_curve: its knot vector, the Cox-de Boor basis and
// the curve point over the control points.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "types.hpp"

namespace bspline_curve {

constexpr std::size_t kPointCount = 8;
constexpr std::size_t kKnotCount = 11;

using ControlPoints = std::array<gfx::Point, kPointCount>;
using Knots = std::array<std::int32_t, kKnotCount>;

// 0, 0, 0, 0, 1, 2, 3, 4, 5, 5, 5: the first value four times, the last three times.
Knots make_knots();

// N(i, k, t): the basis function of control point i of order k (degree k - 1) at t, by the
// Cox-de Boor recursion over half-open knot spans. A term whose knot difference is 0 counts as
// 0 and is never divided. A basis that would reach past the knot vector (i < 0, i + k beyond
// the last knot, k < 1) is 0.
double basis(const Knots& u, std::int32_t i, std::int32_t k, double t);

// The curve at t: the sum of N(j, order, t) times point j over j = 1 ... 7; point 0 takes no
// part. At and past the last knot, where every half-open span is empty and the sum would be
// the origin, the clamped curve has reached its end point, the last control point.
gfx::Point curve_point(const ControlPoints& points, const Knots& u, std::int32_t order, double t);

}  // namespace bspline_curve
