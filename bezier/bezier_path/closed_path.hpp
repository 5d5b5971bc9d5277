// The model of bezier_path: a table of control points that the editor grows, edits and
// shrinks, and the closed chain of quadratic Bézier segments through it, one per point.
#pragma once

#include <array>
#include <cstdint>

#include "types.hpp"

namespace bezier_path {

constexpr std::int32_t kCapacity = 258;
// A press or a drop closer than 16 pixels to a point hits it (whole-pixel positions, so the
// squared distance is exact).
constexpr double kHitDistanceSquared = 256.0;

struct PathTable {
    std::array<gfx::Point, kCapacity> points{};
    std::int32_t n = 0;  // points 0 ... n - 1 are in use
};

// The lowest index of a point closer than 16 pixels to m; -1 when there is none.
std::int32_t grab_index(const PathTable& table, gfx::Point m);

// Whether a point other than `selected` lies closer than 16 pixels to m.
bool drop_hits_other(const PathTable& table, std::int32_t selected, gfx::Point m);

// Squared distance of m to the edge from a to b. An edge whose ends coincide has no direction;
// it counts with the distance to that point.
double edge_distance_squared(gfx::Point a, gfx::Point b, gfx::Point m);

// Where a new point at m goes: between the ends of the nearest edge of the closed polygon,
// that is the index of the edge's second end (0 for the closing edge from P(n-1) to P0).
// Ties go to the edge met first, the closing edge being the first; 0 when n <= 1.
std::int32_t insertion_index(const PathTable& table, gfx::Point m);

// Puts m at its insertion index, moving the points from there up by one place. A full table
// takes nothing and returns false.
bool insert_point(PathTable& table, gfx::Point m);

// Removes point `index` (0 <= index < n); the points after it move down, keeping their order.
void remove_point(PathTable& table, std::int32_t index);

// Segment k runs from the midpoint of P(k-2), P(k-1) to the midpoint of P(k-1), P(k), indices
// taken around the polygon: Q(t) = (t * a + b) * t + c for t in [0, 1].
struct Segment {
    gfx::Point a;
    gfx::Point b;
    gfx::Point c;
};

// Segment k = 0 ... n - 1 of a table with n >= 2 points.
Segment segment(const PathTable& table, std::int32_t k);
gfx::Point segment_point(const Segment& s, double t);

// Where the path begins and ends: the midpoint of P(n-2) and P(n-1) (n >= 2).
gfx::Point path_start(const PathTable& table);

}  // namespace bezier_path
