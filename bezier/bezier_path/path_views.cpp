#include "path_views.hpp"

#include <cstddef>

#include "gfx.hpp"

namespace bezier_path {
namespace {

// Calls visit(q) for every sample of the path, t = 1/samples, 2/samples, ..., 1 per segment;
// t = 0 of a segment is the end of the one before.
template <typename Visit>
void for_each_sample(const PathTable& table, std::int32_t samples, Visit visit) {
    const double step = 1.0 / samples;
    for (std::int32_t k = 0; k < table.n; ++k) {
        const Segment s = segment(table, k);
        for (std::int32_t j = 1; j <= samples; ++j) visit(segment_point(s, j * step));
    }
}

}  // namespace

std::int32_t next_dash_count(std::int32_t count) {
    return (count % kDashPeriod + 1) % kDashPeriod;
}

bool dash_drawn(std::int32_t count) {
    return count % kDashPeriod < kDashLength;
}

void draw_construction(const PathTable& table) {
    gfx::set_colour(gfx::kWhite);
    if (table.n >= 1) {
        const gfx::Point& last = table.points[static_cast<std::size_t>(table.n - 1)];
        gfx::move_to(last.x, last.y);
        for (std::int32_t i = 0; i < table.n; ++i) {
            const gfx::Point& p = table.points[static_cast<std::size_t>(i)];
            gfx::line_to(p.x, p.y);
        }
    }
    gfx::set_colour(gfx::kLightRed);
    for (std::int32_t i = 0; i < table.n; ++i) {
        const gfx::Point& p = table.points[static_cast<std::size_t>(i)];
        gfx::circle(p.x, p.y, kPointRadius);
    }
    gfx::set_colour(gfx::kLightCyan);
    if (table.n >= 2) {
        const gfx::Point start = path_start(table);
        gfx::move_to(start.x, start.y);
        for_each_sample(table, kCurveSamples, [](gfx::Point q) { gfx::line_to(q.x, q.y); });
    }
}

void draw_road(const PathTable& table, std::int32_t& dash_count) {
    if (table.n < 2) return;
    gfx::set_colour(gfx::kGrey);
    for_each_sample(table, kRoadSamples, [](gfx::Point q) { gfx::circle(q.x, q.y, kRoadRadius); });
    gfx::set_colour(gfx::kWhite);
    const gfx::Point start = path_start(table);
    gfx::move_to(start.x, start.y);
    for_each_sample(table, kCurveSamples, [&dash_count](gfx::Point q) {
        dash_count = next_dash_count(dash_count);
        if (dash_drawn(dash_count)) {
            gfx::line_to(q.x, q.y);
        } else {
            gfx::move_to(q.x, q.y);
        }
    });
}

}  // namespace bezier_path
