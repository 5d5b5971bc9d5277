// The Bezier curve in Bernstein form: the basis values by the triangular recurrence, and the
// curve point as the weighted sum of the control points.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "types.hpp"

namespace bezier {

// Room for 16 control points, so for degrees up to 15.
constexpr std::size_t kMaxPoints = 16;
constexpr std::int32_t kMaxDegree = static_cast<std::int32_t>(kMaxPoints) - 1;

// The values of degree d (d = 1 ... degree) stand in row degree - d, entries 0 ... d, so row 0
// ends up with the degree + 1 weights of the curve point.
using BasisTable = std::array<std::array<double, kMaxPoints>, kMaxPoints>;

// Fills `basis` with the Bernstein values at t of the degrees 1 ... `degree`, each degree from
// the one below: (1 - t) b_0, then (1 - t) b_j + t b_(j-1), then t b_d. At t = 0 the weights are
// exactly (1, 0, ..., 0), at t = 1 exactly (0, ..., 0, 1). Degree 0 gives the single weight 1.
// A degree outside 0 ... 15 does not fit the table: false, and the table is left as it was.
bool fill_bernstein(BasisTable& basis, std::int32_t degree, double t);

// The point at t of the Bezier curve of degree points.size() - 1, through `basis` (which it
// refills): the sum over j = 0 ... m of w_j * P_j, added in that order from 0. No point for an
// empty table or more than 16 points.
std::optional<gfx::Point> bezier_point(std::span<const gfx::Point> points, BasisTable& basis,
                                       double t);

}  // namespace bezier
