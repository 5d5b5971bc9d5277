// The geometry of a chain of cubic Bezier segments: the table of chain points with their
// handle ends, the four control points of a segment, the cubic point, the roundings used for
// the sample crosses, and the mapping from a fraction of the window width to a chain position.
// Plain functions over plain data; nothing here draws or keeps state.
#pragma once

#include <array>
#include <cstdint>

#include "types.hpp"

namespace chain {

constexpr std::int32_t kSlots = 32;

// A point placed by the user and the end of its handle, in window pixels.
struct ChainPoint {
    double x = 0.0;
    double y = 0.0;
    double hx = 0.0;
    double hy = 0.0;
};

// Slots at and above `count` are empty and hold zeros; points are only appended.
struct Chain {
    std::array<ChainPoint, kSlots> points{};
    std::int32_t count = 0;
};

// Segment k runs from chain point k (a) to chain point k + 1 (d); b and c shape it.
struct Segment {
    gfx::Point a;
    gfx::Point b;
    gfx::Point c;
    gfx::Point d;
};

// Segment k with local parameter t in [0, 1].
struct ChainPosition {
    std::int32_t k = 0;
    double t = 0.0;
};

// (1 - t)^3 a + 3t(1 - t)^2 b + 3t^2(1 - t) c + t^3 d, summed in a fixed order so that t = 0
// gives a and t = 1 gives d exactly.
gfx::Point cubic_point(gfx::Point a, gfx::Point b, gfx::Point c, gfx::Point d, double t);

// The handle end reflected through its point.
gfx::Point mirrored_handle(const ChainPoint& p);

// Even segments use the handle ends of their two points, odd ones the mirrored handles, so the
// tangent is continuous at every chain point. k is meant to be 0 ... count - 2; any other k is
// brought into 0 ... kSlots - 2 so that the table is never read past its end.
Segment segment_control_points(const Chain& chain, std::int32_t k);

// v - 0.5 and v + 0.5 rounded to the nearest integer, ties to even: floor and ceiling for a
// value with a fractional part; for a whole odd v, v - 1 and v + 1. Results beyond the int32
// range saturate and NaN gives 0, so the conversion is defined for every double.
std::int32_t round_down(double v);
std::int32_t round_up(double v);

// a if a < b, otherwise b (and the other way for maximum): with a NaN, b is the result.
double minimum(double a, double b);
double maximum(double a, double b);

// The position on a chain of `count` points at fraction r of its length in parameter
// (clamped to [0, 1]; NaN counts as 0). A whole parameter value lands on the end of the earlier
// segment when odd and on the start of the later one when even, except at the very end, which
// is always the last segment at t = 1. With fewer than two points there is no segment: the
// result is {0, 0}.
ChainPosition chain_position(std::int32_t count, double r);

}  // namespace chain
