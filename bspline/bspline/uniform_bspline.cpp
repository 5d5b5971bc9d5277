#include "uniform_bspline.hpp"

#include <cmath>

namespace bspline {

gfx::Point segment_point(const gfx::Point& a, const gfx::Point& b, const gfx::Point& c, double t) {
    const double wa = 0.5 * (1.0 - 2.0 * t + t * t);
    const double wb = 0.5 * (1.0 + 2.0 * t - 2.0 * t * t);
    const double wc = 0.5 * t * t;
    return {wa * a.x + wb * b.x + wc * c.x, wa * a.y + wb * b.y + wc * c.y};
}

Marker step_marker(Marker marker, double lower, double upper, double speed) {
    if (marker.parameter >= upper) marker.direction = -marker.direction;
    if (marker.parameter < lower) marker.direction = -marker.direction;
    marker.parameter += marker.direction * speed;
    return marker;
}

bool marker_matches(double sample, double marker_parameter, double tolerance) {
    return std::fabs(sample - marker_parameter) <= tolerance;
}

}  // namespace bspline
