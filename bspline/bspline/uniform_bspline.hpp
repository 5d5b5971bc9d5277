// The uniform quadratic B-spline of bspline: one segment from its three control points, and
// the marker that runs back and forth along the segments.
#pragma once

#include "types.hpp"

namespace bspline {

// The segment over control points a, b, c at local parameter t, by the uniform quadratic
// weights (1 - t)^2 / 2, (1 + 2t - 2t^2) / 2 and t^2 / 2. At t = 0 it is the midpoint of a
// and b, at t = 1 the midpoint of b and c.
gfx::Point segment_point(const gfx::Point& a, const gfx::Point& b, const gfx::Point& c, double t);

struct Marker {
    double parameter = 1.0;  // along the curve, in segment units
    double direction = 1.0;  // +1 or -1
};

// One frame of the marker: it turns when its parameter is at least `upper`, turns (back) when
// it is below `lower`, both tests before the step, then moves by `speed`. So it overshoots each
// end by one step.
Marker step_marker(Marker marker, double lower, double upper, double speed);

// Whether a sample at global parameter `sample` is close enough to the marker to carry it.
bool marker_matches(double sample, double marker_parameter, double tolerance);

}  // namespace bspline
