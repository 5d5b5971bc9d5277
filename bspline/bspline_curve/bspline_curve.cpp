// CURBA B-SPLINE: a clamped quadratic B-spline over eight control points that start on a
// circle, evaluated by the Cox-de Boor recursion and shown as 100 small circles, with the
// numbered points and their open control polygon.
//
// Hold the left button: the control point nearest to the pointer jumps to it and follows.
// Any key ends the program.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "clamped_bspline.hpp"
#include "gfx.hpp"
#include "page_flip.hpp"

namespace {

using bspline_curve::kPointCount;

constexpr std::int32_t kOrder = 3;  // degree 2
constexpr std::int32_t kSteps = 100;
constexpr double kCurveStep = 1.0 / kSteps;
constexpr double kParameterRange = 5.0;
constexpr double kCircleRadius = 230.0;
constexpr double kPointRadius = 2.0;
constexpr double kSampleRadius = 3.0;
constexpr double kNoDistance = 1e32;

bspline_curve::ControlPoints points;
bspline_curve::Knots knots;
std::int16_t page = 0;
std::int32_t mouse_x = 0;
std::int32_t mouse_y = 0;
std::int32_t buttons = 0;

}  // namespace

int main() {
    gfx::open_window(3, 6, "CURBA B-SPLINE");
    page = 0;
    knots = bspline_curve::make_knots();
    for (std::size_t i = 0; i < kPointCount; ++i) {
        const double angle = static_cast<double>(i) / kPointCount * 2.0 * std::numbers::pi;
        points[i].x = gfx::max_x() / 2.0 + kCircleRadius * std::cos(angle);
        points[i].y = gfx::max_y() / 2.0 + kCircleRadius * std::sin(angle);
    }

    for (;;) {
        gfx::flip_pages(page);
        gfx::clear_page();

        mouse_x = gfx::mouse_x();
        mouse_y = gfx::mouse_y();
        buttons = gfx::button_mask();

        // The nearest point is measured at the positions the frame began with; ties go to
        // the lower index.
        double min_distance = kNoDistance;
        std::int32_t nearest = -1;
        for (std::size_t i = 0; i < kPointCount; ++i) {
            gfx::set_colour(gfx::kWhite);
            gfx::write_text(points[i].x, points[i].y, std::to_string(i));
            gfx::circle(points[i].x, points[i].y, kPointRadius);
            const double dx = mouse_x - points[i].x;
            const double dy = mouse_y - points[i].y;
            const double distance = std::sqrt(dx * dx + dy * dy);
            if (distance < min_distance) {
                min_distance = distance;
                nearest = static_cast<std::int32_t>(i);
            }
        }
        if (buttons == gfx::kLeftButton) {
            points[static_cast<std::size_t>(nearest)] = {static_cast<double>(mouse_x),
                                                         static_cast<double>(mouse_y)};
        }

        gfx::set_colour(gfx::kWhite);
        gfx::move_to(points[0].x, points[0].y);
        for (const gfx::Point& p : points) gfx::line_to(p.x, p.y);

        double s = 0.0;
        for (std::int32_t step = 0; step < kSteps; ++step) {
            s += kCurveStep;
            const double t = kParameterRange * s;
            const gfx::Point sample = bspline_curve::curve_point(points, knots, kOrder, t);
            gfx::set_colour(gfx::kLightGreen);
            gfx::circle(sample.x, sample.y, kSampleRadius);
        }

        if (gfx::key_pressed()) break;
    }

    gfx::close_window();
    return 0;
}
