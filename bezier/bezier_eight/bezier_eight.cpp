// bezier_eight: the Bézier curve of degree 7 over eight control points that start at fixed
// fractions of the window, drawn with its open control polygon.
//
// Hold the left button (alone: no Shift, Ctrl or other button): the control point nearest to
// the pointer jumps to it and follows it. Any key ends.
#include <array>
#include <cstdint>
#include <string_view>

#include "bezier7.hpp"
#include "gfx.hpp"
#include "page_flip.hpp"

namespace {

constexpr int kDriver = 3;  // 256-colour palette mode
constexpr int kMode = 6;    // 800 x 600
constexpr std::string_view kCaption = "CURBA BEZIER";
constexpr double kPointRadius = 2.0;
constexpr std::int32_t kSteps = 100;  // vertices of the curve's polyline
// Where the control points start, in percent of the largest x and y.
constexpr std::array<std::array<double, 2>, bezier_eight::kPointCount> kStartPercent{
    {{10, 10}, {30, 10}, {10, 30}, {40, 30}, {60, 20}, {70, 20}, {70, 70}, {30, 30}}};

bezier_eight::ControlPoints points;
std::int32_t point_count = 0;
std::int16_t page = 0;
std::int32_t mouse_x = 0;
std::int32_t mouse_y = 0;
std::int32_t buttons = 0;
std::int32_t nearest = -1;
gfx::Point vertex;

}  // namespace

int main() {
    gfx::open_window(kDriver, kMode, kCaption);
    page = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = {gfx::max_x() / 100.0 * kStartPercent[i][0],
                     gfx::max_y() / 100.0 * kStartPercent[i][1]};
    }
    point_count = bezier_eight::kPointCount;

    for (;;) {
        gfx::flip_pages(page);
        gfx::clear_page();

        mouse_x = gfx::mouse_x();
        mouse_y = gfx::mouse_y();
        buttons = gfx::button_mask();

        // The circles show where the points were when the frame began.
        for (const gfx::Point& p : points) {
            gfx::set_colour(gfx::kWhite);
            gfx::circle(p.x, p.y, kPointRadius);
        }
        nearest = bezier_eight::nearest_index(points, mouse_x, mouse_y);
        if (buttons == gfx::kLeftButton && nearest >= 0) {
            points[static_cast<std::size_t>(nearest)] = {static_cast<double>(mouse_x),
                                                         static_cast<double>(mouse_y)};
        }

        // The open control polygon; its first line has length zero.
        gfx::move_to(points[0].x, points[0].y);
        for (const gfx::Point& p : points) gfx::line_to(p.x, p.y);

        // The curve's polyline: its ends are the end control points themselves.
        vertex = points[0];
        gfx::move_to(vertex.x, vertex.y);
        for (std::int32_t s = 1; s <= kSteps - 2; ++s) {
            const double t = s * 1.0 / (kSteps - 1);
            vertex = bezier_eight::curve_vertex(points, t);
            gfx::set_colour(gfx::kLightRed);
            gfx::line_to(vertex.x, vertex.y);
        }
        vertex = points[static_cast<std::size_t>(point_count - 1)];
        gfx::line_to(vertex.x, vertex.y);

        if (gfx::key_pressed()) break;  // the key stays in the queue
    }

    gfx::close_window();
    return 0;
}
