// The math of bezier_eight: the Bézier curve of degree 7 over eight control points, each
// Bernstein weight computed straight from factorials and powers, and the nearest point.
#pragma once

#include <array>
#include <cstdint>

#include "types.hpp"

namespace bezier_eight {

constexpr std::int32_t kPointCount = 8;
constexpr std::int32_t kDegree = kPointCount - 1;

using ControlPoints = std::array<gfx::Point, kPointCount>;

// B_k(t) = t^k * 7! / ((7 - k)! * k!) * (1 - t)^(7 - k), for k = 0 ... 7.
double bernstein_weight(std::int32_t k, double t);

// The sum over k = 0 ... 7 of B_k(t) * P_k, added in the order of k from (0, 0).
gfx::Point curve_vertex(const ControlPoints& points, double t);

// The index of the point nearest to (x, y) by Euclidean distance; ties go to the lower index.
std::int32_t nearest_index(const ControlPoints& points, double x, double y);

}  // namespace bezier_eight
