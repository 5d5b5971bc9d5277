#include "chain.hpp"

#include <cmath>
#include <limits>

namespace chain {
namespace {

constexpr double kWeight = 3.0;

// Nearest integer, ties to even, whatever the floating-point rounding mode is.
double round_half_even(double v) {
    double r = std::floor(v);
    const double fraction = v - r;  // exact for every finite v
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    return r;
}

std::int32_t to_int32(double whole) {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(whole)) return 0;
    if (whole <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (whole >= highest) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(whole);
}

gfx::Point point_of(const ChainPoint& p) {
    return {p.x, p.y};
}
gfx::Point handle_of(const ChainPoint& p) {
    return {p.hx, p.hy};
}

}  // namespace

gfx::Point cubic_point(gfx::Point a, gfx::Point b, gfx::Point c, gfx::Point d, double t) {
    const double u = 1.0 - t;
    const double u3 = u * u * u;
    const double t3 = t * t * t;
    double x = kWeight * t * u * u * b.x + a.x * u3;
    x = x + kWeight * t * t * u * c.x;
    x = x + d.x * t3;
    double y = kWeight * t * u * u * b.y + a.y * u3;
    y = y + kWeight * t * t * u * c.y;
    y = y + d.y * t3;
    return {x, y};
}

gfx::Point mirrored_handle(const ChainPoint& p) {
    const double dx = p.hx - p.x;
    const double dy = p.hy - p.y;
    return {p.x - dx, p.y - dy};
}

Segment segment_control_points(const Chain& chain, std::int32_t k) {
    if (k < 0) k = 0;
    if (k > kSlots - 2) k = kSlots - 2;
    const ChainPoint& from = chain.points[static_cast<std::size_t>(k)];
    const ChainPoint& to = chain.points[static_cast<std::size_t>(k) + 1];
    if (k % 2 == 0) return {point_of(from), handle_of(from), handle_of(to), point_of(to)};
    return {point_of(from), mirrored_handle(from), mirrored_handle(to), point_of(to)};
}

std::int32_t round_down(double v) {
    return to_int32(round_half_even(v - 0.5));
}
std::int32_t round_up(double v) {
    return to_int32(round_half_even(v + 0.5));
}

double minimum(double a, double b) {
    return a < b ? a : b;
}
double maximum(double a, double b) {
    return a > b ? a : b;
}

ChainPosition chain_position(std::int32_t count, double r) {
    if (count < 2) return {};
    if (std::isnan(r)) r = 0.0;
    r = maximum(0.0, minimum(1.0, r));
    const double v = static_cast<double>(count - 1) * r;
    std::int32_t k = round_down(v);
    // With an odd number of points the right end is even and would name a segment past the
    // last one; the same place is the end of the last segment.
    if (k > count - 2) k = count - 2;
    const double t = v - static_cast<double>(k);
    return {k, t};
}

}  // namespace chain
