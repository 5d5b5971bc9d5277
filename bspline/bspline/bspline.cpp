// BSPLINE: a uniform quadratic B-spline over ten control points, drawn segment by segment,
// with a marker circle that runs back and forth along it.
//
// Hold the left button: the control point nearest to the pointer jumps to it and follows.
// Any key ends the program.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "gfx.hpp"
#include "page_flip.hpp"
#include "uniform_bspline.hpp"

namespace {

constexpr std::int32_t kPointCount = 10;
constexpr std::int32_t kSteps = 100;   // samples per segment
constexpr double kMarkerSpeed = 0.01;  // per frame; also how close a sample must be to it
constexpr double kPointRadius = 2.0;
constexpr double kMarkerRadius = 40.0;
constexpr double kNoDistance = 1e32;
constexpr gfx::Colour kCurveColour = gfx::kPink;
constexpr gfx::Colour kMarkerColour = gfx::kLightGreen;

// Starting positions in percent of the largest coordinates.
constexpr std::array<gfx::Point, kPointCount> kStartPercent{{
    {10, 10},
    {30, 10},
    {10, 30},
    {40, 30},
    {60, 20},
    {70, 20},
    {70, 70},
    {30, 30},
    {20, 90},
    {90, 90},
}};

std::array<gfx::Point, kPointCount> points;
std::int32_t point_count = 0;
std::int16_t page = 0;
std::int32_t mouse_x = 0;
std::int32_t mouse_y = 0;
std::int32_t buttons = 0;
bspline::Marker marker;
gfx::Point marker_position;

}  // namespace

int main() {
    gfx::open_window(3, 6, "BSPLINE");
    page = 0;
    // Each label stands above and to the left of its point.
    gfx::set_text_style(3, 0, 2);
    gfx::set_text_justify(2, 1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].x = gfx::max_x() / 100.0 * kStartPercent[i].x;
        points[i].y = gfx::max_y() / 100.0 * kStartPercent[i].y;
    }
    point_count = kPointCount;
    marker = {1.0, 1.0};
    marker_position = {0.0, 0.0};

    for (;;) {
        mouse_x = gfx::mouse_x();
        mouse_y = gfx::mouse_y();
        buttons = gfx::button_mask();

        gfx::flip_pages(page);
        gfx::clear_page();

        // Ties go to the lower index.
        double min_distance = kNoDistance;
        std::int32_t nearest = -1;
        for (std::int32_t i = 0; i < point_count; ++i) {
            const gfx::Point& p = points[static_cast<std::size_t>(i)];
            gfx::set_colour(gfx::kWhite);
            gfx::circle(p.x, p.y, kPointRadius);
            gfx::write_text(p.x, p.y, std::to_string(i));
            const double dx = mouse_x - p.x;
            const double dy = mouse_y - p.y;
            const double distance = std::sqrt(dx * dx + dy * dy);
            if (distance < min_distance) {
                min_distance = distance;
                nearest = i;
            }
        }
        if (buttons == gfx::kLeftButton) {
            points[static_cast<std::size_t>(nearest)] = {static_cast<double>(mouse_x),
                                                         static_cast<double>(mouse_y)};
        }

        marker = bspline::step_marker(marker, 1.0, point_count - 1.0, kMarkerSpeed);

        // Segment m runs over points m - 1, m, m + 1; its last sample (t = 99/98) lies a little
        // past its end, where the next segment begins.
        for (std::int32_t m = 1; m <= point_count - 2; ++m) {
            const auto at = [](std::int32_t i) { return points[static_cast<std::size_t>(i)]; };
            for (std::int32_t j = 0; j < kSteps; ++j) {
                const double t = static_cast<double>(j) / (kSteps - 2);
                const gfx::Point sample = bspline::segment_point(at(m - 1), at(m), at(m + 1), t);
                gfx::set_colour(kCurveColour);
                if (j == 0) {
                    gfx::move_to(sample.x, sample.y);
                } else {
                    gfx::line_to(sample.x, sample.y);
                }
                // The last matching sample wins, so at a joint the later segment does.
                if (bspline::marker_matches(m + t, marker.parameter, kMarkerSpeed)) {
                    marker_position = sample;
                }
            }
        }

        gfx::set_colour(kMarkerColour);
        gfx::circle(marker_position.x, marker_position.y, kMarkerRadius);

        if (gfx::key_pressed()) break;
    }

    gfx::close_window();
    return 0;
}
